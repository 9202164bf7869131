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

bool ShellProcess::Result::succeeded() const
{
    return started && normalExit && exitStatus == 0;
}

ShellProcess::Result ShellProcess::runPrivileged(const QStringList &words)
{
    return backend().run(words.join(QLatin1Char(' ')), true);
}

void ShellProcess::setBackend(Backend *backend)
{
    s_backend = backend;
}
