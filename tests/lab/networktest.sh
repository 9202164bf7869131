#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Inside the lab, the command lines that the module runs do to the sample
# system what they do on the target: DHCP leases land where the module reads
# them, static interfaces come up, networking restarts through ifupdown, the
# host name changes in the lab only, and the Ethernet count sees three devices.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/expect.sh"

search_path='PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11;'

if [ "${1-}" != --inside ]; then
    require_root
    host_name=$(hostname)
    status=0
    "$here/../../lab/lab.sh" "$0" --inside || status=$?
    expect "the checks inside the lab" "$status" 0
    expect "the machine's own host name" "$(hostname)" "$host_name"
    finish
fi
require_lab

# The module hands each command line to /bin/sh.
run() { /bin/sh -c "$1"; }
is_active() { run "/sbin/ifconfig | /bin/grep -q $1"; }
ipv4_of() { ip -4 -o address show dev "$1" | awk '{ print $4 }'; }
leased_address() { sed -n 's/^ *fixed-address \(.*\);$/\1/p' /var/dhcp/dhclient.leases | tail -n 1; }
lease_count() { grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases; }
dhclient_pid() { head -n 1 /var/run/dhclient.pid 2>/dev/null; }
dhclient_running() {
    local pid
    pid=$(dhclient_pid) && [ -n "$pid" ] && tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -q dhclient
}

echo "# the sample system"
expect "QUORLAN_ROOT inside the lab" "${QUORLAN_ROOT-unset}" unset
expect "the lab's host name" "$(hostname)" labhost
expect "the Ethernet count" "$(run '/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l' 2>/dev/null)" 3
expect "the device inventory" "$(grep -A1 '^\[network.2\]' /etc/devices/devices.inf | tail -n 1)" \
    "manu=Realtek Semiconductor RTL8139 Fast Ethernet"
expect "/etc/init.d/networking has no systemd to hand over to" "$(ls -d /run/systemd/system 2>/dev/null)" ""

echo "# renew: ifup of the DHCP interface"
expect_status "ifup eth0" 0 run "$search_path /sbin/ifup eth0 2>/dev/null"
expect "the lease file holds eth0's lease" "$(lease_count)" 1
expect "eth0 carries the leased address" "$(ipv4_of eth0)" "$(leased_address)/24"
expect "the leased address is the DHCP server's" "$(leased_address | cut -d. -f1-3)" 10.77.0
expect "the lease names the router" "$(grep -c '^ *option routers 10.77.0.1;$' /var/dhcp/dhclient.leases)" 1
expect "the pid file names a running dhclient" "$(dhclient_running && echo yes)" yes
expect_status "eth0 is active" 0 is_active eth0

echo "# a static interface"
expect_status "ifup eth1" 0 run "$search_path /sbin/ifup eth1 2>/dev/null"
expect "eth1's address" "$(ipv4_of eth1)" 10.77.1.10/24
expect_status "eth1 is active" 0 is_active eth1
expect_status "eth2, not configured, is not active" 1 is_active eth2

echo "# release: ifdown of the DHCP interface"
expect_status "ifdown eth0" 0 run "$search_path /sbin/ifdown eth0 2>/dev/null"
expect "dhclient has ended" "$(dhclient_running && echo yes)" ""
expect "eth0 has no address" "$(ipv4_of eth0)" ""

echo "# networking stop and restart, as Apply runs them"
expect_status "networking stop" 0 run "$search_path /etc/init.d/networking stop"
expect "eth1 is down" "$(ipv4_of eth1)" ""
expect_status "eth1 is not active" 1 is_active eth1
expect_status "networking restart" 0 run "$search_path /etc/init.d/networking restart 2>/dev/null"
expect "eth0 leased again" "$(lease_count)" 2
expect "eth0 carries the new lease" "$(ipv4_of eth0)" "$(leased_address)/24"
expect "eth1 is back" "$(ipv4_of eth1)" 10.77.1.10/24
expect_status "eth0 is active" 0 is_active eth0
expect_status "eth1 is active" 0 is_active eth1
expect "the pid file names a running dhclient" "$(dhclient_running && echo yes)" yes
expect "nothing asked systemd about networking" "$(grep -s networking /var/log/lab/refused.log)" ""

echo "# the host name"
echo renamed >/etc/hostname
expect_status "hostname --file" 0 run "$search_path /bin/hostname --file /etc/hostname"
expect "the lab's new host name" "$(hostname)" renamed

finish
