// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/interface.h"
#include "config/textfile.h"
#include "systemroot.h"

namespace
{
// One line per record, so that a row states every field the parser may touch.
QString summary(const Interface &record)
{
    const Addresses &a = record.staticAddresses;
    return QStringList{record.enabled ? QStringLiteral("auto") : QStringLiteral("noauto"),
                       record.method == Interface::Static ? QStringLiteral("static") : QStringLiteral("dhcp"),
                       QLatin1String("ip=") + a.ipAddress(),
                       QLatin1String("mask=") + a.netmask(),
                       QLatin1String("net=") + a.network,
                       QLatin1String("bc=") + a.broadcast,
                       QLatin1String("gw=") + a.gateway,
                       record.defaultGateway ? QStringLiteral("default") : QStringLiteral("route"),
                       QLatin1String("old=") + record.oldIPAddress,
                       QLatin1String("host=") + record.dhcpHostName}
        .join(QLatin1Char(' '));
}

QString leaseSummary(const Interface &record)
{
    const Addresses &a = record.dhcpAddresses;
    return QStringList{QLatin1String("ip=") + a.ipAddress(),
                       QLatin1String("mask=") + a.netmask(),
                       QLatin1String("net=") + a.network,
                       QLatin1String("bc=") + a.broadcast,
                       record.defaultGateway ? QStringLiteral("default") : QStringLiteral("route"),
                       QLatin1String("gw=") + a.gateway}
        .join(QLatin1Char(' '));
}

QStringList simplifiedLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        line = TextFile::simplified(line);
    }
    return lines;
}

// What an earlier load or the user left in the record.
void fillEarlier(Interface &record)
{
    record.method = Interface::Dhcp;
    record.staticAddresses.setIPAddress(QStringLiteral("10.9.9.9"));
    record.staticAddresses.setNetmask(QStringLiteral("255.0.0.0"));
    record.staticAddresses.gateway = QStringLiteral("10.9.9.1");
    record.defaultGateway = true;
    record.oldIPAddress = QStringLiteral("10.9.9.9");
    record.dhcpHostName = QStringLiteral("kept");
}
}

class InterfaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savesTabValues()
    {
        Interface record;
        record.saveSettings(false, QStringLiteral("192.168.1.10"), QStringLiteral("255.255.255.0"), QStringLiteral("192.168.1.1"), QStringLiteral("ignored"));
        QCOMPARE(summary(record),
                 QStringLiteral("noauto static ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw=192.168.1.1 route old= host="));
        record.saveSettings(true, QStringLiteral("10.0.0.1"), QStringLiteral("255.0.0.0"), QString(), QStringLiteral("box1"));
        QCOMPARE(summary(record),
                 QStringLiteral("noauto dhcp ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw=192.168.1.1 route old= host=box1"));
    }

    void parsesStanza_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("earlier");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        const QString staticEth0 = QStringLiteral("auto lo eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n");
        QTest::newRow("static stanza derives network and broadcast")
            << 0 << false << staticEth0 << "auto static ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw= route old=192.168.1.10 host=";
        QTest::newRow("network before the address is derived over")
            << 0 << false << "iface eth0 inet static\nnetwork 10.0.0.0\naddress 192.168.1.10\nnetmask 255.255.255.0"
            << "noauto static ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw= route old=192.168.1.10 host=";
        QTest::newRow("network after the netmask wins")
            << 0 << false << "iface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0\nnetwork 10.0.0.0\nbroadcast 10.255.255.255"
            << "noauto static ip=192.168.1.10 mask=255.255.255.0 net=10.0.0.0 bc=10.255.255.255 gw= route old=192.168.1.10 host=";
        QTest::newRow("address without netmask derives nothing") << 0 << false << "iface eth0 inet static\n  address   192.168.1.10  "
                                                                 << "noauto static ip=192.168.1.10 mask= net= bc= gw= route old=192.168.1.10 host=";
        QTest::newRow("zero results leave network and broadcast") << 0 << false << "iface eth0 inet static\naddress 0.0.0.0\nnetmask 255.255.255.255"
                                                                  << "noauto static ip=0.0.0.0 mask=255.255.255.255 net= bc= gw= route old=0.0.0.0 host=";
        QTest::newRow("gateway line is the default route") << 0 << false << "iface eth0 inet static\ngateway 192.168.1.1"
                                                           << "noauto static ip= mask= net= bc= gw=192.168.1.1 default old= host=";
        QTest::newRow("route line gives a gateway only")
            << 0 << false << "iface eth0 inet static\nup route add -net 192.168.1.0 netmask 255.255.255.0 gw 192.168.1.254 dev eth0"
            << "noauto static ip= mask= net= bc= gw=192.168.1.254 route old= host=";
        QTest::newRow("gateway line before a route line wins")
            << 0 << false << "iface eth0 inet static\ngateway 192.168.1.1\nup route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.254 dev eth0"
            << "noauto static ip= mask= net= bc= gw=192.168.1.1 default old= host=";
        QTest::newRow("gateway line after a route line replaces it")
            << 0 << false << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.254 dev eth0\ngateway 192.168.1.1"
            << "noauto static ip= mask= net= bc= gw=192.168.1.1 default old= host=";
        QTest::newRow("route line naming its device first")
            << 0 << false << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0 gw 192.168.1.254"
            << "noauto static ip= mask= net= bc= gw=192.168.1.254 route old= host=";
        QTest::newRow("route line without gw is ignored") << 0 << false << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0"
                                                          << "noauto static ip= mask= net= bc= gw= route old= host=";
        QTest::newRow("comments, even of options, change nothing")
            << 0 << false << "iface eth0 inet static\n#address 1.2.3.4\n# gateway 1.2.3.1\naddress 192.168.1.10"
            << "noauto static ip=192.168.1.10 mask= net= bc= gw= route old=192.168.1.10 host=";
        QTest::newRow("stanza ends at the next iface line")
            << 0 << false << "iface eth0 inet static\naddress 192.168.1.10\niface eth1 inet static\nnetmask 255.255.0.0\ngateway 10.0.0.1"
            << "noauto static ip=192.168.1.10 mask= net= bc= gw= route old=192.168.1.10 host=";
        QTest::newRow("auto and mapping lines do not end the stanza")
            << 0 << false << "iface eth0 inet static\naddress 192.168.1.10\nauto eth1\nmapping hotplug\nnetmask 255.255.255.0"
            << "noauto static ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw= route old=192.168.1.10 host=";
        QTest::newRow("only the first stanza of the device is read")
            << 0 << false << "iface eth0 inet static\naddress 192.168.1.10\niface eth0 inet dhcp\npre-up /bin/hostname box"
            << "noauto static ip=192.168.1.10 mask= net= bc= gw= route old=192.168.1.10 host=";
        QTest::newRow("auto veth1 names eth1") << 1 << false << "auto veth1\niface eth1 inet static"
                                               << "auto static ip= mask= net= bc= gw= route old= host=";
        QTest::newRow("eth10 is not eth1") << 1 << false << "auto eth10\niface eth10 inet dhcp\naddress 10.0.0.1"
                                           << "noauto static ip= mask= net= bc= gw= route old= host=";
        QTest::newRow("auto line with the device in the middle") << 1 << false << "auto lo eth1 eth2"
                                                                 << "auto static ip= mask= net= bc= gw= route old= host=";
        QTest::newRow("a missing stanza keeps every field")
            << 2 << true << staticEth0 << "noauto dhcp ip=10.9.9.9 mask=255.0.0.0 net=10.0.0.0 bc=10.255.255.255 gw=10.9.9.1 default old=10.9.9.9 host=kept";
        QTest::newRow("a stanza without gateway keeps the default route")
            << 0 << true << staticEth0
            << "auto static ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw=10.9.9.1 default old=192.168.1.10 host=kept";
        QTest::newRow("dhcp stanza reads the host name")
            << 0 << false << "iface eth0 inet dhcp\n\tpre-up  /bin/hostname  box1 \n\tpost-down /bin/hostname -F /etc/hostname"
            << "noauto dhcp ip= mask= net= bc= gw= route old= host=box1";
        QTest::newRow("host name after another path to the command") << 0 << false << "iface eth0 inet dhcp\npre-up /usr/bin/hostname box2"
                                                                     << "noauto dhcp ip= mask= net= bc= gw= route old= host=box2";
        QTest::newRow("dhcp stanza ignores addresses")
            << 0 << true << "iface eth0 inet dhcp\naddress 192.168.1.10\n#pre-up /bin/hostname no"
            << "noauto dhcp ip=10.9.9.9 mask=255.0.0.0 net=10.0.0.0 bc=10.255.255.255 gw=10.9.9.1 default old=10.9.9.9 host=kept";
        QTest::newRow("manual reads as dhcp") << 0 << false << "iface eth0 inet manual"
                                              << "noauto dhcp ip= mask= net= bc= gw= route old= host=";
        QTest::newRow("bootp reads as dhcp") << 0 << false << "iface eth0 inet bootp"
                                             << "noauto dhcp ip= mask= net= bc= gw= route old= host=";
    }

    void parsesStanza()
    {
        QFETCH(int, number);
        QFETCH(bool, earlier);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        SystemRoot root;
        root.write(QStringLiteral("/var/dhcp/dhclient.leases"), "lease {\n  interface \"eth0\";\n}\n");

        Interface record;
        record.setInterfaceNumber(number);
        if (earlier) {
            fillEarlier(record);
            record.enabled = true;
        }
        QVERIFY(record.parseInterfacesList(simplifiedLines(text)));
        QCOMPARE(summary(record), expected);
    }

    void parsesDebianFile()
    {
        SystemRoot root;
        root.copyFixture(QStringLiteral("interfaces-static-and-dhcp"), QStringLiteral("/etc/network/interfaces"));
        root.copyFixture(QStringLiteral("dhclient-eth0-released-and-renewed-then-eth1"), QStringLiteral("/var/dhcp/dhclient.leases"));
        const std::optional<QStringList> lines = TextFile::readSimplifiedLines(QStringLiteral("/etc/network/interfaces"));
        QVERIFY(lines);

        Interface records[3];
        for (int i = 0; i < 3; ++i) {
            records[i].setInterfaceNumber(i);
            QVERIFY(records[i].parseInterfacesList(*lines));
        }
        QCOMPARE(
            summary(records[0]),
            QStringLiteral("auto static ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw=192.168.1.254 route old=192.168.1.10 host="));
        QCOMPARE(summary(records[1]), QStringLiteral("noauto dhcp ip= mask= net= bc= gw= route old= host=labhost"));
        QCOMPARE(leaseSummary(records[1]), QStringLiteral("ip=172.16.9.4 mask=255.255.0.0 net=172.16.0.0 bc=172.16.255.255 route gw="));
        QCOMPARE(summary(records[2]), QStringLiteral("noauto static ip= mask= net= bc= gw= route old= host="));
    }

    void readsNewestLease_data()
    {
        QTest::addColumn<QByteArray>("leases");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");

        const QByteArray real = SystemRoot::fixture(QStringLiteral("dhclient-eth0-released-and-renewed-then-eth1"));
        QTest::newRow("last lease of the device, both routers")
            << real << 0 << true << "ip=10.0.3.57 mask=255.255.252.0 net=10.0.0.0 bc=10.0.3.255 default gw=10.0.0.1 10.0.0.2";
        QTest::newRow("a lease without routers leaves the gateway")
            << real << 1 << true << "ip=172.16.9.4 mask=255.255.0.0 net=172.16.0.0 bc=172.16.255.255 route gw=";
        QTest::newRow("no lease of the device") << real << 2 << false << "ip= mask= net= bc= route gw=";
        QTest::newRow("third of three leases") << QByteArray(
            "lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\n"
            "lease {\ninterface \"eth0\";\nfixed-address 2.2.2.2;\n}\n"
            "lease {\ninterface \"eth0\";\nfixed-address 3.3.3.3;\n}\n")
                                               << 0 << true << "ip=3.3.3.3 mask= net= bc= route gw=";
        QTest::newRow("tabs and blanks are simplified")
            << QByteArray("lease {\n\t interface   \"eth0\";\n\t\toption  routers\t10.0.0.1 ;\n}\n") << 0 << true << "ip= mask= net= bc= default gw=10.0.0.1";
        QTest::newRow("blanks inside the quotes do not match")
            << QByteArray("lease {\ninterface \" eth0\";\nfixed-address 1.1.1.1;\n}\n") << 0 << false << "ip= mask= net= bc= route gw=";
        QTest::newRow("case counts") << QByteArray("lease {\nInterface \"eth0\";\nfixed-address 1.1.1.1;\n}\n") << 0 << false << "ip= mask= net= bc= route gw=";
        QTest::newRow("a later lease of another device is not mixed in")
            << QByteArray("lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\nlease {\ninterface \"eth1\";\noption routers 2.2.2.1;\n}\n") << 0 << true
            << "ip=1.1.1.1 mask= net= bc= route gw=";
        QTest::newRow("a lease line without line end")
            << QByteArray("lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;") << 0 << true << "ip=1.1.1.1 mask= net= bc= route gw=";
    }

    void readsNewestLease()
    {
        QFETCH(QByteArray, leases);
        QFETCH(int, number);
        QFETCH(bool, found);
        QFETCH(QString, expected);
        SystemRoot root;
        root.write(QStringLiteral("/var/dhcp/dhclient.leases"), leases);

        Interface record;
        record.setInterfaceNumber(number);
        QCOMPARE(record.parseDHCPFile(), found);
        QCOMPARE(leaseSummary(record), expected);
    }

    void missingLeaseFileFailsDhcpStanza()
    {
        SystemRoot root;
        Interface record;
        record.setInterfaceNumber(0);
        QVERIFY(!record.parseInterfacesList(simplifiedLines(QStringLiteral("auto eth0\niface eth0 inet dhcp\npre-up /bin/hostname box"))));
        QCOMPARE(summary(record), QStringLiteral("auto dhcp ip= mask= net= bc= gw= route old= host=box"));
    }
};

QTEST_GUILESS_MAIN(InterfaceTest)
#include "interfacetest.moc"
