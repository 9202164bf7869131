# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
#
# The lab scenarios, one function each, run by scenario.sh inside a fresh lab.
# The sample system: eth0 by DHCP, eth1 static 10.77.1.10/24, eth2 not set up,
# host labhost.lab.example, DNS servers 10.77.0.53 and 10.77.0.54.

# Every tab shows what the lab's files and the live DHCP lease say, and
# nothing is written or run but the count of the Ethernet devices; an ordinary
# user (a real non-root user id) sees the same, every field read-only, and no Apply.
load() {
    drive load <<'STEPS'
open
buttons
> buttons: Help Apply
= m_pTabWidget: Identification
= m_pHostName: labhost
= m_pDomain: lab.example
= m_pComboBoxNI: eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)
= m_pCheckBoxEnableNetwork: checked
= m_pRadioButtonDHCP: checked
= m_pIPEditDHCPIP: @lease@ (disabled)
= m_pIPEditDHCPSubnet: 255.255.255.0 (disabled)
= m_pIPEditDHCPGateway: 10.77.0.1 (disabled)
= m_pIPEditStaticIP: (empty) (disabled)
choose m_pComboBoxNI eth1
= m_pCheckBoxEnableNetwork: checked
= m_pRadioButtonStatic: checked
= m_pIPEditStaticIP: 10.77.1.10
= m_pIPEditStaticSubnet: 255.255.255.0
= m_pIPEditStaticGateway: (empty)
= m_pIPEditDHCPIP: (empty) (disabled)
choose m_pComboBoxNI eth2
= m_pComboBoxNI: eth2 (3Com 3c905C-TX Fast Etherlink)
= m_pCheckBoxEnableNetwork: unchecked
= m_pListBox: 10.77.0.53, 10.77.0.54
= LineEdit_1: labnet
= ComboBox_1: Infrastructure
= SpinBox1: 6
apply
> apply: nothing to save
STEPS
    expect_untouched "/sbin/ifconfig -a"
    drive nobody --as-nobody <<'STEPS'
open
buttons
> buttons: Help
= m_pHostName: labhost (disabled)
= m_pDomain: lab.example (disabled)
= m_pComboBoxNI: eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)
= m_pCheckBoxEnableNetwork: checked (disabled)
= m_pRadioButtonDHCP: checked (disabled)
= m_pIPEditDHCPIP: @lease@ (disabled)
= m_pRenewBtn: Renew (disabled)
choose m_pComboBoxNI eth1
= m_pRadioButtonStatic: checked (disabled)
= m_pIPEditStaticIP: 10.77.1.10 (disabled)
= m_pListBox: 10.77.0.53, 10.77.0.54 (disabled)
= m_pPbtnAdd: Insert (disabled)
= LineEdit_1: (empty) (disabled)
apply
> apply: not offered
STEPS
    expect_untouched "/sbin/ifconfig -a"
}

# eth1's static address changes, Apply, Yes: the network restarts with the new
# address, the host's entry in /etc/hosts follows it, and the former files stay
# as .old. Two veth devices, whose names end in eth1 and eth2, keep their auto
# lines and count for neither.
static-address() {
    ip link add veth1 type veth peer name veth2
    printf '\nauto veth1\niface veth1 inet manual\n\nauto veth2\niface veth2 inet manual\n' >>/etc/network/interfaces
    ifup veth1 veth2
    cp /etc/hosts /run/lab/hosts.before
    cp /etc/network/interfaces /run/lab/interfaces.before
    drive static <<'STEPS'
answer Yes Do you wish the changes to take effect now?
open
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
> changed: true
apply
> apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK
= m_pIPEditStaticIP: 10.77.1.20
STEPS
    expect "the commands, in order" "$(commands_run)" "/sbin/ifconfig -a
/etc/init.d/networking stop
/bin/hostname --file /etc/hostname
/etc/init.d/networking restart
/sbin/ifconfig
/sbin/ifconfig
/sbin/ifconfig -a"
    expect "eth1's address" "$(ipv4_of eth1)" 10.77.1.20/24
    expect "eth0 leased again" "$(ipv4_of eth0)" "$(leased_address)/24"
    expect "/etc/hosts" "$(cat /etc/hosts)" "127.0.0.1 localhost
10.77.1.20 labhost.lab.example labhost

# The following lines are desirable for IPv6 capable hosts
::1 localhost ip6-localhost ip6-loopback
ff02::1 ip6-allnodes
ff02::2 ip6-allrouters"
    expect_status "/etc/hosts.old is the former file" 0 cmp -s /etc/hosts.old /run/lab/hosts.before
    expect "labhost resolves to the new address" "$(resolve labhost)" "10.77.1.20 STREAM labhost.lab.example"
    expect "ifquery eth1" "$(ifquery --interfaces=/etc/network/interfaces eth1)" "address: 10.77.1.20
netmask: 255.255.255.0
broadcast: 10.77.1.255
network: 10.77.1.0"
    expect "the interfaces brought up at boot" "$(boot_list)" "lo eth0 eth1 veth1 veth2 "
    expect_status "/etc/network/interfaces.old is the former file" 0 cmp -s /etc/network/interfaces.old /run/lab/interfaces.before
    expect "no .new file is left" "$(ls /etc/hosts.new /etc/network/interfaces.new 2>/dev/null)" ""
    expect "the veth lines" "$(sed -n '/^auto veth1$/,/^iface veth2/p' /etc/network/interfaces)" "auto veth1
iface veth1 inet manual

auto veth2
iface veth2 inet manual"
}

# eth2 is brought up at boot with an address the kernel refuses. Any Apply
# restarts networking, eth2 stays down: the user is told so, and the file
# keeps eth2's stanza as it was read but no longer brings it up at boot.
interface-fails() {
    printf '\nauto eth2\niface eth2 inet static\n\taddress 10.77.0.300\n\tnetmask 255.255.255.0\n' >>/etc/network/interfaces
    drive fails <<'STEPS'
answer Yes Do you wish the changes to take effect now?
open
choose m_pComboBoxNI eth2
= m_pCheckBoxEnableNetwork: checked
= m_pIPEditStaticIP: 10.77.0.300
choose m_pListBox 10.77.0.54
click m_pDbtnUp
> changed: true
apply
> apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box error "TCP/IP": The following interface(s) failed to restart: eth2 -> OK
STEPS
    expect "eth2 has no address" "$(ipv4_of eth2)" ""
    expect "eth1 came up" "$(ipv4_of eth1)" 10.77.1.10/24
    expect "eth0 came up" "$(ipv4_of eth0)" "$(leased_address)/24"
    expect "the interfaces brought up at boot" "$(boot_list)" "lo eth0 eth1 "
    expect "no auto line names eth2" "$(grep -E '^auto( |.* )eth2( |$)' /etc/network/interfaces)" ""
    expect "eth2's stanza, its address as it was read" "$(ifquery --interfaces=/etc/network/interfaces eth2)" "address: 10.77.0.300
netmask: 255.255.255.0
broadcast: 0.0.0.255"
}

# The host name and the domain change and the DNS servers swap places, Apply,
# Yes: the running host name, /etc/hostname, /etc/hosts and the resolver file
# follow, the servers in the order the DNS tab shows them.
host-name-domain() {
    drive names <<'STEPS'
answer Yes Do you wish the changes to take effect now?
open
type m_pHostName quorhost
type m_pDomain quor.example
choose m_pListBox 10.77.0.54
click m_pDbtnUp
> changed: true
= m_pListBox: 10.77.0.54, 10.77.0.53
apply
> apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK
= m_pHostName: quorhost
= m_pDomain: quor.example
= m_pListBox: 10.77.0.54, 10.77.0.53
STEPS
    expect "the running host name" "$(hostname)" quorhost
    expect "the node name of the UTS namespace" "$(uname -n)" quorhost
    expect "/etc/hostname" "$(cat /etc/hostname)" quorhost
    expect "/etc/resolv.conf" "$(cat /etc/resolv.conf)" "domain quor.example
nameserver 10.77.0.54
nameserver 10.77.0.53"
    expect "/etc/hosts" "$(cat /etc/hosts)" "127.0.0.1 localhost
10.77.1.10 quorhost.quor.example quorhost

# The following lines are desirable for IPv6 capable hosts
::1 localhost ip6-localhost ip6-loopback
ff02::1 ip6-allnodes
ff02::2 ip6-allrouters"
    expect "quorhost resolves to eth1's address" "$(resolve quorhost)" "10.77.1.10 STREAM quorhost.quor.example"
    expect "the fully qualified name" "$(hostname --fqdn)" quorhost.quor.example
}

# Renew on eth0 takes a new lease, after which every tab is loaded again (an
# unsaved edit is gone) and the DHCP entries show the new lease; Release
# empties them and takes eth0 down.
renew-release() {
    local leased leases
    leased=$(leased_address)
    leases=$(grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases)
    drive renew <<STEPS
open
= m_pIPEditDHCPIP: $leased (disabled)
type m_pLineEditHostname unsaved
> changed: true
click m_pRenewBtn
> changed: false
= m_pLineEditHostname: (empty)
= m_pIPEditDHCPIP: @lease@ (disabled)
= m_pIPEditDHCPSubnet: 255.255.255.0 (disabled)
= m_pIPEditDHCPGateway: 10.77.0.1 (disabled)
STEPS
    expect "a new lease block" "$(grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases)" $((leases + 1))
    expect "eth0 carries the new lease" "$(ipv4_of eth0)" "$(leased_address)/24"
    expect "the commands" "$(commands_run)" "/sbin/ifconfig -a
/sbin/ifdown eth0
/sbin/ifup eth0
/sbin/ifconfig -a
/sbin/ifconfig -a
/sbin/ifconfig -a"
    drive release <<'STEPS'
open
click m_pReleaseBtn
= m_pIPEditDHCPIP: (empty) (disabled)
= m_pIPEditDHCPSubnet: (empty) (disabled)
= m_pIPEditDHCPGateway: (empty) (disabled)
STEPS
    expect "eth0 has no address" "$(ipv4_of eth0)" ""
    expect "eth0 is down" "$(ip -br link show dev eth0 | awk '{ print $2 }')" DOWN
    expect "ifupdown has eth0 down" "$(ifquery --state eth0)" ""
    expect "dhclient has ended" "$(dhclient_running)" ""
    expect "eth1 stays up" "$(ipv4_of eth1)" 10.77.1.10/24
}

# Addresses typed only in part: eth1's static address, then its netmask, then
# a DNS server in the add-server dialog. Each is refused with its message, the
# text stays in the entry, and no file is touched: a later Apply does nothing.
half-typed() {
    drive half <<'STEPS'
answer OK Enter the IP Address of the DNS server
open
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.0
> changed: true
apply
> apply
> box error "TCP/IP": Interface eth1 has invalid IP address! -> OK
= m_pIPEditStaticIP: 10.77.0
type m_pIPEditStaticIP 10.77.1.10
type m_pIPEditStaticSubnet 255.255
apply
> apply
> box error "TCP/IP": Interface eth1 has invalid subnet mask address! -> OK
= m_pIPEditStaticSubnet: 255.255
enter 10.77.0
click m_pPbtnAdd
> box AddDNS "Insert DNS IP Address": Enter the IP Address of the DNS server: -> OK (typed "10.77.0")
> box error "TCP/IP": Invalid IP address -> OK
> box AddDNS "Insert DNS IP Address": Enter the IP Address of the DNS server: -> Cancel
= m_pListBox: 10.77.0.53, 10.77.0.54
apply
> apply
STEPS
    expect_untouched "/sbin/ifconfig -a"
}

# The user declines at "Do you wish the changes to take effect now?": the
# files are written, the network stays down as the save left it, and the
# running host name is unchanged. The question's details show what was
# written to each file that changed, and nothing of the files that did not;
# the log has the same.
decline() {
    drive decline <<'STEPS'
answer No Do you wish the changes to take effect now?
details /var/log/lab/question-details.png Do you wish the changes to take effect now?
open
type m_pHostName otherhost
> changed: true
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
apply
> apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> No
> opened Details above the buttons Yes No:
> --- /etc/hostname
> +++ /etc/hostname
> @@ -1 +1 @@
> -labhost
> +otherhost
>
> --- /etc/hosts
> +++ /etc/hosts
> @@ -1,7 +1,7 @@
> -127.0.0.1	localhost
> -10.77.1.10	labhost.lab.example	labhost
> +127.0.0.1 localhost
> +10.77.1.20 otherhost.lab.example otherhost
>  
>  # The following lines are desirable for IPv6 capable hosts
> -::1     localhost ip6-localhost ip6-loopback
> +::1 localhost ip6-localhost ip6-loopback
>  ff02::1 ip6-allnodes
>  ff02::2 ip6-allrouters
>
> --- /etc/network/interfaces
> +++ /etc/network/interfaces
> @@ -1,12 +1,17 @@
>  # /etc/network/interfaces of the lab machine: see interfaces(5).
>  
> -auto lo eth0 eth1
> +auto lo
>  iface lo inet loopback
>  
>  # The office LAN hands out eth0's address.
> +auto eth0
>  iface eth0 inet dhcp
>  
>  # eth1 sits on the lab's fixed subnet.
> +auto eth1
>  iface eth1 inet static
> -	address 10.77.1.10
> +	address 10.77.1.20
>  	netmask 255.255.255.0
> +	broadcast 10.77.1.255
> +	network 10.77.1.0
> +iface eth2 inet static
>
> --- /etc/resolv.conf
> +++ /etc/resolv.conf
> @@ -1,4 +1,3 @@
>  domain lab.example
> -search lab.example
>  nameserver 10.77.0.53
>  nameserver 10.77.0.54
> end of details
> box information "TCP/IP": The changes you have made will not take effect until the next time the computer is restarted. -> OK
= m_pHostName: otherhost
= m_pIPEditStaticIP: 10.77.1.20
STEPS
    expect "the commands" "$(commands_run)" "/sbin/ifconfig -a
/etc/init.d/networking stop
/sbin/ifconfig -a"
    local details
    details=$(sed -n '/^opened Details/,/^end of details$/p' "$logs/decline.transcript" | sed '1d;$d')
    expect "the log has the same changes" "$([[ $(cat "$logs/decline.log") == *"quorlan: Apply changed the system files:"$'\n'"$details"$'\n'* ]] && echo yes)" yes
    expect "the running host name" "$(hostname)" labhost
    expect "eth1's address in the file" "$(ifquery --interfaces=/etc/network/interfaces eth1 | head -n 1)" "address: 10.77.1.20"
    expect "eth0 and eth1 are down" "$(ipv4_of eth0)$(ipv4_of eth1)" ""
    expect "dhclient has ended" "$(dhclient_running)" ""
}

# /sbin/ifconfig cannot be run (net-tools as good as missing): the page names it
# and its package as it opens, stays read-only without Apply, and a save forced
# anyway leaves every file and the network as they were.
missing-program() {
    install -m 644 /dev/null /run/lab/not-a-program
    mount --bind /run/lab/not-a-program "$(readlink -f /sbin/ifconfig)"
    drive missing <<'STEPS'
open
> box error "TCP/IP": These programs are missing or cannot be run:\n/sbin/ifconfig (Debian package net-tools)\nInstall them; until then the settings can only be viewed. -> OK
buttons
> buttons: Help
= m_pHostName: labhost (disabled)
apply
> apply: not offered
save
> save
STEPS
    expect_untouched ""
}

# The interfaces file holds an option the module cannot keep; the user answers
# No to going on: loading stops there, before the Ethernet devices are
# counted, and nothing is written.
unsupported-no() {
    sed -i 's/^\(\s*netmask 255.255.255.0\)$/\1\n\thwaddress ether 02:00:00:00:01:01/' /etc/network/interfaces
    drive unsupported <<'STEPS'
answer No contains some tags that are not supported
open
> box warningYesNo "TCP/IP": The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue? -> No
> box error "TCP/IP": Unable to load configuration data! -> OK
buttons
> buttons: Help Apply
apply
> apply: nothing to save
STEPS
    expect_untouched ""
}
