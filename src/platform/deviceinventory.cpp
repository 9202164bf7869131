// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "deviceinventory.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <KConfig>
#include <KConfigGroup>

#include "quorlan_debug.h"
#include "systempaths.h"

#include <new>

struct DeviceInventory {
    // Section name to (key to value), all UTF-8 as KConfig decoded them.
    QHash<QByteArray, QHash<QByteArray, QByteArray>> sections;
};

namespace
{
// KConfig reads whatever it is given and never reports an unreadable file, so
// this is where "cannot be read" is decided. Anything but a regular file (a
// directory, or a FIFO that would block the GUI thread) counts as unreadable.
bool isReadableFile(const QString &realPath)
{
    if (!QFileInfo(realPath).isFile()) {
        return false;
    }
    QFile file(realPath);
    return file.open(QIODevice::ReadOnly);
}

QHash<QByteArray, QByteArray> readSection(const KConfig &config, const QString &name)
{
    QHash<QByteArray, QByteArray> section;
    const QMap<QString, QString> entries = config.group(name).entryMap();
    for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
        section.insert(entry.key().toUtf8(), entry.value().toUtf8());
    }
    return section;
}
}

extern "C" {
DeviceInventory *CreateTextFile(void)
{
    return new (std::nothrow) DeviceInventory;
}

int TextParseFile(DeviceInventory *handle, const char *path)
{
    if (!handle || !path) {
        return -1;
    }
    handle->sections.clear();
    const QString realPath = QFileInfo(SystemPaths::path(QFile::decodeName(path))).absoluteFilePath();
    if (!QFileInfo::exists(realPath)) {
        return 0;
    }
    if (!isReadableFile(realPath)) {
        qCWarning(QUORLAN) << "cannot read the device inventory" << realPath;
        return -1;
    }
    const KConfig config(realPath, KConfig::SimpleConfig);
    const QStringList names = config.groupList();
    for (const QString &name : names) {
        handle->sections.insert(name.toUtf8(), readSection(config, name));
    }
    return handle->sections.size();
}

const char *EtcDevSearch(DeviceInventory *handle, const char *section, const char *key)
{
    if (!handle || !section || !key) {
        return nullptr;
    }
    const auto found = handle->sections.constFind(QByteArray(section));
    if (found == handle->sections.cend()) {
        return nullptr;
    }
    const auto value = found->constFind(QByteArray(key));
    return value == found->cend() ? nullptr : value->constData();
}

void ReleaseTextFile(DeviceInventory *handle)
{
    delete handle;
}
}
