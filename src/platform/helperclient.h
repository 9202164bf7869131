// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QVariantMap>

/**
 * The page's side of the root helper that polkit lets an ordinary user
 * start: whether it may be asked at all, and one action run to its end.
 *
 * One action at a time: while one runs (and after the page stopped waiting
 * for it, until the helper has answered or the bus gave up), every other
 * is turned away at once, since a second request waits behind the first far
 * beyond any timeout. Each action has a timeout the bus knows of, and the
 * page's own watchdog a little beyond it.
 */
class HelperClient
{
public:
    static constexpr char HelperId[] = "org.kde.kcontrol.quorlan";

    struct Outcome {
        enum Kind {
            Done,
            Denied, ///< polkit said no, or the password was not given
            Failed, ///< the helper refused the request or could not run it; error says why
            TimedOut, ///< no answer within the watchdog's time
            Busy, ///< an earlier action has not answered yet
        };
        Kind kind = Failed;
        QVariantMap data;
        QString error;
    };

    /// What asks polkit and the helper. Tests install a fake one.
    class Backend
    {
    public:
        virtual ~Backend() = default;
        virtual bool mayAsk(const QString &action) = 0;
        virtual Outcome run(const QString &action, const QVariantMap &arguments, int timeoutMs) = 0;
    };

    /// The full action id of a helper slot, e.g. "org.kde.kcontrol.quorlan.write".
    static QString actionId(const QString &slot);
    /**
     * Whether the action exists and polkit would grant it to this user, with
     * a password or without. Never on a system root of its own
     * (QUORLAN_ROOT): the helper works on the machine's files only.
     */
    static bool mayAsk(const QString &slot);
    /// Runs the helper's slot with the arguments, waiting at most about timeoutMs.
    static Outcome run(const QString &slot, const QVariantMap &arguments, int timeoutMs);

    /// Installs a back end for tests; nullptr puts the real one back. Not owned.
    static void setBackend(Backend *backend);
};
