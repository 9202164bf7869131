// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interfacesmodel.h"

#include "config/interface.h"

void InterfacesModel::load(Interface *records)
{
    m_records = records;
    for (int i = 0; i < InterfaceCount; ++i) {
        if (!isPresent(i)) {
            continue;
        }
        const Interface &loaded = m_records[i];
        WorkingCopy &working = m_working[i];
        working.enabled = loaded.enabled;
        working.dhcp = loaded.method == Interface::Dhcp;
        working.hostName = loaded.dhcpHostName;
        working.ipAddress = loaded.staticAddresses.ipAddress();
        working.subnetMask = loaded.staticAddresses.netmask();
        working.gateway = loaded.staticAddresses.gateway;
        working.gatewayValid = true;
        working.dhcpDefaultGatewayMemo = true;
        working.defaultGateway = loaded.defaultGateway;
        working.staticDefaultGatewayMemo = loaded.defaultGateway && !working.dhcp;
    }
}

bool InterfacesModel::isLoaded() const
{
    return m_records;
}

bool InterfacesModel::isPresent(int index) const
{
    return m_records && m_records[index].present;
}

const Interface &InterfacesModel::record(int index) const
{
    return m_records[index];
}

QStringList InterfacesModel::items() const
{
    QStringList items;
    for (int i = 0; i < InterfaceCount; ++i) {
        if (isPresent(i)) {
            const Interface &listed = m_records[i];
            items << (listed.description.isEmpty() ? listed.deviceName : listed.deviceName + QLatin1String(" (") + listed.description + QLatin1Char(')'));
        }
    }
    return items;
}

int InterfacesModel::current() const
{
    return m_current;
}

void InterfacesModel::setCurrent(int index)
{
    m_current = index;
}

const InterfacesModel::WorkingCopy &InterfacesModel::shown() const
{
    return m_working[m_current];
}

InterfacesModel::WorkingCopy &InterfacesModel::editedCopy()
{
    return m_working[m_current];
}

const Interface &InterfacesModel::shownRecord() const
{
    return m_records[m_current];
}

const InterfacesModel::WorkingCopy &InterfacesModel::workingCopy(int index) const
{
    return m_working[index];
}

bool InterfacesModel::anyEnabled() const
{
    for (int i = 0; i < InterfaceCount; ++i) {
        if (isPresent(i) && m_working[i].enabled) {
            return true;
        }
    }
    return false;
}

bool InterfacesModel::anyEnabledDhcp() const
{
    for (int i = 0; i < InterfaceCount; ++i) {
        if (isPresent(i) && m_working[i].enabled && m_working[i].dhcp) {
            return true;
        }
    }
    return false;
}

bool InterfacesModel::methodChanged() const
{
    return shown().dhcp != (m_records[m_current].method == Interface::Dhcp);
}

void InterfacesModel::take(const Entries &entries)
{
    WorkingCopy &working = editedCopy();
    working.enabled = entries.enabled;
    working.dhcp = entries.dhcp;
    working.defaultGateway = entries.defaultGateway;
    if (working.enabled && working.dhcp) {
        working.hostName = entries.hostName;
    }
    if (working.enabled && !working.dhcp) {
        working.ipAddress = entries.ipAddress;
        working.subnetMask = entries.subnetMask;
        working.gateway = entries.gateway;
        if (!entries.gatewayValid) {
            working.gatewayValid = false;
        }
    }
}

void InterfacesModel::setShownEnabled(bool enabled)
{
    editedCopy().enabled = enabled;
}

void InterfacesModel::setShownMethod(bool enabled, bool dhcp)
{
    editedCopy().enabled = enabled;
    editedCopy().dhcp = dhcp;
}

bool InterfacesModel::yieldDefaultGateway()
{
    for (int i = 0; i < InterfaceCount; ++i) {
        if (i != m_current && isPresent(i) && m_working[i].enabled && m_working[i].defaultGateway) {
            editedCopy().staticDefaultGatewayMemo = false;
            return true;
        }
    }
    return false;
}

InterfacesModel::Answer InterfacesModel::mayUseDhcp() const
{
    if (anyEnabledDhcp()) {
        return {Verdict::DhcpTaken, m_records[m_current].deviceName};
    }
    return {};
}

bool InterfacesModel::switchToDhcp(const QString &ipAddress, const QString &subnetMask, const QString &gateway)
{
    WorkingCopy &working = editedCopy();
    // The static entries are about to be cleared; their values come back on a switch to static.
    working.ipAddress = ipAddress;
    working.subnetMask = subnetMask;
    working.gateway = gateway;
    working.staticDefaultGatewayMemo = working.defaultGateway;
    return working.dhcpDefaultGatewayMemo;
}

bool InterfacesModel::switchToStatic(const QString &hostName)
{
    WorkingCopy &working = editedCopy();
    working.dhcpDefaultGatewayMemo = true;
    working.hostName = hostName;
    return working.staticDefaultGatewayMemo;
}

InterfacesModel::Answer InterfacesModel::setDefaultGateway(bool on, bool staticMethod, const QString &gatewayEntry)
{
    if (!on) {
        editedCopy().defaultGateway = false;
    } else if (staticMethod && gatewayEntry.isEmpty()) {
        return {Verdict::GatewayNeeded, m_records ? m_records[m_current].deviceName : QString()};
    } else {
        for (int i = 0; i < InterfaceCount; ++i) {
            if (isPresent(i) && m_working[i].enabled) {
                m_working[i].defaultGateway = i == m_current;
            }
        }
    }
    return {};
}

void InterfacesModel::store()
{
    for (int i = 0; i < InterfaceCount; ++i) {
        if (!isPresent(i)) {
            continue;
        }
        Interface &stored = m_records[i];
        const WorkingCopy &working = m_working[i];
        stored.enabled = working.enabled;
        stored.saveSettings(working.dhcp, working.ipAddress, working.subnetMask, working.gateway, working.hostName);
        stored.defaultGateway = working.defaultGateway;
    }
}

InterfacesModel::Answer InterfacesModel::check()
{
    bool someEnabled = false;
    int dhcpCount = 0;
    int defaultGatewayCount = 0;
    for (int i = 0; i < InterfaceCount; ++i) {
        // The records' flags, not the working copy's: store() has just set them.
        if (!isPresent(i) || !m_records[i].enabled) {
            continue;
        }
        const QString &device = m_records[i].deviceName;
        someEnabled = true;
        WorkingCopy &working = m_working[i];
        if (working.dhcp) {
            ++dhcpCount;
        } else if (working.ipAddress.isEmpty()) {
            return {Verdict::InvalidAddress, device};
        } else if (working.subnetMask.isEmpty()) {
            return {Verdict::InvalidNetmask, device};
        } else if (!working.gatewayValid) {
            working.gatewayValid = true;
            return {Verdict::InvalidGateway, device};
        }
        if (working.defaultGateway) {
            ++defaultGatewayCount;
        }
    }
    if (dhcpCount > 1) {
        return {Verdict::SeveralDhcp, QString()};
    }
    if (defaultGatewayCount > 1) {
        return {Verdict::SeveralDefaultGateways, QString()};
    }
    if (someEnabled && defaultGatewayCount == 0) {
        return {Verdict::NoDefaultGateway, QString()};
    }
    return {};
}
