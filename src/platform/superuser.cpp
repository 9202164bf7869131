// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "superuser.h"

#include <unistd.h>

namespace
{
std::optional<bool> s_override;
}

namespace SuperUser
{
bool isSuperUser()
{
    return s_override.value_or(getuid() == 0);
}

void setOverride(std::optional<bool> isSuperUser)
{
    s_override = isSuperUser;
}
}
