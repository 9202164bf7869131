// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "addrow.h"
#include "panels/interfacesmodel.h"
#include "recordtext.h"

namespace
{
using Verdict = InterfacesModel::Verdict;

QString said(const InterfacesModel::Answer &answer)
{
    static const char *const names[] = {"passes",
                                        "invalid address",
                                        "invalid netmask",
                                        "invalid gateway",
                                        "several DHCP",
                                        "several default gateways",
                                        "no default gateway",
                                        "DHCP taken",
                                        "gateway needed"};
    const QString name = QLatin1String(names[int(answer.verdict)]);
    return answer.device.isEmpty() ? name : name + QLatin1Char(' ') + answer.device;
}

/// The shown working copy as "on|off dhcp|static address mask gateway host [default]", "-" for empty.
QString summary(const InterfacesModel::WorkingCopy &working)
{
    QStringList words{QLatin1String(working.enabled ? "on" : "off"), QLatin1String(working.dhcp ? "dhcp" : "static")};
    for (const QString &text : {working.ipAddress, working.subnetMask, working.gateway, working.hostName}) {
        words << (text.isEmpty() ? QStringLiteral("-") : text);
    }
    if (working.defaultGateway) {
        words << QStringLiteral("default");
    }
    return words.join(QLatin1Char(' '));
}

/// The devices whose working copy is the default gateway.
QString defaults(const InterfacesModel &model)
{
    QStringList devices;
    for (int i = 0; i < InterfacesModel::InterfaceCount; ++i) {
        if (model.isPresent(i) && model.workingCopy(i).defaultGateway) {
            devices << model.record(i).deviceName;
        }
    }
    return devices.join(QLatin1Char(' '));
}
}

class InterfacesModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void checksBeforeASave_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("answer");

        const QString first = QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 default ");
        const QString second = QStringLiteral("eth1 auto ip=10.0.1.2 mask=255.0.0.0 gw=10.0.1.1 ");
        addRow("nothing enabled passes unasked, whatever the fields hold", QStringLiteral("eth0 eth1 dhcp eth2 default"), QStringLiteral("passes"));
        addRow("a disabled interface without an address passes", QString(first + QLatin1String("eth1 mask=255.0.0.0")), QStringLiteral("passes"));
        addRow("the same interface enabled fails, named", QString(first + QLatin1String("eth1 auto mask=255.0.0.0")), QStringLiteral("invalid address eth1"));
        addRow("two without an address: the lower index is reported",
               QString(first + QLatin1String("eth1 auto eth2 auto")),
               QStringLiteral("invalid address eth1"));
        addRow("an empty subnet mask", QStringLiteral("eth0 auto ip=10.0.0.2 gw=10.0.0.1 default"), QStringLiteral("invalid netmask eth0"));
        addRow("a static fault comes before the counts",
               QStringLiteral("eth0 auto dhcp default eth1 auto dhcp default eth2 auto"),
               QStringLiteral("invalid address eth2"));
        addRow("two DHCP interfaces: their refusal before the default gateways'",
               QStringLiteral("eth0 auto dhcp default eth1 auto dhcp default"),
               QStringLiteral("several DHCP"));
        addRow("two default gateways", QString(first + second + QLatin1String("default")), QStringLiteral("several default gateways"));
        addRow("no default gateway: the user is asked", QString(QLatin1String("eth0 auto dhcp ") + second), QStringLiteral("no default gateway"));
        addRow("a DHCP default gateway counts", QString(QLatin1String("eth0 auto dhcp default ") + second), QStringLiteral("passes"));
        addRow("a disabled default gateway does not count",
               QString(QLatin1String("eth0 ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 default ") + second),
               QStringLiteral("no default gateway"));
    }

    void checksBeforeASave()
    {
        QFETCH(QString, records);
        QFETCH(QString, answer);
        QVector<Interface> loaded = RecordText::records(records);
        InterfacesModel model;
        model.load(loaded.data());

        QCOMPARE(said(model.check()), answer);
    }

    void keepsOneDhcpInterfaceAndOneDefaultGateway_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("outcome"); // the answer, then the default gateways after the step

        const QString marked = QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 default ");
        const QString disabledMark = QStringLiteral(" eth2 ip=10.0.2.2 mask=255.0.0.0 gw=10.0.2.1 default");
        addRow("no default mark without a gateway address",
               QString(marked + QLatin1String("eth1 auto ip=10.0.1.2 mask=255.0.0.0") + disabledMark),
               1,
               QStringLiteral("default on"),
               QStringLiteral("gateway needed eth1 / eth0 eth2"));
        addRow("the mark leaves every other enabled interface, not a disabled one",
               QString(marked + QLatin1String("eth1 auto ip=10.0.1.2 mask=255.0.0.0 gw=10.0.1.1") + disabledMark),
               1,
               QStringLiteral("default on"),
               QStringLiteral("passes / eth1 eth2"));
        addRow("unmarking touches only the shown one",
               QString(marked + QLatin1String("eth1") + disabledMark),
               0,
               QStringLiteral("default off"),
               QStringLiteral("passes / eth2"));
        addRow("a DHCP interface needs no gateway address for the mark",
               QString(marked + QLatin1String("eth1 auto dhcp")),
               1,
               QStringLiteral("default on"),
               QStringLiteral("passes / eth1"));
        addRow("an interface enabled beside a default gateway yields the mark",
               QString(marked + QLatin1String("eth1 ip=10.0.1.2 mask=255.0.0.0 gw=10.0.1.1 default")),
               1,
               QStringLiteral("enable"),
               QStringLiteral("yields / eth0 eth1"));
        addRow("a disabled default gateway asks nothing of it",
               QStringLiteral("eth0 default eth1 ip=10.0.1.2 mask=255.0.0.0 gw=10.0.1.1 default"),
               1,
               QStringLiteral("enable"),
               QStringLiteral("keeps / eth0 eth1"));
        addRow("a second DHCP interface is refused",
               QStringLiteral("eth0 auto dhcp default eth1 auto"),
               1,
               QStringLiteral("dhcp"),
               QStringLiteral("DHCP taken eth1 / eth0"));
        addRow("with the first DHCP interface disabled the second may use DHCP",
               QStringLiteral("eth0 dhcp default eth1 auto"),
               1,
               QStringLiteral("dhcp"),
               QStringLiteral("passes / eth0"));
        addRow("an invalid gateway is reported once, then passes",
               marked,
               0,
               QStringLiteral("bad gateway"),
               QStringLiteral("invalid gateway eth0, passes / eth0"));
    }

    void keepsOneDhcpInterfaceAndOneDefaultGateway()
    {
        QFETCH(QString, records);
        QFETCH(int, shown);
        QFETCH(QString, step);
        QFETCH(QString, outcome);
        QVector<Interface> loaded = RecordText::records(records);
        InterfacesModel model;
        model.load(loaded.data());
        model.setCurrent(shown);
        const InterfacesModel::WorkingCopy &working = model.shown();

        QString answer;
        if (step.startsWith(QLatin1String("default"))) {
            answer = said(model.setDefaultGateway(step.endsWith(QLatin1String("on")), !working.dhcp, working.gateway));
        } else if (step == QLatin1String("enable")) {
            answer = QLatin1String(model.yieldDefaultGateway() ? "yields" : "keeps");
            QCOMPARE(working.staticDefaultGatewayMemo, answer == QLatin1String("keeps") && working.defaultGateway);
            model.setShownEnabled(true);
        } else if (step == QLatin1String("dhcp")) {
            answer = said(model.mayUseDhcp());
        } else {
            model.take({true, false, true, QString(), working.ipAddress, working.subnetMask, QStringLiteral("10.0.0"), false});
            answer = said(model.check());
            answer += QLatin1String(", ") + said(model.check());
        }
        QCOMPARE(QString(answer + QLatin1String(" / ") + defaults(model)), outcome);
    }

    void keepsWhatTheUserTyped_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("steps"); // type:<key>=<value>,... (ip, gw, host, enabled=off), take, dhcp, static
        QTest::addColumn<QString>("outcome"); // the shown copy, then what the default-gateway box became at each switch

        const QString marked = QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 default");
        addRow("typed static values come back after DHCP",
               marked,
               QStringLiteral("type:ip=10.0.0.3,gw=10.0.0.254 dhcp static"),
               QStringLiteral("on static 10.0.0.3 255.0.0.0 10.0.0.254 - default / on on"));
        addRow("the typed host name comes back",
               marked,
               QStringLiteral("dhcp type:host=mybox static dhcp"),
               QStringLiteral("on dhcp 10.0.0.2 255.0.0.0 10.0.0.1 mybox default / on on on"));
        addRow("static takes back the mark it had before DHCP, not DHCP's",
               QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1"),
               QStringLiteral("dhcp static"),
               QStringLiteral("on static 10.0.0.2 255.0.0.0 10.0.0.1 - / on off"));
        addRow("what is typed into a disabled interface is not taken",
               marked,
               QStringLiteral("type:enabled=off,ip=10.0.0.9 take"),
               QStringLiteral("off static 10.0.0.2 255.0.0.0 10.0.0.1 - default / "));
        addRow("nor a host name typed into a static one",
               marked,
               QStringLiteral("type:host=mybox take"),
               QStringLiteral("on static 10.0.0.2 255.0.0.0 10.0.0.1 - default / "));
    }

    void keepsWhatTheUserTyped()
    {
        QFETCH(QString, records);
        QFETCH(QString, steps);
        QFETCH(QString, outcome);
        QVector<Interface> loaded = RecordText::records(records);
        InterfacesModel model;
        model.load(loaded.data());
        const InterfacesModel::WorkingCopy &working = model.shown();
        // What the entries hold: the model hears of it only at a switch or when it takes them.
        InterfacesModel::Entries entries{true, working.dhcp, working.defaultGateway, working.hostName, working.ipAddress, working.subnetMask, working.gateway};

        QStringList boxes;
        for (const QString &step : steps.split(QLatin1Char(' '))) {
            if (step == QLatin1String("dhcp") || step == QLatin1String("static")) {
                entries.dhcp = step == QLatin1String("dhcp");
                const bool box =
                    entries.dhcp ? model.switchToDhcp(entries.ipAddress, entries.subnetMask, entries.gateway) : model.switchToStatic(entries.hostName);
                model.setShownMethod(working.enabled, entries.dhcp);
                boxes << QLatin1String(box ? "on" : "off");
            } else if (step == QLatin1String("take")) {
                model.take(entries);
            } else {
                for (const QString &pair : step.mid(5).split(QLatin1Char(','))) {
                    const QString value = pair.section(QLatin1Char('='), 1);
                    const QHash<QString, QString *> texts{{QStringLiteral("host"), &entries.hostName},
                                                          {QStringLiteral("ip"), &entries.ipAddress},
                                                          {QStringLiteral("gw"), &entries.gateway}};
                    entries.enabled = entries.enabled && pair != QLatin1String("enabled=off");
                    if (QString *text = texts.value(pair.section(QLatin1Char('='), 0, 0))) {
                        *text = value;
                    }
                }
            }
        }
        QCOMPARE(QString(summary(working) + QLatin1String(" / ") + boxes.join(QLatin1Char(' '))), outcome);
    }
};

QTEST_GUILESS_MAIN(InterfacesModelTest)
#include "interfacesmodeltest.moc"
