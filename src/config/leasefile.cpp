// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "leasefile.h"

#include <QStringList>

#include "interface.h"
#include "systemfiles.h"
#include "textfile.h"

namespace
{
// A lease value: the simplified line without its keyword and its final ";".
QString leaseValue(const QString &line, int keywordLength)
{
    QString value = line.mid(keywordLength);
    value.chop(1);
    return TextFile::simplified(value);
}
}

std::optional<QByteArray> LeaseFile::read()
{
    return TextFile::readBytes(QLatin1String(SystemFiles::DhcpLeases));
}

bool LeaseFile::readNewestLease(const QByteArray &data, Interface &record)
{
    const QStringList lines = TextFile::splitLines(data, 0);
    // The client appends its leases: the device's last one is the newest.
    const QString key = QStringLiteral("interface \"%1\";").arg(record.deviceName);
    int line = int(lines.size()) - 1;
    while (line >= 0 && !(lines.at(line).contains(record.deviceName) && TextFile::simplified(lines.at(line)) == key)) {
        --line;
    }
    if (line < 0) {
        return false;
    }
    Addresses &lease = record.dhcpAddresses;
    for (++line; line < lines.size(); ++line) {
        const QString text = TextFile::simplified(lines.at(line));
        // The lease block ends here; a later lease of another device is not this one's.
        if (text.startsWith(QLatin1Char('}'))) {
            break;
        }
        if (text.contains(QLatin1String("fixed-address"))) {
            lease.setIPAddress(leaseValue(text, 13));
        } else if (text.contains(QLatin1String("subnet-mask"))) {
            lease.setNetmask(leaseValue(text, 18));
        } else if (text.contains(QLatin1String("routers"))) {
            record.defaultGateway = true;
            lease.gateway = leaseValue(text, 14);
        }
    }
    return true;
}
