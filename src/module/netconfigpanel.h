// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>
#include <QWidget>

#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "platform/shellprocess.h"

#include <array>
#include <optional>

/**
 * The module's page: it owns every configuration record for its whole life,
 * reads the system files into them and hands them to the tabs.
 *
 * Record i of the interface records stands for the device "eth<i>"; there are
 * five of them, the most the module can hold. Devices counted beyond the fifth
 * are left out.
 */
class NetConfigPanel : public QWidget
{
    Q_OBJECT

public:
    using InterfaceRecords = std::array<Interface, InterfacesFile::RecordCount>;

    NetConfigPanel(QWidget *parent, const char *name, bool readOnly);

    /// Reads every file and hands the tabs their records; false when a read failed.
    bool loadSettings();
    /// Stores the tabs' values and writes the system files.
    bool applySettings();
    /// Reads every configuration file into the records, stopping at the first failure.
    bool readConfigData();

    /// Looks for ifupdown options the module cannot keep and lets the user stop.
    bool checkInterfacesFile();
    /// Counts the Ethernet devices, names them from the device inventory, reads their stanzas.
    bool parseInterfacesFile();
    /// Writes the present records back into the interfaces file, keeping a backup;
    /// false (and the file untouched) when it cannot be read or replaced.
    bool writeInterfacesFile();

    bool isReadOnly() const;
    void setReadOnly(bool readOnly);

    const BasicNetCfg &hostIdentity() const;
    const InterfaceRecords &interfaceRecords() const;
    const DnsConfigFile &resolverFile() const;
    int ethernetCount() const;

Q_SIGNALS:
    void panelChanged(bool changed);

private:
    std::optional<QStringList> readInterfacesLines();
    bool countEthernetDevices();
    bool fillInterfaceRecords(const QStringList &lines);

    void connectTabs();
    void handTabsTheirRecords();
    void setTabsReadOnly(bool readOnly);

    ShellProcess m_process;
    BasicNetCfg m_basicNetCfg;
    InterfaceRecords m_interfaces;
    DnsConfigFile m_dnsConfigFile;
    int m_ethernetCount = 0;
    bool m_readOnly = false;
};
