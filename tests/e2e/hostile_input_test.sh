#!/usr/bin/env bash
# Damaged and hostile input under X: the real program is started in a
# program folder with one damaged file per case (settings file, macro files,
# skin layout files and images) and must behave as documented: show its
# window after the expected number of message boxes, or show them and end;
# never crash, never hang, and leave the files it must not rewrite as they
# were. Then input reports of every length and of hostile content arrive
# through the virtual mouse's control pipe, and the program must survive them
# and still answer a normal button click. PELMAR_HOSTILE_CASES=REGEX runs only
# the table's cases whose names match. Given model B's program folder as well,
# the cases that meet model B's own code run against it too.
BIN=${1:?usage: hostile_input_test.sh PROGRAM_FOLDER [PROGRAM_FOLDER_B]}
BIN_B=${2:-}
source "$(dirname "$0")/lib.sh"
ensure_display "$@"

executable=pelmar
english="Halvex Gaming Mouse"
chinese="Halvex专业级宏定义游戏鼠标"
# Message boxes carry the executable's name as their title.
message_title=pelmar
# Seconds a start, a message box or an end may take before it counts as a hang.
start_limit=30
end_limit=15

work=$(mktemp -d)
trap 'rm -rf "$work"; kill $(jobs -p) 2>/dev/null || true' EXIT
shipped=$work/shipped-a
mv "$(make_program_folder)" "$shipped"
# Binary junk that is the same in every run of one build.
head -c 65536 "$BIN/pelmar" >"$work/junk"

# repeat_char CHAR COUNT: COUNT copies of CHAR.
repeat_char() { head -c "$2" /dev/zero | tr '\0' "$1"; }

# Replaces the value of every key line of a file.
every_value() { sed -i -E "s/^([^[;#=][^=]*)=.*/\\1=$2/" "$1"; }

# ---- The damaged files, one function per case; $1 is the program folder. --

config_huge_values() { every_value "$1/config.ini" 99999999999999999999; }
config_negative_values() { every_value "$1/config.ini" -1; }
config_below_int_range() { every_value "$1/config.ini" -99999999999; }
config_binary_junk() { cp "$work/junk" "$1/config.ini"; }
config_junk_inside() { printf '[Config1]\nK0=\001\377\000\nDPI_SET0\000=3\n\377\376[\n' >>"$1/config.ini"; }
config_utf16_junk() { { printf '\377\376'; cat "$work/junk"; } >"$1/config.ini"; }
# A 10 MB line of junk before the first section and a 10 MB value of the
# profile in use.
config_10mb_lines() {
    local file=$1/config.ini
    { repeat_char x 10000000; echo; sed -n '1,/^\[Config1\]/p' "$file"; printf 'K1='
      repeat_char 7 10000000; echo; sed '1,/^\[Config1\]/d' "$file"; } >"$file.new"
    mv "$file.new" "$file"
}
config_100k_value() { sed -i "/^\[Config1\]/a K0=$(repeat_char 9 100000)" "$1/config.ini"; }
config_over_16mb() { { cat "$1/config.ini"; printf ';'; repeat_char x 17000000; echo; } >"$1/c" && mv "$1/c" "$1/config.ini"; }
config_duplicate_sections() {
    { printf '[Config1]\nK0=2\n[Init]\nCurConfig=1\n'; cat "$1/config.ini"; printf '[Config1]\nK0=3\n'; } >"$1/c"
    mv "$1/c" "$1/config.ini"
}
config_empty() { : >"$1/config.ini"; }
config_missing() { rm "$1/config.ini"; }
config_directory() { rm "$1/config.ini" && mkdir "$1/config.ini"; }
config_fifo() { rm "$1/config.ini" && mkfifo "$1/config.ini"; }
config_profile_out_of_range() { sed -i 's/^CurConfig *=.*/CurConfig=99/' "$1/config.ini"; }

macros_count_99() { sed -i 's/^macroNum *=.*/macroNum=99/' "$1/Macro_EN.dat"; }
macros_count_negative() { sed -i 's/^macroNum *=.*/macroNum=-7/' "$1/Macro_EN.dat"; }
macros_count_huge() { sed -i 's/^macroNum *=.*/macroNum=99999999999999/' "$1/Macro_EN.dat"; }
macros_short_values() {
    sed -i -E 's/^([0-9]+) *=.*/\1=1/' "$1/Macro_EN.dat"
    sed -i 's/^macroNum *=.*/macroNum=12/' "$1/Macro_EN.dat"
}
macros_100k_values() { sed -i -E "s/^([0-9]+) *=.*/\\1=$(repeat_char 9 100000)/" "$1/Macro_EN.dat"; }
macros_binary_junk() { cp "$work/junk" "$1/Macro_EN.dat"; }
macros_missing() { rm "$1/Macro_EN.dat"; }
builtin_macros_hostile() {
    sed -i -E "s/^([0-9]+) *=.*/\\1=$(repeat_char 9 100000)/; s/^macroNum *=.*/macroNum=99/" \
        "$1/constMacro.dat"
}
builtin_macros_missing() { rm "$1/constMacro.dat"; }

skins_missing_keys() {
    sed -i -E '/^(3|10|25|28) *=/d' "$1/skins/INI_EN/skin_main_en.ini"
    sed -i -E '/^\[EDIT\]/,/^\[/ { /^[0-9]+ *=/d }' "$1/skins/INI_EN/skin_advance_en.ini"
}
skins_seven_commas() { sed -i -E 's/^(3 *=.*)$/\1,x,y/' "$1/skins/INI_EN/skin_main_en.ini"; }
skins_negative_rectangles() {
    local file
    for file in "$1"/skins/INI_EN/*.ini; do
        sed -i -E 's/^([0-9]+ *=[^,]*),[^,]*,[^,]*,[^,]*,[^,]*/\1,-500,-400,-2147483648,-300/' "$file"
    done
}
skins_enormous_rectangles() {
    local file
    for file in "$1"/skins/INI_EN/*.ini; do
        sed -i -E 's/^([0-9]+ *=[^,]*),[^,]*,[^,]*,[^,]*,[^,]*/\1,2147483647,99999999999,2147483647,2147483647/' "$file"
    done
}
# Every area covers the whole window and far beyond: each click and hover
# meets the first area, whose pictures are cut from far outside the images.
skins_covering_rectangles() {
    local file
    for file in "$1"/skins/INI_EN/*.ini; do
        sed -i -E 's/^([0-9]+ *=[^,]*),[^,]*,[^,]*,[^,]*,[^,]*/\1,-1000000,-1000000,2147483647,2147483647/' "$file"
    done
}
# Button 4's label reaches far past the window: its function popup opens
# below it, far off the screen.
skins_enormous_label() {
    sed -i -E '/^\[BUTTONPOS\]/,/^\[/ s/^(28 *=[^,]*,[^,]*,[^,]*),[^,]*,[^,]*/\1,2147483647,2147483647/' \
        "$1/skins/INI_EN/skin_main_en.ini"
}
skins_missing_layout() { rm "$1/skins/INI_EN/skin_main_en.ini"; }
skins_junk_layout() { cp "$work/junk" "$1/skins/INI_EN/skin_advance_en.ini"; }
skins_missing_mask() { rm "$1/skins/main_mask.jpg"; }
skins_missing_page_images() { rm "$1"/skins/main_*.jpg "$1"/skins/advanced*.jpg "$1"/skins/color_*.jpg; mask_back "$1"; }
skins_junk_images() {
    local image
    for image in "$1"/skins/*.jpg; do cp "$work/junk" "$image"; done
    mask_back "$1"
}
# The window's mask kept, so that the program gets as far as its pages.
mask_back() { cp "$shipped/skins/main_mask.jpg" "$1/skins/main_mask.jpg"; }

# ---- What some cases lead to beyond a working window; $1 is the folder. ----

# first_apply: the button reports of the apply at start, "<button> <code>" each.
first_apply() { grep -m 6 ' set 07 10 ' "$1/mouse.log" | cut -d' ' -f5,6 | tr '\n' ' '; }
built_in_apply="01 01 02 02 03 03 05 05 04 04 06 06 "
expect_apply() {
    wait_for "$name: the apply at start" 5 grep -q ' set 07 10 06 ' "$1/mouse.log"
    [ "$(first_apply "$1")" = "$2" ] || fail "$name: the start applied $(first_apply "$1")"
}
# The first of two sections of one name wins whole: keys only the second
# holds read as 0.
check_config_duplicate_sections() { expect_apply "$1" "01 02 02 00 03 00 05 00 04 00 06 00 "; }
# Settings that cannot be read give profile 1's built-in defaults.
check_config_binary_junk() { expect_apply "$1" "$built_in_apply"; }
check_config_over_16mb() { expect_apply "$1" "$built_in_apply"; }
check_config_missing() { expect_apply "$1" "$built_in_apply"; }
check_config_directory() { expect_apply "$1" "$built_in_apply"; }
check_config_fifo() { expect_apply "$1" "$built_in_apply"; }
# A current profile number outside 1 to 5 gives profile 1 (as shipped, the
# built-in defaults).
check_config_profile_out_of_range() { expect_apply "$1" "$built_in_apply"; }

# ---- The table: case, expected end, message boxes, files left unchanged. --
# "window": the window shows after the message boxes, the pages and the
# mouse work, and the program ends with status 0 when the mouse is unplugged.
# "exit": after the message boxes the program ends by itself with status 0.
cases=(
    "config_huge_values window 0 Macro_EN.dat skins"
    "config_negative_values window 0 Macro_EN.dat skins"
    "config_below_int_range window 0 Macro_EN.dat skins"
    "config_binary_junk window 0 Macro_EN.dat skins"
    "config_junk_inside window 0 Macro_EN.dat skins"
    "config_utf16_junk window 0 Macro_EN.dat skins"
    "config_10mb_lines window 0 Macro_EN.dat skins"
    "config_100k_value window 0 Macro_EN.dat skins"
    "config_over_16mb window 0 config.ini Macro_EN.dat skins"
    "config_duplicate_sections window 0 Macro_EN.dat skins"
    "config_empty window 0 Macro_EN.dat skins"
    "config_missing window 0 Macro_EN.dat skins"
    "config_directory window 0 Macro_EN.dat skins"
    "config_fifo window 0 Macro_EN.dat skins"
    "config_profile_out_of_range window 0 Macro_EN.dat skins"
    "macros_count_99 window 0 Macro_EN.dat skins"
    "macros_count_negative window 0 Macro_EN.dat skins"
    "macros_count_huge window 0 Macro_EN.dat skins"
    "macros_short_values window 0 Macro_EN.dat skins"
    "macros_100k_values window 0 Macro_EN.dat skins"
    "macros_binary_junk window 0 Macro_EN.dat skins"
    "macros_missing window 1 skins"
    "builtin_macros_hostile window 0 constMacro.dat Macro_EN.dat skins"
    "builtin_macros_missing window 1 Macro_EN.dat skins"
    "skins_missing_keys window 0 Macro_EN.dat skins"
    "skins_seven_commas window 1 Macro_EN.dat skins"
    "skins_negative_rectangles window 0 Macro_EN.dat skins"
    "skins_enormous_rectangles window 0 Macro_EN.dat skins"
    "skins_covering_rectangles window 0 Macro_EN.dat skins"
    "skins_enormous_label window 0 Macro_EN.dat skins"
    "skins_missing_layout exit 1 Macro_EN.dat skins"
    "skins_junk_layout window 0 Macro_EN.dat skins"
    "skins_missing_mask exit 1 Macro_EN.dat skins"
    "skins_missing_page_images window 0 Macro_EN.dat skins"
    "skins_junk_images window 0 Macro_EN.dat skins"
)

# fingerprint FOLDER NAMES...: checksums of the named files and folders.
fingerprint() {
    local folder=$1
    shift
    (cd "$folder" && find "$@" -type f -print0 | sort -z | xargs -0 sha1sum)
}

# click_frame_area AREA WINDOW: clicks where the shipped layout puts a frame
# area (the tabs frame every page).
click_frame_area() {
    local point
    point=$(area_centre "$shipped/skins/INI_EN/skin_main_en.ini" BUTTONPOS "$1")
    # shellcheck disable=SC2086
    xdotool mousemove --window "$2" $point sleep 0.1 click 1 sleep 0.2 2>/dev/null || true
}

# send FOLDER < LINES: writes commands to the virtual mouse's control pipe.
# Opening the pipe waits for its reader, so a program that has ended fails
# the case instead of hanging it.
send() {
    # shellcheck disable=SC2016
    timeout 10 sh -c 'cat >"$1"' send "$1/mouse.control" \
        || fail "$name: the control pipe has no reader; the program has ended"
}

# ended PID: whether the process has ended (a zombie counts as ended).
ended() { ! kill -0 "$1" 2>/dev/null; }

# Starts the program in FOLDER and answers its message boxes until its
# window shows or it ends; sets `program`, `messages` and `outcome`
# ("window" or "exit"). A start that does neither in time is a hang.
start_program() {
    local folder=$1 deadline=$((SECONDS + start_limit)) box
    "$BIN/$executable" --folder "$folder" --virtual-mouse-log "$folder/mouse.log" \
        --virtual-mouse-control "$folder/mouse.control" 2>"$folder/stderr" &
    program=$!
    messages=0
    outcome=
    while [ -z "$outcome" ]; do
        [ "$SECONDS" -lt "$deadline" ] || { kill -KILL "$program"; fail "$name: hangs at start"; }
        box=$(window_id "$message_title" || true)
        if [ -n "$box" ]; then
            messages=$((messages + 1))
            xdotool windowfocus "$box" key Return 2>/dev/null || true
            # The answered box takes a moment to go.
            wait_for "$name: message box $messages to close" 10 box_gone "$box"
        elif [ -n "$(main_window)" ]; then
            outcome=window
        elif ended "$program"; then
            outcome="exit"
        else
            sleep 0.1
        fi
    done
}
# The main window in either language (settings that cannot be read give
# Chinese).
main_window() { { window_id "$english" || window_id "$chinese"; } 2>/dev/null | head -n 1; }
box_gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1 || [ -z "$(window_id "$message_title")" ]; }

# wait_end PID: waits for the end within end_limit seconds; its status.
wait_end() {
    local deadline=$((SECONDS + end_limit))
    while ! ended "$1"; do
        [ "$SECONDS" -lt "$deadline" ] || { kill -KILL "$1"; fail "$name: hangs at the end"; }
        sleep 0.1
    done
    local status=0
    wait "$1" || status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$folder/stderr" >&2
        [ "$status" -lt 128 ] || fail "$name: ended by signal $((status - 128))"
        fail "$name: ended with status $status"
    fi
}

# wait_title TITLE: waits for the main window to take TITLE, answering the
# message boxes the switch shows (a missing macro file is reported on every
# read); counts them in switch_messages.
wait_title() {
    local deadline=$((SECONDS + 10)) box
    until [ -n "$(window_id "$1" || true)" ]; do
        [ "$SECONDS" -lt "$deadline" ] || fail "$name: the title did not become $1"
        box=$(window_id "$message_title" || true)
        if [ -n "$box" ]; then
            switch_messages=$((switch_messages + 1))
            xdotool windowfocus "$box" key Return 2>/dev/null || true
            wait_for "$name: a message box to close" 10 box_gone "$box"
        fi
        sleep 0.1
    done
}

# A working window: every page is shown and every mouse button clicked; the
# language buttons switch the window to Chinese and back (where the layout
# still puts them at their places); button 4's function popup (or the
# warning before it) opens; unplugging the mouse then ends the program, which
# also shows that its user-interface thread still answers.
exercise_window() {
    local folder=$1 window
    switch_messages=0
    window=$(main_window)
    for area in 10 11 9; do click_frame_area "$area" "$window"; done
    printf 'click %d\n' 1 2 3 4 5 6 | send "$folder"
    sleep 0.5
    ! ended "$program" || fail "$name: the program ended while it was used"
    case $name in
        skins_*_rectangles | skins_enormous_label) ;;
        *)
            click_frame_area 17 "$window"
            wait_title "$chinese"
            window=$(window_id "$chinese")
            click_frame_area 18 "$window"
            wait_title "$english"
            window=$(window_id "$english")
            ;;
    esac
    click_frame_area 28 "$window"
    sleep 0.3
    ! ended "$program" || fail "$name: the program ended at button 4's popup"
    echo unplug | send "$folder"
}

# run_table REGEX: runs the cases whose names match REGEX (and the filter).
run_table() {
    local row
    for row in "${cases[@]}"; do
        read -r name expected expected_messages keep <<<"$row"
        [[ $name =~ $1 && $name =~ ${PELMAR_HOSTILE_CASES:-.} ]] || continue
        folder=$work/$name
        cp -r "$shipped" "$folder"
        "$name" "$folder"
        # shellcheck disable=SC2086
        before=$(fingerprint "$folder" $keep)
        switch_messages=
        start_program "$folder"
        [ "$outcome" = "$expected" ] || fail "$name: the program's start ended in '$outcome', not '$expected'"
        [ "$messages" = "$expected_messages" ] \
            || fail "$name: $messages message boxes instead of $expected_messages"
        if [ "$outcome" = window ]; then
            if declare -F "check_$name" >/dev/null; then
                "check_$name" "$folder"
            fi
            exercise_window "$folder"
        fi
        wait_end "$program"
        # shellcheck disable=SC2086
        after=$(fingerprint "$folder" $keep)
        [ "$after" = "$before" ] || fail "$name: rewrote $(diff <(echo "$before") <(echo "$after") | awk '/^>/ { print $3 }')"
        echo "$executable $name: $outcome after $messages message boxes${switch_messages:+, $switch_messages on the language switch}"
        rm -rf "$folder"
    done
}

# Model B differs in its DPI steps, its main page's cells and its traits.
run_model_b() {
    local BIN=$BIN_B executable=pelmar-b english="Drenn GAMING MOUSE"
    local chinese="Drenn专业级宏定义游戏鼠标" message_title=pelmar-b shipped=$work/shipped-b
    mv "$(make_program_folder)" "$shipped"
    run_table '^(config_(huge|negative)_values|config_utf16_junk|macros_count_99|skins_.*_(rectangles|label)|skins_seven_commas|skins_missing_layout)$'
}

run_table .
if [ -n "$BIN_B" ]; then
    run_model_b
fi

# ---- Input reports of every length and hostile content. --------------------
name=input_reports
folder=$work/$name
cp -r "$shipped" "$folder"
# Button 5 (index 3) of profile 1 sends volume up, which the program performs.
sed -i '/^\[Config1\]/,/^\[/ s/^K3 *=.*/K3=24/' "$folder/config.ini"
start_program "$folder"
[ "$outcome" = window ] && [ "$messages" = 0 ] || fail "$name: no window at start"

# hex_bytes COUNT EXPRESSION: COUNT bytes as hex words, byte i the value of
# the arithmetic EXPRESSION (of i and length).
hex_bytes() {
    local i
    for ((i = 0; i < $1; i++)); do printf ' %02x' $(($2)); done
}
{
    for length in $(seq 1 64) 65 100 255 1000 1400; do
        for generator in 0 255 'i * 37 % 256' '(i * 7919 + length) % 256' \
            '(i == 0) ? 6 : (i == 1 ? 0xf0 + length % 16 : 0x80)'; do
            echo "report$(hex_bytes "$length" "$generator")"
        done
    done
    # Every event code with a press, a release and odd levels, in reports of
    # the right length and in short ones.
    for code in $(seq 240 255); do
        for value in 0 1 128 255; do
            printf 'report 06 %02x %02x 00 00 00 00 00\n' "$code" "$value"
            printf 'report 06 %02x\n' "$code"
        done
    done
    # Lines that are not commands.
    printf 'report\nreport zz\nreport 100\nreport 6 -1\nclick 0\nclick 7\npress\nunplug now\n'
    printf '\001\377\000junk\n\n   \n'
} >"$work/reports"
send "$folder" <"$work/reports"
# Each report the control pipe takes (lines up to 4096 characters) is in the
# log once the mouse has sent it.
sent=$(awk 'length($0) <= 4096 && /^report( [0-9a-f][0-9a-f])+$/' "$work/reports" | wc -l)
all_sent() { [ "$(grep -c ' input ' "$folder/mouse.log")" -ge "$sent" ]; }
wait_for "$name: the reports to be sent" 60 all_sent
sleep 1
! ended "$program" || fail "$name: the program ended after the reports"

# A normal click of button 5 still gives the volume-up usage.
before=$(grep -c ' set 07 17 00 e9' "$folder/mouse.log" || true)
echo "click 5" | send "$folder"
answered() { [ "$(grep -c ' set 07 17 00 e9' "$folder/mouse.log")" -gt "$before" ]; }
wait_for "$name: the volume-up usage after the reports" 10 answered
echo unplug | send "$folder"
wait_end "$program"
echo "$name: survived $sent reports and answered a click"
echo "hostile input: passed"
