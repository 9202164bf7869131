// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The wireless options file as the Wireless tab reads it; what it read must be
// written and read back as the same values (quotes, escapes and encodings).

#include <QStringList>

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
    FuzzRoot::write(WirelessOptionsFile::systemPath(), data, size);
    WirelessOptionsFile::isOwnFile();
    const std::optional<WirelessOptionsFile> read = WirelessOptionsFile::read();
    FuzzRoot::check(bool(read), "a file that exists can be read");
    FuzzRoot::check(read->write(), "the file can be written");
    FuzzRoot::check(WirelessOptionsFile::isOwnFile(), "a written file is the module's own");
    const std::optional<WirelessOptionsFile> back = WirelessOptionsFile::read();
    FuzzRoot::check(back && values(*back) == values(*read),
                    "the values read back as written",
                    values(*read) + "\nread back as\n" + values(back.value_or(WirelessOptionsFile())));
    return 0;
}
