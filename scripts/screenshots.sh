#!/usr/bin/env bash
# Runs Pelmar on a virtual X server of its own with the emulated mouse, takes
# PNG pictures of its three pages in English and in Chinese, prints where
# they are and ends the program.
#
# Usage: scripts/screenshots.sh PELMAR [ARGUMENTS...]
# --folder DIR among the arguments names the program folder to picture
# (default: PELMAR's folder). Its settings, macro files and skins are copied,
# so the pictures change nothing in it. The pictures go to $PELMAR_SCREENSHOTS
# or to a new folder under /tmp.
set -euo pipefail

program=$1
shift
folder=$(dirname "$program")
arguments=()
while [ $# -gt 0 ]; do
  case "$1" in
    --folder)
      folder=$2
      shift 2
      ;;
    *)
      arguments+=("$1")
      shift
      ;;
  esac
done

out=${PELMAR_SCREENSHOTS:-$(mktemp -d "${TMPDIR:-/tmp}/pelmar-screenshots.XXXXXX")}
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmar-run.XXXXXX")
xvfb_pid=""
pelmar_pid=""
cleanup() {
  if [ -n "$pelmar_pid" ]; then kill "$pelmar_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and writes it to descriptor 3 once it
# listens.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "Xvfb did not start:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

# The centre of area KEY of a layout file ("KEY=name,x,y,width,height,label,").
area_centre() {
  awk -F'[=,]' -v key="$2" '$1 == key { print int($3 + $5 / 2), int($4 + $6 / 2); exit }' "$1"
}

# A point of the window inside no area of the three page layouts, so that
# the pictures show no area hovered.
rest_point() {
  awk -F'[=,]' -v width="$1" -v height="$2" '
    /^\[/ { section = $0; next }
    section == "[BUTTONPOS]" && NF >= 6 { x[n] = $3; y[n] = $4; w[n] = $5; h[n] = $6; n++ }
    END {
      for (py = 24; py < height - 24; py += 4)
        for (px = 24; px < width - 24; px += 4) {
          free = 1
          for (i = 0; i < n && free; i++)
            if (px >= x[i] && px < x[i] + w[i] && py >= y[i] && py < y[i] + h[i]) free = 0
          if (free) { print px, py; exit }
        }
    }' "${@:3}"
}

# shoot LANGUAGE NAME SUFFIX: pictures of the three pages with VER_SEL=LANGUAGE;
# SUFFIX picks the layout files ("_en" or "").
shoot() {
  local language=$1 name=$2 suffix=$3
  local copy="$work/$name" control="$work/control-$name"
  mkdir -p "$copy"
  cp -r "$folder/skins" "$copy/"
  cp "$folder/config.ini" "$copy/"
  cp "$folder"/*.dat "$copy/" 2>/dev/null || true
  sed -i "s/^VER_SEL=.*/VER_SEL=$language/" "$copy/config.ini"
  local layouts=("$copy/skins/INI_${name^^}/skin_main$suffix.ini"
                 "$copy/skins/INI_${name^^}/skin_advance$suffix.ini"
                 "$copy/skins/INI_${name^^}/skin_color$suffix.ini")

  "$program" --folder "$copy" --virtual-mouse-control "$control" "${arguments[@]}" \
    >"$work/pelmar-$name.log" 2>&1 &
  pelmar_pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pelmar_pid" | head -n 1 || true)
  if [ -z "$window" ]; then
    echo "Pelmar showed no window; its output:" >&2
    cat "$work/pelmar-$name.log" >&2
    exit 1
  fi
  local width height
  width=$(xwininfo -id "$window" | awk '/Width:/ { print $2 }')
  height=$(xwininfo -id "$window" | awk '/Height:/ { print $2 }')
  local rest
  rest=$(rest_point "$width" "$height" "${layouts[@]}")
  # shellcheck disable=SC2086
  xdotool mousemove --window "$window" $rest
  sleep 1

  local page tab
  for page in main advanced colour; do
    case $page in
      advanced) tab=10 ;;
      colour) tab=11 ;;
      *) tab="" ;;
    esac
    if [ -n "$tab" ]; then
      # shellcheck disable=SC2046
      xdotool mousemove --window "$window" $(area_centre "${layouts[0]}" "$tab") click 1
      # shellcheck disable=SC2086
      xdotool mousemove --window "$window" $rest
      sleep 1
    fi
    import -window "$window" "$out/$page-$name.png"
    echo "$out/$page-$name.png"
  done
  # The lighting preview changes its look every 1.2 seconds (0.8 in the
  # flashing mode; never when steady or off): a picture of its next look.
  local next="$out/colour-$name-next.png" differing
  for _ in $(seq 20); do
    sleep 0.3
    import -window "$window" "$next"
    differing=$(compare -metric AE "$out/colour-$name.png" "$next" null: 2>&1 || true)
    [ "$differing" != "0" ] && break
  done
  echo "$next"

  # Unplugging the emulated mouse ends the program. The pipe is written with
  # a time limit, since an open waits for the program to read it.
  # shellcheck disable=SC2016
  timeout 5 sh -c 'echo unplug > "$1"' unplug "$control" || true
  for _ in $(seq 50); do
    kill -0 "$pelmar_pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill "$pelmar_pid" 2>/dev/null; then
    echo "Pelmar did not end when its emulated mouse was unplugged (is a real one in use?)" >&2
  fi
  local status=0
  wait "$pelmar_pid" 2>/dev/null || status=$?
  pelmar_pid=""
  if [ "$status" -ne 0 ]; then
    echo "Pelmar ended with status $status; its output:" >&2
    cat "$work/pelmar-$name.log" >&2
  fi
}

echo "Pictures of Pelmar's pages:"
shoot 1 en _en
shoot 0 cn ""
