# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# eth2 is brought up at boot with an address the kernel refuses. Any Apply
# restarts networking, eth2 stays down: the user is told so, and the file
# keeps eth2's stanza as it was read but no longer brings it up at boot.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

cat >>/etc/network/interfaces <<'EOF'

# eth2 holds an address the kernel refuses.
auto eth2
iface eth2 inet static
	address 10.77.0.300
	netmask 255.255.255.0
EOF

drive fails <<'STEPS'
answer Yes Do you wish the changes to take effect now?
open
choose m_pComboBoxNI eth2
show m_pCheckBoxEnableNetwork
show m_pIPEditStaticIP
choose m_pListBox 10.77.0.54
click m_pDbtnUp
apply
STEPS
expect_transcript fails <<'EOF'
m_pCheckBoxEnableNetwork: checked
m_pIPEditStaticIP: 10.77.0.300
changed: true
apply
changed: false
box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
box error "TCP/IP": The following interface(s) failed to restart: eth2 -> OK
EOF

expect "eth2 has no address" "$(ipv4_of eth2)" ""
expect "eth1 came up" "$(ipv4_of eth1)" 10.77.1.10/24
expect "eth0 came up" "$(ipv4_of eth0)" "$(leased_address)/24"
expect "the interfaces brought up at boot" "$(ifquery --interfaces=/etc/network/interfaces --list --allow=auto | tr '\n' ' ')" "lo eth0 eth1 "
expect "no auto line names eth2" "$(grep -E '^auto( |.* )eth2( |$)' /etc/network/interfaces)" ""
expect_lines "eth2's stanza, its address as it was read" "$(ifquery --interfaces=/etc/network/interfaces eth2)" "address: 10.77.0.300
netmask: 255.255.255.0
broadcast: 0.0.0.255"
