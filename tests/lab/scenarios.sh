# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash

# The lab scenarios, run by scenario.sh. The sample system: eth0 by DHCP, eth1 static 10.77.1.10/24, eth2 not set up,
# host labhost.lab.example, DNS servers 10.77.0.53 and 10.77.0.54. A scenario named in lab_devices has those devices
# instead, each in the place of eth<i> in every file; one with a folder in over/ boots with its files laid over the
# sample's.
declare -A lab_devices=([place-names]="enp1s0 enp2s0")
# Scenarios with a system bus, polkit and the root helper, and the users labadmin (granted) and labguest (refused).
declare -A lab_polkit=([helper-granted]=1 [helper-refused]=1)

# The tabs show the lab's files and live lease, read once; addresses typed in part are refused, the text stays, and
# nothing runs. An ordinary user sees every field read-only and no Apply.
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
    expect_untouched ""
    expect "the loads, and the devices each found" "$(grep 'Ethernet devices:' "$logs/load.log")" 'quorlan: Ethernet devices: eth0 eth1 eth2'
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
    expect_untouched ""
}

# A new static address for eth1, Yes: the network restarts with it, /etc/hosts follows, the former files stay as .old.
# Two veth devices, whose names end in eth1 and eth2, keep their auto lines and count for neither: each is the port of
# a bridge.
static-address() {
    ip link add veth1 type veth peer name veth2
    for i in 1 2; do ip link add vbr$i type bridge && ip link set veth$i master vbr$i; done
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
    expect "the commands, in order" "$(commands_run)" "/etc/init.d/networking stop; /bin/hostname --file /etc/hostname; /etc/init.d/networking restart"
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
    expect "the commands" "$(commands_run)" "/sbin/ifdown eth0; /sbin/ifup eth0"
    expect "the loads: the first, then one for each tab reloaded" "$(grep -c 'Ethernet devices:' "$logs/renew.log")" 4
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
    expect "the commands" "$(commands_run)" "/etc/init.d/networking stop"
    expect "the details" "$(grep -E '^(--- |[-+](labhost|otherhost)$)' "$logs/details" | paste -sd ' ')" "--- /etc/hostname -labhost +otherhost --- /etc/hosts --- /etc/network/interfaces"
    expect "the log has the details" "$([[ $(cat "$logs/decline.log") == *"Apply changed the system files:"$'\n'"$(cat "$logs/details")"$'\n'* ]] && echo yes)" yes
    expect "the running host name, eth1 in the file" "$(hostname) $(ifquery --interfaces=/etc/network/interfaces eth1 | head -n 1)" "labhost address: 10.77.1.20"
    expect "eth0 and eth1 are down" "$(ipv4_of eth0)$(ipv4_of eth1)$(dhclient_running)" ""
}

# /sbin/dhclient cannot be run: the page names it and its package, stays read-only, and a save forced anyway changes
# nothing. Then an option the module cannot keep, No to going on: loading stops before the device count.
missing-program-unsupported-no() {
    install -m 644 /dev/null /run/lab/not-a-program
    mount --bind /run/lab/not-a-program "$(readlink -f /sbin/dhclient)"
    drive missing <<'STEPS'
> box error "TCP/IP": These programs are missing or cannot be run:\n/sbin/dhclient (Debian package isc-dhcp-client)\nInstall them; until then the settings can only be viewed. -> OK
= m_pHostName: labhost (disabled)
apply
> apply: not offered
save
STEPS
    expect_untouched ""
    umount "$(readlink -f /sbin/dhclient)"
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

# The answers and boxes of an Apply whose changes take effect now.
take_effect_now='> changed: false
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK'
# The steps that show the first device (the lab's first card) enabled, by DHCP, with its lease.
first_device_by_dhcp() {
    printf '= m_pComboBoxNI: %s (Intel Corporation 82540EM Gigabit Ethernet Controller)\n' "$1"
    printf '= m_pCheckBoxEnableNetwork: checked\n= m_pRadioButtonDHCP: checked\n= m_pIPEditDHCPIP: @lease@ (disabled)\n'
}
device_commands() { grep -E '^/sbin/if(up|down) ' "$logs/commands.log" | paste -sd ';' | sed 's/;/; /g'; }

# A machine without a wireless options file, as every Debian machine today: the Wireless tab shows the defaults and no box
# says a file was copied aside. The first Apply writes the module's own file, and the reload after it shows no box either.
no-wireless-file() {
    rm /etc/pcmcia/wireless.opts
    drive no-wireless <<STEPS
answer Yes Do you wish the changes to take effect now?
= LineEdit_1: Any
= ComboBox_1: Auto
= SpinBox1: 10
= ComboBox_2: Auto
type LineEdit_1 labnet
> changed: true
apply
$take_effect_now
= LineEdit_1: labnet
STEPS
    expect "the written wireless file, its mode, no .orig" "$(cat /etc/pcmcia/wireless.opts; stat -c %a /etc/pcmcia/wireless.opts; ls /etc/pcmcia)" \
        '# Generated by network settings panel
# ESSID (extended network name): e.g. My Network
ESSID="labnet"
# Operation mode: Ad-Hoc, Managed, or Auto
MODE="Auto"
# Channel: 1, 2, 3, etc.
CHANNEL="10"
# Bit rate: Auto, 1 Mbps, 2 Mbps, 5.5 Mbps, or 11 Mbps
RATE="Auto"
# Encryption key
#KEY=""
600
wireless.opts'
}

# The devices named by their place, as Debian names them today (enp1s0 by DHCP, enp2s0 static): they are listed, a new
# static address and a renewed lease bring them up, and no file or command names an eth device.
place-names() {
    drive place-static <<STEPS
answer Yes Do you wish the changes to take effect now?
$(first_device_by_dhcp enp1s0)
choose m_pComboBoxNI enp2s0
= m_pComboBoxNI: enp2s0 (Realtek Semiconductor RTL8139 Fast Ethernet)
= m_pRadioButtonStatic: checked
= m_pIPEditStaticIP: 10.77.1.10
type m_pIPEditStaticIP 10.77.1.20
> changed: true
apply
$take_effect_now
= m_pIPEditStaticIP: 10.77.1.20
STEPS
    expect "enp1s0 and enp2s0" "$(ipv4_of enp1s0) $(ipv4_of enp2s0)" "$(leased_address)/24 10.77.1.20/24"
    expect "the interfaces brought up at boot" "$(boot_list)" "lo enp1s0 enp2s0 "
    expect "enp2s0 in the file" "$(ifquery --interfaces=/etc/network/interfaces enp2s0 | grep -E '^(address|netmask):')" "address: 10.77.1.20
netmask: 255.255.255.0"
    expect "labhost resolves to the new address" "$(resolve labhost)" "10.77.1.20 STREAM labhost.lab.example"
    cp "$logs/commands.log" /run/lab/static-commands.log
    # dhclient rewrites its lease file when it starts, keeping a few blocks per device, so
    # the count of blocks no longer grows once the Apply above has renewed the lease.
    leases=$(sha1sum </var/dhcp/dhclient.leases)
    drive place-renew <<'STEPS'
click m_pRenewBtn
= m_pIPEditDHCPIP: @lease@ (disabled)
STEPS
    expect "the renewal's commands" "$(device_commands)" "/sbin/ifdown enp1s0; /sbin/ifup enp1s0"
    expect "a new lease, on enp1s0" "$([ "$(sha1sum </var/dhcp/dhclient.leases)" != "$leases" ] && echo written) $(ipv4_of enp1s0)" "written $(leased_address)/24"
    expect "no file or command names an eth device" "$(grep -lw 'eth[0-9]' /etc/network/interfaces /etc/hosts /run/lab/static-commands.log "$logs/commands.log")" ""
}

# Debian's installer's interfaces file (over/installer-file): eth0 is brought up at boot by its allow-hotplug line and
# shown enabled. Enabling eth1 with a static address leaves eth0's lines, the source line and Debian's hosts lines as
# they were, byte for byte.
installer-file() {
    drive installer <<STEPS
answer Yes Do you wish the changes to take effect now?
$(first_device_by_dhcp eth0)
choose m_pComboBoxNI eth1
click m_pCheckBoxEnableNetwork
> changed: true
click m_pRadioButtonStatic
type m_pIPEditStaticIP 10.77.1.20
type m_pIPEditStaticSubnet 255.255.255.0
apply
$take_effect_now
= m_pIPEditStaticIP: 10.77.1.20
STEPS
    kept='source /etc/network/interfaces.d/*
# The loopback network interface
iface lo inet loopback
# The primary network interface
allow-hotplug eth0
iface eth0 inet dhcp
# This is an autoconfigured IPv6 interface
iface eth0 inet6 auto'
    expect "the lines kept, once each, in their order (auto lines aside)" "$(grep -xF -f <(echo "$kept") /etc/network/interfaces)" "$kept"
    expect "eth0's options as ifupdown reads them: its IPv6 stanza's" "$(ifquery --interfaces=/etc/network/interfaces eth0)" "accept_ra: 2
request_prefix: 0
ll-attempts: 60
ll-interval: 0.1"
    expect "the interfaces brought up at boot, by hotplug" "$(boot_list)| $(ifquery --interfaces=/etc/network/interfaces --list --allow=hotplug)" "lo eth1 | eth0"
    expect "eth0 and eth1" "$(ipv4_of eth0) $(ipv4_of eth1)" "$(leased_address)/24 10.77.1.20/24"
    expect "/etc/hosts: Debian's lines as they were, eth1's address added" "$(cat -A /etc/hosts)" '127.0.0.1^Ilocalhost$
127.0.1.1^Ilabhost.lab.example^Ilabhost$
$
# The following lines are desirable for IPv6 capable hosts$
::1     localhost ip6-localhost ip6-loopback$
ff02::1 ip6-allnodes$
ff02::2 ip6-allrouters$
10.77.1.20 labhost.lab.example labhost$'
}

# A resolver file with search and options lines: a new order of the servers keeps them, byte for byte, in their places.
resolver-search-options() {
    printf '# Written by hand.\ndomain lab.example\nsearch\tlab.example  corp.example\nnameserver 10.77.0.53\nnameserver 10.77.0.54\noptions timeout:2 attempts:3 rotate\n' >/etc/resolv.conf
    drive resolver <<STEPS
answer Yes Do you wish the changes to take effect now?
choose m_pListBox 10.77.0.54
click m_pDbtnUp
> changed: true
apply
$take_effect_now
= m_pListBox: 10.77.0.54, 10.77.0.53
STEPS
    expect "/etc/resolv.conf" "$(cat -A /etc/resolv.conf)" '# Written by hand.$
domain lab.example$
search^Ilab.example  corp.example$
nameserver 10.77.0.54$
nameserver 10.77.0.53$
options timeout:2 attempts:3 rotate$'
}

# A resolver file that is a link into /run, kept by resolvconf: the DNS tab shows its servers read-only and says which
# program manages it; Apply changes the host name and leaves the link and its file alone.
resolver-link() {
    mkdir -p /run/resolvconf
    printf '# Dynamic resolv.conf(5) file for glibc resolver(3) generated by resolvconf(8)\n#     DO NOT EDIT THIS FILE BY HAND -- YOUR CHANGES WILL BE OVERWRITTEN\nnameserver 10.77.0.53\nsearch lab.example\n' >/run/resolvconf/resolv.conf
    ln -sfn ../run/resolvconf/resolv.conf /etc/resolv.conf
    cp /run/resolvconf/resolv.conf /run/lab/resolv.conf.before
    drive resolver-link <<STEPS
answer Yes Do you wish the changes to take effect now?
= m_pListBox: 10.77.0.53 (disabled)
= m_pPbtnAdd: (empty) (disabled)
seek resolvconf
> seek "resolvconf": shown
type m_pHostName quorhost
> changed: true
apply
$take_effect_now
= m_pHostName: quorhost
STEPS
    expect "the link, its file, no copy beside it" "$(readlink /etc/resolv.conf; cmp /run/resolvconf/resolv.conf /run/lab/resolv.conf.before 2>&1; ls /etc/resolv.conf.* /run/resolvconf/resolv.conf.* 2>&1)" \
        "../run/resolvconf/resolv.conf
ls: cannot access '/etc/resolv.conf.*': No such file or directory
ls: cannot access '/run/resolvconf/resolv.conf.*': No such file or directory"
    expect "the running host name and /etc/hostname" "$(uname -n) $(cat /etc/hostname)" "quorhost quorhost"
}

# labadmin, whom polkit grants the module's actions, gives eth1 a new address and the computer a new name, Yes: Apply
# asks for authorisation, the root helper writes and restarts, and the system ends as the superuser's Apply leaves it.
helper-granted() {
    drive granted --as labadmin <<'STEPS'
answer Yes Do you wish the changes to take effect now?
type m_pHostName quorhost
> changed: true
choose m_pComboBoxNI eth1
type m_pIPEditStaticIP 10.77.1.20
apply
> apply: authorized by org.kde.kcontrol.quorlan.write
> box warningYesNo "TCP/IP": The settings have been changed. Do you wish the changes to take effect now? -> Yes
> box information "TCP/IP": The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer is restarted. -> OK
> changed: false
= m_pHostName: quorhost
= m_pIPEditStaticIP: 10.77.1.20
STEPS
    expect "the commands, in order" "$(commands_run)" "/etc/init.d/networking stop; /bin/hostname --file /etc/hostname; /etc/init.d/networking restart"
    expect "the running host name and /etc/hostname" "$(uname -n) $(cat /etc/hostname)" "quorhost quorhost"
    expect "eth0 and eth1" "$(ipv4_of eth0) $(ipv4_of eth1)" "$(leased_address)/24 10.77.1.20/24"
    expect "quorhost resolves to the new address" "$(resolve quorhost)" "10.77.1.20 STREAM quorhost.lab.example"
    expect "the interfaces brought up at boot" "$(boot_list)" "lo eth0 eth1 "
    expect "the files written are root's, as before" "$(stat -c '%U %a %n' /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf)" "root 644 /etc/hostname
root 644 /etc/hosts
root 644 /etc/network/interfaces
root 644 /etc/resolv.conf"
}

# labguest, whom polkit sends to a password prompt that nobody answers, changes the host name and applies: one message
# of the module's own, nothing runs, and every file stays byte for byte.
helper-refused() {
    local files=(/etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf /etc/pcmcia/wireless.opts) file
    mkdir -p /run/lab/before && cp -a --parents "${files[@]}" /run/lab/before/
    drive refused --as labguest <<'STEPS'
type m_pHostName quorhost
> changed: true
apply
> apply: authorized by org.kde.kcontrol.quorlan.write
> box error "TCP/IP": The network settings were not changed: the administrator's password was not given, or this system does not allow you to change them. -> OK
= m_pHostName: quorhost
STEPS
    expect_untouched ""
    expect "every file byte for byte" "$(for file in "${files[@]}"; do cmp "/run/lab/before$file" "$file" 2>&1; done)" ""
    expect "the running host name" "$(uname -n)" "labhost"
}
