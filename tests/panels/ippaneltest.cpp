// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
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
const QString windowsQuestion = QStringLiteral(
    "question: If you select an interface to perform DHCP connection, this computer will not be able to be a Windows Server. Do you want to continue?");
const QString oneDhcpRefusal = QStringLiteral(
    "sorry: You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection per system. "
    "Please disable another DHCP connection before using this interface with DHCP.");
const QString noDefaultGatewayQuestion = QStringLiteral(
    "question: You have not set an interface as the default gateway interface!\nNormally the interface that connects to the Internet is set to be default "
    "gateway interface. However, it is not required and networking should still function properly within the local subnet.\nDo you wish to continue "
    "without a default gateway?");

/// The texts of the three static entries, then the host name and the three lease entries.
QStringList fieldTexts(const IPPanel &panel)
{
    return {panel.m_pIPEditStaticIP->getText(),
            panel.m_pIPEditStaticSubnet->getText(),
            panel.m_pIPEditStaticGateway->getText(),
            panel.m_pLineEditHostname->text(),
            panel.m_pIPEditDHCPIP->getText(),
            panel.m_pIPEditDHCPSubnet->getText(),
            panel.m_pIPEditDHCPGateway->getText()};
}

/// The object names of the widgets that the user can edit right now.
QStringList editable(const IPPanel &panel)
{
    QStringList names;
    for (const QWidget *widget : std::initializer_list<const QWidget *>{panel.m_pComboBoxNI,
                                                                        panel.m_pCheckBoxEnableNetwork,
                                                                        panel.m_pRadioButtonDHCP,
                                                                        panel.m_pLineEditHostname,
                                                                        panel.m_pIPEditDHCPIP,
                                                                        panel.m_pIPEditDHCPSubnet,
                                                                        panel.m_pIPEditDHCPGateway,
                                                                        panel.m_pReleaseBtn,
                                                                        panel.m_pRenewBtn,
                                                                        panel.m_pRadioButtonStatic,
                                                                        panel.m_pIPEditStaticIP,
                                                                        panel.m_pIPEditStaticSubnet,
                                                                        panel.m_pIPEditStaticGateway,
                                                                        panel.m_pCheckBoxDefaultGW}) {
        if (widget->isEnabled()) {
            names << widget->objectName().mid(3);
        }
    }
    return names;
}

QStringList comboItems(const QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) {
        items << combo->itemText(i);
    }
    return items;
}
}

class IPPanelTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SystemRoot> m_root;
    std::unique_ptr<MessageRecorder> m_boxes;
    std::unique_ptr<FakeShell> m_shell;

    /// eth0 the static default gateway, eth1 static too: the usual two-card router.
    static Records twoStaticInterfaces()
    {
        Records records = interfaceRecords(2);
        describe(records[0], QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1 default"));
        describe(records[1], QStringLiteral("on static 10.0.1.2 255.255.255.0 10.0.1.1"));
        return records;
    }

private Q_SLOTS:
    void init()
    {
        // No test may look at the machine's own DHCP client or run its ifupdown.
        m_root = std::make_unique<SystemRoot>();
        m_boxes = std::make_unique<MessageRecorder>();
        m_shell = std::make_unique<FakeShell>();
    }

    void cleanup()
    {
        QVERIFY2(m_shell->lines.isEmpty(), qPrintable(m_shell->lines.join(QLatin1Char('\n'))));
        QVERIFY(allCaptioned(*m_boxes));
        m_shell.reset();
        m_boxes.reset();
        m_root.reset();
    }

    void listsThePresentInterfaces_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("enableBoxUsable");
        QTest::addColumn<bool>("networking");

        QTest::newRow("no interface: nothing to enable, networking off") << 0 << QStringList() << false << false;
        QTest::newRow("the maker in parentheses, none without one")
            << 3 << QStringList{QStringLiteral("eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)"), QStringLiteral("eth1"), QStringLiteral("eth2")}
            << true << true;
        QTest::newRow("only the disabled one present: networking off")
            << 1 << QStringList{QStringLiteral("eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)")} << true << false;
    }

    void listsThePresentInterfaces()
    {
        QFETCH(int, present);
        QFETCH(QStringList, items);
        QFETCH(bool, enableBoxUsable);
        QFETCH(bool, networking);
        Records records = interfaceRecords(present);
        records[0].description = QStringLiteral("Intel Corporation 82540EM Gigabit Ethernet Controller");
        describe(records[0], QStringLiteral("off static"));
        describe(records[2], QStringLiteral("on dhcp"));
        IPPanel panel;
        QSignalSpy networkSpy(&panel, &IPPanel::networkEnableChanged);

        showLoaded(panel, records);

        QCOMPARE(comboItems(panel.m_pComboBoxNI), items);
        QCOMPARE(panel.m_pCheckBoxEnableNetwork->isEnabled(), enableBoxUsable);
        QCOMPARE(networkSpy.count(), 1);
        QCOMPARE(networkSpy.at(0).at(0).toBool(), networking);
        QVERIFY(panel.m_pComboBoxNI->isEnabled());
    }

    void showsOnlyTheChosenMethodsFields_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("editable");

        QTest::newRow("static: its addresses, no host name, no lease")
            << QStringLiteral("on static 192.168.1.10 255.255.255.0 192.168.1.1 default")
            << QStringList{QStringLiteral("192.168.1.10"), QStringLiteral("255.255.255.0"), QStringLiteral("192.168.1.1"), {}, {}, {}, {}}
            << QStringList{QStringLiteral("ComboBoxNI"),
                           QStringLiteral("CheckBoxEnableNetwork"),
                           QStringLiteral("RadioButtonDHCP"),
                           QStringLiteral("RadioButtonStatic"),
                           QStringLiteral("IPEditStaticIP"),
                           QStringLiteral("IPEditStaticSubnet"),
                           QStringLiteral("IPEditStaticGateway"),
                           QStringLiteral("CheckBoxDefaultGW")};
        QTest::newRow("DHCP: its host name and lease, lease buttons usable, no default-gateway choice")
            << QStringLiteral("on dhcp")
            << QStringList{{}, {}, {}, QStringLiteral("office-pc"), QStringLiteral("10.20.0.57"), QStringLiteral("255.255.0.0"), QStringLiteral("10.20.0.1")}
            << QStringList{QStringLiteral("ComboBoxNI"),
                           QStringLiteral("CheckBoxEnableNetwork"),
                           QStringLiteral("RadioButtonDHCP"),
                           QStringLiteral("LineEditHostname"),
                           QStringLiteral("ReleaseBtn"),
                           QStringLiteral("RenewBtn"),
                           QStringLiteral("RadioButtonStatic")};
        QTest::newRow("disabled: the fields shown but nothing to edit")
            << QStringLiteral("off static 192.168.1.10 255.255.255.0 - default")
            << QStringList{QStringLiteral("192.168.1.10"), QStringLiteral("255.255.255.0"), {}, {}, {}, {}, {}}
            << QStringList{QStringLiteral("ComboBoxNI"), QStringLiteral("CheckBoxEnableNetwork")};
    }

    void showsOnlyTheChosenMethodsFields()
    {
        QFETCH(QString, record);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, editable);
        Records records = interfaceRecords(1);
        describe(records[0], record);
        // Every record may hold both; only the chosen method's are shown.
        records[0].dhcpHostName = QStringLiteral("office-pc");
        setLease(records[0], QStringLiteral("10.20.0.57"), QStringLiteral("255.255.0.0"), QStringLiteral("10.20.0.1"));
        IPPanel panel;

        showLoaded(panel, records);

        QCOMPARE(fieldTexts(panel), fields);
        QCOMPARE(::editable(panel), editable);
        QCOMPARE(panel.m_pLabelStaticIP->isEnabled(), records[0].enabled);
        QVERIFY(!panel.isChanged());
    }

    void marksItselfChangedOnceUntilLoaded()
    {
        Records records = twoStaticInterfaces();
        IPPanel panel;
        showLoaded(panel, records);
        QSignalSpy changes(&panel, &IPPanel::panelChanged);

        choose(panel.m_pComboBoxNI, 1);
        choose(panel.m_pComboBoxNI, 0);
        QCOMPARE(changes.count(), 0);

        typeInto(panel.m_pIPEditStaticIP, QStringLiteral("10.0.0.3"));
        typeInto(panel.m_pIPEditStaticGateway, QStringLiteral("10.0.0.254"));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toBool(), true);
        QVERIFY(panel.isChanged());

        panel.loadSettings(records.data());
        QCOMPARE(changes.count(), 2);
        QCOMPARE(changes.at(1).at(0).toBool(), false);
        QVERIFY(!panel.isChanged());
        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.0.2"));
    }

    void choosingDhcpForAStaticInterface_data()
    {
        QTest::addColumn<bool>("clientRunning");
        QTest::addColumn<QStringList>("lease");
        QTest::addColumn<bool>("leaseButtons");

        QTest::newRow("no DHCP client: no lease to show or renew") << false << QStringList{{}, {}, {}} << false;
        QTest::newRow("a DHCP client runs: its lease is shown")
            << true << QStringList{QStringLiteral("10.0.0.50"), QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1")} << true;
    }

    void choosingDhcpForAStaticInterface()
    {
        QFETCH(bool, clientRunning);
        QFETCH(QStringList, lease);
        QFETCH(bool, leaseButtons);
        if (clientRunning) {
            m_root->write(QStringLiteral("/var/run/dhclient.pid"), "2187\n");
            m_root->write(QStringLiteral("/proc/2187/cmdline"), QByteArray("/sbin/dhclient\0-pf\0/var/run/dhclient.pid\0eth0\0", 44));
        }
        Records records = interfaceRecords(1);
        describe(records[0], QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1 default"));
        setLease(records[0], QStringLiteral("10.0.0.50"), QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1"));
        IPPanel panel;
        showLoaded(panel, records);
        QSignalSpy changes(&panel, &IPPanel::panelChanged);

        click(panel.m_pRadioButtonDHCP);

        QCOMPARE(shownBoxes(*m_boxes), QStringList{windowsQuestion});
        QVERIFY(panel.m_pRadioButtonDHCP->isChecked());
        QCOMPARE(fieldTexts(panel).mid(4), lease);
        QCOMPARE(fieldTexts(panel).mid(0, 3), (QStringList{{}, {}, {}}));
        QCOMPARE(panel.m_pRenewBtn->isEnabled(), leaseButtons);
        QCOMPARE(panel.m_pReleaseBtn->isEnabled(), leaseButtons);
        QCOMPARE(changes.count(), 1);
        QVERIFY(panel.isChanged());
    }

    void noWindowsServerKeepsTheStaticAddress()
    {
        Records records = twoStaticInterfaces();
        IPPanel panel;
        showLoaded(panel, records);
        QSignalSpy changes(&panel, &IPPanel::panelChanged);
        m_boxes->answers << Messages::Answer::No;

        click(panel.m_pRadioButtonDHCP);

        QCOMPARE(shownBoxes(*m_boxes), QStringList{windowsQuestion});
        QVERIFY(panel.m_pRadioButtonStatic->isChecked());
        QVERIFY(!panel.m_pRadioButtonDHCP->isChecked());
        QCOMPARE(fieldTexts(panel).mid(0, 3), (QStringList{QStringLiteral("10.0.0.2"), QStringLiteral("255.255.255.0"), QStringLiteral("10.0.0.1")}));
        QVERIFY(panel.m_pIPEditStaticIP->isEnabled());
        QCOMPARE(changes.count(), 0);
        QVERIFY(!panel.isChanged());
    }

    void switchingMethodsBringsTypedValuesBack()
    {
        Records records = interfaceRecords(1);
        describe(records[0], QStringLiteral("on static 192.168.1.10 255.255.255.0 192.168.1.1 default"));
        IPPanel panel;
        showLoaded(panel, records);

        typeInto(panel.m_pIPEditStaticIP, QStringLiteral("192.168.1.20"));
        typeInto(panel.m_pIPEditStaticGateway, QStringLiteral("192.168.1.254"));
        click(panel.m_pRadioButtonDHCP);
        QCOMPARE(fieldTexts(panel).mid(0, 4), (QStringList{{}, {}, {}, {}}));
        typeInto(panel.m_pLineEditHostname, QStringLiteral("mybox"));
        click(panel.m_pRadioButtonStatic);

        QCOMPARE(fieldTexts(panel),
                 (QStringList{QStringLiteral("192.168.1.20"), QStringLiteral("255.255.255.0"), QStringLiteral("192.168.1.254"), {}, {}, {}, {}}));
        QVERIFY(panel.m_pCheckBoxDefaultGW->isChecked());

        click(panel.m_pRadioButtonDHCP);
        QCOMPARE(panel.m_pLineEditHostname->text(), QStringLiteral("mybox"));
        QCOMPARE(shownBoxes(*m_boxes), (QStringList{windowsQuestion, windowsQuestion}));

        click(panel.m_pRadioButtonStatic);
        panel.applySettings();
        QCOMPARE(records[0].method, Interface::Static);
        QCOMPARE(records[0].staticAddresses.ipAddress(), QStringLiteral("192.168.1.20"));
        QCOMPARE(records[0].staticAddresses.netmask(), QStringLiteral("255.255.255.0"));
        QCOMPARE(records[0].staticAddresses.gateway, QStringLiteral("192.168.1.254"));
        QVERIFY(records[0].defaultGateway);
    }

    void switchingInterfacesKeepsEachWorkingCopy()
    {
        Records records = interfaceRecords(2);
        describe(records[0], QStringLiteral("on static 10.0.0.2 255.255.255.0 10.0.0.1 default"));
        describe(records[1], QStringLiteral("on dhcp"));
        records[1].dhcpHostName = QStringLiteral("old-name");
        IPPanel panel;
        showLoaded(panel, records);

        typeInto(panel.m_pIPEditStaticIP, QStringLiteral("10.0.0.3"));
        choose(panel.m_pComboBoxNI, 1);
        QCOMPARE(panel.m_pLineEditHostname->text(), QStringLiteral("old-name"));
        typeInto(panel.m_pLineEditHostname, QStringLiteral("new-name"));
        choose(panel.m_pComboBoxNI, 0);
        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.0.3"));
        choose(panel.m_pComboBoxNI, 1);
        QCOMPARE(panel.m_pLineEditHostname->text(), QStringLiteral("new-name"));

        QCOMPARE(records[0].staticAddresses.ipAddress(), QStringLiteral("10.0.0.2"));
        panel.applySettings();
        QCOMPARE(records[0].staticAddresses.ipAddress(), QStringLiteral("10.0.0.3"));
        QCOMPARE(records[0].method, Interface::Static);
        QCOMPARE(records[1].dhcpHostName, QStringLiteral("new-name"));
        QCOMPARE(records[1].method, Interface::Dhcp);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void aDisabledInterfaceKeepsItsWorkingCopy()
    {
        Records records = twoStaticInterfaces();
        IPPanel panel;
        showLoaded(panel, records);

        typeInto(panel.m_pIPEditStaticIP, QStringLiteral("10.0.0.99"));
        click(panel.m_pCheckBoxEnableNetwork);
        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.0.2"));
        QVERIFY(!panel.m_pIPEditStaticIP->isEnabled());
        QTest::keyClicks(panel.m_pIPEditStaticIP, QStringLiteral("9"));
        choose(panel.m_pComboBoxNI, 1);
        choose(panel.m_pComboBoxNI, 0);

        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.0.2"));
        panel.applySettings();
        QVERIFY(!records[0].enabled);
        QCOMPARE(records[0].staticAddresses.ipAddress(), QStringLiteral("10.0.0.2"));
    }

    void tellsWhetherAnyInterfaceIsEnabled()
    {
        Records records = twoStaticInterfaces();
        records[1].enabled = false;
        IPPanel panel;
        QSignalSpy networking(&panel, &IPPanel::networkEnableChanged);
        showLoaded(panel, records);

        click(panel.m_pCheckBoxEnableNetwork);
        choose(panel.m_pComboBoxNI, 1);
        click(panel.m_pCheckBoxEnableNetwork);
        click(panel.m_pCheckBoxEnableNetwork);

        QList<bool> told;
        for (const QList<QVariant> &signal : networking) {
            told << signal.at(0).toBool();
        }
        QCOMPARE(told, (QList<bool>{true, false, true, false}));
    }

    void allowsOnlyOneDhcpInterface()
    {
        Records records = interfaceRecords(2);
        describe(records[0], QStringLiteral("on dhcp default"));
        describe(records[1], QStringLiteral("on static 10.0.1.2 255.255.255.0 10.0.1.1"));
        IPPanel panel;
        showLoaded(panel, records);

        choose(panel.m_pComboBoxNI, 1);
        click(panel.m_pRadioButtonDHCP);
        QCOMPARE(shownBoxes(*m_boxes), (QStringList{windowsQuestion, oneDhcpRefusal}));
        QVERIFY(panel.m_pRadioButtonStatic->isChecked());
        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.1.2"));

        choose(panel.m_pComboBoxNI, 0);
        click(panel.m_pCheckBoxEnableNetwork);
        choose(panel.m_pComboBoxNI, 1);
        click(panel.m_pRadioButtonDHCP);
        QCOMPARE(shownBoxes(*m_boxes), (QStringList{windowsQuestion, oneDhcpRefusal, windowsQuestion}));
        QVERIFY(panel.m_pRadioButtonDHCP->isChecked());

        panel.applySettings();
        QCOMPARE(records[1].method, Interface::Dhcp);
        QVERIFY(!records[0].enabled);
    }

    void aDhcpInterfaceTakesTheDefaultGatewayAndGivesItBack()
    {
        Records records = twoStaticInterfaces();
        IPPanel panel;
        showLoaded(panel, records);

        choose(panel.m_pComboBoxNI, 1);
        QVERIFY(!panel.m_pCheckBoxDefaultGW->isChecked());
        click(panel.m_pRadioButtonDHCP);
        QVERIFY(panel.m_pCheckBoxDefaultGW->isChecked());
        QVERIFY2(!panel.m_pCheckBoxDefaultGW->isEnabled(), "no choice by hand while an enabled interface uses DHCP");

        choose(panel.m_pComboBoxNI, 0);
        QVERIFY(!panel.m_pCheckBoxDefaultGW->isChecked());
        QVERIFY(!panel.m_pCheckBoxDefaultGW->isEnabled());

        choose(panel.m_pComboBoxNI, 1);
        click(panel.m_pRadioButtonStatic);
        QVERIFY(!panel.m_pCheckBoxDefaultGW->isChecked());
        QVERIFY(panel.m_pCheckBoxDefaultGW->isEnabled());
        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.1.2"));

        panel.applySettings();
        QVERIFY(!records[0].defaultGateway);
        QVERIFY(!records[1].defaultGateway);
        m_boxes->answers << Messages::Answer::No;
        QVERIFY(!panel.validSettings());
        QCOMPARE(shownBoxes(*m_boxes), (QStringList{windowsQuestion, noDefaultGatewayQuestion}));
    }

    void enablingNeverMakesASecondDefaultGateway_data()
    {
        QTest::addColumn<QString>("eth1");

        QTest::newRow("a static interface loses its mark") << QStringLiteral("off static 10.0.1.2 255.255.255.0 10.0.1.1 default");
        QTest::newRow("a DHCP interface becomes static, without asking") << QStringLiteral("off dhcp default");
    }

    void enablingNeverMakesASecondDefaultGateway()
    {
        QFETCH(QString, eth1);
        Records records = twoStaticInterfaces();
        describe(records[1], eth1);
        IPPanel panel;
        showLoaded(panel, records);

        choose(panel.m_pComboBoxNI, 1);
        QVERIFY(panel.m_pCheckBoxDefaultGW->isChecked());
        click(panel.m_pCheckBoxEnableNetwork);

        QVERIFY(!panel.m_pCheckBoxDefaultGW->isChecked());
        QVERIFY(panel.m_pRadioButtonStatic->isChecked());
        QVERIFY(panel.m_pIPEditStaticIP->isEnabled());
        QVERIFY(panel.isChanged());
        panel.applySettings();
        QVERIFY(records[1].enabled);
        QCOMPARE(records[1].method, Interface::Static);
        QVERIFY(!records[1].defaultGateway);
        QVERIFY(records[0].defaultGateway);
        QVERIFY(m_boxes->shown.isEmpty());
    }

    void readOnlyLeavesOnlyTheListUsable()
    {
        Records records = twoStaticInterfaces();
        IPPanel panel(nullptr, nullptr, true);
        showLoaded(panel, records);
        QCOMPARE(editable(panel), QStringList{QStringLiteral("ComboBoxNI")});
        choose(panel.m_pComboBoxNI, 1);
        QCOMPARE(panel.m_pIPEditStaticIP->getText(), QStringLiteral("10.0.1.2"));

        panel.setReadOnly(false);
        QVERIFY(editable(panel).contains(QStringLiteral("IPEditStaticIP")));
        panel.setReadOnly(true);
        QCOMPARE(editable(panel), QStringList{QStringLiteral("ComboBoxNI")});

        // The same value again changes nothing, not even what someone else enabled.
        panel.m_pIPEditStaticIP->setEnabled(true);
        panel.setReadOnly(true);
        QVERIFY(panel.m_pIPEditStaticIP->isEnabled());
        QVERIFY(panel.isReadOnly());
    }

    void keepsTheDisabledHostNameLegible()
    {
        IPPanel panel;
        const QPalette palette = panel.m_pLineEditHostname->palette();
        QCOMPARE(palette.color(QPalette::Disabled, QPalette::Text), palette.color(QPalette::Disabled, QPalette::Window).darker(300));
        QVERIFY(palette.color(QPalette::Disabled, QPalette::Text) != QWidget().palette().color(QPalette::Disabled, QPalette::Text));
    }
};

QTEST_MAIN(IPPanelTest)
#include "ippaneltest.moc"
