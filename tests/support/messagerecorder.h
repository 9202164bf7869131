// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QList>
#include <QString>

#include "platform/messages.h"

/**
 * Stands in for the message boxes while it lives: keeps what the user would
 * have seen and answers the questions from a script (Yes when the script is empty).
 */
class MessageRecorder : public Messages::Backend
{
public:
    struct Shown {
        Messages::Kind kind;
        QString caption;
        QString text;
        QString yesText; ///< the buttons of a question
        QString noText;
        QWidget *parent;
        QString details; ///< folded under a question; empty for none
    };

    MessageRecorder();
    ~MessageRecorder() override;
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    Messages::Answer show(QWidget *parent, const Messages::Box &box) override;

    /// The texts shown, in order.
    QStringList texts() const;

    QList<Shown> shown;
    QList<Messages::Answer> answers; ///< taken from the front, one per question
    Messages::Answer defaultAnswer = Messages::Answer::Yes;
};
