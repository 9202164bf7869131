// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The wireless options file: what is read is written and read back the same
// (quotes, escapes, encodings), as the module's own file.

#include "config/textfile.h"
#include "config/wirelessoptionsfile.h"
#include "fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const WirelessOptionsFile read = WirelessOptionsFile::fromLines(TextFile::splitLines(bytes(data, size), 0));
    const QStringList written = TextFile::splitLines(read.toBytes(), 0);
    const WirelessOptionsFile back = WirelessOptionsFile::fromLines(written);
    const auto values = [](const WirelessOptionsFile &f) {
        const WirelessOptionsFile::KeyLine key = f.key.value_or(WirelessOptionsFile::KeyLine());
        return QStringList{f.essid.value_or(QString()), f.mode.value_or(QString()), f.channel.value_or(QString()), f.rate.value_or(QString()), key.value}
        << QString::number(key.enabled);
    };
    check(WirelessOptionsFile::holdsMarker(written) && values(back) == values(read));
    return 0;
}
