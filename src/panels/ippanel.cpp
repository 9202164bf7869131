// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "ippanel.h"

#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <KComboBox>
#include <KLocalizedString>

#include "config/interface.h"
#include "config/textfile.h"
#include "forms/ipedit.h"
#include "panels/legibletext.h"
#include "platform/messages.h"
#include "platform/shellprocess.h"
#include "platform/systempaths.h"

#include <algorithm>
#include <optional>

namespace
{
QString caption()
{
    return i18n("TCP/IP");
}

template<typename Sender, typename Signal, typename Receiver, typename Slot>
void link(bool on, Sender *sender, Signal signal, Receiver *receiver, Slot slot)
{
    if (on) {
        QObject::connect(sender, signal, receiver, slot, Qt::UniqueConnection);
    } else {
        QObject::disconnect(sender, signal, receiver, slot);
    }
}

/// The first line of a file (at most maxLength bytes), or nothing when it cannot be read.
std::optional<QByteArray> firstLine(const QString &systemPath, qint64 maxLength)
{
    QFile file(SystemPaths::path(systemPath));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray line = file.readLine(maxLength + 1);
    if (line.isEmpty()) {
        return std::nullopt;
    }
    return line;
}

bool isProcessId(const QString &id)
{
    return !id.isEmpty() && std::all_of(id.begin(), id.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

/// Shows the wait cursor on a widget while it lives.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *widget)
        : m_widget(widget)
        , m_kept(widget->cursor())
        , m_hadOwnCursor(widget->testAttribute(Qt::WA_SetCursor))
    {
        widget->setCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (m_hadOwnCursor) {
            m_widget->setCursor(m_kept);
        } else {
            m_widget->unsetCursor();
        }
    }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    QWidget *m_widget;
    QCursor m_kept;
    bool m_hadOwnCursor;
};
}

IPPanel::IPPanel(QWidget *parent, const char *name, bool readOnly)
    : IPPage(parent, name)
    , m_readOnly(readOnly)
{
    fixDisabledColorGroup(m_pLineEditHostname);
    connect(m_pReleaseBtn, &QPushButton::clicked, this, &IPPanel::slotReleaseButtonClicked);
    connect(m_pRenewBtn, &QPushButton::clicked, this, &IPPanel::slotRenewButtonClicked);
}

bool IPPanel::isChanged() const
{
    return m_changed;
}

void IPPanel::setChangedFlag(bool changed)
{
    m_changed = changed;
}

bool IPPanel::isReadOnly() const
{
    return m_readOnly;
}

void IPPanel::setReadOnly(bool readOnly)
{
    if (readOnly != m_readOnly) {
        m_readOnly = readOnly;
        setEnabled();
    }
}

void IPPanel::loadSettings(Interface *records)
{
    m_records = records;
    connectWidgets(false);
    m_pComboBoxNI->clear();
    for (int i = 0; i < InterfaceCount; ++i) {
        if (!isPresent(i)) {
            continue;
        }
        const Interface &record = m_records[i];
        m_pComboBoxNI->addItem(record.description.isEmpty() ? record.deviceName
                                                            : record.deviceName + QLatin1String(" (") + record.description + QLatin1Char(')'));
        loadWorkingCopy(i);
    }
    m_pComboBoxNI->setCurrentIndex(m_current);
    setChecked();
    setIPSelectionControls();
    if (m_changed) {
        m_changed = false;
        Q_EMIT panelChanged(false);
    }
    setEnabled();
    connectWidgets(true);
    Q_EMIT networkEnableChanged(anyEnabled());
}

void IPPanel::loadWorkingCopy(int index)
{
    const Interface &record = m_records[index];
    WorkingCopy &working = m_working[index];
    working.enabled = record.enabled;
    working.dhcp = record.method == Interface::Dhcp;
    working.hostName = record.dhcpHostName;
    working.ipAddress = record.staticAddresses.ipAddress();
    working.subnetMask = record.staticAddresses.netmask();
    working.gateway = record.staticAddresses.gateway;
    working.gatewayValid = true;
    working.dhcpDefaultGatewayMemo = true;
    working.defaultGateway = record.defaultGateway;
    working.staticDefaultGatewayMemo = record.defaultGateway && !working.dhcp;
}

void IPPanel::applySettings()
{
    if (!m_changed) {
        return;
    }
    saveCtrlContents();
    for (int i = 0; i < InterfaceCount; ++i) {
        if (!isPresent(i)) {
            continue;
        }
        Interface &record = m_records[i];
        const WorkingCopy &working = m_working[i];
        record.enabled = working.enabled;
        record.saveSettings(working.dhcp, working.ipAddress, working.subnetMask, working.gateway, working.hostName);
        record.defaultGateway = working.defaultGateway;
    }
}

bool IPPanel::validSettings()
{
    bool someEnabled = false;
    int dhcpCount = 0;
    int defaultGatewayCount = 0;
    for (int i = 0; i < InterfaceCount; ++i) {
        // The records' flags, not the working copy's: applySettings() has just stored them.
        if (!isPresent(i) || !m_records[i].enabled) {
            continue;
        }
        const Interface &record = m_records[i];
        someEnabled = true;
        WorkingCopy &working = m_working[i];
        if (working.dhcp) {
            ++dhcpCount;
        } else if (working.ipAddress.isEmpty()) {
            // i18n: %1 is the device name of the interface, such as eth0.
            Messages::error(this, i18n("Interface %1 has invalid IP address!", record.deviceName), caption());
            return false;
        } else if (working.subnetMask.isEmpty()) {
            // i18n: %1 is the device name of the interface, such as eth0.
            Messages::error(this, i18n("Interface %1 has invalid subnet mask address!", record.deviceName), caption());
            return false;
        } else if (!working.gatewayValid) {
            // i18n: %1 is the device name of the interface, such as eth0.
            Messages::error(this, i18n("Interface %1 has invalid default gateway address!", record.deviceName), caption());
            working.gatewayValid = true;
            return false;
        }
        if (working.defaultGateway) {
            ++defaultGatewayCount;
        }
    }
    if (dhcpCount > 1) {
        Messages::sorry(this,
                        i18n("More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP interface can be "
                             "supported at this time.\nPlease configure only ONE interface to use DHCP."),
                        caption());
        return false;
    }
    if (defaultGatewayCount > 1) {
        Messages::sorry(this,
                        i18n("Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default."),
                        caption());
        return false;
    }
    return !someEnabled || defaultGatewayCount > 0
        || Messages::warningYesNo(this,
                                  i18n("You have not set an interface as the default gateway interface!\nNormally the interface that connects to the Internet "
                                       "is set to be default gateway interface. However, it is not required and networking should still function properly "
                                       "within the local subnet.\nDo you wish to continue without a default gateway?"),
                                  caption())
        == Messages::Answer::Yes;
}

void IPPanel::setEnabled()
{
    const WorkingCopy &working = shown();
    m_pCheckBoxEnableNetwork->setEnabled(!m_readOnly && m_pComboBoxNI->count() > 0);
    for (QLabel *label :
         {m_pLabelHostname, m_pLabelDHCPIP, m_pLabelDHCPSubnet, m_pLabelDHCPGateway, m_pLabelStaticIP, m_pLabelStaticSubnet, m_pLabelStaticGateway}) {
        label->setEnabled(working.enabled);
    }
    if (m_readOnly || !working.enabled) {
        for (QWidget *widget : std::initializer_list<QWidget *>{m_pRadioButtonDHCP,
                                                                m_pRadioButtonStatic,
                                                                m_pLineEditHostname,
                                                                m_pIPEditDHCPIP,
                                                                m_pIPEditDHCPSubnet,
                                                                m_pIPEditDHCPGateway,
                                                                m_pReleaseBtn,
                                                                m_pRenewBtn,
                                                                m_pIPEditStaticIP,
                                                                m_pIPEditStaticSubnet,
                                                                m_pIPEditStaticGateway,
                                                                m_pCheckBoxDefaultGW}) {
            widget->setEnabled(false);
        }
        return;
    }
    m_pRadioButtonDHCP->setEnabled(true);
    const bool dhcp = m_pRadioButtonDHCP->isChecked();
    m_pLineEditHostname->setEnabled(dhcp);
    const bool lease = dhcp && (!m_pIPEditDHCPIP->getText().isEmpty() || dhcpRunning());
    m_pReleaseBtn->setEnabled(lease);
    m_pRenewBtn->setEnabled(lease);
    for (IPEdit *entry : {m_pIPEditDHCPIP, m_pIPEditDHCPSubnet, m_pIPEditDHCPGateway}) {
        entry->setEnabled(false);
    }
    m_pRadioButtonStatic->setEnabled(true);
    for (IPEdit *entry : {m_pIPEditStaticIP, m_pIPEditStaticSubnet, m_pIPEditStaticGateway}) {
        entry->setEnabled(m_pRadioButtonStatic->isChecked());
    }
    m_pCheckBoxDefaultGW->setEnabled(!anyEnabledDhcp());
}

void IPPanel::setChecked()
{
    const WorkingCopy &working = shown();
    m_pCheckBoxEnableNetwork->setChecked(working.enabled);
    // The two radio buttons are exclusive: checking one unchecks the other.
    (working.dhcp ? m_pRadioButtonDHCP : m_pRadioButtonStatic)->setChecked(true);
    m_pCheckBoxDefaultGW->setChecked(working.defaultGateway);
}

void IPPanel::setIPSelectionControls()
{
    if (!m_records) {
        return;
    }
    const WorkingCopy &working = shown();
    const Interface &record = m_records[m_current];
    if (!working.dhcp) {
        m_pIPEditStaticIP->setText(working.ipAddress);
        m_pIPEditStaticSubnet->setText(working.subnetMask);
        m_pIPEditStaticGateway->setText(working.gateway);
        if (record.method == Interface::Dhcp) {
            markChanged();
        }
        m_pLineEditHostname->setText(QString());
        showDhcpLease(false);
        return;
    }
    m_pLineEditHostname->setText(working.hostName);
    if (record.method == Interface::Dhcp) {
        showDhcpLease(true);
    } else {
        showDhcpLease(dhcpRunning());
        markChanged();
    }
    for (IPEdit *entry : {m_pIPEditStaticIP, m_pIPEditStaticSubnet, m_pIPEditStaticGateway}) {
        entry->setText(QString());
    }
}

void IPPanel::showDhcpLease(bool show)
{
    const Addresses &lease = m_records[m_current].dhcpAddresses;
    m_pIPEditDHCPIP->setText(show ? lease.ipAddress() : QString());
    m_pIPEditDHCPSubnet->setText(show ? lease.netmask() : QString());
    m_pIPEditDHCPGateway->setText(show ? lease.gateway : QString());
}

void IPPanel::saveCtrlContents()
{
    WorkingCopy &working = shown();
    working.enabled = m_pCheckBoxEnableNetwork->isChecked();
    working.dhcp = m_pRadioButtonDHCP->isChecked();
    working.defaultGateway = m_pCheckBoxDefaultGW->isChecked();
    // A disabled interface's fields are not the user's: they keep the working copy.
    if (working.enabled && working.dhcp) {
        working.hostName = m_pLineEditHostname->text();
    }
    if (working.enabled && !working.dhcp) {
        working.ipAddress = m_pIPEditStaticIP->getText();
        working.subnetMask = m_pIPEditStaticSubnet->getText();
        working.gateway = m_pIPEditStaticGateway->getText();
        if (!m_pIPEditStaticGateway->valid) {
            working.gatewayValid = false;
        }
    }
}

bool IPPanel::dhcpRunning() const
{
    const auto pidLine = firstLine(QStringLiteral("/var/run/dhclient.pid"), 32);
    if (!pidLine) {
        return false;
    }
    // Anything but a number would make the path point somewhere else than /proc/<pid>.
    const QString id = TextFile::simplified(QString::fromLatin1(*pidLine));
    if (!isProcessId(id)) {
        return false;
    }
    const auto commandLine = firstLine(QLatin1String("/proc/") + id + QLatin1String("/cmdline"), 1024);
    return commandLine && commandLine->contains("dhclient");
}

void IPPanel::fixDisabledColorGroup(QWidget *pWidget)
{
    makeDisabledTextLegible(pWidget);
}

void IPPanel::handleTextChange(const QString &)
{
    markChanged();
}

void IPPanel::ethernetComboActivated(int eth)
{
    saveCtrlContents();
    m_current = eth;
    connectTextChanges(false);
    connectCheckBoxes(false);
    setChecked();
    setIPSelectionControls();
    connectTextChanges(true);
    connectCheckBoxes(true);
    setEnabled();
}

void IPPanel::enableInterfaceToggled(bool bChecked)
{
    if (bChecked) {
        // A newly enabled interface never becomes a second default gateway.
        for (int i = 0; i < InterfaceCount; ++i) {
            if (i == m_current || !isPresent(i) || !m_working[i].enabled || !m_working[i].defaultGateway) {
                continue;
            }
            shown().staticDefaultGatewayMemo = false;
            if (!m_pRadioButtonDHCP->isChecked()) {
                m_pCheckBoxDefaultGW->setChecked(false);
            } else {
                m_pRadioButtonStatic->setChecked(true);
                handleGroupBtnClick();
            }
        }
    }
    shown().enabled = bChecked;
    setChecked();
    connectTextChanges(false);
    setIPSelectionControls();
    connectTextChanges(true);
    Q_EMIT networkEnableChanged(anyEnabled());
    markChanged();
    setEnabled();
}

void IPPanel::handleGroupBtnClick()
{
    WorkingCopy &working = shown();
    const bool dhcp = m_pRadioButtonDHCP->isChecked();
    if (dhcp == working.dhcp) {
        return;
    }
    if (!dhcp) {
        working.dhcpDefaultGatewayMemo = true;
        working.hostName = m_pLineEditHostname->text();
        m_pCheckBoxDefaultGW->setChecked(working.staticDefaultGatewayMemo);
    } else if (!switchToDhcp()) {
        return;
    }
    working.enabled = m_pCheckBoxEnableNetwork->isChecked();
    working.dhcp = m_pRadioButtonDHCP->isChecked();
    connectTextChanges(false);
    setIPSelectionControls();
    connectTextChanges(true);
    setEnabled();
}

bool IPPanel::switchToDhcp()
{
    if (Messages::warningYesNo(
            this,
            i18n("If you select an interface to perform DHCP connection, this computer will not be able to be a Windows Server. Do you want to continue?"),
            caption())
        != Messages::Answer::Yes) {
        m_pRadioButtonStatic->setChecked(true);
        return false;
    }
    if (anyEnabledDhcp()) {
        Messages::sorry(this,
                        i18n("You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection "
                             "per system. Please disable another DHCP connection before using this interface with DHCP."),
                        caption());
        m_pRadioButtonStatic->setChecked(true);
        return false;
    }
    WorkingCopy &working = shown();
    // The static entries are about to be cleared; their values come back on a switch to static.
    working.ipAddress = m_pIPEditStaticIP->getText();
    working.subnetMask = m_pIPEditStaticSubnet->getText();
    working.gateway = m_pIPEditStaticGateway->getText();
    working.staticDefaultGatewayMemo = working.defaultGateway;
    m_pLineEditHostname->setText(working.hostName);
    m_pCheckBoxDefaultGW->setChecked(working.dhcpDefaultGatewayMemo);
    return true;
}

void IPPanel::handleDefaultGatewayToggled(bool bChecked)
{
    if (!bChecked) {
        shown().defaultGateway = false;
    } else if (m_pRadioButtonStatic->isChecked() && m_pIPEditStaticGateway->getText().isEmpty()) {
        // Unchecking runs this slot again, which clears the mark and marks the tab changed.
        m_pCheckBoxDefaultGW->setChecked(false);
        Messages::sorry(this, i18n("Sorry, you need to provide a valid Gateway IP address!"), caption());
        return;
    } else {
        for (int i = 0; i < InterfaceCount; ++i) {
            if (isPresent(i) && m_working[i].enabled) {
                m_working[i].defaultGateway = i == m_current;
            }
        }
    }
    markChanged();
}

void IPPanel::slotReleaseButtonClicked()
{
    for (IPEdit *entry : {m_pIPEditDHCPIP, m_pIPEditDHCPSubnet, m_pIPEditDHCPGateway}) {
        entry->setText(QString());
    }
    const WaitCursor waiting(this);
    ShellProcess process;
    if (!runIfupdown(process, "/sbin/ifdown")) {
        Messages::error(this, i18n("Error renewing leases!"), caption());
    }
}

void IPPanel::slotRenewButtonClicked()
{
    const WaitCursor waiting(this);
    ShellProcess process;
    // Without ifdown's success the interface is not brought up again.
    if (runIfupdown(process, "/sbin/ifdown") && runIfupdown(process, "/sbin/ifup")) {
        Q_EMIT reloadConfigData();
    } else {
        Messages::error(this, i18n("Error renewing leases!"), caption());
    }
}

bool IPPanel::runIfupdown(ShellProcess &process, const char *tool) const
{
    process.clearArguments();
    process.setRunPrivileged(true);
    process << "PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11;" << tool << m_records[m_current].deviceName << "2>/dev/null";
    process.start();
    return process.succeeded();
}

IPPanel::WorkingCopy &IPPanel::shown()
{
    return m_working[m_current];
}

const IPPanel::WorkingCopy &IPPanel::shown() const
{
    return m_working[m_current];
}

bool IPPanel::isPresent(int index) const
{
    return m_records && m_records[index].present;
}

bool IPPanel::anyEnabled() const
{
    for (int i = 0; i < InterfaceCount; ++i) {
        if (isPresent(i) && m_working[i].enabled) {
            return true;
        }
    }
    return false;
}

bool IPPanel::anyEnabledDhcp() const
{
    for (int i = 0; i < InterfaceCount; ++i) {
        if (isPresent(i) && m_working[i].enabled && m_working[i].dhcp) {
            return true;
        }
    }
    return false;
}

void IPPanel::markChanged()
{
    if (!m_changed) {
        m_changed = true;
        Q_EMIT panelChanged(true);
    }
}

void IPPanel::connectTextChanges(bool on)
{
    link(on, m_pLineEditHostname, &QLineEdit::textChanged, this, &IPPanel::handleTextChange);
    for (IPEdit *entry : {m_pIPEditStaticIP, m_pIPEditStaticSubnet, m_pIPEditStaticGateway}) {
        link(on, entry, &QLineEdit::textChanged, this, &IPPanel::handleTextChange);
    }
}

void IPPanel::connectCheckBoxes(bool on)
{
    link(on, m_pCheckBoxEnableNetwork, &QCheckBox::toggled, this, &IPPanel::enableInterfaceToggled);
    link(on, m_pCheckBoxDefaultGW, &QCheckBox::toggled, this, &IPPanel::handleDefaultGatewayToggled);
}

void IPPanel::connectWidgets(bool on)
{
    connectTextChanges(on);
    connectCheckBoxes(on);
    link(on, m_pComboBoxNI, qOverload<int>(&QComboBox::activated), this, &IPPanel::ethernetComboActivated);
    link(on, m_pRadioButtonDHCP, &QRadioButton::clicked, this, &IPPanel::handleGroupBtnClick);
    link(on, m_pRadioButtonStatic, &QRadioButton::clicked, this, &IPPanel::handleGroupBtnClick);
}
