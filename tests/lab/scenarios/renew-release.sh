# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# Renew on eth0 takes a new lease, after which every tab is loaded again (an
# unsaved edit is gone) and the DHCP entries show the new lease; Release
# empties them and takes eth0 down.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

leased=$(leased_address)
leases=$(lease_count)

echo "# renew"
drive renew <<'STEPS'
open
show m_pIPEditDHCPIP
type m_pLineEditHostname unsaved
click m_pRenewBtn
show m_pLineEditHostname
show m_pIPEditDHCPIP
show m_pIPEditDHCPSubnet
show m_pIPEditDHCPGateway
STEPS
renewed=$(leased_address)
expect "a new lease block" "$(lease_count)" $((leases + 1))
expect "eth0 carries the new lease" "$(ipv4_of eth0)" "$renewed/24"
expect_transcript renew <<EOF
m_pIPEditDHCPIP: $leased (disabled)
changed: true
changed: false
m_pLineEditHostname: (empty)
m_pIPEditDHCPIP: $renewed (disabled)
m_pIPEditDHCPSubnet: 255.255.255.0 (disabled)
m_pIPEditDHCPGateway: 10.77.0.1 (disabled)
EOF
expect_lines "the commands" "$(commands_run)" "/sbin/ifconfig -a
/sbin/ifdown eth0
/sbin/ifup eth0
/sbin/ifconfig -a
/sbin/ifconfig -a
/sbin/ifconfig -a"

echo "# release"
drive release <<'STEPS'
open
click m_pReleaseBtn
show m_pIPEditDHCPIP
show m_pIPEditDHCPSubnet
show m_pIPEditDHCPGateway
STEPS
expect_transcript release <<'EOF'
m_pIPEditDHCPIP: (empty) (disabled)
m_pIPEditDHCPSubnet: (empty) (disabled)
m_pIPEditDHCPGateway: (empty) (disabled)
EOF
expect "eth0 has no address" "$(ipv4_of eth0)" ""
expect "eth0 is down" "$(ip -br link show dev eth0 | awk '{ print $2 }')" DOWN
expect "ifupdown has eth0 down" "$(ifquery --state eth0)" ""
expect "dhclient has ended" "$(dhclient_running && echo running)" ""
expect "eth1 stays up" "$(ipv4_of eth1)" 10.77.1.10/24
