// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>

/// Makes or removes one connection, so that a panel can change its widgets by
/// program without its own slots hearing about it.
template<typename Sender, typename Signal, typename Receiver, typename Slot>
void setConnected(bool on, Sender *sender, Signal signal, Receiver *receiver, Slot slot)
{
    if (on) {
        QObject::connect(sender, signal, receiver, slot, Qt::UniqueConnection);
    } else {
        QObject::disconnect(sender, signal, receiver, slot);
    }
}
