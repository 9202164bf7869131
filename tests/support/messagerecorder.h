// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QStringList>

#include "platform/messages.h"

/// Stands in for the message boxes while it lives: keeps what the user would have seen, answers questions with defaultAnswer.
class MessageRecorder : public Messages::Backend
{
public:
    struct Shown {
        Messages::Kind kind;
        QString caption, text, yesText, noText;
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
        return box.kind == Messages::Kind::WarningYesNo ? defaultAnswer : Messages::Answer::No;
    }

    QList<Shown> shown;
    Messages::Answer defaultAnswer = Messages::Answer::Yes;
};
