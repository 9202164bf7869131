#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Whatever a command does inside the lab, and however the lab ends (success,
# failure, Ctrl-C, kill), the machine keeps its files, host name, network,
# mounts and namespaces, and no process or folder of the lab stays behind.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/expect.sh"
require_root

work=$(mktemp -d /tmp/quorlan-isolation.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Everything of the machine that a lab could leave changed.
snapshot() {
    local file
    for file in /etc/hosts /etc/resolv.conf /etc/hostname /etc/network/interfaces \
        /etc/devices/devices.inf /etc/pcmcia/wireless.opts /var/dhcp/dhclient.leases; do
        if [ -e "$file" ]; then
            echo "$file: $(stat -c '%a %U %.9Y' "$file") $(sha256sum <"$file")"
        else
            echo "$file: none"
        fi
    done
    echo "host name: $(hostname)"
    ip -o link
    ip -o address
    ip route
    cat /proc/self/mountinfo
    lsns --noheadings --output TYPE,NS | awk '$1 ~ /^(net|uts|ipc|pid)$/ { print $1 " namespace " $2 }' | sort -u
    ls -d /tmp/quorlan-lab.* 2>/dev/null
    pgrep -a dnsmasq
    pgrep -a dhclient
    pgrep -a -f 'quorlan-lab\.'
}

# Waits up to five seconds for the lab's processes to be gone.
await_no_lab_processes() {
    for _ in $(seq 50); do
        pgrep -f 'quorlan-lab\.' >/dev/null || return 0
        sleep 0.1
    done
}

# expect_machine_unchanged WHEN [FILTER]: compares a snapshot with the first one.
expect_machine_unchanged() {
    local filter=${2:-^$}
    snapshot >"$work/after"
    expect "$1: the machine is unchanged" "$(diff -u <(grep -v "$filter" "$work/before") <(grep -v "$filter" "$work/after"))" ""
}

# Changes everything the module would change, inside the lab.
meddle='
    echo "10.9.9.9 intruder" >>/etc/hosts
    echo "nameserver 10.9.9.9" >>/etc/resolv.conf
    echo meddler >/etc/hostname
    hostname --file /etc/hostname
    /etc/init.d/networking restart >/dev/null 2>&1
    ip link add br7 type bridge
    ip address add 10.9.9.9/32 dev eth2'

snapshot >"$work/before"

echo "# a command that succeeds"
expect_status "the lab" 0 "$here/lab.sh" sh -ec "$meddle"
expect_machine_unchanged "after success"

echo "# a command that fails"
expect_status "the lab" 3 env LAB_KEEP="$work/kept" "$here/lab.sh" sh -c "$meddle; exit 3" 2>"$work/stderr"
expect "the lab names its kept folder" "$(tail -n 1 "$work/stderr")" \
    "lab: status 3; the lab's files and logs are in $work/kept"
expect "the kept files hold the lab's changes" "$(grep -c intruder "$work/kept/upper/etc/hosts")" 1
expect "the kept logs" "$(cd "$work/kept" && ls -d lab.log lan/dnsmasq.log upper/var/log/lab/dhclient.log)" \
    "lab.log
lan/dnsmasq.log
upper/var/log/lab/dhclient.log"
expect_machine_unchanged "after failure"

# Job control, so that the lab in the background takes SIGINT like a shell's foreground job.
set -m
for signal in INT TERM KILL; do
    echo "# a lab ended by SIG$signal"
    "$here/lab.sh" --boot sh -c "echo up; exec sleep 60" >"$work/out" 2>/dev/null &
    lab=$!
    for _ in $(seq 100); do
        grep -q up "$work/out" && break
        sleep 0.1
    done
    expect "the lab came up" "$(cat "$work/out")" up
    kill "-$signal" "$lab"
    status=0
    { wait "$lab"; } 2>/dev/null || status=$?
    expect "the lab's exit status" "$status" "$((128 + $(kill -l "$signal")))"
    await_no_lab_processes
    if [ "$signal" = KILL ]; then
        # After a kill -9 nothing can remove the lab's folder, and the machine's
        # init reaps the dead inits of the lab's PID namespaces in its own time
        # (systemd at once). Every other trace must be gone.
        comm -23 <(ls -d /tmp/quorlan-lab.* 2>/dev/null) <(grep '^/tmp/quorlan-lab\.' "$work/before") | xargs -r rm -rf
        expect_machine_unchanged "after SIGKILL" '<defunct>$\|^pid namespace '
    else
        expect_machine_unchanged "after SIG$signal"
    fi
done

finish
