// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "shellprocess.h"

#include <KProcess>

#include "quorlan_debug.h"

namespace
{
class SystemShell : public ShellProcess::Backend
{
public:
    ShellProcess::Result run(const QString &line, bool) override
    {
        ShellProcess::Result result;
        KProcess process;
        process.setProgram(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), line});
        process.setOutputChannelMode(KProcess::ForwardedChannels);
        process.start();
        if (!process.waitForStarted(-1)) {
            qCWarning(QUORLAN) << "could not start" << line << process.errorString();
            return result;
        }
        result.started = true;
        process.waitForFinished(-1);
        result.normalExit = process.exitStatus() == QProcess::NormalExit;
        result.exitStatus = process.exitCode();
        qCDebug(QUORLAN) << line << "exited with" << result.exitStatus << (result.normalExit ? "" : "(crashed)");
        return result;
    }
};

// Built on first use: a global with a constructor would run before main().
ShellProcess::Backend &systemShell()
{
    static SystemShell shell;
    return shell;
}

/// A test's back end; nullptr for the real one.
ShellProcess::Backend *s_backend = nullptr;

ShellProcess::Backend &backend()
{
    return s_backend ? *s_backend : systemShell();
}
}

void ShellProcess::clearArguments()
{
    m_words.clear();
}

ShellProcess &ShellProcess::operator<<(const QString &word)
{
    m_words << word;
    return *this;
}

ShellProcess &ShellProcess::operator<<(const char *word)
{
    return *this << QString::fromLatin1(word);
}

void ShellProcess::setRunPrivileged(bool privileged)
{
    m_privileged = privileged;
}

bool ShellProcess::runPrivileged() const
{
    return m_privileged;
}

QString ShellProcess::commandLine() const
{
    return m_words.join(QLatin1Char(' '));
}

bool ShellProcess::start()
{
    m_result = backend().run(commandLine(), m_privileged);
    return m_result.started;
}

bool ShellProcess::normalExit() const
{
    return m_result.normalExit;
}

int ShellProcess::exitStatus() const
{
    return m_result.exitStatus;
}

bool ShellProcess::succeeded() const
{
    return m_result.started && m_result.normalExit && m_result.exitStatus == 0;
}

void ShellProcess::setBackend(Backend *backend)
{
    s_backend = backend;
}
