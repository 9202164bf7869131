// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module as the shell builds it on the sample system: what loading counts,
// reads and shows, who may change anything, and how the four tabs work together.

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
#include "module/quorlan.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/superuser.h"
#include "systemroot.h"

#include <memory>

namespace
{
const QString CountCommand = QStringLiteral("/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l");
const QString Unsupported = QStringLiteral(
    "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit the "
    "program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");

enum Change { AsIs, Mapping, HardwareAddressRefused, NoInterfacesFile, MissingPrograms, NotSuperUser };

// The sample system, its device inventory naming network.1 only, the count printing 2.
struct Sample {
    explicit Sample(Change change = AsIs, const std::optional<QByteArray> &count = QByteArray("2"))
    {
        root.copySample();
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QStringLiteral("/etc/devices/devices.inf"));
        shell.answerQuery(CountCommand, count);
        if (change == Mapping || change == HardwareAddressRefused) {
            root.write(QStringLiteral("/etc/network/interfaces"),
                       change == Mapping ? "auto lo eth0\n   mapping hotplug\n" : "iface eth0 inet dhcp\n\thwaddress ether 00:11:22:33:44:55\n");
            messages.answers << (change == Mapping ? Messages::Answer::Yes : Messages::Answer::No);
        } else if (change == NoInterfacesFile) {
            QFile::remove(root.path(QStringLiteral("/etc/network/interfaces")));
        } else if (change == MissingPrograms) {
            QFile::remove(root.path(QStringLiteral("/sbin/ifconfig")));
            QFile::setPermissions(root.path(QStringLiteral("/sbin/dhclient")), QFile::ReadOwner | QFile::WriteOwner);
        }
        SuperUser::setOverride(change != NotSuperUser);
        module = std::make_unique<Quorlan>(nullptr, QVariantList());
        panel = module->findChild<NetConfigPanel *>();
    }
    ~Sample()
    {
        SuperUser::setOverride(std::nullopt);
    }

    SystemRoot root;
    FakeShell shell;
    MessageRecorder messages;
    std::unique_ptr<Quorlan> module;
    NetConfigPanel *panel = nullptr;
};
}

Q_DECLARE_METATYPE(Change)

class QuorlanTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What the user sees: each box ("question" for the one about unsupported options), then "=>" the counts run, the devices counted and
    // each one present with its maker, the name servers read, whether the page is shown.
    void loadsTheSystem_data()
    {
        QTest::addColumn<QString>("count"); // what the count prints; null: it cannot start
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("shown");

        addRow("the sample: devices named from the inventory, network.2 has no maker",
               "2",
               AsIs,
               "=> 1 counted 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown");
        addRow("three devices", "3", AsIs, "=> 1 counted 3: eth0=Acme eth1 eth2 | 10.1.0.53 10.1.0.54 | shown");
        addRow("blanks before the number", "  2", AsIs, "=> 1 counted 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown");
        addRow("no output is no device", QStringLiteral(""), AsIs, "=> 1 counted 0: | 10.1.0.53 10.1.0.54 | shown");
        addRow("no number is no device", "x", AsIs, "=> 1 counted 0: | 10.1.0.53 10.1.0.54 | shown");
        addRow("seven devices fill the five records and nothing beyond",
               "7",
               AsIs,
               "=> 1 counted 7: eth0=Acme eth1 eth2 eth3 eth4 | 10.1.0.53 10.1.0.54 | shown");
        addRow("a count that cannot start: no message of its own", QString(), AsIs, "Unable to load configuration data! | => 1 counted 0: |  | hidden");
        addRow("an unsupported option asked about; Yes goes on", "2", Mapping, "question | => 1 counted 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown");
        addRow("No: nothing counted, the resolver not read",
               "2",
               HardwareAddressRefused,
               "question | Unable to load configuration data! | => 0 counted 0: |  | hidden");
        addRow("a missing interfaces file is named, the page hidden",
               "2",
               NoInterfacesFile,
               "Unable to find file /etc/network/interfaces! | Unable to load configuration data! | => 0 counted 0: |  | hidden");
        addRow("a missing and an unrunnable program named with their packages; only viewing",
               "2",
               MissingPrograms,
               "These programs are missing or cannot be run:\n/sbin/ifconfig (Debian package net-tools)\n/sbin/dhclient (Debian package isc-dhcp-client)\n"
               "Install them; until then the settings can only be viewed. | => 1 counted 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown read-only");
        addRow("anyone but the superuser may only look, on every tab",
               "2",
               NotSuperUser,
               "=> 1 counted 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown read-only");
    }

    void loadsTheSystem()
    {
        QFETCH(QString, count);
        QFETCH(Change, change);
        QFETCH(QString, shown);
        const Sample sample(change, count.isNull() ? std::nullopt : std::optional(count.toLatin1()));
        QStringList seen;
        for (const MessageRecorder::Shown &box : sample.messages.shown) {
            seen << (box.text == Unsupported ? QStringLiteral("question") : box.text)
                    + (box.caption == QLatin1String("TCP/IP") ? QString() : QLatin1String(" [caption ") + box.caption + QLatin1Char(']'));
        }
        QStringList devices{QStringLiteral("=> %1 counted %2:").arg(sample.shell.queries.size()).arg(sample.panel->ethernetCount())};
        for (const Interface &record : sample.panel->interfaceRecords()) {
            if (record.present) {
                devices << record.deviceName + (record.description.isEmpty() ? QString() : QLatin1Char('=') + record.description);
            }
        }
        const bool mayApply = sample.module->buttons() == (KCModule::Help | KCModule::Apply);
        QVERIFY(mayApply || sample.module->buttons() == KCModule::Help);
        seen << devices.join(QLatin1Char(' ')) << sample.panel->resolverFile().nameservers().join(QLatin1Char(' '))
             << QLatin1String(sample.panel->isHidden() ? "hidden" : "shown") + QLatin1String(mayApply ? "" : " read-only");
        QCOMPARE(seen.join(QLatin1String(" | ")), shown);
        const NetConfigPanel &panel = *sample.panel;
        QCOMPARE(QList<bool>({panel.m_pIDPanel->isReadOnly(), panel.m_pIPPanel->isReadOnly(), panel.m_pDNSPanel->isReadOnly(), panel.m_wireless->isReadOnly()}),
                 QList<bool>({!mayApply, !mayApply, !mayApply, !mayApply}));
        // Once hidden, the page stays so: it would show half-read records otherwise.
        sample.root.copySample();
        sample.module->load();
        QCOMPARE(sample.panel->isHidden(), shown.endsWith(QLatin1String("hidden")));
    }

    void talksToTheShell()
    {
        Sample sample;
        QSignalSpy changed(sample.module.get(), &KCModule::changed);
        QCOMPARE(sample.module->quickHelp(),
                 QStringLiteral("<h3>Network Connection</h3><br>For a local user, this module allows you to view and change the network settings.<br><br>"
                                "Users currently logged in as a domain user must log out, and then log back in as a local user,  before making any "
                                "modifications to this panel."));
        // KCModule would load again when first shown; the constructor has read everything.
        sample.module->show();
        QVERIFY(QTest::qWaitForWindowExposed(sample.module.get()));
        QCOMPARE(sample.shell.queries.size(), 1);
        // An edit on a tab travels through the main panel to the shell.
        sample.panel->m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
        QCOMPARE(QList<QVariantList>(changed), QList<QVariantList>{QVariantList{true}});
    }

    void reloadsThreeTabsOnRequestOfTheInterfacesTab()
    {
        Sample sample;
        sample.root.write(QStringLiteral("/etc/hostname"), "relay5\n");
        sample.root.write(QStringLiteral("/etc/resolv.conf"), "nameserver 192.0.2.53\n");
        sample.root.write(QStringLiteral("/etc/network/interfaces"), "auto eth0\niface eth0 inet static\n\taddress 10.1.4.50\n\tnetmask 255.255.252.0\n");
        sample.root.write(QStringLiteral("/etc/pcmcia/wireless.opts"),
                          sample.root.read(QStringLiteral("/etc/pcmcia/wireless.opts")).replace("office", "other"));
        Q_EMIT sample.panel->m_pIPPanel->reloadConfigData();
        // Each tab reloads from a fresh read of every file: three counts of the devices; Wireless keeps its own.
        QCOMPARE(sample.shell.queries.size(), 1 + 3);
        const QStringList shown{sample.panel->m_pIDPanel->m_pHostName->text(),
                                sample.panel->m_pIPPanel->m_pIPEditStaticIP->getText(),
                                sample.panel->m_pDNSPanel->m_pListBox->item(0)->text(),
                                sample.panel->m_wireless->LineEdit_1->text()};
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
        Sample sample;
        NetConfigPanel &panel = *sample.panel;
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
        // Clearing the flags is bookkeeping: the shell is not told.
        panel.setChangedFlag(false);
        QCOMPARE(flags(), QList<bool>({false, false, false, false}));
        QCOMPARE(QList<QVariantList>(changed), QList<QVariantList>{QVariantList{true}});
    }

    void dnsTabFollowsTheEnabledInterfaces()
    {
        Sample sample;
        // eth0 is shown first; then eth1 is chosen with the arrow key, as a user would.
        QCheckBox *enable = sample.panel->m_pIPPanel->m_pCheckBoxEnableNetwork;
        const QListWidget *servers = sample.panel->m_pDNSPanel->m_pListBox;
        enable->click();
        QVERIFY(servers->isEnabled());
        QTest::keyClick(sample.panel->m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        enable->click();
        QVERIFY(!servers->isEnabled());
        enable->click();
        QVERIFY(servers->isEnabled());
    }
};

QTEST_MAIN(QuorlanTest)

#include "quorlantest.moc"
