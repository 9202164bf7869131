// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "stanzalines.h"

#include "textfile.h"

#include <algorithm>

StanzaLines::StanzaLines(const QStringList &lines)
{
    this->lines.reserve(size_t(lines.size()));
    for (const QString &line : lines) {
        append(line);
    }
}

void StanzaLines::append(const QString &line)
{
    if (!lines.empty() && continues(lines.back())) {
        lines.push_back({line, Continuation});
        return;
    }
    QString text = TextFile::simplified(line);
    const Kind kind = kindOf(text);
    lines.push_back({std::move(text), kind});
}

void StanzaLines::append(Line &&line)
{
    lines.push_back(std::move(line));
}

QStringList StanzaLines::indentedLines() const
{
    QStringList result;
    result.reserve(int(lines.size()));
    for (const Line &line : lines) {
        result << (line.kind == Option ? QLatin1Char('\t') + line.text : line.text);
    }
    return result;
}

bool StanzaLines::continues(const Line &line)
{
    // ifupdown skips comment lines before it joins anything, so a comment
    // never continues; it drops trailing blanks before it looks for the backslash.
    return line.kind != Comment && (line.kind == Continuation ? TextFile::simplified(line.text) : line.text).endsWith(QLatin1Char('\\'));
}

QStringList StanzaLines::plainLines() const
{
    QStringList result;
    result.reserve(int(lines.size()));
    for (const Line &line : lines) {
        result << line.text;
    }
    return result;
}

StanzaLines::Kind StanzaLines::kindOf(const QString &line)
{
    if (line.isEmpty()) {
        return StanzaLines::Empty;
    }
    if (line.startsWith(QLatin1Char('#'))) {
        return StanzaLines::Comment;
    }
    if (line.startsWith(QLatin1String("auto "))) {
        return StanzaLines::Auto;
    }
    return line.startsWith(QLatin1String("iface ")) ? StanzaLines::StanzaStart : StanzaLines::Option;
}

// ifupdown ends an interface's options at the next line that begins an entry of
// its own; the old stanza is consumed no further, so an "allow-hotplug",
// "source" or "mapping" line that follows it is carried over, not dropped.
bool StanzaLines::beginsEntry(const QString &line)
{
    static const QStringList entryWords{QStringLiteral("iface"),
                                        QStringLiteral("auto"),
                                        QStringLiteral("mapping"),
                                        QStringLiteral("rename"),
                                        QStringLiteral("source"),
                                        QStringLiteral("source-directory"),
                                        QStringLiteral("no-auto-down"),
                                        QStringLiteral("no-scripts")};
    // A view, not a copy: this runs for every line after a stanza's start.
    const QStringView word = QStringView(line).left(line.indexOf(QLatin1Char(' ')));
    return line.startsWith(QLatin1String("iface ")) || entryWords.contains(word) || word.startsWith(QLatin1String("allow-"));
}

bool StanzaLines::beginsWithUnsupportedOption(const QString &line)
{
    // Prefix tests, not word tests: "hwaddress" is caught by "hwaddr". Measured
    // once: every line of every load is tested against all of them.
    static const QLatin1String words[] = {QLatin1String("script"),
                                          QLatin1String("map"),
                                          QLatin1String("mapping"),
                                          QLatin1String("pointtopoint"),
                                          QLatin1String("bootfile"),
                                          QLatin1String("server"),
                                          QLatin1String("hwaddr"),
                                          QLatin1String("hostname"),
                                          QLatin1String("leasehours"),
                                          QLatin1String("leasetime"),
                                          QLatin1String("vendor"),
                                          QLatin1String("client"),
                                          QLatin1String("provider"),
                                          QLatin1String("frame"),
                                          QLatin1String("netnum"),
                                          QLatin1String("endpoint")};
    return std::any_of(std::begin(words), std::end(words), [&line](QLatin1String word) {
        return line.startsWith(word);
    });
}
