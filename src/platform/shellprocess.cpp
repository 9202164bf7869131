// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "shellprocess.h"

#include <QFile>

#include <KProcess>

#include <cerrno>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "quorlan_debug.h"
#include "systemcommands.h"

namespace
{
// A shell running a query, its standard output read through a pipe. Spawned,
// not forked: forking would copy this process's memory map first, and the
// query runs at every load. Ending it waits for the shell.
class RunningQuery
{
public:
    static std::shared_ptr<RunningQuery> start(const QString &line)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return nullptr;
        }
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
        QByteArray command = QFile::encodeName(line);
        char *arguments[] = {const_cast<char *>("sh"), const_cast<char *>("-c"), command.data(), nullptr};
        pid_t shell = 0;
        const bool started = ::posix_spawn(&shell, "/bin/sh", &actions, nullptr, arguments, systemEnvironment().data()) == 0;
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(ends[1]);
        if (!started) {
            ::close(ends[0]);
            return nullptr;
        }
        return std::make_shared<RunningQuery>(shell, ends[0]);
    }

    RunningQuery(pid_t shell, int output)
        : m_shell(shell)
        , m_output(output)
    {
    }

    ~RunningQuery()
    {
        ::close(m_output);
        int status;
        while (::waitpid(m_shell, &status, 0) < 0 && errno == EINTR) { }
    }

    /// What the command printed up to its first line end, reading on to the end of its output.
    QByteArray firstLine()
    {
        QByteArray output;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(m_output, buffer, sizeof buffer);
            if (got > 0) {
                output.append(buffer, int(got));
            } else if (got == 0 || errno != EINTR) {
                break;
            }
        }
        const int end = output.indexOf('\n');
        return end < 0 ? output : output.left(end);
    }

private:
    // The environment of a query's programs: the module's own, in the C locale
    // and with the system's search path. Their output is read, not shown, so it
    // must not change with the user's language, nor with the encoding a line's
    // bytes happen to be valid in, nor with a program of the same name that the
    // user's search path finds first (egrep runs grep through it). In the C
    // locale they load no locale data either, much of a short program's start.
    static std::vector<char *> systemEnvironment()
    {
        static const QByteArray searchPath = QByteArray("PATH=") + SystemCommands::SearchPath;
        std::vector<char *> result;
        for (char **variable = environ; *variable; ++variable) {
            if (qstrncmp(*variable, "LC_ALL=", 7) != 0 && qstrncmp(*variable, "PATH=", 5) != 0) {
                result.push_back(*variable);
            }
        }
        result.push_back(const_cast<char *>("LC_ALL=C"));
        result.push_back(const_cast<char *>(searchPath.constData()));
        result.push_back(nullptr);
        return result;
    }

    pid_t m_shell;
    int m_output;
};

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

    ShellProcess::Answer startQuery(const QString &line) override
    {
        const std::shared_ptr<RunningQuery> query = RunningQuery::start(line);
        return [query] {
            return query ? std::optional(query->firstLine()) : std::nullopt;
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
