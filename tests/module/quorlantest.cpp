// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QSignalSpy>
#include <QTest>

#include <KLineEdit>

#include "addrow.h"
#include "fakeshell.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "module/quorlan.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/superuser.h"
#include "samplesystem.h"
#include "systemroot.h"

#include <memory>

namespace
{
const QString CountCommand = QStringLiteral("/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l");
const QString Unsupported = QStringLiteral(
    "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit the "
    "program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");

// The module on the sample system, its device inventory naming network.1 only, and
// the machine set up by a row: "count X" (what the Ethernet count prints; "count -":
// it cannot start), "interfaces TEXT" (line ends and tabs escaped), "no interfaces", "answer no", "user" (not the superuser).
struct ModuleOnSample {
    explicit ModuleOnSample(const QString &setup)
    {
        SampleSystem::copyInto(root);
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QStringLiteral("/etc/devices/devices.inf"));
        shell.answerQuery(CountCommand, QByteArray("2"));
        SuperUser::setOverride(true);
        for (const QString &step : setup.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            const QString rest = step.mid(step.indexOf(QLatin1Char(' ')) + 1);
            if (step.startsWith(QLatin1String("count "))) {
                shell.answerQuery(CountCommand, rest == QLatin1String("-") ? std::nullopt : std::optional<QByteArray>(rest.toLatin1()));
            } else if (step.startsWith(QLatin1String("interfaces "))) {
                root.write(QStringLiteral("/etc/network/interfaces"), rest.toLatin1().replace("\\n", "\n").replace("\\t", "\t"));
            } else if (step == QLatin1String("no interfaces")) {
                QFile::remove(root.path(QStringLiteral("/etc/network/interfaces")));
            } else if (step == QLatin1String("answer no")) {
                messages.answers << Messages::Answer::No;
            } else if (step == QLatin1String("user")) {
                SuperUser::setOverride(false);
            }
        }
        module = std::make_unique<Quorlan>(nullptr, QVariantList());
        panel = module->findChild<NetConfigPanel *>();
    }
    ~ModuleOnSample()
    {
        SuperUser::setOverride(std::nullopt);
    }

    // The boxes, then "=> " the count, each present device with its description,
    // the name servers read and whether the page is shown.
    QString loaded() const
    {
        QStringList seen;
        for (const MessageRecorder::Shown &box : messages.shown) {
            seen << box.text + (box.caption == QLatin1String("TCP/IP") ? QString() : QLatin1String(" [caption ") + box.caption + QLatin1Char(']'));
        }
        QStringList devices{QStringLiteral("=> %1 counted %2:").arg(shell.queries.size()).arg(panel->ethernetCount())};
        for (const Interface &record : panel->interfaceRecords()) {
            if (record.present) {
                devices << record.deviceName + (record.description.isEmpty() ? QString() : QLatin1Char('=') + record.description);
            }
        }
        seen << devices.join(QLatin1Char(' ')) << panel->resolverFile().nameservers().join(QLatin1Char(' '))
             << QLatin1String(panel->isHidden() ? "hidden" : "shown");
        return seen.join(QLatin1String(" | "));
    }

    SystemRoot root;
    FakeShell shell;
    MessageRecorder messages;
    std::unique_ptr<Quorlan> module;
    NetConfigPanel *panel = nullptr;
};
}

class QuorlanTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsTheSystem_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("expected"); // ModuleOnSample::loaded()

        const QString servers = QStringLiteral(" | 10.1.0.53 10.1.0.54 | shown");
        addRow("the sample: devices named from the inventory, network.2 has no maker", "", QString(QLatin1String("=> 1 counted 2: eth0=Acme eth1") + servers));
        addRow("three devices", "count 3", QString(QLatin1String("=> 1 counted 3: eth0=Acme eth1 eth2") + servers));
        addRow("blanks before the number", "count   2", QString(QLatin1String("=> 1 counted 2: eth0=Acme eth1") + servers));
        addRow("no output is no device", "count ", QString(QLatin1String("=> 1 counted 0:") + servers));
        addRow("no number is no device", "count x", QString(QLatin1String("=> 1 counted 0:") + servers));
        addRow("seven devices fill the five records and nothing beyond",
               "count 7",
               QString(QLatin1String("=> 1 counted 7: eth0=Acme eth1 eth2 eth3 eth4") + servers));
        addRow("a count that cannot start: no message of its own", "count -", "Unable to load configuration data! | => 1 counted 0: |  | hidden");
        addRow("an unsupported option asked about; Yes goes on",
               "interfaces auto lo eth0\\n   mapping hotplug\\n",
               QString(Unsupported + QLatin1String(" | => 1 counted 2: eth0=Acme eth1") + servers));
        addRow("No: nothing counted, the resolver not read",
               "interfaces iface eth0 inet dhcp\\n\\thwaddress ether 00:11:22:33:44:55\\n, answer no",
               Unsupported + QLatin1String(" | Unable to load configuration data! | => 0 counted 0: |  | hidden"));
        addRow("a missing interfaces file is named, the page hidden",
               "no interfaces",
               "Unable to find file /etc/network/interfaces! | Unable to load configuration data! | => 0 counted 0: |  | hidden");
    }

    void loadsTheSystem()
    {
        QFETCH(QString, setup);
        QFETCH(QString, expected);
        ModuleOnSample sample(setup);
        QCOMPARE(sample.loaded(), expected);
        // Once hidden, the page stays so: it would show half-read records otherwise.
        SampleSystem::copyInto(sample.root);
        sample.module->load();
        QCOMPARE(sample.panel->isHidden(), expected.endsWith(QLatin1String("hidden")));
    }

    void decidesTheModeByUser_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("buttons"); // KCModule::Buttons, which QTest cannot hold
        QTest::addColumn<QList<bool>>("readOnly"); // Identification, Interfaces, DNS, Wireless

        addRow("the superuser may apply", "", int(KCModule::Help | KCModule::Apply), QList<bool>{false, false, false, false});
        addRow("anyone else may only look, on every tab", "user", int(KCModule::Help), QList<bool>{true, true, true, true});
    }

    void decidesTheModeByUser()
    {
        QFETCH(QString, setup);
        QFETCH(int, buttons);
        QFETCH(QList<bool>, readOnly);
        ModuleOnSample sample(setup);
        const NetConfigPanel &panel = *sample.panel;
        QCOMPARE(int(sample.module->buttons()), buttons);
        QCOMPARE(QList<bool>({panel.m_pIDPanel->isReadOnly(), panel.m_pIPPanel->isReadOnly(), panel.m_pDNSPanel->isReadOnly(), panel.m_wireless->isReadOnly()}),
                 readOnly);
        QCOMPARE(panel.isReadOnly(), readOnly.first());
    }

    void talksToTheShell()
    {
        ModuleOnSample sample(QString{});
        QSignalSpy changed(sample.module.get(), &KCModule::changed);
        QCOMPARE(sample.module->quickHelp(),
                 QStringLiteral("<h3>Network Connection</h3><br>For a local user, this module allows you to view and change the network settings.<br><br>"
                                "Users currently logged in as a domain user must log out, and then log back in as a local user,  before making any "
                                "modifications to this panel."));
        // KCModule would load again when first shown; the constructor has read everything.
        sample.module->show();
        QVERIFY(QTest::qWaitForWindowExposed(sample.module.get()));
        QCOMPARE(sample.shell.queries.size(), 1);
        QCOMPARE(changed.size(), 0);
        // An edit on a tab travels through the main panel to the shell.
        sample.panel->m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toBool(), true);
    }
};

QTEST_MAIN(QuorlanTest)

#include "quorlantest.moc"
