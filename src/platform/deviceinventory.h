// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

/**
 * The device inventory: /etc/devices/devices.inf, a sectioned key-value file
 * that the hardware detection of the system writes, one section per device
 * ("network.1" for the first network device, "network.2" for the second...).
 *
 * The interface is plain C, so that the same three calls work whoever wrote
 * the inventory reader: create a handle, parse a file into it, look values up.
 *
 * The file is read with KConfig's INI reader, which never refuses a file for
 * its syntax: lines that are neither "[section]" nor "key=value" are skipped
 * (with a warning on the log), so a file of junk is simply an inventory
 * without devices. "Cannot be parsed" therefore means "cannot be read": a path
 * that names a directory, a file without read permission, or a read error.
 * A missing file is not an error: machines without a hardware detection have
 * none, and their inventory is empty.
 */
struct DeviceInventory;

extern "C" {
/// A new, empty inventory; nullptr when it cannot be allocated. Release it with ReleaseTextFile().
DeviceInventory *CreateTextFile(void);

/**
 * Reads the inventory file at path (a system path such as "/etc/devices/devices.inf",
 * mapped through the system root) into the handle, replacing what it held.
 * Returns the number of sections read (0 for a missing or empty file), or -1
 * when the file exists but cannot be read, or the handle or path is null.
 */
int TextParseFile(DeviceInventory *handle, const char *path);

/**
 * The value of key in section, as UTF-8, or nullptr when the section or the key
 * does not exist. The text belongs to the handle and stays valid until the
 * next TextParseFile() or ReleaseTextFile() on it; callers copy it at once.
 */
const char *EtcDevSearch(DeviceInventory *handle, const char *section, const char *key);

/// Frees the handle and every text it returned; nullptr is ignored.
void ReleaseTextFile(DeviceInventory *handle);
}
