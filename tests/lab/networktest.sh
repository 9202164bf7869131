#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later

# Inside the lab, the command lines the module runs (each through /bin/sh) do to the sample system what they do on the
# target: DHCP leases land where the module reads them, static interfaces come up, and networking stops and restarts
# through ifupdown, never through the machine's systemd. The lab's devices are its own, under any names it is given.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
lease() { sed -n 's/^ *fixed-address \(10\.77\.0\..*\);$/\1/p' /var/dhcp/dhclient.leases | tail -n 1; }
# Inside a lab of other devices (LAB_DEVICES): /sys shows them, the sample system's files name them in eth<i>'s place,
# and they come up at boot as eth0 and eth1 would.
named_devices() {
    expect "$LAB_DEVICES: the devices in /sys/class/net" "$(ls /sys/class/net | xargs)" "$1"
    expect "$LAB_DEVICES: the interfaces file's device lines" "$(grep -E '^(auto|iface) ' /etc/network/interfaces)" "$2"
    expect "$LAB_DEVICES: their addresses" "$(ip -4 -br address show | awk '$1 != "lo" { sub(/@.*/, "", $1); print $1 "=" $3 }' | xargs)" "$3"
}
case ${1-} in
--inside) ;;
--place-names)
    require_lab
    named_devices "enp1s0 enp2s0 lo" "auto lo enp1s0 enp2s0
iface lo inet loopback
iface enp1s0 inet dhcp
iface enp2s0 inet static" "enp1s0=$(lease)/24 enp2s0=10.77.1.10/24"
    finish
    ;;
--swapped)
    require_lab
    named_devices "eth0 eth1 lo" "auto lo eth1 eth0
iface lo inet loopback
iface eth1 inet dhcp
iface eth0 inet static" "eth1=$(lease)/24 eth0=10.77.1.10/24"
    finish
    ;;
*)
    expect_status "the checks inside the lab" 0 "$lab/lab.sh" "$0" --inside
    expect_status "the checks inside a lab of place-named devices" 0 env LAB_DEVICES="enp1s0 enp2s0" "$lab/lab.sh" --boot "$0" --place-names
    expect_status "the checks inside a lab whose eth0 and eth1 swap places" 0 env LAB_DEVICES="eth1 eth0" "$lab/lab.sh" --boot "$0" --swapped
    expect "a name the kernel would refuse: the lab's message and status" "$(LAB_DEVICES="eth0 bad/name" "$lab/lab.sh" true 2>&1; echo "$?")" \
        'lab: LAB_DEVICES: "bad/name" cannot name a device of the lab
2'
    finish
    ;;
esac
require_lab
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
# What the module's own checks see: the interfaces that are up, their addresses, eth0's leases.
state() {
    echo "[$(ip -o link show up | awk -F ': ' '$2 ~ /^eth/ { sub(/@.*/, "", $2); print $2 }' | xargs)] $(ip -4 -br address show | awk '/^eth/ { sub(/@.*/, "", $1); print $1 "=" $3 }' | xargs)"
    echo "leases: $(grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases)"
}
expect "the devices in /sys/class/net: the lab's own" "$(ls /sys/class/net | xargs)" "eth0 eth1 eth2 lo"
expect "QUORLAN_ROOT and systemd inside the lab" "${QUORLAN_ROOT-unset} $(ls -d /run/systemd/system 2>/dev/null)" "unset "
expect_status "ifup eth0 eth1, ifdown eth0, networking stop" 0 /bin/sh -c "(/sbin/ifup eth0 && /sbin/ifup eth1 && /sbin/ifdown eth0 && /etc/init.d/networking stop) 2>/dev/null"
expect "all down" "$(state | head -n 1)" "[] "
expect_status "networking restart" 0 /bin/sh -c "/etc/init.d/networking restart 2>/dev/null"
expect "eth0 leased again from the LAN, eth1 back" "$(state)" "[eth0 eth1] eth0=$(lease)/24 eth1=10.77.1.10/24
leases: 2"
# Debian 13 has dhcpcd on every system beside it: ifupdown takes dhclient, the client the module reads and drives.
expect "the DHCP client that ifupdown ran for eth0, and no other" \
    "$(cat "/proc/$(head -n 1 /var/run/dhclient.pid)/comm") $(cat /proc/[0-9]*/comm 2>/dev/null | grep -cxE 'dhcpcd|udhcpc|pump')" "dhclient 0"
expect "nothing asked systemd about networking" "$(grep -s networking /var/log/lab/refused.log)" ""
finish
