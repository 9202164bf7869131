// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The request that an ordinary user's page sends to the root helper: what the
// helper takes, and everything it refuses; and the helper's actions on the
// sample machine (eth0 by DHCP, eth1 static, eth2 unconfigured): a refused
// request changes nothing at all, and a lease goes to the machine's own device.

#include <QTest>

#include "addrow.h"
#include "commandlog.h"
#include "config/applyrequest.h"
#include "config/helperactions.h"
#include "systemroot.h"

namespace
{
// A request for a machine with two Ethernet devices, as the page sends it.
QVariantMap twoDeviceRequest()
{
    return {
        {QStringLiteral("hostName"), QStringLiteral("labhost")},
        {QStringLiteral("domain"), QStringLiteral("example.org")},
        {QStringLiteral("identityChanged"), true},
        {QStringLiteral("nameservers"), QStringList{QStringLiteral("10.77.1.1"), QStringLiteral("192.168.0.53")}},
        {QStringLiteral("device0.enabled"), true},
        {QStringLiteral("device0.dhcp"), true},
        {QStringLiteral("device0.address"), QString()},
        {QStringLiteral("device0.netmask"), QString()},
        {QStringLiteral("device0.gateway"), QString()},
        {QStringLiteral("device0.defaultGateway"), false},
        {QStringLiteral("device0.dhcpHostName"), QStringLiteral("lab-client")},
        {QStringLiteral("device1.enabled"), true},
        {QStringLiteral("device1.dhcp"), false},
        {QStringLiteral("device1.address"), QStringLiteral("10.77.1.20")},
        {QStringLiteral("device1.netmask"), QStringLiteral("255.255.255.0")},
        {QStringLiteral("device1.gateway"), QStringLiteral("10.77.1.1")},
        {QStringLiteral("device1.defaultGateway"), true},
        {QStringLiteral("device1.dhcpHostName"), QString()},
        {QStringLiteral("wireless"), true},
        {QStringLiteral("wireless.essid"), QStringLiteral("Caf\u00e9 \"net\" $HOME")},
        {QStringLiteral("wireless.mode"), QStringLiteral("Managed")},
        {QStringLiteral("wireless.channel"), QStringLiteral("6")},
        {QStringLiteral("wireless.rate"), QStringLiteral("5.5 Mbps")},
        {QStringLiteral("wireless.keyEnabled"), true},
        {QStringLiteral("wireless.key"), QStringLiteral("0123456789")},
    };
}

NetworkSettings::Records twoDeviceRecords()
{
    NetworkSettings::Records records;
    for (int i = 0; i < 2; ++i) {
        records.interfaces[i].present = true;
        records.interfaces[i].deviceName = QStringLiteral("eth") + QString::number(i);
    }
    records.ethernetCount = 2;
    return records;
}

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

class ApplyRequestTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void thePagesRecordsTravelUnchanged()
    {
        QString refusal;
        const ApplyRequest parsed = ApplyRequest::fromMap(twoDeviceRequest(), 2, &refusal).value();
        QCOMPARE(parsed.toMap(), twoDeviceRequest());

        NetworkSettings::Records records = twoDeviceRecords();
        parsed.applyTo(records);
        const ApplyRequest sent = ApplyRequest::fromRecords(records, true, parsed.wireless);
        QCOMPARE(sent.toMap(), twoDeviceRequest());
    }

    void refuses_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value"); // an invalid QVariant removes the key
        QTest::addColumn<QString>("refusal");

        addRow("an unknown key", "path", QVariant(QStringLiteral("/etc/shadow")), "unknown key path");
        addRow("a missing key", "device1.gateway", QVariant(), "missing key device1.gateway");
        addRow("a number for a text", "hostName", QVariant(5), "hostName has the wrong type");
        addRow("a byte array for a text", "wireless.key", QVariant(QByteArray("0123456789")), "wireless.key has the wrong type");
        addRow("a line break in a text", "wireless.essid", QVariant(QStringLiteral("net\nKEY=\"x\"")), "wireless.essid holds a control character");
        addRow("a unicode line separator", "wireless.essid", QVariant(QStringLiteral("a\u2028b")), "wireless.essid holds a control character");
        const QStringList twoLines{QStringLiteral("10.0.0.1\noptions ndots:9")};
        addRow("a line break in a name server", "nameservers", QVariant(twoLines), "nameservers holds a control character");
        addRow("a text of 256 characters", "wireless.essid", QVariant(QString(256, QLatin1Char('a'))), "wireless.essid is too long");
        const QStringList seventeen = QStringLiteral("10.0.0.1 ").repeated(17).trimmed().split(QLatin1Char(' '));
        addRow("seventeen name servers", "nameservers", QVariant(seventeen), "nameservers holds too many values");
        addRow("a command after a DHCP host name", "device0.dhcpHostName", QVariant(QStringLiteral("x;reboot")), "device0.dhcpHostName is no host name");
        addRow("an empty host name", "hostName", QVariant(QString()), "hostName is empty");
        addRow("a domain beginning with a hyphen", "domain", QVariant(QStringLiteral("-o.example")), "domain is no host name");
        addRow("a gateway with more words", "device1.gateway", QVariant(QStringLiteral("10.77.1.1 dev lo")), "device1.gateway is no IPv4 address");
        addRow("an address part above 255", "device1.address", QVariant(QStringLiteral("10.77.1.256")), "device1.address is no IPv4 address");
        addRow("a netmask of three parts", "device1.netmask", QVariant(QStringLiteral("255.255.0")), "device1.netmask is no IPv4 address");
        addRow("a name server that is a name", "nameservers", QVariant(QStringList{QStringLiteral("ns.example.org")}), "nameservers holds no IPv4 address");
        addRow("a third device on a machine of two", "device2.enabled", QVariant(true), "device index out of range: 2");
        addRow("a device index past any integer", "device99999999999.enabled", QVariant(true), "unknown key device99999999999.enabled");
    }

    void refuses()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, refusal);
        QVariantMap map = twoDeviceRequest();
        if (value.isValid()) {
            map[key] = value;
        } else {
            map.remove(key);
        }
        QString said;
        QVERIFY(!ApplyRequest::fromMap(map, 2, &said));
        QCOMPARE(said, refusal);
    }

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

QTEST_GUILESS_MAIN(ApplyRequestTest)
#include "applyrequesttest.moc"
