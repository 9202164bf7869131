// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QWidget>

/// The size a form gives a widget is the least it gets: a larger font or a
/// longer translation makes the widget grow (in a layout), never cut its text.
/// Nor can a layout short of room squeeze it below what its font needs now.
inline void setAtLeast(QWidget *widget, int width, int height)
{
    widget->setMinimumSize(QSize(width, height).expandedTo(widget->sizeHint()));
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}
