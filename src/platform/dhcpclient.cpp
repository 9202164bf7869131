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
/// The first line of a file (at most maxLength bytes); empty when it cannot be read.
QByteArray firstLine(const QString &systemPath, qint64 maxLength)
{
    QFile file(SystemPaths::path(systemPath));
    return file.open(QIODevice::ReadOnly) ? file.readLine(maxLength + 1) : QByteArray();
}

bool run(ShellProcess &process, const QStringList &words)
{
    SystemCommands::prepare(process, words);
    process.start();
    return process.succeeded();
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
    const QByteArray id = firstLine(QStringLiteral("/var/run/dhclient.pid"), 32).simplified();
    if (!isProcessId(id)) {
        return false;
    }
    // The arguments are separated by NUL bytes; the first is the program. A
    // process that only names dhclient in an argument (a pager showing its
    // lease file, say) is no DHCP client.
    const QByteArray commandLine = firstLine(QLatin1String("/proc/") + QLatin1String(id) + QLatin1String("/cmdline"), 1024);
    return commandLine.left(commandLine.indexOf('\0')).contains("dhclient");
}

bool DhcpClient::release(const QString &device)
{
    ShellProcess process;
    return run(process, SystemCommands::interfaceDown(device));
}

bool DhcpClient::renew(const QString &device)
{
    ShellProcess process;
    // Without ifdown's success the interface is not brought up again.
    return run(process, SystemCommands::interfaceDown(device)) && run(process, SystemCommands::interfaceUp(device));
}
