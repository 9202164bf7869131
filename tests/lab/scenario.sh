#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# One end-to-end scenario (scenarios/NAME.sh) in a fresh lab booted with the
# sample system: the built plug-in, driven through its widgets by
# quorlan-driver, against the real ifupdown, dhclient and DHCP server; then
# the system's own tools look at what it did. A failing scenario keeps the
# lab's files and logs (transcripts under upper/var/log/lab) in KEEP_DIR.
#
# usage: scenario.sh NAME DRIVER PLUGIN KEEP_DIR
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/expect.sh"

if [ "${1-}" != --inside ]; then
    require_root
    if [ $# -ne 4 ] || [ ! -f "$here/scenarios/$1.sh" ]; then
        echo "usage: $0 NAME DRIVER PLUGIN KEEP_DIR (NAME from $here/scenarios)" >&2
        exit 2
    fi
    rm -rf "$4"
    LAB_KEEP=$4 exec "$here/../../lab/lab.sh" --boot -- "$0" --inside "$1" "$2" "$3"
fi
require_lab
name=$2
logs=/var/log/lab

# --- what the scenarios use ------------------------------------------------

# drive RUN [--as-nobody]: runs the steps on standard input through the
# driver; the transcript goes to $logs/RUN.transcript, the output of the
# module's commands and the widgets' final state to $logs/RUN.log, the
# commands run to $logs/RUN.commands.
drive() {
    local run=$1 as=(env HOME=/tmp/driver/root-home XDG_RUNTIME_DIR=/tmp/driver/root-runtime)
    [ "${2-}" = --as-nobody ] && as=(setpriv --reuid=65534 --regid=65534 --clear-groups
        env HOME=/tmp/driver/nobody-home XDG_RUNTIME_DIR=/tmp/driver/nobody-runtime)
    : >"$logs/commands.log"
    touch /run/lab/driven
    local status=0 started=$SECONDS
    "${as[@]}" /tmp/driver/quorlan-driver /tmp/driver/libkcm_quorlan.so - \
        >"$logs/$run.transcript" 2>"$logs/$run.log" || status=$?
    cp "$logs/commands.log" "$logs/$run.commands"
    echo "# $run: the driver ran for $((SECONDS - started)) s"
    expect "the driver ran every step of $run" "$status" 0
}

# expect_transcript RUN: compares the transcript with standard input.
expect_transcript() {
    expect_lines "the transcript of $1" "$(cat "$logs/$1.transcript")" "$(cat)"
}

# The commands the module itself ran during the last drive (not what they ran in turn).
commands_run() { grep -v '^ ' "$logs/commands.log"; }

# The files of /etc and /var/dhcp written, linked or made since the last drive began.
written_files() { find /etc /var/dhcp \( -type f -o -type l \) -cnewer /run/lab/driven | sort; }

# How the system resolves a name: address and canonical name. IPv4 only: a
# lookup of an IPv6 address would wait for the DNS servers of resolv.conf,
# which the lab's LAN does not have.
resolve() { getent ahostsv4 "$1" | head -n 1 | tr -s ' '; }

ipv4_of() { ip -4 -o address show dev "$1" | awk '{ print $4 }'; }
leased_address() { sed -n 's/^ *fixed-address \(.*\);$/\1/p' /var/dhcp/dhclient.leases | tail -n 1; }
lease_count() { grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases; }
dhclient_running() {
    local pid
    pid=$(head -n 1 /var/run/dhclient.pid 2>/dev/null) && [ -n "$pid" ] && grep -qs dhclient "/proc/$pid/cmdline"
}

# --- the driver's world ----------------------------------------------------

# The driver and the plug-in are copied into the lab, where an ordinary user
# can run them wherever the build tree lives.
install_driver() {
    mkdir -p /tmp/driver/root-home /tmp/driver/nobody-home
    mkdir -m 700 /tmp/driver/root-runtime /tmp/driver/nobody-runtime
    chown 65534:65534 /tmp/driver/nobody-home /tmp/driver/nobody-runtime
    install -m 755 "$1" /tmp/driver/quorlan-driver
    install -m 755 "$2" /tmp/driver/libkcm_quorlan.so
    # The leak checker of a sanitizer build needs its suppressions readable too.
    local suppressions
    suppressions=$(sed -En 's/(^|.*:)suppressions=([^:]*).*/\2/p' <<<"${LSAN_OPTIONS-}")
    if [ -n "$suppressions" ]; then
        install -m 644 "$suppressions" /tmp/driver/lsan.supp
        LSAN_OPTIONS=${LSAN_OPTIONS/suppressions=$suppressions/suppressions=/tmp/driver/lsan.supp}
    fi
    export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANGUAGE=
}

# Every command that changes the network or the host name, and ifconfig,
# notes its calls in $logs/commands.log (see logged-command).
log_commands() {
    local command real
    touch "$logs/commands.log"
    chmod 666 "$logs/commands.log"
    for command in /sbin/ifup /etc/init.d/networking /bin/hostname /sbin/ifconfig; do
        real=$(readlink -f "$command")
        mkdir -p "/run/lab/real$(dirname "$real")"
        touch "/run/lab/real$real"
        mount --bind "$real" "/run/lab/real$real"
        mount --bind "$here/../../lab/logged-command" "$real"
    done
}

install_driver "$3" "$4"
log_commands
# shellcheck source=/dev/null
. "$here/scenarios/$name.sh"
finish
