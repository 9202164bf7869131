// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "idpanel.h"

#include <KLineEdit>
#include <KLocalizedString>

#include "config/basicnetcfg.h"
#include "panels/legibletext.h"
#include "panels/signallink.h"
#include "platform/messages.h"

IDPanel::IDPanel(QWidget *parent, const char *name, bool readOnly)
    : IDPage(parent, name)
    , m_state(readOnly, [this](bool changed) {
        Q_EMIT panelChanged(changed);
    })
{
    fixDisabledColorGroup(m_pHostName);
    fixDisabledColorGroup(m_pDomain);
    updateEnabled();
}

bool IDPanel::isChanged() const
{
    return m_state.isChanged();
}

void IDPanel::setChangedFlag(bool changed)
{
    m_state.setChanged(changed);
}

bool IDPanel::isReadOnly() const
{
    return m_state.isReadOnly();
}

void IDPanel::setReadOnly(bool readOnly)
{
    if (m_state.setReadOnly(readOnly)) {
        updateEnabled();
    }
}

void IDPanel::updateEnabled()
{
    m_pHostName->setEnabled(!m_state.isReadOnly());
    m_pDomain->setEnabled(!m_state.isReadOnly());
}

void IDPanel::loadSettings(BasicNetCfg *config)
{
    m_pConfig = config;
    connectEntries(false);
    if (m_pConfig) {
        m_pHostName->setText(m_pConfig->hostName);
        m_pDomain->setText(m_pConfig->domain);
    }
    m_state.clearChanged();
    connectEntries(true);
}

void IDPanel::applySettings()
{
    if (m_state.isChanged() && m_pConfig) {
        m_pConfig->hostName = m_pHostName->text();
        m_pConfig->domain = m_pDomain->text();
    }
}

bool IDPanel::validSettings()
{
    // The record, not the entry: applySettings has just copied what was typed.
    if (!m_pConfig || m_pConfig->hostName.isEmpty()) {
        Messages::error(this, i18n("Please specify a valid Host name!"), Messages::networkCaption());
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
    m_state.markChanged();
}

void IDPanel::connectEntries(bool on)
{
    for (KLineEdit *entry : {m_pHostName, m_pDomain}) {
        setConnected(on, entry, &QLineEdit::textChanged, this, &IDPanel::handleTextChange);
    }
}
