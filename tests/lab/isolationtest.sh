#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later

# Whatever a command does inside the lab, and however the lab ends (success, failure, Ctrl-C, kill), the machine keeps
# its files, host name, network, mounts and namespaces, and no process or folder of the lab stays behind.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
work=$(mktemp -d /tmp/quorlan-isolation.XXXXXX) && trap 'rm -rf "$work"' EXIT

# Everything of the machine a lab could change. Other labs and builds may run meanwhile: of mounts, only those over the
# places a lab mounts on count.
snapshot() {
    local files=(/etc/{hosts,resolv.conf,hostname,network/interfaces,devices/devices.inf,pcmcia/wireless.opts} /var/dhcp/dhclient.leases)
    stat -c '%n: %a %U %.9Y' "${files[@]}" 2>&1; sha256sum "${files[@]}" 2>&1
    echo "host name: $(hostname)" && ip -o link && ip -o address && ip route
    awk -v dhclient="$(readlink -f /sbin/dhclient)" '$5 ~ /^\/(etc|var|run|tmp|dev\/shm|usr\/local\/sbin)(\/|$)/ || $5 == dhclient || /quorlan-lab\./' \
        /proc/self/mountinfo
}

# What is left of the lab whose folder is $1: it, and every process (with its namespaces) that names it or sees it among
# its mounts.
leftovers_of() {
    [ -n "$1" ] || { echo "no lab folder" && return; }
    ls -d "$1" 2>/dev/null
    for process in /proc/[0-9]*; do
        grep -qsF "$1" "$process/cmdline" "$process/mountinfo" &&
            echo "process ${process#/proc/}: $(tr '\0' ' ' <"$process/cmdline") $(readlink "$process"/ns/{net,uts,ipc,pid,mnt} | xargs)"
    done
}

# Waits up to five seconds for the processes of the lab whose folder is $1 to end.
settle() { for _ in $(seq 50); do leftovers_of "$1" | grep -q '^process' || return 0; sleep 0.1; done; }
# expect_machine_unchanged WHEN LAB_FOLDER
expect_machine_unchanged() { settle "$2" && expect "$1: the machine is unchanged, nothing of the lab is left" "$(snapshot | diff -u "$work/before" -)$(leftovers_of "$2")" ""; }

# Prints the lab's folder (from its overlay mounts) and changes everything the module would change.
lab_folder='sed -n "s|.*upperdir=\(/tmp/quorlan-lab\.[^/]*\)/.*|\1|p" /proc/self/mountinfo | head -n 1'
meddle="$lab_folder"'; echo "10.9.9.9 intruder" >>/etc/hosts; echo "nameserver 10.9.9.9" >>/etc/resolv.conf
    echo meddler >/etc/hostname; hostname --file /etc/hostname; /etc/init.d/networking restart >/dev/null 2>&1
    ip link add br7 type bridge; ip address add 10.9.9.9/32 dev eth2'
snapshot >"$work/before"

lab_to_out() { "$lab/lab.sh" "$@" >"$work/out"; }
expect_status "a lab that succeeds" 0 lab_to_out sh -ec "$meddle"
expect_machine_unchanged "after success" "$(cat "$work/out")"

LAB_KEEP="$work/kept" expect_status "a lab that fails" 3 lab_to_out sh -c "$meddle; exit 3" 2>"$work/stderr"
expect "the lab names its kept folder" "$(tail -n 1 "$work/stderr")" "lab: status 3; the lab's files and logs are in $work/kept"
expect "the kept files and logs" "$(cd "$work/kept" && grep -c intruder upper/etc/hosts && ls -d lab.log lan/dnsmasq.log upper/var/log/lab/dhclient.log 2>&1 | xargs)" "1
lab.log lan/dnsmasq.log upper/var/log/lab/dhclient.log"
expect_machine_unchanged "after failure" "$(cat "$work/out")"

# Job control, so that the lab in the background takes SIGINT like a shell's foreground job.
set -m
for signal in INT TERM KILL; do
    "$lab/lab.sh" --boot sh -c "$lab_folder; echo up; exec sleep 60" >"$work/out" 2>/dev/null &
    for _ in $(seq 100); do grep -q up "$work/out" || sleep 0.1; done
    folder=$(head -n 1 "$work/out")
    expect "SIG$signal: the lab is up and seen by its folder" "$(tail -n 1 "$work/out") $(leftovers_of "$folder" | grep -c '^process [0-9]*: sleep 60 ')" "up 1"
    kill "-$signal" $! && status=0 && { wait $!; } 2>/dev/null || status=$?
    expect "SIG$signal: the lab's exit status" "$status" "$((128 + $(kill -l "$signal")))"
    # After a kill -9 nothing can remove the lab's folder; every other trace must be gone.
    [ "$signal" != KILL ] || { settle "$folder" && rm -rf "$folder"; }
    expect_machine_unchanged "after SIG$signal" "$folder"
done
finish
