// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

class QString;

/**
 * The DHCP client as the module sees it from outside: through its pid file
 * and the command line of the process that the file names, and through the
 * ifupdown tools that start and stop it.
 */
class DhcpClient
{
public:
    /// Whether a DHCP client runs at all (whatever interface it serves).
    static bool running();
    /// Takes the device down, which gives its lease back; true when that succeeded.
    static bool release(const QString &device);
    /// Takes the device down and brings it up again for a new lease; true when both succeeded.
    static bool renew(const QString &device);
};
