// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The files the interface records are read from and written to: the stanzas
// of /etc/network/interfaces and the DHCP client's leases.

#include <QProcess>
#include <QTest>

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "systemroot.h"

namespace
{
const QString interfacesPath = QStringLiteral("/etc/network/interfaces");

InterfacesFile fileOf(const QString &text)
{
    return InterfacesFile(TextFile::splitLines(text.toLatin1(), 0));
}

// Records eth0 to eth4 as they read the lines, each present when the lines hold a stanza of its device.
QVector<Interface> recordsOf(const QString &lines)
{
    QVector<Interface> records(SystemFiles::RecordCount);
    for (int i = 0; i < records.size(); ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = lines.contains(QLatin1String("iface ") + records[i].deviceName + QLatin1Char(' '));
        records[i].parseInterfacesList(fileOf(lines), std::nullopt);
    }
    return records;
}

// Whether ifupdown reads the file without an error.
bool ifupdownReads(const QString &path)
{
    QProcess ifquery;
    ifquery.start(QStringLiteral("/sbin/ifquery"), {QStringLiteral("--list"), QStringLiteral("-i"), path});
    return ifquery.waitForFinished() && ifquery.exitStatus() == QProcess::NormalExit && ifquery.exitCode() == 0;
}

QStringList texts(std::initializer_list<const char *> values)
{
    QStringList result;
    for (const char *value : values) {
        result << QLatin1String(value);
    }
    return result;
}

QStringList addressesOf(const Addresses &a)
{
    return {a.ipAddress(), a.netmask(), a.network, a.broadcast, a.gateway};
}
}

class RecordFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsStanza_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QStringList>("addresses"); // address, netmask, network, broadcast, gateway
        QTest::addColumn<bool>("defaultGateway");
        QTest::addColumn<QString>("hostName");
        QTest::newRow("a static stanza derives network and broadcast, auto lo eth0 enables eth0")
            << "auto lo eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0" << true << false
            << texts({"192.168.1.10", "255.255.255.0", "192.168.1.0", "192.168.1.255", ""}) << false << "";
        QTest::newRow("network and broadcast lines after the netmask win over the derived ones")
            << "iface eth0 inet static\naddress 10.0.1.5\nnetmask 255.255.255.0\nnetwork 10.0.0.0\nbroadcast 10.0.255.255" << false << false
            << texts({"10.0.1.5", "255.255.255.0", "10.0.0.0", "10.0.255.255", ""}) << false << "";
        QTest::newRow("windows line ends")
            << "auto lo eth0\r\niface eth0 inet static\r\n    address 10.1.1.5\r\n    netmask 255.255.0.0\r\n    gateway 10.1.0.1\r\n"
            << true << false << texts({"10.1.1.5", "255.255.0.0", "10.1.0.0", "10.1.255.255", "10.1.0.1"}) << true << "";
        QTest::newRow("a route line gives a gateway that is no default route")
            << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0 gw 192.168.1.254" << false << false
            << texts({"", "", "", "", "192.168.1.254"}) << false << "";
        QTest::newRow("a route line without gw gives no gateway")
            << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 dev eth0" << false << false << texts({"", "", "", "", ""}) << false << "";
        QTest::newRow("a route line as the module writes it, the device after the gateway")
            << "iface eth0 inet static\nup route add -net 10.0.0.0 netmask 255.0.0.0 gw 192.168.1.253 dev eth0" << false << false
            << texts({"", "", "", "", "192.168.1.253"}) << false << "";
        QTest::newRow("comments change nothing; the stanza ends at the next iface line, not at auto or mapping")
            << "iface eth0 inet static\n#address 1.2.3.4\nauto eth1\nmapping hotplug\ngateway 10.0.0.1\niface eth1 inet static\naddress 10.0.0.2" << false
            << false << texts({"", "", "", "", "10.0.0.1"}) << true << "";
        QTest::newRow("auto veth0, auto eth0:0 and auto eth01 do not enable eth0")
            << "auto veth0\nauto eth0:0 eth01\nallow-hotplug veth0\niface eth0 inet static" << false << false << texts({"", "", "", "", ""}) << false << "";
        QTest::newRow("only the first inet stanza is read, not an inet6 stanza before it or an inet stanza after it")
            << "iface eth0 inet6 static\naddress 2001:db8::5\nnetmask 64\niface  eth0\tinet static\naddress 192.168.1.10\niface eth0 inet dhcp\nnetmask "
               "10.0.0.1"
            << false << false << texts({"192.168.1.10", "", "", "", ""}) << false << "";
        QTest::newRow("a line ending in a backslash is joined to the next, a comment continues nothing")
            << "iface eth0 inet static\n# netmask \\\naddress \\\n10.250.2.3\nnetmask 255.0.0.0 \\" << false << false
            << texts({"10.250.2.3", "255.0.0.0", "10.0.0.0", "10.255.255.255", ""}) << false << "";
        QTest::newRow("a host name after any path to the command, manual read as dhcp")
            << "auto lo eth0 eth1\niface eth0 inet manual\naddress 192.168.1.10\npre-up /usr/bin/hostname box2" << true << true << texts({"", "", "", "", ""})
            << false << "box2";
    }

    void readsStanza()
    {
        QFETCH(QString, lines);
        QFETCH(bool, enabled);
        QFETCH(bool, dhcp);
        QFETCH(QStringList, addresses);
        QFETCH(bool, defaultGateway);
        QFETCH(QString, hostName);
        const Interface eth0 = recordsOf(lines).at(0);
        QCOMPARE(eth0.enabled, enabled);
        QCOMPARE(eth0.method, dhcp ? Interface::Dhcp : Interface::Static);
        QCOMPARE(addressesOf(eth0.staticAddresses), addresses);
        QCOMPARE(eth0.oldIPAddress, addresses.at(0));
        QCOMPARE(eth0.defaultGateway, defaultGateway);
        QCOMPARE(eth0.dhcpHostName, hostName);
    }

    // A DHCP record shows the addresses of its lease, and says when it has none to read.
    void readsLease_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QByteArray>("leases"); // null: no lease file
        QTest::addColumn<bool>("read");
        QTest::addColumn<QStringList>("lease"); // address, netmask, network, broadcast, gateway
        QTest::addColumn<bool>("defaultGateway");
        const QByteArray sample = SystemRoot::fixture(QStringLiteral("sample/dhclient-eth0-released-and-renewed-then-eth1"));
        QTest::newRow("the device's last lease wins, with both routers")
            << "iface eth0 inet dhcp" << sample << true << texts({"10.0.3.57", "255.255.252.0", "10.0.0.0", "10.0.3.255", "10.0.0.1 10.0.0.2"}) << true;
        QTest::newRow("a static stanza reads no lease") << "iface eth0 inet static" << sample << true << texts({"", "", "", "", ""}) << false;
        QTest::newRow("no lease file") << "iface eth0 inet dhcp" << QByteArray() << false << texts({"", "", "", "", ""}) << false;
        QTest::newRow("a lease of another device, or with blanks inside the quotes, is not read")
            << "iface eth0 inet dhcp" << QByteArray("lease {\ninterface \" eth0\";\n}\nlease {\ninterface \"eth1\";\nfixed-address 1.1.1.1;\n}\n") << false
            << texts({"", "", "", "", ""}) << false;
        QTest::newRow("the lease ends at its closing brace")
            << "iface eth0 inet dhcp"
            << QByteArray("lease {\ninterface \"eth0\";\nfixed-address 1.1.1.1;\n}\nlease {\ninterface \"eth1\";\noption routers 2.2.2.1;\n}") << true
            << texts({"1.1.1.1", "", "", "", ""}) << false;
        QTest::newRow("a lease that opens the file is read")
            << "iface eth0 inet dhcp" << QByteArray("interface \"eth0\";\nfixed-address 1.1.1.1;\n}\n") << true << texts({"1.1.1.1", "", "", "", ""}) << false;
        QTest::newRow("lease lines are read with their white space simplified")
            << "iface eth0 inet dhcp" << QByteArray("lease {\n\tinterface  \"eth0\";\n  fixed-address\t10.1.1.1 ;\n\toption  subnet-mask 255.0.0.0;\n}\n")
            << true << texts({"10.1.1.1", "255.0.0.0", "10.0.0.0", "10.255.255.255", ""}) << false;
    }

    void readsLease()
    {
        QFETCH(QString, lines);
        QFETCH(QByteArray, leases);
        QFETCH(bool, read);
        QFETCH(QStringList, lease);
        QFETCH(bool, defaultGateway);
        Interface eth0;
        eth0.setInterfaceNumber(0);
        QCOMPARE(eth0.parseInterfacesList(fileOf(lines), leases.isNull() ? std::nullopt : std::optional<QByteArray>(leases)), read);
        QCOMPARE(addressesOf(eth0.dhcpAddresses), lease);
        QCOMPARE(eth0.defaultGateway, defaultGateway);
    }

    // The records to write are those that read the lines given. Every line
    // outside the stanzas written comes back as it was.
    void rewritesStanzas_data()
    {
        QTest::addColumn<QByteArray>("before"); // tests/data/sample/<name>
        QTest::addColumn<QString>("records");
        QTest::addColumn<QByteArray>("after"); // null: refused, the file left as it was
        const auto sample = [](const char *name) {
            return SystemRoot::fixture(QLatin1String("sample/") + QLatin1String(name));
        };
        QTest::newRow("dhcp to static, eth0 taken off the shared auto line")
            << sample("shared-auto-line") << "auto eth0\niface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0\ngateway 192.168.1.1"
            << QByteArray(
                   "auto lo\niface lo inet loopback\n\nauto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n"
                   "\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n\tgateway 192.168.1.1\n");
        QTest::newRow("a gateway that is no default route is written as a route to the device's own network")
            << sample("two-auto-lines")
            << "auto eth0\niface eth0 inet static\naddress 10.0.0.5\nnetmask 255.255.255.0\nup route add -net 10.1.0.0 netmask 255.255.0.0 gw 10.0.0.1 dev eth0"
            << QByteArray(
                   "auto lo\niface lo inet loopback\nauto eth0\niface eth0 inet static\n\taddress 10.0.0.5\n\tnetmask 255.255.255.0\n"
                   "\tbroadcast 10.0.0.255\n\tnetwork 10.0.0.0\n\tup route add -net 10.0.0.0 netmask 255.255.255.0 gw 10.0.0.1 dev eth0\n");
        QTest::newRow("static to dhcp keeps up and down, drops addresses and options, each with its continued lines")
            << sample("static-with-commands") << "auto eth0\niface eth0 inet dhcp\npre-up /bin/hostname box1"
            << QByteArray(
                   "# a comment continues nothing, even with a backslash at its end \\\nauto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box1\n"
                   "\tpost-down /bin/hostname -F /etc/hostname\n\tup ip link set eth0 mtu 1400\n\tup ifup ppp0\\\n=dsl\n\tdown /usr/local/bin/cleanup\n");
        QTest::newRow("dhcp drops the host name lines only, comments stay as they were")
            << sample("dhcp-with-commands") << "iface eth0 inet dhcp"
            << QByteArray("iface eth0 inet dhcp\n\tpre-up /sbin/ethtool -s eth0 wol g\n\tpost-up /usr/local/bin/notify\n\t# keep me\n\n\tprovider dsl\n");
        QTest::newRow("a stanza appended after a backslash line comes after an empty line")
            << sample("loopback-continued") << "auto eth1\niface eth1 inet dhcp"
            << QByteArray("auto   lo\niface lo inet loopback\n   up  true \\\n\nauto eth1\niface eth1 inet dhcp\n");
        QTest::newRow("a word with a backslash, last once the device is off its auto line, continues into an empty line")
            << sample("auto-word-with-backslash") << "iface eth0 inet dhcp" << QByteArray("auto lo tap\\\n\niface lo inet loopback\n\niface eth0 inet dhcp\n");
        QTest::newRow("entries after the stanza come back as they were, the absent eth1's stanza too")
            << sample("entries-after-stanza") << "iface eth0 inet dhcp" << sample("entries-after-stanza");
        QTest::newRow("a stanza on the file's first line is rewritten, the entries after it kept")
            << sample("entries-after-stanza") << "iface eth0 inet static\naddress 10.0.0.5"
            << QByteArray("iface eth0 inet static\n\taddress 10.0.0.5\n" + sample("entries-after-stanza").mid(21));
        QTest::newRow("without a present record the file comes back as it was") << sample("dhcp-with-commands") << QString() << sample("dhcp-with-commands");
        QTest::newRow("an option under an auto line, that would strand in eth0's stanza, refuses the save")
            << sample("misplaced-option-after-auto") << "iface eth1 inet dhcp" << QByteArray();
        QTest::newRow("a disabled device leaves its allow-hotplug line")
            << sample("debian-installer") << "iface eth0 inet dhcp" << sample("debian-installer").replace("allow-hotplug eth0\n", "");
        QTest::newRow("an enabled device on an allow-hotplug line and an auto line gets an auto line of its own")
            << sample("similar-names") << "allow-hotplug eth1\nauto eth1\niface eth1 inet dhcp"
            << QByteArray(
                   "auto lo eth0 veth1\nauto veth2 eth10\niface veth1 inet manual\niface eth10 inet static\naddress 10.1.0.1\nauto eth1\niface eth1 inet "
                   "dhcp\n");
        QTest::newRow(
            "a continued address is read whole and written on one line, a kept command keeps its continuation, a backslash before a blank continues nothing")
            << sample("continued-address") << "auto eth0\niface eth0 inet static\naddress 10.250.2.3\nnetmask 255.255.0.0"
            << QByteArray(
                   "auto eth0\niface eth0 inet static\n\taddress 10.250.2.3\n\tnetmask 255.255.0.0\n\tbroadcast 10.250.255.255\n\tnetwork 10.250.0.0\n"
                   "\tup ip route add 10.9.0.0/16 \\\n\t    via 10.250.0.1\n\tdown echo done \\ \n");
        QTest::newRow("only the first inet stanza is rewritten, the inet6 one and a later one come back as they were")
            << sample("eth0-inet6-and-two-inet-stanzas") << "iface eth0 inet static\naddress 192.168.1.10\nnetmask 255.255.255.0"
            << QByteArray(
                   "iface eth0 inet6 static\n    address 2001:db8::5\n    netmask 64\n\niface eth0 inet static\n\taddress 192.168.1.10\n"
                   "\tnetmask 255.255.255.0\n\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n\n"
                   "iface eth0 inet static\n    address 192.168.2.10\n    netmask 255.255.255.0\n");
    }

    void rewritesStanzas()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, records);
        QFETCH(QByteArray, after);
        SystemRoot root;
        root.write(interfacesPath, before);
        const bool ifupdownReadsBefore = ifupdownReads(root.path(interfacesPath));
        QVector<Interface> written = recordsOf(records);
        // Written again, as the records read the new file, it stays as it is.
        for (int save = 0; save < 2; ++save) {
            QCOMPARE(InterfacesFile::write(written.constData(), written.size()).has_value(), !after.isNull());
            QCOMPARE(root.read(interfacesPath), after.isNull() ? before : after);
            for (Interface &r : written) {
                r.parseInterfacesList(*InterfacesFile::read(), std::nullopt);
            }
        }
        if (ifupdownReadsBefore) {
            QVERIFY(ifupdownReads(root.path(interfacesPath)));
        }
    }
};

QTEST_GUILESS_MAIN(RecordFilesTest)
#include "recordfilestest.moc"
