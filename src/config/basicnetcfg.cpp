// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "basicnetcfg.h"

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
    const QLatin1String key("domain");
    const std::optional<QStringList> lines = TextFile::readLines(QString::fromLatin1(path));
    if (!lines) {
        return QString();
    }
    for (const QString &line : *lines) {
        const int at = line.indexOf(key, 0, Qt::CaseInsensitive);
        if (at >= 0) {
            // One separator character follows the key, whatever it is.
            return TextFile::trimmed(line.mid(at + key.size() + 1));
        }
    }
    return QString();
}

bool BasicNetCfg::readConfigFile()
{
    hostName = GetHostName("/etc/hostname");
    domain = GetDomainName("/etc/resolv.conf");
    return true;
}
