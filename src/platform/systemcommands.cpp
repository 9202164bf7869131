// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "systemcommands.h"

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

QStringList SystemCommands::interfaceDown(const QString &device)
{
    return quietIfupdown("/sbin/ifdown", device);
}

QStringList SystemCommands::interfaceUp(const QString &device)
{
    return quietIfupdown("/sbin/ifup", device);
}
