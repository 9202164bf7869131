// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class BasicNetCfg;
class Interface;

/**
 * Brings /etc/hosts into line with the host identity and the interface addresses.
 *
 * The module does not own the file: only lines that hold one of its interfaces'
 * addresses are replaced or removed, comment lines never, and every other line
 * comes back byte for byte. A pass decides on a line by its simplified form;
 * a line it gives the entry that the line already holds, apart from white
 * space, keeps its own bytes too. The new file replaces the old one through
 * TextFile::replace(), which keeps the previous version as /etc/hosts.old.
 *
 * The object only reads the records it is given; they must outlive it.
 */
class HostsFile
{
public:
    /**
     * @param identity the host name and domain as they are to be written
     * @param interfaces the first of SystemFiles::RecordCount consecutive records
     *        (nullptr: no records, so the file only gets the loopback line when it is new)
     * @param identityChanged whether the host name or domain may have been edited
     *        since the last load; only then are the names of existing entries rewritten
     */
    HostsFile(const BasicNetCfg &identity, const Interface *interfaces, bool identityChanged);

    /// Creates the file when it is missing, runs the three passes and replaces the file.
    /// False when the file cannot be created, read or replaced; it is then left as it was.
    bool writeHosts() const;
    /// Writes a fresh /etc/hosts (tab-separated): the loopback line and one line per
    /// present, enabled record that has a static address.
    bool createNewHostsFile() const;

    /// The three passes in order.
    QStringList rewrite(QStringList lines) const;
    /// Pass 1: each record's former static address gives way to its new entry, or goes.
    QStringList modifyHostsStaticEntries(QStringList lines) const;
    /// Pass 2: each record's DHCP address keeps its first line only while the record uses DHCP.
    QStringList modifyHostsDynamicEntries(QStringList lines) const;
    /// Pass 3: lines holding a record's current address get the current names,
    /// when the identity changed; otherwise the lines come back unchanged.
    QStringList modifyHostsNames(QStringList lines) const;

    /// The line written for an address: the address, the full name and the host name.
    QString hostEntry(const QString &address) const;
    /// The host name with the domain appended, or the bare host name without a domain.
    QString fullName() const;

private:
    /// The present records, in record order.
    QVector<const Interface *> presentRecords() const;

    const BasicNetCfg &m_identity;
    const Interface *m_interfaces;
    bool m_identityChanged;
};
