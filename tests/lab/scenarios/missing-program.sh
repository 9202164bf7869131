# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# /sbin/ifconfig cannot be run (net-tools as good as missing): the page names it
# and its package as it opens, stays read-only without Apply, and a save forced
# anyway leaves every file and the network as they were.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

install -m 644 /dev/null /run/lab/not-a-program
mount --bind /run/lab/not-a-program "$(readlink -f /sbin/ifconfig)"
leased=$(leased_address)

drive missing <<'STEPS'
open
buttons
show m_pHostName
apply
save
STEPS
expect_transcript missing <<'EOF'
box error "TCP/IP": These programs are missing or cannot be run:\n/sbin/ifconfig (Debian package net-tools)\nInstall them; until then the settings can only be viewed. -> OK
buttons: Help
m_pHostName: labhost (disabled)
apply: not offered
save
EOF
expect "no command ran" "$(commands_run)" ""
expect "nothing was written" "$(written_files)" ""
expect "the host name" "$(hostname)" labhost
expect "eth0's address" "$(ipv4_of eth0)" "$leased/24"
expect "eth1's address" "$(ipv4_of eth1)" 10.77.1.10/24
