# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# The host name and the domain change and the DNS servers swap places, Apply,
# Yes: the running host name, /etc/hostname, /etc/hosts and the resolver file
# follow, the servers in the order the DNS tab shows them.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

drive names <<'STEPS'
answer Yes Do you wish the changes to take effect now?
open
type m_pHostName quorhost
type m_pDomain quor.example
choose m_pListBox 10.77.0.54
click m_pDbtnUp
show m_pListBox
apply
show m_pHostName
show m_pDomain
show m_pListBox
STEPS
expect_transcript names <<'EOF'
changed: true
m_pListBox: 10.77.0.54, 10.77.0.53
apply
changed: false
box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK
m_pHostName: quorhost
m_pDomain: quor.example
m_pListBox: 10.77.0.54, 10.77.0.53
EOF

expect "the running host name" "$(hostname)" quorhost
expect "the node name of the UTS namespace" "$(uname -n)" quorhost
expect "/etc/hostname" "$(cat /etc/hostname)" quorhost
expect_lines "/etc/resolv.conf" "$(cat /etc/resolv.conf)" "domain quor.example
nameserver 10.77.0.54
nameserver 10.77.0.53"
expect_lines "/etc/hosts" "$(cat /etc/hosts)" "127.0.0.1 localhost
10.77.1.10 quorhost.quor.example quorhost

# The following lines are desirable for IPv6 capable hosts
::1 localhost ip6-localhost ip6-loopback
ff02::1 ip6-allnodes
ff02::2 ip6-allrouters"
expect "quorhost resolves to eth1's address" "$(resolve quorhost)" "10.77.1.10 STREAM quorhost.quor.example"
expect "the fully qualified name" "$(hostname --fqdn)" quorhost.quor.example
