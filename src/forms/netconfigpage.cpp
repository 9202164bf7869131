// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "netconfigpage.h"

#include <QTabWidget>
#include <QVBoxLayout>

#include <KLocalizedString>

NetConfigPage::NetConfigPage(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : QWidget(parent, fl)
{
    setObjectName(name ? QLatin1String(name) : QLatin1String("NetConfigPage"));
    resize(460, 461);
    QSizePolicy policy(QSizePolicy::Minimum, QSizePolicy::Minimum);
    policy.setHeightForWidth(sizePolicy().hasHeightForWidth());
    setSizePolicy(policy);
    setMinimumSize(460, 460);
    setWindowTitle(i18n("Network Configuration"));

    NetConfigPageLayout = new QVBoxLayout(this);
    NetConfigPageLayout->setContentsMargins(0, 0, 0, 0);
    NetConfigPageLayout->setSpacing(0);

    m_pTabWidget = new QTabWidget(this);
    m_pTabWidget->setObjectName(QStringLiteral("m_pTabWidget"));
    m_pTabWidget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_pTabWidget->setMinimumSize(460, 460);
    NetConfigPageLayout->addWidget(m_pTabWidget);

    tab = createPage("tab", tabLayout, i18n("Ide&ntification"));
    tab_2 = createPage("tab_2", tabLayout_2, i18n("Interface&s"));
    tab_3 = createPage("tab_3", tabLayout_3, i18n("&DNS"));
    tab_4 = createPage("tab_4", tabLayout_4, i18n("W&ireless"));
}

QWidget *NetConfigPage::createPage(const char *pageName, QVBoxLayout *&layout, const QString &label)
{
    auto *page = new QWidget(m_pTabWidget);
    page->setObjectName(QLatin1String(pageName));
    layout = new QVBoxLayout(page);
    layout->setContentsMargins(11, 11, 11, 11);
    layout->setSpacing(6);
    // Appended while still empty: the tab widget shows its first page at once,
    // which lays the page out, and a page with its form on it would have every
    // text measured now, long before the module is shown.
    m_pTabWidget->addTab(page, label);
    return page;
}

void NetConfigPage::addPanel(QVBoxLayout *layout, QWidget *panel)
{
    panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    panel->setMinimumSize(430, 370);
    layout->addWidget(panel);
}
