// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The wireless options file as the Wireless tab reads it; what it read must be
// written and read back as the same values (quotes, escapes and encodings).

#include <QStringList>

#include "config/textfile.h"
#include "config/wirelessoptionsfile.h"
#include "fuzzroot.h"

namespace
{
QByteArray values(const WirelessOptionsFile &file)
{
    const WirelessOptionsFile::KeyLine key = file.key.value_or(WirelessOptionsFile::KeyLine());
    const QStringList fields{file.essid.value_or(QString()),
                             file.mode.value_or(QString()),
                             file.channel.value_or(QString()),
                             file.rate.value_or(QString()),
                             QString::number(key.enabled),
                             key.value};
    return fields.join(QLatin1Char('|')).toUtf8();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = TextFile::splitLines(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)), 0);
    WirelessOptionsFile::holdsMarker(lines);
    const WirelessOptionsFile read = WirelessOptionsFile::fromLines(lines);
    const QStringList written = TextFile::splitLines(read.toBytes(), 0);
    FuzzRoot::check(WirelessOptionsFile::holdsMarker(written), "a written file is the module's own");
    const WirelessOptionsFile back = WirelessOptionsFile::fromLines(written);
    FuzzRoot::check(values(back) == values(read), "the values read back as written", values(read) + "\nread back as\n" + values(back));
    return 0;
}
