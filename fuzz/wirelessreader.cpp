// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The wireless options file: what is read is written and read back the same
// (quotes, escapes, encodings), as the module's own file.

#include "config/textfile.h"
#include "config/wirelessoptionsfile.h"
#include "fuzz.h"

bool holds(const QByteArray &input)
{
    const QByteArray written = WirelessOptionsFile::fromLines(TextFile::splitLines(input, 0)).toBytes();
    const QStringList lines = TextFile::splitLines(written, 0);
    return WirelessOptionsFile::holdsMarker(lines) && WirelessOptionsFile::fromLines(lines).toBytes() == written;
}
