// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QVector>

/**
 * The programs that Apply and the lease buttons run, and the Debian packages
 * that provide them. Without one of them a restart fails half-way, after the
 * files have been rewritten; so the module looks for them first and, when
 * one is missing, lets nothing be changed.
 */
class RequiredPrograms
{
public:
    struct Program {
        QString path;
        QString package;
    };

    /// Every program, in the order the module first runs them.
    static const QVector<Program> &all();
    /// Those that are missing or cannot be run (looked for under QUORLAN_ROOT).
    static QVector<Program> missing();
    /// The message that names them and their packages; empty when none is missing.
    static QString message(const QVector<Program> &missing);
};
