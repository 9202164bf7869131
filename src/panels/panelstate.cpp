// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "panelstate.h"

#include <utility>

PanelState::PanelState(bool readOnly, std::function<void(bool changed)> tellChanged)
    : m_tellChanged(std::move(tellChanged))
    , m_readOnly(readOnly)
{
}

bool PanelState::isChanged() const
{
    return m_changed;
}

void PanelState::setChanged(bool changed)
{
    m_changed = changed;
}

void PanelState::tellChanged(bool changed)
{
    m_changed = changed;
    m_tellChanged(changed);
}

void PanelState::markChanged()
{
    if (!m_changed) {
        tellChanged(true);
    }
}

void PanelState::clearChanged()
{
    if (m_changed) {
        tellChanged(false);
    }
}

bool PanelState::isReadOnly() const
{
    return m_readOnly;
}

bool PanelState::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly) {
        return false;
    }
    m_readOnly = readOnly;
    return true;
}
