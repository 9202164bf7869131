// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "dnspanel.h"

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

#include <KLocalizedString>

#include "config/dnsconfigfile.h"
#include "panels/adddnspanel.h"

DNSPanel::DNSPanel(QWidget *parent, const char *name, bool readOnly)
    : DNSPage(parent, name)
    , m_state(readOnly, [this](bool changed) {
        Q_EMIT panelChanged(changed);
    })
{
    connect(m_pDbtnUp, &QToolButton::clicked, this, &DNSPanel::shiftUp);
    connect(m_pDbtnDown, &QToolButton::clicked, this, &DNSPanel::shiftDown);
    updateEnabled(!readOnly);
}

bool DNSPanel::isChanged() const
{
    return m_state.isChanged();
}

void DNSPanel::setChangedFlag(bool changed)
{
    m_state.setChanged(changed);
}

bool DNSPanel::isReadOnly() const
{
    return m_state.isReadOnly();
}

void DNSPanel::setReadOnly(bool readOnly)
{
    if (m_state.setReadOnly(readOnly)) {
        updateEnabled(!readOnly);
    }
}

void DNSPanel::updateEnabled(bool enabled)
{
    const QList<QWidget *> editing{m_pListBox, m_pDbtnUp, m_pDbtnDown, m_pPbtnAdd, m_pPbtnRemove};
    for (QWidget *widget : editing) {
        widget->setEnabled(enabled && !isManaged());
    }
}

void DNSPanel::handleNetworkingEnabled(bool bValue)
{
    updateEnabled(bValue && !m_state.isReadOnly());
    repaint();
}

void DNSPanel::loadSettings(DnsConfigFile *dnsConfig)
{
    m_dnsConfig = dnsConfig;
    QStringList servers;
    for (const QString *server = dnsConfig ? dnsConfig->getFirst() : nullptr; server; server = dnsConfig->getNext()) {
        servers << *server;
    }
    // A server listed twice is asked once anyway; showing it twice would only puzzle.
    servers.removeDuplicates();
    m_pListBox->clear();
    m_pListBox->addItems(servers);
    showManager();
    m_state.clearChanged();
}

void DNSPanel::applySettings()
{
    if (!m_state.isChanged() || !m_dnsConfig) {
        return;
    }
    m_dnsConfig->clear();
    for (int row = 0; row < m_pListBox->count(); ++row) {
        m_dnsConfig->addNameserver(m_pListBox->item(row)->text());
    }
}

bool DNSPanel::validSettings() const
{
    return true;
}

void DNSPanel::addServer()
{
    // The panel may go away while the dialog's event loop runs; QPointer tells.
    QPointer<AddDNSPanel> dialog = new AddDNSPanel(this, "AddDNS");
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog) {
        return;
    }
    const QString address = dialog->getIPAddr();
    delete dialog;
    if (accepted && !address.isEmpty()) {
        m_pListBox->addItem(address);
        m_state.markChanged();
    }
}

void DNSPanel::removeServer()
{
    const int current = m_pListBox->currentRow();
    if (current < 0) {
        return;
    }
    delete m_pListBox->takeItem(current);
    m_state.markChanged();
}

void DNSPanel::shiftUp()
{
    const int current = m_pListBox->currentRow();
    if (current > 0) {
        moveCurrentTo(current - 1);
    }
}

void DNSPanel::shiftDown()
{
    const int current = m_pListBox->currentRow();
    if (current >= 0 && current < m_pListBox->count() - 1) {
        moveCurrentTo(current + 1);
    }
}

void DNSPanel::moveCurrentTo(int target)
{
    QListWidgetItem *current = m_pListBox->currentItem();
    QListWidgetItem *other = m_pListBox->item(target);
    const QString text = current->text();
    current->setText(other->text());
    other->setText(text);
    m_pListBox->setCurrentRow(target);
    m_state.markChanged();
}

bool DNSPanel::isManaged() const
{
    return m_dnsConfig && !m_dnsConfig->managedBy().isEmpty();
}

void DNSPanel::showManager()
{
    m_pLabelManaged->setVisible(isManaged());
    if (isManaged()) {
        // i18n: %1 is a program, such as resolvconf or NetworkManager, or "another program".
        m_pLabelManaged->setText(i18n("These servers come from %1, which manages /etc/resolv.conf: they are shown read-only, and Apply leaves the file alone.",
                                      m_dnsConfig->managedBy()));
        updateEnabled(false);
    }
}
