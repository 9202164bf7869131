// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "legibletext.h"

#include <QPalette>
#include <QWidget>

void makeDisabledTextLegible(QWidget *widget)
{
    QPalette palette = widget->palette();
    const QColor legible = palette.color(QPalette::Disabled, QPalette::Window).darker(300);
    // Only the text colour is set, so the rest of the disabled group keeps following
    // the colour scheme.
    if (palette.color(QPalette::Disabled, QPalette::Text) != legible) {
        palette.setColor(QPalette::Disabled, QPalette::Text, legible);
        widget->setPalette(palette);
    }
}
