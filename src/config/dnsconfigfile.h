// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * The resolver file: its domain and its ordered name servers.
 *
 * Only the "domain" and "nameserver" lines are the record's: the domain goes
 * where the first domain line stood, the servers where the first nameserver
 * line stood (later ones of either go), what had no place yet at the end,
 * and every other line comes back byte for byte in its place.
 *
 * A file that another program generates (a symbolic link into /run, or a
 * "do not edit" header) is that program's: it is read, never written.
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
    /// Rewrites the file from the record; true without writing when another program
    /// manages it; false when it cannot be written.
    bool writeFile();
    /// Takes the lines as the file's, with their domain and servers.
    void parse(const QStringList &lines);
    /// The lines writeFile() writes.
    QStringList lines() const;
    /// The program that manages the file as read last ("another program" when its
    /// header does not say); empty when it is ours to write.
    QString managedBy() const;
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
    QStringList m_lines;
    QString m_fileName;
    QString m_domain;
    QString m_managedBy;
    int m_current = -1;
};
