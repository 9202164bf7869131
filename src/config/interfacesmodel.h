// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "config/interfacesfile.h"

#include <array>

class Interface;

/**
 * The rules of the Interfaces tab, without its widgets.
 *
 * It holds a working copy of each of the five interface records; the records
 * change only in store(). While the user edits, it keeps at most one DHCP
 * interface and at most one default gateway. Where a rule refuses, it answers
 * with a Verdict (and the device it is about); the tab turns that into its
 * message box.
 */
class InterfacesModel
{
public:
    static constexpr int InterfaceCount = SystemFiles::RecordCount;

    /// What the user has made of one interface so far.
    struct WorkingCopy {
        bool enabled = false;
        bool dhcp = false;
        QString hostName;
        QString ipAddress;
        QString subnetMask;
        QString gateway;
        /// False once the gateway entry held no valid address; reported once by check().
        bool gatewayValid = true;
        bool defaultGateway = false;
        /// What the default-gateway box becomes on a switch to DHCP.
        bool dhcpDefaultGatewayMemo = true;
        /// What the default-gateway box becomes on a switch back to a static address.
        bool staticDefaultGatewayMemo = false;
    };

    /// What the widgets of the shown interface hold.
    struct Entries {
        bool enabled = false;
        bool dhcp = false;
        bool defaultGateway = false;
        QString hostName;
        QString ipAddress;
        QString subnetMask;
        QString gateway;
        bool gatewayValid = true;
    };

    enum class Verdict {
        Passes,
        /// The save check: the device's address, netmask or gateway entry is no address.
        InvalidAddress,
        InvalidNetmask,
        InvalidGateway,
        /// The save check: more than one enabled interface uses DHCP, or is the default gateway.
        SeveralDhcp,
        SeveralDefaultGateways,
        /// The save check: no enabled interface is the default gateway; the user decides.
        NoDefaultGateway,
        /// A switch to DHCP while another enabled interface uses it.
        DhcpTaken,
        /// A default gateway without a gateway address.
        GatewayNeeded,
    };
    struct Answer {
        Verdict verdict = Verdict::Passes;
        /// The device the verdict is about, where it is about one.
        QString device;
    };

    /// Takes the first of the five records (not owned) and copies the present ones.
    void load(Interface *records);
    bool isLoaded() const;
    /// Whether record `index` stands for a device of this machine (false before the first load).
    bool isPresent(int index) const;
    const Interface &record(int index) const;
    /// How the present interfaces are listed: the device name, the maker in parentheses where known.
    QStringList items() const;

    int current() const;
    void setCurrent(int index);
    const WorkingCopy &shown() const;
    const Interface &shownRecord() const;
    const WorkingCopy &workingCopy(int index) const;

    bool anyEnabled() const;
    bool anyEnabledDhcp() const;
    /// Whether the shown method differs from the shown record's (which only store() changes).
    bool methodChanged() const;

    /// Takes the shown interface's entries; a disabled interface's fields are not the user's.
    void take(const Entries &entries);
    void setShownEnabled(bool enabled);
    void setShownMethod(bool enabled, bool dhcp);
    /// The shown interface is being enabled: true when another enabled interface is the
    /// default gateway already, so that the shown one must stop being one (it forgets its memo).
    bool yieldDefaultGateway();
    /// Whether the shown interface may switch to DHCP.
    Answer mayUseDhcp() const;
    /// Keeps the static entries for a switch back; returns what the default-gateway box becomes.
    bool switchToDhcp(const QString &ipAddress, const QString &subnetMask, const QString &gateway);
    /// Keeps the host name for a switch back; returns what the default-gateway box becomes.
    bool switchToStatic(const QString &hostName);
    /// The default-gateway box toggled; the shown one becomes the only default gateway.
    Answer setDefaultGateway(bool on, bool staticMethod, const QString &gatewayEntry);

    /// Stores the working copies of the present interfaces into the records.
    void store();
    /// The check before a save, on the records just stored. An invalid gateway is reported once.
    Answer check();

private:
    WorkingCopy &editedCopy();

    Interface *m_records = nullptr;
    int m_current = 0;
    std::array<WorkingCopy, InterfaceCount> m_working;
};
