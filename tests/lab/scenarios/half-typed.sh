# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# Addresses typed only in part: eth1's static address, then its netmask, then
# a DNS server in the add-server dialog. Each is refused with its message, the
# text stays in the entry, and no file is touched: a later Apply does nothing.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

sums() { sha256sum /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf /etc/pcmcia/wireless.opts 2>&1; }
before=$(sums)

drive half <<'STEPS'
answer OK Enter the IP Address of the DNS server
open
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.0
apply
show m_pIPEditStaticIP
type m_pIPEditStaticIP 10.77.1.10
type m_pIPEditStaticSubnet 255.255
apply
show m_pIPEditStaticSubnet
enter 10.77.0
click m_pPbtnAdd
show m_pListBox
apply
STEPS
expect_transcript half <<'EOF'
changed: true
apply
box error "TCP/IP": Interface eth1 has invalid IP address! -> OK
m_pIPEditStaticIP: 10.77.0
apply
box error "TCP/IP": Interface eth1 has invalid subnet mask address! -> OK
m_pIPEditStaticSubnet: 255.255
box AddDNS "Insert DNS IP Address": Enter the IP Address of the DNS server: -> OK (typed "10.77.0")
box error "TCP/IP": Invalid IP address -> OK
box AddDNS "Insert DNS IP Address": Enter the IP Address of the DNS server: -> Cancel
m_pListBox: 10.77.0.53, 10.77.0.54
apply
EOF
expect "the only command run: the Ethernet count" "$(commands_run)" "/sbin/ifconfig -a"
expect "nothing was written" "$(written_files)" ""
expect_lines "every file as it was" "$(sums)" "$before"
expect "eth1's address" "$(ipv4_of eth1)" 10.77.1.10/24
