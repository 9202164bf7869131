// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The hosts file through its three passes, for a static interface that moved,
// a DHCP interface and a disabled one: a line that holds none of their
// addresses (and every comment) must come out as it was, simplified, in order,
// as the save puts them in place of the file's lines; and the save's walk over
// the file's bytes must give what the walk over its simplified lines gives.

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/textfile.h"
#include "fuzzroot.h"

namespace
{
struct Machine {
    BasicNetCfg identity;
    Interface records[HostsFile::InterfaceCount];
    QStringList addresses;
};

const Machine &machine()
{
    static const Machine m = [] {
        Machine result;
        result.identity.hostName = QStringLiteral("box");
        result.identity.domain = QStringLiteral("lab.example");
        for (int i = 0; i < 3; ++i) {
            Interface &r = result.records[i];
            r.setInterfaceNumber(i);
            r.present = true;
            r.enabled = i < 2;
        }
        result.records[0].saveSettings(false, QStringLiteral("192.168.1.7"), QStringLiteral("255.255.255.0"), QString(), QString());
        result.records[0].oldIPAddress = QStringLiteral("192.168.1.5");
        result.records[1].saveSettings(true, QString(), QString(), QString(), QString());
        result.records[1].dhcpAddresses.setIPAddress(QStringLiteral("10.0.3.57"));
        result.records[2].oldIPAddress = QStringLiteral("10.0.0.1");
        result.addresses = QStringList{QStringLiteral("192.168.1.7"), QStringLiteral("192.168.1.5"), QStringLiteral("10.0.3.57"), QStringLiteral("10.0.0.1")};
        return result;
    }();
    return m;
}

// The lines no pass may touch: comments, and lines without any of the addresses.
QStringList untouchable(const QStringList &lines)
{
    QStringList result;
    for (const QString &line : lines) {
        const QString simplified = TextFile::simplified(line);
        const bool holdsAddress = std::any_of(machine().addresses.cbegin(), machine().addresses.cend(), [&simplified](const QString &address) {
            return simplified.contains(address);
        });
        if (simplified.startsWith(QLatin1Char('#')) || !holdsAddress) {
            result << simplified;
        }
    }
    return result;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray original = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    const Machine &m = machine();
    const bool identityChanged = size > 0 && (data[0] & 1);
    const HostsFile hosts(m.identity, m.records, identityChanged);
    const QStringList after = hosts.rewrite(TextFile::simplifiedLines(original));
    FuzzRoot::check(untouchable(after) == untouchable(TextFile::splitLines(original, 0)),
                    "lines without an interface's address are kept, in order",
                    TextFile::toBytes(after));
    const QByteArray saved = hosts.rewrite(original);
    FuzzRoot::check(saved == TextFile::toBytes(after), "the bytes are rewritten as the lines are", saved);
    return 0;
}
