// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "fakeshell.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "samplesystem.h"
#include "systemroot.h"

namespace
{
const QString CountCommand = QStringLiteral("/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l");
const QString UnsupportedQuestion = QStringLiteral(
    "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit the "
    "program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");
const QStringList SampleServers{QStringLiteral("10.1.0.53"), QStringLiteral("10.1.0.54")};

QStringList presentDevices(const NetConfigPanel &panel)
{
    QStringList devices;
    for (const Interface &record : panel.interfaceRecords()) {
        if (record.present) {
            devices << record.deviceName;
        }
    }
    return devices;
}

QStringList firstEthernetDevices(int count)
{
    QStringList devices;
    for (int i = 0; i < count; ++i) {
        devices << QStringLiteral("eth%1").arg(i);
    }
    return devices;
}
}

class NetConfigPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsTheWholeSampleSystem()
    {
        SystemRoot root;
        SampleSystem::copyInto(root);
        FakeShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
        MessageRecorder messages;
        NetConfigPanel panel(nullptr, "panel", false);
        QSignalSpy changed(&panel, &NetConfigPanel::panelChanged);

        QVERIFY(panel.loadSettings());
        QCOMPARE(messages.texts(), QStringList());
        // Whatever the tabs said while they were filled, the shell hears last that nothing needs saving.
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().first().toBool(), false);
        QCOMPARE(panel.hostIdentity().hostName, QStringLiteral("workstation7"));
        QCOMPARE(panel.hostIdentity().domain, QStringLiteral("example.org"));
        const Interface &eth0 = panel.interfaceRecords()[0];
        QCOMPARE(eth0.description, QStringLiteral("Intel Corporation 82540EM Gigabit Ethernet Controller"));
        QCOMPARE(eth0.method, Interface::Dhcp);
        QCOMPARE(eth0.dhcpAddresses.ipAddress(), QStringLiteral("10.1.4.37"));
        const Interface &eth1 = panel.interfaceRecords()[1];
        QCOMPARE(eth1.method, Interface::Static);
        QCOMPARE(eth1.staticAddresses.ipAddress(), QStringLiteral("192.168.20.15"));
        QCOMPARE(eth1.staticAddresses.gateway, QStringLiteral("192.168.20.1"));
        QCOMPARE(presentDevices(panel), firstEthernetDevices(2));
        QCOMPARE(panel.resolverFile().nameservers(), SampleServers);
    }

    void writesTheLoadedRecordsBack()
    {
        SystemRoot root;
        SampleSystem::copyInto(root);
        const QByteArray original = root.read(QStringLiteral("/etc/network/interfaces"));
        FakeShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
        MessageRecorder messages;
        NetConfigPanel panel(nullptr, nullptr, false);
        QVERIFY(panel.loadSettings());

        QVERIFY(panel.writeInterfacesFile());
        QCOMPARE(root.read(QStringLiteral("/etc/network/interfaces.old")), original);
        const QByteArray written = root.read(QStringLiteral("/etc/network/interfaces"));
        QVERIFY(written.contains("auto eth0\niface eth0 inet dhcp\n\tpre-up /bin/hostname workstation7\n"));
        QVERIFY(written.contains("auto eth1\niface eth1 inet static\n\taddress 192.168.20.15\n"));

        NetConfigPanel reloaded(nullptr, nullptr, false);
        QVERIFY(reloaded.loadSettings());
        const Interface &eth1 = reloaded.interfaceRecords()[1];
        QCOMPARE(eth1.staticAddresses.ipAddress(), QStringLiteral("192.168.20.15"));
        QCOMPARE(eth1.staticAddresses.gateway, QStringLiteral("192.168.20.1"));
        QCOMPARE(eth1.defaultGateway, false);

        QVERIFY(QFile::remove(root.path(QStringLiteral("/etc/network/interfaces"))));
        QVERIFY(!panel.writeInterfacesFile());
        QVERIFY(!root.exists(QStringLiteral("/etc/network/interfaces")));
        QCOMPARE(messages.texts(), QStringList());
    }

    void asksAboutUnsupportedOptions_data()
    {
        QTest::addColumn<QByteArray>("interfaces");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("goOn");

        QTest::newRow("indented mapping line, Yes goes on") << QByteArray("auto lo\n   mapping hotplug\n\tscript /bin/echo\n") << true << true;
        QTest::newRow("hwaddress inside a stanza, No stops") << QByteArray("iface eth0 inet dhcp\n\thwaddress ether 00:11:22:33:44:55\n") << true << false;
        QTest::newRow("servername counts as server") << QByteArray("iface eth0 inet dhcp\nservername x\n") << true << false;
        QTest::newRow("a comment naming script passes") << QByteArray("# script\niface eth0 inet dhcp\n") << false << true;
        QTest::newRow("a word inside a line passes") << QByteArray("iface eth0 inet dhcp\n\tup /usr/local/bin/script\n") << false << true;
        QTest::newRow("case counts") << QByteArray("Script /bin/echo\n") << false << true;
        QTest::newRow("an empty file passes") << QByteArray("") << false << true;
    }

    void asksAboutUnsupportedOptions()
    {
        QFETCH(QByteArray, interfaces);
        QFETCH(bool, asked);
        QFETCH(bool, goOn);
        SystemRoot root;
        SampleSystem::copyInto(root);
        root.write(QStringLiteral("/etc/network/interfaces"), interfaces);
        FakeShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("1"));
        MessageRecorder messages;
        messages.defaultAnswer = goOn ? Messages::Answer::Yes : Messages::Answer::No;
        NetConfigPanel panel(nullptr, nullptr, false);

        QCOMPARE(panel.readConfigData(), goOn);
        QCOMPARE(messages.texts(), asked ? QStringList{UnsupportedQuestion} : QStringList());
        if (asked) {
            QCOMPARE(messages.shown.first().kind, Messages::Kind::WarningYesNo);
            QCOMPARE(messages.shown.first().caption, QStringLiteral("TCP/IP"));
        }
        // A refusal stops the reading before anything is counted or read.
        QCOMPARE(shell.queries, goOn ? QStringList{CountCommand} : QStringList());
        QCOMPARE(presentDevices(panel), firstEthernetDevices(goOn ? 1 : 0));
        QCOMPARE(panel.resolverFile().nameservers(), goOn ? SampleServers : QStringList());
    }

    void countsEthernetDevices_data()
    {
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<int>("count");

        QTest::newRow("three devices") << QByteArray("3") << 3;
        QTest::newRow("blanks before the number") << QByteArray("  2") << 2;
        QTest::newRow("no output is no device") << QByteArray("") << 0;
        QTest::newRow("no number is no device") << QByteArray("x") << 0;
        QTest::newRow("seven devices fill five records only") << QByteArray("7") << 7;
    }

    void countsEthernetDevices()
    {
        QFETCH(QByteArray, output);
        QFETCH(int, count);
        SystemRoot root;
        SampleSystem::copyInto(root);
        FakeShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), output);
        MessageRecorder messages;
        NetConfigPanel panel(nullptr, nullptr, false);

        QVERIFY(panel.loadSettings());
        QCOMPARE(shell.queries, QStringList{CountCommand});
        QCOMPARE(panel.ethernetCount(), count);
        QCOMPARE(presentDevices(panel), firstEthernetDevices(qMin(count, 5)));
        // The records are followed by the resolver file: an overrun would show here.
        QCOMPARE(panel.resolverFile().nameservers(), SampleServers);
        QCOMPARE(panel.resolverFile().fileName(), QStringLiteral("/etc/resolv.conf"));
    }

    void failsWithoutAMessageOfItsOwn_data()
    {
        QTest::addColumn<bool>("countStarts");
        QTest::addColumn<bool>("inventoryReadable");

        QTest::newRow("counting pipeline cannot start") << false << true;
        QTest::newRow("device inventory cannot be read") << true << false;
    }

    void failsWithoutAMessageOfItsOwn()
    {
        QFETCH(bool, countStarts);
        QFETCH(bool, inventoryReadable);
        SystemRoot root;
        SampleSystem::copyInto(root);
        if (!inventoryReadable) {
            QVERIFY(QFile::remove(root.path(QStringLiteral("/etc/devices/devices.inf"))));
            QVERIFY(QDir().mkpath(root.path(QStringLiteral("/etc/devices/devices.inf"))));
        }
        FakeShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), countStarts ? std::optional<QByteArray>("2") : std::nullopt);
        MessageRecorder messages;
        NetConfigPanel panel(nullptr, nullptr, false);
        QSignalSpy changed(&panel, &NetConfigPanel::panelChanged);

        QVERIFY(!panel.loadSettings());
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(changed.size(), 0);
        QCOMPARE(presentDevices(panel), QStringList());
        QCOMPARE(panel.resolverFile().nameservers(), QStringList());
    }

    void namesDevicesFromTheInventory()
    {
        SystemRoot root;
        SampleSystem::copyInto(root);
        root.write(QStringLiteral("/etc/devices/devices.inf"), "[network.1]\nmanu=Old Card\n[network.2]\nmanu=Second Card\n");
        FakeShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
        MessageRecorder messages;
        NetConfigPanel panel(nullptr, nullptr, false);
        QVERIFY(panel.loadSettings());
        QCOMPARE(panel.interfaceRecords()[1].description, QStringLiteral("Second Card"));

        // A device without a maker in the inventory keeps the description it had.
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QStringLiteral("/etc/devices/devices.inf"));
        QVERIFY(panel.loadSettings());
        QCOMPARE(panel.interfaceRecords()[0].description, QStringLiteral("Acme"));
        QCOMPARE(panel.interfaceRecords()[1].description, QStringLiteral("Second Card"));

        NetConfigPanel fresh(nullptr, nullptr, false);
        QVERIFY(fresh.loadSettings());
        QCOMPARE(fresh.interfaceRecords()[0].description, QStringLiteral("Acme"));
        QCOMPARE(fresh.interfaceRecords()[1].description, QString());
        QCOMPARE(presentDevices(fresh), firstEthernetDevices(2));
    }
};

QTEST_MAIN(NetConfigPanelTest)

#include "netconfigpaneltest.moc"
