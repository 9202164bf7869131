// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * The machine's own Ethernet devices, as the kernel lists them in
 * /sys/class/net (through the system root): link type 1 (Ethernet), and none
 * of what shares that type without being a card of its own: wireless
 * devices, bridges, bonds, VLANs and the ports of any of them (a device with
 * a master, such as the host side of a container's veth pair).
 */
class EthernetDevices
{
public:
    /// Their names, in the kernel's order (interface index).
    static QStringList names();
    /// Whether the device is up (IFF_UP in its flags); false for one that does not exist.
    static bool isUp(const QString &name);
    /// The model that udev's hardware database knows for the device; empty when it knows none.
    static QString modelFromHardwareDatabase(const QString &name);
};
