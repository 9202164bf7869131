// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QFile>
#include <QProcess>
#include <QTest>

#include "ippanelfixture.h"

class IPPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void worksLikeAUser_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("transcript"); // what the user did and saw
        const QString router = QStringLiteral("on static 10.0.0.2 255.0.0.0 10.0.0.1 default");
        const QString routers = router + QLatin1String(" | on static 10.0.1.2 255.0.0.0 10.0.1.1");
        const QString dhcpFirst = QStringLiteral("on dhcp - default | on static 10.0.1.2 255.0.0.0 10.0.1.1");
        const QString threeRouters = router + QLatin1String(" | on static 10.0.1.2 255.0.0.0 - | off static 10.0.2.2 255.0.0.0 10.0.2.1 default");
        const QString leased = QStringLiteral("on static 10.0.0.2 255.0.0.0 10.0.0.1 | on dhcp - default");

        // What a load shows.
        QTest::newRow("no interface: an empty list, nothing to enable, networking off") << ""
                                                                                        << "load -> network off; usable -> list";
        QTest::newRow("static: its addresses only")
            << router << "fields -> ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1; usable -> list enable labels dhcp static ip mask gw default";
        QTest::newRow("DHCP: host name and lease, renewable, no default-gateway choice")
            << "on dhcp office-pc"
            << "fields -> host=office-pc lease=10.20.0.50 lease-mask=255.255.0.0 lease-gw=10.20.0.1; usable -> list enable labels dhcp host release renew "
               "static";
        QTest::newRow("disabled: shown, not editable") << "off static 10.0.0.2 255.0.0.0 - default"
                                                       << "fields -> ip=10.0.0.2 mask=255.0.0.0; usable -> list enable";
        QTest::newRow("read-only: only the list, to look at every interface")
            << routers
            << "readonly on; usable -> list labels; eth1; fields -> ip=10.0.1.2 mask=255.0.0.0 gw=10.0.1.1; readonly off; "
               "usable -> list enable labels dhcp static ip mask gw default";
        // The changed flag and the working copies.
        QTest::newRow("looking changes nothing, typing marks the tab changed once, a load clears it")
            << routers
            << "eth1; eth0; stored; ip 10.0.0.3 -> changed; gw 10.0.0.254; load -> unchanged, network on; fields -> ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1";
        QTest::newRow("each interface keeps its working copy")
            << "on static 10.0.0.2 255.0.0.0 10.0.0.1 | on dhcp old-name"
            << "ip 10.0.0.3 -> changed; eth1; host new-name; eth0; eth1; stored -> eth0: on static 10.0.0.3 255.0.0.0 10.0.0.1 | eth1: on dhcp new-name";
        QTest::newRow("what is typed into a disabled interface is not taken")
            << routers
            << "ip 10.0.0.99 -> changed; enable -> network on; ip 10.0.0.9; eth1; eth0; stored -> eth0: off static 10.0.0.2 255.0.0.0 10.0.0.1 default";
        QTest::newRow("nor judged: a gateway fixed after enabling counts as fixed")
            << "off static 10.0.0.2 255.0.0.0 router.lan default | off static"
            << "eth1; eth0; enable -> network on, changed; gw 10.0.0.1; check -> passes";
        // Switching the method.
        QTest::newRow("DHCP is asked for: No keeps the static address, Yes changes the tab; no client: no lease")
            << router
            << "no; dhcp -> Windows question; fields -> ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1; stored; dhcp -> Windows question, changed; fields; "
               "usable -> list enable labels dhcp host static; stored -> eth0: on dhcp - default";
        QTest::newRow("DHCP while a client runs: its lease, renewable")
            << router
            << "dhclient; dhcp -> Windows question, changed; fields -> lease=10.20.0.50 lease-mask=255.255.0.0 lease-gw=10.20.0.1; "
               "usable -> list enable labels dhcp host release renew static";
        QTest::newRow("typed static values come back after DHCP")
            << router
            << "ip 10.0.0.3 -> changed; gw 10.0.0.254; dhcp -> Windows question; static; stored -> eth0: on static 10.0.0.3 255.0.0.0 10.0.0.254 default";
        QTest::newRow("the typed host name comes back")
            << router << "dhcp -> Windows question, changed; host mybox; static; dhcp -> Windows question; stored -> eth0: on dhcp mybox default";
        // At most one DHCP interface.
        QTest::newRow("a second DHCP interface is refused after the Windows question")
            << dhcpFirst << "eth1; dhcp -> Windows question, one DHCP refusal; fields -> ip=10.0.1.2 mask=255.0.0.0 gw=10.0.1.1; stored";
        QTest::newRow("with the first DHCP interface disabled the second may use DHCP")
            << dhcpFirst << "enable -> network on, changed; eth1; dhcp -> Windows question; stored -> eth0: off dhcp - default | eth1: on dhcp - default";
        // At most one default gateway.
        QTest::newRow("no default mark without a gateway address") << threeRouters << "eth1; default -> changed, gateway needed; stored";
        QTest::newRow("the mark leaves every other enabled interface, not a disabled one")
            << threeRouters
            << "eth1; gw 10.0.1.1 -> changed; default; stored -> eth0: on static 10.0.0.2 255.0.0.0 10.0.0.1 | eth1: on static 10.0.1.2 255.0.0.0 10.0.1.1 "
               "default";
        QTest::newRow("a DHCP interface takes the mark, then gives it back to nobody")
            << routers
            << "eth1; dhcp -> Windows question, changed; stored -> eth0: on static 10.0.0.2 255.0.0.0 10.0.0.1 | eth1: on dhcp - default; eth0; "
               "usable -> list enable labels dhcp static ip mask gw; eth1; static; no; check -> no default question, fails; "
               "stored -> eth0: on static 10.0.0.2 255.0.0.0 10.0.0.1";
        const QString secondDefault = router + QLatin1String(" | off ");
        QTest::newRow("an enabled static interface never becomes a second default")
            << secondDefault + QLatin1String("static 10.0.1.2 255.0.0.0 10.0.1.1 default")
            << "eth1; enable -> changed, network on; stored -> eth1: on static 10.0.1.2 255.0.0.0 10.0.1.1";
        QTest::newRow("an enabled DHCP one neither: it becomes static, unasked")
            << secondDefault + QLatin1String("dhcp - default")
            << "eth1; enable -> changed, network on; usable -> list enable labels dhcp static ip mask gw default; stored -> eth1: on static - - -";
        // The lease buttons act at once on the interface shown.
        QTest::newRow("renew takes it down and up, then asks for one reload; release takes it down, empties the lease")
            << leased
            << "eth1; renew -> ifdown eth1, ifup eth1, reload; fields -> lease=10.20.0.51 lease-mask=255.255.0.0 lease-gw=10.20.0.1; "
               "release -> ifdown eth1; fields; stored";
        QTest::newRow("failures are reported; no ifup after a failed ifdown")
            << leased
            << "fail ifup; eth1; renew -> ifdown eth1, ifup eth1, lease error; fail ifdown; renew -> ifdown eth1, lease error; "
               "release -> ifdown eth1, lease error";
        // The save check.
        const QString second = QStringLiteral(" | on static 10.0.1.2 255.0.0.0 10.0.1.1");
        const char *const badEth1 = "check -> error: Interface eth1 has invalid IP address!, fails";
        QTest::newRow("nothing enabled passes unasked, whatever the fields hold") << "off static | off dhcp | off static - - - default"
                                                                                  << "check -> passes";
        QTest::newRow("a disabled interface without an address passes") << router + QLatin1String(" | off static - 255.0.0.0") << "check -> passes";
        QTest::newRow("the same interface enabled fails, named") << router + QLatin1String(" | on static - 255.0.0.0") << badEth1;
        QTest::newRow("two without an address: the lower index is reported") << router + QLatin1String(" | on static | on static") << badEth1;
        QTest::newRow("an empty subnet mask") << "on static 10.0.0.2 - 10.0.0.1 default"
                                              << "check -> error: Interface eth0 has invalid subnet mask address!, fails";
        QTest::newRow("a static fault comes before the counts") << "on dhcp - default | on dhcp - default | on static"
                                                                << "check -> error: Interface eth2 has invalid IP address!, fails";
        QTest::newRow("two DHCP interfaces: their refusal before the default gateways'") << "on dhcp - default | on dhcp - default"
                                                                                         << "check -> two DHCP refusal, fails";
        QTest::newRow("two default gateways") << router + second + QLatin1String(" default") << "check -> two defaults refusal, fails";
        QTest::newRow("no default gateway: asked, No stops the save") << QLatin1String("on dhcp") + second << "no; check -> no default question, fails";
        QTest::newRow("no default gateway: asked, Yes goes on") << QLatin1String("on dhcp") + second << "check -> no default question, passes";
        QTest::newRow("a DHCP default gateway counts") << QLatin1String("on dhcp - default") + second << "check -> passes";
        QTest::newRow("a disabled default gateway does not count")
            << QLatin1String("off static 10.0.0.2 255.0.0.0 10.0.0.1 default") + second << "no; check -> no default question, fails";
        QTest::newRow("an invalid gateway is reported once")
            << router
            << "gw 10.0.0 -> changed; check -> error: Interface eth0 has invalid default gateway address!, fails; check -> passes; "
               "stored -> eth0: on static 10.0.0.2 255.0.0.0 10.0.0 default";
    }

    void worksLikeAUser()
    {
        QFETCH(QString, records);
        QFETCH(QString, transcript);
        TabSession tab(records);

        QCOMPARE(tab.replay(transcript), transcript);
        QCOMPARE(tab.panel.cursor().shape(), Qt::ArrowCursor);
    }

    void passesBeforeTheFirstLoad()
    {
        const MessageRecorder boxes;
        IPPanel panel;
        panel.setChangedFlag(true);
        panel.applySettings();
        QVERIFY(panel.validSettings());
        QVERIFY(boxes.shown.isEmpty());
    }

    void probesForADhcpClient_data()
    {
        QTest::addColumn<QByteArray>("pidFile"); // null: none
        QTest::addColumn<QByteArray>("commandLine"); // of process 4242; null: no such process
        QTest::addColumn<bool>("running");

        const QByteArray dhclient("/sbin/dhclient\0-pf\0/var/run/dhclient.pid\0eth0\0", 44);
        QTest::newRow("no pid file") << QByteArray() << dhclient << false;
        QTest::newRow("the pid of a process that is gone") << QByteArray("4242\n") << QByteArray() << false;
        QTest::newRow("a live process that is no DHCP client") << QByteArray("4242\n") << QByteArray("/usr/sbin/sshd\0-D\0", 18) << false;
        QTest::newRow("a live dhclient") << QByteArray("4242\n") << dhclient << true;
        QTest::newRow("a pid with blanks and no line end") << QByteArray(" 4242 ") << dhclient << true;
        QTest::newRow("a pid file naming a path leads nowhere") << QByteArray("../4242\n") << dhclient << false;
    }

    void probesForADhcpClient()
    {
        QFETCH(QByteArray, pidFile);
        QFETCH(QByteArray, commandLine);
        QFETCH(bool, running);
        const SystemRoot root;
        if (!pidFile.isNull()) {
            root.write(QStringLiteral("/var/run/dhclient.pid"), pidFile);
        }
        if (!commandLine.isNull()) {
            root.write(QStringLiteral("/proc/4242/cmdline"), commandLine);
            root.write(QStringLiteral("/4242/cmdline"), commandLine);
        }

        QCOMPARE(IPPanel().dhcpRunning(), running);
    }

    void readsTheRealProc()
    {
        // The real /proc, of a child of this test only: alive as dhclient, then gone.
        const SystemRoot root;
        QVERIFY(QFile::link(QStringLiteral("/proc"), root.path(QStringLiteral("/proc"))));
        QVERIFY(QFile::link(QStringLiteral("/bin/sleep"), root.path(QStringLiteral("/dhclient"))));
        QProcess client;
        client.start(root.path(QStringLiteral("/dhclient")), {QStringLiteral("30")});
        QVERIFY(client.waitForStarted());
        root.write(QStringLiteral("/var/run/dhclient.pid"), QByteArray::number(client.processId()) + '\n');
        QVERIFY(IPPanel().dhcpRunning());
        client.kill();
        client.waitForFinished();
        QVERIFY(!IPPanel().dhcpRunning());
    }
};

QTEST_MAIN(IPPanelTest)
#include "ippaneltest.moc"
