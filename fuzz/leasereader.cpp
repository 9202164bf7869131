// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The DHCP client's lease file, as each record reads its newest lease.

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        Interface record;
        record.setInterfaceNumber(i);
        check(record.parseLeases(bytes(data, size)) || record.dhcpAddresses.ipAddress().isEmpty());
    }
    return 0;
}
