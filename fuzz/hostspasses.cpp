// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The hosts file through its three passes, for a static interface that moved,
// a DHCP interface and a disabled one: no comment goes, and every line that
// comes out is a line that went in, byte for byte, or an entry of the module.

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/systemfiles.h"
#include "config/textfile.h"
#include "fuzz.h"

#include <QSet>

#include <algorithm>
#include <iterator>

static QStringList comments(const QStringList &lines)
{
    QStringList found;
    std::copy_if(lines.cbegin(), lines.cend(), std::back_inserter(found), [](const QString &line) {
        return TextFile::trimmed(line).startsWith(QLatin1Char('#'));
    });
    return found;
}

// The records and the identity are the same for every input: set up once.
static const Interface *moves()
{
    static Interface records[SystemFiles::RecordCount];
    for (int i = 0; i < SystemFiles::RecordCount; ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = i < 3;
        records[i].enabled = i < 2;
    }
    records[0].saveSettings(false, QStringLiteral("192.168.1.7"), QStringLiteral("255.255.255.0"), QString(), QString());
    records[0].oldIPAddress = QStringLiteral("192.168.1.5");
    records[1].saveSettings(true, QString(), QString(), QString(), QString());
    records[1].dhcpAddresses.setIPAddress(QStringLiteral("10.0.3.57"));
    records[2].oldIPAddress = QStringLiteral("10.0.0.1");
    return records;
}

bool holds(const QByteArray &input)
{
    static const Interface *const records = moves();
    static const BasicNetCfg identity{QStringLiteral("box"), QStringLiteral("lab.example")};
    static const HostsFile names(identity, records, false);
    static const HostsFile renames(identity, records, true);
    static const QSet<QString> entries{names.hostEntry(QStringLiteral("192.168.1.7")), names.hostEntry(QStringLiteral("10.0.3.57"))};
    const HostsFile &hosts = !input.isEmpty() && (input.at(0) & 1) ? renames : names;
    const QStringList lines = TextFile::splitLines(input, 0);
    const QStringList after = hosts.rewrite(lines);
    const QSet<QString> before(lines.cbegin(), lines.cend());
    return comments(after) == comments(lines) && std::all_of(after.cbegin(), after.cend(), [&before](const QString &line) {
               return before.contains(line) || entries.contains(line);
           });
}
