// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <functional>

/**
 * The changed mark and the read-only state that every tab keeps.
 *
 * A tab tells the module of its mark through its own panelChanged(bool)
 * signal, which the function given here emits; the module sets and clears
 * the mark silently as its bookkeeping.
 */
class PanelState
{
public:
    PanelState(bool readOnly, std::function<void(bool changed)> tellChanged);

    bool isChanged() const;
    /// Sets the mark without telling anybody.
    void setChanged(bool changed);
    /// Sets the mark and tells, whatever it was.
    void tellChanged(bool changed);
    /// An edit: sets the mark, telling only the first time.
    void markChanged();
    /// A load: clears the mark, telling only when it was set.
    void clearChanged();

    bool isReadOnly() const;
    /// Stores the state; true when it differed, so that the tab brings its widgets in line.
    bool setReadOnly(bool readOnly);

private:
    std::function<void(bool)> m_tellChanged;
    bool m_changed = false;
    bool m_readOnly;
};
