// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCursor>

class QWidget;

/// Shows the wait cursor on a widget while it lives, then what the widget had before.
class WaitCursor
{
public:
    explicit WaitCursor(QWidget *widget);
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

private:
    QWidget *m_widget;
    QCursor m_kept;
    bool m_hadOwnCursor;
};
