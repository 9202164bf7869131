// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "deviceinventory.h"

#include <QFile>
#include <QFileInfo>

#include <KConfig>
#include <KConfigGroup>

#include "quorlan_debug.h"
#include "systempaths.h"

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
}

int DeviceInventory::read(const QString &systemPath)
{
    m_sections.clear();
    const QString realPath = QFileInfo(SystemPaths::path(systemPath)).absoluteFilePath();
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
        const QMap<QString, QString> entries = config.group(name).entryMap();
        QHash<QString, QString> &section = m_sections[name];
        for (auto entry = entries.cbegin(); entry != entries.cend(); ++entry) {
            section.insert(entry.key(), entry.value());
        }
    }
    return m_sections.size();
}

std::optional<QString> DeviceInventory::value(const QString &section, const QString &key) const
{
    const auto found = m_sections.constFind(section);
    if (found == m_sections.cend() || !found->contains(key)) {
        return std::nullopt;
    }
    return found->value(key);
}
