#!/usr/bin/env bash
# A hidden start (at login or on plug-in) with a system tray: the profile is
# applied and the icon docked, but no window shows; another hidden start
# leaves it so and ends; a plain start brings the window up; unplug ends it.
BIN=${1:?usage: hidden_start_test.sh PROGRAM_FOLDER}
TRAY_HOST=${PELMAR_TRAY_HOST:?PELMAR_TRAY_HOST names the test tray}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

folder=$(make_program_folder)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$folder"' EXIT
log=$folder/mouse.log
control=$folder/mouse.control
tray_log=$folder/tray.log

"$TRAY_HOST" >"$tray_log" &
wait_for "the tray" 10 grep -q '^ready$' "$tray_log"

"$BIN/pelmar" --folder "$folder" --hidden --virtual-mouse --virtual-mouse-log "$log" \
    --virtual-mouse-control "$control" 2>/dev/null &
program=$!
wait_for "the apply of the hidden start" 20 grep -q ' set 07 10 01 01 ' "$log"
wait_for "the docked icon" 20 grep -q '^docked ' "$tray_log"
sleep 1
[ -z "$(window_id "Halvex Gaming Mouse")" ] || fail "the hidden start shows its window"

# A second hidden start finds the first and ends without showing it.
timeout 20 "$BIN/pelmar" --folder "$folder" --hidden 2>/dev/null \
    || fail "the second hidden start ended with status $?"
sleep 1
[ -z "$(window_id "Halvex Gaming Mouse")" ] || fail "a second hidden start showed the window"
kill -0 "$program" || fail "the first instance ended"

# A plain start asks the running one to show its window.
timeout 20 "$BIN/pelmar" --folder "$folder" 2>/dev/null || fail "the plain start ended with status $?"
wait_for "the restored window" 10 window_id "Halvex Gaming Mouse"

echo unplug >"$control"
wait "$program" || fail "unplug ended the program with status $?"
echo "hidden_start: passed"
