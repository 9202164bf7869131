// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * Runs one shell line, given as words, and waits for it.
 *
 * The words are joined with blanks and handed to /bin/sh -c, so redirections
 * and pipes in them work. A command succeeded when it could be started,
 * exited normally and returned 0 (succeeded()).
 *
 * The module only lets the superuser change anything, so "privileged" commands
 * simply run with the module's own rights; the flag is kept so that callers
 * state their intent and tests can check it.
 */
class ShellProcess
{
public:
    struct Result {
        bool started = false;
        bool normalExit = false;
        int exitStatus = -1;
    };

    /// What actually runs the lines. Tests install a fake one.
    class Backend
    {
    public:
        virtual ~Backend() = default;
        virtual Result run(const QString &line, bool privileged) = 0;
    };

    ShellProcess() = default;

    void clearArguments();
    ShellProcess &operator<<(const QString &word);
    ShellProcess &operator<<(const char *word);
    void setRunPrivileged(bool privileged);
    bool runPrivileged() const;
    QString commandLine() const;

    /// Runs the line and blocks until it ends; false when it could not be started.
    bool start();
    bool normalExit() const;
    int exitStatus() const;
    bool succeeded() const;

    /// Installs a back end for tests; nullptr puts the real one back. Not owned.
    static void setBackend(Backend *backend);

private:
    QStringList m_words;
    bool m_privileged = false;
    Result m_result;
};
