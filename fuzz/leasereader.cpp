// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The DHCP client's lease file, as a record reads its newest lease.

#include "config/interface.h"
#include "config/leasefile.h"
#include "fuzz.h"

bool holds(const QByteArray &input)
{
    Interface eth0;
    eth0.setInterfaceNumber(0);
    return LeaseFile::readNewestLease(input, eth0) || eth0.dhcpAddresses.ipAddress().isEmpty();
}
