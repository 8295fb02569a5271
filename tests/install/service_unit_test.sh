#!/usr/bin/env bash
# Installs the build into a temporary root (DESTDIR, prefix /usr) and checks
# each model's systemd user service there: it is the one the model's udev
# rule wants, it starts the installed executable hidden, its manual page is
# installed, and systemd-analyze verify in the user manager's mode finds
# nothing to report.
BUILD=${1:?usage: service_unit_test.sh BUILD_FOLDER}
source "$(dirname "$0")/lib.sh"
command -v systemd-analyze >/dev/null \
    || fail "systemd-analyze is missing; scripts/deps.sh's test package set installs systemd"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
DESTDIR=$root cmake --install "$BUILD" --prefix /usr >/dev/null
# systemd-analyze starts a user manager of its own, which wants a runtime
# directory but no running session.
mkdir -m 700 "$work/runtime" "$work/verify"
# A relative directory lies under the prefix.
units=$SYSTEMD_USER_UNIT_DIR
[[ $units == /* ]] || units=/usr/$units

for executable in pelmar pelmar-b; do
    unit=$root$units/$executable.service
    [ -f "$unit" ] || fail "no $executable.service in $units"
    wanted=$("$root/usr/bin/$executable" --print-udev-rules | sed -n 's/.*SYSTEMD_USER_WANTS}+="\([^"]*\)".*/\1/p')
    [ "$wanted" = "$executable.service" ] \
        || fail "the rule of $executable wants '$wanted', not $executable.service"
    exec_start=$(sed -n 's/^ExecStart=//p' "$unit")
    [ "$exec_start" = "/usr/bin/$executable --hidden" ] \
        || fail "$executable.service starts '$exec_start'"
    grep -qx "Documentation=man:$executable(1)" "$unit" \
        || fail "$executable.service does not name the manual page $executable(1)"
    [ -f "$root/usr/share/man/man1/$executable.1.gz" ] || fail "no manual page $executable(1)"
    # verify checks that ExecStart's program exists: the copy names the one
    # in the temporary root.
    sed "s|^ExecStart=/|ExecStart=$root/|" "$unit" >"$work/verify/$executable.service"
    output=$(XDG_RUNTIME_DIR=$work/runtime systemd-analyze --user verify --man=no \
        "$work/verify/$executable.service" 2>&1) \
        || fail "systemd-analyze verify $executable.service: $output"
    [ -z "$output" ] || fail "systemd-analyze verify $executable.service reports: $output"
done
echo "service units: passed"
