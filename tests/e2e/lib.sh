# Shared helpers of the end-to-end tests: a private copy of the program
# folder, the real executable with the virtual mouse, and waiting on X.
# Sourced by the test scripts; BIN is the build's program folder.

set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs the calling script again under its own X server when none is given.
ensure_display() {
    if [ -z "${DISPLAY:-}" ]; then
        exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
    fi
}

# A fresh program folder with the shipped settings, macros and skins.
make_program_folder() {
    local folder
    folder=$(mktemp -d)
    cp "$BIN"/config.ini "$BIN"/*.dat "$folder"/
    cp -r "$BIN"/skins "$folder"/
    echo "$folder"
}

# wait_for WHAT SECONDS COMMAND...: retries COMMAND every 0.1 s.
wait_for() {
    local what=$1 seconds=$2
    shift 2
    local tries=$((seconds * 10))
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "timed out waiting for $what"
        sleep 0.1
    done
}

# The first visible window whose title is exactly TITLE.
window_id() {
    xdotool search --onlyvisible --name "^$1\$" | head -n 1
}

# area_centre FILE SECTION KEY: the centre of a skin layout area, "x y" in
# window coordinates.
area_centre() {
    awk -F'[=,]' -v section="[$2]" -v key="$3" '
        /^\[/ { inside = ($0 == section) }
        inside && $1 == key { print int($3 + $5 / 2), int($4 + $6 / 2); exit }' "$1"
}
