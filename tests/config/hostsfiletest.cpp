// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// /etc/hosts after a save, for the host "box.example.org" whose one present
// record, eth0, is described by each row.

#include <QDir>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/systemfiles.h"
#include "systemroot.h"

namespace
{
QStringList addresses(const char *staticNow, const char *staticBefore, const char *lease)
{
    return {QLatin1String(staticNow), QLatin1String(staticBefore), QLatin1String(lease)};
}
}

class HostsFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rewritesHostsFile_data()
    {
        QTest::addColumn<QString>("method"); // "static", "dhcp", or "off": static but not enabled
        QTest::addColumn<QStringList>("addresses"); // static now, static as the interfaces file held it, the DHCP lease's
        QTest::addColumn<bool>("renamed"); // the host name or domain may have been edited
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("new static address appended when no line held the old one")
            << "static" << addresses("192.168.1.7", "192.168.1.5", "") << false << QByteArray("127.0.0.1 localhost\n# 192.168.1.5 old\n")
            << QByteArray("127.0.0.1 localhost\n# 192.168.1.5 old\n192.168.1.7 box.example.org box\n");
        QTest::newRow("first line of the old address replaced in place, later ones and the lease's removed, other lines keep their bytes")
            << "static" << addresses("192.168.1.7", "192.168.1.5", "10.0.0.50") << false
            << QByteArray("127.0.0.1\tlocalhost  \n# caf\xe9 \xc3\xa9t\xc3\xa9\n192.168.1.5 box.example.org box\n10.1.1.1 pr\n192.168.1.5 alias\n10.0.0.50 l\n")
            << QByteArray("127.0.0.1\tlocalhost  \n# caf\xe9 \xc3\xa9t\xc3\xa9\n192.168.1.7 box.example.org box\n10.1.1.1 pr\n");
        QTest::newRow("an entry that a line holds already, apart from white space, keeps the line's bytes")
            << "static" << addresses("10.77.1.10", "10.77.1.10", "") << true << QByteArray("10.77.1.10\tbox.example.org\tbox\n")
            << QByteArray("10.77.1.10\tbox.example.org\tbox\n");
        QTest::newRow("white space in the old address's line does not hide it")
            << "static" << addresses("192.168.1.7", "192.168.1.5", "") << false << QByteArray(" 192.168.1.5\t\tbox  \n")
            << QByteArray("192.168.1.7 box.example.org box\n");
        QTest::newRow("a substring match: the old 10.0.0.1 claims a line of 10.0.0.12")
            << "static" << addresses("10.0.0.7", "10.0.0.1", "") << false << QByteArray("10.0.0.12 other\n") << QByteArray("10.0.0.7 box.example.org box\n");
        QTest::newRow("switch to dhcp drops every line of the former static address, comments stay, indented ones too")
            << "dhcp" << addresses("192.168.1.5", "192.168.1.5", "10.0.0.50") << false
            << QByteArray("192.168.1.5 box.example.org box\n# 192.168.1.5 was static\n192.168.1.5 alias\n  # 192.168.1.5 too\n")
            << QByteArray("# 192.168.1.5 was static\n  # 192.168.1.5 too\n");
        QTest::newRow("a disabled interface loses the lines of its former address and gets none")
            << "off" << addresses("10.0.0.7", "10.0.0.7", "") << true << QByteArray("10.0.0.7 box\n127.0.0.1 localhost\n")
            << QByteArray("127.0.0.1 localhost\n");
        QTest::newRow("lease line kept once, as it was, for a dhcp interface")
            << "dhcp" << addresses("", "", "10.0.0.50") << false << QByteArray("10.0.0.50\toldname\n10.0.0.50 again\n") << QByteArray("10.0.0.50\toldname\n");
        QTest::newRow("a new name goes onto the lease's line")
            << "dhcp" << addresses("", "", "10.0.0.50") << true << QByteArray("10.0.0.50 oldname\n") << QByteArray("10.0.0.50 box.example.org box\n");
        QTest::newRow("the lease's line goes when the interface is static now")
            << "static" << addresses("10.0.0.7", "10.0.0.7", "10.0.0.50") << false << QByteArray("10.0.0.50 box\n")
            << QByteArray("10.0.0.7 box.example.org box\n");
        QTest::newRow("missing file created tab-separated with the loopback line")
            << "static" << addresses("192.168.1.7", "192.168.1.7", "") << false << QByteArray()
            << QByteArray("127.0.0.1\tlocalhost.localdomain\tlocalhost\n192.168.1.7\tbox.example.org\tbox\n");
        QTest::newRow("a missing file gets no entry for a disabled interface")
            << "off" << addresses("10.0.0.7", "10.0.0.5", "") << false << QByteArray() << QByteArray("127.0.0.1\tlocalhost.localdomain\tlocalhost\n");
    }

    void rewritesHostsFile()
    {
        QFETCH(QString, method);
        QFETCH(QStringList, addresses);
        QFETCH(bool, renamed);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        if (!before.isNull()) {
            root.write(QStringLiteral("/etc/hosts"), before);
        }
        Interface records[SystemFiles::RecordCount];
        records[0].present = true;
        records[0].enabled = method != QLatin1String("off");
        records[0].saveSettings(method == QLatin1String("dhcp"), addresses.at(0), QStringLiteral("255.255.255.0"), QString(), QString());
        records[0].oldIPAddress = addresses.at(1);
        records[0].dhcpAddresses.setIPAddress(addresses.at(2));
        QVERIFY(HostsFile({QStringLiteral("box"), QStringLiteral("example.org")}, records, renamed).writeHosts());
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), after);
        QCOMPARE(root.read(QStringLiteral("/etc/hosts.old")), before.isNull() ? after : before);
    }

    // Without a domain the host name stands twice.
    void entryNamesTheHost()
    {
        QCOMPARE(HostsFile({QStringLiteral("box"), QString()}, nullptr, true).hostEntry(QStringLiteral("192.168.1.5")), QStringLiteral("192.168.1.5 box box"));
    }
};

QTEST_GUILESS_MAIN(HostsFileTest)
#include "hostsfiletest.moc"
