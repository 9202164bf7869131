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

    QTabWidget *m_pTabWidget;
    QWidget *tab;
    IDPanel *m_pIDPanel;
    QWidget *tab_2;
    IPPanel *m_pIPPanel;
    QWidget *tab_3;
    DNSPanel *m_pDNSPanel;
    QWidget *tab_4;
    Wireless *m_wireless;

protected:
    QVBoxLayout *NetConfigPageLayout;
    QVBoxLayout *tabLayout;
    QVBoxLayout *tabLayout_2;
    QVBoxLayout *tabLayout_3;
    QVBoxLayout *tabLayout_4;

private:
    /// A page with its layout, appended as a tab; the panel goes on it next.
    QWidget *createPage(const char *pageName, QVBoxLayout *&layout, const QString &label);
    /// Gives the panel its size rules and puts it on its page.
    void addPanel(QVBoxLayout *layout, QWidget *panel);
};
