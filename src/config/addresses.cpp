// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "addresses.h"

#include <arpa/inet.h>
#include <netinet/in.h>

namespace
{
// A text that is no address counts as 0.0.0.0, which derives nothing.
in_addr_t toAddress(const QString &text)
{
    in_addr address{};
    if (text.contains(QChar(0)) || ::inet_aton(text.toLatin1().constData(), &address) == 0) {
        return 0;
    }
    return address.s_addr;
}

// An all-zero result says nothing about the network, so the earlier value stays.
void storeUnlessZero(QString &field, in_addr_t value)
{
    if (value != 0) {
        in_addr address{};
        address.s_addr = value;
        field = QString::fromLatin1(::inet_ntoa(address));
    }
}
}

void Addresses::setIPAddress(const QString &address)
{
    m_ipAddress = address;
    derive();
}

void Addresses::setNetmask(const QString &netmask)
{
    m_netmask = netmask;
    derive();
}

const QString &Addresses::ipAddress() const
{
    return m_ipAddress;
}

const QString &Addresses::netmask() const
{
    return m_netmask;
}

void Addresses::derive()
{
    if (m_ipAddress.isEmpty() || m_netmask.isEmpty()) {
        return;
    }
    const in_addr_t mask = toAddress(m_netmask);
    const in_addr_t net = toAddress(m_ipAddress) & mask;
    storeUnlessZero(network, net);
    storeUnlessZero(broadcast, net | ~mask);
}
