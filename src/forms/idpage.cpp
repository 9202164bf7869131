// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "idpage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <KLineEdit>
#include <KLocalizedString>

#include "named.h"

namespace
{
// Both entries keep their size whatever room the tab offers.
void fixEntrySize(KLineEdit *entry)
{
    QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    policy.setHeightForWidth(entry->sizePolicy().hasHeightForWidth());
    entry->setSizePolicy(policy);
    entry->setMinimumSize(QSize(300, 22));
}
}

IDPage::IDPage(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : QWidget(parent, fl)
{
    setObjectName(name ? QLatin1String(name) : QLatin1String("IDPage"));

    m_pLabelTitle = named(new QLabel(i18n("The following information identifies your computer on the network."), this), "m_pLabelTitle");
    m_pLabelDomain = named(new QLabel(i18n("Do&main:"), this), "m_pLabelDomain");
    m_pLabelHostName = named(new QLabel(i18n("Compu&ter name:"), this), "m_pLabelHostName");
    m_pLabelHostName->setMinimumSize(QSize(0, 0));
    m_pHostName = named(new KLineEdit(this), "m_pHostName");
    fixEntrySize(m_pHostName);
    m_pDomain = named(new KLineEdit(this), "m_pDomain");
    fixEntrySize(m_pDomain);
    m_pLabelHostName->setBuddy(m_pHostName);
    m_pLabelDomain->setBuddy(m_pDomain);

    m_pTopLayout = namedLayout(new QVBoxLayout, "m_pTopLayout", 11, 6);
    setLayout(m_pTopLayout);
    m_pRowLayout = namedLayout(new QHBoxLayout, "m_pRowLayout", 0, 6);
    m_pColumnLayout = namedLayout(new QVBoxLayout, "m_pColumnLayout", 0, 15);
    m_pGridLayout = namedLayout(new QGridLayout, "m_pGridLayout", 0, 10);

    m_pGridLayout->addWidget(m_pLabelHostName, 0, 0);
    m_pGridLayout->addWidget(m_pHostName, 0, 1);
    m_pGridLayout->addWidget(m_pLabelDomain, 1, 0);
    m_pGridLayout->addWidget(m_pDomain, 1, 1);

    m_pColumnLayout->addWidget(m_pLabelTitle);
    m_pColumnLayout->addLayout(m_pGridLayout);

    // The spacers keep the content in the top left corner.
    m_pRowLayout->addLayout(m_pColumnLayout);
    m_pRowLayout->addItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    m_pTopLayout->addLayout(m_pRowLayout);
    m_pTopLayout->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding));

    resize(QSize(445, 278));
    setWindowTitle(i18n("Identification Page"));
}
