// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "requiredprograms.h"

#include <QFileInfo>
#include <QStringList>

#include <KLocalizedString>

#include "systempaths.h"

const QVector<RequiredPrograms::Program> &RequiredPrograms::all()
{
    // Most of these come with every Debian system; ifupdown and
    // isc-dhcp-client are the ones a fresh install often lacks.
    static const QVector<Program> programs{
        {QStringLiteral("/bin/sh"), QStringLiteral("dash")},
        {QStringLiteral("/etc/init.d/networking"), QStringLiteral("ifupdown")},
        {QStringLiteral("/sbin/ifup"), QStringLiteral("ifupdown")},
        {QStringLiteral("/sbin/ifdown"), QStringLiteral("ifupdown")},
        {QStringLiteral("/sbin/dhclient"), QStringLiteral("isc-dhcp-client")},
        {QStringLiteral("/bin/hostname"), QStringLiteral("hostname")},
    };
    return programs;
}

QVector<RequiredPrograms::Program> RequiredPrograms::missing()
{
    QVector<Program> result;
    for (const Program &program : all()) {
        const QFileInfo file(SystemPaths::path(program.path));
        if (!file.isFile() || !file.isExecutable()) {
            result.append(program);
        }
    }
    return result;
}

QString RequiredPrograms::message(const QVector<Program> &missing)
{
    if (missing.isEmpty()) {
        return QString();
    }
    QStringList lines;
    for (const Program &program : missing) {
        lines << i18n("%1 (Debian package %2)", program.path, program.package);
    }
    return i18n("These programs are missing or cannot be run:\n%1\nInstall them; until then the settings can only be viewed.", lines.join(QLatin1Char('\n')));
}
