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

Messages::Answer MessageRecorder::show(QWidget *parent, const Messages::Box &box)
{
    shown << Shown{box.kind, box.caption, box.text, box.yes.text(), box.no.text(), parent, box.details};
    if (box.kind != Messages::Kind::WarningYesNo) {
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
