// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QWidget>

class KLineEdit;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QVBoxLayout;

/**
 * The widgets of the Identification tab: an explanatory line and the labelled
 * entries for the computer name and the domain. IDPanel adds the behaviour.
 */
class IDPage : public QWidget
{
    Q_OBJECT

public:
    explicit IDPage(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags fl = {});

    QLabel *m_pLabelTitle;
    QLabel *m_pLabelDomain;
    QLabel *m_pLabelHostName;
    KLineEdit *m_pHostName;
    KLineEdit *m_pDomain;

protected:
    QVBoxLayout *m_pTopLayout;
    QHBoxLayout *m_pRowLayout;
    QVBoxLayout *m_pColumnLayout;
    QGridLayout *m_pGridLayout;
};
