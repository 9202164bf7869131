// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

#include "platform/shellprocess.h"

/// Stands in for the shell while it lives: keeps each line after its search path; the lines that hold `failing` fail.
class CommandLog : public ShellProcess::Backend
{
public:
    explicit CommandLog(const QString &failing = QString())
        : m_failing(failing)
    {
        ShellProcess::setBackend(this);
    }
    ~CommandLog() override
    {
        ShellProcess::setBackend(nullptr);
    }
    Q_DISABLE_COPY(CommandLog)

    ShellProcess::Result run(const QString &line, bool) override
    {
        ran << line.section(QLatin1String("; "), 1);
        return {true, true, !m_failing.isEmpty() && line.contains(m_failing) ? 1 : 0};
    }
    QStringList ran;

private:
    QString m_failing;
};
