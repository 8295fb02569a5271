#!/usr/bin/env bash
# A new user gives a button a multimedia key under X: press button 4's
# label, hover the multimedia group of the popup, choose volume up in the
# second level and apply. The mouse is told the button is the program's, and
# a click of it sends the consumer usage (high byte first). Then the language buttons switch
# the window to Chinese and back at once. SHOTS=DIR keeps screenshots.
BIN=${1:?usage: button_function_test.sh PROGRAM_FOLDER}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

folder=$(make_program_folder)
trap 'rm -rf "$folder"; kill $(jobs -p) 2>/dev/null || true' EXIT
log=$folder/mouse.log
control=$folder/mouse.control
main=$folder/skins/INI_EN/skin_main_en.ini
english="Halvex Gaming Mouse"
chinese="Halvex专业级宏定义游戏鼠标"

"$BIN/pelmar" --folder "$folder" --virtual-mouse --virtual-mouse-log "$log" \
    --virtual-mouse-control "$control" 2>/dev/null &
wait_for "the English window" 20 window_id "$english"
window=$(window_id "$english")

shot() {
    if [ -n "${SHOTS:-}" ]; then
        import -window root "$SHOTS/$1.png"
    fi
}

# area FILE KEY: a main-table area "x y width height".
area() {
    awk -F'[=,]' -v key="$2" '
        /^\[/ { inside = ($0 == "[BUTTONPOS]") }
        inside && $1 == key { print $3, $4, $5, $6; exit }' "$1"
}
# The popups' rows: the first level's mask holds ten, the second's twelve.
mask_size() { identify -format "%w %h\n" "$folder/skins/$1"; }
read -r row_width menu_height < <(mask_size menu_mask.jpg)
row_height=$((menu_height / 10))

click_at() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.3
}
click_area() {
    read -r x y w h < <(area "$main" "$1")
    click_at $((x + w / 2)) $((y + h / 2))
}

# Button 4's label is main area 28; the popup opens under it.
read -r lx ly lw lh < <(area "$main" 28)
click_at $((lx + lw / 2)) $((ly + lh / 2))
wait_for "the popup" 5 xdotool search --onlyvisible --name "^MainMenuDlg\$"
popup_top=$((ly + lh))
# Row 8 opens the multimedia keys two rows above the first level's top.
xdotool mousemove --window "$window" $((lx + row_width / 2)) $((popup_top + 7 * row_height + 5))
sleep 0.5
shot popup
sub_top=$((popup_top - 2 * row_height))
# Row 4 is volume up (function 24).
click_at $((lx + row_width + row_width / 2)) $((sub_top + 3 * row_height + row_height / 2))
gone() { ! xdotool search --onlyvisible --name "^MainMenuDlg\$"; }
wait_for "the popup to close" 5 gone
shot chosen

start=$(wc -l <"$log")
click_area 3  # apply
applied() { tail -n +$((start + 1)) "$log" | grep -q ' set 07 10 05 00'; }
wait_for "button 5 (index 3) set to a program function" 5 applied

start=$(wc -l <"$log")
echo "click 5" >"$control"
sent() { tail -n +$((start + 1)) "$log" | grep -q ' set 07 17 00 e9'; }
wait_for "the volume-up usage" 5 sent

click_area 17  # Chinese
wait_for "the Chinese title" 5 window_id "$chinese"
grep -q '^VER_SEL=0' "$folder/config.ini" || fail "VER_SEL is not 0"
shot chinese
click_area 18  # English
wait_for "the English title again" 5 window_id "$english"
grep -q '^VER_SEL=1' "$folder/config.ini" || fail "VER_SEL is not 1"
shot english

# Button 1 holds the only left click: its label first shows the warning at
# the popup's place. Cancel opens no popup; confirm opens it.
warning=$folder/skins/INI_EN/LBWarning_en.ini
popup_shown() { xdotool search --onlyvisible --name "^MainMenuDlg\$"; }
read -r lx ly lw lh < <(area "$main" 25)
for choice in 1 0; do
    click_at $((lx + lw / 2)) $((ly + lh / 2))
    sleep 0.3
    ! popup_shown >/dev/null || fail "the popup opened before the warning"
    read -r wx wy ww wh < <(area "$warning" "$choice")
    xdotool mousemove --window "$window" $((lx + wx + ww / 2)) $((ly + lh + wy + wh / 2))
    sleep 0.3
    shot "warning$choice"
    xdotool click 1
    sleep 0.5
done
wait_for "the popup after the confirmation" 5 popup_shown
click_area 41  # any other press on the main page closes it
wait_for "the popup to close" 5 gone

echo unplug >"$control"
