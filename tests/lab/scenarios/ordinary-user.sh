# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# An ordinary user (a real non-root user id) sees the same settings, every
# field read-only, and no Apply: nothing is written and nothing is run but the
# read-only count of the Ethernet devices.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

leased=$(leased_address)

drive nobody --as-nobody <<'STEPS'
open
buttons
show m_pHostName
show m_pDomain
show m_pComboBoxNI
show m_pCheckBoxEnableNetwork
show m_pRadioButtonDHCP
show m_pIPEditDHCPIP
show m_pRenewBtn
choose m_pComboBoxNI eth1
show m_pRadioButtonStatic
show m_pIPEditStaticIP
show m_pListBox
show m_pPbtnAdd
show LineEdit_1
apply
STEPS
expect_transcript nobody <<EOF
buttons: Help
m_pHostName: labhost (disabled)
m_pDomain: lab.example (disabled)
m_pComboBoxNI: eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)
m_pCheckBoxEnableNetwork: checked (disabled)
m_pRadioButtonDHCP: checked (disabled)
m_pIPEditDHCPIP: $leased (disabled)
m_pRenewBtn: Renew (disabled)
m_pRadioButtonStatic: checked (disabled)
m_pIPEditStaticIP: 10.77.1.10 (disabled)
m_pListBox: 10.77.0.53, 10.77.0.54 (disabled)
m_pPbtnAdd: Insert (disabled)
LineEdit_1: (empty) (disabled)
apply: not offered
EOF
expect "the only command run: the Ethernet count" "$(commands_run)" "/sbin/ifconfig -a"
expect "nothing was written" "$(written_files)" ""
expect "the host name" "$(hostname)" labhost
expect "eth0's address" "$(ipv4_of eth0)" "$leased/24"
expect "eth1's address" "$(ipv4_of eth1)" 10.77.1.10/24
