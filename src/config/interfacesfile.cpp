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

// The lines of a rewritten file, with what ifupdown would join: a line that
// ends with a backslash takes in the next one, so an empty line ends it before
// anything goes after it.
struct Output {
    QStringList lines;
    bool continues = false;

    void add(const QStringList &read, bool continuesAfter)
    {
        if (continues) {
            lines << QString();
        }
        lines += read;
        continues = continuesAfter;
    }
    void addMade(const QString &line)
    {
        add({line}, line.endsWith(QLatin1Char('\\')));
    }
};
}

std::optional<QStringList> InterfacesFile::readLines()
{
    return TextFile::readLines(filePath());
}

InterfacesFile::InterfacesFile(const QStringList &lines)
    : m_read(lines)
{
    // As ifupdown reads them: a comment is known by its first line alone and
    // continues nothing; any other line ending with a backslash takes in the next.
    for (int i = 0; i < lines.size(); ++i) {
        Line line{{lines.at(i)}, TextFile::simplified(lines.at(i)), Comment};
        if (!line.text.startsWith(QLatin1Char('#'))) {
            QString joined = lines.at(i);
            while (joined.endsWith(QLatin1Char('\\'))) {
                joined.chop(1);
                if (i + 1 < lines.size()) {
                    joined += lines.at(++i);
                    line.read << lines.at(i);
                }
            }
            line.text = TextFile::simplified(joined);
            line.kind = kindOf(line.text);
        }
        m_lines << line;
    }
}

InterfacesFile::Kind InterfacesFile::kindOf(const QString &text)
{
    static const QStringList entryWords{QStringLiteral("auto"),
                                        QStringLiteral("iface"),
                                        QStringLiteral("mapping"),
                                        QStringLiteral("rename"),
                                        QStringLiteral("source"),
                                        QStringLiteral("source-directory"),
                                        QStringLiteral("no-auto-down"),
                                        QStringLiteral("no-scripts")};
    const QString word = text.section(QLatin1Char(' '), 0, 0);
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
    return entryWords.contains(word) || word.startsWith(QLatin1String("allow-")) ? OtherEntry : Option;
}

bool InterfacesFile::Line::continues() const
{
    return kind != Comment && read.constLast().endsWith(QLatin1Char('\\'));
}

bool InterfacesFile::hasUnsupportedOptions(const QStringList &lines)
{
    // Prefix tests, not word tests: "hwaddress" is caught by "hwaddr".
    const InterfacesFile file(lines);
    return std::any_of(file.m_lines.cbegin(), file.m_lines.cend(), [](const Line &line) {
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
        const QStringList words = wordsOf(line.text);
        return line.kind == StanzaStart && words.size() > 2 && words.at(1) == device && words.at(2) == family;
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
        if (m_lines.at(i).kind != Comment) {
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

QStringList InterfacesFile::stanzaOf(const Interface &record, bool autoLine)
{
    QStringList lines;
    if (autoLine) {
        lines << QLatin1String("auto ") + record.deviceName;
    }
    lines << QLatin1String("iface ") + record.deviceName + QLatin1Char(' ') + record.getAddressFamilyString()
            + QLatin1String(record.method == Interface::Static ? " static" : " dhcp");
    for (const QString &option : optionLines(record)) {
        lines << QLatin1Char('\t') + option;
    }
    return lines;
}

bool InterfacesFile::keepsOldStanzaLine(const Line &line, bool dhcp)
{
    if (line.kind == Empty || line.kind == Comment) {
        return true;
    }
    if (line.text.startsWith(QLatin1String("up route add -net"))) {
        return false;
    }
    if (startsWithAny(line.text, {"pre-up", "post-down"})) {
        // The host name commands are regenerated; a static stanza has none of its own.
        return dhcp && !line.text.contains(QLatin1String("/bin/hostname"));
    }
    return startsWithAny(line.text, {"up", "down", "post-up", "pre-down", "provider"});
}

QStringList InterfacesFile::normalized(const Line &line)
{
    // Inside the stanza the module writes, a kept line is simplified and its
    // options indented; the lines it continues into stay as they were, since
    // ifupdown takes them in as they are. A backslash followed by blanks (or a
    // carriage return) continues nothing, and stays so.
    QStringList read = line.read;
    const QString first = TextFile::simplified(read.constFirst());
    if (line.kind != Comment && first.endsWith(QLatin1Char('\\')) && !read.constFirst().endsWith(QLatin1Char('\\'))) {
        return read;
    }
    read.first() = line.kind == Option ? QLatin1Char('\t') + first : first;
    return read;
}

bool InterfacesFile::rewrite(const Interface &record)
{
    const QString &device = record.deviceName;
    // An "allow-hotplug" line enables the device as well as an "auto" line, and stays.
    const bool autoLine = record.enabled && (namesOnLine(device, Auto) || !namesOnLine(device, Hotplug));
    const int start = stanzaStart(device, record.getAddressFamilyString());
    Output output;
    for (int i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (i == start) {
            for (const QString &made : stanzaOf(record, autoLine)) {
                output.addMade(made);
            }
            for (; i + 1 < m_lines.size() && !beginsEntry(i + 1); ++i) {
                const Line &old = m_lines.at(i + 1);
                if (keepsOldStanzaLine(old, record.method == Interface::Dhcp)) {
                    output.add(normalized(old), old.continues());
                }
            }
        } else if ((line.kind == Auto || (line.kind == Hotplug && !record.enabled)) && namesDevice(line.text, device)) {
            const QString rest = lineWithout(line.text, device);
            // Without the line, options under it would fall to the stanza before.
            if (rest.isEmpty() && optionsFollow(i + 1)) {
                return false;
            }
            if (!rest.isEmpty()) {
                output.addMade(rest);
            }
        } else {
            output.add(line.read, line.continues());
        }
    }
    if (start < 0) {
        for (const QString &made : stanzaOf(record, autoLine)) {
            output.addMade(made);
        }
    }
    *this = InterfacesFile(output.lines);
    return true;
}

std::optional<QByteArray> InterfacesFile::rewrite(const QStringList &lines, const Interface *records, int ethernetCount)
{
    InterfacesFile file(lines);
    const int count = records ? std::min(ethernetCount, SystemFiles::RecordCount) : 0;
    for (int i = 0; i < count; ++i) {
        if (records[i].present && !file.rewrite(records[i])) {
            return std::nullopt;
        }
    }
    return TextFile::toBytes(file.m_read);
}

bool InterfacesFile::write(const Interface *records, int ethernetCount)
{
    const std::optional<QStringList> lines = readLines();
    if (!lines) {
        return false;
    }
    const std::optional<QByteArray> rewritten = rewrite(*lines, records, ethernetCount);
    return rewritten && TextFile::replace(filePath(), *rewritten, TextFile::Replacement());
}
