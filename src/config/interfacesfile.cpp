// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interfacesfile.h"

#include "interface.h"
#include "systemfiles.h"
#include "textfile.h"

#include <algorithm>

namespace
{
QString filePath()
{
    return QLatin1String(SystemFiles::Interfaces);
}

bool endsWithBackslash(const QString &text)
{
    return text.endsWith(QLatin1Char('\\'));
}

QString withoutBackslashesAtEnd(QString text)
{
    while (endsWithBackslash(text)) {
        text.chop(1);
    }
    return text;
}

// Whether the device stands as a whole word after the simplified line's
// keyword: veth1 is not eth1, and neither is eth1:0.
bool namesDevice(const QString &line, const QString &device)
{
    for (int blank = line.indexOf(QLatin1Char(' ')); blank >= 0;) {
        const int next = line.indexOf(QLatin1Char(' '), blank + 1);
        if (QStringView(line).mid(blank + 1, (next < 0 ? line.size() : next) - blank - 1) == device) {
            return true;
        }
        blank = next;
    }
    return false;
}

// Whether the simplified text begins with the word, followed by a blank or
// nothing; if so, the text becomes what follows.
bool takeWord(QStringView &text, QStringView word)
{
    if (!text.startsWith(word) || (text.size() > word.size() && text.at(word.size()) != QLatin1Char(' '))) {
        return false;
    }
    text = text.mid(std::min(word.size() + 1, text.size()));
    return true;
}

// The line without the device; empty when nothing but its keyword is left.
QString lineWithout(const QString &line, const QString &device)
{
    QStringList words = line.split(QLatin1Char(' '));
    words.removeAll(device);
    return words.size() > 1 ? words.join(QLatin1Char(' ')) : QString();
}

bool startsWithAny(const QString &line, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(), [&line](const char *word) {
        return line.startsWith(QLatin1String(word));
    });
}

// The option lines of the record's stanza, unindented, in the order they are written.
QStringList optionLines(const Interface &record)
{
    QStringList lines;
    if (record.method == Interface::Dhcp) {
        if (!record.dhcpHostName.isEmpty()) {
            lines << QLatin1String("pre-up /bin/hostname ") + record.dhcpHostName << QStringLiteral("post-down /bin/hostname -F /etc/hostname");
        }
        return lines;
    }
    const Addresses &a = record.staticAddresses;
    const std::pair<const char *, const QString &> options[] = {
        {"address ", a.ipAddress()},
        {"netmask ", a.netmask()},
        {"broadcast ", a.broadcast},
        {"network ", a.network},
    };
    for (const auto &[keyword, value] : options) {
        if (!value.isEmpty()) {
            lines << QLatin1String(keyword) + value;
        }
    }
    if (a.gateway.isEmpty()) {
        return lines;
    }
    if (record.defaultGateway) {
        lines << QLatin1String("gateway ") + a.gateway;
    } else {
        lines << QLatin1String("up route add -net ") + a.network + QLatin1String(" netmask ") + a.netmask() + QLatin1String(" gw ") + a.gateway
                + QLatin1String(" dev ") + record.deviceName;
    }
    return lines;
}

// Whether an option of the record's old stanza stays: those not made again from the record.
bool keepsOldOption(const QString &line, bool dhcp)
{
    if (line.startsWith(QLatin1String("up route add -net"))) {
        return false;
    }
    if (startsWithAny(line, {"pre-up", "post-down"})) {
        // The host name commands are made again; a static stanza has none of its own.
        return dhcp && !line.contains(QLatin1String("/bin/hostname"));
    }
    return startsWithAny(line, {"up", "down", "post-up", "pre-down", "provider"});
}

// An option kept in the stanza the module writes: simplified and indented.
// The lines it continues into stay as they were, since ifupdown takes them in
// as they are. A backslash followed by blanks (or a carriage return) continues
// nothing, and stays so.
QString indented(const QString &line)
{
    const QString simplified = TextFile::simplified(line);
    return endsWithBackslash(line) || !endsWithBackslash(simplified) ? QLatin1Char('\t') + simplified : line;
}
}

std::optional<InterfacesFile> InterfacesFile::read()
{
    const std::optional<QStringList> lines = TextFile::readLines(filePath());
    return lines ? std::optional<InterfacesFile>(InterfacesFile(*lines)) : std::nullopt;
}

InterfacesFile::InterfacesFile(const QStringList &lines)
{
    m_lines.reserve(lines.size());
    for (int next = 0; next < lines.size();) {
        m_lines << take(lines, next);
    }
}

InterfacesFile::Line InterfacesFile::lineOf(const QString &first)
{
    // As ifupdown reads: a comment is known by its first line and continues nothing.
    Line line{first, {}, first, TextFile::simplified(first), Comment, false};
    if (!line.text.startsWith(QLatin1Char('#'))) {
        line.continues = endsWithBackslash(first);
        readJoined(line);
    }
    return line;
}

void InterfacesFile::takeIn(Line &line, const QString &next)
{
    line.continued << next;
    line.joined.chop(1);
    line.joined += next;
    line.continues = endsWithBackslash(line.joined);
}

void InterfacesFile::readJoined(Line &line)
{
    // At the end of the file the backslashes go.
    if (line.continues || !line.continued.isEmpty()) {
        line.text = TextFile::simplified(withoutBackslashesAtEnd(line.joined));
    }
    line.kind = kindOf(line.text);
}

InterfacesFile::Line InterfacesFile::take(const QStringList &lines, int &next)
{
    Line line = lineOf(lines.at(next++));
    if (line.continues) {
        while (line.continues && next < lines.size()) {
            takeIn(line, lines.at(next++));
        }
        readJoined(line);
    }
    return line;
}

InterfacesFile::Kind InterfacesFile::kindOf(const QString &text)
{
    static const QStringList entryWords = QStringLiteral("auto iface mapping rename source source-directory no-auto-down no-scripts").split(QLatin1Char(' '));
    if (text.isEmpty()) {
        return Empty;
    }
    if (text.startsWith(QLatin1String("auto "))) {
        return Auto;
    }
    if (text.startsWith(QLatin1String("allow-hotplug "))) {
        return Hotplug;
    }
    if (text.startsWith(QLatin1String("iface "))) {
        return StanzaStart;
    }
    const int blank = text.indexOf(QLatin1Char(' '));
    const QStringView word = QStringView(text).left(blank < 0 ? text.size() : blank);
    return entryWords.contains(word) || word.startsWith(QLatin1String("allow-")) ? OtherEntry : Option;
}

bool InterfacesFile::beginsEntry(Kind kind)
{
    return kind == Auto || kind == Hotplug || kind == StanzaStart || kind == OtherEntry;
}

bool InterfacesFile::changes(const Line &line, const Interface &record)
{
    return (line.kind == Auto || (line.kind == Hotplug && !record.enabled)) && namesDevice(line.text, record.deviceName);
}

bool InterfacesFile::hasUnsupportedOptions() const
{
    // Prefix tests, not word tests: "hwaddress" is caught by "hwaddr".
    static const QStringList words =
        QStringLiteral("script map mapping pointtopoint bootfile server hwaddr hostname leasehours leasetime vendor client provider frame netnum endpoint")
            .split(QLatin1Char(' '));
    return std::any_of(m_lines.cbegin(), m_lines.cend(), [](const Line &line) {
        return std::any_of(words.cbegin(), words.cend(), [&line](const QString &word) {
            return line.text.startsWith(word);
        });
    });
}

bool InterfacesFile::namesOnLine(const QString &device, Kind kind) const
{
    return std::any_of(m_lines.cbegin(), m_lines.cend(), [&device, kind](const Line &line) {
        return line.kind == kind && namesDevice(line.text, device);
    });
}

bool InterfacesFile::enables(const QString &device) const
{
    return namesOnLine(device, Auto) || namesOnLine(device, Hotplug);
}

int InterfacesFile::stanzaStart(const QString &device, const QString &family) const
{
    const auto start = std::find_if(m_lines.cbegin(), m_lines.cend(), [&device, &family](const Line &line) {
        QStringView words(line.text);
        return line.kind == StanzaStart && takeWord(words, u"iface") && takeWord(words, device) && takeWord(words, family);
    });
    return start == m_lines.cend() ? -1 : int(start - m_lines.cbegin());
}

QStringList InterfacesFile::stanza(const QString &device, const QString &family) const
{
    const int start = stanzaStart(device, family);
    if (start < 0) {
        return {};
    }
    QStringList lines{m_lines.at(start).text};
    for (int i = start + 1; i < m_lines.size() && m_lines.at(i).kind != StanzaStart; ++i) {
        if (m_lines.at(i).kind != Comment && m_lines.at(i).kind != Empty) {
            lines << m_lines.at(i).text;
        }
    }
    return lines;
}

bool InterfacesFile::strandsOptions(int index) const
{
    int next = index + 1;
    while (next < m_lines.size() && (m_lines.at(next).kind == Empty || m_lines.at(next).kind == Comment)) {
        ++next;
    }
    return next < m_lines.size() && m_lines.at(next).kind == Option;
}

void InterfacesFile::append(const Line &line)
{
    // An empty line joined to a line that continues ends it, as ifupdown reads it.
    if (!m_lines.isEmpty() && m_lines.constLast().continues) {
        Line &last = m_lines.last();
        while (last.continues) {
            takeIn(last, QString());
        }
        readJoined(last);
    }
    m_lines << line;
}

void InterfacesFile::appendMade(const QString &line)
{
    append(lineOf(line));
}

void InterfacesFile::appendStanza(const Interface &record, bool autoLine)
{
    if (autoLine) {
        appendMade(QLatin1String("auto ") + record.deviceName);
    }
    appendMade(QLatin1String("iface ") + record.deviceName + QLatin1Char(' ') + record.getAddressFamilyString()
               + QLatin1String(record.method == Interface::Static ? " static" : " dhcp"));
    const QStringList options = optionLines(record);
    for (const QString &option : options) {
        // Read as the option it indents.
        Line line = lineOf(option);
        line.first = QLatin1Char('\t') + option;
        append(line);
    }
}

bool InterfacesFile::rewrite(const Interface &record)
{
    const QString &device = record.deviceName;
    const int start = stanzaStart(device, record.getAddressFamilyString());
    // The lines before the first one that changes stay where they are.
    int first = start < 0 ? m_lines.size() : start;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (changes(m_lines.at(i), record)) {
            first = std::min(first, i);
            // Without the line, options under it would fall to the stanza
            // before, and no line of it can be placed without guessing.
            if (lineWithout(m_lines.at(i).text, device).isEmpty() && strandsOptions(i)) {
                return false;
            }
        }
    }
    // An "allow-hotplug" line enables the device as well as an "auto" line, and stays.
    const bool autoLine = record.enabled && (namesOnLine(device, Auto) || !namesOnLine(device, Hotplug));
    const QVector<Line> rest = m_lines.mid(first);
    m_lines.resize(first);
    for (int i = 0; i < rest.size(); ++i) {
        const Line &line = rest.at(i);
        if (first + i == start) {
            appendStanza(record, autoLine);
            // The old stanza ends where ifupdown ends it: at the next entry.
            for (; i + 1 < rest.size() && !beginsEntry(rest.at(i + 1).kind); ++i) {
                Line old = rest.at(i + 1);
                if (old.kind == Option && keepsOldOption(old.text, record.method == Interface::Dhcp)) {
                    old.first = indented(old.first);
                    append(old);
                } else if (old.kind != Option) {
                    append(old);
                }
            }
        } else if (changes(line, record)) {
            const QString shortened = lineWithout(line.text, device);
            if (!shortened.isEmpty()) {
                appendMade(shortened);
            }
        } else {
            append(line);
        }
    }
    if (start < 0) {
        appendStanza(record, autoLine);
    }
    return true;
}

std::optional<QByteArray> InterfacesFile::rewritten(const Interface *records, int ethernetCount) const
{
    InterfacesFile file = *this;
    const int count = records ? std::min(ethernetCount, SystemFiles::RecordCount) : 0;
    for (int i = 0; i < count; ++i) {
        if (records[i].present && !file.rewrite(records[i])) {
            return std::nullopt;
        }
    }
    QStringList lines;
    for (const Line &line : std::as_const(file.m_lines)) {
        lines << line.first << line.continued;
    }
    return TextFile::toBytes(lines);
}

std::optional<InterfacesFile::Change> InterfacesFile::write(const Interface *records, int ethernetCount)
{
    const std::optional<QByteArray> before = TextFile::readBytes(filePath());
    const std::optional<QByteArray> after = before ? InterfacesFile(TextFile::splitLines(*before, 0)).rewritten(records, ethernetCount) : std::nullopt;
    if (!after || !TextFile::replace(filePath(), *after, TextFile::Replacement())) {
        return std::nullopt;
    }
    return Change{*before, *after};
}
