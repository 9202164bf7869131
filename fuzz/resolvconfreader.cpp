// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// resolv.conf as the DNS tab and the host identity read it: what is written
// reads back the same, and every line that is no domain or server line comes
// back byte for byte, in its order.

#include "config/dnsconfigfile.h"
#include "config/textfile.h"
#include "fuzz.h"

#include <algorithm>
#include <iterator>

// The lines that give neither a domain nor a server.
static QStringList othersOf(const QStringList &lines)
{
    QStringList others;
    std::copy_if(lines.cbegin(), lines.cend(), std::back_inserter(others), [](const QString &line) {
        const QString text = TextFile::trimmed(line);
        const int blank = text.indexOf(QLatin1Char(' '));
        return blank < 0 || (QStringView(text).left(blank) != QLatin1String("domain") && QStringView(text).left(blank) != QLatin1String("nameserver"));
    });
    return others;
}

bool holds(const QByteArray &input)
{
    const QStringList lines = TextFile::splitLines(input, 0);
    DnsConfigFile::identityDomain(lines);
    DnsConfigFile dns, back;
    dns.parse(lines);
    const QStringList written = dns.lines();
    back.parse(TextFile::splitLines(TextFile::toBytes(written), 0));
    return back.domain() == dns.domain() && back.nameservers() == dns.nameservers() && othersOf(written) == othersOf(lines);
}
