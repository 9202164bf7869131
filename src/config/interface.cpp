// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interface.h"

#include "interfacesfile.h"
#include "leasefile.h"
#include "textfile.h"

namespace
{
// The value of a simplified option line: what follows its keyword.
QString valueAfter(const QString &line, int keywordLength)
{
    return TextFile::simplified(line.mid(keywordLength));
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
    return TextFile::simplified(dev < 0 ? line.mid(valueStart) : line.mid(valueStart, qMax(0, dev - 1 - valueStart)));
}
}

void Interface::setInterfaceNumber(int number)
{
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

bool Interface::parseInterfacesList(const InterfacesFile &file, const std::optional<QByteArray> &leases)
{
    enabled = file.enables(deviceName);
    const QStringList stanza = file.stanza(deviceName, getAddressFamilyString());
    if (stanza.isEmpty()) {
        return true;
    }
    if (stanza.constFirst().contains(QLatin1String("static"))) {
        method = Static;
        parseStaticStanza(stanza.mid(1));
        return true;
    }
    // manual, bootp and every other method are handled as DHCP.
    method = Dhcp;
    parseDHCPStanza(stanza.mid(1));
    return leases && LeaseFile::readNewestLease(*leases, *this);
}

void Interface::parseStaticStanza(const QStringList &options)
{
    for (const QString &line : options) {
        if (line.startsWith(QLatin1String("address"))) {
            staticAddresses.setIPAddress(valueAfter(line, 7));
            oldIPAddress = staticAddresses.ipAddress();
        } else if (line.startsWith(QLatin1String("netmask"))) {
            staticAddresses.setNetmask(valueAfter(line, 7));
        } else if (line.startsWith(QLatin1String("broadcast"))) {
            staticAddresses.broadcast = valueAfter(line, 9);
        } else if (line.startsWith(QLatin1String("network"))) {
            staticAddresses.network = valueAfter(line, 7);
        } else if (line.startsWith(QLatin1String("gateway"))) {
            defaultGateway = true;
            staticAddresses.gateway = valueAfter(line, 7);
        } else if (line.startsWith(QLatin1String("up route add -net")) && !defaultGateway) {
            const QString gateway = routeGateway(line);
            if (!gateway.isEmpty()) {
                staticAddresses.gateway = gateway;
            }
        }
    }
}

void Interface::parseDHCPStanza(const QStringList &options)
{
    const QLatin1String hostnameCommand("/bin/hostname");
    for (const QString &line : options) {
        if (line.startsWith(QLatin1String("pre-up ")) && line.contains(hostnameCommand)) {
            // After the command, not after a fixed count: "pre-up /usr/bin/hostname box" still names box.
            dhcpHostName = valueAfter(line, line.indexOf(hostnameCommand) + hostnameCommand.size());
        }
    }
}
