// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The resolver file as the DNS tab and the host identity read it; what the DNS
// record writes must read back as the same domain and servers.

#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "fuzzroot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzRoot::write(QStringLiteral("/etc/resolv.conf"), data, size);
    FuzzRoot::write(QStringLiteral("/etc/hostname"), data, size);
    BasicNetCfg identity;
    identity.readConfigFile();

    DnsConfigFile dns("/etc/resolv.conf");
    dns.readFile();
    FuzzRoot::check(dns.writeFile(), "the file can be written");
    DnsConfigFile back("/etc/resolv.conf");
    back.readFile();
    FuzzRoot::check(back.domain() == dns.domain() && back.nameservers() == dns.nameservers(),
                    "the domain and the servers read back as written",
                    (dns.domain() + QLatin1Char('|') + dns.nameservers().join(QLatin1Char('|'))).toLatin1());
    return 0;
}
