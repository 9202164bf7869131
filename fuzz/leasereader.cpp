// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The DHCP client's lease file, as each of the five records reads its newest lease.

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "fuzzroot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray leases = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        Interface record;
        record.setInterfaceNumber(i);
        const bool found = record.parseLeases(leases);
        FuzzRoot::check(found || (record.dhcpAddresses.ipAddress().isEmpty() && !record.defaultGateway), "a file without the device's lease changes nothing");
    }
    return 0;
}
