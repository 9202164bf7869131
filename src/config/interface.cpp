// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interface.h"

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
