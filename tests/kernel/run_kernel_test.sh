#!/usr/bin/env bash
# Boots Debian's kernel in QEMU (software emulation, no network) from an
# initramfs of our own: busybox, the kernel's uhid, HID, USB host, dummy USB
# controller and USB HID gadget modules, udev with our rule and the guest test
# program with its shared libraries. Passes when the guest prints status 0 on
# its serial console before powering off.
#
# Usage: run_kernel_test.sh GUEST_PROGRAM UDEV_RULES WORK_FOLDER
# The kernel package is downloaded into WORK_FOLDER/cache once and reused.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
guest_program=$1
udev_rules=$2
work=$3

readonly marker=PELMAR-KERNEL-TEST-STATUS
# uhid makes HID devices from user space; dummy_hcd is a USB host and device
# controller in one, on which libcomposite and usb_f_hid build a USB HID
# device that usbhid then drives.
readonly wanted_modules=(uhid hid-generic dummy_hcd libcomposite usb_f_hid usbhid)
readonly boot_limit=900 # seconds; only a guest that hangs comes near it
readonly udevd_candidates=(/lib/systemd/systemd-udevd /usr/lib/systemd/systemd-udevd)

cache=$work/cache
root=$work/initramfs
initramfs=$work/initramfs.cpio
console=$work/console.log
mkdir -p "$cache"

now() { date +%s.%N; }
since() { awk -v start="$1" -v end="$(now)" 'BEGIN { printf "%.1f", end - start }'; }
fail() {
  echo "kernel test: $*" >&2
  exit 1
}

for tool in qemu-system-x86_64 busybox cpio apt-cache apt-get dpkg-deb ldd strip; do
  command -v "$tool" >/dev/null ||
    fail "$tool is missing; scripts/deps.sh's test package set installs it"
done

# The kernel image package that linux-image-amd64 depends on.
kernel_package() {
  apt-cache depends linux-image-amd64 2>/dev/null |
    awk '$1 ~ /Depends:$/ && $2 ~ /^linux-image-[0-9]/ { print $2; exit }'
}

# Prints the cached .deb of the kernel image, downloading it when absent.
fetch_kernel() {
  local package deb
  package=$(kernel_package)
  if [ -z "$package" ] && [ "$(id -u)" -eq 0 ]; then
    apt-get update -qq >&2 || true
    package=$(kernel_package)
  fi
  if [ -z "$package" ]; then
    deb=$(find "$cache" -maxdepth 1 -name 'linux-image-*.deb' | sort | tail -n 1)
    [ -n "$deb" ] || fail "apt-cache knows no package that linux-image-amd64 depends on (run apt-get update)"
    echo "apt-cache knows no kernel package; using the cached $(basename "$deb")" >&2
    echo "$deb"
    return
  fi
  deb=$(find "$cache" -maxdepth 1 -name "${package}_*.deb" | sort | tail -n 1)
  if [ -z "$deb" ]; then
    echo "downloading $package" >&2
    if ! (cd "$cache" && apt-get download "$package" >&2); then
      # The package lists may name a version the mirror no longer has.
      [ "$(id -u)" -eq 0 ] || fail "apt-get download $package failed"
      apt-get update -qq >&2
      (cd "$cache" && apt-get download "$package" >&2) || fail "apt-get download $package failed"
    fi
    deb=$(find "$cache" -maxdepth 1 -name "${package}_*.deb" | sort | tail -n 1)
    [ -n "$deb" ] || fail "apt-get download $package left no .deb in $cache"
  fi
  echo "$deb"
}

# Unpacks the package beside the .deb once, with the modules.dep that depmod
# would write on installation; prints the folder.
unpack_kernel() {
  local deb=$1 tree version
  tree=${deb%.deb}
  if [ ! -e "$tree/.unpacked" ]; then
    rm -rf "$tree"
    dpkg-deb -x "$deb" "$tree"
    version=$(ls "$tree/lib/modules")
    busybox depmod -b "$tree" "$version"
    touch "$tree/.unpacked"
  fi
  echo "$tree"
}

# Copies a program and every shared library it loads, the loader included, to
# the same paths in the initramfs.
copy_with_libraries() {
  local program=$1 target=$2 library
  install -D -m 755 "$program" "$root$target"
  if ldd "$program" 2>/dev/null | grep -q 'not found'; then
    fail "$program needs a shared library that is not installed"
  fi
  { ldd "$program" 2>/dev/null || true; } | awk '
    $2 == "=>" && $3 ~ /^\// { print $3 }
    $1 ~ /^\// { print $1 }' | while read -r library; do
    if [ ! -e "$root$library" ]; then
      install -D -m 755 "$(readlink -f "$library")" "$root$library"
      dirname "$library" >>"$root/etc/library-path.list"
    fi
  done
}

# Module paths (relative to the modules folder) in load order: every module
# after the modules it depends on.
load_order=()
add_module() {
  local module=$1 dependency dependencies
  case " ${load_order[*]} " in *" $module "*) return ;; esac
  read -ra dependencies <<<"$(awk -F': *' -v m="$module" '$1 == m { print $2 }' "$modules_folder/modules.dep")"
  for dependency in "${dependencies[@]}"; do
    add_module "$dependency"
  done
  load_order+=("$module")
}

copy_module() {
  local source=$modules_folder/$1 target
  target=$root/lib/modules/$(basename "${1%.ko*}").ko
  case "$1" in
  *.ko) cp "$source" "$target" ;;
  *.ko.xz) xz -dc "$source" >"$target" ;;
  *.ko.zst) zstd -qdc "$source" >"$target" ;;
  *.ko.gz) gzip -dc "$source" >"$target" ;;
  *) fail "unknown module format: $1" ;;
  esac
  basename "$target" >>"$root/etc/modules-load"
}

start=$(now)
deb=$(fetch_kernel)
echo "kernel package: $(basename "$deb") ($(since "$start") s to fetch)"

start=$(now)
tree=$(unpack_kernel "$deb")
version=$(ls "$tree/lib/modules")
modules_folder=$tree/lib/modules/$version
vmlinuz=$tree/boot/vmlinuz-$version
[ -f "$vmlinuz" ] || fail "no vmlinuz in $(basename "$deb")"

rm -rf "$root"
mkdir -p "$root"/{bin,etc/udev/rules.d,lib/modules,lib/systemd,proc,sys,dev,run,tmp}
copy_with_libraries "$(command -v busybox)" /bin/busybox
copy_with_libraries "$guest_program" /bin/pelmar_kernel_guest
# Its debugging information would only make the initramfs slower to load.
strip --strip-debug "$root/bin/pelmar_kernel_guest"
udevd=
for candidate in "${udevd_candidates[@]}"; do
  [ -e "$candidate" ] && udevd=$candidate && break
done
[ -n "$udevd" ] || fail "systemd-udevd is missing; scripts/deps.sh's test package set installs udev"
# udevadm and systemd-udevd are one program that looks at the name it was started by.
copy_with_libraries "$(readlink -f "$udevd")" /bin/udevadm
ln -s /bin/udevadm "$root/lib/systemd/systemd-udevd"
install -m 644 "$udev_rules" "$root/etc/udev/rules.d/$(basename "$udev_rules")"
sort -u "$root/etc/library-path.list" | paste -sd: >"$root/etc/library-path"

for name in "${wanted_modules[@]}"; do
  module=$(awk -F: -v name="$name" '{ file = $1; sub(/.*\//, "", file); sub(/\.ko(\.[a-z]+)?$/, "", file) }
    file == name { print $1; exit }' "$modules_folder/modules.dep")
  [ -n "$module" ] || fail "the kernel has no module $name"
  add_module "$module"
done
for module in "${load_order[@]}"; do
  copy_module "$module"
done
install -m 755 "$here/init.sh" "$root/init"
(cd "$root" && find . -print0 | cpio --null --create --format=newc --owner=0:0 --quiet) >"$initramfs"
echo "initramfs: $(du -h "$initramfs" | cut -f1), modules ${load_order[*]##*/} ($(since "$start") s to assemble)"

start=$(now)
status=0
rm -f "$console"
timeout --kill-after=10 "$boot_limit" qemu-system-x86_64 \
  -accel tcg -cpu max -smp 1 -m 512 -nic none -display none -monitor none -no-reboot \
  -serial "file:$console" -kernel "$vmlinuz" -initrd "$initramfs" \
  -append "console=ttyS0 panic=-1 loglevel=4" </dev/null || status=$?
echo "guest ran for $(since "$start") s (qemu status $status)"

touch "$console"
guest_status=$(tr -d '\r' <"$console" | sed -n "s/^$marker=\([0-9]*\)\$/\1/p" | tail -n 1)
if [ "$guest_status" != 0 ] || [ "$status" -ne 0 ]; then
  echo "---- guest console ----"
  tr -d '\r' <"$console"
  echo "---- end of guest console ----"
  [ "$status" -eq 124 ] && fail "the guest did not power off within $boot_limit s"
  fail "the guest reported status '${guest_status:-none}', qemu ended with status $status"
fi
tr -d '\r' <"$console" | sed -n '/^guest uptime before/,$p'
