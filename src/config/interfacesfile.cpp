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

QStringList wordsOf(const QString &line)
{
    return line.split(QLatin1Char(' '));
}

// Whether the device stands as a whole word after the line's keyword: veth1
// is not eth1, and neither is eth1:0.
bool namesDevice(const QString &line, const QString &device)
{
    return wordsOf(line).indexOf(device, 1) > 0;
}

// The line without the device; empty when nothing but its keyword is left.
QString lineWithout(const QString &line, const QString &device)
{
    QStringList words = wordsOf(line);
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
    const std::pair<const char *, QString> options[] = {
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

// An option kept in the stanza the module writes: simplified and indented; the
// lines it continues into stay as they were, since ifupdown takes them in as
// they are. A backslash followed by blanks (or a carriage return) continues
// nothing, and stays so.
QStringList indented(QStringList read)
{
    const QString first = TextFile::simplified(read.constFirst());
    if (endsWithBackslash(read.constFirst()) || !endsWithBackslash(first)) {
        read.first() = QLatin1Char('\t') + first;
    }
    return read;
}
}

std::optional<InterfacesFile> InterfacesFile::read()
{
    const std::optional<QStringList> lines = TextFile::readLines(filePath());
    return lines ? std::optional<InterfacesFile>(InterfacesFile(*lines)) : std::nullopt;
}

InterfacesFile::InterfacesFile(const QStringList &lines)
{
    for (int next = 0; next < lines.size();) {
        m_lines << take(lines, next);
    }
}

InterfacesFile::Line InterfacesFile::take(const QStringList &lines, int &next)
{
    // As ifupdown reads: a comment is known by its first line and continues
    // nothing; any other line that ends with a backslash takes in the next
    // without the backslash, and at the end of the file the backslashes go.
    Line line{{lines.at(next)}, TextFile::simplified(lines.at(next)), Comment, false};
    ++next;
    if (line.text.startsWith(QLatin1Char('#'))) {
        return line;
    }
    QString joined = line.read.constFirst();
    while (endsWithBackslash(joined) && next < lines.size()) {
        joined.chop(1);
        joined += lines.at(next);
        line.read << lines.at(next++);
    }
    line.continues = endsWithBackslash(joined);
    while (endsWithBackslash(joined)) {
        joined.chop(1);
    }
    line.text = TextFile::simplified(joined);
    line.kind = kindOf(line.text);
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

bool InterfacesFile::hasUnsupportedOptions() const
{
    // Prefix tests, not word tests: "hwaddress" is caught by "hwaddr".
    return std::any_of(m_lines.cbegin(), m_lines.cend(), [](const Line &line) {
        return startsWithAny(line.text,
                             {"script",
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
                              "endpoint"});
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
        if (line.kind != StanzaStart) {
            return false;
        }
        const QStringList words = wordsOf(line.text);
        return words.size() > 2 && words.at(1) == device && words.at(2) == family;
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

bool InterfacesFile::beginsEntry(int index) const
{
    const Kind kind = m_lines.at(index).kind;
    return kind == Auto || kind == Hotplug || kind == StanzaStart || kind == OtherEntry;
}

bool InterfacesFile::optionsFollow(int index) const
{
    while (index < m_lines.size() && (m_lines.at(index).kind == Empty || m_lines.at(index).kind == Comment)) {
        ++index;
    }
    return index < m_lines.size() && m_lines.at(index).kind == Option;
}

void InterfacesFile::append(const Line &line)
{
    // An empty line joined to a line that continues ends it, as ifupdown reads it.
    while (!m_lines.isEmpty() && m_lines.constLast().continues) {
        int next = 0;
        m_lines.last() = take(m_lines.constLast().read + QStringList{QString()}, next);
    }
    m_lines << line;
}

void InterfacesFile::appendMade(const QString &line)
{
    int next = 0;
    append(take({line}, next));
}

void InterfacesFile::appendStanza(const Interface &record, bool autoLine)
{
    if (autoLine) {
        appendMade(QLatin1String("auto ") + record.deviceName);
    }
    appendMade(QLatin1String("iface ") + record.deviceName + QLatin1Char(' ') + record.getAddressFamilyString()
               + QLatin1String(record.method == Interface::Static ? " static" : " dhcp"));
    for (const QString &option : optionLines(record)) {
        appendMade(QLatin1Char('\t') + option);
    }
}

bool InterfacesFile::rewrite(const Interface &record)
{
    const QString &device = record.deviceName;
    // An "allow-hotplug" line enables the device as well as an "auto" line, and stays.
    const bool autoLine = record.enabled && (namesOnLine(device, Auto) || !namesOnLine(device, Hotplug));
    const int start = stanzaStart(device, record.getAddressFamilyString());
    InterfacesFile output;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (i == start) {
            output.appendStanza(record, autoLine);
            // The old stanza ends where ifupdown ends it: at the next entry.
            for (; i + 1 < m_lines.size() && !beginsEntry(i + 1); ++i) {
                Line old = m_lines.at(i + 1);
                if (old.kind == Option && keepsOldOption(old.text, record.method == Interface::Dhcp)) {
                    old.read = indented(old.read);
                    output.append(old);
                } else if (old.kind != Option) {
                    output.append(old);
                }
            }
        } else if ((line.kind == Auto || (line.kind == Hotplug && !record.enabled)) && namesDevice(line.text, device)) {
            const QString rest = lineWithout(line.text, device);
            // Without the line, options under it would fall to the stanza before.
            if (rest.isEmpty() && optionsFollow(i + 1)) {
                return false;
            }
            if (!rest.isEmpty()) {
                output.appendMade(rest);
            }
        } else {
            output.append(line);
        }
    }
    if (start < 0) {
        output.appendStanza(record, autoLine);
    }
    *this = output;
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
    for (const Line &line : qAsConst(file.m_lines)) {
        lines += line.read;
    }
    return TextFile::toBytes(lines);
}

bool InterfacesFile::write(const Interface *records, int ethernetCount)
{
    const std::optional<InterfacesFile> file = read();
    const std::optional<QByteArray> bytes = file ? file->rewritten(records, ethernetCount) : std::nullopt;
    return bytes && TextFile::replace(filePath(), *bytes, TextFile::Replacement());
}
