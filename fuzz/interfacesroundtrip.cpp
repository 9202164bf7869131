// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The interfaces file read into the five records and written back, as a load
// and a save do: a second save changes nothing more.

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "fuzz.h"

bool holds(const QByteArray &input)
{
    const QStringList original = TextFile::simplifiedLines(input);
    InterfacesFile::hasUnsupportedOptions(original);
    Interface records[InterfacesFile::RecordCount];
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = true;
        records[i].parseInterfacesList(original, std::nullopt);
    }
    const std::optional<QStringList> once = InterfacesFile::rewrite(original, records, InterfacesFile::RecordCount);
    return !once || InterfacesFile::rewrite(TextFile::simplifiedLines(TextFile::toBytes(*once)), records, InterfacesFile::RecordCount) == once;
}
