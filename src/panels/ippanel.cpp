// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "ippanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <KComboBox>

#include "config/interface.h"
#include "forms/ipedit.h"
#include "panels/interfacesmessages.h"
#include "panels/legibletext.h"
#include "panels/signallink.h"
#include "panels/waitcursor.h"
#include "platform/dhcpclient.h"

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
    connectWidgets(false);
    m_model.load(records);
    m_pComboBoxNI->clear();
    m_pComboBoxNI->addItems(m_model.items());
    m_pComboBoxNI->setCurrentIndex(m_model.current());
    setChecked();
    setIPSelectionControls();
    if (m_changed) {
        m_changed = false;
        Q_EMIT panelChanged(false);
    }
    setEnabled();
    connectWidgets(true);
    Q_EMIT networkEnableChanged(m_model.anyEnabled());
}

void IPPanel::applySettings()
{
    if (!m_changed) {
        return;
    }
    saveCtrlContents();
    m_model.store();
}

bool IPPanel::validSettings()
{
    return InterfacesMessages::tell(this, m_model.check());
}

void IPPanel::setEnabled()
{
    const bool enabled = m_model.shown().enabled;
    const bool editable = !m_readOnly && enabled;
    m_pCheckBoxEnableNetwork->setEnabled(!m_readOnly && m_pComboBoxNI->count() > 0);
    for (QLabel *label :
         {m_pLabelHostname, m_pLabelDHCPIP, m_pLabelDHCPSubnet, m_pLabelDHCPGateway, m_pLabelStaticIP, m_pLabelStaticSubnet, m_pLabelStaticGateway}) {
        label->setEnabled(enabled);
    }
    m_pRadioButtonDHCP->setEnabled(editable);
    m_pRadioButtonStatic->setEnabled(editable);
    const bool dhcp = editable && m_pRadioButtonDHCP->isChecked();
    m_pLineEditHostname->setEnabled(dhcp);
    const bool lease = dhcp && (!m_pIPEditDHCPIP->getText().isEmpty() || dhcpRunning());
    m_pReleaseBtn->setEnabled(lease);
    m_pRenewBtn->setEnabled(lease);
    for (IPEdit *entry : {m_pIPEditDHCPIP, m_pIPEditDHCPSubnet, m_pIPEditDHCPGateway}) {
        entry->setEnabled(false);
    }
    for (IPEdit *entry : {m_pIPEditStaticIP, m_pIPEditStaticSubnet, m_pIPEditStaticGateway}) {
        entry->setEnabled(editable && m_pRadioButtonStatic->isChecked());
    }
    m_pCheckBoxDefaultGW->setEnabled(editable && !m_model.anyEnabledDhcp());
}

void IPPanel::setChecked()
{
    const InterfacesModel::WorkingCopy &working = m_model.shown();
    m_pCheckBoxEnableNetwork->setChecked(working.enabled);
    // The two radio buttons are exclusive: checking one unchecks the other.
    (working.dhcp ? m_pRadioButtonDHCP : m_pRadioButtonStatic)->setChecked(true);
    m_pCheckBoxDefaultGW->setChecked(working.defaultGateway);
}

void IPPanel::setIPSelectionControls()
{
    if (!m_model.isLoaded()) {
        return;
    }
    // Only the chosen method's entries hold anything; the other method's values wait in the model.
    const InterfacesModel::WorkingCopy &working = m_model.shown();
    m_pIPEditStaticIP->setText(working.dhcp ? QString() : working.ipAddress);
    m_pIPEditStaticSubnet->setText(working.dhcp ? QString() : working.subnetMask);
    m_pIPEditStaticGateway->setText(working.dhcp ? QString() : working.gateway);
    m_pLineEditHostname->setText(working.dhcp ? working.hostName : QString());
    // A lease from another method's record is only worth showing while a client runs.
    showDhcpLease(working.dhcp && (!m_model.methodChanged() || dhcpRunning()));
    if (m_model.methodChanged()) {
        markChanged();
    }
}

void IPPanel::showDhcpLease(bool show)
{
    const Addresses &lease = m_model.shownRecord().dhcpAddresses;
    m_pIPEditDHCPIP->setText(show ? lease.ipAddress() : QString());
    m_pIPEditDHCPSubnet->setText(show ? lease.netmask() : QString());
    m_pIPEditDHCPGateway->setText(show ? lease.gateway : QString());
}

void IPPanel::saveCtrlContents()
{
    m_model.take({m_pCheckBoxEnableNetwork->isChecked(),
                  m_pRadioButtonDHCP->isChecked(),
                  m_pCheckBoxDefaultGW->isChecked(),
                  m_pLineEditHostname->text(),
                  m_pIPEditStaticIP->getText(),
                  m_pIPEditStaticSubnet->getText(),
                  m_pIPEditStaticGateway->getText(),
                  m_pIPEditStaticGateway->valid});
}

bool IPPanel::dhcpRunning() const
{
    return DhcpClient::running();
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
    m_model.setCurrent(eth);
    connectCheckBoxes(false);
    setChecked();
    showMethodQuietly();
    connectCheckBoxes(true);
    setEnabled();
}

void IPPanel::enableInterfaceToggled(bool bChecked)
{
    // A newly enabled interface never becomes a second default gateway.
    if (bChecked && m_model.yieldDefaultGateway()) {
        if (!m_pRadioButtonDHCP->isChecked()) {
            m_pCheckBoxDefaultGW->setChecked(false);
        } else {
            m_pRadioButtonStatic->setChecked(true);
            handleGroupBtnClick();
        }
    }
    m_model.setShownEnabled(bChecked);
    setChecked();
    showMethodQuietly();
    Q_EMIT networkEnableChanged(m_model.anyEnabled());
    markChanged();
    setEnabled();
}

void IPPanel::handleGroupBtnClick()
{
    const bool dhcp = m_pRadioButtonDHCP->isChecked();
    if (dhcp == m_model.shown().dhcp) {
        return;
    }
    if (!dhcp) {
        m_pCheckBoxDefaultGW->setChecked(m_model.switchToStatic(m_pLineEditHostname->text()));
    } else if (!switchToDhcp()) {
        return;
    }
    m_model.setShownMethod(m_pCheckBoxEnableNetwork->isChecked(), m_pRadioButtonDHCP->isChecked());
    showMethodQuietly();
    setEnabled();
}

bool IPPanel::switchToDhcp()
{
    if (!InterfacesMessages::confirmDhcp(this) || !InterfacesMessages::tell(this, m_model.mayUseDhcp())) {
        m_pRadioButtonStatic->setChecked(true);
        return false;
    }
    const bool defaultGateway = m_model.switchToDhcp(m_pIPEditStaticIP->getText(), m_pIPEditStaticSubnet->getText(), m_pIPEditStaticGateway->getText());
    m_pLineEditHostname->setText(m_model.shown().hostName);
    m_pCheckBoxDefaultGW->setChecked(defaultGateway);
    return true;
}

void IPPanel::handleDefaultGatewayToggled(bool bChecked)
{
    const InterfacesModel::Answer answer = m_model.setDefaultGateway(bChecked, m_pRadioButtonStatic->isChecked(), m_pIPEditStaticGateway->getText());
    if (answer.verdict != InterfacesModel::Verdict::Passes) {
        // Unchecking runs this slot again, which clears the mark and marks the tab changed.
        m_pCheckBoxDefaultGW->setChecked(false);
        InterfacesMessages::tell(this, answer);
        return;
    }
    markChanged();
}

void IPPanel::slotReleaseButtonClicked()
{
    for (IPEdit *entry : {m_pIPEditDHCPIP, m_pIPEditDHCPSubnet, m_pIPEditDHCPGateway}) {
        entry->setText(QString());
    }
    const WaitCursor waiting(this);
    if (!DhcpClient::release(m_model.shownRecord().deviceName)) {
        InterfacesMessages::leaseError(this);
    }
}

void IPPanel::slotRenewButtonClicked()
{
    const WaitCursor waiting(this);
    if (DhcpClient::renew(m_model.shownRecord().deviceName)) {
        Q_EMIT reloadConfigData();
    } else {
        InterfacesMessages::leaseError(this);
    }
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
    for (QLineEdit *entry : std::initializer_list<QLineEdit *>{m_pLineEditHostname, m_pIPEditStaticIP, m_pIPEditStaticSubnet, m_pIPEditStaticGateway}) {
        setConnected(on, entry, &QLineEdit::textChanged, this, &IPPanel::handleTextChange);
    }
}

void IPPanel::connectCheckBoxes(bool on)
{
    setConnected(on, m_pCheckBoxEnableNetwork, &QCheckBox::toggled, this, &IPPanel::enableInterfaceToggled);
    setConnected(on, m_pCheckBoxDefaultGW, &QCheckBox::toggled, this, &IPPanel::handleDefaultGatewayToggled);
}

void IPPanel::connectWidgets(bool on)
{
    connectTextChanges(on);
    connectCheckBoxes(on);
    setConnected(on, m_pComboBoxNI, qOverload<int>(&QComboBox::activated), this, &IPPanel::ethernetComboActivated);
    setConnected(on, m_pRadioButtonDHCP, &QRadioButton::clicked, this, &IPPanel::handleGroupBtnClick);
    setConnected(on, m_pRadioButtonStatic, &QRadioButton::clicked, this, &IPPanel::handleGroupBtnClick);
}

void IPPanel::showMethodQuietly()
{
    connectTextChanges(false);
    setIPSelectionControls();
    connectTextChanges(true);
}
