// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <KComboBox>

#include "fakeshell.h"
#include "forms/ipedit.h"
#include "ippanelfixture.h"
#include "messagerecorder.h"
#include "panels/ippanel.h"
#include "systemroot.h"

#include <memory>

namespace
{
const QString ifdownEth1 = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; /sbin/ifdown eth1 2>/dev/null");
const QString ifupEth1 = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; /sbin/ifup eth1 2>/dev/null");
const QString leaseError = QStringLiteral("error: Error renewing leases!");
const QString noDefaultGatewayQuestion = QStringLiteral(
    "question: You have not set an interface as the default gateway interface!\nNormally the interface that connects to the Internet is set to be default "
    "gateway interface. However, it is not required and networking should still function properly within the local subnet.\nDo you wish to continue "
    "without a default gateway?");

/// Notes the panel's cursor while each command runs.
class CursorWatchingShell : public FakeShell
{
public:
    ShellProcess::Result run(const QString &line, bool privileged) override
    {
        cursors << (watched && watched->testAttribute(Qt::WA_SetCursor) ? watched->cursor().shape() : Qt::ArrowCursor);
        return FakeShell::run(line, privileged);
    }

    QWidget *watched = nullptr;
    QList<Qt::CursorShape> cursors;
};
}

class IPPanelCheckTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SystemRoot> m_root;
    std::unique_ptr<MessageRecorder> m_boxes;
    std::unique_ptr<CursorWatchingShell> m_shell;

private Q_SLOTS:
    void init()
    {
        m_root = std::make_unique<SystemRoot>();
        m_boxes = std::make_unique<MessageRecorder>();
        m_shell = std::make_unique<CursorWatchingShell>();
    }

    void cleanup()
    {
        QVERIFY(allCaptioned(*m_boxes));
        m_shell.reset();
        m_boxes.reset();
        m_root.reset();
    }

    void saveCheck_data()
    {
        QTest::addColumn<QStringList>("interfaces");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QStringList>("boxes");

        const QString router = QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1 default");
        const QString second = QStringLiteral("on static 10.0.1.2 255.255.255.0 10.0.1.1");
        const QString twoDhcp = QStringLiteral(
            "sorry: More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP interface can be supported "
            "at this time.\nPlease configure only ONE interface to use DHCP.");
        const QString twoDefaults =
            QStringLiteral("sorry: Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default.");

        QTest::newRow("nothing enabled passes without a question, whatever the fields hold")
            << QStringList{QStringLiteral("off static"), QStringLiteral("off dhcp"), QStringLiteral("off dhcp")} << QString() << true << QStringList();
        QTest::newRow("a disabled interface with an empty address passes")
            << QStringList{router, QStringLiteral("off static - 255.255.255.0")} << QString() << true << QStringList();
        QTest::newRow("the same interface enabled fails, named") << QStringList{router, QStringLiteral("on static - 255.255.255.0")} << QString() << false
                                                                 << QStringList{QStringLiteral("error: Interface eth1 has invalid IP address!")};
        QTest::newRow("two empty addresses: the lower index is reported")
            << QStringList{router, QStringLiteral("on static"), QStringLiteral("on static")} << QString() << false
            << QStringList{QStringLiteral("error: Interface eth1 has invalid IP address!")};
        QTest::newRow("an empty subnet mask") << QStringList{QStringLiteral("on static 10.0.0.2 - 10.0.0.1 default")} << QString() << false
                                              << QStringList{QStringLiteral("error: Interface eth0 has invalid subnet mask address!")};
        QTest::newRow("a static fault is reported before the counts")
            << QStringList{QStringLiteral("on dhcp default"), QStringLiteral("on dhcp default"), QStringLiteral("on static")} << QString() << false
            << QStringList{QStringLiteral("error: Interface eth2 has invalid IP address!")};
        QTest::newRow("two DHCP interfaces: the DHCP message wins over two default gateways")
            << QStringList{QStringLiteral("on dhcp default"), QStringLiteral("on dhcp default")} << QString() << false << QStringList{twoDhcp};
        QTest::newRow("two default gateways") << QStringList{router, QStringLiteral("on static 10.0.1.2 255.255.255.0 10.0.1.1 default")} << QString() << false
                                              << QStringList{twoDefaults};
        QTest::newRow("no default gateway: asked, and No aborts")
            << QStringList{QStringLiteral("on dhcp"), second} << QStringLiteral("No") << false << QStringList{noDefaultGatewayQuestion};
        QTest::newRow("no default gateway: asked, and Yes goes on")
            << QStringList{QStringLiteral("on dhcp"), second} << QStringLiteral("Yes") << true << QStringList{noDefaultGatewayQuestion};
        QTest::newRow("a DHCP interface marked default counts: nothing asked")
            << QStringList{QStringLiteral("on dhcp default"), second} << QString() << true << QStringList();
        QTest::newRow("a disabled default gateway does not count") << QStringList{QStringLiteral("off static 10.0.0.2 255.255.255.0 10.0.0.1 default"), second}
                                                                   << QStringLiteral("No") << false << QStringList{noDefaultGatewayQuestion};
    }

    void saveCheck()
    {
        QFETCH(QStringList, interfaces);
        QFETCH(QString, answer);
        QFETCH(bool, valid);
        QFETCH(QStringList, boxes);
        Records records = interfaceRecords(interfaces.size());
        for (int i = 0; i < interfaces.size(); ++i) {
            describe(records[i], interfaces.at(i));
        }
        if (!answer.isEmpty()) {
            m_boxes->answers << (answer == QLatin1String("Yes") ? Messages::Answer::Yes : Messages::Answer::No);
        }
        IPPanel panel;
        panel.loadSettings(records.data());

        QCOMPARE(panel.validSettings(), valid);

        QCOMPARE(shownBoxes(*m_boxes), boxes);
    }

    void passesBeforeTheFirstLoad()
    {
        IPPanel panel;
        panel.setChangedFlag(true);
        panel.applySettings();
        QVERIFY(panel.validSettings());
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void reportsAnInvalidGatewayOnce()
    {
        Records records = interfaceRecords(1);
        describe(records[0], QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1 default"));
        IPPanel panel;
        showLoaded(panel, records);

        typeInto(panel.m_pIPEditStaticGateway, QStringLiteral("10.0.0"));
        panel.applySettings();
        QVERIFY(!panel.validSettings());
        QCOMPARE(shownBoxes(*m_boxes), QStringList{QStringLiteral("error: Interface eth0 has invalid default gateway address!")});

        QVERIFY(panel.validSettings());
        QCOMPARE(m_boxes->shown.size(), 1);
    }

    void keepsOneDefaultGateway_data()
    {
        QTest::addColumn<QString>("gateway");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QList<bool>>("defaults");
        QTest::addColumn<QStringList>("boxes");

        QTest::newRow("refused without a gateway address") << QString() << false << QList<bool>{true, false, true}
                                                           << QStringList{QStringLiteral("sorry: Sorry, you need to provide a valid Gateway IP address!")};
        QTest::newRow("taken from every other enabled interface, kept by a disabled one")
            << QStringLiteral("10.0.1.1") << true << QList<bool>{false, true, true} << QStringList();
    }

    void keepsOneDefaultGateway()
    {
        QFETCH(QString, gateway);
        QFETCH(bool, checked);
        QFETCH(QList<bool>, defaults);
        QFETCH(QStringList, boxes);
        Records records = interfaceRecords(3);
        describe(records[0], QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1 default"));
        describe(records[1], QStringLiteral("on static 10.0.1.2 255.255.255.0"));
        describe(records[2], QStringLiteral("off static 10.0.2.2 255.255.255.0 10.0.2.1 default"));
        IPPanel panel;
        showLoaded(panel, records);
        QSignalSpy changes(&panel, &IPPanel::panelChanged);

        choose(panel.m_pComboBoxNI, 1);
        QTest::keyClicks(panel.m_pIPEditStaticGateway, gateway);
        click(panel.m_pCheckBoxDefaultGW);

        QCOMPARE(panel.m_pCheckBoxDefaultGW->isChecked(), checked);
        QCOMPARE(shownBoxes(*m_boxes), boxes);
        QCOMPARE(changes.count(), 1);
        panel.applySettings();
        QCOMPARE((QList<bool>{records[0].defaultGateway, records[1].defaultGateway, records[2].defaultGateway}), defaults);
    }

    void probesForADhcpClient_data()
    {
        QTest::addColumn<QByteArray>("pidFile");
        QTest::addColumn<QString>("commandLinePath");
        QTest::addColumn<QByteArray>("commandLine");
        QTest::addColumn<bool>("running");

        const QString proc4242 = QStringLiteral("/proc/4242/cmdline");
        const QByteArray dhclient("/sbin/dhclient\0-v\0-pf\0/var/run/dhclient.pid\0eth0\0", 48);
        QTest::newRow("no pid file") << QByteArray() << proc4242 << dhclient << false;
        QTest::newRow("an empty pid file") << QByteArray("") << proc4242 << dhclient << false;
        QTest::newRow("the pid of a process that is gone") << QByteArray("4242\n") << QStringLiteral("/proc/4243/cmdline") << dhclient << false;
        QTest::newRow("a live process that is no DHCP client") << QByteArray("4242\n") << proc4242 << QByteArray("/usr/sbin/sshd\0-D\0", 18) << false;
        QTest::newRow("a live dhclient") << QByteArray("4242\n") << proc4242 << dhclient << true;
        QTest::newRow("a pid without line end, blanks around it") << QByteArray("  4242 ") << proc4242 << dhclient << true;
        QTest::newRow("a pid on the second line is not read") << QByteArray("\n4242\n") << proc4242 << dhclient << false;
        // "/sbin/dhclient" is 14 bytes: after 1010 it still ends within the 1024 read.
        QTest::newRow("the name within the first 1024 bytes") << QByteArray("4242\n") << proc4242 << (QByteArray(1010, 'x') + dhclient) << true;
        QTest::newRow("the name ending past byte 1024") << QByteArray("4242\n") << proc4242 << (QByteArray(1011, 'x') + dhclient) << false;
        QTest::newRow("the name only past a line end") << QByteArray("4242\n") << proc4242 << (QByteArray("/usr/bin/env\n") + dhclient) << false;
        QTest::newRow("a pid file naming a path leads nowhere") << QByteArray("../4242\n") << QStringLiteral("/4242/cmdline") << dhclient << false;
    }

    void probesForADhcpClient()
    {
        QFETCH(QByteArray, pidFile);
        QFETCH(QString, commandLinePath);
        QFETCH(QByteArray, commandLine);
        QFETCH(bool, running);
        if (!pidFile.isNull()) {
            m_root->write(QStringLiteral("/var/run/dhclient.pid"), pidFile);
        }
        m_root->write(commandLinePath, commandLine);

        QCOMPARE(IPPanel().dhcpRunning(), running);
    }

    void readsTheRealProc()
    {
        // The real /proc, of children of this test only.
        QVERIFY(QFile::link(QStringLiteral("/proc"), m_root->path(QStringLiteral("/proc"))));
        QProcess other;
        other.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QProcess client;
        client.start(QStringLiteral("bash"), {QStringLiteral("-c"), QStringLiteral("exec -a /sbin/dhclient sleep 30")});
        QVERIFY(other.waitForStarted() && client.waitForStarted());

        m_root->write(QStringLiteral("/var/run/dhclient.pid"), QByteArray::number(other.processId()) + '\n');
        QVERIFY(!IPPanel().dhcpRunning());
        m_root->write(QStringLiteral("/var/run/dhclient.pid"), QByteArray::number(client.processId()) + '\n');
        QVERIFY(IPPanel().dhcpRunning());

        for (QProcess *child : {&other, &client}) {
            child->kill();
            child->waitForFinished();
        }
        QVERIFY(!IPPanel().dhcpRunning());
    }

    void releasesAndRenewsTheShownInterface_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("cannotStart");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("reloads");
        QTest::addColumn<bool>("leaseShown");

        const QString release = QStringLiteral("release");
        const QString renew = QStringLiteral("renew");
        const QString ifdown = QStringLiteral("/sbin/ifdown");
        const QString ifup = QStringLiteral("/sbin/ifup");
        QTest::newRow("release takes the interface down") << release << QString() << false << QStringList{ifdownEth1} << QStringList() << 0 << false;
        QTest::newRow("a failed release is reported") << release << ifdown << false << QStringList{ifdownEth1} << QStringList{leaseError} << 0 << false;
        QTest::newRow("a release that cannot start is reported")
            << release << ifdown << true << QStringList{ifdownEth1} << QStringList{leaseError} << 0 << false;
        QTest::newRow("renew takes it down and up, then reloads once")
            << renew << QString() << false << QStringList{ifdownEth1, ifupEth1} << QStringList() << 1 << true;
        QTest::newRow("no ifup when ifdown fails") << renew << ifdown << false << QStringList{ifdownEth1} << QStringList{leaseError} << 0 << true;
        QTest::newRow("a failed ifup is reported") << renew << ifup << false << QStringList{ifdownEth1, ifupEth1} << QStringList{leaseError} << 0 << true;
        QTest::newRow("an ifup that cannot start is reported")
            << renew << ifup << true << QStringList{ifdownEth1, ifupEth1} << QStringList{leaseError} << 0 << true;
    }

    void releasesAndRenewsTheShownInterface()
    {
        QFETCH(QString, button);
        QFETCH(QString, failing);
        QFETCH(bool, cannotStart);
        QFETCH(QStringList, lines);
        QFETCH(QStringList, boxes);
        QFETCH(int, reloads);
        QFETCH(bool, leaseShown);
        if (!failing.isEmpty()) {
            cannotStart ? m_shell->cannotStart(failing) : m_shell->fail(failing);
        }
        Records records = interfaceRecords(2);
        describe(records[0], QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1"));
        describe(records[1], QStringLiteral("on dhcp default"));
        setLease(records[1], QStringLiteral("10.20.0.57"), QStringLiteral("255.255.0.0"), QStringLiteral("10.20.0.1"));
        IPPanel panel;
        showLoaded(panel, records);
        m_shell->watched = &panel;
        QSignalSpy reload(&panel, &IPPanel::reloadConfigData);
        QSignalSpy changes(&panel, &IPPanel::panelChanged);

        choose(panel.m_pComboBoxNI, 1);
        click(button == QLatin1String("release") ? panel.m_pReleaseBtn : panel.m_pRenewBtn);

        QCOMPARE(m_shell->lines, lines);
        QCOMPARE(m_shell->privileged.count(true), lines.size());
        QCOMPARE(m_shell->cursors.count(Qt::WaitCursor), lines.size());
        QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(shownBoxes(*m_boxes), boxes);
        QCOMPARE(reload.count(), reloads);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(panel.m_pIPEditDHCPIP->getText(), leaseShown ? QStringLiteral("10.20.0.57") : QString());
        QCOMPARE(panel.m_pIPEditDHCPGateway->getText(), leaseShown ? QStringLiteral("10.20.0.1") : QString());
    }

    void givesBackAnOwnCursor()
    {
        Records records = interfaceRecords(1);
        describe(records[0], QStringLiteral("on dhcp default"));
        setLease(records[0], QStringLiteral("10.20.0.57"), QStringLiteral("255.255.0.0"), QStringLiteral("10.20.0.1"));
        IPPanel panel;
        showLoaded(panel, records);
        panel.setCursor(Qt::CrossCursor);

        click(panel.m_pRenewBtn);

        QCOMPARE(panel.cursor().shape(), Qt::CrossCursor);
        QCOMPARE(m_shell->lines.size(), 2);
    }
};

QTEST_MAIN(IPPanelCheckTest)
#include "ippanelchecktest.moc"
