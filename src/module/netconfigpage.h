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
 * Interfaces, DNS and Wireless, each on a page of its own. It only builds the
 * widgets; NetConfigPanel makes the tabs work together.
 *
 * Every tab is built editable; the module decides the real mode afterwards.
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
    struct TabsLater {
    };
    /// The page without its tabs, which createTabs() adds: the tab widget and
    /// the tab panels are null until then, so that a subclass can begin its work first.
    NetConfigPage(QWidget *parent, const char *name, Qt::WindowFlags fl, TabsLater);
    void createTabs();

    QVBoxLayout *NetConfigPageLayout;
    QVBoxLayout *tabLayout = nullptr;
    QVBoxLayout *tabLayout_2 = nullptr;
    QVBoxLayout *tabLayout_3 = nullptr;
    QVBoxLayout *tabLayout_4 = nullptr;

private:
    /// A page with its layout, appended as a tab; the panel goes on it next.
    QWidget *createPage(const char *pageName, QVBoxLayout *&layout, const QString &label);
    /// Gives the panel its size rules and puts it on its page.
    void addPanel(QVBoxLayout *layout, QWidget *panel);
};
