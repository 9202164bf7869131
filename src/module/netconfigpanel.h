// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "config/networksettings.h"
#include "forms/netconfigpage.h"

class QCursor;

/**
 * The module's page: it owns the network settings for its whole life, hands
 * their records to the tabs, keeps the tabs' change and read-only flags
 * together, and applies the settings, asking the user what the settings
 * leave to the user and showing what came of each step.
 *
 * Record i of the interface records stands for the i-th Ethernet device of
 * the machine; there are five of them, the most the module can hold.
 */
class NetConfigPanel : public NetConfigPage
{
    Q_OBJECT

public:
    using InterfaceRecords = NetworkSettings::InterfaceRecords;

    NetConfigPanel(QWidget *parent, const char *name, bool readOnly);

    /// Reads every file and hands the tabs their records; false when a read failed.
    bool loadSettings();
    /**
     * Stores and checks the tabs' values, takes the network down, writes every
     * system file and, when the user agrees, sets the host name, restarts
     * networking and checks each enabled interface; then reads everything
     * again. True when nothing had changed or the final reload succeeded.
     */
    bool applySettings();
    /// Reads every configuration file into the records, stopping at the first failure.
    bool readConfigData();

    /// Reads the interfaces file, looks for options the module cannot keep and lets the user stop.
    bool checkInterfacesFile();
    /// Finds the Ethernet devices, describes them, reads their stanzas.
    bool parseInterfacesFile();
    bool writeInterfacesFile();

    /// Stops networking; false (after saying so, when it ran and failed) unless it succeeded.
    bool shutdownAllInterfaces();
    bool writeConfigData();
    bool writeHostname();
    /// Brings /etc/hosts into line; names are rewritten only when the Identification tab was edited.
    bool writeHosts();
    bool writeDnsFile();

    /// True when any tab holds a change.
    bool isChanged() const;
    /// Sets every tab's flag without telling anybody.
    void setChangedFlag(bool changed);
    /// True only when every tab is read-only.
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);

    const BasicNetCfg &hostIdentity() const;
    const InterfaceRecords &interfaceRecords() const;
    const DnsConfigFile &resolverFile() const;
    int ethernetCount() const;

Q_SIGNALS:
    void panelChanged(bool changed);

protected Q_SLOTS:
    void handlePanelChanged(bool changed);
    void slotReloadIDPanel();
    void slotReloadIPPanel();
    void slotReloadDNSPanel();

private:
    void createTabs();
    void connectTabs();
    void handTabsTheirRecords();

    void sayNoInterfacesFile();
    bool askAboutUnsupportedOptions();
    /// Whether the Identification, Interfaces and Wireless tabs accept what they hold.
    bool tabsAcceptTheirSettings();
    /// Stops networking and writes the files; the changes, or nothing after saying what went wrong.
    std::optional<QString> takeDownAndWrite(const ChangeReport &before);
    /// Sets the host name, restarts networking and checks the interfaces.
    bool bringNetworkUp(const QCursor &keptCursor);
    /// Says failureText when the command ran and failed (one that cannot even be
    /// started has nothing to say for itself); true when it succeeded.
    bool reported(const ShellProcess::Result &command, const QString &failureText);
    void reportInterfacesNotActive(const NetworkSettings::TakenEffect &effect);

    NetworkSettings m_settings;
};
