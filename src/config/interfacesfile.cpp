// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interfacesfile.h"

#include "interface.h"
#include "stanzalines.h"
#include "textfile.h"

#include <algorithm>

namespace
{
const QString &filePath()
{
    static const QString path = QLatin1String(SystemFiles::Interfaces);
    return path;
}
}

std::optional<SimplifiedLines> InterfacesFile::readLines()
{
    return TextFile::readSimplifiedLines(filePath());
}

bool InterfacesFile::hasUnsupportedOptions(const SimplifiedLines &lines)
{
    return std::any_of(lines.begin(), lines.end(), [](const SimplifiedLines::Line &line) {
        return StanzaLines::beginsWithUnsupportedOption(line.text());
    });
}

bool InterfacesFile::write(const Interface *records, int ethernetCount)
{
    std::optional<SimplifiedLines> lines = readLines();
    if (!lines) {
        return false;
    }
    const std::optional<QByteArray> rewritten = rewrite(std::move(*lines), records, ethernetCount);
    return rewritten && TextFile::replace(filePath(), *rewritten, TextFile::Replacement());
}

std::optional<QByteArray> InterfacesFile::rewrite(SimplifiedLines lines, const Interface *records, int ethernetCount)
{
    StanzaLines rewritten = StanzaLines::fromSimplified(std::move(lines));
    bool anyPass = false;
    const int count = records ? std::min(ethernetCount, RecordCount) : 0;
    for (int i = 0; i < count; ++i) {
        if (records[i].present) {
            if (!records[i].updateInterfacesList(rewritten)) {
                return std::nullopt;
            }
            anyPass = true;
        }
    }
    // Without a present record nothing is indented: the lines are only simplified.
    return rewritten.toBytes(anyPass ? StanzaLines::Indent::Options : StanzaLines::Indent::Nothing);
}
