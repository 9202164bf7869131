# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash

# The lab scenarios, run by scenario.sh. The sample system: eth0 by DHCP, eth1 static 10.77.1.10/24, eth2 not set up,
# host labhost.lab.example, DNS servers 10.77.0.53 and 10.77.0.54.

# The tabs show the lab's files and live lease; addresses typed in part are refused, the text stays, and nothing but the
# device count runs. An ordinary user sees every field read-only and no Apply.
load() {
    drive load <<'STEPS'
enter 10.77.0
= m_pHostName: labhost
= m_pDomain: lab.example
= m_pComboBoxNI: eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)
= m_pCheckBoxEnableNetwork: checked
= m_pRadioButtonDHCP: checked
= m_pIPEditDHCPIP: @lease@ (disabled)
= m_pIPEditDHCPSubnet: 255.255.255.0 (disabled)
= m_pIPEditDHCPGateway: 10.77.0.1 (disabled)
= LineEdit_1: labnet
choose m_pComboBoxNI eth1
= m_pRadioButtonStatic: checked
= m_pIPEditStaticSubnet: 255.255.255.0
= m_pIPEditDHCPIP: (empty) (disabled)
type m_pIPEditStaticIP 10.77.0
> changed: true
apply
> box error "TCP/IP": Interface eth1 has invalid IP address! -> OK
= m_pIPEditStaticIP: 10.77.0
click m_pPbtnAdd
> box AddDNS "Insert DNS IP Address": Enter the IP Address of the DNS server: -> OK
> box error "TCP/IP": Invalid IP address -> OK
> box AddDNS "Insert DNS IP Address": Enter the IP Address of the DNS server: -> Cancel
= m_pListBox: 10.77.0.53, 10.77.0.54
STEPS
    expect_untouched "/sbin/ifconfig -a"
    drive nobody --as-nobody <<'STEPS'
= m_pHostName: labhost (disabled)
= m_pCheckBoxEnableNetwork: checked (disabled)
= m_pRenewBtn: (empty) (disabled)
choose m_pComboBoxNI eth1
= m_pIPEditStaticIP: 10.77.1.10 (disabled)
= m_pListBox: 10.77.0.53, 10.77.0.54 (disabled)
= m_pPbtnAdd: (empty) (disabled)
= LineEdit_1: (empty) (disabled)
apply
> apply: not offered
STEPS
    expect_untouched "/sbin/ifconfig -a"
}

# A new static address for eth1, Yes: the network restarts with it, /etc/hosts follows, the former files stay as .old.
# Two veth devices, whose names end in eth1 and eth2, keep their auto lines and count for neither.
static-address() {
    ip link add veth1 type veth peer name veth2
    printf '\nauto veth1\niface veth1 inet manual\n\nauto veth2\niface veth2 inet manual\n' >>/etc/network/interfaces
    ifup veth1 veth2
    cp /etc/hosts /run/lab/hosts.before && cp /etc/network/interfaces /run/lab/interfaces.before
    drive static <<'STEPS'
answer Yes Do you wish the changes to take effect now?
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
> changed: true
apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK
= m_pIPEditStaticIP: 10.77.1.20
STEPS
    expect "the commands, in order" "$(commands_run)" "/sbin/ifconfig -a; /etc/init.d/networking stop; /bin/hostname --file /etc/hostname; /etc/init.d/networking restart; /sbin/ifconfig; /sbin/ifconfig; /sbin/ifconfig -a"
    expect "eth0 and eth1" "$(ipv4_of eth0) $(ipv4_of eth1)" "$(leased_address)/24 10.77.1.20/24"
    expect "labhost resolves to the new address" "$(resolve labhost)" "10.77.1.20 STREAM labhost.lab.example"
    expect "the interfaces brought up at boot" "$(boot_list)" "lo eth0 eth1 veth1 veth2 "
    expect "the former files are kept as .old, no .new is left" "$(cmp /etc/hosts.old /run/lab/hosts.before 2>&1; cmp /etc/network/interfaces.old /run/lab/interfaces.before 2>&1; ls /etc/*.new /etc/network/*.new 2>/dev/null)" ""
}

# A new host name and domain, the DNS servers swapped, Yes: the system follows. eth2's address is one the kernel
# refuses: the user is told, and the file keeps eth2's stanza but no longer brings it up at boot.
names-interface-fails() {
    printf '\nauto eth2\niface eth2 inet static\n\taddress 10.77.0.300\n\tnetmask 255.255.255.0\n' >>/etc/network/interfaces
    drive names <<'STEPS'
answer Yes Do you wish the changes to take effect now?
type m_pHostName quorhost
> changed: true
type m_pDomain quor.example
choose m_pListBox 10.77.0.54
click m_pDbtnUp
choose m_pComboBoxNI eth2
= m_pIPEditStaticIP: 10.77.0.300
apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box error "TCP/IP": The following interface(s) failed to restart: eth2 -> OK
= m_pDomain: quor.example
= m_pListBox: 10.77.0.54, 10.77.0.53
STEPS
    expect "the running host name and /etc/hostname" "$(uname -n) $(cat /etc/hostname)" "quorhost quorhost"
    expect "/etc/resolv.conf, its search line kept" "$(paste -sd ' ' /etc/resolv.conf)" "domain quor.example search lab.example nameserver 10.77.0.54 nameserver 10.77.0.53"
    expect "quorhost resolves to eth1's address" "$(resolve quorhost)" "10.77.1.10 STREAM quorhost.quor.example"
    expect "eth0, eth1, eth2" "$(ipv4_of eth0) $(ipv4_of eth1) $(ipv4_of eth2)" "$(leased_address)/24 10.77.1.10/24 "
    expect "the interfaces brought up at boot" "$(boot_list)" "lo eth0 eth1 "
    expect "eth2's address as it was read" "$(ifquery --interfaces=/etc/network/interfaces eth2 | head -n 1)" "address: 10.77.0.300"
}

# Renew takes a new lease and loads every tab again (an unsaved edit is gone); Release empties the DHCP entries and
# takes eth0 down.
renew-release() {
    leases=$(grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases)
    drive renew <<'STEPS'
type m_pLineEditHostname unsaved
> changed: true
click m_pRenewBtn
> changed: false
= m_pLineEditHostname: (empty)
= m_pIPEditDHCPIP: @lease@ (disabled)
STEPS
    expect "a new lease block, on eth0" "$(grep -c '^ *interface "eth0";$' /var/dhcp/dhclient.leases) $(ipv4_of eth0)" "$((leases + 1)) $(leased_address)/24"
    expect "the commands" "$(commands_run)" "/sbin/ifconfig -a; /sbin/ifdown eth0; /sbin/ifup eth0; /sbin/ifconfig -a; /sbin/ifconfig -a; /sbin/ifconfig -a"
    drive release <<'STEPS'
click m_pReleaseBtn
= m_pIPEditDHCPIP: (empty) (disabled)
= m_pIPEditDHCPGateway: (empty) (disabled)
STEPS
    expect "eth0 and eth1" "$(ipv4_of eth0) $(ipv4_of eth1)" " 10.77.1.10/24"
    expect "ifupdown has eth0 down, dhclient has ended" "$(ifquery --state eth0)$(dhclient_running)" ""
}

# No to taking effect now: the files are written, the network stays down, the host name as it was. The question's
# details and the log show the changes.
decline() {
    drive decline <<'STEPS'
answer No Do you wish the changes to take effect now?
details /var/log/lab/details Do you wish the changes to take effect now?
type m_pHostName otherhost
> changed: true
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
apply
> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> No
> box information "TCP/IP": The changes you have made will not take effect until the next time the computer is restarted. -> OK
= m_pHostName: otherhost
STEPS
    expect "the commands" "$(commands_run)" "/sbin/ifconfig -a; /etc/init.d/networking stop; /sbin/ifconfig -a"
    expect "the details" "$(grep -E '^(--- |[-+](labhost|otherhost)$)' "$logs/details" | paste -sd ' ')" "--- /etc/hostname -labhost +otherhost --- /etc/hosts --- /etc/network/interfaces"
    expect "the log has the details" "$([[ $(cat "$logs/decline.log") == *"Apply changed the system files:"$'\n'"$(cat "$logs/details")"$'\n'* ]] && echo yes)" yes
    expect "the running host name, eth1 in the file" "$(hostname) $(ifquery --interfaces=/etc/network/interfaces eth1 | head -n 1)" "labhost address: 10.77.1.20"
    expect "eth0 and eth1 are down" "$(ipv4_of eth0)$(ipv4_of eth1)$(dhclient_running)" ""
}

# /sbin/ifconfig cannot be run: the page names it and its package, stays read-only, and a save forced anyway changes
# nothing. Then an option the module cannot keep, No to going on: loading stops before the device count.
missing-program-unsupported-no() {
    install -m 644 /dev/null /run/lab/not-a-program
    mount --bind /run/lab/not-a-program "$(readlink -f /sbin/ifconfig)"
    drive missing <<'STEPS'
> box error "TCP/IP": These programs are missing or cannot be run:\n/sbin/ifconfig (Debian package net-tools)\nInstall them; until then the settings can only be viewed. -> OK
= m_pHostName: labhost (disabled)
apply
> apply: not offered
save
STEPS
    expect_untouched ""
    umount "$(readlink -f /sbin/ifconfig)"
    sed -i 's/^\(\s*netmask 255.255.255.0\)$/\1\n\thwaddress ether 02:00:00:00:01:01/' /etc/network/interfaces
    drive unsupported <<'STEPS'
answer No contains some tags that are not supported
apply
> box warningYesNo "TCP/IP": The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue? -> No
> box error "TCP/IP": Unable to load configuration data! -> OK
> apply: nothing to save
STEPS
    expect_untouched ""
}
