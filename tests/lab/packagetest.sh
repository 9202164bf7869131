#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# The Debian package the way an administrator meets it: scripts/package builds
# it, then, in a lab whose /usr, /etc and /var are copy-on-write, apt installs
# it, kcmshell5 finds the module and opens it in German, and apt purges it
# without a trace. The machine's own package database and files stay as they
# were.
# usage: packagetest.sh OUTPUT_DIR   (the package and the screenshots go there)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/expect.sh"

# The paths a package holds, one a line, folders included.
package_paths() {
    dpkg-deb --fsys-tarfile "$1" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$'
}

# Whether each path exists, and whether dpkg knows the package.
state() {
    local path
    while read -r path; do
        if [ -e "$path" ]; then echo "$path"; fi
    done
    ls /var/lib/dpkg/info/quorlan.* 2>/dev/null
    echo "dpkg: $(dpkg-query -W -f='${Status}' quorlan 2>/dev/null)"
}

# The module's line in kcmshell5's list, if any.
listed() {
    QT_QPA_PLATFORM=offscreen kcmshell5 --list 2>/dev/null | grep '^kcm_quorlan ' | tr -s ' '
}

# apt-get, its output shown only when it fails.
apt_quietly() {
    local status=0
    apt-get -y -q "$@" >"$HOME/apt.log" 2>&1 || status=$?
    [ "$status" = 0 ] || cat "$HOME/apt.log"
    return "$status"
}

inside() {
    require_lab
    local deb=$1 shots=$2 before
    export HOME=/tmp/package-home DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 LANGUAGE=de
    unset QT_PLUGIN_PATH XDG_DATA_DIRS
    mkdir -p "$HOME"
    # A machine that has the package installed lends it to the lab: gone first.
    dpkg-query -W quorlan >/dev/null 2>&1 && apt_quietly purge quorlan
    before=$(package_paths "$deb" | state)

    expect_status "apt-get install" 0 apt_quietly install "$deb"
    expect "kcmshell5 --list" "$(listed)" \
        "kcm_quorlan - Rechnername, Ethernet-Schnittstellen, DNS-Server und Einstellungen der WLAN-Karte"
    # The German title comes from the plug-in's metadata, the German
    # accelerators (Identifikation, Schnittstellen, DNS, WLAN) from the
    # installed catalogue: with the English ones two tabs would look the same.
    expect_status "the module opens in German" 0 env SMOKE_TITLE=Netzwerkverbindung \
        SMOKE_TABS="i:identification s:interfaces d:dns l:wireless" \
        "$here/../module/kcmshell-smoke.sh" "" "$here/../data/sample-system" OFF "$shots"

    expect_status "apt-get purge" 0 apt_quietly purge quorlan
    expect_lines "what is left after the purge" "$(package_paths "$deb" | state)" "$before"
    expect "kcmshell5 --list after the purge" "$(listed)" ""
    finish
}

if [ "${1-}" = --inside ]; then
    shift
    inside "$@"
fi

require_root
out=$(realpath -m "$1")
mkdir -p "$out"
if ! deb=$("$here/../../scripts/package" "$out/deb" 2>"$out/package.log"); then
    cat "$out/package.log"
    expect "scripts/package" failed ok
    finish
fi
echo "ok - scripts/package built $deb"

before=$(package_paths "$deb" | state)
expect_status "the lab" 0 "$here/../../lab/lab.sh" --usr -- "$here/packagetest.sh" --inside "$deb" "$out/screenshots"
expect_lines "the machine after the lab" "$(package_paths "$deb" | state)" "$before"
finish
