// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <KComboBox>

/**
 * A read-only list whose size hint leaves room for its widest entry.
 *
 * A combo box sizes itself to the ink of its longest text, while the style
 * draws the chosen entry inset in a field that some styles make exactly that
 * wide: the last letters of a long device description were cut off.
 */
class FittingComboBox : public KComboBox
{
    Q_OBJECT

public:
    explicit FittingComboBox(QWidget *parent = nullptr);

    QSize sizeHint() const override;

private:
    /// What a combo box that adjusts to its contents asks for: room for its
    /// widest text (the entries carry no icons) in the style's frame.
    QSize contentsHint() const;
    /// How many pixels the widest entry lacks in a box of the given size.
    int shortfall(const QSize &size) const;
};
