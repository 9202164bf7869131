// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * The resolver file: its domain and its ordered name servers.
 *
 * It is rewritten from the record alone: a "domain" line and one
 * "nameserver" line per server; every other line of the old file is dropped.
 */
class DnsConfigFile
{
public:
    DnsConfigFile() = default;
    explicit DnsConfigFile(const char *fileName);

    void setFileName(const QString &fileName);
    QString fileName() const;
    QString domain() const;

    /// Empties the server list, then reads the file. Always true.
    bool readFile();
    /// Replaces the file's contents; false when it cannot be written.
    bool writeFile();
    /// Adds the domain and the servers of the file's lines.
    void parse(const QStringList &lines);
    /// The lines writeFile() writes.
    QStringList lines() const;
    /// The domain as the host identity takes it: the rest of the first line that
    /// mentions "domain" in any case, after one separator character.
    static QString identityDomain(const QStringList &lines);

    /// The first server, or nullptr; starts an iteration that getNext() continues.
    const QString *getFirst();
    const QString *getNext();
    void clear();
    void addNameserver(const char *server);
    void addNameserver(const QString &server);
    void setDomain(const char *domain);
    void setDomain(const QString &domain);

    QStringList nameservers() const;

private:
    QStringList m_nameservers;
    QString m_fileName;
    QString m_domain;
    int m_current = -1;
};
