# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# The user declines at "Do you wish the changes to take effect now?": the
# files are written, the network stays down as the save left it, and the
# running host name is unchanged.
"$(dirname "${BASH_SOURCE[0]}")/../in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

drive decline <<'STEPS'
answer No Do you wish the changes to take effect now?
open
type m_pHostName otherhost
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
apply
show m_pHostName
show m_pIPEditStaticIP
STEPS
expect_transcript decline <<'EOF'
changed: true
apply
changed: false
box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> No
box information "TCP/IP": The changes you have made will not take effect until the next time the computer is restarted. -> OK
m_pHostName: otherhost
m_pIPEditStaticIP: 10.77.1.20
EOF
expect_lines "the commands" "$(commands_run)" "/sbin/ifconfig -a
/etc/init.d/networking stop
/sbin/ifconfig -a"

expect "/etc/hostname" "$(cat /etc/hostname)" otherhost
expect "the running host name" "$(hostname)" labhost
expect "eth1's address in the file" "$(ifquery --interfaces=/etc/network/interfaces eth1 | head -n 1)" "address: 10.77.1.20"
expect "the host's entry" "$(grep '^10\.77\.1\.' /etc/hosts)" "10.77.1.20 otherhost.lab.example otherhost"
expect "eth0 is down" "$(ipv4_of eth0)" ""
expect "eth1 is down" "$(ipv4_of eth1)" ""
expect "dhclient has ended" "$(dhclient_running && echo running)" ""
