#!/bin/bash
# SPDX-FileCopyrightText: 2026 quorlan developers
# SPDX-License-Identifier: GPL-2.0-or-later
#
# Run by client.sh inside the lab (lab.sh --polkit): a system bus of the lab's
# own in its fresh /run, on which polkitd and the module's helper start by
# activation as on a desktop machine, and two users to ask them: labadmin
# (uid 4001), whom a rule grants the module's actions, and labguest (uid
# 4002), whom the rule sends to a password prompt that no agent answers, as
# when the password is not given. /etc and /usr are the lab's copy-on-write
# copies: the machine's users, rules and bus are never touched.
set -euo pipefail

groupadd --gid 4001 labadmin && useradd --uid 4001 --gid 4001 --no-create-home --shell /usr/sbin/nologin labadmin
groupadd --gid 4002 labguest && useradd --uid 4002 --gid 4002 --no-create-home --shell /usr/sbin/nologin labguest
mkdir -p /etc/polkit-1/rules.d
cat >/etc/polkit-1/rules.d/10-quorlan-lab.rules <<'RULES'
polkit.addRule(function(action, subject) {
    if (action.id.indexOf("org.kde.kcontrol.quorlan.") == 0) {
        if (subject.user == "labadmin") {
            return polkit.Result.YES;
        }
        if (subject.user == "labguest") {
            return polkit.Result.AUTH_ADMIN;
        }
    }
});
RULES

mkdir -p /run/dbus
dbus-daemon --system --nofork --nopidfile &
for _ in $(seq 500); do
    [ -S /run/dbus/system_bus_socket ] && exit 0
    sleep 0.01
done
echo "lab: the system bus did not start" >&2
exit 1
