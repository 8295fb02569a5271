#!/usr/bin/env bash
# Builds the Debian package with CPack and checks it: it holds exactly the
# files an installation holds, under the same paths, and names the libraries
# and fonts it needs.
BUILD=${1:?usage: package_test.sh BUILD_FOLDER}
source "$(dirname "$0")/lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 \
    || fail "cpack: $(cat "$work/cpack.log")"
package=$(find "$work" -maxdepth 1 -name 'pelmar_*.deb')
[ -n "$package" ] || fail "no package in $(ls "$work")"

# dpkg -c lists mode, owner, size, date, time and ./path (./path/ for a
# folder); paths may hold spaces.
dpkg -c "$package" | sed -E 's/^(\S+\s+){5}\.\///' | grep -v '/$' | sort >"$work/files"
diff <(expected_files) "$work/files" >"$work/files.diff" \
    || fail "the package's files differ from an installation's:\n$(cat "$work/files.diff")"

depends=$(dpkg-deb -f "$package" Depends)
for wanted in libqt6widgets6 libudev1 libx11-6 fonts-wqy-microhei fonts-dejavu-core; do
    [[ $depends == *"$wanted"* ]] || fail "the package does not depend on $wanted: $depends"
done
[ "$(dpkg-deb -f "$package" Package)" = pelmar ] || fail "package name"
echo "package: passed"
