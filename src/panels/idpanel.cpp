// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "idpanel.h"

#include <KLineEdit>
#include <KLocalizedString>

#include "config/basicnetcfg.h"
#include "panels/legibletext.h"
#include "platform/messages.h"

IDPanel::IDPanel(QWidget *parent, const char *name, bool readOnly)
    : IDPage(parent, name)
    , m_bReadOnly(readOnly)
{
    fixDisabledColorGroup(m_pHostName);
    fixDisabledColorGroup(m_pDomain);
    setEnabled();
}

bool IDPanel::isChanged() const
{
    return m_bChanged;
}

void IDPanel::setChangedFlag(bool changed)
{
    m_bChanged = changed;
}

bool IDPanel::isReadOnly() const
{
    return m_bReadOnly;
}

void IDPanel::setReadOnly(bool readOnly)
{
    if (readOnly != m_bReadOnly) {
        m_bReadOnly = readOnly;
        setEnabled();
    }
}

void IDPanel::setEnabled()
{
    m_pHostName->setEnabled(!m_bReadOnly);
    m_pDomain->setEnabled(!m_bReadOnly);
}

void IDPanel::loadSettings(BasicNetCfg *config)
{
    m_pConfig = config;
    connectEntries(false);
    if (m_pConfig) {
        m_pHostName->setText(m_pConfig->hostName);
        m_pDomain->setText(m_pConfig->domain);
    }
    if (m_bChanged) {
        m_bChanged = false;
        Q_EMIT panelChanged(false);
    }
    connectEntries(true);
}

void IDPanel::applySettings()
{
    if (m_bChanged && m_pConfig) {
        m_pConfig->hostName = m_pHostName->text();
        m_pConfig->domain = m_pDomain->text();
    }
}

bool IDPanel::validSettings()
{
    // The record, not the entry: applySettings has just copied what was typed.
    if (!m_pConfig || m_pConfig->hostName.isEmpty()) {
        Messages::error(this, i18n("Please specify a valid Host name!"), i18n("TCP/IP"));
        return false;
    }
    return true;
}

void IDPanel::fixDisabledColorGroup(QWidget *widget)
{
    makeDisabledTextLegible(widget);
}

void IDPanel::paintEvent(QPaintEvent *event)
{
    // A style or colour scheme change gives the entries a new background.
    fixDisabledColorGroup(m_pHostName);
    fixDisabledColorGroup(m_pDomain);
    IDPage::paintEvent(event);
}

void IDPanel::handleTextChange(const QString &text)
{
    Q_UNUSED(text)
    if (!m_bChanged) {
        m_bChanged = true;
        Q_EMIT panelChanged(true);
    }
}

void IDPanel::connectEntries(bool on)
{
    for (KLineEdit *entry : {m_pHostName, m_pDomain}) {
        if (on) {
            connect(entry, &QLineEdit::textChanged, this, &IDPanel::handleTextChange, Qt::UniqueConnection);
        } else {
            disconnect(entry, &QLineEdit::textChanged, this, &IDPanel::handleTextChange);
        }
    }
}
