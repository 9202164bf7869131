// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The hosts file through its three passes, for a static interface that moved,
// a DHCP interface and a disabled one: every comment, and every line without
// one of their addresses, comes out as it was, simplified, in order; and the
// save's walk over the bytes gives what the passes over the lines give.

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/textfile.h"
#include "fuzz.h"

namespace
{
const QStringList addresses{QStringLiteral("192.168.1.7"), QStringLiteral("192.168.1.5"), QStringLiteral("10.0.3.57"), QStringLiteral("10.0.0.1")};

QStringList untouchable(const QStringList &lines)
{
    QStringList result;
    for (const QString &line : lines) {
        const QString simplified = TextFile::simplified(line);
        if (simplified.startsWith(QLatin1Char('#')) || std::none_of(addresses.cbegin(), addresses.cend(), [&simplified](const QString &address) {
                return simplified.contains(address);
            })) {
            result << simplified;
        }
    }
    return result;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Interface records[HostsFile::InterfaceCount];
    for (int i = 0; i < 3; ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = true;
        records[i].enabled = i < 2;
        records[i].oldIPAddress = addresses.at(i == 0 ? 1 : 3);
    }
    records[0].saveSettings(false, addresses.at(0), QStringLiteral("255.255.255.0"), QString(), QString());
    records[1].saveSettings(true, QString(), QString(), QString(), QString());
    records[1].dhcpAddresses.setIPAddress(addresses.at(2));
    const QByteArray original = bytes(data, size);
    const BasicNetCfg identity{QStringLiteral("box"), QStringLiteral("lab.example")};
    const HostsFile hosts(identity, records, size > 0 && (data[0] & 1));
    const QStringList after = hosts.rewrite(TextFile::simplifiedLines(original));
    check(untouchable(after) == untouchable(TextFile::splitLines(original, 0)) && hosts.rewrite(original) == TextFile::toBytes(after));
    return 0;
}
