// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

/**
 * The five addresses of one IPv4 configuration, as dotted-quad texts.
 *
 * The address and the netmask are set through their setters only, because
 * setting either derives the network and broadcast addresses once both are known.
 */
class Addresses
{
public:
    void setIPAddress(const QString &address);
    void setNetmask(const QString &netmask);
    const QString &ipAddress() const;
    const QString &netmask() const;

    QString network;
    QString broadcast;
    QString gateway;

private:
    void derive();

    QString m_ipAddress;
    QString m_netmask;
};
