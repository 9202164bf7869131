// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fittingcombobox.h"

#include <QAbstractItemModel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include <algorithm>

FittingComboBox::FittingComboBox(QWidget *parent)
    : KComboBox(false, parent)
{
    // Sized to the entries whenever they change, as a box set to adjust to its
    // contents is; that setting would build the popup list at once, for each box,
    // long before anybody opens one.
    const QAbstractItemModel *entries = model();
    connect(entries, &QAbstractItemModel::rowsInserted, this, &QWidget::updateGeometry);
    connect(entries, &QAbstractItemModel::rowsRemoved, this, &QWidget::updateGeometry);
    connect(entries, &QAbstractItemModel::dataChanged, this, &QWidget::updateGeometry);
    connect(entries, &QAbstractItemModel::modelReset, this, &QWidget::updateGeometry);
}

QSize FittingComboBox::sizeHint() const
{
    const QSize hint = contentsHint();
    return hint + QSize(shortfall(hint), 0);
}

QSize FittingComboBox::contentsHint() const
{
    const QFontMetrics metrics = fontMetrics();
    int widest = count() == 0 ? 7 * metrics.horizontalAdvance(QLatin1Char('x')) : 0;
    for (int i = 0; i < count(); ++i) {
        widest = std::max(widest, metrics.boundingRect(itemText(i)).width());
    }
    const QSize text(widest, std::max(qCeil(QFontMetricsF(metrics).height()), 14) + 2);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
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
