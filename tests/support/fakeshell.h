// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QPair>
#include <QStringList>

#include "platform/shellprocess.h"

/// Stands in for /bin/sh while it lives: records every line the code runs and
/// answers by the latest rule whose fragment the line contains; other lines succeed.
class FakeShell : public ShellProcess::Backend
{
public:
    FakeShell()
    {
        ShellProcess::setBackend(this);
    }
    ~FakeShell() override
    {
        ShellProcess::setBackend(nullptr);
    }
    Q_DISABLE_COPY(FakeShell)

    void answer(const QString &fragment, ShellProcess::Result result)
    {
        m_rules.prepend({fragment, result});
    }
    void fail(const QString &fragment, int exitStatus = 1)
    {
        answer(fragment, {true, true, exitStatus});
    }
    void cannotStart(const QString &fragment)
    {
        answer(fragment, {false, false, -1});
    }
    /// Queries containing `fragment` print `firstLine`; std::nullopt: cannot start.
    void answerQuery(const QString &fragment, std::optional<QByteArray> firstLine)
    {
        m_queryRules.prepend({fragment, firstLine});
    }

    ShellProcess::Result run(const QString &line, bool isPrivileged) override
    {
        lines << line;
        privileged << isPrivileged;
        return ruleFor(m_rules, line, {true, true, 0});
    }
    std::optional<QByteArray> query(const QString &line) override
    {
        queries << line;
        return ruleFor(m_queryRules, line, std::optional<QByteArray>(QByteArray()));
    }

    QStringList lines;
    QList<bool> privileged;
    QStringList queries;

private:
    template<typename Answer>
    static Answer ruleFor(const QList<QPair<QString, Answer>> &rules, const QString &line, const Answer &otherwise)
    {
        for (const auto &rule : rules) {
            if (line.contains(rule.first)) {
                return rule.second;
            }
        }
        return otherwise;
    }

    QList<QPair<QString, ShellProcess::Result>> m_rules;
    QList<QPair<QString, std::optional<QByteArray>>> m_queryRules;
};
