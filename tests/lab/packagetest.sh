#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later

# scripts/package builds the package; in a lab whose /usr, /etc and /var are copy-on-write, apt installs it, the shell
# (kcmshell5 or kcmshell6) finds the module and opens it in German, and apt purges it without a trace; the machine
# stays as it was.
# usage: packagetest.sh BUILD_DIR OUTPUT_DIR SHELL   (the package and the screenshots go to OUTPUT_DIR)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"

# Which of the package's paths (folders included) exist, and whether dpkg knows the package.
state() {
    dpkg-deb --fsys-tarfile "$1" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$' | while read -r path; do [ ! -e "$path" ] || echo "$path"; done
    ls /var/lib/dpkg/info/quorlan.* 2>/dev/null
    echo "dpkg: $(dpkg-query -W -f='${Status}' quorlan 2>/dev/null)"
}

listed() { QT_QPA_PLATFORM=offscreen "$shell" --list 2>/dev/null | grep '^kcm_quorlan ' | tr -s ' '; }
# The helper's files that the package installed, and what polkit asks of an active user for each of its actions.
helper_files() {
    dpkg -L quorlan | grep -E 'kauth|dbus-1|polkit-1' | while read -r path; do [ ! -f "$path" ] || echo "$path"; done | LC_ALL=C sort
    grep -o '<allow_active>[^<]*' /usr/share/polkit-1/actions/org.kde.kcontrol.quorlan.policy | cut -d'>' -f2 | paste -sd' '
}
apt_quietly() { apt-get -y -q "$@" >"$HOME/apt.log" 2>&1 || { cat "$HOME/apt.log" && return 1; }; }

if [ "${1-}" = --inside ]; then
    require_lab
    shell=$4
    # German in a real locale, which the build made (tests/CMakeLists.txt).
    export HOME=/tmp/package-home DEBIAN_FRONTEND=noninteractive LC_ALL=en_US.UTF-8 LOCPATH=$5 LANGUAGE=de
    unset QT_PLUGIN_PATH XDG_DATA_DIRS && mkdir -p "$HOME"
    # A machine that has the package installed lends it to the lab: gone first.
    ! dpkg-query -W quorlan >/dev/null 2>&1 || apt_quietly purge quorlan
    before=$(state "$2")
    expect_status "apt-get install" 0 apt_quietly install "$2"
    # Each major's KAuth looks for its helpers in a folder of its own.
    libexec=/usr/lib/kauth/libexec
    [ "$shell" != kcmshell6 ] || libexec=/usr/lib/kf6/kauth/libexec
    expect "the root helper, its polkit actions and its bus files" "$(helper_files)" "$libexec/quorlan_authhelper
/usr/share/dbus-1/system-services/org.kde.kcontrol.quorlan.service
/usr/share/dbus-1/system.d/org.kde.kcontrol.quorlan.conf
/usr/share/polkit-1/actions/org.kde.kcontrol.quorlan.policy
auth_admin_keep auth_admin_keep auth_admin_keep"
    expect "$shell --list" "$(listed)" "kcm_quorlan - Rechnername, Ethernet-Schnittstellen, DNS-Server und Einstellungen der WLAN-Karte"
    # The title comes from the plug-in's metadata, the tabs' accelerators from the installed catalogue: with the English
    # ones two tabs would be alike.
    expect_status "the module opens in German" 0 env SMOKE_TITLE=Netzwerkverbindung SMOKE_TABS="i:identification s:interfaces d:dns l:wireless" \
        "$here/../module/kcmshell-smoke.sh" "" "$here/../data/sample-system" OFF "$3" "$shell"
    expect_status "apt-get purge" 0 apt_quietly purge quorlan
    expect "what is left after the purge, and listed" "$(state "$2")$(listed)" "$before"
    finish
fi

out=$(realpath -m "$2") && mkdir -p "$out"
deb=$("$here/../../scripts/package" "$out/deb" 2>"$out/package.log") || { cat "$out/package.log" && exit 1; }
echo "ok - scripts/package built $deb"
before=$(state "$deb")
expect_status "the lab" 0 "$lab/lab.sh" --usr -- "$0" --inside "$deb" "$out/screenshots" "$3" "$(realpath "$1")/locales"
expect "the machine after the lab" "$(state "$deb")" "$before"
finish
