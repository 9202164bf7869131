// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "shellprocess.h"

#include <QFile>

#include <KProcess>

#include <cstdio>
#include <memory>

#include "quorlan_debug.h"

namespace
{
// What the command printed up to its first line end, reading on to the end of its output.
QByteArray firstLine(FILE *pipe)
{
    QByteArray output;
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, int(got));
    }
    const int end = output.indexOf('\n');
    return end < 0 ? output : output.left(end);
}

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

    std::optional<QByteArray> query(const QString &line) override
    {
        return startQuery(line)();
    }

    // popen starts the shell without copying this process's memory map, which
    // a process that forks would do first: the query runs at every load.
    ShellProcess::Answer startQuery(const QString &line) override
    {
        const std::shared_ptr<FILE> pipe(::popen(QFile::encodeName(line).constData(), "re"), [](FILE *started) {
            if (started) {
                ::pclose(started);
            }
        });
        if (!pipe) {
            return [] {
                return std::optional<QByteArray>();
            };
        }
        return [pipe] {
            return std::optional(firstLine(pipe.get()));
        };
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

ShellProcess::Answer ShellProcess::startQuery(const QString &line)
{
    return backend().startQuery(line);
}

ShellProcess::Answer ShellProcess::Backend::startQuery(const QString &line)
{
    return [answer = query(line)] {
        return answer;
    };
}

void ShellProcess::setBackend(Backend *backend)
{
    s_backend = backend;
}
