#!/usr/bin/env bash
# Crash safety under X: in one program folder, the real program is started
# again and again while the user applies profiles, restores the defaults and
# saves the macros, and the mouse changes its DPI level (which the program
# saves); each time it is killed with SIGKILL at a random moment. After every
# kill config.ini and Macro_EN.dat must be whole and readable, as judged by
# pelmar_file_check ($PELMAR_FILE_CHECK).
#
# PELMAR_CRASH_ROUNDS sets the number of kills (200); PELMAR_CRASH_SEED
# replays the random choices of an earlier run, whose seed is printed first.
BIN=${1:?usage: crash_safety_test.sh PROGRAM_FOLDER}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

check=${PELMAR_FILE_CHECK:?PELMAR_FILE_CHECK names the pelmar_file_check tool}
rounds=${PELMAR_CRASH_ROUNDS:-200}
seed=${PELMAR_CRASH_SEED:-$((($(date +%s%N) / 1000) % 32768))}
RANDOM=$seed
echo "crash safety: $rounds kills, seed $seed (PELMAR_CRASH_SEED=$seed replays them)"

# Kills land this many milliseconds after the start: from before the window
# appears to well into the user's clicks.
kill_after_min=100
kill_after_span=1900

folder=$(make_program_folder)
work=$(mktemp -d)
trap 'rm -rf "$folder" "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT
control=$folder/mouse.control
main=$folder/skins/INI_EN/skin_main_en.ini
advanced=$folder/skins/INI_EN/skin_advance_en.ini
title="Halvex Gaming Mouse"

macro_count() { tr -d '\r' <"$1" | awk -F'[ =]+' '$1 == "macroNum" { print $2 }'; }
# The macro file holds the shipped macros, or the defaults after a restore.
counts=$(printf '%s\n' "$(macro_count "$BIN/Macro_EN.dat")" \
    "$(macro_count "$BIN/skins/INI_EN/defMacro.dat")" | sort -u)

# Window coordinates of the areas the driver clicks.
profile_tabs=()
for area in 4 5 6 7 8; do profile_tabs+=("$(area_centre "$main" BUTTONPOS "$area")"); done
apply=$(area_centre "$main" BUTTONPOS 3)
restore=$(area_centre "$main" BUTTONPOS 16)
main_tab=$(area_centre "$main" BUTTONPOS 9)
advanced_tab=$(area_centre "$main" BUTTONPOS 10)
save_macros=$(area_centre "$advanced" BUTTONPOS 5)
repeat=$(area_centre "$advanced" BUTTONPOS 6)

# The pages act on the area under the pointer, so each click follows a move.
clicks() {
    local window=$1 arguments=()
    shift
    for point in "$@"; do
        # shellcheck disable=SC2206
        arguments+=(mousemove --window "$window" $point sleep 0.05 click 1 sleep 0.05)
    done
    xdotool "${arguments[@]}" 2>/dev/null || true
}

# Plays the user and the mouse until it is killed: applies of random
# profiles, DPI changes from the mouse, macro saves (with the repeat switch
# toggled, so the saved file changes) and restores of the defaults.
drive() {
    local window=
    for _ in $(seq 100); do
        window=$(window_id "$title" || true)
        [ -z "$window" ] || break
        sleep 0.05
    done
    [ -n "$window" ] || return 0
    while :; do
        case $((RANDOM % 6)) in
            0 | 1) clicks "$window" "${profile_tabs[RANDOM % 5]}" "$apply" ;;
            2) timeout 1 bash -c "echo 'click 6' >'$control'" || true ;;
            3 | 4) clicks "$window" "$advanced_tab" "$repeat" "$save_macros" "$main_tab" ;;
            5) clicks "$window" "$restore" ;;
        esac
    done
}

# How often a kill found a file changed since the previous one, which shows
# that the kills fell among writes.
torn=0
config_changes=0
macro_changes=0
config_sum=$(sha1sum <"$folder/config.ini")
macro_sum=$(sha1sum <"$folder/Macro_EN.dat")
for round in $(seq "$rounds"); do
    delay=$((kill_after_min + RANDOM % kill_after_span))
    "$BIN/pelmar" --folder "$folder" --virtual-mouse-control "$control" 2>"$work/stderr" &
    program=$!
    drive &
    driver=$!
    sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
    if ! kill -0 "$program" 2>/dev/null; then
        tail -n 40 "$work/stderr" >&2
        fail "round $round (seed $seed): the program ended by itself before the kill"
    fi
    kill -KILL "$program"
    wait "$program" 2>/dev/null || true
    kill "$driver" 2>/dev/null || true
    wait "$driver" 2>/dev/null || true

    # A temporary file left beside a settings file marks a kill inside its
    # replacement.
    leftovers=$(find "$folder" -maxdepth 1 -name '.*.tmp-*' | wc -l)
    if [ "$leftovers" -gt 0 ]; then
        torn=$((torn + 1))
        find "$folder" -maxdepth 1 -name '.*.tmp-*' -delete
    fi
    # shellcheck disable=SC2086
    "$check" "$BIN/config.ini" "$folder/config.ini" "$folder/Macro_EN.dat" $counts \
        || fail "round $round (seed $seed): damaged files after a kill at $delay ms"
    sum=$(sha1sum <"$folder/config.ini")
    [ "$sum" = "$config_sum" ] || config_changes=$((config_changes + 1))
    config_sum=$sum
    sum=$(sha1sum <"$folder/Macro_EN.dat")
    [ "$sum" = "$macro_sum" ] || macro_changes=$((macro_changes + 1))
    macro_sum=$sum
done
echo "crash safety: passed; config.ini changed in $config_changes and Macro_EN.dat in" \
    "$macro_changes of $rounds rounds; $torn kills landed inside a file replacement"
# Kills that never meet a write prove nothing.
if [ "$rounds" -ge 10 ]; then
    [ "$config_changes" -gt 0 ] && [ "$macro_changes" -gt 0 ] \
        || fail "the rounds wrote no settings or no macros"
fi
