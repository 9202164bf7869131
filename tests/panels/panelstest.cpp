// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <KComboBox>
#include <KLineEdit>

#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/superuser.h"
#include "recordtext.h"
#include "systemroot.h"

namespace
{
/// Each accelerator leads to a widget. Read-only, every input is disabled, an entry's text drawn in the
/// background darkened. Two keys pressed in `edited` mark the tab changed, `signals` times panelChanged(true).
template<class Panel>
void check(Panel &panel, const QList<QWidget *> &inputs, const QList<QWidget *> &legible, QWidget *edited, Qt::Key key, int signals)
{
    for (const QLabel *label : panel.template findChildren<QLabel *>()) {
        QVERIFY2(!label->text().contains(QLatin1Char('&')) || label->buddy(), qPrintable(label->text()));
    }
    for (const bool readOnly : {true, false}) {
        panel.setReadOnly(readOnly);
        for (QWidget *input : inputs) {
            QVERIFY2(input->isEnabled() != readOnly, qPrintable(input->objectName()));
        }
    }
    for (QWidget *entry : legible) {
        QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Text), entry->palette().color(QPalette::Disabled, QPalette::Window).darker(300));
    }
    QSignalSpy changes(&panel, &Panel::panelChanged);
    panel.setChangedFlag(false);
    QTest::keyClick(edited, key);
    QTest::keyClick(edited, key);
    QVERIFY(panel.isChanged());
    QCOMPARE(changes.count(), signals);
    QVERIFY(changes.constFirst().constFirst().toBool());
    panel.setChangedFlag(false);
    QVERIFY(!panel.isChanged());
    panel.setChangedFlag(true);
    QVERIFY(panel.isChanged());
}

/// Presses Add, types into the dialog and presses OK or Cancel; Cancel after a refusal.
void addServer(DNSPanel &panel, const QString &typed, bool ok)
{
    QTimer::singleShot(0, &panel, [&] {
        auto *dialog = panel.findChild<AddDNSPanel *>(QStringLiteral("AddDNS"));
        QTest::keyClicks(dialog->m_pIPEdit, typed);
        (ok ? dialog->m_pPbtnOK : dialog->m_pPbtnCancel)->click();
        if (dialog->isVisible()) {
            dialog->m_pPbtnCancel->click();
        }
    });
    panel.m_pPbtnAdd->click();
}
}

class PanelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        SuperUser::setOverride(true);
    }

    void lockReadOnlyAndMarkChanges_data()
    {
        QTest::addColumn<QString>("tab");
        for (const char *tab : {"Identification", "Interfaces", "DNS", "Wireless"}) {
            QTest::newRow(tab) << QString::fromLatin1(tab);
        }
    }

    void lockReadOnlyAndMarkChanges()
    {
        QFETCH(QString, tab);
        SystemRoot root;
        const MessageRecorder boxes;
        if (tab == QLatin1String("Identification")) {
            BasicNetCfg config{QStringLiteral("box"), QStringLiteral("example.org")};
            IDPanel panel;
            panel.loadSettings(&config);
            check(panel, {panel.m_pHostName, panel.m_pDomain}, {panel.m_pHostName, panel.m_pDomain}, panel.m_pDomain, Qt::Key_X, 1);
        } else if (tab == QLatin1String("Interfaces")) {
            QVector<Interface> records = RecordText::records(QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 default"));
            IPPanel panel;
            panel.loadSettings(records.data());
            const QList<QWidget *> inputs{panel.m_pCheckBoxEnableNetwork, panel.m_pRadioButtonDHCP, panel.m_pRadioButtonStatic, panel.m_pIPEditStaticIP};
            check(panel, inputs + QList<QWidget *>{panel.m_pCheckBoxDefaultGW}, {panel.m_pLineEditHostname}, panel.m_pIPEditStaticGateway, Qt::Key_0, 1);
        } else if (tab == QLatin1String("DNS")) {
            DnsConfigFile config;
            config.addNameserver(QStringLiteral("10.0.0.1"));
            config.addNameserver(QStringLiteral("10.0.0.2"));
            DNSPanel panel(nullptr, nullptr, false);
            panel.loadSettings(&config);
            panel.m_pListBox->setCurrentRow(0);
            check(panel,
                  {panel.m_pListBox, panel.m_pDbtnUp, panel.m_pDbtnDown, panel.m_pPbtnAdd, panel.m_pPbtnRemove},
                  {},
                  panel.m_pPbtnRemove,
                  Qt::Key_Space,
                  1);
        } else {
            root.write(QStringLiteral("/etc/pcmcia/wireless.opts"), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));
            Wireless panel;
            QVERIFY(panel.loadSettings());
            // Each edit counts: the module hears of every one.
            check(panel,
                  {panel.LineEdit_1, panel.CheckBox_encryption, panel.ComboBox_1, panel.SpinBox1, panel.ComboBox_2},
                  {},
                  panel.SpinBox1,
                  Qt::Key_Down,
                  2);
        }
    }

    void interfacesKeepAWorkingCopyEach()
    {
        QVector<Interface> records = RecordText::records(QStringLiteral("eth0 auto ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1 default eth1 ip=10.0.1.2 default"));
        IPPanel panel;
        panel.loadSettings(records.data());
        panel.m_pComboBoxNI->setCurrentIndex(1);
        Q_EMIT panel.m_pComboBoxNI->activated(1);
        QVERIFY(!panel.m_pIPEditStaticIP->isEnabled());
        // Enabled beside a default gateway, it gives up its own mark.
        panel.m_pCheckBoxEnableNetwork->click();
        QVERIFY(panel.m_pCheckBoxEnableNetwork->isChecked() && !panel.m_pCheckBoxDefaultGW->isChecked());
        panel.m_pIPEditStaticIP->setText(QStringLiteral("10.0.1.9"));
        panel.m_pComboBoxNI->setCurrentIndex(0);
        Q_EMIT panel.m_pComboBoxNI->activated(0);
        QCOMPARE(panel.m_pIPEditStaticIP->text(), QStringLiteral("10.0.0.2"));
        panel.applySettings();
        QCOMPARE(QString(RecordText::describe(records[0]) + QLatin1String(" | ") + RecordText::describe(records[1])),
                 QStringLiteral("auto ip=10.0.0.2 mask=255.0.0.0 net=10.0.0.0 bc=10.255.255.255 gw=10.0.0.1 default | auto ip=10.0.1.9"));
    }

    void dnsListsEachServerOnceInTheUsersOrder()
    {
        DnsConfigFile config;
        for (const char *server : {"10.0.0.1", "10.0.0.2", "10.0.0.1", "10.0.0.3"}) {
            config.addNameserver(QLatin1String(server));
        }
        DNSPanel panel(nullptr, nullptr, false);
        panel.loadSettings(&config);
        QCOMPARE(panel.m_pListBox->count(), 3);
        panel.m_pDbtnUp->click(); // nothing selected: nothing moves
        panel.m_pListBox->setCurrentRow(2);
        for (int clicks = 0; clicks < 3; ++clicks) {
            panel.m_pDbtnUp->click(); // the third click finds it first already
        }
        panel.m_pDbtnDown->click();
        QCOMPARE(panel.m_pListBox->currentRow(), 1);
        QCOMPARE(panel.m_pListBox->currentItem()->text(), QStringLiteral("10.0.0.3"));
        panel.m_pPbtnRemove->click();
        const MessageRecorder boxes;
        addServer(panel, QStringLiteral("10.0.0"), true);
        addServer(panel, QStringLiteral("10.0.0.8"), false);
        addServer(panel, QStringLiteral("10.0.0.9"), true);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Invalid IP address")});
        panel.applySettings();
        QCOMPARE(config.nameservers(), QStringList({QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.9")}));
    }
};

QTEST_MAIN(PanelsTest)
#include "panelstest.moc"
