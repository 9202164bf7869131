// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The resolver file as the DNS tab and the host identity read it; what the DNS
// record writes must read back as the same domain and servers.

#include "config/dnsconfigfile.h"
#include "config/textfile.h"
#include "fuzzroot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::splitLines(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)), 0);
    DnsConfigFile::identityDomain(lines);

    DnsConfigFile dns;
    dns.parse(lines);
    DnsConfigFile back;
    back.parse(TextFile::splitLines(TextFile::toBytes(dns.lines()), 0));
    FuzzRoot::check(back.domain() == dns.domain() && back.nameservers() == dns.nameservers(),
                    "the domain and the servers read back as written",
                    (dns.domain() + QLatin1Char('|') + dns.nameservers().join(QLatin1Char('|'))).toLatin1());
    return 0;
}
