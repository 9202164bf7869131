// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "hostsfile.h"

#include <QStringMatcher>
#include <QVector>

#include "basicnetcfg.h"
#include "interface.h"
#include "quorlan_debug.h"
#include "systemfiles.h"
#include "textfile.h"

#include <algorithm>

namespace
{
QString hostsPath()
{
    return QLatin1String(SystemFiles::Hosts);
}

/**
 * Whether a line holds an address, as the passes see it: its simplified form
 * holds the address's text anywhere (10.0.0.1 also claims a line of 10.0.0.12,
 * an address in a trailing comment counts) and is no comment.
 */
class AddressSearch
{
public:
    explicit AddressSearch(const QString &address)
        : m_address(address)
        , m_matcher(address)
        , m_blankFree(!address.contains(QLatin1Char(' ')))
    {
    }

    bool operator()(const QString &line) const
    {
        // An address without a blank is in the simplified line exactly when it is
        // in the line as read: the many lines that hold none are not simplified.
        if (m_address.isEmpty() || (m_blankFree && m_matcher.indexIn(line) < 0)) {
            return false;
        }
        const QString text = TextFile::simplified(line);
        return !text.startsWith(QLatin1Char('#')) && text.contains(m_address);
    }

private:
    QString m_address;
    QStringMatcher m_matcher;
    bool m_blankFree;
};

// The line a pass gives an entry: the line itself when it holds the entry already.
QString withEntry(const QString &line, const QString &entry)
{
    return TextFile::simplified(line) == entry ? line : entry;
}

// One record's walk of pass 1 or 2: every line that holds the address goes but
// the first, which stays when keepFirst (given the entry, if there is one).
// Whether any line held it.
bool keepFirstOnly(QStringList &lines, const QString &address, bool keepFirst, const QString &entry = QString())
{
    const AddressSearch holdsAddress(address);
    const int first = int(std::find_if(lines.cbegin(), lines.cend(), holdsAddress) - lines.cbegin());
    if (first == lines.size()) {
        return false;
    }
    lines.erase(std::remove_if(lines.begin() + first + 1, lines.end(), holdsAddress), lines.end());
    if (!keepFirst) {
        lines.removeAt(first);
    } else if (!entry.isEmpty()) {
        lines[first] = withEntry(lines.at(first), entry);
    }
    return true;
}

QString entryLine(const QString &address, const QString &fullName, const QString &hostName, QLatin1Char separator)
{
    return address + separator + fullName + separator + hostName;
}
}

HostsFile::HostsFile(const BasicNetCfg &identity, const Interface *interfaces, bool identityChanged)
    : m_identity(identity)
    , m_interfaces(interfaces)
    , m_identityChanged(identityChanged)
{
}

bool HostsFile::writeHosts() const
{
    if (!TextFile::exists(hostsPath()) && !createNewHostsFile()) {
        return false;
    }
    const std::optional<QStringList> lines = TextFile::readLines(hostsPath());
    if (!lines) {
        qCWarning(QUORLAN) << "cannot read" << hostsPath();
        return false;
    }
    return TextFile::replace(hostsPath(), TextFile::toBytes(rewrite(*lines)), TextFile::Replacement());
}

bool HostsFile::createNewHostsFile() const
{
    QStringList lines{QStringLiteral("127.0.0.1\tlocalhost.localdomain\tlocalhost")};
    const QVector<const Interface *> records = presentRecords();
    for (const Interface *record : records) {
        const QString address = record->staticAddresses.ipAddress();
        if (record->enabled && !address.isEmpty()) {
            lines << entryLine(address, fullName(), m_identity.hostName, QLatin1Char('\t'));
        }
    }
    return TextFile::rewriteInPlace(hostsPath(), lines);
}

QStringList HostsFile::rewrite(QStringList lines) const
{
    return modifyHostsNames(modifyHostsDynamicEntries(modifyHostsStaticEntries(std::move(lines))));
}

QStringList HostsFile::modifyHostsStaticEntries(QStringList lines) const
{
    const QVector<const Interface *> records = presentRecords();
    for (const Interface *record : records) {
        // An interface without an address (the tab refuses to save one) gets
        // no entry rather than a line that starts with a blank.
        const QString address = record->staticAddresses.ipAddress();
        const bool keepsEntry = record->enabled && record->method == Interface::Static && !address.isEmpty();
        if (!keepFirstOnly(lines, record->oldIPAddress, keepsEntry, hostEntry(address)) && keepsEntry) {
            lines << hostEntry(address);
        }
    }
    return lines;
}

QStringList HostsFile::modifyHostsDynamicEntries(QStringList lines) const
{
    const QVector<const Interface *> records = presentRecords();
    for (const Interface *record : records) {
        keepFirstOnly(lines, record->dhcpAddresses.ipAddress(), record->enabled && record->method == Interface::Dhcp);
    }
    return lines;
}

QStringList HostsFile::modifyHostsNames(QStringList lines) const
{
    if (!m_identityChanged) {
        return lines;
    }
    const QVector<const Interface *> records = presentRecords();
    for (const Interface *record : records) {
        const QString address = (record->method == Interface::Static ? record->staticAddresses : record->dhcpAddresses).ipAddress();
        const AddressSearch holdsAddress(address);
        for (QString &line : lines) {
            if (holdsAddress(line)) {
                line = withEntry(line, hostEntry(address));
            }
        }
    }
    return lines;
}

QString HostsFile::hostEntry(const QString &address) const
{
    return entryLine(address, fullName(), m_identity.hostName, QLatin1Char(' '));
}

QString HostsFile::fullName() const
{
    if (m_identity.domain.isEmpty()) {
        return m_identity.hostName;
    }
    return m_identity.hostName + QLatin1Char('.') + m_identity.domain;
}

QVector<const Interface *> HostsFile::presentRecords() const
{
    QVector<const Interface *> records;
    for (int index = 0; m_interfaces && index < SystemFiles::RecordCount; ++index) {
        if (m_interfaces[index].present) {
            records << &m_interfaces[index];
        }
    }
    return records;
}
