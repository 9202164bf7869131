// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

#include <optional>

class Interface;

/**
 * The DHCP client's lease file, /var/dhcp/dhclient.leases: one block per lease,
 * appended in the order the leases were obtained, each naming its interface.
 * The module only reads it.
 */
class LeaseFile
{
public:
    /// The file's bytes; std::nullopt when it cannot be read.
    static std::optional<QByteArray> read();

    /**
     * Reads the newest lease of the record's device out of the file's bytes
     * into the record's DHCP addresses; a router there makes the record's
     * gateway the default route. False, with the record untouched, when the
     * file holds no lease of the device.
     */
    static bool readNewestLease(const QByteArray &data, Interface &record);
};
