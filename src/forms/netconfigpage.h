// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QWidget>

class DNSPanel;
class IDPanel;
class IPPanel;
class QTabWidget;
class QVBoxLayout;
class Wireless;

/**
 * The module's page: a tab widget with the four tabs, Identification,
 * Interfaces, DNS and Wireless, each on a page of its own. It builds the tab
 * widget and the empty pages; NetConfigPanel puts the tabs' panels on them
 * (addPanel()) and makes them work together.
 */
class NetConfigPage : public QWidget
{
    Q_OBJECT

public:
    explicit NetConfigPage(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags fl = {});

    QTabWidget *m_pTabWidget = nullptr;
    QWidget *tab = nullptr;
    IDPanel *m_pIDPanel = nullptr;
    QWidget *tab_2 = nullptr;
    IPPanel *m_pIPPanel = nullptr;
    QWidget *tab_3 = nullptr;
    DNSPanel *m_pDNSPanel = nullptr;
    QWidget *tab_4 = nullptr;
    Wireless *m_wireless = nullptr;

protected:
    /// Gives a tab's panel its size rules and puts it on its page.
    static void addPanel(QVBoxLayout *layout, QWidget *panel);

    QVBoxLayout *NetConfigPageLayout;
    QVBoxLayout *tabLayout = nullptr;
    QVBoxLayout *tabLayout_2 = nullptr;
    QVBoxLayout *tabLayout_3 = nullptr;
    QVBoxLayout *tabLayout_4 = nullptr;

private:
    /// A page with its layout, appended as a tab; the panel goes on it next.
    QWidget *createPage(const char *pageName, QVBoxLayout *&layout, const QString &label);
};
