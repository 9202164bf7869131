// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

#include "platform/messages.h"

/// Stands in for the message boxes while it lives: keeps what the user would have
/// seen and answers the questions from a script, then with defaultAnswer.
class MessageRecorder : public Messages::Backend
{
public:
    struct Shown {
        Messages::Kind kind;
        QString caption;
        QString text;
        QString yesText;
        QString noText;
    };

    MessageRecorder()
    {
        Messages::setBackend(this);
    }
    ~MessageRecorder() override
    {
        Messages::setBackend(nullptr);
    }
    Q_DISABLE_COPY(MessageRecorder)

    Messages::Answer show(QWidget *, const Messages::Box &box) override
    {
        shown << Shown{box.kind, box.caption, box.text, box.yes.text(), box.no.text()};
        if (box.kind != Messages::Kind::WarningYesNo) {
            return Messages::Answer::No;
        }
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Shown &entry : shown) {
            result << entry.text;
        }
        return result;
    }

    QList<Shown> shown;
    QList<Messages::Answer> answers;
    Messages::Answer defaultAnswer = Messages::Answer::Yes;
};
