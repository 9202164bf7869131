# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# eth1's static address changes, Apply, Yes: the network restarts with the new
# address, the host's entry in /etc/hosts follows it, and the former files stay
# as .old. Two veth devices, whose names end in eth1 and eth2, keep their auto
# lines and count for neither.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

ip link add veth1 type veth peer name veth2
printf '\nauto veth1\niface veth1 inet manual\n\nauto veth2\niface veth2 inet manual\n' >>/etc/network/interfaces
ifup veth1 veth2
cp /etc/hosts /run/lab/hosts.before
cp /etc/network/interfaces /run/lab/interfaces.before

drive static <<'STEPS'
answer Yes Do you wish the changes to take effect now?
open
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
apply
show m_pIPEditStaticIP
STEPS
expect_transcript static <<'EOF'
changed: true
apply
changed: false
box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK
m_pIPEditStaticIP: 10.77.1.20
EOF
expect_lines "the commands, in order" "$(commands_run)" "/sbin/ifconfig -a
/etc/init.d/networking stop
/bin/hostname --file /etc/hostname
/etc/init.d/networking restart
/sbin/ifconfig
/sbin/ifconfig
/sbin/ifconfig -a"

expect "eth1's address" "$(ipv4_of eth1)" 10.77.1.20/24
expect "eth0 leased again" "$(ipv4_of eth0)" "$(leased_address)/24"
expect_lines "/etc/hosts" "$(cat /etc/hosts)" "127.0.0.1 localhost
10.77.1.20 labhost.lab.example labhost

# The following lines are desirable for IPv6 capable hosts
::1 localhost ip6-localhost ip6-loopback
ff02::1 ip6-allnodes
ff02::2 ip6-allrouters"
expect_status "/etc/hosts.old is the former file" 0 cmp -s /etc/hosts.old /run/lab/hosts.before
expect "labhost resolves to the new address" "$(resolve labhost)" "10.77.1.20 STREAM labhost.lab.example"
expect_lines "ifquery eth1" "$(ifquery --interfaces=/etc/network/interfaces eth1)" "address: 10.77.1.20
netmask: 255.255.255.0
broadcast: 10.77.1.255
network: 10.77.1.0"
expect "the interfaces brought up at boot" "$(ifquery --interfaces=/etc/network/interfaces --list --allow=auto | tr '\n' ' ')" "lo eth0 eth1 veth1 veth2 "
expect_status "/etc/network/interfaces.old is the former file" 0 cmp -s /etc/network/interfaces.old /run/lab/interfaces.before
expect "no .new file is left" "$(ls /etc/hosts.new /etc/network/interfaces.new 2>/dev/null)" ""
expect_lines "the veth lines" "$(sed -n '/^auto veth1$/,/^iface veth2/p' /etc/network/interfaces)" "auto veth1
iface veth1 inet manual

auto veth2
iface veth2 inet manual"
