// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

#include "platform/shellprocess.h"

/// Stands in for the shell while it lives: keeps each line after its search path, and every line succeeds.
class CommandLog : public ShellProcess::Backend
{
public:
    CommandLog()
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
        return {true, true, 0};
    }
    QStringList ran;
};
