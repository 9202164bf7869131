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

bool beginsWithUnsupportedOption(const QString &line)
{
    // Prefix tests, not word tests: "hwaddress" is caught by "hwaddr".
    static const char *const words[] = {"script",
                                        "map",
                                        "mapping",
                                        "pointtopoint",
                                        "bootfile",
                                        "server",
                                        "hwaddr",
                                        "hostname",
                                        "leasehours",
                                        "leasetime",
                                        "vendor",
                                        "client",
                                        "provider",
                                        "frame",
                                        "netnum",
                                        "endpoint"};
    return std::any_of(std::begin(words), std::end(words), [&line](const char *word) {
        return line.startsWith(QLatin1String(word));
    });
}
}

std::optional<QStringList> InterfacesFile::readLines()
{
    return TextFile::readSimplifiedLines(filePath());
}

bool InterfacesFile::hasUnsupportedOptions(const QStringList &lines)
{
    return std::any_of(lines.cbegin(), lines.cend(), [](const QString &line) {
        return beginsWithUnsupportedOption(TextFile::simplified(line));
    });
}

bool InterfacesFile::write(const Interface *records, int ethernetCount)
{
    const std::optional<QStringList> lines = readLines();
    if (!lines) {
        return false;
    }
    const std::optional<QStringList> rewritten = rewrite(*lines, records, ethernetCount);
    return rewritten && TextFile::replaceWithBackup(filePath(), *rewritten);
}

std::optional<QStringList> InterfacesFile::rewrite(const QStringList &lines, const Interface *records, int ethernetCount)
{
    StanzaLines rewritten(lines);
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
    return anyPass ? rewritten.indentedLines() : rewritten.plainLines();
}
