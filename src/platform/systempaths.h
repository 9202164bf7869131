// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

/**
 * Where the system's files really are.
 *
 * Every path of /etc, /var or /proc that the module opens goes through
 * path(): with QUORLAN_ROOT set, the directory it names stands in for "/",
 * so tests and the demo work on a tree of their own. Commands are never
 * rewritten.
 */
namespace SystemPaths
{
QString path(const QString &systemPath);
QString path(const char *systemPath);
}
