// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "netconfigpanel.h"

#include <QCursor>
#include <QSignalBlocker>

#include <KLocalizedString>

#include "config/applyrequest.h"
#include "config/changereport.h"
#include "config/helperactions.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/helperclient.h"
#include "platform/messages.h"
#include "platform/superuser.h"
#include "quorlan_debug.h"

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
    // The wireless card is set up by its own file, whatever becomes of the rest
    // (the helper writes it with the rest).
    if (!m_viaHelper) {
        m_wireless->applySettings();
    }

    const QCursor keptCursor = cursor();
    setCursor(Qt::WaitCursor);
    const std::optional<QString> written = takeDownAndWrite(changes);
    setCursor(keptCursor);
    if (!written) {
        return false;
    }
    const QString question = i18n("The settings have been changed. Do you wish the changes to take effect now?");
    qCInfo(QUORLAN).noquote().nospace() << "Apply changed the system files:\n" << *written;
    if (Messages::warningYesNo(this, question, Messages::networkCaption(), *written) == Messages::Answer::Yes) {
        if (!bringNetworkUp(keptCursor)) {
            return false;
        }
    } else {
        // The network stays down; the next start of the computer brings the new settings up.
        Messages::information(this,
                              i18n("The changes you have made will not take effect until the next time the computer is restarted."),
                              Messages::networkCaption());
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
    const std::optional<NetworkSettings::Written> reply = writeSettings(before);
    if (!reply) {
        return std::nullopt;
    }
    const NetworkSettings::Written &written = *reply;
    if (!reported(written.stop, i18n("Error shutting down interfaces!"))) {
        Messages::error(this, i18n("Problem shutting down all network interfaces!"), Messages::networkCaption());
        return std::nullopt;
    }
    if (!written.filesWritten) {
        Messages::error(this, i18n("Problem saving configuration data!"), Messages::networkCaption());
        return std::nullopt;
    }
    return written.changes;
}

bool NetConfigPanel::bringNetworkUp(const QCursor &keptCursor)
{
    setCursor(Qt::WaitCursor);
    const std::optional<NetworkSettings::TakenEffect> reply = makeSettingsTakeEffect();
    if (!reply) {
        setCursor(keptCursor);
        return false;
    }
    const NetworkSettings::TakenEffect &effect = *reply;
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
                          Messages::networkCaption());
    return true;
}

bool NetConfigPanel::reported(const ShellProcess::Result &command, const QString &failureText)
{
    if (command.started && !command.succeeded()) {
        Messages::error(this, failureText, Messages::networkCaption());
    }
    return command.succeeded();
}

void NetConfigPanel::reportInterfacesNotActive(const NetworkSettings::TakenEffect &effect)
{
    for (Interface &record : m_settings.records().interfaces) {
        record.enabled = record.enabled && !effect.devicesDown.contains(record.deviceName);
    }
    // i18n: %1 is the list of the device names that did not come up, each after one blank, such as "eth0 eth2".
    Messages::error(this, i18n("The following interface(s) failed to restart: %1", effect.devicesDown.join(QLatin1Char(' '))), Messages::networkCaption());
    if (!effect.stored) {
        Messages::error(this, i18n("Error updating interfaces file!"), Messages::networkCaption());
    }
}

std::optional<NetworkSettings::Written> NetConfigPanel::writeSettings(const ChangeReport &before)
{
    if (!m_viaHelper) {
        return NetworkSettings::write(m_settings.records(), m_pIDPanel->isChanged(), before);
    }
    // Stopping networking waits for every DHCP client to give its lease back.
    constexpr int WriteTimeoutMs = 3 * 60 * 1000;
    const ApplyRequest request = ApplyRequest::fromRecords(m_settings.records(), m_pIDPanel->isChanged(), m_wireless->changedFile());
    const std::optional<QVariantMap> reply = helperReply(QStringLiteral("write"), request.toMap(), WriteTimeoutMs);
    if (!reply) {
        return std::nullopt;
    }
    if (!reply->value(QStringLiteral("wirelessWritten")).toBool()) {
        Messages::error(this, i18n("Unable to save the changes to the wireless configuration file."), i18n("Wireless Saving error"));
    }
    return HelperActions::writtenFrom(*reply);
}

std::optional<NetworkSettings::TakenEffect> NetConfigPanel::makeSettingsTakeEffect()
{
    if (!m_viaHelper) {
        return NetworkSettings::takeEffect(m_settings.records());
    }
    // A restart brings every interface up, each DHCP one waiting for its lease.
    constexpr int TakeEffectTimeoutMs = 5 * 60 * 1000;
    const std::optional<QVariantMap> reply = helperReply(QStringLiteral("takeeffect"), {}, TakeEffectTimeoutMs);
    return reply ? std::optional(HelperActions::takenEffectFrom(*reply)) : std::nullopt;
}

std::optional<QVariantMap> NetConfigPanel::helperReply(const QString &action, const QVariantMap &arguments, int timeoutMs)
{
    const HelperClient::Outcome outcome = HelperClient::run(action, arguments, timeoutMs);
    switch (outcome.kind) {
    case HelperClient::Outcome::Done:
        return outcome.data;
    case HelperClient::Outcome::Denied:
        Messages::error(this,
                        i18n("The network settings were not changed: the administrator's password was not given, or this system does not allow you to "
                             "change them."),
                        Messages::networkCaption());
        break;
    case HelperClient::Outcome::Busy:
        Messages::error(this,
                        i18n("The network settings are still being changed by an earlier request. Please wait a moment and apply again."),
                        Messages::networkCaption());
        break;
    case HelperClient::Outcome::TimedOut:
        Messages::error(this,
                        i18n("The system did not answer in time while changing the network settings. Please check the settings before you apply again."),
                        Messages::networkCaption());
        break;
    case HelperClient::Outcome::Failed:
        // i18n: %1 is the system's own reason, in English.
        Messages::error(this, i18n("The network settings could not be changed: %1", outcome.error), Messages::networkCaption());
        break;
    }
    return std::nullopt;
}

void NetConfigPanel::setViaHelper(bool viaHelper)
{
    m_viaHelper = viaHelper;
    m_pIPPanel->setLeaseViaHelper(viaHelper);
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
    const NetworkSettings::Loaded loaded = m_settings.load(
        [this] {
            return askAboutUnsupportedOptions();
        },
        SuperUser::isSuperUser());
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
    Messages::error(this, i18n("Unable to find file /etc/network/interfaces!"), Messages::networkCaption());
}

bool NetConfigPanel::askAboutUnsupportedOptions()
{
    const QString question = i18n(
        "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit "
        "the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");
    return Messages::warningYesNo(this, question, Messages::networkCaption()) == Messages::Answer::Yes;
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
    m_wireless->loadSettings(m_settings.records().wireless);
}
