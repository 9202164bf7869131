// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fittingcombobox.h"

#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

FittingComboBox::FittingComboBox(QWidget *parent)
    : KComboBox(false, parent)
{
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
}

QSize FittingComboBox::sizeHint() const
{
    const QSize hint = KComboBox::sizeHint();
    return hint + QSize(shortfall(hint), 0);
}

int FittingComboBox::shortfall(const QSize &size) const
{
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(), size);
    // The styles draw the label a pixel inside the edit field on either side.
    const int room = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).width() - 2;
    int widest = 0;
    for (int i = 0; i < count(); ++i) {
        const QString text = itemText(i);
        widest = std::max({widest, fontMetrics().horizontalAdvance(text), fontMetrics().boundingRect(text).width()});
    }
    return std::max(0, widest - room);
}
