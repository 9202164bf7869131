# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# The interfaces file holds an option the module cannot keep; the user answers
# No to going on: loading stops there, before the Ethernet devices are
# counted, and nothing is written.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

sed -i 's/^\(\s*netmask 255.255.255.0\)$/\1\n\thwaddress ether 02:00:00:00:01:01/' /etc/network/interfaces
before=$(cat /etc/network/interfaces)

drive unsupported <<'STEPS'
answer No contains some tags that are not supported
open
buttons
apply
STEPS
expect_transcript unsupported <<'EOF'
box warningYesNo "TCP/IP": The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue? -> No
box error "TCP/IP": Unable to load configuration data! -> OK
buttons: Help Apply
apply: nothing to save
EOF
expect "no command ran, not even the Ethernet count" "$(commands_run)" ""
expect "nothing was written" "$(written_files)" ""
expect_lines "the interfaces file" "$(cat /etc/network/interfaces)" "$before"
