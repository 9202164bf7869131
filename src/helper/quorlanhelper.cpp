// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "quorlanhelper.h"

#include <KAuth/HelperSupport>

#include "config/helperactions.h"

namespace
{
KAuth::ActionReply actionReply(const HelperActions::Reply &reply)
{
    if (!reply.error.isEmpty()) {
        KAuth::ActionReply failed = KAuth::ActionReply::HelperErrorReply();
        failed.setErrorDescription(reply.error);
        return failed;
    }
    KAuth::ActionReply done = KAuth::ActionReply::SuccessReply();
    done.setData(reply.data);
    return done;
}
}

QuorlanHelper::QuorlanHelper()
{
    // Started by the system bus, but an inherited system root would let the
    // caller choose the files that root writes.
    qunsetenv("QUORLAN_ROOT");
    // The bus starts it with an empty environment, and the command lines set
    // PATH without exporting it: ifupdown would then find no DHCP client.
    qputenv("PATH", "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin");
}

KAuth::ActionReply QuorlanHelper::write(const QVariantMap &args)
{
    return actionReply(HelperActions::write(args));
}

KAuth::ActionReply QuorlanHelper::takeeffect(const QVariantMap &args)
{
    return actionReply(HelperActions::takeEffect(args));
}

KAuth::ActionReply QuorlanHelper::lease(const QVariantMap &args)
{
    return actionReply(HelperActions::lease(args));
}

KAUTH_HELPER_MAIN("org.kde.kcontrol.quorlan", QuorlanHelper)
