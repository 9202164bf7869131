// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "dhcpclient.h"

#include <QFile>

#include "platform/shellprocess.h"
#include "platform/systemcommands.h"
#include "platform/systempaths.h"
#include "textfile.h"

#include <algorithm>
#include <optional>

namespace
{
/// The first line of a file (at most maxLength bytes), or nothing when it cannot be read.
std::optional<QByteArray> firstLine(const QString &systemPath, qint64 maxLength)
{
    QFile file(SystemPaths::path(systemPath));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray line = file.readLine(maxLength + 1);
    if (line.isEmpty()) {
        return std::nullopt;
    }
    return line;
}

bool run(ShellProcess &process, const QStringList &words)
{
    SystemCommands::prepare(process, words);
    process.start();
    return process.succeeded();
}

bool isProcessId(const QString &id)
{
    return !id.isEmpty() && std::all_of(id.begin(), id.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}
}

bool DhcpClient::running()
{
    const auto pidLine = firstLine(QStringLiteral("/var/run/dhclient.pid"), 32);
    if (!pidLine) {
        return false;
    }
    // Anything but a number would make the path point somewhere else than /proc/<pid>.
    const QString id = TextFile::simplified(QString::fromLatin1(*pidLine));
    if (!isProcessId(id)) {
        return false;
    }
    const auto commandLine = firstLine(QLatin1String("/proc/") + id + QLatin1String("/cmdline"), 1024);
    return commandLine && commandLine->contains("dhclient");
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
