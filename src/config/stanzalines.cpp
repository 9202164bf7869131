// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "stanzalines.h"

#include "simplifiedlines.h"
#include "textfile.h"

#include <algorithm>
#include <iterator>

StanzaLines StanzaLines::fromSimplified(SimplifiedLines &&lines)
{
    StanzaLines result;
    result.m_text = lines.text();
    result.lines = std::move(lines).takeLines();
    return result;
}

qsizetype StanzaLines::roomFor(qsizetype size)
{
    // A null text has no room yet, not even for an empty line's view.
    if (m_made.capacity() - m_made.size() < size || m_made.isNull()) {
        if (!m_made.isEmpty()) {
            m_madeBefore.push_back(std::move(m_made));
        }
        m_made = QString();
        m_made.reserve(int(std::max(size, qsizetype(256))));
    }
    return m_made.size();
}

void StanzaLines::appendMade(qsizetype start)
{
    const qsizetype size = m_made.size() - start;
    QChar *const text = m_made.data() + start;
    if (!lines.empty() && continues(lines.back())) {
        lines.push_back({QStringView(text, size), Continuation});
        return;
    }
    const QStringView line = TextFile::simplifyInPlace(text, size);
    lines.push_back({line, kindOf(line)});
}

void StanzaLines::append(std::vector<Line>::const_iterator from, std::vector<Line>::const_iterator to)
{
    lines.insert(lines.end(), from, to);
}

std::vector<StanzaLines::Line> StanzaLines::takeLines(size_t first)
{
    std::vector<Line> taken;
    taken.swap(m_spare);
    const auto from = lines.begin() + std::ptrdiff_t(first);
    taken.assign(from, lines.end());
    lines.erase(from, lines.end());
    // Room for the stanza that the pass adds, grown as the library grows it: a
    // pass that adds a few lines does not move every line for the next one.
    const size_t needed = lines.size() + taken.size() + 8;
    if (lines.capacity() < needed) {
        lines.reserve(std::max(needed, 2 * lines.capacity()));
    }
    return taken;
}

void StanzaLines::recycle(std::vector<Line> &&moved)
{
    moved.clear();
    m_spare = std::move(moved);
}

bool StanzaLines::continues(const Line &line)
{
    // ifupdown drops trailing blanks before it looks for the backslash (only a
    // continuation has any); it skips comment lines before it joins anything,
    // so a comment never continues.
    if (line.kind == Continuation) {
        return TextFile::trimmed(line.text()).endsWith(QLatin1Char('\\'));
    }
    return line.text().endsWith(QLatin1Char('\\')) && line.kind != Comment;
}

QByteArray StanzaLines::toBytes(Indent indent) const
{
    // Room for a tab and a line feed with each line.
    qsizetype size = 0;
    for (const Line &line : lines) {
        size += line.size + 2;
    }
    return TextFile::toBytes(lines, size, [indent](QString &text, const Line &line) {
        if (indent == Indent::Options && line.kind == Option) {
            text += QLatin1Char('\t');
        }
        text.append(line.data, line.size);
    });
}

StanzaLines::Kind StanzaLines::kindOf(QStringView line)
{
    if (line.isEmpty()) {
        return StanzaLines::Empty;
    }
    // The first letter picks the one keyword to compare: every line read and
    // made is asked.
    switch (line.front().unicode()) {
    case '#':
        return StanzaLines::Comment;
    case 'a':
        return line.startsWith(QLatin1String("auto ")) ? StanzaLines::Auto : StanzaLines::Option;
    case 'i':
        return line.startsWith(QLatin1String("iface ")) ? StanzaLines::StanzaStart : StanzaLines::Option;
    default:
        return StanzaLines::Option;
    }
}

// ifupdown ends an interface's options at the next line that begins an entry of
// its own; the old stanza is consumed no further, so an "allow-hotplug",
// "source" or "mapping" line that follows it is carried over, not dropped.
bool StanzaLines::beginsEntry(QStringView line)
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
    const QStringView word = line.left(line.indexOf(QLatin1Char(' ')));
    return line.startsWith(QLatin1String("iface ")) || entryWords.contains(word) || word.startsWith(QLatin1String("allow-"));
}

bool StanzaLines::beginsWithUnsupportedOption(QStringView line)
{
    // Prefix tests, not word tests: "hwaddress" is caught by "hwaddr". Made
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
    if (line.isEmpty()) {
        return false;
    }
    // The first letters are compared here before the library compares the rest.
    const QChar first = line.front();
    return std::any_of(std::begin(words), std::end(words), [&line, first](QLatin1String word) {
        return first == QLatin1Char(word.front()) && line.startsWith(word);
    });
}
