// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * The words of every command line the module runs, kept together so that a
 * tool's path or a redirection is written down once.
 */
class SystemCommands
{
public:
    /// The init scripts and the tools they call are found through this search
    /// path, whatever the environment the module was started from.
    static constexpr const char *SearchPath = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11";

    /// Sets the host name from the file that holds it.
    static QStringList setHostName(const QString &hostnameFile);
    static QStringList restartNetworking();
    static QStringList stopNetworking();
    /// Takes the device down (which releases a DHCP lease) or brings it up.
    static QStringList interfaceDown(const QString &device);
    static QStringList interfaceUp(const QString &device);
};
