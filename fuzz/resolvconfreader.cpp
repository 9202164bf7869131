// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// resolv.conf as the DNS tab and the host identity read it: what is written reads back the same.

#include "config/dnsconfigfile.h"
#include "config/textfile.h"
#include "fuzz.h"

bool holds(const QByteArray &input)
{
    const QStringList lines = TextFile::splitLines(input, 0);
    DnsConfigFile::identityDomain(lines);
    DnsConfigFile dns, back;
    dns.parse(lines);
    back.parse(TextFile::splitLines(TextFile::toBytes(dns.lines()), 0));
    return back.domain() == dns.domain() && back.nameservers() == dns.nameservers();
}
