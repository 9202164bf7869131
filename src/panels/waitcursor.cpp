// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "waitcursor.h"

#include <QWidget>

WaitCursor::WaitCursor(QWidget *widget)
    : m_widget(widget)
    , m_kept(widget->cursor())
    , m_hadOwnCursor(widget->testAttribute(Qt::WA_SetCursor))
{
    widget->setCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    if (m_hadOwnCursor) {
        m_widget->setCursor(m_kept);
    } else {
        m_widget->unsetCursor();
    }
}
