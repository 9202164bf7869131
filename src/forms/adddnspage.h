// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDialog>

class IPEdit;
class QLabel;
class QPushButton;

/**
 * The small dialog that asks for the address of one DNS server.
 * AddDNSPanel refuses to close it with an empty address.
 */
class AddDNSPage : public QDialog
{
    Q_OBJECT

public:
    explicit AddDNSPage(QWidget *parent = nullptr, const char *name = nullptr, bool modal = false, Qt::WindowFlags fl = {});

    QLabel *m_pLabelTitle;
    IPEdit *m_pIPEdit;
    QPushButton *m_pPbtnOK;
    QPushButton *m_pPbtnCancel;

private:
    void buildLayout();
};
