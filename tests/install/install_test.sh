#!/usr/bin/env bash
# Installs the build into a temporary root (DESTDIR, prefix /usr) and checks
# it: exactly the expected files, the data equal to the build's program
# folders, the desktop entries and metainfo valid, the udev rule the one the
# program prints, the manual pages listing every option. Then it starts the
# installed pelmar with the virtual mouse under X twice: with an empty data
# home it seeds the user's folder from the installed data, and with an edited
# one it keeps and uses the edits. The installed data is never written.
BUILD=${1:?usage: install_test.sh BUILD_FOLDER}
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/../e2e/lib.sh"
ensure_display "$@"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
root=$work/root
DESTDIR=$root cmake --install "$BUILD" --prefix /usr >/dev/null

# Exactly the expected files, no more, none missing.
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort)
diff <(expected_files) <(echo "$actual") >"$work/files.diff" \
    || fail "installed files differ from the expected ones:\n$(cat "$work/files.diff")"

for model in "pelmar bin" "pelmar-b bin-b"; do
    set -- $model
    [ -x "$root/usr/bin/$1" ] || fail "$1 is not executable"
    diff -r "$BUILD/$2/skins" "$root/usr/share/$1/skins" >/dev/null \
        || fail "the installed skins of $1 differ from the build's"
    for file in config.ini constMacro.dat Macro_EN.dat Macro_CN.dat; do
        cmp -s "$BUILD/$2/$file" "$root/usr/share/$1/$file" || fail "installed $1/$file differs"
    done
    # The installed rule is model A's; every model prints its own.
    "$root/usr/bin/$1" --print-udev-rules >"$work/$1.rules"
    # The page's minus signs (\-) read as plain hyphens.
    zcat "$root/usr/share/man/man1/$1.1.gz" | sed 's/\\-/-/g' >"$work/$1.1"
    for option in hidden autostart print-udev-rules folder virtual-mouse-control; do
        grep -q -- "--$option" "$work/$1.1" || fail "the manual page of $1 lacks --$option"
    done
done
cmp -s "$work/pelmar.rules" "$root/$(from_root "$UDEV_RULES_DIR")/70-pelmar.rules" \
    || fail "the installed rule is not what pelmar --print-udev-rules prints"
grep -q 'pelmar-b.service' "$work/pelmar-b.rules" || fail "pelmar-b's rule starts another service"

for entry in "$root"/usr/share/applications/*.desktop; do
    output=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $output"
    [ -z "$output" ] || fail "desktop-file-validate $entry: $output"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/org.pelmar.Pelmar.metainfo.xml" \
    >"$work/metainfo.txt" 2>&1 || fail "appstreamcli: $(cat "$work/metainfo.txt")"

# A user with an empty data home: the first start seeds the user's folder.
export HOME=$work/home XDG_DATA_HOME=$work/data
mkdir -p "$HOME"
user=$XDG_DATA_HOME/pelmar
log=$work/mouse.log
control=$work/mouse.control
start_installed() {
    rm -f "$log"
    "$root/usr/bin/pelmar" --virtual-mouse --virtual-mouse-log "$log" \
        --virtual-mouse-control "$control" 2>"$work/stderr" &
    program=$!
}
end_installed() {
    echo unplug >"$control"
    wait "$program" || fail "unplug ended the installed pelmar with status $?"
}

start_installed
wait_for "the installed program's English window" 20 window_id "Halvex Gaming Mouse"
wait_for "the first apply" 10 grep -q ' set 07 10 01 01 ' "$log"
end_installed
# Every installed file was copied; the settings file alone may have been
# rewritten by the apply (which adds the applied profile's section), and
# keeps its sections.
while IFS= read -r file; do
    [ -f "$user/$file" ] || fail "the user's folder lacks $file"
    [ "$file" = config.ini ] || cmp -s "$root/usr/share/pelmar/$file" "$user/$file" \
        || fail "the seeded $file differs from the installed one"
done < <(program_data_files "$root/usr/share/pelmar")
lost=$(comm -23 <(grep '^\[' "$root/usr/share/pelmar/config.ini" | sort) \
    <(grep '^\[' "$user/config.ini" | sort))
[ -z "$lost" ] || fail "the seeded config.ini lost sections: $lost"

# The user edits their folder: Chinese interface, profile 2, a macro file of
# their own, line ends as the original platform writes them. The next start
# uses the edits and overwrites nothing.
sed -i -e 's/^VER_SEL=.*/VER_SEL=0/' -e 's/^CurConfig=.*/CurConfig=2/' -e 's/$/\r/' \
    "$user/config.ini"
cp "$user/Macro_EN.dat" "$user/Macro_CN.dat"
cp "$user/Macro_CN.dat" "$work/edited-macros"
start_installed
wait_for "the Chinese window of the edited folder" 20 window_id "Halvex专业级宏定义游戏鼠标"
end_installed
grep -q '^VER_SEL=0' "$user/config.ini" || fail "the edited language was overwritten"
grep -q '^CurConfig=2' "$user/config.ini" || fail "the edited profile number was overwritten"
cmp -s "$work/edited-macros" "$user/Macro_CN.dat" || fail "the user's macro file was overwritten"

# The installed data stayed as it was installed.
for model in "pelmar bin" "pelmar-b bin-b"; do
    set -- $model
    while IFS= read -r file; do
        cmp -s "$BUILD/$2/$file" "$root/usr/share/$1/$file" || fail "installed $1/$file was written"
    done < <(program_data_files "$root/usr/share/$1")
done
echo "install: passed"
