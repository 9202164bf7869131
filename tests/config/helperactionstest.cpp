// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The root helper's actions on the sample machine (eth0 by DHCP, eth1 static,
// eth2 unconfigured): a refused request changes nothing at all, and a lease
// goes to the machine's own device.

#include <QTest>

#include "addrow.h"
#include "commandlog.h"
#include "config/applyrequest.h"
#include "config/helperactions.h"
#include "systemroot.h"

namespace
{
const QStringList s_files =
    QStringLiteral("/etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf /etc/pcmcia/wireless.opts").split(QLatin1Char(' '));

/// What the page of the sample machine sends when nothing was edited.
QVariantMap unchangedRequest()
{
    NetworkSettings settings;
    const auto goOn = [] {
        return true;
    };
    if (settings.load(goOn, false) != NetworkSettings::Loaded::Everything) {
        qFatal("the sample machine cannot be loaded");
    }
    return ApplyRequest::fromRecords(settings.records(), false, std::nullopt).toMap();
}

QStringList files(const SystemRoot &root)
{
    QStringList bytes;
    for (const QString &file : s_files) {
        bytes << QString::fromLatin1(root.read(file));
    }
    return bytes;
}
}

class HelperActionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusesAndChangesNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("error");
        addRow("a fourth device on a machine of three", "write", "device3.enabled", QVariant(true), "refused: device index out of range: 3");
        addRow("anything for take effect", "takeeffect", "device", QVariant(0), "refused: unknown key device");
        addRow("a lease of the fourth device", "lease", "device", QVariant(3), "refused: device index out of range: 3");
        addRow("a lease of a negative device", "lease", "device", QVariant(-1), "refused: device index out of range: -1");
        const char *leaseShape = "refused: a lease request holds a device index and a flag, nothing else";
        addRow("a lease of a device by its name", "lease", "device", QVariant(QStringLiteral("eth1")), leaseShape);
        addRow("a lease with a device name besides", "lease", "name", QVariant(QStringLiteral("eth1; reboot")), leaseShape);
    }

    void refusesAndChangesNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        SystemRoot root;
        root.copySample();
        const QStringList before = files(root);
        CommandLog commands;
        QVariantMap request;
        if (action == QLatin1String("write")) {
            request = unchangedRequest();
        } else if (action == QLatin1String("lease")) {
            request = {{QStringLiteral("device"), 1}, {QStringLiteral("renew"), true}};
        }
        request[key] = value;
        const auto run = action == QLatin1String("write") ? HelperActions::write
            : action == QLatin1String("lease")            ? HelperActions::lease
                                                          : HelperActions::takeEffect;
        const HelperActions::Reply reply = run(request);
        QTEST(reply.error, "error");
        QCOMPARE(reply.data, QVariantMap());
        QCOMPARE(commands.ran, QStringList());
        QCOMPARE(files(root), before);
    }

    void leaseActsOnTheMachinesOwnDevice_data()
    {
        QTest::addColumn<bool>("renew");
        QTest::addColumn<QStringList>("ran");
        const QString down = QStringLiteral("/sbin/ifdown eth1 2>/dev/null");
        addRow("a release takes the device down", false, QStringList{down});
        addRow("a renewal brings it up again", true, QStringList{down, QStringLiteral("/sbin/ifup eth1 2>/dev/null")});
    }

    void leaseActsOnTheMachinesOwnDevice()
    {
        QFETCH(bool, renew);
        SystemRoot root;
        root.copySample();
        CommandLog commands;
        const HelperActions::Reply reply = HelperActions::lease({{QStringLiteral("device"), 1}, {QStringLiteral("renew"), renew}});
        QCOMPARE(reply.error, QString());
        QCOMPARE(reply.data, (QVariantMap{{QStringLiteral("succeeded"), true}}));
        QTEST(commands.ran, "ran");
    }
};

QTEST_GUILESS_MAIN(HelperActionsTest)
#include "helperactionstest.moc"
