// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <memory>

#include "systemfiles.h"

class BasicNetCfg;
class Interface;

/**
 * Brings /etc/hosts into line with the host identity and the interface addresses.
 *
 * The module does not own the file: only lines that hold one of its interfaces'
 * addresses are replaced or removed, comment lines never, and every other line
 * comes back as it was apart from its white space being simplified. The new file
 * replaces the old one through TextFile::replace(), which keeps the
 * previous version as /etc/hosts.old.
 *
 * Each pass walks the lines once and tests every present interface on each line,
 * in interface order, and writeHosts() walks them once for all three passes, so
 * a hosts file of a few hundred thousand lines (ad-blocking lists) is gone
 * through once. The result is the same as if each interface had walked the whole
 * list in turn, pass after pass: a line that one rewrites or appends is what the
 * next one sees.
 *
 * The three passes walked at once are set up from the identity and the records
 * as they are when the object is made, once for all the walks of a save. The
 * object only reads the records it is given; they must outlive it.
 */
class HostsFile
{
public:
    /// The number of interface records that the module manages (eth0 to eth4).
    static constexpr int InterfaceCount = SystemFiles::RecordCount;

    /**
     * @param identity the host name and domain as they are to be written
     * @param interfaces the first of InterfaceCount consecutive records, eth0 first
     *        (nullptr: no records, so only the loopback line and the simplification)
     * @param identityChanged whether the host name or domain may have been edited
     *        since the last load; only then are the names of existing entries rewritten
     */
    HostsFile(const BasicNetCfg &identity, const Interface *interfaces, bool identityChanged);
    ~HostsFile();

    /// Rules of one pass or of all three, with their address searches; they are
    /// defined, and only used, where the passes are.
    class RuleSet;

    /// Creates the file when it is missing, runs the three passes and replaces the file.
    /// False when the file cannot be created, read or replaced; it is then left as it was.
    bool writeHosts() const;
    /// Writes a fresh /etc/hosts (tab-separated): the loopback line and one line per
    /// present, enabled record that has a static address.
    bool createNewHostsFile() const;

    /// The three passes over the simplified lines of the file.
    QStringList rewrite(const QStringList &lines) const;
    /// The same over the file's bytes, as writeHosts() runs them: the lines of the
    /// result as the lines of the file simplified and passed through rewrite() give them.
    QByteArray rewrite(const QByteArray &file) const;
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
    const BasicNetCfg &m_identity;
    const Interface *m_interfaces;
    bool m_identityChanged;
    /// The rules of the three passes, set up once for all the walks of a save.
    std::unique_ptr<const RuleSet> m_passes;
};
