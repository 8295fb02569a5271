# Sourced by the other scripts: installs the Debian packages a task needs.
# As root it installs what is missing with apt; otherwise it prints the one
# apt line to run and stops.

declare -A PELMAR_PACKAGES=(
  [build]="cmake ninja-build g++ pkg-config qt6-base-dev libudev-dev libx11-dev libgtest-dev fonts-dejavu-core fonts-wqy-microhei udev systemd"
  [run]="fonts-wqy-microhei fonts-dejavu-core xvfb xauth xdotool x11-utils imagemagick"
  [test]="fonts-wqy-microhei fonts-dejavu-core xvfb xdotool x11-utils xauth imagemagick qemu-system-x86 busybox-static cpio udev desktop-file-utils appstream dpkg-dev file systemd"
  [fuzz]="cmake ninja-build clang libclang-rt-14-dev pkg-config libudev-dev libx11-dev"
  [bench]="fonts-wqy-microhei fonts-dejavu-core xvfb xauth"
)

missing_packages() {
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
      || printf '%s ' "$package"
  done
}

# ensure_packages TASK...: TASK is build, run, test, fuzz or bench; run, test
# and bench include build.
ensure_packages() {
  local wanted="" task
  for task in "$@"; do
    wanted+=" ${PELMAR_PACKAGES[$task]}"
    case "$task" in run|test|bench) wanted+=" ${PELMAR_PACKAGES[build]}" ;; esac
  done
  local missing
  # shellcheck disable=SC2086
  missing=$(missing_packages $wanted)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Pelmar needs these Debian packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing
}
