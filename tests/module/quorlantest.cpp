// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module on the sample system as the shell builds it: what loading counts,
// reads and shows, who may change anything, how the tabs work together, and what
// Apply runs, shows and writes, whatever goes wrong on the way.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <KComboBox>
#include <KLineEdit>

#include "addrow.h"
#include "fakeshell.h"
#include "faultyroot.h"
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

#include <cstdio>
#include <memory>

namespace
{
const QString Path = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; ");
const QString CountCommand = QStringLiteral("/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l");
// The exact lines run and the longer boxes, by the names the rows use.
const QHash<QString, QString> Names{
    {CountCommand, QStringLiteral("count")},
    {Path + QLatin1String("/etc/init.d/networking stop"), QStringLiteral("stop")},
    {Path + QLatin1String("/bin/hostname --file /etc/hostname"), QStringLiteral("hostname")},
    {Path + QLatin1String("/etc/init.d/networking restart 2>/dev/null"), QStringLiteral("restart")},
    {QStringLiteral("/sbin/ifconfig | /bin/grep -q eth0"), QStringLiteral("check eth0")},
    {QStringLiteral("/sbin/ifconfig | /bin/grep -q eth1"), QStringLiteral("check eth1")},
    {QStringLiteral("The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, "
                    "please exit the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you "
                    "wish to continue?"),
     QStringLiteral("unsupported?")},
    {QStringLiteral("The settings have been changed. Do you wish the changes to take effect now?"), QStringLiteral("take effect?")},
    {QStringLiteral("The changes you have made will not take effect until the next time the computer is restarted."), QStringLiteral("not yet")},
    {QStringLiteral("The changes are now in effect. Please note that some applications may be using cached settings which will not change until the "
                    "computer is restarted."),
     QStringLiteral("in effect")}};
const QStringList Files = QStringLiteral("/etc/pcmcia/wireless.opts /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf").split(QLatin1Char(' '));

enum Change { AsIs, Mapping, HardwareAddressRefused, NoInterfacesFile, MissingPrograms, NotSuperUser };
enum Trouble { Untouched, Refused, None, Fails, CannotStart, Blocked, Declined, Disabled, OneDevice };

// What ran and what was shown, in order, by name; " [caption]" after a box
// captioned other than TCP/IP, "*" after one shown under the wait cursor.
class Transcript : public FakeShell, public MessageRecorder
{
public:
    ShellProcess::Result run(const QString &line, bool privileged) override
    {
        events << Names.value(line, line) + QLatin1String(privileged ? "" : " unprivileged");
        return FakeShell::run(line, privileged);
    }
    std::optional<QByteArray> query(const QString &line) override
    {
        events << Names.value(line, line);
        return FakeShell::query(line);
    }
    Messages::Answer show(QWidget *parent, const Messages::Box &box) override
    {
        events << Names.value(box.text, box.text) + QLatin1String(box.caption == QLatin1String("TCP/IP") ? "" : " [caption]")
                + QLatin1String(parent && parent->cursor().shape() == Qt::WaitCursor ? "*" : "");
        return MessageRecorder::show(parent, box);
    }
    QStringList events;
};

// The module started on the sample system, whose device inventory names network.1 only.
struct Sample {
    explicit Sample(Change change = AsIs, const std::optional<QByteArray> &count = QByteArray("2"))
    {
        root.copySample();
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QStringLiteral("/etc/devices/devices.inf"));
        if (change == Mapping || change == HardwareAddressRefused) {
            root.write(QStringLiteral("/etc/network/interfaces"),
                       change == Mapping ? "auto lo eth0\n   mapping hotplug\n" : "iface eth0 inet dhcp\n\thwaddress ether 00:11:22:33:44:55\n");
            transcript.answers << (change == Mapping ? Messages::Answer::Yes : Messages::Answer::No);
        } else if (change == NoInterfacesFile) {
            QFile::remove(root.path(QStringLiteral("/etc/network/interfaces")));
        } else if (change == MissingPrograms) {
            QFile::remove(root.path(QStringLiteral("/sbin/ifconfig")));
            QFile::setPermissions(root.path(QStringLiteral("/sbin/dhclient")), QFile::ReadOwner | QFile::WriteOwner);
        }
        transcript.answerQuery(CountCommand, count);
        SuperUser::setOverride(change != NotSuperUser);
        module = std::make_unique<Quorlan>(nullptr, QVariantList());
        panel = module->findChild<NetConfigPanel *>();
    }
    ~Sample()
    {
        SuperUser::setOverride(std::nullopt);
    }

    SystemRoot root;
    Transcript transcript;
    std::unique_ptr<Quorlan> module;
    NetConfigPanel *panel = nullptr;
};

// The edits before an Apply: host name gateway9 (none when refused), network name lab-wlan.
void edit(NetConfigPanel &panel, Trouble trouble)
{
    // Loading flags the Wireless tab; every row starts from tabs without a change.
    panel.setChangedFlag(false);
    if (trouble != Untouched) {
        panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
        panel.m_pIDPanel->m_pHostName->setText(trouble == Refused ? QString() : QStringLiteral("gateway9"));
    }
    if (trouble == Disabled) {
        QTest::keyClick(panel.m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
    }
}

// The files that differ from the sample (by their last path part), then the devices a fresh load finds enabled.
QString outcomeOf(const SystemRoot &root)
{
    QStringList outcome{QStringLiteral("wrote")};
    for (const QString &file : Files) {
        if (root.read(file) != SystemRoot::fixture(QLatin1String("sample-system") + file)) {
            outcome << file.section(QLatin1Char('/'), -1);
        }
    }
    NetConfigPanel fresh(nullptr, nullptr, false);
    fresh.loadSettings();
    outcome << QStringLiteral("| up");
    for (const Interface &record : fresh.interfaceRecords()) {
        if (record.present && record.enabled) {
            outcome << record.deviceName;
        }
    }
    return outcome.join(QLatin1Char(' '));
}
}

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Trouble)

class QuorlanTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What loading ran and showed, then the devices counted and each one present
    // with its maker, the name servers read, and whether the page is shown.
    void loadsTheSystem_data()
    {
        QTest::addColumn<QString>("count"); // what the count prints; null: it cannot start
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("shown");

        addRow("the sample: devices named from the inventory, network.2 has no maker", "2", AsIs, "count | 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown");
        addRow("three devices", "3", AsIs, "count | 3: eth0=Acme eth1 eth2 | 10.1.0.53 10.1.0.54 | shown");
        addRow("blanks before the number", "  2", AsIs, "count | 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown");
        addRow("no output is no device", QStringLiteral(""), AsIs, "count | 0: | 10.1.0.53 10.1.0.54 | shown");
        addRow("no number is no device", "x", AsIs, "count | 0: | 10.1.0.53 10.1.0.54 | shown");
        addRow("seven devices fill the five records and nothing beyond", "7", AsIs, "count | 7: eth0=Acme eth1 eth2 eth3 eth4 | 10.1.0.53 10.1.0.54 | shown");
        addRow("a count that cannot start: no message of its own", QString(), AsIs, "count | Unable to load configuration data! | 0: |  | hidden");
        addRow("an unsupported option asked about; Yes goes on", "2", Mapping, "unsupported? | count | 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown");
        addRow("No: nothing counted, the resolver not read", "2", HardwareAddressRefused, "unsupported? | Unable to load configuration data! | 0: |  | hidden");
        addRow("a missing interfaces file is named, the page hidden",
               "2",
               NoInterfacesFile,
               "Unable to find file /etc/network/interfaces! | Unable to load configuration data! | 0: |  | hidden");
        addRow("a missing and an unrunnable program named with their packages; only viewing",
               "2",
               MissingPrograms,
               "These programs are missing or cannot be run:\n/sbin/ifconfig (Debian package net-tools)\n/sbin/dhclient (Debian package isc-dhcp-client)\n"
               "Install them; until then the settings can only be viewed. | count | 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown read-only");
        addRow("anyone but the superuser may only look, on every tab", "2", NotSuperUser, "count | 2: eth0=Acme eth1 | 10.1.0.53 10.1.0.54 | shown read-only");
    }

    void loadsTheSystem()
    {
        QFETCH(QString, count);
        QFETCH(Change, change);
        QFETCH(QString, shown);
        const Sample sample(change, count.isNull() ? std::nullopt : std::optional(count.toLatin1()));
        QStringList devices{QString::number(sample.panel->ethernetCount()) + QLatin1Char(':')};
        for (const Interface &record : sample.panel->interfaceRecords()) {
            if (record.present) {
                devices << record.deviceName + (record.description.isEmpty() ? QString() : QLatin1Char('=') + record.description);
            }
        }
        const bool mayApply = sample.module->buttons() == (KCModule::Help | KCModule::Apply);
        QVERIFY(mayApply || sample.module->buttons() == KCModule::Help);
        const QStringList seen = sample.transcript.events
            + QStringList{devices.join(QLatin1Char(' ')),
                          sample.panel->resolverFile().nameservers().join(QLatin1Char(' ')),
                          QLatin1String(sample.panel->isHidden() ? "hidden" : "shown") + QLatin1String(mayApply ? "" : " read-only")};
        QCOMPARE(seen.join(QLatin1String(" | ")), shown);
        const NetConfigPanel &panel = *sample.panel;
        QCOMPARE(QList<bool>({panel.m_pIDPanel->isReadOnly(),
                              panel.m_pIPPanel->isReadOnly(),
                              panel.m_pDNSPanel->isReadOnly(),
                              panel.m_wireless->isReadOnly(),
                              panel.isReadOnly()}),
                 QList<bool>({!mayApply, !mayApply, !mayApply, !mayApply, !mayApply}));
        // Once hidden, the page stays so: it would show half-read records otherwise.
        sample.root.copySample();
        sample.module->load();
        QCOMPARE(sample.panel->isHidden(), shown.endsWith(QLatin1String("hidden")));
    }

    void talksToTheShell()
    {
        Sample sample;
        QSignalSpy changed(sample.module.get(), &KCModule::changed);
        // KCModule would load again when first shown; the constructor has read everything.
        sample.module->show();
        QVERIFY(QTest::qWaitForWindowExposed(sample.module.get()));
        // An edit on a tab travels through the main panel to the shell.
        sample.panel->m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
        QCOMPARE(sample.transcript.events, QStringList{QStringLiteral("count")});
        QCOMPARE(QList<QVariantList>(changed), QList<QVariantList>{QVariantList{true}});
        // A main panel built read-only is so on every tab, whoever runs it.
        QVERIFY(NetConfigPanel(nullptr, nullptr, true).isReadOnly());
    }

    void reloadsThreeTabsOnRequestOfTheInterfacesTab()
    {
        Sample sample;
        sample.root.write(QStringLiteral("/etc/hostname"), "relay5\n");
        sample.root.write(QStringLiteral("/etc/resolv.conf"), "nameserver 192.0.2.53\n");
        sample.root.write(QStringLiteral("/etc/network/interfaces"), "auto eth0\niface eth0 inet static\n\taddress 10.1.4.50\n\tnetmask 255.255.252.0\n");
        sample.root.write(QStringLiteral("/etc/pcmcia/wireless.opts"),
                          sample.root.read(QStringLiteral("/etc/pcmcia/wireless.opts")).replace("office", "other"));
        sample.transcript.events.clear();
        Q_EMIT sample.panel->m_pIPPanel->reloadConfigData();
        // Each of the three tabs reloads from a fresh read of every file; Wireless keeps what it has.
        const QStringList shown{sample.panel->m_pIDPanel->m_pHostName->text(),
                                sample.panel->m_pIPPanel->m_pIPEditStaticIP->getText(),
                                sample.panel->m_pDNSPanel->m_pListBox->item(0)->text(),
                                sample.panel->m_wireless->LineEdit_1->text()};
        QCOMPARE(sample.transcript.events.join(QLatin1Char(' ')) + QLatin1String(": ") + shown.join(QLatin1Char(' ')),
                 QStringLiteral("count count count: relay5 10.1.4.50 192.0.2.53 office-wlan"));
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

    void appliesInOrder_data()
    {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<QString>("where"); // the command that fails, or the file whose place a folder takes
        QTest::addColumn<QString>("ran");
        QTest::addColumn<bool>("returned");
        QTest::addColumn<QString>("outcome");

        // What the files and a fresh load show afterwards.
        const char *none = "wrote | up eth0 eth1";
        const char *wireless = "wrote wireless.opts | up eth0 eth1";
        const char *hostname = "wrote wireless.opts hostname | up eth0 eth1";
        const char *all = "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0 eth1";
        const char *allEth0 = "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0";
        addRow("no tab changed: nothing written, nothing run", Untouched, "", "", true, none);
        addRow("a refused check writes nothing and clears every flag", Refused, "", "Please specify a valid Host name!", false, none);
        addRow("the take-down cannot start", CannotStart, "stop", "stop | Problem shutting down all network interfaces!*", false, wireless);
        addRow("take-down fails", Fails, "stop", "stop | Error shutting down interfaces!* | Problem shutting down all network interfaces!*", false, wireless);
        addRow("the host name file cannot be written", Blocked, "/etc/hostname", "stop | Problem saving configuration data!*", false, wireless);
        addRow("the hosts file cannot be replaced", Blocked, "/etc/hosts.new", "stop | Problem saving configuration data!*", false, hostname);
        addRow("declining keeps the files, sets no host name and reloads", Declined, "", "stop | take effect? | not yet | count", true, all);
        addRow("the host name command cannot start: no message", CannotStart, "/bin/hostname", "stop | take effect? | hostname", false, all);
        addRow("the host name command fails", Fails, "/bin/hostname", "stop | take effect? | hostname | Error setting hostname!*", false, all);
        addRow("the restart cannot start: no message", CannotStart, "restart", "stop | take effect? | hostname | restart", false, all);
        addRow("the restart fails", Fails, "restart", "stop | take effect? | hostname | restart | Error restarting networking!*", false, all);
        addRow("all come up: notice, reload", None, "", "stop | take effect? | hostname | restart | check eth0 | check eth1 | in effect | count", true, all);
        addRow("eth1 does not come up: named, stored as not enabled",
               Fails,
               "eth1",
               "stop | take effect? | hostname | restart | check eth0 | check eth1 | The following interface(s) failed to restart: eth1",
               false,
               allEth0);
        addRow("an absent device is never checked", OneDevice, "", "stop | take effect? | hostname | restart | check eth0 | in effect | count", true, allEth0);
        addRow("a disabled one is never checked", Disabled, "", "stop | take effect? | hostname | restart | check eth0 | in effect | count", true, allEth0);
    }

    void appliesInOrder()
    {
        QFETCH(Trouble, trouble);
        QFETCH(QString, where);
        QFETCH(QString, ran);
        Sample sample(AsIs, QByteArray(trouble == OneDevice ? "1" : "2"));
        const SystemRoot &root = sample.root;
        Transcript &transcript = sample.transcript;
        NetConfigPanel &panel = *sample.panel;
        edit(panel, trouble);
        if (trouble == Declined) {
            transcript.answers << Messages::Answer::No;
        } else if (trouble == Fails) {
            transcript.fail(where);
        } else if (trouble == CannotStart) {
            transcript.cannotStart(where);
        } else if (trouble == Blocked) {
            QFile::remove(root.path(where));
            QDir().mkpath(root.path(where));
        }

        transcript.events.clear();
        const bool returned = panel.applySettings();
        QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(transcript.events.join(QLatin1String(" | ")), ran);
        QTEST(returned, "returned");
        // The blocked file comes back as it was, so that only what was written differs.
        if (trouble == Blocked) {
            QVERIFY(QDir().rmdir(root.path(where)));
            if (Files.contains(where)) {
                root.write(where, SystemRoot::fixture(QLatin1String("sample-system") + where));
            }
        }
        QTEST(outcomeOf(root), "outcome");
        if (outcomeOf(root).contains(QLatin1String("resolv.conf"))) {
            QCOMPARE(root.read(QStringLiteral("/etc/hostname")), QByteArray("gateway9\n"));
            QCOMPARE(root.read(QStringLiteral("/etc/resolv.conf")), QByteArray("domain example.org\nnameserver 10.1.0.53\nnameserver 10.1.0.54\n"));
            QVERIFY(root.read(QStringLiteral("/etc/hosts")).contains("\n10.1.4.37 gateway9.example.org gateway9\n"));
            QVERIFY(root.read(Files.first()).contains("\nESSID=\"lab-wlan\"\n"));
        }
        if (!ran.contains(QLatin1String("stop"))) {
            // Nothing had changed, or a check refused and cleared every flag: Apply again does nothing.
            transcript.events.clear();
            QVERIFY(!panel.isChanged() && panel.applySettings());
            QCOMPARE(transcript.events, QStringList());
        }
    }

    // The same Apply on a file system that fails under it: the user is told, and
    // every file that was not written is as it was, no replacement left behind.
    void keepsTheFilesOnAFailingFileSystem_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QString>("written");
        // The short host name fits the page its own file gave up; the hosts file's copy does not.
        addRow("full file system", FaultyRoot::FillUp, "/etc/hostname");
        addRow("read-only file system", FaultyRoot::MakeReadOnly, "");
    }

    void keepsTheFilesOnAFailingFileSystem()
    {
        QFETCH(QString, prepare);
        QFETCH(QString, written);
        if (!FaultyRoot::isAvailable()) {
            QSKIP("unshare --mount is not permitted here: the file system faults need a mount namespace of their own");
        }
        SystemRoot stage;
        stage.copySample();
        QMap<QString, QByteArray> tree;
        QCOMPARE(
            QString::fromUtf8(FaultyRoot::run(stage.path(QString()), prepare, QStringLiteral("apply"), &tree)).trimmed(),
            QStringLiteral("Unable to save the changes to the wireless configuration file. [caption] | stop | Problem saving configuration data!* => false"));
        const QMap<QString, QByteArray> before = FaultyRoot::snapshot(stage.path(QString()));
        QCOMPARE(QStringList(tree.keys()), QStringList(before.keys()));
        QStringList changed;
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (tree.value(it.key()) != it.value()) {
                changed << it.key();
            }
        }
        QCOMPARE(changed.join(QLatin1Char(' ')), written);
        if (!written.isEmpty()) {
            QCOMPARE(tree.value(written), QByteArray("gateway9\n"));
        }
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!FaultyRoot::task().isEmpty()) {
        // Inside the failing file system, whose tree QUORLAN_ROOT names: one Apply, then what it showed.
        Transcript transcript;
        transcript.answerQuery(CountCommand, QByteArray("2"));
        SuperUser::setOverride(true);
        Quorlan module(nullptr, QVariantList());
        auto *panel = module.findChild<NetConfigPanel *>();
        edit(*panel, None);
        transcript.events.clear();
        const bool applied = panel->applySettings();
        std::puts(qPrintable(transcript.events.join(QLatin1String(" | ")) + QLatin1String(applied ? " => true" : " => false")));
        return 0;
    }
    QuorlanTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "quorlantest.moc"
