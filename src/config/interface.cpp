// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interface.h"

#include "stanzalines.h"
#include "systemfiles.h"
#include "textfile.h"

#include <algorithm>

namespace
{
const QLatin1String stanzaStart("iface ");

bool isComment(QStringView line)
{
    return line.startsWith(QLatin1Char('#'));
}

const QLatin1String autoWord("auto ");

// Whether any word of a simplified auto line after "auto" (its words are apart
// by single blanks) passes the test. Looked at in place, not split into words:
// every record asks this of every auto line.
template<typename Test>
bool anyAutoWord(QStringView line, Test &&test)
{
    const QStringView words = line.mid(autoWord.size());
    for (qsizetype start = 0; start <= words.size();) {
        qsizetype end = words.indexOf(QLatin1Char(' '), start);
        if (end < 0) {
            end = words.size();
        }
        if (test(words.mid(start, end - start))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

// The device as a whole word on an auto line: veth1 is not eth1, and neither
// is eth1:0. Reader and writer share it: whatever auto line the reader counts
// for a device, the writer takes the device off again. Searched for as a
// whole, then its ends checked: the library's search runs over a long line
// faster than a walk from word to word.
bool autoLineNames(QStringView line, const QString &device)
{
    const qsizetype length = device.size();
    for (qsizetype at = line.indexOf(device, autoWord.size()); at >= 0; at = line.indexOf(device, at + 1)) {
        if (line.at(at - 1) == QLatin1Char(' ') && (at + length == line.size() || line.at(at + length) == QLatin1Char(' '))) {
            return true;
        }
    }
    return false;
}

// Whether an iface line is the device's: the blank after the device keeps eth1
// from opening the stanza of eth10.
bool ifaceLineNames(QStringView line, const QString &device)
{
    // The device's last character first: the stanzas of the other records end
    // their device names otherwise.
    const qsizetype blank = stanzaStart.size() + device.size();
    return line.size() > blank && line.at(blank) == QLatin1Char(' ') && device.endsWith(line.at(blank - 1))
        && line.mid(stanzaStart.size(), device.size()) == device;
}

QString valueAfter(QStringView line, qsizetype keywordLength)
{
    return TextFile::trimmed(line.mid(keywordLength)).toString();
}

// The gateway of "up route add -net NET netmask MASK gw GATEWAY dev DEVICE":
// the text between "gw" and the "dev" after it (or the end of the line, for a
// route that names its device first); empty when there is no "gw".
QString routeGateway(QStringView line)
{
    const qsizetype gw = line.indexOf(QLatin1String("gw"));
    if (gw < 0 || !line.contains(QLatin1String("dev"))) {
        return QString();
    }
    const qsizetype valueStart = gw + 3;
    const qsizetype dev = line.indexOf(QLatin1String("dev"), valueStart);
    return TextFile::trimmed(dev < 0 ? line.mid(valueStart) : line.mid(valueStart, qMax(qsizetype(0), dev - 1 - valueStart))).toString();
}

bool startsWithAny(QStringView line, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(), [&line](const char *word) {
        return line.startsWith(QLatin1String(word));
    });
}

QString indented(const QString &line)
{
    return QLatin1Char('\t') + line;
}

// The option lines of a static stanza, unindented, in the order they are written.
template<typename Add>
void staticOptions(const Interface &record, Add &&add)
{
    const Addresses &a = record.staticAddresses;
    // The values are referred to, not copied: a save runs this for every static record.
    const std::pair<const char *, const QString &> options[] = {
        {"address ", a.ipAddress()},
        {"netmask ", a.netmask()},
        {"broadcast ", a.broadcast},
        {"network ", a.network},
    };
    for (const auto &[keyword, value] : options) {
        if (!value.isEmpty()) {
            add(QLatin1String(keyword) + value);
        }
    }
    if (a.gateway.isEmpty()) {
        return;
    }
    if (record.defaultGateway) {
        add(QLatin1String("gateway ") + a.gateway);
    } else {
        add(QLatin1String("up route add -net ") + a.network + QLatin1String(" netmask ") + a.netmask() + QLatin1String(" gw ") + a.gateway
            + QLatin1String(" dev ") + record.deviceName);
    }
}

// The option lines of a DHCP stanza, unindented: the host name commands, if any.
template<typename Add>
void dhcpOptions(const Interface &record, Add &&add)
{
    if (record.dhcpHostName.isEmpty()) {
        return;
    }
    add(QLatin1String("pre-up /bin/hostname ") + record.dhcpHostName);
    add(QStringLiteral("post-down /bin/hostname -F /etc/hostname"));
}

using LineIterator = std::vector<StanzaLines::Line>::const_iterator;

// Whether option lines come next that belong to no stanza: ifupdown calls an
// option after an "auto" line misplaced.
bool misplacedOptionsFollow(LineIterator next, LineIterator end)
{
    while (next != end && (next->kind == StanzaLines::Empty || next->kind == StanzaLines::Comment)) {
        ++next;
    }
    return next != end && next->kind == StanzaLines::Option && !StanzaLines::beginsEntry(next->text());
}

// The auto line without this device; empty when nothing else is left on it.
QString autoLineWithout(QStringView line, const QString &device)
{
    QString rest = QStringLiteral("auto");
    anyAutoWord(line, [&device, &rest](QStringView word) {
        if (word != device) {
            rest += QLatin1Char(' ');
            rest.append(word.data(), int(word.size()));
        }
        return false;
    });
    return rest.size() > 4 ? rest : QString();
}

// Whether the auto line names nothing but this device.
bool namesOnlyDevice(QStringView line, const QString &device)
{
    return !anyAutoWord(line, [&device](QStringView word) {
        return word != device;
    });
}

// Whether taking the device off its auto lines would leave misplaced options
// right after the stanza before them, which would then take them in (and a DHCP
// or static stanza drops address lines). ifupdown refuses such a file itself,
// and no line of it can be placed without guessing.
bool strandsMisplacedOptions(LineIterator line, LineIterator end, const QString &device)
{
    for (; line != end; ++line) {
        if (line->kind == StanzaLines::Auto && autoLineNames(line->text(), device) && namesOnlyDevice(line->text(), device)
            && misplacedOptionsFollow(line + 1, end)) {
            return true;
        }
    }
    return false;
}

// Whether a pass for the device changes the line: its auto lines and its stanza's start.
bool namesDevice(const StanzaLines::Line &line, const QString &device)
{
    if (!StanzaLines::canNameDevice(line.kind)) {
        return false;
    }
    return line.kind == StanzaLines::Auto ? autoLineNames(line.text(), device) : ifaceLineNames(line.text(), device);
}

void appendStanza(const Interface &record, StanzaLines &lines)
{
    // A line ending in a backslash (a kept one before the stanza, or one made
    // from a value read with a backslash at its end) would take in the line
    // after it, for ifupdown as on the next load: an empty line ends it first.
    const auto add = [&lines](const auto &line) {
        if (!lines.lines.empty() && StanzaLines::continues(lines.lines.back())) {
            lines.append(QString());
        }
        lines.append(line);
    };
    if (record.enabled) {
        add(autoWord + record.deviceName);
    }
    const QLatin1String methodWord(record.method == Interface::Static ? " static" : " dhcp");
    add(stanzaStart + record.deviceName + QLatin1Char(' ') + record.getAddressFamilyString() + methodWord);
    if (record.method == Interface::Static) {
        staticOptions(record, add);
    } else {
        dhcpOptions(record, add);
    }
    if (StanzaLines::continues(lines.lines.back())) {
        lines.append(QString());
    }
}

// Whether a line of the old stanza stays: the options that are not regenerated from the record.
bool keepsOldStanzaLine(Interface::Method method, QStringView line)
{
    if (line.isEmpty() || isComment(line)) {
        return true;
    }
    if (line.startsWith(QLatin1String("up route add -net"))) {
        return false;
    }
    if (startsWithAny(line, {"pre-up", "post-down"})) {
        // The host name commands are regenerated; a static stanza has none of its own.
        return method == Interface::Dhcp && !line.contains(QLatin1String("/bin/hostname"));
    }
    return startsWithAny(line, {"up", "down", "post-up", "pre-down", "provider"});
}

// Where the lines after the device's last "interface" line of the lease file
// begin (the client appends its leases, so that is the newest one); -1 without
// one. The file can hold years of leases: only the lines that name the device
// are made text, and only those are simplified.
qsizetype startOfNewestLease(const QByteArray &data, const QString &device)
{
    const QString key = QStringLiteral("interface \"%1\";").arg(device);
    const QByteArray quoted = '"' + device.toLatin1() + "\";";
    qsizetype start = -1;
    for (int at = data.indexOf(quoted); at >= 0; at = data.indexOf(quoted, at)) {
        const int lineStart = data.lastIndexOf('\n', at) + 1;
        const int newline = data.indexOf('\n', at);
        const int lineEnd = newline < 0 ? data.size() : newline;
        if (TextFile::simplified(data.constData() + lineStart, lineEnd - lineStart) == key) {
            start = lineEnd + 1;
        }
        at = lineEnd;
    }
    return start;
}

// A lease value: the line without its keyword and its final ";".
QString leaseValue(const QString &line, int keywordLength)
{
    QString value = line.mid(keywordLength);
    value.chop(1);
    return TextFile::trimmed(value);
}
}

void Interface::setInterfaceNumber(int number)
{
    interfaceNumber = number;
    deviceName = QStringLiteral("eth%1").arg(number);
}

QString Interface::getAddressFamilyString() const
{
    switch (addressFamily) {
    case 1:
        return QStringLiteral("ipx");
    case 2:
        return QStringLiteral("inet6");
    default:
        return QStringLiteral("inet");
    }
}

void Interface::saveSettings(bool dhcp, const QString &address, const QString &netmask, const QString &gateway, const QString &hostName)
{
    if (dhcp) {
        method = Dhcp;
        dhcpHostName = hostName;
        return;
    }
    method = Static;
    staticAddresses.setIPAddress(address);
    staticAddresses.setNetmask(netmask);
    staticAddresses.gateway = gateway;
}

bool Interface::parseInterfacesList(const SimplifiedLines &lines)
{
    return !parseStanza(lines) || parseDHCPFile();
}

bool Interface::parseInterfacesList(const SimplifiedLines &lines, const std::optional<QByteArray> &leases)
{
    return !parseStanza(lines) || (leases && parseLeases(*leases));
}

bool Interface::parseStanza(const SimplifiedLines &lines)
{
    enabled = std::any_of(lines.begin(), lines.end(), [this](const SimplifiedLines::Line &line) {
        return line.textKind == StanzaLines::Auto && autoLineNames(line.text(), deviceName);
    });

    const auto stanza = std::find_if(lines.begin(), lines.end(), [this](const SimplifiedLines::Line &line) {
        return line.textKind == StanzaLines::StanzaStart && ifaceLineNames(line.text(), deviceName);
    });
    if (stanza == lines.end()) {
        return false;
    }
    if (stanza->text().contains(QLatin1String("static"))) {
        method = Static;
        parseStaticStanza(stanza + 1, lines.end());
        return false;
    }
    // manual, bootp and every other method are handled as DHCP.
    method = Dhcp;
    parseDHCPStanza(stanza + 1, lines.end());
    return true;
}

bool Interface::parseStaticStanza(SimplifiedLines::const_iterator line, SimplifiedLines::const_iterator end)
{
    for (; line != end; ++line) {
        if (line->textKind == StanzaLines::Comment) {
            continue;
        }
        if (line->textKind == StanzaLines::StanzaStart) {
            return true;
        }
        const QStringView text = line->text();
        if (text.startsWith(QLatin1String("address"))) {
            staticAddresses.setIPAddress(valueAfter(text, 7));
            oldIPAddress = staticAddresses.ipAddress();
        } else if (text.startsWith(QLatin1String("netmask"))) {
            staticAddresses.setNetmask(valueAfter(text, 7));
        } else if (text.startsWith(QLatin1String("broadcast"))) {
            staticAddresses.broadcast = valueAfter(text, 9);
        } else if (text.startsWith(QLatin1String("network"))) {
            staticAddresses.network = valueAfter(text, 7);
        } else if (text.startsWith(QLatin1String("gateway"))) {
            defaultGateway = true;
            staticAddresses.gateway = valueAfter(text, 7);
        } else if (text.startsWith(QLatin1String("up route add -net")) && !defaultGateway) {
            const QString gateway = routeGateway(text);
            if (!gateway.isEmpty()) {
                staticAddresses.gateway = gateway;
            }
        }
    }
    return true;
}

bool Interface::parseDHCPStanza(SimplifiedLines::const_iterator line, SimplifiedLines::const_iterator end)
{
    const QLatin1String hostnameCommand("/bin/hostname");
    for (; line != end; ++line) {
        if (line->textKind == StanzaLines::Comment) {
            continue;
        }
        if (line->textKind == StanzaLines::StanzaStart) {
            return true;
        }
        const QStringView text = line->text();
        if (text.startsWith(QLatin1String("pre-up ")) && text.contains(hostnameCommand)) {
            // After the command, not after a fixed count: "pre-up /usr/bin/hostname box" still names box.
            dhcpHostName = valueAfter(text, text.indexOf(hostnameCommand) + hostnameCommand.size());
        }
    }
    return true;
}

bool Interface::parseDHCPFile()
{
    const std::optional<QByteArray> data = TextFile::readBytes(QLatin1String(SystemFiles::DhcpLeases));
    return data && parseLeases(*data);
}

bool Interface::parseLeases(const QByteArray &data)
{
    const qsizetype start = startOfNewestLease(data, deviceName);
    if (start < 0) {
        return false;
    }
    // Only the lines up to the end of the block are made text.
    bool blockEnded = false;
    TextFile::forEachLine(data.constData() + start, data.size() - start, [this, &blockEnded](const char *bytes, qsizetype size) {
        if (blockEnded) {
            return;
        }
        const QString line = TextFile::simplified(bytes, size);
        // The lease block ends here; a later lease of another device is not ours.
        if (line.startsWith(QLatin1Char('}'))) {
            blockEnded = true;
        } else if (line.contains(QLatin1String("fixed-address"))) {
            dhcpAddresses.setIPAddress(leaseValue(line, 13));
        } else if (line.contains(QLatin1String("subnet-mask"))) {
            dhcpAddresses.setNetmask(leaseValue(line, 18));
        } else if (line.contains(QLatin1String("routers"))) {
            defaultGateway = true;
            dhcpAddresses.gateway = leaseValue(line, 14);
        }
    });
    return true;
}

bool Interface::updateInterfacesList(StanzaLines &lines) const
{
    const auto namesThisDevice = [this](const StanzaLines::Line &line) {
        return namesDevice(line, deviceName);
    };
    // The lines before the first one that names the device stay where they are.
    const auto first = std::find_if(lines.lines.cbegin(), lines.lines.cend(), namesThisDevice);
    if (strandsMisplacedOptions(first, lines.lines.cend(), deviceName)) {
        return false;
    }
    std::vector<StanzaLines::Line> input = lines.takeLines(size_t(first - lines.lines.cbegin()));
    bool stanzaWritten = false;
    for (auto line = input.cbegin(); line != input.cend();) {
        // The lines up to the next one that names the device move on in one go.
        const auto next = std::find_if(line, input.cend(), namesThisDevice);
        lines.append(line, next);
        line = next;
        if (line == input.cend()) {
            break;
        }
        if (line->kind == StanzaLines::StanzaStart) {
            appendStanza(*this, lines);
            stanzaWritten = true;
            // A continuation goes wherever the line it continues went.
            bool kept = false;
            for (++line; line != input.cend() && (line->kind == StanzaLines::Continuation || !StanzaLines::beginsEntry(line->text())); ++line) {
                if (line->kind != StanzaLines::Continuation) {
                    kept = keepsOldStanzaLine(method, line->text());
                }
                if (kept) {
                    lines.append(line, line + 1);
                }
            }
            continue;
        }
        // An auto line that names the device.
        const QString rest = autoLineWithout(line->text(), deviceName);
        if (!rest.isEmpty()) {
            lines.append(rest);
            // A word that ends in a backslash, last now, would take in the
            // line after it, as on a stanza's lines: an empty line ends it first.
            if (StanzaLines::continues(lines.lines.back()) && !StanzaLines::continues(*line)) {
                lines.append(QString());
            }
        }
        ++line;
    }
    if (!stanzaWritten) {
        appendStanza(*this, lines);
    }
    lines.recycle(std::move(input));
    return true;
}

void Interface::updateStaticStanza(QStringList &lines) const
{
    staticOptions(*this, [&lines](const QString &line) {
        lines << indented(line);
    });
}

void Interface::updateDHCPStanza(QStringList &lines) const
{
    dhcpOptions(*this, [&lines](const QString &line) {
        lines << indented(line);
    });
}
