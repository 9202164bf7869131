// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <KComboBox>
#include <KLineEdit>

#include "fakeshell.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "samplesystem.h"
#include "systemroot.h"

#include <memory>

namespace
{
// The sample system, loaded into a main panel, with the shell and boxes faked.
struct LoadedSample {
    LoadedSample()
    {
        SampleSystem::copyInto(root);
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
    }

    // Called once the fakes are in place, which the panel's constructor needs.
    NetConfigPanel &load()
    {
        panel = std::make_unique<NetConfigPanel>(nullptr, nullptr, false);
        if (!panel->loadSettings()) {
            qFatal("the sample system does not load");
        }
        return *panel;
    }

    SystemRoot root;
    FakeShell shell;
    MessageRecorder messages;
    std::unique_ptr<NetConfigPanel> panel;
};

QStringList rowsOf(const QListWidget *list)
{
    QStringList rows;
    for (int row = 0; row < list->count(); ++row) {
        rows << list->item(row)->text();
    }
    return rows;
}

// One edit a user makes on the named tab.
void editTab(NetConfigPanel &panel, const QString &tab)
{
    if (tab == QLatin1String("Identification")) {
        panel.m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
    } else if (tab == QLatin1String("Interfaces")) {
        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
    } else if (tab == QLatin1String("DNS")) {
        panel.m_pDNSPanel->m_pListBox->setCurrentRow(1);
        panel.m_pDNSPanel->m_pDbtnUp->click();
    } else if (tab == QLatin1String("Wireless")) {
        panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown tab ") + tab));
    }
}

QList<bool> changedFlags(const NetConfigPanel &panel)
{
    return {panel.m_pIDPanel->isChanged(), panel.m_pIPPanel->isChanged(), panel.m_pDNSPanel->isChanged(), panel.m_wireless->isChanged()};
}

QList<bool> readOnlyFlags(const NetConfigPanel &panel)
{
    return {panel.m_pIDPanel->isReadOnly(), panel.m_pIPPanel->isReadOnly(), panel.m_pDNSPanel->isReadOnly(), panel.m_wireless->isReadOnly()};
}

// What each tab shows of the files that the reload test rewrites.
QStringList reloadedTabs(const NetConfigPanel &panel)
{
    QStringList tabs;
    if (panel.m_pIDPanel->m_pHostName->text() == QLatin1String("relay5")) {
        tabs << QStringLiteral("Identification");
    }
    if (panel.m_pIPPanel->m_pRadioButtonStatic->isChecked() && panel.m_pIPPanel->m_pIPEditStaticIP->getText() == QLatin1String("10.1.4.50")) {
        tabs << QStringLiteral("Interfaces");
    }
    if (rowsOf(panel.m_pDNSPanel->m_pListBox) == QStringList{QStringLiteral("192.0.2.53")}) {
        tabs << QStringLiteral("DNS");
    }
    if (panel.m_wireless->LineEdit_1->text() == QLatin1String("other-wlan")) {
        tabs << QStringLiteral("Wireless");
    }
    return tabs;
}
}

class TabCoordinationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reloadsOnRequest_data()
    {
        QTest::addColumn<QString>("requester");
        QTest::addColumn<int>("reads");
        QTest::addColumn<QStringList>("reloaded");

        QTest::newRow("a renewed lease reloads three tabs, reading the files for each")
            << QStringLiteral("Interfaces") << 3 << QStringList{QStringLiteral("Identification"), QStringLiteral("Interfaces"), QStringLiteral("DNS")};
        QTest::newRow("the Identification tab would reload itself") << QStringLiteral("Identification") << 1 << QStringList{QStringLiteral("Identification")};
        QTest::newRow("the DNS tab would reload itself") << QStringLiteral("DNS") << 1 << QStringList{QStringLiteral("DNS")};
    }

    void reloadsOnRequest()
    {
        QFETCH(QString, requester);
        QFETCH(int, reads);
        QFETCH(QStringList, reloaded);
        LoadedSample sample;
        NetConfigPanel &panel = sample.load();
        sample.root.write(QStringLiteral("/etc/hostname"), "relay5\n");
        sample.root.write(QStringLiteral("/etc/resolv.conf"), "domain example.org\nnameserver 192.0.2.53\n");
        sample.root.write(QStringLiteral("/etc/network/interfaces"),
                          "auto lo eth0\niface lo inet loopback\niface eth0 inet static\n\taddress 10.1.4.50\n\tnetmask 255.255.252.0\n");
        QByteArray wireless = sample.root.read(QStringLiteral("/etc/pcmcia/wireless.opts"));
        sample.root.write(QStringLiteral("/etc/pcmcia/wireless.opts"), wireless.replace("office-wlan", "other-wlan"));
        const int readsBefore = sample.shell.queries.size();

        if (requester == QLatin1String("Interfaces")) {
            Q_EMIT panel.m_pIPPanel->reloadConfigData();
        } else if (requester == QLatin1String("Identification")) {
            Q_EMIT panel.m_pIDPanel->reloadConfigData();
        } else {
            Q_EMIT panel.m_pDNSPanel->reloadConfigData();
        }

        QCOMPARE(sample.shell.queries.size() - readsBefore, reads);
        QCOMPARE(reloadedTabs(panel), reloaded);
        QCOMPARE(sample.messages.texts(), QStringList());
    }

    void keepsTheChangeFlagsTogether_data()
    {
        QTest::addColumn<QString>("tab");

        QTest::newRow("an edit on the Identification tab") << QStringLiteral("Identification");
        QTest::newRow("an edit on the Interfaces tab") << QStringLiteral("Interfaces");
        QTest::newRow("an edit on the DNS tab") << QStringLiteral("DNS");
        QTest::newRow("an edit on the Wireless tab") << QStringLiteral("Wireless");
    }

    void keepsTheChangeFlagsTogether()
    {
        QFETCH(QString, tab);
        LoadedSample sample;
        NetConfigPanel &panel = sample.load();
        QSignalSpy changed(&panel, &NetConfigPanel::panelChanged);
        panel.setChangedFlag(false);
        QCOMPARE(changedFlags(panel), QList<bool>({false, false, false, false}));
        QVERIFY(!panel.isChanged());

        editTab(panel, tab);
        QVERIFY(panel.isChanged());
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toBool(), true);

        panel.setChangedFlag(true);
        QCOMPARE(changedFlags(panel), QList<bool>({true, true, true, true}));
        panel.setChangedFlag(false);
        QCOMPARE(changedFlags(panel), QList<bool>({false, false, false, false}));
        QVERIFY(!panel.isChanged());
        // Clearing the flags is bookkeeping: the shell is not told.
        QCOMPARE(changed.size(), 1);
    }

    void readOnlyReachesEveryTab()
    {
        LoadedSample sample;
        NetConfigPanel &panel = sample.load();

        panel.setReadOnly(true);
        QCOMPARE(readOnlyFlags(panel), QList<bool>({true, true, true, true}));
        QVERIFY(panel.isReadOnly());
        // Any one editable tab makes the page editable.
        panel.m_pDNSPanel->setReadOnly(false);
        QVERIFY(!panel.isReadOnly());

        panel.setReadOnly(false);
        QCOMPARE(readOnlyFlags(panel), QList<bool>({false, false, false, false}));
        panel.m_pIDPanel->setReadOnly(true);
        QVERIFY(!panel.isReadOnly());
    }

    void dnsTabFollowsTheEnabledInterfaces()
    {
        LoadedSample sample;
        NetConfigPanel &panel = sample.load();
        QVERIFY(panel.m_pDNSPanel->m_pListBox->isEnabled());

        // eth0 is shown first; then eth1 is chosen with the arrow key, as a user would.
        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
        QVERIFY(panel.m_pDNSPanel->m_pListBox->isEnabled());
        QTest::keyClick(panel.m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
        QVERIFY(!panel.m_pDNSPanel->m_pListBox->isEnabled());
        QVERIFY(!panel.m_pDNSPanel->m_pPbtnAdd->isEnabled());

        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
        QVERIFY(panel.m_pDNSPanel->m_pListBox->isEnabled());
    }
};

QTEST_MAIN(TabCoordinationTest)

#include "tabcoordinationtest.moc"
