// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "config/interface.h"
#include "config/interfacesfile.h"
#include "systemroot.h"

Q_DECLARE_METATYPE(Interface)

namespace
{
const QString interfacesPath = QStringLiteral("/etc/network/interfaces");

Interface record(int number, bool enabled)
{
    Interface result;
    result.setInterfaceNumber(number);
    result.present = true;
    result.enabled = enabled;
    return result;
}

Interface staticRecord(int number, bool enabled, const char *address, const char *netmask, const char *gateway, bool defaultGateway)
{
    Interface result = record(number, enabled);
    result.saveSettings(false, QString::fromLatin1(address), QString::fromLatin1(netmask), QString::fromLatin1(gateway), QString());
    result.defaultGateway = defaultGateway;
    return result;
}

Interface dhcpRecord(int number, bool enabled, const char *hostName)
{
    Interface result = record(number, enabled);
    result.saveSettings(true, QString(), QString(), QString(), QString::fromLatin1(hostName));
    return result;
}

Interface absentRecord(int number)
{
    Interface result = dhcpRecord(number, true, "absent");
    result.present = false;
    return result;
}

// What Debian's own ifupdown makes of the file: "key: value" lines per device.
QStringList ifquery(const QStringList &arguments)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("ifquery"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (tool.isEmpty()) {
        qFatal("ifquery is missing: install the package ifupdown (scripts/install-deps)");
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(10000)) {
        return {QStringLiteral("ifquery did not finish")};
    }
    return QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The lines ifquery must print for a record, in the order the writer emits them.
QStringList expectedQuery(const Interface &written)
{
    QStringList lines;
    if (written.method == Interface::Dhcp) {
        if (!written.dhcpHostName.isEmpty()) {
            lines << QLatin1String("pre-up: /bin/hostname ") + written.dhcpHostName << QStringLiteral("post-down: /bin/hostname -F /etc/hostname");
        }
        return lines;
    }
    const Addresses &a = written.staticAddresses;
    lines << QLatin1String("address: ") + a.ipAddress() << QLatin1String("netmask: ") + a.netmask() << QLatin1String("broadcast: ") + a.broadcast
          << QLatin1String("network: ") + a.network;
    if (written.defaultGateway) {
        lines << QLatin1String("gateway: ") + a.gateway;
    } else {
        lines << QStringLiteral("up: route add -net %1 netmask %2 gw %3 dev %4").arg(a.network, a.netmask(), a.gateway, written.deviceName);
    }
    return lines;
}

QString readBack(const QStringList &lines, const Interface &written)
{
    Interface back;
    back.setInterfaceNumber(written.interfaceNumber);
    back.parseInterfacesList(lines);
    const auto differs = [](const char *field, const QString &wrote, const QString &read) {
        return wrote == read ? QString() : QStringLiteral("%1: wrote %2, read %3; ").arg(QLatin1String(field), wrote, read);
    };
    QString differences = differs("enabled", QString::number(written.enabled), QString::number(back.enabled))
        + differs("method", QString::number(written.method), QString::number(back.method));
    if (written.method == Interface::Dhcp) {
        return differences + differs("host name", written.dhcpHostName, back.dhcpHostName);
    }
    const Addresses &w = written.staticAddresses;
    const Addresses &r = back.staticAddresses;
    return differences + differs("address", w.ipAddress(), r.ipAddress()) + differs("netmask", w.netmask(), r.netmask())
        + differs("network", w.network, r.network) + differs("broadcast", w.broadcast, r.broadcast) + differs("gateway", w.gateway, r.gateway)
        + differs("default gateway", QString::number(written.defaultGateway), QString::number(back.defaultGateway));
}
}

class InterfacesFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rewritesStanzas_data()
    {
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<QVector<Interface>>("records");
        QTest::addColumn<QByteArray>("expected");

        const Interface staticDefault = staticRecord(0, true, "192.168.1.10", "255.255.255.0", "192.168.1.1", true);
        const QByteArray staticDefaultStanza =
            "auto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n"
            "\tgateway 192.168.1.1\n";
        const QByteArray loopbackAndDhcp = "auto lo eth0\niface lo inet loopback\n\niface eth0 inet dhcp\n";

        QTest::newRow("dhcp to static, eth0 taken off the shared auto line")
            << loopbackAndDhcp << QVector<Interface>{staticDefault} << "auto lo\niface lo inet loopback\n\n" + staticDefaultStanza;
        QTest::newRow("gateway of the own network only")
            << loopbackAndDhcp << QVector<Interface>{staticRecord(0, true, "192.168.1.10", "255.255.255.0", "192.168.1.1", false)}
            << QByteArray(
                   "auto lo\niface lo inet loopback\n\nauto eth0\niface eth0 inet static\n\taddress 192.168.1.10\n\tnetmask 255.255.255.0\n"
                   "\tbroadcast 192.168.1.255\n\tnetwork 192.168.1.0\n\tup route add -net 192.168.1.0 netmask 255.255.255.0 gw 192.168.1.1 dev eth0\n");
        QTest::newRow("disabled device leaves every auto line")
            << QByteArray("auto lo eth0\nauto eth0\niface lo inet loopback\niface eth0 inet dhcp\n") << QVector<Interface>{dhcpRecord(0, false, "")}
            << QByteArray("auto lo\niface lo inet loopback\niface eth0 inet dhcp\n");
        QTest::newRow("static to dhcp keeps up and down, drops addresses and options")
            << QByteArray(
                   "iface eth0 inet static\n  address 10.0.0.5\n  netmask 255.0.0.0\n  gateway 10.0.0.1\n"
                   "  up route add -net 10.0.0.0 netmask 255.0.0.0 gw 10.0.0.1 dev eth0\n  up ip link set eth0 mtu 1400\n"
                   "  hwaddress ether 00:11:22:33:44:55\n  down /usr/local/bin/cleanup\n  dns-search lab.example.net\n")
            << QVector<Interface>{dhcpRecord(0, true, "box1")}
            << QByteArray(
                   "auto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box1\n\tpost-down /bin/hostname -F /etc/hostname\n"
                   "\tup ip link set eth0 mtu 1400\n\tdown /usr/local/bin/cleanup\n");
        QTest::newRow("dhcp to static drops every pre-up and post-down")
            << QByteArray(
                   "auto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname box1\n\tpre-up /sbin/ethtool -s eth0 wol g\n"
                   "\tpost-down /bin/hostname -F /etc/hostname\n\tpost-up /usr/local/bin/notify\n")
            << QVector<Interface>{staticDefault} << staticDefaultStanza + "\tpost-up /usr/local/bin/notify\n";
        QTest::newRow("dhcp keeps pre-up of other commands, no host name lines")
            << QByteArray("iface eth0 inet dhcp\n\tpre-up /bin/hostname old\n\tpre-up /sbin/ethtool -s eth0 wol g\n\t# keep me\n\n\tprovider dsl\n")
            << QVector<Interface>{dhcpRecord(0, false, "")}
            << QByteArray("iface eth0 inet dhcp\n\tpre-up /sbin/ethtool -s eth0 wol g\n# keep me\n\n\tprovider dsl\n");
        QTest::newRow("stanza appended at the very end") << QByteArray("auto lo\niface lo inet loopback\n\n") << QVector<Interface>{staticDefault}
                                                         << "auto lo\niface lo inet loopback\n\n" + staticDefaultStanza;
        QTest::newRow("two stanzas of the device both replaced") << QByteArray("iface eth0 inet dhcp\niface eth0 inet6 auto\n\tprivext 2\n")
                                                                 << QVector<Interface>{staticDefault} << staticDefaultStanza + staticDefaultStanza;
        QTest::newRow("eth10 is left to itself")
            << QByteArray("auto eth10\niface eth10 inet static\naddress 10.1.0.1\nnetmask 255.255.0.0\n")
            << QVector<Interface>{absentRecord(0), dhcpRecord(1, true, "")}
            << QByteArray("auto eth10\niface eth10 inet static\n\taddress 10.1.0.1\n\tnetmask 255.255.0.0\nauto eth1\niface eth1 inet dhcp\n");
        QTest::newRow("entries after the stanza are carried over")
            << QByteArray(
                   "iface eth0 inet dhcp\nauto eth1\nallow-hotplug eth2\nsource-directory interfaces.d\nmapping hotplug\n\tscript /usr/local/bin/map\n"
                   "iface eth1 inet dhcp\n")
            << QVector<Interface>{dhcpRecord(0, false, "")}
            << QByteArray(
                   "iface eth0 inet dhcp\nauto eth1\n\tallow-hotplug eth2\n\tsource-directory interfaces.d\n\tmapping hotplug\n"
                   "\tscript /usr/local/bin/map\niface eth1 inet dhcp\n");
        QTest::newRow("absent device's stanza carried over")
            << QByteArray("auto eth0\niface eth0 inet dhcp\n    pre-up /bin/hostname gone\n") << QVector<Interface>{absentRecord(0), dhcpRecord(1, false, "")}
            << QByteArray("auto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname gone\niface eth1 inet dhcp\n");
        QTest::newRow("no device: simplified only") << QByteArray("auto   lo\niface lo inet loopback\n   up  true  \n\n") << QVector<Interface>{}
                                                    << QByteArray("auto lo\niface lo inet loopback\nup true\n\n");
        QTest::newRow("other bytes kept apart from white space")
            << QByteArray("#  Caf\xe9  r\xc3\xa9seau \xe2\x80\x94 lab\r\niface eth0 inet dhcp\n\tup echo '" + QByteArray(600, 'x') + "'\n")
            << QVector<Interface>{dhcpRecord(0, false, "h\xc3\xb4te")}
            << QByteArray(
                   "# Caf\xe9 r\xc3\xa9seau \xe2\x80\x94 lab\niface eth0 inet dhcp\n\tpre-up /bin/hostname h\xc3\xb4te\n"
                   "\tpost-down /bin/hostname -F /etc/hostname\n\tup echo '"
                   + QByteArray(600, 'x') + "'\n");
        QTest::newRow("debian file, both devices") << SystemRoot::fixture(QStringLiteral("interfaces-static-and-dhcp"))
                                                   << QVector<Interface>{dhcpRecord(0, true, "labhost"),
                                                                         staticRecord(1, true, "172.16.9.4", "255.255.0.0", "172.16.0.1", true)}
                                                   << SystemRoot::fixture(QStringLiteral("interfaces-static-and-dhcp-swapped"));
    }

    void rewritesStanzas()
    {
        QFETCH(QByteArray, original);
        QFETCH(QVector<Interface>, records);
        QFETCH(QByteArray, expected);
        SystemRoot root;
        root.write(interfacesPath, original);

        QVERIFY(InterfacesFile::write(records.constData(), records.size()));
        QCOMPARE(root.read(interfacesPath), expected);
        QCOMPARE(root.read(interfacesPath + QLatin1String(".old")), original);

        const std::optional<QStringList> lines = InterfacesFile::readLines();
        QVERIFY(lines);
        const QString file = root.path(interfacesPath);
        const QStringList autoDevices = ifquery({QLatin1String("--interfaces=") + file, QStringLiteral("--list")});
        for (const Interface &written : qAsConst(records)) {
            if (!written.present) {
                continue;
            }
            QCOMPARE(readBack(*lines, written), QString());
            QCOMPARE(autoDevices.contains(written.deviceName), written.enabled);
            const QStringList query = ifquery({QLatin1String("--interfaces=") + file, written.deviceName});
            const QStringList expectedLines = expectedQuery(written);
            QCOMPARE(query.mid(0, expectedLines.size()), expectedLines);
        }
    }

    void readsBackWhatItWrote()
    {
        SystemRoot root;
        root.copyFixture(QStringLiteral("interfaces-static-and-dhcp"), interfacesPath);
        Interface records[InterfacesFile::RecordCount];
        const std::optional<QStringList> lines = InterfacesFile::readLines();
        QVERIFY(lines);
        for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
            records[i].setInterfaceNumber(i);
            records[i].present = i < 2;
            records[i].parseInterfacesList(*lines);
        }
        QVERIFY(InterfacesFile::write(records, 7));
        const QByteArray once = root.read(interfacesPath);
        QVERIFY(InterfacesFile::write(records, 7));
        QCOMPARE(root.read(interfacesPath), once);
        const std::optional<QStringList> written = InterfacesFile::readLines();
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(readBack(*written, records[i]), QString());
        }
    }

    void failedWriteLeavesFile()
    {
        SystemRoot root;
        root.copyFixture(QStringLiteral("interfaces-static-and-dhcp"), interfacesPath);
        QVERIFY(QDir().mkpath(root.path(interfacesPath + QLatin1String(".new"))));
        const Interface records[] = {dhcpRecord(0, true, "box")};
        QVERIFY(!InterfacesFile::write(records, 1));
        QCOMPARE(root.read(interfacesPath), SystemRoot::fixture(QStringLiteral("interfaces-static-and-dhcp")));
    }

    void missingFileIsNotCreated()
    {
        SystemRoot root;
        const Interface records[] = {dhcpRecord(0, true, "box")};
        QVERIFY(!InterfacesFile::readLines());
        QVERIFY(!InterfacesFile::write(records, 1));
        QVERIFY(!root.exists(interfacesPath));
    }

    void findsUnsupportedOptions_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("unsupported");

        QTest::newRow("mapping, indented") << QStringLiteral("  \tmapping hotplug") << true;
        QTest::newRow("hwaddress begins with hwaddr") << QStringLiteral("\thwaddress ether 00:11:22:33:44:55") << true;
        QTest::newRow("servername begins with server") << QStringLiteral("servername x") << true;
        QTest::newRow("provider") << QStringLiteral("provider dsl") << true;
        QTest::newRow("endpoint") << QStringLiteral("endpoint 10.0.0.1") << true;
        QTest::newRow("word in a comment") << QStringLiteral("# script here") << false;
        QTest::newRow("word inside a line") << QStringLiteral("up /usr/local/bin/script") << false;
        QTest::newRow("case counts") << QStringLiteral("Script /x") << false;
        QTest::newRow("plain options") << QStringLiteral("address 10.0.0.1") << false;
        QTest::newRow("empty line") << QString() << false;
    }

    void findsUnsupportedOptions()
    {
        QFETCH(QString, line);
        QFETCH(bool, unsupported);
        const QStringList lines{QStringLiteral("auto lo"), line, QStringLiteral("iface lo inet loopback")};
        QCOMPARE(InterfacesFile::hasUnsupportedOptions(lines), unsupported);
    }
};

QTEST_GUILESS_MAIN(InterfacesFileTest)
#include "interfacesfiletest.moc"
