// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

#include "addresses.h"
#include "simplifiedlines.h"

class StanzaLines;

/**
 * One Ethernet device's configuration: record i stands for the device "eth<i>".
 *
 * It reads its own "auto" entry and stanza out of the simplified lines of the
 * interfaces file, and writes them back into such lines; the two agree on one
 * grammar, so an unchanged record survives any number of save and load cycles.
 * Parsing never clears a field whose line is missing: the record keeps what an
 * earlier load or the user put there.
 */
class Interface
{
public:
    enum Method {
        Static = 0,
        Dhcp = 1,
    };

    Interface() = default;

    void setInterfaceNumber(int number);
    QString getAddressFamilyString() const;

    /// Reads this record's settings out of the simplified lines of the interfaces file.
    /// False only when a DHCP stanza's lease cannot be read (the records are still filled).
    bool parseInterfacesList(const SimplifiedLines &lines);
    /// The same with the bytes of the lease file at hand (std::nullopt: it cannot be read).
    bool parseInterfacesList(const SimplifiedLines &lines, const std::optional<QByteArray> &leases);
    bool parseStaticStanza(SimplifiedLines::const_iterator line, SimplifiedLines::const_iterator end);
    bool parseDHCPStanza(SimplifiedLines::const_iterator line, SimplifiedLines::const_iterator end);
    /// Reads the newest lease of this device from the DHCP client's lease file.
    bool parseDHCPFile();
    /// The same over the bytes of a lease file.
    bool parseLeases(const QByteArray &data);

    /// Stores the Interfaces tab's values for this device.
    void saveSettings(bool dhcp, const QString &address, const QString &netmask, const QString &gateway, const QString &hostName);

    /// Rewrites this record's "auto" entry and stanza in the lines, every other line carried
    /// over (the file's writer runs one such pass per record). False, with the lines
    /// untouched, when they cannot be rewritten: when an auto line of the device shields
    /// options that belong to no stanza, which ifupdown rejects too.
    bool updateInterfacesList(StanzaLines &lines) const;
    /// Appends the option lines of a static stanza.
    void updateStaticStanza(QStringList &lines) const;
    /// Appends the option lines of a DHCP stanza.
    void updateDHCPStanza(QStringList &lines) const;

    Method method = Static;
    int addressFamily = 0;
    QString description;
    QString oldIPAddress;
    QString deviceName;
    int interfaceNumber = -1;
    bool defaultGateway = false;
    bool enabled = false;
    bool present = false;
    Addresses staticAddresses;
    Addresses dhcpAddresses;
    QString dhcpHostName;

private:
    /// Reads the auto lines and this device's stanza; true for a DHCP stanza, whose lease comes next.
    bool parseStanza(const SimplifiedLines &lines);
};
