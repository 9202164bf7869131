// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QVariantMap>

#include <KAuth/ActionReply>

/**
 * The root helper that polkit lets an ordinary user start: each slot answers
 * the action of its name ("org.kde.kcontrol.quorlan.<slot>").
 *
 * It works on the machine's own files only: whatever its environment says,
 * no other system root reaches it.
 */
class QuorlanHelper : public QObject
{
    Q_OBJECT

public:
    QuorlanHelper();

public Q_SLOTS:
    KAuth::ActionReply write(const QVariantMap &args);
    KAuth::ActionReply takeeffect(const QVariantMap &args);
    KAuth::ActionReply lease(const QVariantMap &args);
};
