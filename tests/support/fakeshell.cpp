// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fakeshell.h"

FakeShell::FakeShell()
{
    ShellProcess::setBackend(this);
}

FakeShell::~FakeShell()
{
    ShellProcess::setBackend(nullptr);
}

void FakeShell::answer(const QString &fragment, ShellProcess::Result result)
{
    m_rules.prepend({fragment, result});
}

void FakeShell::fail(const QString &fragment, int exitStatus)
{
    answer(fragment, {true, true, exitStatus});
}

void FakeShell::cannotStart(const QString &fragment)
{
    answer(fragment, {false, false, -1});
}

void FakeShell::answerQuery(const QString &fragment, std::optional<QByteArray> firstLine)
{
    m_queryRules.prepend({fragment, firstLine});
}

ShellProcess::Result FakeShell::run(const QString &line, bool isPrivileged)
{
    lines << line;
    privileged << isPrivileged;
    for (const auto &rule : std::as_const(m_rules)) {
        if (line.contains(rule.first)) {
            return rule.second;
        }
    }
    return {true, true, 0};
}

std::optional<QByteArray> FakeShell::query(const QString &line)
{
    queries << line;
    for (const auto &rule : std::as_const(m_queryRules)) {
        if (line.contains(rule.first)) {
            return rule.second;
        }
    }
    return QByteArray();
}
