// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "platform/shellprocess.h"

/**
 * Stands in for /bin/sh while it lives: records every line the code runs and
 * answers from a script. Lines without a scripted answer succeed.
 */
class FakeShell : public ShellProcess::Backend
{
public:
    FakeShell();
    ~FakeShell() override;
    FakeShell(const FakeShell &) = delete;
    FakeShell &operator=(const FakeShell &) = delete;

    /// Lines containing `fragment` get `result` (the latest matching rule wins).
    void answer(const QString &fragment, ShellProcess::Result result);
    void fail(const QString &fragment, int exitStatus = 1);
    void cannotStart(const QString &fragment);
    /// Queries containing `fragment` print `firstLine`; std::nullopt: cannot start.
    void answerQuery(const QString &fragment, std::optional<QByteArray> firstLine);

    ShellProcess::Result run(const QString &line, bool privileged) override;
    std::optional<QByteArray> query(const QString &line) override;

    QStringList lines; ///< every line run, in order
    QList<bool> privileged; ///< the privileged flag of each line run
    QStringList queries; ///< every query, in order

private:
    QList<QPair<QString, ShellProcess::Result>> m_rules;
    QList<QPair<QString, std::optional<QByteArray>>> m_queryRules;
};
