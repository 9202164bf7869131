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

// Substring test, as ifupdown's own files have always been read here: it does
// not look at what stands before the name, so "auto veth1" names eth1 too.
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
