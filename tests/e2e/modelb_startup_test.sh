#!/usr/bin/env bash
# Model B from its own program folder under X: with the virtual mouse it
# shows its window under model B's title in the shipped language, applies
# the profile with model B's DPI value codes and lighting byte, and paints
# the main page's four rows of twelve DPI step cells, filled in the level
# colours up to each level's chosen step; a click on a cell chooses its step.
BIN=${2:?usage: modelb_startup_test.sh PROGRAM_FOLDER PROGRAM_FOLDER_B}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

folder=$(make_program_folder)
trap 'rm -rf "$folder"; kill $(jobs -p) 2>/dev/null || true' EXIT
log=$folder/mouse.log
control=$folder/mouse.control

# The title follows the shipped language: VER_SEL 1 is English.
if grep -q '^VER_SEL=1' "$folder/config.ini"; then
    title="Drenn GAMING MOUSE"
    layout=$folder/skins/INI_EN/skin_main_en.ini
else
    title="Drenn专业级宏定义游戏鼠标"
    layout=$folder/skins/INI_CN/skin_main.ini
fi

"$BIN/pelmar-b" --folder "$folder" --virtual-mouse --virtual-mouse-log "$log" \
    --virtual-mouse-control "$control" 2>/dev/null &
program=$!
wait_for "the model B window" 20 window_id "$title"
window=$(window_id "$title")

# The apply sends the lighting report with model B's byte 0x7F, and level 1
# at step 4 of twelve: value code 5, level code 0x58.
wait_for "the lighting report" 20 grep -q ' set 07 13 7f ' "$log"
! grep -q ' set 07 13 3f ' "$log" || fail "model A's lighting byte was sent"
grep -q ' set 07 09 40 58 0f ' "$log" || fail "level 1 was not applied at model B's step 4"

# The centre of step cell STEP of LEVEL (both from 0).
cell_centre() {
    area_centre "$layout" BUTTONPOS $((66 + 12 * $1 + $2))
}
# A picture of the window, then the colour "r g b" (0 to 255) of each
# window point "x y" given, one line each, in one pass.
colours_at() {
    import -window "$window" "$folder/window.png" || return 1
    local format="" x y
    while [ $# -gt 0 ]; do
        x=$1 y=$2
        shift 2
        format+="%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]\n"
    done
    convert "$folder/window.png" -format "$format" info:
}
# Reads "r g b" lines and compares them with the wanted colours given as
# arguments, each "r g b" or "!r g b" for a colour the line must not be near.
match_colours() {
    awk -v wanted="$(printf '%s\n' "$@")" 'BEGIN { n = split(wanted, w, "\n") }
        {
            want = w[NR]; negate = substr(want, 1, 1) == "!"
            if (negate) want = substr(want, 2)
            split($0, g, " "); split(want, c, " ")
            near = 1
            for (i = 1; i <= 3; i++) { d = g[i] - c[i]; if (d < -40 || d > 40) near = 0 }
            if (near == negate) bad = 1
        }
        END { exit bad || NR != n }'
}

# Profile 1 as shipped chooses steps 4, 6, 8 and 10: each level is filled in
# its colour from its first step to its chosen one, and not after it.
colours=("0 0 255" "255 0 255" "255 0 0" "128 0 255")
chosen=(4 6 8 10)
filled() {
    local points=() wanted=() level
    for level in 0 1 2 3; do
        # shellcheck disable=SC2207
        points+=($(cell_centre "$level" 0) $(cell_centre "$level" "${chosen[$level]}")
                 $(cell_centre "$level" $((chosen[level] + 1))))
        wanted+=("${colours[$level]}" "${colours[$level]}" "!${colours[$level]}")
    done
    colours_at "${points[@]}" | match_colours "${wanted[@]}"
}
wait_for "the filled step cells" 5 filled
if [ -n "${PELMAR_SCREENSHOTS:-}" ]; then
    cp "$folder/window.png" "$PELMAR_SCREENSHOTS/modelb-main.png"
fi

# The last cell of level 1 chooses its twelfth value; Apply (area 3) sends
# it as value code 0x0F.
click_area() {
    # shellcheck disable=SC2046
    xdotool mousemove --window "$window" $(area_centre "$layout" BUTTONPOS "$1")
    sleep 0.2
    xdotool click 1
    sleep 0.3
}
click_area $((66 + 11))
last_filled() {
    # shellcheck disable=SC2046
    colours_at $(cell_centre 0 11) | match_colours "${colours[0]}"
}
# The pointer stays over the cell: the fill is drawn over its hover look.
wait_for "the whole first row filled" 5 last_filled
click_area 3
wait_for "the new level 1 applied" 10 grep -q ' set 07 09 40 f8 0f ' "$log"

echo unplug > "$control"
wait "$program" || fail "unplug ended the program with status $?"
echo "modelb_startup: passed"
