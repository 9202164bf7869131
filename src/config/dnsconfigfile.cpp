// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "dnsconfigfile.h"

#include "textfile.h"

DnsConfigFile::DnsConfigFile(const char *fileName)
    : m_fileName(QString::fromLatin1(fileName))
{
}

void DnsConfigFile::setFileName(const QString &fileName)
{
    m_fileName = fileName;
}

QString DnsConfigFile::fileName() const
{
    return m_fileName;
}

QString DnsConfigFile::domain() const
{
    return m_domain;
}

bool DnsConfigFile::readFile()
{
    clear();
    const std::optional<QStringList> lines = TextFile::readLines(m_fileName);
    if (lines) {
        parse(*lines);
    }
    return true;
}

void DnsConfigFile::parse(const QStringList &lines)
{
    for (const QString &rawLine : lines) {
        const QString line = TextFile::trimmed(rawLine);
        // Only a blank separates keyword and value: "nameserver<tab>x" is no server line.
        const int blank = line.indexOf(QLatin1Char(' '));
        if (blank < 0) {
            continue;
        }
        const QStringView keyword = QStringView(line).left(blank);
        const QString value = TextFile::trimmed(line.mid(blank + 1));
        if (keyword == QLatin1String("domain")) {
            m_domain = value;
        } else if (keyword == QLatin1String("nameserver")) {
            addNameserver(value);
        }
    }
}

QString DnsConfigFile::identityDomain(const QStringList &lines)
{
    const QLatin1String key("domain");
    for (const QString &line : lines) {
        const int at = line.indexOf(key, 0, Qt::CaseInsensitive);
        if (at >= 0) {
            // One separator character follows the key, whatever it is.
            return TextFile::trimmed(line.mid(at + key.size() + 1));
        }
    }
    return QString();
}

bool DnsConfigFile::writeFile()
{
    return TextFile::rewriteInPlace(m_fileName, lines());
}

QStringList DnsConfigFile::lines() const
{
    QStringList lines;
    if (!m_domain.isEmpty()) {
        lines << QLatin1String("domain ") + m_domain;
    }
    for (const QString &server : qAsConst(m_nameservers)) {
        lines << QLatin1String("nameserver ") + server;
    }
    return lines;
}

const QString *DnsConfigFile::getFirst()
{
    m_current = -1;
    return getNext();
}

const QString *DnsConfigFile::getNext()
{
    if (m_current + 1 >= m_nameservers.size()) {
        m_current = m_nameservers.size();
        return nullptr;
    }
    ++m_current;
    return &m_nameservers.at(m_current);
}

void DnsConfigFile::clear()
{
    m_nameservers.clear();
    m_current = -1;
}

void DnsConfigFile::addNameserver(const char *server)
{
    addNameserver(QString::fromLatin1(server));
}

void DnsConfigFile::addNameserver(const QString &server)
{
    if (!server.isEmpty()) {
        m_nameservers << server;
    }
}

void DnsConfigFile::setDomain(const char *domain)
{
    setDomain(QString::fromLatin1(domain));
}

void DnsConfigFile::setDomain(const QString &domain)
{
    m_domain = domain;
}

QStringList DnsConfigFile::nameservers() const
{
    return m_nameservers;
}
