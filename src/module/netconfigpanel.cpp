// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "netconfigpanel.h"

#include <QCursor>

#include <KLocalizedString>

#include "config/changereport.h"
#include "config/hostsfile.h"
#include "config/interfacesfile.h"
#include "config/systemfiles.h"
#include "config/textfile.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/messages.h"
#include "platform/superuser.h"
#include "platform/systemcommands.h"
#include "quorlan_debug.h"

#include <utility>

namespace
{
QString caption()
{
    return i18n("TCP/IP");
}
}

NetConfigPanel::NetConfigPanel(QWidget *parent, const char *name, bool readOnly, FirstLoad firstLoad)
    : NetConfigPage(parent, name, {}, TabsLater())
{
    if (firstLoad == FirstLoad::Begun) {
        m_begunLoad = readUpToTheCount();
    }
    createTabs();
    connectTabs();
    setReadOnly(readOnly);
}

NetConfigPanel::NetConfigPanel(QWidget *parent, const char *name, bool readOnly, ConfigurationLoader &&begun)
    : NetConfigPanel(parent, name, readOnly)
{
    m_loader = std::move(begun);
    m_begunLoad = m_basicNetCfg.readConfigFile();
}

bool NetConfigPanel::loadSettings()
{
    if (!readConfigData()) {
        return false;
    }
    handTabsTheirRecords();
    Q_EMIT panelChanged(false);
    return true;
}

bool NetConfigPanel::applySettings()
{
    if (!isChanged()) {
        return true;
    }
    m_pIDPanel->applySettings();
    m_pIPPanel->applySettings();
    m_pDNSPanel->applySettings();
    if (!tabsAcceptTheirSettings()) {
        // The tab has said why. Until the user edits again there is nothing
        // left to apply, and the shell keeps its Apply state.
        setChangedFlag(false);
        return false;
    }
    // What the files held before this Apply, to show the user what it wrote.
    const ChangeReport changes;
    // The wireless card is set up by its own file, whatever becomes of the rest.
    m_wireless->applySettings();

    const QCursor keptCursor = cursor();
    setCursor(Qt::WaitCursor);
    if (!takeDownAndWrite()) {
        setCursor(keptCursor);
        return false;
    }
    setCursor(keptCursor);
    const QString question = i18n("The settings have been changed. Do you wish the changes to take effect now?");
    const QString written = changes.text();
    qCInfo(QUORLAN).noquote().nospace() << "Apply changed the system files:\n" << written;
    if (Messages::warningYesNo(this, question, caption(), written) == Messages::Answer::Yes) {
        if (!bringNetworkUp(keptCursor)) {
            return false;
        }
    } else {
        // The network stays down; the next start of the computer brings the new settings up.
        Messages::information(this, i18n("The changes you have made will not take effect until the next time the computer is restarted."), caption());
    }
    Q_EMIT panelChanged(false);
    return loadSettings();
}

bool NetConfigPanel::tabsAcceptTheirSettings()
{
    return m_pIDPanel->validSettings() && m_pIPPanel->validSettings() && m_wireless->validSetting();
}

bool NetConfigPanel::takeDownAndWrite()
{
    if (!shutdownAllInterfaces()) {
        Messages::error(this, i18n("Problem shutting down all network interfaces!"), caption());
        return false;
    }
    if (!writeConfigData()) {
        Messages::error(this, i18n("Problem saving configuration data!"), caption());
        return false;
    }
    return true;
}

bool NetConfigPanel::bringNetworkUp(const QCursor &keptCursor)
{
    setCursor(Qt::WaitCursor);
    const bool restarted = runSystemCommand(SystemCommands::setHostName(QLatin1String(SystemFiles::Hostname)), i18n("Error setting hostname!"))
        && runSystemCommand(SystemCommands::restartNetworking(), i18n("Error restarting networking!"));
    setCursor(keptCursor);
    if (!restarted) {
        return false;
    }
    const QStringList notActive = interfacesNotActive();
    if (!notActive.isEmpty()) {
        reportInterfacesNotActive(notActive);
        return false;
    }
    Messages::information(this,
                          i18n("The changes are now in effect. Please note that some applications may be using cached settings which will not change until "
                               "the computer is restarted."),
                          caption());
    return true;
}

bool NetConfigPanel::runSystemCommand(const QStringList &words, const QString &failureText)
{
    SystemCommands::prepare(m_process, words);
    // A command that cannot even be started has nothing to say for itself.
    if (!m_process.start()) {
        return false;
    }
    if (m_process.succeeded()) {
        return true;
    }
    Messages::error(this, failureText, caption());
    return false;
}

QStringList NetConfigPanel::interfacesNotActive()
{
    // A runner of its own: the checks are not the commands the main runner ran.
    ShellProcess check;
    QStringList notActive;
    for (Interface &record : m_interfaces) {
        if (!record.present || !record.enabled) {
            continue;
        }
        SystemCommands::prepare(check, SystemCommands::checkActive(record.deviceName));
        if (!check.start() || !check.succeeded()) {
            notActive << record.deviceName;
            record.enabled = false;
        }
    }
    return notActive;
}

void NetConfigPanel::reportInterfacesNotActive(const QStringList &devices)
{
    // i18n: %1 is the list of the device names that did not come up, each after one blank, such as "eth0 eth2".
    Messages::error(this, i18n("The following interface(s) failed to restart: %1", devices.join(QLatin1Char(' '))), caption());
    // Stored as not enabled, they stay down at the next start instead of failing again.
    if (!writeInterfacesFile()) {
        Messages::error(this, i18n("Error updating interfaces file!"), caption());
    }
}

bool NetConfigPanel::shutdownAllInterfaces()
{
    return runSystemCommand(SystemCommands::stopNetworking(), i18n("Error shutting down interfaces!"));
}

bool NetConfigPanel::writeConfigData()
{
    return writeHostname() && writeHosts() && writeInterfacesFile() && writeDnsFile();
}

bool NetConfigPanel::writeHostname()
{
    return TextFile::rewriteInPlace(QLatin1String(SystemFiles::Hostname), {m_basicNetCfg.hostName});
}

bool NetConfigPanel::writeHosts()
{
    return HostsFile(m_basicNetCfg, m_interfaces.data(), m_pIDPanel->isChanged()).writeHosts();
}

bool NetConfigPanel::writeDnsFile()
{
    m_dnsConfigFile.setDomain(m_basicNetCfg.domain);
    return m_dnsConfigFile.writeFile();
}

bool NetConfigPanel::readConfigData()
{
    const std::optional<bool> begun = std::exchange(m_begunLoad, std::nullopt);
    if (!(begun ? *begun : readUpToTheCount()) || !parseInterfacesFile()) {
        return false;
    }
    m_dnsConfigFile.setFileName(QLatin1String(SystemFiles::ResolvConf));
    return m_dnsConfigFile.readFile();
}

bool NetConfigPanel::readUpToTheCount()
{
    if (!m_basicNetCfg.readConfigFile() || !checkInterfacesFile()) {
        return false;
    }
    m_loader.startEthernetCount();
    return true;
}

bool NetConfigPanel::readInterfacesLines()
{
    if (!m_loader.readInterfacesFile()) {
        Messages::error(this, i18n("Unable to find file /etc/network/interfaces!"), caption());
        return false;
    }
    return true;
}

bool NetConfigPanel::checkInterfacesFile()
{
    if (!readInterfacesLines()) {
        return false;
    }
    if (!m_loader.hasUnsupportedOptions()) {
        return true;
    }
    const QString question = i18n(
        "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit "
        "the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");
    return Messages::warningYesNo(this, question, caption()) == Messages::Answer::Yes;
}

bool NetConfigPanel::parseInterfacesFile()
{
    // The file that checkInterfacesFile() has just read is not read again.
    if (!m_loader.hasInterfacesFile() && !readInterfacesLines()) {
        return false;
    }
    const std::optional<int> count = m_loader.countEthernetDevices();
    if (!count) {
        return false;
    }
    m_ethernetCount = *count;
    return m_loader.fillInterfaceRecords(m_interfaces.data(), m_ethernetCount);
}

bool NetConfigPanel::writeInterfacesFile()
{
    return InterfacesFile::write(m_interfaces.data(), m_ethernetCount);
}

bool NetConfigPanel::isChanged() const
{
    return m_pIDPanel->isChanged() || m_pIPPanel->isChanged() || m_pDNSPanel->isChanged() || m_wireless->isChanged();
}

void NetConfigPanel::setChangedFlag(bool changed)
{
    m_pIDPanel->setChangedFlag(changed);
    m_pIPPanel->setChangedFlag(changed);
    m_pDNSPanel->setChangedFlag(changed);
    m_wireless->setChangedFlag(changed);
}

bool NetConfigPanel::isReadOnly() const
{
    return m_pIDPanel->isReadOnly() && m_pIPPanel->isReadOnly() && m_pDNSPanel->isReadOnly() && m_wireless->isReadOnly();
}

void NetConfigPanel::setReadOnly(bool readOnly)
{
    m_pIDPanel->setReadOnly(readOnly);
    m_pIPPanel->setReadOnly(readOnly);
    m_pDNSPanel->setReadOnly(readOnly);
    m_wireless->setReadOnly(readOnly);
}

const BasicNetCfg &NetConfigPanel::hostIdentity() const
{
    return m_basicNetCfg;
}

const NetConfigPanel::InterfaceRecords &NetConfigPanel::interfaceRecords() const
{
    return m_interfaces;
}

const DnsConfigFile &NetConfigPanel::resolverFile() const
{
    return m_dnsConfigFile;
}

int NetConfigPanel::ethernetCount() const
{
    return m_ethernetCount;
}

void NetConfigPanel::handlePanelChanged(bool changed)
{
    Q_EMIT panelChanged(changed);
}

// A failed read is not reported here: the tab shows what the records hold.
void NetConfigPanel::slotReloadIDPanel()
{
    readConfigData();
    m_pIDPanel->loadSettings(&m_basicNetCfg);
}

void NetConfigPanel::slotReloadIPPanel()
{
    readConfigData();
    m_pIPPanel->loadSettings(m_interfaces.data());
}

void NetConfigPanel::slotReloadDNSPanel()
{
    readConfigData();
    m_pDNSPanel->loadSettings(&m_dnsConfigFile);
}

void NetConfigPanel::connectTabs()
{
    connect(m_pIDPanel, &IDPanel::panelChanged, this, &NetConfigPanel::handlePanelChanged);
    connect(m_pIPPanel, &IPPanel::panelChanged, this, &NetConfigPanel::handlePanelChanged);
    connect(m_pDNSPanel, &DNSPanel::panelChanged, this, &NetConfigPanel::handlePanelChanged);
    connect(m_wireless, &Wireless::panelChanged, this, &NetConfigPanel::handlePanelChanged);
    // A renewed lease changes what every tab but Wireless shows; each slot reads
    // the files again for its own tab.
    connect(m_pIDPanel, &IDPanel::reloadConfigData, this, &NetConfigPanel::slotReloadIDPanel);
    connect(m_pIPPanel, &IPPanel::reloadConfigData, this, &NetConfigPanel::slotReloadIDPanel);
    connect(m_pIPPanel, &IPPanel::reloadConfigData, this, &NetConfigPanel::slotReloadIPPanel);
    connect(m_pIPPanel, &IPPanel::reloadConfigData, this, &NetConfigPanel::slotReloadDNSPanel);
    connect(m_pDNSPanel, &DNSPanel::reloadConfigData, this, &NetConfigPanel::slotReloadDNSPanel);
    connect(m_pIPPanel, &IPPanel::networkEnableChanged, m_pDNSPanel, &DNSPanel::handleNetworkingEnabled);
}

void NetConfigPanel::handTabsTheirRecords()
{
    m_pIDPanel->loadSettings(&m_basicNetCfg);
    m_pIPPanel->loadSettings(m_interfaces.data());
    m_pDNSPanel->loadSettings(&m_dnsConfigFile);
    m_wireless->loadSettings(WirelessOptionsFile::load(SuperUser::isSuperUser()));
}
