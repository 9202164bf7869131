# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# Loading: every tab shows what the lab's files and the live DHCP lease say,
# and nothing is written or run but the count of the Ethernet devices.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

leased=$(leased_address)
expect "eth0 carries its lease" "$(ipv4_of eth0)" "$leased/24"

drive load <<'STEPS'
open
buttons
show m_pTabWidget
show m_pHostName
show m_pDomain
show m_pComboBoxNI
show m_pCheckBoxEnableNetwork
show m_pRadioButtonDHCP
show m_pIPEditDHCPIP
show m_pIPEditDHCPSubnet
show m_pIPEditDHCPGateway
show m_pIPEditStaticIP
choose m_pComboBoxNI eth1
show m_pCheckBoxEnableNetwork
show m_pRadioButtonStatic
show m_pIPEditStaticIP
show m_pIPEditStaticSubnet
show m_pIPEditStaticGateway
show m_pIPEditDHCPIP
choose m_pComboBoxNI eth2
show m_pComboBoxNI
show m_pCheckBoxEnableNetwork
show m_pListBox
show LineEdit_1
show ComboBox_1
show SpinBox1
apply
STEPS
expect_transcript load <<EOF
buttons: Help Apply
m_pTabWidget: Identification
m_pHostName: labhost
m_pDomain: lab.example
m_pComboBoxNI: eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)
m_pCheckBoxEnableNetwork: checked
m_pRadioButtonDHCP: checked
m_pIPEditDHCPIP: $leased (disabled)
m_pIPEditDHCPSubnet: 255.255.255.0 (disabled)
m_pIPEditDHCPGateway: 10.77.0.1 (disabled)
m_pIPEditStaticIP: (empty) (disabled)
m_pCheckBoxEnableNetwork: checked
m_pRadioButtonStatic: checked
m_pIPEditStaticIP: 10.77.1.10
m_pIPEditStaticSubnet: 255.255.255.0
m_pIPEditStaticGateway: (empty)
m_pIPEditDHCPIP: (empty) (disabled)
m_pComboBoxNI: eth2 (3Com 3c905C-TX Fast Etherlink)
m_pCheckBoxEnableNetwork: unchecked
m_pListBox: 10.77.0.53, 10.77.0.54
LineEdit_1: labnet
ComboBox_1: Infrastructure
SpinBox1: 6
apply: nothing to save
EOF
expect "the only command run: the Ethernet count" "$(commands_run)" "/sbin/ifconfig -a"
expect "nothing was written" "$(written_files)" ""
