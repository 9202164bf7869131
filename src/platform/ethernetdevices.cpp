// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "ethernetdevices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "systempaths.h"

#include <algorithm>

#include <net/if.h>

namespace
{
QString entryPath(const QString &name, const QString &entry)
{
    return SystemPaths::path(QLatin1String("/sys/class/net/") + name + QLatin1Char('/') + entry);
}

QByteArray attribute(const QString &name, const QString &entry)
{
    QFile file(entryPath(name, entry));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : QByteArray();
}

int interfaceIndex(const QString &name)
{
    return attribute(name, QStringLiteral("ifindex")).toInt();
}

bool isEthernet(const QString &name)
{
    // Loopback and the other link types have a type of their own.
    if (attribute(name, QStringLiteral("type")) != "1") {
        return false;
    }
    const QStringList notACard{QStringLiteral("wireless"),
                               QStringLiteral("phy80211"),
                               QStringLiteral("bridge"),
                               QStringLiteral("bonding"),
                               QStringLiteral("master")};
    for (const QString &entry : notACard) {
        if (QFileInfo::exists(entryPath(name, entry))) {
            return false;
        }
    }
    return !attribute(name, QStringLiteral("uevent")).split('\n').contains("DEVTYPE=vlan");
}
}

QStringList EthernetDevices::names()
{
    const QDir folder(SystemPaths::path("/sys/class/net"));
    QStringList result;
    const QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        if (isEthernet(name)) {
            result << name;
        }
    }
    std::stable_sort(result.begin(), result.end(), [](const QString &a, const QString &b) {
        return interfaceIndex(a) < interfaceIndex(b);
    });
    return result;
}

bool EthernetDevices::isUp(const QString &name)
{
    // The flags are written in hexadecimal, "0x1003".
    bool read = false;
    const uint flags = attribute(name, QStringLiteral("flags")).toUInt(&read, 0);
    return read && (flags & IFF_UP);
}

QString EthernetDevices::modelFromHardwareDatabase(const QString &name)
{
    const int index = interfaceIndex(name);
    if (index <= 0) {
        return QString();
    }
    QFile data(SystemPaths::path(QLatin1String("/run/udev/data/n") + QString::number(index)));
    if (!data.open(QIODevice::ReadOnly)) {
        return QString();
    }
    const QByteArray key("E:ID_MODEL_FROM_DATABASE=");
    const QList<QByteArray> lines = data.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(key)) {
            return QString::fromUtf8(line.mid(key.size()));
        }
    }
    return QString();
}
