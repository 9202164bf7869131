// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/**
 * The differences between two versions of a file as diffutils' "diff -u"
 * shows them, both versions headed by one label.
 *
 * diff runs without a shell, on copies written into a private temporary
 * folder (readable by the module's user only), so neither the contents nor
 * the label ever reach a command line.
 */
class UnifiedDiff
{
public:
    /// The diff of before against after; empty when they are the same, std::nullopt when diff could not do it.
    static std::optional<QString> compare(const QByteArray &before, const QByteArray &after, const QString &label);
};
