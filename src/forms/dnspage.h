// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QToolButton;

/**
 * The widgets of the DNS tab: the ordered server list, arrows to reorder it
 * and buttons to insert and remove a server. DNSPanel gives them their behaviour.
 */
class DNSPage : public QWidget
{
    Q_OBJECT

public:
    explicit DNSPage(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags fl = {});

    QLabel *m_pLabelTitle;
    QListWidget *m_pListBox;
    QToolButton *m_pDbtnUp;
    QToolButton *m_pDbtnDown;
    QPushButton *m_pPbtnAdd;
    QPushButton *m_pPbtnRemove;
    /// Says which program manages the resolver file; hidden while the file is the module's.
    QLabel *m_pLabelManaged;

protected Q_SLOTS:
    virtual void addServer();
    virtual void removeServer();

private:
    void buildLayout();
};
