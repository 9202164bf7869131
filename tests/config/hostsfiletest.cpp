// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "systemroot.h"

class HostsFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // eth0 is the one present record, for the host "box.example.org"; the others are absent.
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
        Interface records[HostsFile::InterfaceCount];
        for (int i = 0; i < HostsFile::InterfaceCount; ++i) {
            records[i].setInterfaceNumber(i);
        }
        records[0].present = true;
        records[0].enabled = enabled;
        records[0].method = dhcp ? Interface::Dhcp : Interface::Static;
        records[0].staticAddresses.setIPAddress(addresses.section(QLatin1Char(','), 0, 0));
        records[0].oldIPAddress = addresses.section(QLatin1Char(','), 1, 1);
        records[0].dhcpAddresses.setIPAddress(addresses.section(QLatin1Char(','), 2, 2));
        const BasicNetCfg identity{QStringLiteral("box"), QStringLiteral("example.org")};
        const HostsFile hosts(identity, records, identityChanged);

        QVERIFY(hosts.writeHosts());
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), after);
        if (before.isNull()) {
            QCOMPARE(root.read(QStringLiteral("/etc/hosts.old")),
                     QByteArray("127.0.0.1\tlocalhost.localdomain\tlocalhost\n192.168.1.7\tbox.example.org\tbox\n"));
        }
    }
};

QTEST_GUILESS_MAIN(HostsFileTest)
#include "hostsfiletest.moc"
