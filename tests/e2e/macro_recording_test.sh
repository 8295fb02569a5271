#!/usr/bin/env bash
# A new user's macro under X: add a macro by name, record it by typing
# (real key events, taken through the keyboard grab), set a repeat count and
# save; the macro file holds the keys with their delays. Bound to a button
# in a profile and applied, a click of that button on the virtual mouse
# plays the keys through the mouse with the recorded delays.
BIN=${1:?usage: macro_recording_test.sh PROGRAM_FOLDER}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

folder=$(make_program_folder)
trap 'rm -rf "$folder"; kill $(jobs -p) 2>/dev/null || true' EXIT
log=$folder/mouse.log
control=$folder/mouse.control
macros=$folder/Macro_EN.dat
layouts=$folder/skins/INI_EN

"$BIN/pelmar" --folder "$folder" --virtual-mouse --virtual-mouse-log "$log" \
    --virtual-mouse-control "$control" 2>/dev/null &
wait_for "the English window" 20 window_id "Halvex Gaming Mouse"
window=$(window_id "Halvex Gaming Mouse")

# area_centre FILE SECTION KEY: the centre of a skin area, "x y".
area_centre() {
    awk -F'[=,]' -v section="[$2]" -v key="$3" '
        /^\[/ { inside = ($0 == section) }
        inside && $1 == key { print int($3 + $5 / 2), int($4 + $6 / 2); exit }' "$1"
}

# click_at X Y: a left click at window coordinates, after the pointer has
# moved there (the pages act on the area under the pointer).
click_at() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.1
    xdotool click 1
    sleep 0.2
}
click_area() {
    # shellcheck disable=SC2046
    click_at $(area_centre "$@")
}

main=$layouts/skin_main_en.ini
advanced=$layouts/skin_advance_en.ini
# value_of KEY: a key's value in the macro file.
value_of() { tr -d '\r' <"$macros" | awk -F= -v key="$1" '$1 == key { print $2 }'; }
shipped=$(value_of macroNum)

click_area "$main" BUTTONPOS 10  # the advanced page
click_area "$advanced" EDIT 4     # the name box, showing the selected macro's name
xdotool key ctrl+a
xdotool type --delay 30 "Combo"
click_area "$advanced" BUTTONPOS 2  # add

click_area "$advanced" BUTTONPOS 4  # record
# The keys must come through the grab: the pointer leaves the window and
# the keyboard focus goes to the root window, where keys would reach no one.
xdotool mousemove 1270 1010
xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
# Typed with pauses long enough to measure: A held 150 ms, B 250 ms later.
xdotool keydown a; sleep 0.15; xdotool keyup a; sleep 0.25
xdotool keydown b; sleep 0.1; xdotool keyup b
click_area "$advanced" BUTTONPOS 4  # stop

click_area "$advanced" BUTTONPOS 6  # repeat on
click_area "$advanced" EDIT 3       # the repeat count
xdotool key ctrl+a
xdotool type "2"
click_area "$advanced" BUTTONPOS 5  # set, which saves the macros

# The file holds one more macro, the new one last: its fields are three-digit
# bytes; name, repeat switch and count, then per event the virtual key, the
# action and the delay's low and high byte.
count=$(value_of macroNum)
[ "$count" = $((shipped + 1)) ] || fail "macroNum is $count after adding to $shipped"
index=$((count - 1))
fields=$(value_of "$index" | fold -w 3 | sed 's/^0*\([0-9]\)/\1/')
field() { sed -n "$(($1 + 1))p" <<<"$fields"; }
name=$(for i in 0 2 4 6 8; do printf "\\$(printf %o "$(field "$i")")"; done)
[ "$name" = "Combo" ] && [ "$(field 10)" = 0 ] || fail "the new macro is named '$name...'"
[ "$(field 40)" = 1 ] && [ "$(field 41)" = 2 ] || fail "repeat $(field 40), count $(field 41)"
[ "$(field 43)" = 4 ] || fail "$(field 43) events recorded"
expected_keys=(65 1 65 2 66 1 66 2)
delays=()
for k in 0 1 2 3; do
    base=$((44 + 4 * k))
    [ "$(field "$base")" = "${expected_keys[$((2 * k))]}" ] \
        && [ "$(field $((base + 1)))" = "${expected_keys[$((2 * k + 1))]}" ] \
        || fail "event $k is $(field "$base") $(field $((base + 1)))"
    delays+=($(($(field $((base + 2))) + 256 * $(field $((base + 3))))))
done
# Plausible: no shorter than the pauses, not much longer; the last keeps 30.
within() { [ "$1" -ge "$2" ] && [ "$1" -le $(($2 + 150)) ]; }
within "${delays[0]}" 150 && within "${delays[1]}" 250 && within "${delays[2]}" 100 \
    && [ "${delays[3]}" = 30 ] || fail "recorded delays ${delays[*]}"

# Bind the macro to button 5 (index 3) in profile 2, choose that profile and
# apply it.
code=$((41 + index))
sed -i "/^\[Config2\]/,/^\[/ s/^K3=.*/K3=$code/" "$folder/config.ini"
click_area "$main" BUTTONPOS 5  # profile 2
click_area "$main" BUTTONPOS 3  # apply
sleep 0.3

start=$(wc -l <"$log")
echo "click 5" >"$control"
# Two passes of four events, each pass followed by the release of all keys.
played() { [ "$(tail -n +$((start + 1)) "$log" | grep -c ' set 07 15 ')" -ge 10 ]; }
wait_for "the macro's key reports" 10 played
reports=$(tail -n +$((start + 1)) "$log" | grep ' set 07 15 ' | head -n 4)
held=$(cut -d' ' -f5 <<<"$reports" | tr '\n' ' ')
[ "$held" = "04 00 05 00 " ] || fail "keys sent: $held"
times=($(cut -d' ' -f1 <<<"$reports"))
for k in 0 1 2; do
    gap=$((times[k + 1] - times[k]))
    [ "$gap" -ge "${delays[$k]}" ] && [ "$gap" -le $((delays[k] + 60)) ] \
        || fail "gap $k is $gap ms for a delay of ${delays[$k]} ms"
done

echo unplug >"$control"
wait
echo "macro recording: passed"
