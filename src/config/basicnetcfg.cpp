// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "basicnetcfg.h"

#include "dnsconfigfile.h"
#include "systemfiles.h"
#include "textfile.h"

QString GetHostName(const char *path)
{
    const std::optional<QStringList> lines = TextFile::readLines(QString::fromLatin1(path));
    if (!lines || lines->isEmpty()) {
        return QString();
    }
    return TextFile::trimmed(lines->first());
}

QString GetDomainName(const char *path)
{
    const std::optional<QStringList> lines = TextFile::readLines(QString::fromLatin1(path));
    return lines ? DnsConfigFile::identityDomain(*lines) : QString();
}

bool BasicNetCfg::readConfigFile()
{
    hostName = GetHostName(SystemFiles::Hostname);
    domain = GetDomainName(SystemFiles::ResolvConf);
    return true;
}
