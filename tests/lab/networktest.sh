#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later

# Inside the lab, the command lines the module runs (each through /bin/sh) do to the sample system what they do on the
# target: DHCP leases land where the module reads them, static interfaces come up, and networking stops and restarts
# through ifupdown, never through the machine's systemd.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
[ "${1-}" = --inside ] || { expect_status "the checks inside the lab" 0 "$lab/lab.sh" "$0" --inside; finish; }
require_lab
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
# What the module's own checks see: the active interfaces, their addresses, eth0's leases.
state() {
    echo "[$(/bin/sh -c "/sbin/ifconfig | /bin/grep -o '^eth[0-9]'" | xargs)] $(ip -4 -br address show | awk '/^eth/ { sub(/@.*/, "", $1); print $1 "=" $3 }' | xargs)"
    echo "leases: $(grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases)"
}
lease() { sed -n 's/^ *fixed-address \(10\.77\.0\..*\);$/\1/p' /var/dhcp/dhclient.leases | tail -n 1; }
expect "QUORLAN_ROOT and systemd inside the lab" "${QUORLAN_ROOT-unset} $(ls -d /run/systemd/system 2>/dev/null)" "unset "
expect_status "ifup eth0 eth1, ifdown eth0, networking stop" 0 /bin/sh -c "(/sbin/ifup eth0 && /sbin/ifup eth1 && /sbin/ifdown eth0 && /etc/init.d/networking stop) 2>/dev/null"
expect "all down" "$(state | head -n 1)" "[] "
expect_status "networking restart" 0 /bin/sh -c "/etc/init.d/networking restart 2>/dev/null"
expect "eth0 leased again from the LAN, eth1 back" "$(state)" "[eth0 eth1] eth0=$(lease)/24 eth1=10.77.1.10/24
leases: 2"
expect "nothing asked systemd about networking" "$(grep -s networking /var/log/lab/refused.log)" ""
finish
