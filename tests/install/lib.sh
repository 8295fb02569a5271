# Shared by the installation tests: the files an installation must hold.
# Sourced; BUILD is the build folder, UDEV_RULES_DIR and SYSTEMD_USER_UNIT_DIR
# the directories the build installs the rule and the services into.

set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The shipped files of a program folder, relative to it.
program_data_files() {
    (cd "$1" && find config.ini constMacro.dat Macro_EN.dat Macro_CN.dat skins -type f | sort)
}

# A directory of the cache relative to the root: an absolute one as it is, a
# relative one under the prefix /usr.
from_root() {
    case $1 in
        /*) echo "${1#/}" ;;
        *) echo "usr/$1" ;;
    esac
}

# Every file an installation with prefix /usr holds, relative to the root,
# sorted.
expected_files() {
    local id size file
    {
        echo usr/bin/pelmar
        echo usr/bin/pelmar-b
        program_data_files "$BUILD/bin" | sed 's|^|usr/share/pelmar/|'
        program_data_files "$BUILD/bin-b" | sed 's|^|usr/share/pelmar-b/|'
        for id in org.pelmar.Pelmar org.pelmar.PelmarB; do
            echo "usr/share/applications/$id.desktop"
            for size in 16 24 32 48 64; do
                echo "usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
            done
        done
        echo usr/share/metainfo/org.pelmar.Pelmar.metainfo.xml
        echo usr/share/man/man1/pelmar.1.gz
        echo usr/share/man/man1/pelmar-b.1.gz
        echo "$(from_root "$UDEV_RULES_DIR")/70-pelmar.rules"
        for file in pelmar.service pelmar-b.service; do
            echo "$(from_root "$SYSTEMD_USER_UNIT_DIR")/$file"
        done
    } | sort
}
