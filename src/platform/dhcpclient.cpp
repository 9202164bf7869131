// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "dhcpclient.h"

#include <QFile>

#include "shellprocess.h"
#include "systemcommands.h"
#include "systempaths.h"

#include <algorithm>

namespace
{
/// The first line of a file; empty when it cannot be read.
QByteArray firstLine(const QString &systemPath)
{
    QFile file(SystemPaths::path(systemPath));
    return file.open(QIODevice::ReadOnly) ? file.readLine() : QByteArray();
}

bool isProcessId(const QByteArray &id)
{
    return !id.isEmpty() && std::all_of(id.begin(), id.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
}
}

bool DhcpClient::running()
{
    // Anything but a number would make the path point somewhere else than /proc/<pid>.
    const QByteArray id = firstLine(QStringLiteral("/var/run/dhclient.pid")).simplified();
    if (!isProcessId(id)) {
        return false;
    }
    // The arguments are separated by NUL bytes; the first is the program. A
    // process that only names dhclient in an argument (a pager showing its
    // lease file, say) is no DHCP client.
    const QByteArray commandLine = firstLine(QLatin1String("/proc/") + QLatin1String(id) + QLatin1String("/cmdline"));
    return commandLine.left(commandLine.indexOf('\0')).contains("dhclient");
}

bool DhcpClient::release(const QString &device)
{
    return ShellProcess::runPrivileged(SystemCommands::interfaceDown(device)).succeeded();
}

bool DhcpClient::renew(const QString &device)
{
    // Without ifdown's success the interface is not brought up again.
    return ShellProcess::runPrivileged(SystemCommands::interfaceDown(device)).succeeded()
        && ShellProcess::runPrivileged(SystemCommands::interfaceUp(device)).succeeded();
}
