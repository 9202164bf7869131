// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "systempaths.h"

#include <QFile>

namespace SystemPaths
{
QString path(const QString &systemPath)
{
    // Read at each call: tests switch roots between cases.
    const QByteArray root = qgetenv("QUORLAN_ROOT");
    if (root.isEmpty()) {
        return systemPath;
    }
    QString prefix = QFile::decodeName(root);
    while (prefix.endsWith(QLatin1Char('/'))) {
        prefix.chop(1);
    }
    return prefix + systemPath;
}

QString path(const char *systemPath)
{
    return path(QString::fromLatin1(systemPath));
}
}
