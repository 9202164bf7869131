// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "adddnspage.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <KLocalizedString>

#include "atleast.h"
#include "forms/ipedit.h"
#include "named.h"

namespace
{
QPushButton *createButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = named(new QPushButton(text, parent), name);
    setAtLeast(button, 110, 26);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}
}

AddDNSPage::AddDNSPage(QWidget *parent, const char *name, bool modal, Qt::WindowFlags fl)
    : QDialog(parent, fl)
{
    setObjectName(name ? QLatin1String(name) : QLatin1String("AddDNSPage"));
    setModal(modal);
    setWindowTitle(i18n("Insert DNS IP Address"));

    m_pLabelTitle = named(new QLabel(i18n("Enter the IP Address of the DNS server:"), this), "m_pLabelTitle");
    m_pLabelTitle->setAlignment(Qt::AlignCenter);

    m_pIPEdit = new IPEdit(this, "m_pIPEdit");
    setAtLeast(m_pIPEdit, 180, 22);
    m_pIPEdit->setFocusPolicy(Qt::StrongFocus);

    m_pPbtnOK = createButton(this, "m_pPbtnOK", i18n("&OK"));
    m_pPbtnCancel = createButton(this, "m_pPbtnCancel", i18n("&Cancel"));

    buildLayout();

    connect(m_pPbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pPbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(m_pPbtnOK, m_pPbtnCancel);
}

void AddDNSPage::buildLayout()
{
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(20);
    buttons->addWidget(m_pPbtnOK);
    buttons->addWidget(m_pPbtnCancel);

    auto *column = new QVBoxLayout;
    column->setSpacing(22);
    column->addWidget(m_pLabelTitle);
    column->addWidget(m_pIPEdit);
    column->addLayout(buttons);

    // As large as its texts need, and never narrower than it always was.
    column->addStrut(300 - 22);
    auto *dialog = new QVBoxLayout(this);
    dialog->setSizeConstraint(QLayout::SetFixedSize);
    dialog->setContentsMargins(11, 11, 11, 11);
    dialog->setSpacing(6);
    dialog->addLayout(column);
}
