// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QVariantMap>

#include "networksettings.h"

/**
 * The three actions that the root helper runs for an ordinary user's page,
 * on the same code as the superuser's own Apply: the settings written, made
 * to take effect, and a DHCP lease given back or renewed.
 *
 * Each takes the caller's map, refuses it unless it holds exactly what the
 * action needs, reads the current settings itself from the system files and
 * the devices from the machine, and answers with what the page shows: plain
 * flags, device names and the changes with every key masked. Other users of
 * the machine can read a reply on the system bus, so a key never travels in one.
 */
class HelperActions
{
public:
    /// An action's answer: the reply's values, or why the action was refused or failed.
    struct Reply {
        QVariantMap data;
        /// Empty when the action ran (whatever its steps came to).
        QString error;
    };

    /// Takes an ApplyRequest map; stops networking and writes the files and the wireless file.
    static Reply write(const QVariantMap &request);
    /// Takes an empty map; sets the host name, restarts networking and checks the devices.
    static Reply takeEffect(const QVariantMap &request);
    /// Takes {"device": the device's index, "renew": whether to renew after the release}.
    static Reply lease(const QVariantMap &request);

    /// The page's reading of write()'s reply: the steps' outcomes and the changes.
    static NetworkSettings::Written writtenFrom(const QVariantMap &data);
    /// The page's reading of takeEffect()'s reply.
    static NetworkSettings::TakenEffect takenEffectFrom(const QVariantMap &data);
};
