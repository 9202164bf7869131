// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/interface.h"
#include "recordtext.h"
#include "systemroot.h"

namespace
{
// The record as a row states it, with the parser's verdict on the lease.
QString outcome(const Interface &record, bool leaseRead)
{
    return QString(RecordText::describe(record) + (leaseRead ? QString() : QStringLiteral(" (no lease)"))).trimmed();
}

// Adds a row of parsesStanza or readsNewestLease.
void row(const char *name, const QByteArray &text, const QByteArray &expected, const QByteArray &start = "eth0")
{
    QTest::newRow(name) << text << expected << start;
}
}

class InterfaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savesTabValues()
    {
        Interface record = RecordText::record(QStringLiteral("eth0"));
        record.saveSettings(false, QStringLiteral("192.168.1.10"), QStringLiteral("255.255.255.0"), QStringLiteral("192.168.1.1"), QStringLiteral("no"));
        record.saveSettings(true, QStringLiteral("10.0.0.1"), QStringLiteral("255.0.0.0"), QString(), QStringLiteral("box1"));
        QCOMPARE(RecordText::describe(record),
                 QStringLiteral("dhcp ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw=192.168.1.1 host=box1"));
    }

    // The text holds the lines as the reader hands them over: white space simplified.
    void parsesStanza_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QByteArray>("start"); // the record before parsing

        const QByteArray st = "iface eth0 inet static\n";
        const QByteArray staticEth0 = "auto lo eth0\n" + st + "address 192.168.1.10\nnetmask 255.255.255.0";
        const QByteArray earlier = "eth0 auto dhcp ip=10.9.9.9 mask=255.0.0.0 gw=10.9.9.1 default old=10.9.9.9 host=kept";
        const QByteArray kept = "dhcp ip=10.9.9.9 mask=255.0.0.0 net=10.0.0.0 bc=10.255.255.255 gw=10.9.9.1 default old=10.9.9.9 host=kept";
        const QByteArray classC = "ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 old=192.168.1.10";
        const QByteArray route = "up route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.254 dev eth0";
        row("static stanza derives network and broadcast", staticEth0, "auto " + classC);
        row("network before the address is derived over", st + "network 10.0.0.0\naddress 192.168.1.10\nnetmask 255.255.255.0", classC);
        row("network and broadcast after the netmask win",
            st + "address 192.168.1.10\nnetmask 255.255.255.0\nnetwork 10.0.0.0\nbroadcast 10.255.255.255",
            "ip=192.168.1.10 mask=255.255.255.0 net=10.0.0.0 bc=10.255.255.255 old=192.168.1.10");
        row("address without netmask derives nothing", st + "address 192.168.1.10", "ip=192.168.1.10 old=192.168.1.10");
        row("gateway line is the default route", st + "gateway 192.168.1.1", "gw=192.168.1.1 default");
        row("route line gives a gateway only", st + route, "gw=192.168.1.254");
        row("gateway line before a route line wins", st + "gateway 192.168.1.1\n" + route, "gw=192.168.1.1 default");
        row("gateway line after a route line replaces it", st + route + "\ngateway 192.168.1.1", "gw=192.168.1.1 default");
        row("route line naming its device first", st + "up route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0 gw 192.168.1.254", "gw=192.168.1.254");
        row("route line without gw is ignored", st + "up route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0", "");
        row("comments, even of options, change nothing", st + "#address 1.2.3.4\n# gateway 1.2.3.1", "");
        row("stanza ends at the next iface line", st + "address 192.168.1.10\niface eth1 inet static\nnetmask 255.255.0.0", "ip=192.168.1.10 old=192.168.1.10");
        row("auto and mapping lines do not end the stanza", st + "address 192.168.1.10\nauto eth1\nmapping hotplug\nnetmask 255.255.255.0", classC);
        row("only the first stanza of the device is read", st + "address 192.168.1.10\niface eth0 inet dhcp", "ip=192.168.1.10 old=192.168.1.10");
        row("auto veth1 names eth1", "auto veth1\niface eth1 inet static", "auto", "eth1");
        row("eth10 is not eth1", "auto eth10\niface eth10 inet dhcp\naddress 10.0.0.1", "", "eth1");
        row("auto line with the device in the middle", "auto lo eth1 eth2", "auto", "eth1");
        row("a missing stanza keeps every field", staticEth0, kept, "eth2" + earlier.mid(4));
        row("options without a gateway keep the gateway",
            "auto eth0\n" + st + "address 192.168.1.10\nnetmask 255.255.255.0\nnetwork 192.168.1.0\nbroadcast 192.168.1.255\n" + route.left(44) + "dev eth0",
            "auto ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 gw=10.9.9.1 default old=192.168.1.10 host=kept",
            earlier);
        row("dhcp stanza reads the host name", "iface eth0 inet dhcp\npre-up /bin/hostname box1\npost-down /bin/hostname -F /etc/hostname", "dhcp host=box1");
        row("host name after another path to the command", "iface eth0 inet dhcp\npre-up /usr/bin/hostname box2", "dhcp host=box2");
        row("dhcp stanza ignores addresses", "iface eth0 inet dhcp\naddress 192.168.1.10\n#pre-up /bin/hostname no", kept, earlier);
        row("manual reads as dhcp", "iface eth0 inet manual", "dhcp");
        row("a dhcp stanza without a lease still fills the record",
            "auto eth1\niface eth1 inet dhcp\npre-up /bin/hostname box",
            "auto dhcp host=box (no lease)",
            "eth1");
    }

    void parsesStanza()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, start);
        SystemRoot root;
        root.write(QStringLiteral("/var/dhcp/dhclient.leases"), "lease {\n  interface \"eth0\";\n}\n");
        Interface record = RecordText::record(QString::fromLatin1(start));
        const bool leaseRead = record.parseInterfacesList(QString::fromLatin1(text).split(QLatin1Char('\n')));
        QCOMPARE(outcome(record, leaseRead), QString::fromLatin1(expected));
    }

    void readsNewestLease_data()
    {
        QTest::addColumn<QByteArray>("leases"); // null: no lease file
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<QByteArray>("device");

        const QByteArray real = SystemRoot::fixture(QStringLiteral("dhclient-eth0-released-and-renewed-then-eth1"));
        row("the device's last lease wins, with both routers",
            real,
            "default lip=10.0.3.57 lmask=255.255.252.0 lnet=10.0.0.0 lbc=10.0.3.255 lgw=10.0.0.1 10.0.0.2");
        row("a lease without routers leaves the gateway", real, "lip=172.16.9.4 lmask=255.255.0.0 lnet=172.16.0.0 lbc=172.16.255.255", "eth1");
        row("no lease of the device", real, "(no lease)", "eth2");
        row("no lease file", QByteArray(), "(no lease)");
        row("tabs and blanks are simplified", "lease {\n\t interface   \"eth0\";\n\t\toption  routers\t10.0.0.1 ;\n}\n", "default lgw=10.0.0.1");
        row("blanks inside the quotes do not match", "lease {\ninterface \" eth0\";\nfixed-address 1.1.1.1;\n}\n", "(no lease)");
        row("the scan stops at the end of the block",
            "lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\nlease {\ninterface \"eth1\";\noption routers 2.2.2.1;\n}\n",
            "lip=1.1.1.1");
    }

    void readsNewestLease()
    {
        QFETCH(QByteArray, leases);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, device);
        SystemRoot root;
        if (!leases.isNull()) {
            root.write(QStringLiteral("/var/dhcp/dhclient.leases"), leases);
        }
        Interface record = RecordText::record(QString::fromLatin1(device));
        const bool leaseRead = record.parseDHCPFile();
        QCOMPARE(outcome(record, leaseRead), QString::fromLatin1(expected));
    }
};

QTEST_GUILESS_MAIN(InterfaceTest)
#include "interfacetest.moc"
