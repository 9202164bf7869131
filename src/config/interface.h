// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

#include "addresses.h"

class InterfacesFile;

/**
 * One Ethernet device's configuration: record i stands for the i-th device,
 * named by deviceName.
 *
 * It reads its settings out of its "auto" entry and its first "inet" stanza of
 * the interfaces file (InterfacesFile writes them back). Parsing never clears a
 * field whose line is missing: the record keeps what an earlier load or the
 * user put there.
 */
class Interface
{
public:
    enum Method {
        Static = 0,
        Dhcp = 1,
    };

    Interface() = default;

    /// Numbers the record and names its device "eth<number>", until the caller names it otherwise.
    void setInterfaceNumber(int number);
    QString getAddressFamilyString() const;

    /// Reads this record's settings out of the interfaces file, and for a DHCP
    /// stanza its lease out of the lease file's bytes (std::nullopt: the file
    /// cannot be read). False only when a DHCP stanza has no lease to read.
    bool parseInterfacesList(const InterfacesFile &file, const std::optional<QByteArray> &leases);
    /// Read the option lines of a stanza, simplified and joined, without its "iface" line.
    void parseStaticStanza(const QStringList &options);
    void parseDHCPStanza(const QStringList &options);

    /// Stores the Interfaces tab's values for this device.
    void saveSettings(bool dhcp, const QString &address, const QString &netmask, const QString &gateway, const QString &hostName);

    Method method = Static;
    int addressFamily = 0;
    QString description;
    QString oldIPAddress;
    QString deviceName;
    bool defaultGateway = false;
    bool enabled = false;
    bool present = false;
    Addresses staticAddresses;
    Addresses dhcpAddresses;
    QString dhcpHostName;
};
