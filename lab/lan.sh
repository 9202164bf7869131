#!/bin/sh
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The lab's LAN, run by lab.sh as the init of its own network and PID
# namespaces: a bridge that the client's cables plug into, and dnsmasq as the
# only DHCP server on it (no DNS). Its lease, pid and log files go to $1.
set -eu
dir=$1

ip link set lo up
ip link add br0 type bridge
ip address add 10.77.0.1/24 dev br0
ip link set br0 up

# --user=root: the files in $dir stay writable and nothing changes owner.
exec dnsmasq --keep-in-foreground --conf-file=/dev/null --user=root --group=root \
    --port=0 --no-resolv --no-hosts --no-ping --dhcp-authoritative \
    --interface=br0 --dhcp-range=10.77.0.100,10.77.0.199,255.255.255.0,12h \
    --dhcp-option=option:router,10.77.0.1 \
    --dhcp-leasefile="$dir/dnsmasq.leases" --pid-file="$dir/dnsmasq.pid" \
    --log-dhcp --log-facility="$dir/dnsmasq.log"
