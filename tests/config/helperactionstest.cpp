// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The root helper's actions on the sample machine (eth0 by DHCP, eth1 static,
// eth2 unconfigured): what they write and run, what they answer, and that a
// refused request changes nothing at all.

#include <QTest>

#include "config/applyrequest.h"
#include "config/helperactions.h"
#include "systemroot.h"

namespace
{
const QStringList s_files = {
    QStringLiteral("/etc/hostname"),
    QStringLiteral("/etc/hosts"),
    QStringLiteral("/etc/network/interfaces"),
    QStringLiteral("/etc/resolv.conf"),
    QStringLiteral("/etc/pcmcia/wireless.opts"),
};

/// Stands in for the shell: keeps each line after its search path.
class Commands : public ShellProcess::Backend
{
public:
    Commands()
    {
        ShellProcess::setBackend(this);
    }
    ~Commands() override
    {
        ShellProcess::setBackend(nullptr);
    }
    ShellProcess::Result run(const QString &line, bool) override
    {
        ran << line.section(QLatin1String("; "), 1);
        return {true, true, 0};
    }
    QStringList ran;
};

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
    void writesTheRequestWithTheSuperusersCode()
    {
        SystemRoot root;
        root.copySample();
        Commands commands;
        QVariantMap request = unchangedRequest();
        request[QStringLiteral("device1.address")] = QStringLiteral("192.168.20.16");
        request[QStringLiteral("hostName")] = QStringLiteral("labhost");
        request[QStringLiteral("identityChanged")] = true;
        request[QStringLiteral("wireless")] = true;
        request[QStringLiteral("wireless.keyEnabled")] = true;
        request[QStringLiteral("wireless.key")] = QStringLiteral("s:secret");

        const HelperActions::Reply reply = HelperActions::write(request);

        QCOMPARE(reply.error, QString());
        QCOMPARE(commands.ran, QStringList{QStringLiteral("/etc/init.d/networking stop")});
        QCOMPARE(root.read(QStringLiteral("/etc/hostname")), QByteArray("labhost\n"));
        QVERIFY(root.read(QStringLiteral("/etc/network/interfaces")).contains("\taddress 192.168.20.16\n\tnetmask 255.255.255.0\n"));
        QVERIFY(root.read(QStringLiteral("/etc/hosts")).contains("\n192.168.20.16 labhost.example.org labhost\n"));
        QVERIFY(root.read(QStringLiteral("/etc/pcmcia/wireless.opts")).contains("KEY=\"s:secret\""));
        QCOMPARE(reply.data.value(QStringLiteral("stopSucceeded")), QVariant(true));
        QCOMPARE(reply.data.value(QStringLiteral("filesWritten")), QVariant(true));
        QCOMPARE(reply.data.value(QStringLiteral("wirelessWritten")), QVariant(true));
        const QString changes = reply.data.value(QStringLiteral("changes")).toString();
        QVERIFY2(changes.contains(QLatin1String("+\taddress 192.168.20.16")), qPrintable(changes));
        // Anyone on the system bus can read the reply.
        QVERIFY2(!changes.contains(QLatin1String("secret")), qPrintable(changes));
    }

    void refusesAndChangesNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("error");

        QTest::newRow("a shell command in a gateway") << "write"
                                                      << "device1.gateway" << QVariant(QStringLiteral("192.168.20.1; reboot"))
                                                      << "refused: device1.gateway is no IPv4 address";
        QTest::newRow("a fourth device on a machine of three") << "write"
                                                               << "device3.enabled" << QVariant(true) << "refused: device index out of range: 3";
        QTest::newRow("a path in a write") << "write"
                                           << "path" << QVariant(QStringLiteral("/etc/shadow")) << "refused: unknown key path";
        QTest::newRow("anything for take effect") << "takeeffect"
                                                  << "device" << QVariant(0) << "refused: unknown key device";
        QTest::newRow("a lease of the fourth device") << "lease"
                                                      << "device" << QVariant(3) << "refused: device index out of range: 3";
        QTest::newRow("a lease of a negative device") << "lease"
                                                      << "device" << QVariant(-1) << "refused: device index out of range: -1";
        QTest::newRow("a lease of a device by its name")
            << "lease"
            << "device" << QVariant(QStringLiteral("eth1")) << "refused: a lease request holds a device index and a flag, nothing else";
        QTest::newRow("a lease with a device name besides")
            << "lease"
            << "name" << QVariant(QStringLiteral("eth1; reboot")) << "refused: a lease request holds a device index and a flag, nothing else";
    }

    void refusesAndChangesNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, error);
        SystemRoot root;
        root.copySample();
        const QStringList before = files(root);
        Commands commands;
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

        QCOMPARE(reply.error, error);
        QCOMPARE(reply.data, QVariantMap());
        QCOMPARE(commands.ran, QStringList());
        QCOMPARE(files(root), before);
    }

    void leaseActsOnTheMachinesOwnDevice_data()
    {
        QTest::addColumn<bool>("renew");
        QTest::addColumn<QStringList>("ran");
        QTest::newRow("a release takes the device down") << false << QStringList{QStringLiteral("/sbin/ifdown eth1 2>/dev/null")};
        QTest::newRow("a renewal brings it up again") << true
                                                      << QStringList{QStringLiteral("/sbin/ifdown eth1 2>/dev/null"),
                                                                     QStringLiteral("/sbin/ifup eth1 2>/dev/null")};
    }

    void leaseActsOnTheMachinesOwnDevice()
    {
        QFETCH(bool, renew);
        SystemRoot root;
        root.copySample();
        Commands commands;
        const HelperActions::Reply reply = HelperActions::lease({{QStringLiteral("device"), 1}, {QStringLiteral("renew"), renew}});
        QCOMPARE(reply.error, QString());
        QCOMPARE(reply.data, (QVariantMap{{QStringLiteral("succeeded"), true}}));
        QTEST(commands.ran, "ran");
    }

    void takeEffectRestartsAndNamesTheDevicesDown()
    {
        SystemRoot root;
        root.copySample();
        Commands commands;
        const HelperActions::Reply reply = HelperActions::takeEffect({});
        QCOMPARE(reply.error, QString());
        QCOMPARE(commands.ran,
                 (QStringList{QStringLiteral("/bin/hostname --file /etc/hostname"), QStringLiteral("/etc/init.d/networking restart 2>/dev/null")}));
        QCOMPARE(reply.data.value(QStringLiteral("restartSucceeded")), QVariant(true));
        QCOMPARE(reply.data.value(QStringLiteral("devicesDown")), QVariant(QStringList()));
    }
};

QTEST_GUILESS_MAIN(HelperActionsTest)
#include "helperactionstest.moc"
