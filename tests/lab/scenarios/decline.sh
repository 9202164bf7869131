# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# The user declines at "Do you wish the changes to take effect now?": the
# files are written, the network stays down as the save left it, and the
# running host name is unchanged. The question's details show what was
# written to each file that changed, and nothing of the files that did not.
"$(dirname "${BASH_SOURCE[0]}")/../../../lab/in-lab" || { echo "refused: runs only inside the lab, through scenario.sh" >&2 && exit 2; }

drive decline <<'STEPS'
answer No Do you wish the changes to take effect now?
details Do you wish the changes to take effect now?
picture /var/log/lab/question-details.png Do you wish the changes to take effect now?
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
opened Details above the buttons Yes No:
--- /etc/hostname
+++ /etc/hostname
@@ -1 +1 @@
-labhost
+otherhost

--- /etc/hosts
+++ /etc/hosts
@@ -1,7 +1,7 @@
-127.0.0.1	localhost
-10.77.1.10	labhost.lab.example	labhost
+127.0.0.1 localhost
+10.77.1.20 otherhost.lab.example otherhost
 
 # The following lines are desirable for IPv6 capable hosts
-::1     localhost ip6-localhost ip6-loopback
+::1 localhost ip6-localhost ip6-loopback
 ff02::1 ip6-allnodes
 ff02::2 ip6-allrouters

--- /etc/network/interfaces
+++ /etc/network/interfaces
@@ -1,12 +1,17 @@
 # /etc/network/interfaces of the lab machine: see interfaces(5).
 
-auto lo eth0 eth1
+auto lo
 iface lo inet loopback
 
 # The office LAN hands out eth0's address.
+auto eth0
 iface eth0 inet dhcp
 
 # eth1 sits on the lab's fixed subnet.
+auto eth1
 iface eth1 inet static
-	address 10.77.1.10
+	address 10.77.1.20
 	netmask 255.255.255.0
+	broadcast 10.77.1.255
+	network 10.77.1.0
+iface eth2 inet static

--- /etc/resolv.conf
+++ /etc/resolv.conf
@@ -1,4 +1,3 @@
 domain lab.example
-search lab.example
 nameserver 10.77.0.53
 nameserver 10.77.0.54
end of details
box information "TCP/IP": The changes you have made will not take effect until the next time the computer is restarted. -> OK
m_pHostName: otherhost
m_pIPEditStaticIP: 10.77.1.20
EOF
expect_lines "the commands" "$(commands_run)" "/sbin/ifconfig -a
/etc/init.d/networking stop
/sbin/ifconfig -a"

details=$(sed -n '/^opened Details/,/^end of details$/p' "$logs/decline.transcript" | sed '1d;$d')
log=$(cat "$logs/decline.log")
expect "the log has the same changes" "$([[ $log == *"quorlan: Apply changed the system files:"$'\n'"$details"$'\n'* ]] && echo yes)" yes
expect "/etc/hostname" "$(cat /etc/hostname)" otherhost
expect "the running host name" "$(hostname)" labhost
expect "eth1's address in the file" "$(ifquery --interfaces=/etc/network/interfaces eth1 | head -n 1)" "address: 10.77.1.20"
expect "the host's entry" "$(grep '^10\.77\.1\.' /etc/hosts)" "10.77.1.20 otherhost.lab.example otherhost"
expect "eth0 is down" "$(ipv4_of eth0)" ""
expect "eth1 is down" "$(ipv4_of eth1)" ""
expect "dhclient has ended" "$(dhclient_running && echo running)" ""
