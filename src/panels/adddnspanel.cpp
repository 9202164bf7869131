// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "adddnspanel.h"

#include <QPushButton>

#include <KLocalizedString>

#include "forms/ipedit.h"
#include "platform/messages.h"

AddDNSPanel::AddDNSPanel(QWidget *parent, const char *name)
    : AddDNSPage(parent, name, true)
{
    m_pPbtnOK->setAutoDefault(true);
    m_pPbtnOK->setDefault(true);
    m_pIPEdit->setFocus();
}

QString AddDNSPanel::getIPAddr() const
{
    return m_pIPEdit->getText();
}

void AddDNSPanel::done(int r)
{
    if (r == QDialog::Accepted && getIPAddr().isEmpty()) {
        Messages::error(this, i18n("Invalid IP address"), Messages::networkCaption());
        return;
    }
    QDialog::done(r);
}
