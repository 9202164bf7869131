// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// A control module that shows nothing and loads nothing: what opening any
// module costs, against which the benchmark sets the opening of this one.

#include <KCModule>

extern "C" Q_DECL_EXPORT KCModule *create_quorlan(QWidget *parent, const char *)
{
    return new KCModule(parent);
}
