// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QHash>
#include <QString>

#include <optional>

/**
 * The device inventory: /etc/devices/devices.inf, a sectioned key-value file
 * that the hardware detection of the system writes, one section per device
 * ("network.1" for the first network device, "network.2" for the second...).
 *
 * The file is read with KConfig's INI reader, which never refuses a file for
 * its syntax: lines that are neither "[section]" nor "key=value" are skipped
 * (with a warning on the log), so a file of junk is simply an inventory
 * without devices. "Cannot be read" means a path that names a directory, a
 * file without read permission, or a read error. A missing file is not an
 * error: machines without a hardware detection have none, and their
 * inventory is empty.
 */
class DeviceInventory
{
public:
    /**
     * Reads the inventory file at a system path (mapped through the system
     * root), replacing what was held. Returns the number of sections read (0
     * for a missing or empty file), or -1 when the file exists but cannot be read.
     */
    int read(const QString &systemPath);

    /// The value of key in section; std::nullopt when the section or the key does not exist.
    std::optional<QString> value(const QString &section, const QString &key) const;

private:
    QHash<QString, QHash<QString, QString>> m_sections;
};
