// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

#include "config/basicnetcfg.h"
#include "config/configurationloader.h"
#include "config/dnsconfigfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "module/netconfigpage.h"
#include "platform/shellprocess.h"

#include <array>
#include <optional>

class QCursor;

/**
 * The module's page: it owns every configuration record for its whole life,
 * reads the system files into them, hands them to the tabs, keeps the tabs'
 * change and read-only flags together, and applies the settings: it writes
 * every system file and restarts networking.
 *
 * Record i of the interface records stands for the device "eth<i>"; there are
 * five of them, the most the module can hold. Devices counted beyond the fifth
 * are left out.
 */
class NetConfigPanel : public NetConfigPage
{
    Q_OBJECT

public:
    using InterfaceRecords = std::array<Interface, SystemFiles::RecordCount>;

    /// Whether the panel begins its first load before it builds its tabs.
    enum class FirstLoad { Later, Begun };

    /**
     * Builds the panel. With FirstLoad::Begun it reads the files up to the
     * Ethernet count (asking what checkInterfacesFile() asks) and starts the
     * count before building its tabs, so that the count's programs run while
     * the widgets are made; the next loadSettings() goes on from there.
     */
    NetConfigPanel(QWidget *parent, const char *name, bool readOnly, FirstLoad firstLoad = FirstLoad::Later);
    /// Builds the panel for a first load that a loader has begun before the
    /// module was built (ConfigurationLoader::beginQuietly()).
    NetConfigPanel(QWidget *parent, const char *name, bool readOnly, ConfigurationLoader &&begun);

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

    /// Looks for ifupdown options the module cannot keep and lets the user stop.
    bool checkInterfacesFile();
    /// Counts the Ethernet devices, names them from the device inventory, reads their stanzas.
    bool parseInterfacesFile();
    /// Writes the present records back into the interfaces file, keeping a backup;
    /// false (and the file untouched) when it cannot be read or replaced.
    bool writeInterfacesFile();

    /// Stops networking; false (after saying so, when it ran and failed) unless it succeeded.
    bool shutdownAllInterfaces();
    /// Writes /etc/hostname, /etc/hosts, /etc/network/interfaces and /etc/resolv.conf
    /// in this order, stopping at the first that fails; those before it stay written.
    bool writeConfigData();
    bool writeHostname();
    /// Brings /etc/hosts into line; names are rewritten only when the Identification tab was edited.
    bool writeHosts();
    /// Writes the resolver file with the host identity's domain.
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
    /// Reads the host identity and the interfaces file, asks about what the
    /// records cannot keep and starts the Ethernet count; false when loading stops.
    bool readUpToTheCount();
    /// Reads the interfaces file into the loader; false after saying that it cannot.
    bool readInterfacesLines();

    void connectTabs();
    void handTabsTheirRecords();

    /// Whether the Identification, Interfaces and Wireless tabs accept what they hold.
    bool tabsAcceptTheirSettings();
    /// Stops networking and writes the files; false after saying what went wrong.
    bool takeDownAndWrite();
    /// Sets the host name, restarts networking and checks the interfaces.
    bool bringNetworkUp(const QCursor &keptCursor);
    /// Runs one command on the command runner; a failure that ran is reported with failureText.
    bool runSystemCommand(const QStringList &words, const QString &failureText);
    /// The enabled interfaces that did not come up, each now stored as not enabled.
    QStringList interfacesNotActive();
    void reportInterfacesNotActive(const QStringList &devices);

    ShellProcess m_process;
    BasicNetCfg m_basicNetCfg;
    InterfaceRecords m_interfaces;
    DnsConfigFile m_dnsConfigFile;
    int m_ethernetCount = 0;
    ConfigurationLoader m_loader;
    /// How the load begun at construction went, until a load goes on from it.
    std::optional<bool> m_begunLoad;
};
