// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "messagerecorder.h"

#include <QStringList>

MessageRecorder::MessageRecorder()
{
    Messages::setBackend(this);
}

MessageRecorder::~MessageRecorder()
{
    Messages::setBackend(nullptr);
}

Messages::Answer MessageRecorder::show(Messages::Kind kind,
                                       QWidget *parent,
                                       const QString &text,
                                       const QString &caption,
                                       const KGuiItem &yes,
                                       const KGuiItem &no,
                                       const QString &details)
{
    shown << Shown{kind, caption, text, yes.text(), no.text(), parent, details};
    if (kind != Messages::Kind::WarningYesNo) {
        return Messages::Answer::No;
    }
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

QStringList MessageRecorder::texts() const
{
    QStringList result;
    for (const Shown &entry : shown) {
        result << entry.text;
    }
    return result;
}
