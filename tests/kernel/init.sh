#!/bin/busybox sh
# shellcheck shell=dash
# First process of the test guest: mounts the kernel's file systems, loads the
# HID and USB modules, starts udev, runs the test program, prints its status
# on the console for the host and powers off.
/bin/busybox --install -s /bin
export PATH=/bin
LD_LIBRARY_PATH=$(cat /etc/library-path)
export LD_LIBRARY_PATH

finish() {
  echo "guest uptime at the end: $(cut -d' ' -f1 /proc/uptime) s"
  echo "PELMAR-KERNEL-TEST-STATUS=$1"
  poweroff -f
}

mkdir -p /proc /sys /dev /run /tmp
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /tmp

while read -r module; do
  insmod "/lib/modules/$module" || { echo "init: cannot load $module"; finish 90; }
done </etc/modules-load
# USB gadgets are made through configfs.
mount -t configfs configfs /sys/kernel/config || { echo "init: cannot mount configfs"; finish 92; }
/lib/systemd/systemd-udevd --daemon || { echo "init: udev did not start"; finish 91; }

echo "guest uptime before the test: $(cut -d' ' -f1 /proc/uptime) s"
/bin/pelmar_kernel_guest
finish $?
