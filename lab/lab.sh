#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Runs one command inside a throw-away copy of this machine, never touching the
# machine itself. The command sees:
#   - its own network with its Ethernet devices (eth0, eth1 and eth2, or the
#     names in LAB_DEVICES) cabled to a LAN bridge on which dnsmasq serves DHCP
#     (10.77.0.0/24, router 10.77.0.1), and a /sys that shows them;
#   - copy-on-write /etc and /var holding the sample system of sample/, a
#     fresh /run, /tmp and /dev/shm, its own host name and process tree;
#   - ifupdown's DHCP client keeping its lease in /var/dhcp/dhclient.leases and
#     its pid in /var/run/dhclient.pid, the places the module reads them from.
# Every process of the lab lives in one of two PID namespaces that die with
# this script, so nothing outlives it, not even after a kill -9.
#
# usage: lab.sh [--boot] [--display] [--usr] [--over DIR] [--] COMMAND [ARG...]
#   --boot      bring the network up first (/etc/init.d/networking start)
#   --display   let the command use the caller's X display ($DISPLAY)
#   --usr       make /usr copy-on-write too, so that dpkg can install and
#               remove packages in the lab
#   --over DIR  lay the files of DIR (DIR/etc/...) over the sample system
# LAB_DEVICES="enp1s0 enp2s0" names the devices, in the kernel's order (default
# "eth0 eth1 eth2"): the i-th of them takes the place of eth<i> in every file
# of the sample system (and of --over), and the command finds the list in
# LAB_DEVICES.
# The exit status is the command's. With LAB_KEEP=DIR, a failing or
# interrupted run leaves the lab's files and logs in DIR and names it.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
boot=0
display=0
usr=0
over=
while [ $# -gt 0 ]; do
    case $1 in
    --boot) boot=1 ;;
    --display) display=1 ;;
    --usr) usr=1 ;;
    --over) over=${2:?lab: --over needs a folder} && shift ;;
    --) shift && break ;;
    -*) echo "lab: unknown option $1" >&2 && exit 2 ;;
    *) break ;;
    esac
    shift
done
if [ $# -eq 0 ]; then
    echo "usage: $0 [--boot] [--display] [--usr] [--over DIR] [--] COMMAND [ARG...]" >&2
    exit 2
fi
if [ "$(id -u)" != 0 ]; then
    echo "lab: needs root (namespaces, mounts)" >&2
    exit 2
fi
for tool in unshare nsenter setpriv ip dnsmasq ifup dhclient; do
    command -v "$tool" >/dev/null || [ -x "/sbin/$tool" ] || {
        echo "lab: $tool is missing: run scripts/install-deps" >&2
        exit 2
    }
done

export LAB_DEVICES=${LAB_DEVICES:-eth0 eth1 eth2}
read -ra devices <<<"$LAB_DEVICES"
# A name the kernel takes (at most 15 characters, no slash or blank), once, and
# not lo, which the lab has already.
for device in "${devices[@]}"; do
    if ! [[ $device =~ ^[A-Za-z0-9_.-]{1,15}$ ]] || [ "$device" = lo ] ||
        [ "$(printf '%s\n' "${devices[@]}" | grep -cxF -- "$device")" != 1 ]; then
        echo "lab: LAB_DEVICES: \"$device\" cannot name a device of the lab" >&2
        exit 2
    fi
done
if [ "${#devices[@]}" = 0 ]; then
    echo "lab: LAB_DEVICES names no device" >&2
    exit 2
fi
if [ -n "$over" ] && [ ! -d "$over/etc" ]; then
    echo "lab: --over $over: no etc folder in it" >&2
    exit 2
fi

log() { echo "$EPOCHREALTIME $*" >>"$lab/lab.log"; }

# Waits up to five seconds for a condition, failing if the process dies first.
await() {
    local pid=$1 what=$2
    shift 2
    for _ in $(seq 500); do
        "$@" && return 0
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    echo "lab: $what did not happen" >&2
    cat "$lab/lab.log" >&2
    return 1
}
own_netns() { [ "$(readlink "/proc/$1/ns/net")" != "$(readlink /proc/self/ns/net)" ]; }

# Kills by pid what this script started; the PID namespaces take every process
# of the lab with them, and the mount and network namespaces go with those.
teardown() {
    local pid init
    for pid in $client_pid $lan_pid; do
        # The namespace's init first: its unshare reaps it (no zombie is left
        # to the machine's init) and exits in turn.
        init=$(cat "/proc/$pid/task/$pid/children" 2>/dev/null || true)
        kill -KILL "${init:-$pid}" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    log "torn down"
    rm -rf "$lab/work"
    if [ "$status" = 0 ]; then
        :
    elif [ -z "${LAB_KEEP:-}" ]; then
        echo "lab: status $status; LAB_KEEP=DIR keeps the lab's files and logs" >&2
    elif mkdir -p "$LAB_KEEP" && cp -a "$lab/." "$LAB_KEEP/"; then
        echo "lab: status $status; the lab's files and logs are in $LAB_KEEP" >&2
    else
        echo "lab: status $status; the lab's files and logs stay in $lab" >&2
        return
    fi
    rm -rf "$lab"
}
# The sample system names eth0, eth1...: each such word becomes the device that
# stands in its place, by way of a mark no file holds, so that names may swap.
rename_devices() {
    local i script=()
    for i in "${!devices[@]}"; do
        script+=(-e "s/\\beth$i\\b/\\x00lab-device-$i\\x00/g")
    done
    for i in "${!devices[@]}"; do
        script+=(-e "s/\\x00lab-device-$i\\x00/${devices[$i]}/g")
    done
    find "$1" -type f -exec sed -i "${script[@]}" {} +
}
# /tmp, not $TMPDIR: the overlay layers must not sit inside /etc or /var.
lab=$(mktemp -d /tmp/quorlan-lab.XXXXXX)
lan_pid=
client_pid=
status=1

trap 'status=$?; trap - EXIT INT TERM; teardown; exit $status' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# The sample system goes into the upper layers, so the lab boots with it.
touch "$lab/lab.log"
mkdir -p "$lab/upper/etc" "$lab/upper/var/dhcp" "$lab/upper/var/log/lab" "$lab/upper/usr-local-sbin" \
    "$lab/work/etc" "$lab/work/var" "$lab/work/usr-local-sbin" "$lab/lan"
cp -a "$here/sample/etc/." "$lab/upper/etc/"
[ -z "$over" ] || cp -a "$over/etc/." "$lab/upper/etc/"
rename_devices "$lab/upper/etc"
chmod 600 "$lab/upper/etc/pcmcia/wireless.opts"
# client.sh lays /usr over with what it finds here.
[ "$usr" = 0 ] || mkdir -p "$lab/upper/usr" "$lab/work/usr"

# Each side gets a PID namespace whose init dies with its unshare (--kill-child),
# and each unshare dies with this script (--pdeathsig).
log "starting the LAN"
setpriv --pdeathsig KILL -- unshare --net --pid --fork --kill-child --mount-proc \
    -- "$here/lan.sh" "$lab/lan" >>"$lab/lab.log" 2>&1 &
lan_pid=$!
await "$lan_pid" "the DHCP server start" test -s "$lab/lan/dnsmasq.pid"

log "starting the client"
exec 3<&0
setpriv --pdeathsig KILL -- unshare --net --mount --uts --ipc --pid --fork --kill-child --mount-proc \
    --propagation private -- "$here/client.sh" "$lab" "$boot" "$display" "$@" <&3 &
client_pid=$!
exec 3<&-
await "$client_pid" "the client namespaces" own_netns "$client_pid"

# Each cable is made inside the LAN with its far end straight in the client's
# namespace, so no device of the lab ever exists on this machine.
log "cabling ${devices[*]}"
nsenter --target "$lan_pid" --net -- sh -ec '
    client=$1 && shift && i=0
    for device; do
        ip link add lan$i type veth peer name "$device" netns "$client"
        ip link set lan$i master br0 up
        i=$((i + 1))
    done' sh "$client_pid" "${devices[@]}" >>"$lab/lab.log" 2>&1
touch "$lab/cabled"

log "running $*"
status=0
wait "$client_pid" || status=$?
client_pid=
log "the command ended with status $status"
exit "$status"
