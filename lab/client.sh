#!/bin/bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The lab's client side, run by lab.sh as the init of the client's network,
# mount, UTS, IPC and PID namespaces: turns this copy of the machine into the
# sample system, then runs the command and ends with its status.
# usage: client.sh LAB_DIR BOOT(0|1) DISPLAY(0|1) COMMAND [ARG...]
set -euo pipefail
lab=$1
boot=$2
display=$3
shift 3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

for _ in $(seq 500); do
    [ -e "$lab/cabled" ] && break
    sleep 0.01
done
[ -e "$lab/cabled" ] || {
    echo "lab: the cables never came" >&2
    exit 125
}

# sysfs again, so that /sys/class/net lists this namespace's devices.
mount -t sysfs sysfs /sys

overlay() {
    mount -t overlay overlay -o "lowerdir=$1,upperdir=$lab/upper/$2,workdir=$lab/work/$2" "$1"
}
overlay /etc etc
overlay /var var
# lab.sh --usr; before /usr/local/sbin, which then lies over the copy.
[ ! -d "$lab/upper/usr" ] || overlay /usr usr
overlay /usr/local/sbin usr-local-sbin
# An interfaces file may source /etc/network/interfaces.d/*, as Debian's does:
# the machine's own files there stay out of the lab's network, whose folder
# holds only what the sample system put in it.
shopt -s nullglob dotglob
for entry in /etc/network/interfaces.d/*; do
    [ -e "$lab/upper$entry" ] || rm -rf "$entry"
done
shopt -u nullglob dotglob
mkdir -p /etc/network/interfaces.d

# A fresh /run: without /run/systemd/system the init scripts do their work
# themselves instead of asking the machine's systemd, and the machine's bus
# and journal sockets are out of reach.
mount -t tmpfs -o mode=0755,nosuid,nodev tmpfs /run
mkdir -p /run/network /run/lock /run/lab
mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs /dev/shm
if [ "$display" = 1 ] && [ -d /tmp/.X11-unix ]; then
    mkdir /run/lab/x11
    mount --bind /tmp/.X11-unix /run/lab/x11
fi
# A checkout or a build may live under /tmp (a CI clone often does): the
# folders of /tmp that hold this script or the command's files are carried over
# into the fresh /tmp, and nothing else of the machine's /tmp is seen.
carried=()
for path in "$here" "$@"; do
    case $path in
    /tmp/?*)
        folder=/tmp/${path#/tmp/}
        folder=/tmp/$(echo "${folder#/tmp/}" | cut -d/ -f1)
        [ -d "$folder" ] && [[ " ${carried[*]} " != *" $folder "* ]] && carried+=("$folder")
        ;;
    esac
done
for i in "${!carried[@]}"; do
    mkdir -p "/run/lab/carried/$i"
    mount --rbind "${carried[$i]}" "/run/lab/carried/$i"
done
mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs /tmp
for i in "${!carried[@]}"; do
    mkdir -p "${carried[$i]}"
    mount --move "/run/lab/carried/$i" "${carried[$i]}"
done
if [ -d /run/lab/x11 ]; then
    mkdir -m 1777 /tmp/.X11-unix
    mount --move /run/lab/x11 /tmp/.X11-unix
fi

# The DHCP client goes through the shim however it is started: ifupdown finds
# /usr/local/sbin first on its PATH, anything else gets /sbin/dhclient. Away
# from /sbin, the shim and the real binary also escape an AppArmor profile for
# dhclient, which would forbid them the exec and the writes to /var/dhcp.
dhclient=$(readlink -f /sbin/dhclient)
touch /run/lab/dhclient
mount --bind "$dhclient" /run/lab/dhclient
mount --bind "$here/dhclient-shim" "$dhclient"
ln -s "$here/dhclient-shim" /usr/local/sbin/dhclient

# Without systemd's journal, /dev/log is a socket of the machine's syslog.
if [ -S /dev/log ] && [ ! -L /dev/log ]; then
    mount --bind /dev/null /dev/log
fi

# Nothing in here may reach the machine's service manager.
if systemctl=$(command -v systemctl); then
    mount --bind "$here/refuse" "$(readlink -f "$systemctl")"
fi

hostname --file /etc/hostname
unset QUORLAN_ROOT
export QUORLAN_LAB=$lab
if [ "$boot" = 1 ]; then
    /etc/init.d/networking start >>/var/log/lab/boot.log 2>&1 || true
fi

status=0
"$@" || status=$?
exit "$status"
