// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "netconfigpanel.h"

#include <QCursor>
#include <QSignalBlocker>

#include <KLocalizedString>

#include "config/changereport.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/messages.h"
#include "quorlan_debug.h"

namespace
{
QString caption()
{
    return i18n("TCP/IP");
}
}

NetConfigPanel::NetConfigPanel(QWidget *parent, const char *name, bool readOnly)
    : NetConfigPage(parent, name)
{
    createTabs();
    connectTabs();
    setReadOnly(readOnly);
}

bool NetConfigPanel::loadSettings()
{
    if (!readConfigData()) {
        return false;
    }
    {
        // Filling the tabs is no edit: the shell hears only that nothing needs saving.
        const QSignalBlocker quiet(this);
        handTabsTheirRecords();
    }
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
    const std::optional<QString> written = takeDownAndWrite(changes);
    setCursor(keptCursor);
    if (!written) {
        return false;
    }
    const QString question = i18n("The settings have been changed. Do you wish the changes to take effect now?");
    qCInfo(QUORLAN).noquote().nospace() << "Apply changed the system files:\n" << *written;
    if (Messages::warningYesNo(this, question, caption(), *written) == Messages::Answer::Yes) {
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

std::optional<QString> NetConfigPanel::takeDownAndWrite(const ChangeReport &before)
{
    const NetworkSettings::Written written = NetworkSettings::write(m_settings.records(), m_pIDPanel->isChanged(), before);
    if (!reported(written.stop, i18n("Error shutting down interfaces!"))) {
        Messages::error(this, i18n("Problem shutting down all network interfaces!"), caption());
        return std::nullopt;
    }
    if (!written.filesWritten) {
        Messages::error(this, i18n("Problem saving configuration data!"), caption());
        return std::nullopt;
    }
    return written.changes;
}

bool NetConfigPanel::bringNetworkUp(const QCursor &keptCursor)
{
    setCursor(Qt::WaitCursor);
    const NetworkSettings::TakenEffect effect = NetworkSettings::takeEffect(m_settings.records());
    const bool restarted = reported(effect.hostName, i18n("Error setting hostname!")) && reported(effect.restart, i18n("Error restarting networking!"));
    setCursor(keptCursor);
    if (!restarted) {
        return false;
    }
    if (!effect.devicesDown.isEmpty()) {
        reportInterfacesNotActive(effect);
        return false;
    }
    Messages::information(this,
                          i18n("The changes are now in effect. Please note that some applications may be using cached settings which will not change until "
                               "the computer is restarted."),
                          caption());
    return true;
}

bool NetConfigPanel::reported(const ShellProcess::Result &command, const QString &failureText)
{
    if (command.started && !command.succeeded()) {
        Messages::error(this, failureText, caption());
    }
    return command.succeeded();
}

void NetConfigPanel::reportInterfacesNotActive(const NetworkSettings::TakenEffect &effect)
{
    for (Interface &record : m_settings.records().interfaces) {
        record.enabled = record.enabled && !effect.devicesDown.contains(record.deviceName);
    }
    // i18n: %1 is the list of the device names that did not come up, each after one blank, such as "eth0 eth2".
    Messages::error(this, i18n("The following interface(s) failed to restart: %1", effect.devicesDown.join(QLatin1Char(' '))), caption());
    if (!effect.stored) {
        Messages::error(this, i18n("Error updating interfaces file!"), caption());
    }
}

bool NetConfigPanel::shutdownAllInterfaces()
{
    return reported(NetworkSettings::stopNetworking(), i18n("Error shutting down interfaces!"));
}

bool NetConfigPanel::writeConfigData()
{
    return NetworkSettings::writeFiles(m_settings.records(), m_pIDPanel->isChanged());
}

bool NetConfigPanel::writeHostname()
{
    return NetworkSettings::writeHostname(m_settings.records());
}

bool NetConfigPanel::writeHosts()
{
    return NetworkSettings::writeHosts(m_settings.records(), m_pIDPanel->isChanged());
}

bool NetConfigPanel::writeDnsFile()
{
    return NetworkSettings::writeDnsFile(m_settings.records());
}

bool NetConfigPanel::writeInterfacesFile()
{
    return NetworkSettings::writeInterfacesFile(m_settings.records());
}

bool NetConfigPanel::readConfigData()
{
    const NetworkSettings::Loaded loaded = m_settings.load([this] {
        return askAboutUnsupportedOptions();
    });
    if (loaded == NetworkSettings::Loaded::NoInterfacesFile) {
        sayNoInterfacesFile();
    }
    return loaded == NetworkSettings::Loaded::Everything;
}

bool NetConfigPanel::checkInterfacesFile()
{
    if (!m_settings.readInterfacesFile()) {
        sayNoInterfacesFile();
        return false;
    }
    return !m_settings.hasUnsupportedOptions() || askAboutUnsupportedOptions();
}

bool NetConfigPanel::parseInterfacesFile()
{
    return m_settings.fillInterfaceRecords();
}

void NetConfigPanel::sayNoInterfacesFile()
{
    Messages::error(this, i18n("Unable to find file /etc/network/interfaces!"), caption());
}

bool NetConfigPanel::askAboutUnsupportedOptions()
{
    const QString question = i18n(
        "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit "
        "the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");
    return Messages::warningYesNo(this, question, caption()) == Messages::Answer::Yes;
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
    return m_settings.records().hostIdentity;
}

const NetConfigPanel::InterfaceRecords &NetConfigPanel::interfaceRecords() const
{
    return m_settings.records().interfaces;
}

const DnsConfigFile &NetConfigPanel::resolverFile() const
{
    return m_settings.records().resolverFile;
}

int NetConfigPanel::ethernetCount() const
{
    return m_settings.records().ethernetCount;
}

void NetConfigPanel::handlePanelChanged(bool changed)
{
    Q_EMIT panelChanged(changed);
}

// A failed read is not reported here: the tab shows what the records hold.
void NetConfigPanel::slotReloadIDPanel()
{
    readConfigData();
    m_pIDPanel->loadSettings(&m_settings.records().hostIdentity);
}

void NetConfigPanel::slotReloadIPPanel()
{
    readConfigData();
    m_pIPPanel->loadSettings(m_settings.records().interfaces.data());
}

void NetConfigPanel::slotReloadDNSPanel()
{
    readConfigData();
    m_pDNSPanel->loadSettings(&m_settings.records().resolverFile);
}

void NetConfigPanel::createTabs()
{
    m_pIDPanel = new IDPanel(tab, "m_pIDPanel", false);
    addPanel(tabLayout, m_pIDPanel);
    m_pIPPanel = new IPPanel(tab_2, "m_pIPPanel", false);
    addPanel(tabLayout_2, m_pIPPanel);
    m_pDNSPanel = new DNSPanel(tab_3, "m_pDNSPanel", false);
    addPanel(tabLayout_3, m_pDNSPanel);
    m_wireless = new Wireless(tab_4, "m_wireless");
    addPanel(tabLayout_4, m_wireless);
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
    m_pIDPanel->loadSettings(&m_settings.records().hostIdentity);
    m_pIPPanel->loadSettings(m_settings.records().interfaces.data());
    m_pDNSPanel->loadSettings(&m_settings.records().resolverFile);
    // The Wireless tab reads its own file.
    m_wireless->loadSettings();
}
