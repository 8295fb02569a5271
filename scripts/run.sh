#!/usr/bin/env bash
# Installs what Pelmar needs, builds it and starts it. Arguments are passed
# to the program (for example --folder DIR).
#
# With a display, Pelmar starts on it, with the emulated mouse when no mouse
# is plugged in. Without one ($DISPLAY empty), it runs on a virtual X server
# with the emulated mouse: scripts/screenshots.sh takes PNG pictures of its
# pages in both languages, prints where they are and ends the program.
# PELMAR_BUILD_DIR names the build folder (default: build). PELMAR_MODEL=B
# runs model B (pelmar-b, from its own program folder build/bin-b) instead of
# model A (pelmar, from build/bin).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
source scripts/deps.sh
ensure_packages run

build=${PELMAR_BUILD_DIR:-build}
case "${PELMAR_MODEL:-A}" in
  A | a) program=$build/bin/pelmar ;;
  B | b) program=$build/bin-b/pelmar-b ;;
  *)
    echo "PELMAR_MODEL is A or B, not ${PELMAR_MODEL}" >&2
    exit 2
    ;;
esac
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
  exec scripts/screenshots.sh "$program" "$@"
fi

# The device nodes of the mouse's HID interfaces: any bus, vendor 18F8,
# product 1286.
mouse_nodes() {
  local uevent
  for uevent in /sys/class/hidraw/*/device/uevent; do
    if grep -qsi '^HID_ID=[0-9a-f]*:000018F8:00001286$' "$uevent"; then
      echo "/dev/$(basename "$(dirname "$(dirname "$uevent")")")"
    fi
  done
}

if [ -z "$(mouse_nodes)" ]; then
  exec "$program" --virtual-mouse "$@"
fi
# A plugged-in mouse is used; when this user may not open it, the program
# says so and how to install the device rule.
exec "$program" "$@"
