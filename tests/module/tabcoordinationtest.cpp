// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <KComboBox>
#include <KLineEdit>

#include "addrow.h"
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

namespace
{
// The sample system loaded into a main panel.
struct SampleLoaded {
    SampleLoaded()
    {
        SampleSystem::copyInto(root);
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
        QVERIFY(panel.loadSettings());
    }

    SystemRoot root;
    FakeShell shell;
    MessageRecorder messages;
    NetConfigPanel panel{nullptr, nullptr, false};
};
}

class TabCoordinationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reloadsThreeTabsOnRequestOfTheInterfacesTab()
    {
        SampleLoaded sample;
        sample.root.write(QStringLiteral("/etc/hostname"), "relay5\n");
        sample.root.write(QStringLiteral("/etc/resolv.conf"), "nameserver 192.0.2.53\n");
        sample.root.write(QStringLiteral("/etc/network/interfaces"), "auto eth0\niface eth0 inet static\n\taddress 10.1.4.50\n\tnetmask 255.255.252.0\n");
        sample.root.write(QStringLiteral("/etc/pcmcia/wireless.opts"),
                          sample.root.read(QStringLiteral("/etc/pcmcia/wireless.opts")).replace("office", "other"));

        Q_EMIT sample.panel.m_pIPPanel->reloadConfigData();
        // Each tab reloads from a fresh read of every file: three counts of the devices.
        QCOMPARE(sample.shell.queries.size(), 1 + 3);
        const QStringList shown{sample.panel.m_pIDPanel->m_pHostName->text(),
                                sample.panel.m_pIPPanel->m_pIPEditStaticIP->getText(),
                                sample.panel.m_pDNSPanel->m_pListBox->item(0)->text(),
                                sample.panel.m_wireless->LineEdit_1->text()};
        QCOMPARE(shown.join(QLatin1Char(' ')), QStringLiteral("relay5 10.1.4.50 192.0.2.53 office-wlan"));
        QCOMPARE(sample.messages.texts(), QStringList());
    }

    void keepsTheChangeFlagsTogether_data()
    {
        QTest::addColumn<int>("tab");
        addRow("an edit on the Identification tab", 0);
        addRow("an edit on the Interfaces tab", 1);
        addRow("an edit on the DNS tab", 2);
        addRow("an edit on the Wireless tab", 3);
    }

    void keepsTheChangeFlagsTogether()
    {
        QFETCH(int, tab);
        SampleLoaded sample;
        NetConfigPanel &panel = sample.panel;
        const auto flags = [&panel] {
            return QList<bool>{panel.m_pIDPanel->isChanged(), panel.m_pIPPanel->isChanged(), panel.m_pDNSPanel->isChanged(), panel.m_wireless->isChanged()};
        };
        panel.setChangedFlag(false);
        QSignalSpy changed(&panel, &NetConfigPanel::panelChanged);
        if (tab == 0) {
            panel.m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
        } else if (tab == 1) {
            panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
        } else if (tab == 2) {
            panel.m_pDNSPanel->m_pListBox->setCurrentRow(1);
            panel.m_pDNSPanel->m_pDbtnUp->click();
        } else {
            panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
        }
        QVERIFY(panel.isChanged() && flags().at(tab));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toBool(), true);

        panel.setChangedFlag(false);
        QCOMPARE(flags(), QList<bool>({false, false, false, false}));
        // Clearing the flags is bookkeeping: the shell is not told.
        QCOMPARE(changed.size(), 1);
    }

    void dnsTabFollowsTheEnabledInterfaces()
    {
        SampleLoaded sample;
        // eth0 is shown first; then eth1 is chosen with the arrow key, as a user would.
        QCheckBox *enable = sample.panel.m_pIPPanel->m_pCheckBoxEnableNetwork;
        enable->click();
        QVERIFY(sample.panel.m_pDNSPanel->m_pListBox->isEnabled());
        QTest::keyClick(sample.panel.m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        enable->click();
        QVERIFY(!sample.panel.m_pDNSPanel->m_pListBox->isEnabled());
        enable->click();
        QVERIFY(sample.panel.m_pDNSPanel->m_pListBox->isEnabled());
    }
};

QTEST_MAIN(TabCoordinationTest)

#include "tabcoordinationtest.moc"
