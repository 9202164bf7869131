// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "systemroot.h"

namespace
{
const QString interfacesPath = QStringLiteral("/etc/network/interfaces");

// "auto,method,address,netmask,network,broadcast,gateway,default,host name" of a record.
QString fields(const Interface &r, const Addresses &a)
{
    return QStringList{QLatin1String(r.enabled ? "auto" : "noauto"),
                       QLatin1String(r.method == Interface::Dhcp ? "dhcp" : "static"),
                       a.ipAddress(),
                       a.netmask(),
                       a.network,
                       a.broadcast,
                       a.gateway,
                       QLatin1String(r.defaultGateway ? "default" : ""),
                       r.dhcpHostName}
        .join(QLatin1Char(','));
}

QVector<Interface> absentRecords()
{
    QVector<Interface> records(InterfacesFile::RecordCount);
    for (int i = 0; i < records.size(); ++i) {
        records[i].setInterfaceNumber(i);
    }
    return records;
}
}

class InterfacesFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesStanza_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("eth0");
        QTest::newRow("static stanza derives network and broadcast") << "auto lo eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0"
                                                                     << "auto,static,192.168.1.10,255.255.255.0,192.168.1.0,192.168.1.255,,,";
        QTest::newRow("network and broadcast after the netmask win")
            << "iface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0\nnetwork 10.0.0.0\nbroadcast 10.255.255.255"
            << "noauto,static,192.168.1.10,255.255.255.0,10.0.0.0,10.255.255.255,,,";
        QTest::newRow("route line gives a gateway only") << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0 gw 192.168.1.254"
                                                         << "noauto,static,,,,,192.168.1.254,,";
        QTest::newRow("gateway line before a route line wins")
            << "iface eth0 inet static\ngateway 192.168.1.1\nup route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.254 dev eth0"
            << "noauto,static,,,,,192.168.1.1,default,";
        QTest::newRow("comments change nothing; the stanza ends at the next iface line, not at auto or mapping")
            << "iface eth0 inet static\n#address 1.2.3.4\nauto eth1\nmapping hotplug\ngateway 10.0.0.1\niface eth1 inet static\naddress 10.0.0.2"
            << "noauto,static,,,,,10.0.0.1,default,";
        QTest::newRow("only the first stanza of the device is read") << "iface eth0 inet dhcp\niface eth0 inet static\naddress 10.0.0.2"
                                                                     << "noauto,dhcp,,,,,,,";
        QTest::newRow("auto veth0, auto eth0:0 and auto eth01 do not name eth0") << "auto veth0\nauto eth0:0 eth01\niface eth0 inet static"
                                                                                 << "noauto,static,,,,,,,";
        QTest::newRow("host name after any path to the command, manual read as dhcp")
            << "auto lo eth0 eth1\niface eth0 inet manual\naddress 192.168.1.10\npre-up /usr/bin/hostname box2"
            << "auto,dhcp,,,,,,,box2";
    }

    void parsesStanza()
    {
        QFETCH(QString, lines);
        QFETCH(QString, eth0);
        Interface record = absentRecords().at(0);
        record.parseInterfacesList(lines.split(QLatin1Char('\n')), std::nullopt);
        QCOMPARE(fields(record, record.staticAddresses), eth0);

        // Parsing never clears a field whose line is missing.
        Interface eth4 = absentRecords().at(4);
        eth4.saveSettings(false, QStringLiteral("10.9.9.9"), QStringLiteral("255.0.0.0"), QStringLiteral("10.9.9.1"), QString());
        eth4.parseInterfacesList(lines.split(QLatin1Char('\n')), std::nullopt);
        QCOMPARE(fields(eth4, eth4.staticAddresses), QStringLiteral("noauto,static,10.9.9.9,255.0.0.0,10.0.0.0,10.255.255.255,10.9.9.1,,"));
    }

    void readsNewestLease_data()
    {
        QTest::addColumn<QByteArray>("leases"); // null: no lease file
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("lease"); // null: none read

        const QByteArray sample = SystemRoot::fixture(QStringLiteral("sample/dhclient-eth0-released-and-renewed-then-eth1"));
        QTest::newRow("the device's last lease wins, with both routers")
            << sample << 0 << "noauto,static,10.0.3.57,255.255.252.0,10.0.0.0,10.0.3.255,10.0.0.1 10.0.0.2,default,";
        QTest::newRow("a lease without routers sets no gateway") << sample << 1 << "noauto,static,172.16.9.4,255.255.0.0,172.16.0.0,172.16.255.255,,,";
        QTest::newRow("a lease of another device is not read") << sample << 2 << QString();
        QTest::newRow("no lease file") << QByteArray() << 0 << QString();
        QTest::newRow("tabs and blanks are simplified")
            << QByteArray("lease {\n\t interface \"eth0\";\n\t\toption routers\t10.0.0.1 ;\n}\n") << 0 << "noauto,static,,,,,10.0.0.1,default,";
        QTest::newRow("blanks inside the quotes do not match") << QByteArray("lease {\ninterface \" eth0\";\nfixed-address 1.1.1.1;\n}\n") << 0 << QString();
        QTest::newRow("the scan stops at the end of the block")
            << QByteArray("lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\nlease {\ninterface \"eth1\";\noption routers 2.2.2.1;\n}") << 0
            << "noauto,static,1.1.1.1,,,,,,";
    }

    void readsNewestLease()
    {
        QFETCH(QByteArray, leases);
        QFETCH(int, device);
        QFETCH(QString, lease);
        SystemRoot root;
        if (!leases.isNull()) {
            root.write(QStringLiteral("/var/dhcp/dhclient.leases"), leases);
        }
        Interface record = absentRecords().at(device);
        QCOMPARE(record.parseDHCPFile() ? fields(record, record.dhcpAddresses) : QString(), lease);
    }

    void rewritesStanzas_data()
    {
        QTest::addColumn<QString>("sample"); // tests/data/sample/<name>, the file before
        QTest::addColumn<int>("device"); // the one present record; static ones get 192.168.1.10/255.255.255.0
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<bool>("defaultRoute");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<QByteArray>("after"); // null: refused, the file left as it was

        const QByteArray staticEth0 =
            "auto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n";
        QTest::newRow("dhcp to static, eth0 taken off the shared auto line") << "shared-auto-line" << 0 << true << false << "192.168.1.1" << true << ""
                                                                             << "auto lo\niface lo inet loopback\n\n" + staticEth0 + "\tgateway 192.168.1.1\n";
        QTest::newRow("a gateway of the own network only is a route")
            << "shared-auto-line" << 0 << true << false << "192.168.1.1" << false << ""
            << "auto lo\niface lo inet loopback\n\n" + staticEth0 + "\tup route add -net 192.168.1.0 netmask 255.255.255.0 gw 192.168.1.1 dev eth0\n";
        QTest::newRow("a disabled device leaves every auto line")
            << "two-auto-lines" << 0 << false << true << "" << false << "" << QByteArray("auto lo\niface lo inet loopback\niface eth0 inet dhcp\n");
        QTest::newRow("static to dhcp keeps up and down, drops addresses and options, each with its continued lines")
            << "static-with-commands" << 0 << true << true << "" << false << "box1"
            << QByteArray(
                   "# a comment continues nothing, even with a backslash at its end \\\nauto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box1\n"
                   "\tpost-down /bin/hostname -F /etc/hostname\n\tup ip link set eth0 mtu 1400\n\tup ifup ppp0\\\n=dsl\n\tdown /usr/local/bin/cleanup\n");
        QTest::newRow("dhcp to static drops every pre-up and post-down")
            << "dhcp-with-commands" << 0 << true << false << "" << false << "" << staticEth0 + "\tpost-up /usr/local/bin/notify\n# keep me\n\n\tprovider dsl\n";
        QTest::newRow("dhcp drops the host name lines only")
            << "dhcp-with-commands" << 0 << false << true << "" << false << ""
            << QByteArray("iface eth0 inet dhcp\n\tpre-up /sbin/ethtool -s eth0 wol g\n\tpost-up /usr/local/bin/notify\n# keep me\n\n\tprovider dsl\n");
        QTest::newRow("a stanza appended after a backslash line comes after an empty line")
            << "loopback-continued" << 1 << true << true << "" << false << ""
            << QByteArray("auto lo\niface lo inet loopback\n\tup true \\\n\nauto eth1\niface eth1 inet dhcp\n");
        QTest::newRow("eth1 taken off its auto line, veth1, veth2 and eth10 left as they are")
            << "similar-names" << 1 << false << true << "" << false << ""
            << QByteArray("auto lo eth0 veth1\nauto veth2 eth10\niface veth1 inet manual\niface eth10 inet static\n\taddress 10.1.0.1\niface eth1 inet dhcp\n");
        QTest::newRow("entries after the stanza are carried over, the absent eth1's stanza too")
            << "entries-after-stanza" << 0 << false << true << "" << false << ""
            << QByteArray(
                   "iface eth0 inet dhcp\nauto eth1\n\tallow-hotplug eth2\n\tsource-directory interfaces.d\n\tmapping hotplug\n\tscript /usr/local/bin/map\n"
                   "iface eth1 inet dhcp\n");
        QTest::newRow("without a present record the lines are only simplified")
            << "loopback-continued" << -1 << false << false << "" << false << "" << QByteArray("auto lo\niface lo inet loopback\nup true \\\n");
        QTest::newRow("an option under an auto line, that would strand in eth0's stanza, refuses the save")
            << "misplaced-option-after-auto" << 1 << false << true << "" << false << "" << QByteArray();
    }

    void rewritesStanzas()
    {
        QFETCH(QString, sample);
        QFETCH(int, device);
        QFETCH(bool, enabled);
        QFETCH(bool, dhcp);
        QFETCH(QString, gateway);
        QFETCH(bool, defaultRoute);
        QFETCH(QString, hostName);
        QFETCH(QByteArray, after);
        SystemRoot root;
        const QByteArray before = SystemRoot::fixture(QLatin1String("sample/") + sample);
        root.write(interfacesPath, before);
        QVector<Interface> records = absentRecords();
        if (device >= 0) {
            Interface &r = records[device];
            r.present = true;
            r.enabled = enabled;
            r.defaultGateway = defaultRoute;
            r.saveSettings(dhcp, QStringLiteral("192.168.1.10"), QStringLiteral("255.255.255.0"), gateway, hostName);
        }

        QCOMPARE(InterfacesFile::write(records.constData(), records.size()), !after.isNull());
        QCOMPARE(root.read(interfacesPath), after.isNull() ? before : after);
        if (after.isNull() || device < 0) {
            return;
        }
        QCOMPARE(root.read(interfacesPath + QLatin1String(".old")), before);

        // Read back, the record finds what it wrote; written again, the file stays as it is.
        Interface back = absentRecords().at(device);
        back.present = true;
        back.parseInterfacesList(*InterfacesFile::readLines(), std::nullopt);
        const Interface &written = records.at(device);
        QCOMPARE(fields(back, back.staticAddresses), fields(written, written.staticAddresses));
        records[device] = back;
        QVERIFY(InterfacesFile::write(records.constData(), records.size()));
        QCOMPARE(root.read(interfacesPath), after);
    }

    void findsUnsupportedOptions()
    {
        for (const char *line : {"mapping hotplug", "  \thwaddress ether 0:1", "servername x", "provider dsl"}) {
            QVERIFY2(InterfacesFile::hasUnsupportedOptions({QStringLiteral("auto lo"), QLatin1String(line)}), line);
        }
        for (const char *line : {"# script", "up /usr/local/bin/script", "Script /x", "address 10.0.0.1"}) {
            QVERIFY2(!InterfacesFile::hasUnsupportedOptions({QStringLiteral("auto lo"), QLatin1String(line)}), line);
        }
    }
};

QTEST_GUILESS_MAIN(InterfacesFileTest)
#include "interfacesfiletest.moc"
