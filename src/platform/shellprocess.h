// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * Runs one shell line, given as words, and waits for it.
 *
 * The words are joined with blanks and handed to /bin/sh -c, so redirections
 * in them work. The module only lets the superuser change anything, so
 * privileged commands simply run with the module's own rights.
 */
class ShellProcess
{
public:
    struct Result {
        bool started = false;
        bool normalExit = false;
        int exitStatus = -1;
        /// Started, ended normally and returned 0.
        bool succeeded() const;
    };

    /// What actually runs the lines. Tests install a fake one.
    class Backend
    {
    public:
        virtual ~Backend() = default;
        virtual Result run(const QString &line, bool privileged) = 0;
    };

    static Result runPrivileged(const QStringList &words);

    /// Installs a back end for tests; nullptr puts the real one back. Not owned.
    static void setBackend(Backend *backend);
};
