// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

/// Gives a form's widget or layout its object name, which is its member's name.
template<typename Object>
Object *named(Object *object, const char *name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

/// The same for a layout, with its margin and spacing.
template<typename Layout>
Layout *namedLayout(Layout *layout, const char *name, int margin, int spacing)
{
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);
    return named(layout, name);
}
