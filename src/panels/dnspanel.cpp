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
    , m_readOnly(readOnly)
{
    connect(m_pDbtnUp, &QToolButton::clicked, this, &DNSPanel::shiftUp);
    connect(m_pDbtnDown, &QToolButton::clicked, this, &DNSPanel::shiftDown);
    setEnabled(!readOnly);
}

bool DNSPanel::isChanged() const
{
    return m_changed;
}

void DNSPanel::setChangedFlag(bool changed)
{
    m_changed = changed;
}

bool DNSPanel::isReadOnly() const
{
    return m_readOnly;
}

void DNSPanel::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly) {
        return;
    }
    m_readOnly = readOnly;
    setEnabled(!readOnly);
}

void DNSPanel::setEnabled(bool enabled)
{
    const QList<QWidget *> editing{m_pListBox, m_pDbtnUp, m_pDbtnDown, m_pPbtnAdd, m_pPbtnRemove};
    for (QWidget *widget : editing) {
        widget->setEnabled(enabled && !isManaged());
    }
}

void DNSPanel::handleNetworkingEnabled(bool bValue)
{
    setEnabled(bValue && !m_readOnly);
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
    if (m_changed) {
        m_changed = false;
        Q_EMIT panelChanged(false);
    }
}

void DNSPanel::applySettings()
{
    if (!m_changed || !m_dnsConfig) {
        return;
    }
    m_dnsConfig->clear();
    const QStringList servers = rows();
    for (const QString &server : servers) {
        m_dnsConfig->addNameserver(server);
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
        markChanged();
    }
}

void DNSPanel::removeServer()
{
    const int current = m_pListBox->currentRow();
    if (current < 0) {
        return;
    }
    delete m_pListBox->takeItem(current);
    markChanged();
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

void DNSPanel::markChanged()
{
    if (!m_changed) {
        m_changed = true;
        Q_EMIT panelChanged(true);
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
    markChanged();
}

QStringList DNSPanel::rows() const
{
    QStringList result;
    for (int row = 0; row < m_pListBox->count(); ++row) {
        result << m_pListBox->item(row)->text();
    }
    return result;
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
        setEnabled(false);
    }
}
