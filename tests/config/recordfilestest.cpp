// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The files the interface records are read from and written to: the stanzas
// of /etc/network/interfaces and the DHCP client's leases.

#include <QDir>
#include <QTest>

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "recordtext.h"
#include "systemroot.h"

class RecordFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A dhcp record shows the addresses of its lease, marked when it has none to read.
    void parsesStanzaAndLease_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QByteArray>("leases"); // null: no lease file
        QTest::addColumn<QString>("eth0"); // as RecordText words
        const QByteArray sample = SystemRoot::fixture(QStringLiteral("sample/dhclient-eth0-released-and-renewed-then-eth1"));
        QTest::newRow("static stanza derives network and broadcast")
            << "auto lo eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0" << sample
            << "auto ip=192.168.1.10 mask=255.255.255.0 net=192.168.1.0 bc=192.168.1.255 old=192.168.1.10";
        QTest::newRow("network and broadcast lines after the netmask win over the derived ones")
            << "iface eth0 inet static\naddress 10.0.1.5\nnetmask 255.255.255.0\nnetwork 10.0.0.0\nbroadcast 10.0.255.255" << QByteArray()
            << "ip=10.0.1.5 mask=255.255.255.0 net=10.0.0.0 bc=10.0.255.255 old=10.0.1.5";
        QTest::newRow("route line gives a gateway only")
            << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0 gw 192.168.1.254" << QByteArray() << "gw=192.168.1.254";
        QTest::newRow("route line as the module writes it, the device after the gateway")
            << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.253 dev eth0" << QByteArray() << "gw=192.168.1.253";
        QTest::newRow("comments change nothing; the stanza ends at the next iface line, not at auto or mapping")
            << "iface eth0 inet static\n#address 1.2.3.4\nauto eth1\nmapping hotplug\ngateway 10.0.0.1\niface eth1 inet static\naddress 10.0.0.2"
            << QByteArray() << "gw=10.0.0.1 default";
        QTest::newRow("auto veth0, auto eth0:0 and auto eth01 do not name eth0")
            << "auto veth0\nauto eth0:0 eth01\niface eth0 inet static" << QByteArray() << "";
        QTest::newRow("host name after any path to the command, manual read as dhcp")
            << "auto lo eth0 eth1\niface eth0 inet manual\naddress 192.168.1.10\npre-up /usr/bin/hostname box2" << QByteArray()
            << "auto dhcp host=box2 no lease";
        QTest::newRow("the device's last lease wins, with both routers")
            << "iface eth0 inet dhcp" << sample << "dhcp default lip=10.0.3.57 lmask=255.255.252.0 lnet=10.0.0.0 lbc=10.0.3.255 lgw=10.0.0.1 10.0.0.2";
        QTest::newRow("a lease of another device, or with blanks inside the quotes, is not read")
            << "iface eth0 inet dhcp" << QByteArray("lease {\ninterface \" eth0\";\n}\nlease {\ninterface \"eth1\";\nfixed-address 1.1.1.1;\n}\n")
            << "dhcp no lease";
        QTest::newRow("the lease scan stops at the end of the block")
            << "iface eth0 inet dhcp"
            << QByteArray("lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\nlease {\ninterface \"eth1\";\noption routers 2.2.2.1;\n}")
            << "dhcp lip=1.1.1.1";
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
        Interface record = RecordText::records(QString()).at(0);
        const bool leaseRead = record.parseInterfacesList(SimplifiedLines(lines.toLatin1()));
        QCOMPARE(QString(RecordText::describe(record) + QLatin1String(leaseRead ? "" : " no lease")), eth0);
    }

    // What the Interfaces tab saves in a record is what its stanza says.
    void writesSavedSettings_data()
    {
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<QString>("stanza");
        QTest::newRow("dhcp with a host name") << true << QString() << "box"
                                               << "auto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box\n\tpost-down /bin/hostname -F /etc/hostname";
        QTest::newRow("static with a gateway that is no default route")
            << false << "192.168.1.1" << QString()
            << "auto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n\tbroadcast 192.168.1.255\n\tnetwork "
               "192.168.1.0\n\tup route add -net 192.168.1.0 netmask 255.255.255.0 gw 192.168.1.1 dev eth0";
    }

    void writesSavedSettings()
    {
        QFETCH(bool, dhcp);
        QFETCH(QString, gateway);
        QFETCH(QString, hostName);
        QFETCH(QString, stanza);
        Interface record = RecordText::records(QString()).at(0);
        record.enabled = true;
        record.present = true;
        record.saveSettings(dhcp, QStringLiteral("192.168.1.10"), QStringLiteral("255.255.255.0"), gateway, hostName);
        QCOMPARE(InterfacesFile::rewrite(SimplifiedLines(), &record, 1).value_or(QByteArray()), stanza.toLatin1() + '\n');
    }

    // The records to write are those that read the stanza given.
    void rewritesStanzas_data()
    {
        QTest::addColumn<QString>("sample"); // tests/data/sample/<name>, the file before
        QTest::addColumn<QString>("stanza");
        QTest::addColumn<QByteArray>("after"); // null: refused, the file left as it was
        const QByteArray written =
            "auto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n";
        QTest::newRow("dhcp to static, eth0 taken off the shared auto line")
            << "shared-auto-line"
            << "auto eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0\ngateway 192.168.1.1"
            << "auto lo\niface lo inet loopback\n\n" + written + "\tgateway 192.168.1.1\n";
        QTest::newRow("a disabled device leaves every auto line")
            << "two-auto-lines"
            << "iface eth0 inet dhcp" << QByteArray("auto lo\niface lo inet loopback\niface eth0 inet dhcp\n");
        QTest::newRow("static to dhcp keeps up and down, drops addresses and options, each with its continued lines")
            << "static-with-commands"
            << "auto eth0\niface eth0 inet dhcp\npre-up /bin/hostname box1"
            << QByteArray(
                   "# a comment continues nothing, even with a backslash at its end \\\nauto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box1\n"
                   "\tpost-down /bin/hostname -F /etc/hostname\n\tup ip link set eth0 mtu 1400\n\tup ifup ppp0\\\n=dsl\n\tdown /usr/local/bin/cleanup\n");
        QTest::newRow("dhcp drops the host name lines only")
            << "dhcp-with-commands"
            << "iface eth0 inet dhcp"
            << QByteArray("iface eth0 inet dhcp\n\tpre-up /sbin/ethtool -s eth0 wol g\n\tpost-up /usr/local/bin/notify\n# keep me\n\n\tprovider dsl\n");
        QTest::newRow("a stanza appended after a backslash line comes after an empty line")
            << "loopback-continued"
            << "auto eth1\niface eth1 inet dhcp" << QByteArray("auto lo\niface lo inet loopback\n\tup true \\\n\nauto eth1\niface eth1 inet dhcp\n");
        QTest::newRow("a word with a backslash, last once the device is off its auto line, continues into an empty line")
            << "auto-word-with-backslash"
            << "iface eth0 inet dhcp" << QByteArray("auto lo tap\\\n\niface lo inet loopback\n\niface eth0 inet dhcp\n");
        QTest::newRow("entries after the stanza are carried over, the absent eth1's stanza too")
            << "entries-after-stanza"
            << "iface eth0 inet dhcp"
            << QByteArray(
                   "iface eth0 inet dhcp\nauto eth1\n\tallow-hotplug eth2\n\tsource-directory interfaces.d\n\tmapping hotplug\n\tscript /usr/local/bin/map\n"
                   "iface eth1 inet dhcp\n");
        QTest::newRow("without a present record nothing is indented: the lines are only simplified")
            << "dhcp-with-commands" << QString()
            << QByteArray(
                   "auto eth0\niface eth0 inet dhcp\npre-up /bin/hostname box1\npre-up /sbin/ethtool -s eth0 wol g\n"
                   "post-down /bin/hostname -F /etc/hostname\npost-up /usr/local/bin/notify\n# keep me\n\nprovider dsl\n");
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
        const QString interfacesPath = QStringLiteral("/etc/network/interfaces");
        root.write(interfacesPath, before);
        QVector<Interface> records = RecordText::records(QString());
        for (Interface &r : records) {
            r.present = stanza.contains(QLatin1String("iface ") + r.deviceName + QLatin1Char(' '));
            r.parseInterfacesList(SimplifiedLines(stanza.toLatin1()), std::nullopt);
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
};

QTEST_GUILESS_MAIN(RecordFilesTest)
#include "recordfilestest.moc"
