// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <optional>

/**
 * Who may change the settings: the real user id 0, unless a test says otherwise.
 */
namespace SuperUser
{
bool isSuperUser();
/// Tests pretend to be (or not to be) the superuser; std::nullopt asks the system again.
void setOverride(std::optional<bool> isSuperUser);
}
