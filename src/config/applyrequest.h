// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>

#include "networksettings.h"
#include "wirelessoptionsfile.h"

#include <optional>

/**
 * What an ordinary user's page asks the root helper to apply: the values of
 * the tabs, never a path, a device name or a file's contents.
 *
 * It travels as a map of plain strings, booleans and string lists. The helper
 * takes nothing else: fromMap() refuses a key it does not know or misses, a
 * value of another type, a control character (a line break among them) or an
 * overlong text in any field, a device index beyond the machine's devices,
 * and any address, netmask, gateway or host name that is not one. Those
 * values end up in the interfaces file, whose option lines ifupdown hands to
 * a root shell, so they are checked here and not only by the tabs.
 *
 * Device i is the i-th Ethernet device the machine itself lists.
 */
class ApplyRequest
{
public:
    /// The Interfaces tab's values for one device.
    struct Device {
        bool enabled = false;
        bool dhcp = false;
        QString address;
        QString netmask;
        QString gateway;
        bool defaultGateway = false;
        QString dhcpHostName;
    };

    /// The longest text of any field.
    static constexpr int MaxTextLength = 255;
    /// The most name servers the DNS tab may list.
    static constexpr int MaxNameservers = 16;

    QString hostName;
    QString domain;
    /// Whether the Identification tab was edited: only then are names in /etc/hosts rewritten.
    bool identityChanged = false;
    QStringList nameservers;
    QVector<Device> devices;
    /// The wireless file to write; none when the Wireless tab holds no change.
    std::optional<WirelessOptionsFile> wireless;

    /// The page's records, of their present devices, after the tabs stored their values.
    static ApplyRequest fromRecords(const NetworkSettings::Records &records, bool identityChanged, const std::optional<WirelessOptionsFile> &wireless);

    QVariantMap toMap() const;
    /**
     * The request the map holds, for a machine with deviceCount devices the
     * records can hold; std::nullopt, with the reason in refusal, when the map
     * holds anything but such a request.
     */
    static std::optional<ApplyRequest> fromMap(const QVariantMap &map, int deviceCount, QString *refusal);

    /// Puts the request's values into records loaded by the helper itself.
    void applyTo(NetworkSettings::Records &records) const;
};
