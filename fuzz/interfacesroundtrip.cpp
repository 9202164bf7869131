// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The interfaces file read into the five records and written back, as a load
// and a save do: a second save changes nothing more.

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "fuzz.h"

#include <array>

// Five present records that know their devices and nothing else yet; each
// input's records start as a copy, without naming the devices anew.
static std::array<Interface, SystemFiles::RecordCount> blankRecords()
{
    std::array<Interface, SystemFiles::RecordCount> records;
    for (int i = 0; i < SystemFiles::RecordCount; ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = true;
    }
    return records;
}

bool holds(const QByteArray &input)
{
    static const std::array<Interface, SystemFiles::RecordCount> blank = blankRecords();
    const InterfacesFile original(TextFile::splitLines(input, 0));
    original.hasUnsupportedOptions();
    std::array<Interface, SystemFiles::RecordCount> records = blank;
    for (Interface &record : records) {
        record.parseInterfacesList(original, std::nullopt);
    }
    const std::optional<QByteArray> once = original.rewritten(records.data(), SystemFiles::RecordCount);
    return !once || InterfacesFile(TextFile::splitLines(*once, 0)).rewritten(records.data(), SystemFiles::RecordCount) == once;
}
