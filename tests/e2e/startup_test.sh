#!/usr/bin/env bash
# Starting the real program under X: with the virtual mouse it shows its
# shaped, painted, English window, applies the current profile first and
# ends on unplug; without a mouse it prompts and ends.
BIN=${1:?usage: startup_test.sh PROGRAM_FOLDER}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

folder=$(make_program_folder)
trap 'rm -rf "$folder"; kill $(jobs -p) 2>/dev/null || true' EXIT
log=$folder/mouse.log
control=$folder/mouse.control

"$BIN/pelmar" --folder "$folder" --virtual-mouse --virtual-mouse-log "$log" \
    --virtual-mouse-control "$control" 2>/dev/null &
program=$!
wait_for "the English window" 20 window_id "Halvex Gaming Mouse"
window=$(window_id "Halvex Gaming Mouse")

# The window is shaped by its mask: the shape extension reports a region
# smaller than the window's rectangle.
xwininfo -id "$window" -shape | grep -q "Window shape extents" \
    || fail "the window has no shape"

# It is painted from the skin, not left blank (the first paint may follow
# the window's appearance by a moment).
painted() {
    import -window "$window" "$folder/window.png" || return 1
    local deviation
    deviation=$(convert "$folder/window.png" -colorspace Gray -format '%[fx:standard_deviation]' info:)
    awk -v d="$deviation" 'BEGIN { exit !(d > 0.02) }'
}
wait_for "the painted window" 20 painted

# The first reports are the apply of profile 1: its six buttons in order.
first=$(head -n 6 "$log" | cut -d' ' -f2-)
expected=$'set 07 10 01 01 00 00 00 00\nset 07 10 02 02 00 00 00 00\nset 07 10 03 03 00 00 00 00\nset 07 10 05 05 00 00 00 00\nset 07 10 04 04 00 00 00 00\nset 07 10 06 06 00 00 00 00'
[ "$first" = "$expected" ] || fail "apply sequence: $first"

echo unplug > "$control"
wait "$program" || fail "unplug ended the program with status $?"
tail -n 1 "$log" | grep -q ' unplug$' || fail "no unplug in the log"

# Without the virtual mouse (and no mouse plugged in) the prompt appears,
# and the program ends once it is closed.
"$BIN/pelmar" --folder "$folder" 2>/dev/null &
program=$!
wait_for "the plug-in prompt" 20 window_id "pelmar"
# Answers the prompt; true once the program has ended.
answer_prompt() {
    local prompt
    prompt=$(window_id pelmar)
    if [ -n "$prompt" ]; then
        xdotool windowfocus "$prompt" key Return 2>/dev/null || true
    fi
    ! kill -0 "$program" 2>/dev/null
}
wait_for "the end after the prompt" 20 answer_prompt
wait "$program" || fail "the no-mouse path ended with status $?"
echo "startup: passed"
