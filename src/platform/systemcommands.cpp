// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "systemcommands.h"

#include "shellprocess.h"

namespace
{
QString searchPath()
{
    return QLatin1String("PATH=") + QLatin1String(SystemCommands::SearchPath) + QLatin1Char(';');
}

// The tab runs the ifupdown tools without their complaints: it has its own message.
QStringList quietIfupdown(const char *tool, const QString &device)
{
    return {searchPath(), QLatin1String(tool), device, QStringLiteral("2>/dev/null")};
}
}

QStringList SystemCommands::setHostName(const QString &hostnameFile)
{
    return {searchPath(), QStringLiteral("/bin/hostname"), QStringLiteral("--file"), hostnameFile};
}

QStringList SystemCommands::restartNetworking()
{
    return {searchPath(), QStringLiteral("/etc/init.d/networking"), QStringLiteral("restart"), QStringLiteral("2>/dev/null")};
}

QStringList SystemCommands::stopNetworking()
{
    return {searchPath(), QStringLiteral("/etc/init.d/networking"), QStringLiteral("stop")};
}

QStringList SystemCommands::checkActive(const QString &device)
{
    return {QStringLiteral("/sbin/ifconfig"), QStringLiteral("|"), QStringLiteral("/bin/grep"), QStringLiteral("-q"), device};
}

QStringList SystemCommands::interfaceDown(const QString &device)
{
    return quietIfupdown("/sbin/ifdown", device);
}

QStringList SystemCommands::interfaceUp(const QString &device)
{
    return quietIfupdown("/sbin/ifup", device);
}

QString SystemCommands::ethernetCount()
{
    // Counts the lines of the interface listing that start with eth and a digit,
    // leaving out alias lines such as eth0:1.
    return QStringLiteral("/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l");
}

void SystemCommands::prepare(ShellProcess &process, const QStringList &words)
{
    process.clearArguments();
    process.setRunPrivileged(true);
    for (const QString &word : words) {
        process << word;
    }
}
