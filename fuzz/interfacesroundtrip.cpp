// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The interfaces file read into the five records and written back, as a load
// and a save do: a second save changes nothing more.

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList original = TextFile::simplifiedLines(bytes(data, size));
    InterfacesFile::hasUnsupportedOptions(original);
    Interface records[InterfacesFile::RecordCount];
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = true;
        records[i].parseInterfacesList(original, std::nullopt);
    }
    const std::optional<QStringList> once = InterfacesFile::rewrite(original, records, InterfacesFile::RecordCount);
    if (once) {
        const QStringList saved = TextFile::simplifiedLines(TextFile::toBytes(*once));
        check(InterfacesFile::rewrite(saved, records, InterfacesFile::RecordCount) == once);
    }
    return 0;
}
