#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later

# One scenario (a function of scenarios.sh) in a fresh lab booted with the sample system, or with the scenario's own
# devices and files (scenarios.sh): the built plug-in, driven by quorlan-driver against the real ifupdown, dhclient and
# DHCP server; then the system's own tools look at what it did. A failing scenario keeps the lab's files and logs in
# KEEP_DIR.
# usage: scenario.sh NAME DRIVER PLUGIN KEEP_DIR
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
. "$here/scenarios.sh"
# The root helper's files where the package puts them, in DIR/usr: the helper (QUORLAN_HELPER) and its policy and bus
# files (in QUORLAN_HELPER_FILES).
stage_helper() {
    rm -rf "$1" && mkdir -p "$1/usr/lib/kauth/libexec" "$1/usr/share/dbus-1/system.d" "$1/usr/share/dbus-1/system-services" "$1/usr/share/polkit-1/actions"
    install -m 755 "$QUORLAN_HELPER" "$1/usr/lib/kauth/libexec/"
    install -m 644 "$QUORLAN_HELPER_FILES"/*.conf "$1/usr/share/dbus-1/system.d/"
    install -m 644 "$QUORLAN_HELPER_FILES"/*.service "$1/usr/share/dbus-1/system-services/"
    install -m 644 "$QUORLAN_HELPER_FILES"/*.policy "$1/usr/share/polkit-1/actions/"
    echo "$1"
}
if [ "${1-}" != --inside ]; then
    over=() && [ ! -d "$here/over/$1" ] || over=(--over "$here/over/$1")
    polkit=() && [ -z "${lab_polkit[$1]-}" ] || polkit=(--polkit "$(stage_helper "$4.helper")")
    rm -rf "$4" && LAB_KEEP=$4 LAB_DEVICES=${lab_devices[$1]-} exec "$lab/lab.sh" --boot "${over[@]}" "${polkit[@]}" -- "$0" --inside "$@"
fi
require_lab
logs=/var/log/lab

# drive RUN [--as-nobody | --as USER]: the driver does the steps of standard input; a line "= NAME: VALUE" is the step "show NAME"
# and "> LINE" no step: both give the line the transcript ($logs/RUN.transcript) must have there, @lease@ standing for
# eth0's latest lease.
drive() {
    local run=$1 script status=0 as=(env HOME=/tmp/driver/root XDG_RUNTIME_DIR=/tmp/driver/root)
    [ "${2-}" = --as-nobody ] && as=(setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp/driver/nobody XDG_RUNTIME_DIR=/tmp/driver/nobody)
    if [ "${2-}" = --as ]; then
        install -d -m 700 -o "$3" -g "$3" "/tmp/driver/$3"
        as=(setpriv --reuid="$3" --regid="$3" --clear-groups env HOME="/tmp/driver/$3" XDG_RUNTIME_DIR="/tmp/driver/$3")
    fi
    script=$(cat) && : >"$logs/commands.log" && touch /run/lab/driven # the checks after the run see only what it did
    sed -n '/^[=>] /!p; s/^= \([^:]*\):.*/show \1/p' <<<"$script" |
        "${as[@]}" /tmp/driver/quorlan-driver /tmp/driver/libkcm_quorlan.so >"$logs/$run.transcript" 2>"$logs/$run.log" || status=$?
    script=$(sed -n 's/^[=>] //p' <<<"$script")
    expect "the transcript of $run, and its exit status" "$(cat "$logs/$run.transcript") $status" "${script//@lease@/$(leased_address)} 0"
}
commands_run() { grep -v '^ ' "$logs/commands.log" | paste -sd ';' | sed 's/;/; /g'; } # the module's own, not what they ran in turn
expect_untouched() { expect "the commands run, the files written" "$(commands_run)|$(find /etc /var/dhcp \( -type f -o -type l \) -cnewer /run/lab/driven)" "$1|"; }
resolve() { getent ahostsv4 "$1" | head -n 1 | tr -s ' '; } # IPv6 would wait for DNS servers the LAN lacks
ipv4_of() { ip -4 -o address show dev "$1" | awk '{ print $4 }'; }
leased_address() { sed -n 's/^ *fixed-address \(.*\);$/\1/p' /var/dhcp/dhclient.leases | tail -n 1; }
dhclient_running() { grep -qs dhclient "/proc/$(head -n 1 /var/run/dhclient.pid 2>/dev/null)/cmdline" && echo running; }
boot_list() { ifquery --interfaces=/etc/network/interfaces --list --allow=auto | tr '\n' ' '; }

# Copies that an ordinary user can reach wherever the build tree lives.
mkdir -p /tmp/driver && mkdir -m 700 /tmp/driver/root /tmp/driver/nobody && chown 65534:65534 /tmp/driver/nobody
install -m 755 "$3" /tmp/driver/quorlan-driver && install -m 755 "$4" /tmp/driver/libkcm_quorlan.so
suppressions=$(sed -En 's/(^|.*:)suppressions=([^:]*).*/\2/p' <<<"${LSAN_OPTIONS-}")
[ -z "$suppressions" ] || { install -m 644 "$suppressions" /tmp/driver/lsan.supp && LSAN_OPTIONS=${LSAN_OPTIONS/suppressions=$suppressions/suppressions=/tmp/driver/lsan.supp}; }
# Each load names the devices it found, at debug level.
export QT_LOGGING_RULES=quorlan.debug=true QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANGUAGE=
# Every command that changes the network or the host name, and ifconfig where net-tools is installed, notes its calls
# (lab/logged-command).
touch "$logs/commands.log" && chmod 666 "$logs/commands.log"
for command in /sbin/ifup /etc/init.d/networking /bin/hostname /sbin/ifconfig; do
    [ -e "$command" ] || continue
    real=$(readlink -f "$command") && mkdir -p "/run/lab/real$(dirname "$real")" && touch "/run/lab/real$real"
    mount --bind "$real" "/run/lab/real$real" && mount --bind "$lab/logged-command" "$real"
done
"$2"
finish
