// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// resolv.conf as the DNS tab and the host identity read it: what is written reads back the same.

#include "config/dnsconfigfile.h"
#include "config/textfile.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::splitLines(bytes(data, size), 0);
    DnsConfigFile::identityDomain(lines);
    DnsConfigFile dns;
    dns.parse(lines);
    DnsConfigFile back;
    back.parse(TextFile::splitLines(TextFile::toBytes(dns.lines()), 0));
    check(back.domain() == dns.domain() && back.nameservers() == dns.nameservers());
    return 0;
}
