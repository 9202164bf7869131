// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The files the interface records are read from and written to: the stanzas
// of /etc/network/interfaces, the DHCP client's leases, and /etc/hosts.

#include <QDir>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "systemroot.h"

namespace
{
const QString interfacesPath = QStringLiteral("/etc/network/interfaces");

// "auto,method,address,netmask,network,broadcast,gateway,default,host name" of a record.
QString fields(const Interface &r, const Addresses &a)
{
    const QStringList method{QLatin1String(r.enabled ? "auto" : "noauto"), QLatin1String(r.method == Interface::Dhcp ? "dhcp" : "static")};
    const QStringList values{a.ipAddress(), a.netmask(), a.network, a.broadcast, a.gateway, QLatin1String(r.defaultGateway ? "default" : "")};
    return (method + values + QStringList{r.dhcpHostName}).join(QLatin1Char(','));
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

class RecordFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A dhcp record shows the addresses of its lease, marked when it has none to read.
    void parsesStanzaAndLease_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QByteArray>("leases"); // null: no lease file
        QTest::addColumn<QString>("eth0");
        const QByteArray sample = SystemRoot::fixture(QStringLiteral("sample/dhclient-eth0-released-and-renewed-then-eth1"));
        QTest::newRow("static stanza derives network and broadcast") << "auto lo eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0"
                                                                     << sample << "auto,static,192.168.1.10,255.255.255.0,192.168.1.0,192.168.1.255,,,";
        QTest::newRow("network and broadcast after the netmask win")
            << "iface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0\nnetwork 10.0.0.0\nbroadcast 10.255.255.255" << QByteArray()
            << "noauto,static,192.168.1.10,255.255.255.0,10.0.0.0,10.255.255.255,,,";
        QTest::newRow("route line gives a gateway only") << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0 gw 192.168.1.254"
                                                         << QByteArray() << "noauto,static,,,,,192.168.1.254,,";
        QTest::newRow("gateway line before a route line wins")
            << "iface eth0 inet static\ngateway 192.168.1.1\nup route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.254 dev eth0" << QByteArray()
            << "noauto,static,,,,,192.168.1.1,default,";
        QTest::newRow("comments change nothing; the stanza ends at the next iface line, not at auto or mapping")
            << "iface eth0 inet static\n#address 1.2.3.4\nauto eth1\nmapping hotplug\ngateway 10.0.0.1\niface eth1 inet static\naddress 10.0.0.2"
            << QByteArray() << "noauto,static,,,,,10.0.0.1,default,";
        QTest::newRow("only the first stanza of the device is read")
            << "iface eth0 inet static\niface eth0 inet dhcp" << QByteArray() << "noauto,static,,,,,,,";
        QTest::newRow("auto veth0, auto eth0:0 and auto eth01 do not name eth0")
            << "auto veth0\nauto eth0:0 eth01\niface eth0 inet static" << QByteArray() << "noauto,static,,,,,,,";
        QTest::newRow("host name after any path to the command, manual read as dhcp")
            << "auto lo eth0 eth1\niface eth0 inet manual\naddress 192.168.1.10\npre-up /usr/bin/hostname box2" << QByteArray()
            << "auto,dhcp,,,,,,,box2 no lease";
        QTest::newRow("the device's last lease wins, with both routers")
            << "iface eth0 inet dhcp" << sample << "noauto,dhcp,10.0.3.57,255.255.252.0,10.0.0.0,10.0.3.255,10.0.0.1 10.0.0.2,default,";
        QTest::newRow("a lease of another device, or with blanks inside the quotes, is not read")
            << "iface eth0 inet dhcp" << QByteArray("lease {\ninterface \" eth0\";\n}\nlease {\ninterface \"eth1\";\nfixed-address 1.1.1.1;\n}\n")
            << "noauto,dhcp,,,,,,, no lease";
        QTest::newRow("tabs and blanks in the lease file are simplified")
            << "iface eth0 inet dhcp" << QByteArray("lease {\n\t interface   \"eth0\";\n\t\toption  routers\t10.0.0.1 ;\n}\n")
            << "noauto,dhcp,,,,,10.0.0.1,default,";
        QTest::newRow("the lease scan stops at the end of the block")
            << "iface eth0 inet dhcp"
            << QByteArray("lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\nlease {\ninterface \"eth1\";\noption routers 2.2.2.1;\n}")
            << "noauto,dhcp,1.1.1.1,,,,,,";
    }

    void parsesStanzaAndLease()
    {
        QFETCH(QString, lines);
        QFETCH(QByteArray, leases);
        QFETCH(QString, eth0);
        SystemRoot root;
        if (!leases.isNull()) {
            root.write(QStringLiteral("/var/dhcp/dhclient.leases"), leases);
        }
        Interface record = absentRecords().at(0);
        const bool leaseRead = record.parseInterfacesList(lines.split(QLatin1Char('\n')));
        const Addresses &shown = record.method == Interface::Dhcp ? record.dhcpAddresses : record.staticAddresses;
        QCOMPARE(fields(record, shown) + QLatin1String(leaseRead ? "" : " no lease"), eth0);

        // Parsing never clears a field whose line is missing.
        Interface eth4 = absentRecords().at(4);
        eth4.saveSettings(false, QStringLiteral("10.9.9.9"), QStringLiteral("255.0.0.0"), QStringLiteral("10.9.9.1"), QString());
        eth4.parseInterfacesList(lines.split(QLatin1Char('\n')));
        QCOMPARE(fields(eth4, eth4.staticAddresses), QStringLiteral("noauto,static,10.9.9.9,255.0.0.0,10.0.0.0,10.255.255.255,10.9.9.1,,"));
    }

    // The records to write are those that read the stanza given.
    void rewritesStanzas_data()
    {
        QTest::addColumn<QString>("sample"); // tests/data/sample/<name>, the file before
        QTest::addColumn<QString>("stanza");
        QTest::addColumn<QByteArray>("after"); // null: refused, the file left as it was
        const QString staticEth0 = QStringLiteral("auto eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0\n");
        const QByteArray written =
            "auto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n";
        QTest::newRow("dhcp to static, eth0 taken off the shared auto line") << "shared-auto-line" << staticEth0 + QLatin1String("gateway 192.168.1.1")
                                                                             << "auto lo\niface lo inet loopback\n\n" + written + "\tgateway 192.168.1.1\n";
        QTest::newRow("a gateway of the own network only is a route")
            << "shared-auto-line" << staticEth0 + QLatin1String("up route add -net 192.168.1.0 netmask 255.255.255.0 gw 192.168.1.1 dev eth0")
            << "auto lo\niface lo inet loopback\n\n" + written + "\tup route add -net 192.168.1.0 netmask 255.255.255.0 gw 192.168.1.1 dev eth0\n";
        QTest::newRow("a disabled device leaves every auto line")
            << "two-auto-lines"
            << "iface eth0 inet dhcp" << QByteArray("auto lo\niface lo inet loopback\niface eth0 inet dhcp\n");
        QTest::newRow("static to dhcp keeps up and down, drops addresses and options, each with its continued lines")
            << "static-with-commands"
            << "auto eth0\niface eth0 inet dhcp\npre-up /bin/hostname box1"
            << QByteArray(
                   "# a comment continues nothing, even with a backslash at its end \\\nauto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box1\n"
                   "\tpost-down /bin/hostname -F /etc/hostname\n\tup ip link set eth0 mtu 1400\n\tup ifup ppp0\\\n=dsl\n\tdown /usr/local/bin/cleanup\n");
        QTest::newRow("dhcp to static drops every pre-up and post-down")
            << "dhcp-with-commands" << staticEth0 << written + "\tpost-up /usr/local/bin/notify\n# keep me\n\n\tprovider dsl\n";
        QTest::newRow("dhcp drops the host name lines only")
            << "dhcp-with-commands"
            << "iface eth0 inet dhcp"
            << QByteArray("iface eth0 inet dhcp\n\tpre-up /sbin/ethtool -s eth0 wol g\n\tpost-up /usr/local/bin/notify\n# keep me\n\n\tprovider dsl\n");
        QTest::newRow("a stanza appended after a backslash line comes after an empty line")
            << "loopback-continued"
            << "auto eth1\niface eth1 inet dhcp" << QByteArray("auto lo\niface lo inet loopback\n\tup true \\\n\nauto eth1\niface eth1 inet dhcp\n");
        QTest::newRow("eth1 taken off its auto line, veth1, veth2 and eth10 left as they are")
            << "similar-names"
            << "iface eth1 inet dhcp"
            << QByteArray("auto lo eth0 veth1\nauto veth2 eth10\niface veth1 inet manual\niface eth10 inet static\n\taddress 10.1.0.1\niface eth1 inet dhcp\n");
        QTest::newRow("entries after the stanza are carried over, the absent eth1's stanza too")
            << "entries-after-stanza"
            << "iface eth0 inet dhcp"
            << QByteArray(
                   "iface eth0 inet dhcp\nauto eth1\n\tallow-hotplug eth2\n\tsource-directory interfaces.d\n\tmapping hotplug\n\tscript /usr/local/bin/map\n"
                   "iface eth1 inet dhcp\n");
        QTest::newRow("without a present record the lines are only simplified") << "loopback-continued"
                                                                                << "" << QByteArray("auto lo\niface lo inet loopback\nup true \\\n");
        QTest::newRow("an option under an auto line, that would strand in eth0's stanza, refuses the save") << "misplaced-option-after-auto"
                                                                                                            << "iface eth1 inet dhcp" << QByteArray();
    }

    void rewritesStanzas()
    {
        QFETCH(QString, sample);
        QFETCH(QString, stanza);
        QFETCH(QByteArray, after);
        SystemRoot root;
        const QByteArray before = SystemRoot::fixture(QLatin1String("sample/") + sample);
        root.write(interfacesPath, before);
        QVector<Interface> records = absentRecords();
        for (Interface &r : records) {
            r.present = stanza.contains(QLatin1String("iface ") + r.deviceName + QLatin1Char(' '));
            r.parseInterfacesList(stanza.split(QLatin1Char('\n')), std::nullopt);
        }
        // Written again, as the records read the new file, it stays as it is.
        for (int save = 0; save < 2; ++save) {
            QCOMPARE(InterfacesFile::write(records.constData(), records.size()), !after.isNull());
            QCOMPARE(root.read(interfacesPath), after.isNull() ? before : after);
            for (Interface &r : records) {
                r.parseInterfacesList(*InterfacesFile::readLines(), std::nullopt);
            }
        }
    }

    // Options the records cannot hold, at a line's start and in their case.
    void findsUnsupportedOptions()
    {
        for (const char *line : {"mapping hotplug", "  \thwaddress ether 0:1", "servername x", "provider dsl"}) {
            QVERIFY2(InterfacesFile::hasUnsupportedOptions({QLatin1String(line)}), line);
        }
        QVERIFY(!InterfacesFile::hasUnsupportedOptions({QStringLiteral("# script"), QStringLiteral("up /usr/local/bin/script"), QStringLiteral("Script /x")}));
    }

    // The hosts file, for the host "box.example.org": eth0 is the one present record.
    void rewritesHostsFile_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QString>("addresses"); // "static,as loaded,lease"
        QTest::addColumn<bool>("identityChanged");
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new static address appended when no line held the old one")
            << true << false << "192.168.1.7,192.168.1.5," << false << QByteArray("127.0.0.1 localhost\n# 192.168.1.5 old\n")
            << QByteArray("127.0.0.1 localhost\n# 192.168.1.5 old\n192.168.1.7 box.example.org box\n");
        QTest::newRow("first line of the old address replaced in place, later ones removed")
            << true << false << "192.168.1.7,192.168.1.5," << false
            << QByteArray("127.0.0.1 localhost\n192.168.1.5 box.example.org box\n10.1.1.1 printer\n192.168.1.5 alias\n")
            << QByteArray("127.0.0.1 localhost\n192.168.1.7 box.example.org box\n10.1.1.1 printer\n");
        QTest::newRow("switch to dhcp drops every line of the former static address, comments stay")
            << true << true << "192.168.1.5,192.168.1.5,10.0.0.50" << false
            << QByteArray("192.168.1.5 box.example.org box\n# 192.168.1.5 was static\n192.168.1.5 alias\n") << QByteArray("# 192.168.1.5 was static\n");
        QTest::newRow("disabled interface loses its entry") << false << false << "192.168.1.5,192.168.1.5," << false
                                                            << QByteArray("127.0.0.1 localhost\n192.168.1.5 box\n") << QByteArray("127.0.0.1 localhost\n");
        QTest::newRow("address 10.0.0.1 claims the line of 10.0.0.12")
            << true << false << "10.0.0.2,10.0.0.1," << false << QByteArray("10.0.0.12 other\n") << QByteArray("10.0.0.2 box.example.org box\n");
        QTest::newRow("lease line kept once for an enabled dhcp interface, names kept")
            << true << true << ",,10.0.0.50" << false << QByteArray("10.0.0.50 oldname\n10.0.0.50 again\n") << QByteArray("10.0.0.50 oldname\n");
        QTest::newRow("lease line dropped once the interface is static")
            << true << false << "192.168.1.5,192.168.1.5,10.0.0.50" << false << QByteArray("192.168.1.5 box.example.org box\n10.0.0.50 lease\n")
            << QByteArray("192.168.1.5 box.example.org box\n");
        QTest::newRow("missing file created with the loopback line")
            << true << false << "192.168.1.7,192.168.1.7," << false << QByteArray()
            << QByteArray("127.0.0.1 localhost.localdomain localhost\n192.168.1.7 box.example.org box\n");
        QTest::newRow("untouched lines keep their bytes, ascii white space simplified")
            << true << false << "192.168.1.7,192.168.1.5," << false
            << QByteArray("127.0.0.1\tlocalhost  \n  # caf\xe9 \xc3\xa9t\xc3\xa9\xa0x\n\n0.0.0.0\tads.example.com\t\t# bloqu\xe9\n")
            << QByteArray("127.0.0.1 localhost\n# caf\xe9 \xc3\xa9t\xc3\xa9\xa0x\n\n0.0.0.0 ads.example.com # bloqu\xe9\n192.168.1.7 box.example.org box\n");
        QTest::newRow("names rewritten when the identity changed")
            << true << true << ",,10.0.0.50" << true << QByteArray("10.0.0.50 oldname\n") << QByteArray("10.0.0.50 box.example.org box\n");
    }

    void rewritesHostsFile()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, dhcp);
        QFETCH(QString, addresses);
        QFETCH(bool, identityChanged);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        if (!before.isNull()) {
            root.write(QStringLiteral("/etc/hosts"), before);
        }
        QVector<Interface> records = absentRecords();
        records[0].present = true;
        records[0].enabled = enabled;
        records[0].method = dhcp ? Interface::Dhcp : Interface::Static;
        records[0].staticAddresses.setIPAddress(addresses.section(QLatin1Char(','), 0, 0));
        records[0].oldIPAddress = addresses.section(QLatin1Char(','), 1, 1);
        records[0].dhcpAddresses.setIPAddress(addresses.section(QLatin1Char(','), 2, 2));
        const BasicNetCfg identity{QStringLiteral("box"), QStringLiteral("example.org")};
        const HostsFile hosts(identity, records.constData(), identityChanged);

        QVERIFY(hosts.writeHosts());
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), after);
        if (before.isNull()) {
            QCOMPARE(root.read(QStringLiteral("/etc/hosts.old")),
                     QByteArray("127.0.0.1\tlocalhost.localdomain\tlocalhost\n192.168.1.7\tbox.example.org\tbox\n"));
        }
    }
};

QTEST_GUILESS_MAIN(RecordFilesTest)
#include "recordfilestest.moc"
