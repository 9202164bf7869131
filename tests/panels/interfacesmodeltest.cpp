// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "messagerecorder.h"
#include "panels/interfacesmessages.h"
#include "panels/interfacesmodel.h"
#include "recordtext.h"

namespace
{
const QString s_twoDhcp = QStringLiteral(
    "sorry: More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP interface can be supported at "
    "this time.\nPlease configure only ONE interface to use DHCP.");
const QString s_twoDefaults =
    QStringLiteral("sorry: Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default.");
const QString s_noDefault = QStringLiteral(
    "question: You have not set an interface as the default gateway interface!\nNormally the interface that connects to the Internet is set to be "
    "default gateway interface. However, it is not required and networking should still function properly within the local subnet.\nDo you wish "
    "to continue without a default gateway?+");
const QString s_dhcpTaken = QStringLiteral(
    "sorry: You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection per system. "
    "Please disable another DHCP connection before using this interface with DHCP.");

/// Rows write %1 for a static interface's addresses.
void row(const char *name, const char *records, const QString &shown, const char *step = "save")
{
    QTest::newRow(name) << QString::fromLatin1(records).arg(QStringLiteral("ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1")) << QString::fromLatin1(step) << shown;
}

void row(const char *name, const char *records, const char *shown, const char *step = "save")
{
    row(name, records, QString::fromLatin1(shown), step);
}

/// What the tab shows for an answer, questions answered Yes: "kind: text", then "+" when the save goes on.
QString told(const InterfacesModel::Answer &answer)
{
    static const char *const kinds[] = {"error", "sorry", "information", "question"};
    const MessageRecorder boxes;
    const bool goesOn = InterfacesMessages::tell(nullptr, answer);
    QString shown;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        shown += QLatin1String(kinds[int(box.kind)]) + QLatin1String(": ") + box.text;
        shown += box.caption == QLatin1String("TCP/IP") ? QString() : QLatin1String(" [") + box.caption + QLatin1Char(']');
    }
    return shown + QLatin1String(goesOn ? "+" : "");
}

/// A working copy as "on|off dhcp|static address mask gateway host".
QString summary(const InterfacesModel::WorkingCopy &w)
{
    const QStringList words{QLatin1String(w.enabled ? "on" : "off"), QLatin1String(w.dhcp ? "dhcp" : "static"), w.ipAddress, w.subnetMask, w.gateway};
    return words.join(QLatin1Char(' ')) + QLatin1Char(' ') + w.hostName;
}
}

class InterfacesModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsTheTabsRules_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("step"); // on eth1: "default on|off", "enable" or "dhcp"; or the check before a save
        QTest::addColumn<QString>("shown"); // what the tab shows; after a step on eth1, " / " and the default gateways
        const QString noAddress = QStringLiteral("error: Interface eth%1 has invalid IP address!");
        row("nothing enabled passes unasked", "eth0 eth1 dhcp eth2 default", "+");
        row("a disabled interface without an address passes", "eth0 auto %1 default eth1 mask=255.0.0.0", "+");
        row("an enabled one fails, the lowest named", "eth0 auto %1 default eth1 auto mask=255.0.0.0 eth2 auto", noAddress.arg(1));
        row("an empty subnet mask", "eth0 auto ip=10.0.0.2 default", "error: Interface eth0 has invalid subnet mask address!");
        row("a static fault before the counts", "eth0 auto dhcp default eth1 auto dhcp default eth2 auto", noAddress.arg(2));
        row("two DHCP interfaces before two default gateways", "eth0 auto dhcp default eth1 auto dhcp default", s_twoDhcp);
        row("two default gateways", "eth0 auto %1 default eth1 auto %1 default", s_twoDefaults);
        row("no default gateway: the user is asked", "eth0 auto dhcp eth1 auto %1", s_noDefault);
        row("a DHCP default gateway counts", "eth0 auto dhcp default eth1 auto %1", "+");
        row("a disabled default gateway does not count", "eth0 %1 default eth1 auto %1", s_noDefault);
        row("no mark without a gateway address",
            "eth0 auto %1 default eth1 auto ip=10.0.1.2 mask=255.0.0.0 eth2 %1 default",
            "sorry: Sorry, you need to provide a valid Gateway IP address! / eth0 eth2",
            "default on");
        row("the mark leaves the other enabled ones", "eth0 auto %1 default eth1 auto %1 eth2 %1 default", "+ / eth1 eth2", "default on");
        row("unmarking touches only the shown one", "eth0 auto %1 default eth1 auto dhcp default eth2 %1 default", "+ / eth0 eth2", "default off");
        row("a DHCP interface needs no gateway for the mark", "eth0 auto %1 default eth1 auto dhcp", "+ / eth1", "default on");
        row("enabled beside a default gateway it yields the mark", "eth0 auto %1 default eth1 %1 default", "yields / eth0 eth1", "enable");
        row("a disabled default gateway asks nothing", "eth0 default eth1 %1 default", "keeps / eth0 eth1", "enable");
        row("a second DHCP interface is refused", "eth0 auto dhcp default eth1 auto", s_dhcpTaken + QLatin1String(" / eth0"), "dhcp");
        row("beside a disabled DHCP one it may use DHCP", "eth0 dhcp default eth1 auto", "+ / eth0", "dhcp");
    }

    void keepsTheTabsRules()
    {
        QFETCH(QString, records);
        QFETCH(QString, step);
        QFETCH(QString, shown);
        QVector<Interface> loaded = RecordText::records(records);
        InterfacesModel model;
        model.load(loaded.data());
        if (step == QLatin1String("save")) {
            QCOMPARE(told(model.check()), shown);
            QCOMPARE(model.anyEnabled(), records.contains(QLatin1String("auto")));
            return;
        }
        model.setCurrent(1);
        const InterfacesModel::WorkingCopy &working = model.shown();

        QString outcome = told(model.mayUseDhcp());
        if (step.startsWith(QLatin1String("default"))) {
            outcome = told(model.setDefaultGateway(step.endsWith(QLatin1String("on")), !working.dhcp, working.gateway));
        } else if (step == QLatin1String("enable")) {
            outcome = QLatin1String(model.yieldDefaultGateway() ? "yields" : "keeps");
            // Yielding also forgets the mark for a later switch back from DHCP.
            QCOMPARE(working.staticDefaultGatewayMemo, outcome == QLatin1String("keeps"));
        }
        QStringList defaults;
        for (int i = 0; i < InterfacesModel::InterfaceCount; ++i) {
            if (model.isPresent(i) && model.workingCopy(i).defaultGateway) {
                defaults << model.record(i).deviceName;
            }
        }
        QCOMPARE(outcome + QLatin1String(" / ") + defaults.join(QLatin1Char(' ')), shown);
    }

    void refusesAnInvalidGatewayOnce()
    {
        QVector<Interface> loaded = RecordText::records(QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 default"));
        InterfacesModel model;
        model.load(loaded.data());
        model.take({true, false, true, QString(), QStringLiteral("10.0.0.2"), QStringLiteral("255.0.0.0"), QStringLiteral("10.0.0"), false});
        QCOMPARE(told(model.check()), QStringLiteral("error: Interface eth0 has invalid default gateway address!"));
        QCOMPARE(told(model.check()), QStringLiteral("+"));
    }

    // A switch clears the other method's entries; their values and the mark come back on a switch back.
    void remembersTheOtherMethodAcrossASwitch()
    {
        for (const bool mark : {true, false}) {
            QVector<Interface> loaded =
                RecordText::records(QLatin1String("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1") + QLatin1String(mark ? " default" : ""));
            InterfacesModel model;
            model.load(loaded.data());
            QVERIFY(model.switchToDhcp(QStringLiteral("10.0.0.3"), QStringLiteral("255.0.0.0"), QStringLiteral("10.0.0.254")));
            model.setShownMethod(true, true);
            QCOMPARE(model.switchToStatic(QStringLiteral("mybox")), mark);
            model.setShownMethod(true, false);
            QCOMPARE(summary(model.shown()), QStringLiteral("on static 10.0.0.3 255.0.0.0 10.0.0.254 mybox"));
        }
    }

    void takesOnlyTheShownMethodsEntries()
    {
        QStringList kept;
        for (const auto &[enabled, dhcp] : {std::pair{false, false}, {true, false}, {true, true}}) {
            QVector<Interface> loaded = RecordText::records(QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 host=old"));
            InterfacesModel model;
            model.load(loaded.data());
            model.take({enabled, dhcp, false, QStringLiteral("new"), QStringLiteral("10.0.0.9"), QStringLiteral("255.255.0.0"), QStringLiteral("10.0.0.254")});
            kept << summary(model.shown());
        }
        QCOMPARE(kept,
                 QStringList({QStringLiteral("off static 10.0.0.2 255.0.0.0 10.0.0.1 old"),
                              QStringLiteral("on static 10.0.0.9 255.255.0.0 10.0.0.254 old"),
                              QStringLiteral("on dhcp 10.0.0.2 255.0.0.0 10.0.0.1 new")}));
    }
};

QTEST_MAIN(InterfacesModelTest)
#include "interfacesmodeltest.moc"
