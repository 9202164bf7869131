// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interface.h"

#include "textfile.h"

#include <algorithm>

namespace
{
const QLatin1String stanzaStart("iface ");

bool isComment(const QString &line)
{
    return line.startsWith(QLatin1Char('#'));
}

// A substring test that does not look at what stands before the name, so
// "auto veth1" names eth1 too. Reader and writer share it: whatever auto line
// the reader counts for a device, the writer takes the device off again.
bool namesDeviceOnAutoLine(const QString &line, const QString &device)
{
    if (!line.startsWith(QLatin1String("auto "))) {
        return false;
    }
    const QString padded = line + QLatin1Char(' ');
    return padded.contains(device + QLatin1Char(' ')) || padded.contains(device + QLatin1Char('\t')) || padded.contains(device + QLatin1Char('\n'));
}

// The trailing blank keeps eth1 from opening the stanza of eth10.
QString openingText(const QString &device)
{
    return stanzaStart + device + QLatin1Char(' ');
}

QString valueAfter(const QString &line, int keywordLength)
{
    return TextFile::trimmed(line.mid(keywordLength));
}

// The gateway of "up route add -net NET netmask MASK gw GATEWAY dev DEVICE":
// the text between "gw" and the "dev" after it (or the end of the line, for a
// route that names its device first); empty when there is no "gw".
QString routeGateway(const QString &line)
{
    const int gw = line.indexOf(QLatin1String("gw"));
    if (gw < 0 || !line.contains(QLatin1String("dev"))) {
        return QString();
    }
    const int valueStart = gw + 3;
    const int dev = line.indexOf(QLatin1String("dev"), valueStart);
    return TextFile::trimmed(dev < 0 ? line.mid(valueStart) : line.mid(valueStart, qMax(0, dev - 1 - valueStart)));
}

// ifupdown ends an interface's options at the next line that begins an entry of
// its own; the old stanza is consumed no further, so an "allow-hotplug",
// "source" or "mapping" line that follows it is carried over, not dropped.
bool beginsEntry(const QString &line)
{
    static const QStringList entryWords{QStringLiteral("iface"),
                                        QStringLiteral("auto"),
                                        QStringLiteral("mapping"),
                                        QStringLiteral("rename"),
                                        QStringLiteral("source"),
                                        QStringLiteral("source-directory"),
                                        QStringLiteral("no-auto-down"),
                                        QStringLiteral("no-scripts")};
    const QString word = line.section(QLatin1Char(' '), 0, 0);
    return line.startsWith(stanzaStart) || entryWords.contains(word) || word.startsWith(QLatin1String("allow-"));
}

bool startsWithAny(const QString &line, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(), [&line](const char *word) {
        return line.startsWith(QLatin1String(word));
    });
}

QString indented(const QString &line)
{
    return QLatin1Char('\t') + line;
}

// The auto line without this device; empty when nothing else is left on it.
QString autoLineWithout(const QString &line, const QString &device)
{
    QString rest = line + QLatin1Char(' ');
    rest.remove(device + QLatin1Char(' '));
    rest.remove(device + QLatin1Char('\t'));
    if (rest.endsWith(device)) {
        rest.chop(device.size());
    }
    rest = TextFile::simplified(rest);
    return rest == QLatin1String("auto") ? QString() : rest;
}

void appendStanza(const Interface &record, QStringList &lines)
{
    if (record.enabled) {
        lines << QLatin1String("auto ") + record.deviceName;
    }
    const QLatin1String methodWord(record.method == Interface::Static ? " static" : " dhcp");
    lines << stanzaStart + record.deviceName + QLatin1Char(' ') + record.getAddressFamilyString() + methodWord;
    if (record.method == Interface::Static) {
        record.updateStaticStanza(lines);
    } else {
        record.updateDHCPStanza(lines);
    }
}

// The options of the old stanza that are not regenerated from the record.
void keepOldStanzaLine(Interface::Method method, const QString &line, QStringList &lines)
{
    if (line.isEmpty() || isComment(line)) {
        lines << line;
    } else if (line.startsWith(QLatin1String("up route add -net"))) {
        return;
    } else if (startsWithAny(line, {"pre-up", "post-down"})) {
        // The host name commands are regenerated; a static stanza has none of its own.
        if (method == Interface::Dhcp && !line.contains(QLatin1String("/bin/hostname"))) {
            lines << indented(line);
        }
    } else if (startsWithAny(line, {"up", "down", "post-up", "pre-down", "provider"})) {
        lines << indented(line);
    }
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

bool Interface::parseInterfacesList(const QStringList &lines)
{
    enabled = std::any_of(lines.cbegin(), lines.cend(), [this](const QString &line) {
        return namesDeviceOnAutoLine(line, deviceName);
    });

    const QString opening = openingText(deviceName);
    const auto stanza = std::find_if(lines.cbegin(), lines.cend(), [&opening](const QString &line) {
        return line.startsWith(opening);
    });
    if (stanza == lines.cend()) {
        return true;
    }
    if (stanza->contains(QLatin1String("static"))) {
        method = Static;
        return parseStaticStanza(stanza + 1, lines.cend());
    }
    // manual, bootp and every other method are handled as DHCP.
    method = Dhcp;
    parseDHCPStanza(stanza + 1, lines.cend());
    return parseDHCPFile();
}

bool Interface::parseStaticStanza(QStringList::const_iterator line, QStringList::const_iterator end)
{
    for (; line != end; ++line) {
        if (isComment(*line)) {
            continue;
        }
        if (line->startsWith(stanzaStart)) {
            return true;
        }
        if (line->startsWith(QLatin1String("address"))) {
            staticAddresses.setIPAddress(valueAfter(*line, 7));
            oldIPAddress = staticAddresses.ipAddress();
        } else if (line->startsWith(QLatin1String("netmask"))) {
            staticAddresses.setNetmask(valueAfter(*line, 7));
        } else if (line->startsWith(QLatin1String("broadcast"))) {
            staticAddresses.broadcast = valueAfter(*line, 9);
        } else if (line->startsWith(QLatin1String("network"))) {
            staticAddresses.network = valueAfter(*line, 7);
        } else if (line->startsWith(QLatin1String("gateway"))) {
            defaultGateway = true;
            staticAddresses.gateway = valueAfter(*line, 7);
        } else if (line->startsWith(QLatin1String("up route add -net")) && !defaultGateway) {
            const QString gateway = routeGateway(*line);
            if (!gateway.isEmpty()) {
                staticAddresses.gateway = gateway;
            }
        }
    }
    return true;
}

bool Interface::parseDHCPStanza(QStringList::const_iterator line, QStringList::const_iterator end)
{
    const QLatin1String hostnameCommand("/bin/hostname");
    for (; line != end; ++line) {
        if (isComment(*line)) {
            continue;
        }
        if (line->startsWith(stanzaStart)) {
            return true;
        }
        if (line->startsWith(QLatin1String("pre-up ")) && line->contains(hostnameCommand)) {
            // After the command, not after a fixed count: "pre-up /usr/bin/hostname box" still names box.
            dhcpHostName = valueAfter(*line, line->indexOf(hostnameCommand) + hostnameCommand.size());
        }
    }
    return true;
}

bool Interface::parseDHCPFile()
{
    const std::optional<QStringList> lines = TextFile::readSimplifiedLines(QStringLiteral("/var/dhcp/dhclient.leases"));
    if (!lines) {
        return false;
    }
    // The client appends its leases, so the device's last one is the newest.
    const int start = lines->lastIndexOf(QStringLiteral("interface \"%1\";").arg(deviceName));
    if (start < 0) {
        return false;
    }
    for (auto line = lines->cbegin() + start + 1; line != lines->cend(); ++line) {
        // The lease block ends here; a later lease of another device is not ours.
        if (line->startsWith(QLatin1Char('}'))) {
            break;
        }
        if (line->contains(QLatin1String("fixed-address"))) {
            dhcpAddresses.setIPAddress(leaseValue(*line, 13));
        } else if (line->contains(QLatin1String("subnet-mask"))) {
            dhcpAddresses.setNetmask(leaseValue(*line, 18));
        } else if (line->contains(QLatin1String("routers"))) {
            defaultGateway = true;
            dhcpAddresses.gateway = leaseValue(*line, 14);
        }
    }
    return true;
}

QStringList Interface::updateInterfacesList(const QStringList &lines) const
{
    QStringList input;
    input.reserve(lines.size());
    for (const QString &line : lines) {
        input << TextFile::simplified(line);
    }

    const QString opening = openingText(deviceName);
    QStringList output;
    bool stanzaWritten = false;
    for (auto line = input.cbegin(); line != input.cend();) {
        if (line->startsWith(opening)) {
            appendStanza(*this, output);
            stanzaWritten = true;
            for (++line; line != input.cend() && !beginsEntry(*line); ++line) {
                keepOldStanzaLine(method, *line, output);
            }
            continue;
        }
        if (line->startsWith(QLatin1String("auto "))) {
            const QString rest = namesDeviceOnAutoLine(*line, deviceName) ? autoLineWithout(*line, deviceName) : *line;
            if (!rest.isEmpty()) {
                output << rest;
            }
        } else if (line->isEmpty() || isComment(*line) || line->startsWith(stanzaStart)) {
            output << *line;
        } else {
            output << indented(*line);
        }
        ++line;
    }
    if (!stanzaWritten) {
        appendStanza(*this, output);
    }
    return output;
}

void Interface::updateStaticStanza(QStringList &lines) const
{
    const Addresses &a = staticAddresses;
    const std::pair<const char *, QString> options[] = {
        {"address ", a.ipAddress()},
        {"netmask ", a.netmask()},
        {"broadcast ", a.broadcast},
        {"network ", a.network},
    };
    for (const auto &[keyword, value] : options) {
        if (!value.isEmpty()) {
            lines << indented(QLatin1String(keyword) + value);
        }
    }
    if (a.gateway.isEmpty()) {
        return;
    }
    if (defaultGateway) {
        lines << indented(QLatin1String("gateway ") + a.gateway);
    } else {
        lines << indented(QStringLiteral("up route add -net %1 netmask %2 gw %3 dev %4").arg(a.network, a.netmask(), a.gateway, deviceName));
    }
}

void Interface::updateDHCPStanza(QStringList &lines) const
{
    if (dhcpHostName.isEmpty()) {
        return;
    }
    lines << indented(QLatin1String("pre-up /bin/hostname ") + dhcpHostName);
    lines << indented(QStringLiteral("post-down /bin/hostname -F /etc/hostname"));
}
