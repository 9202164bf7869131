// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

/**
 * The system files that the module reads and writes, as system paths (they go
 * through SystemPaths::path() before anything opens them), and the number of
 * interface records that every one of its readers and writers walks.
 */
namespace SystemFiles
{
constexpr char Hostname[] = "/etc/hostname";
constexpr char ResolvConf[] = "/etc/resolv.conf";
constexpr char Hosts[] = "/etc/hosts";
constexpr char Interfaces[] = "/etc/network/interfaces";
constexpr char WirelessOptions[] = "/etc/pcmcia/wireless.opts";
constexpr char DhcpLeases[] = "/var/dhcp/dhclient.leases";
constexpr char DeviceInventory[] = "/etc/devices/devices.inf";

/// Record i stands for the machine's i-th Ethernet device: five at most, the most the data model holds.
constexpr int RecordCount = 5;
}
