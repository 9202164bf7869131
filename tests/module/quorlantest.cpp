// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module on the sample system as the shell builds it: loading, the tabs
// together, and Apply, whatever goes wrong on the way.

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <KComboBox>
#include <KLineEdit>

#include <functional>

#include "addrow.h"
#include "faultyroot.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "module/quorlan.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/shellprocess.h"
#include "platform/superuser.h"
#include "shellview.h"
#include "systemroot.h"

#include <cstdio>
#include <memory>

namespace
{
const QString Path = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; ");
// The exact lines run and the longer boxes, by the names the rows use.
const QHash<QString, QString> Names{
    {Path + QLatin1String("/etc/init.d/networking stop"), QStringLiteral("stop")},
    {Path + QLatin1String("/bin/hostname --file /etc/hostname"), QStringLiteral("hostname")},
    {Path + QLatin1String("/etc/init.d/networking restart 2>/dev/null"), QStringLiteral("restart")},
    {QStringLiteral("The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, "
                    "please exit the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you "
                    "wish to continue?"),
     QStringLiteral("unsupported?")},
    {QStringLiteral("The settings have been changed. Do you wish the changes to take effect now?"), QStringLiteral("take effect?")},
    {QStringLiteral("The changes you have made will not take effect until the next time the computer is restarted."), QStringLiteral("not yet")},
    {QStringLiteral("The changes are now in effect. Please note that some applications may be using cached settings which will not change until the "
                    "computer is restarted."),
     QStringLiteral("in effect")},
    {QStringLiteral("The following interface(s) failed to restart: eth1"), QStringLiteral("eth1 failed")},
    {QStringLiteral("Unable to load configuration data!"), QStringLiteral("no data")}};
const QStringList Files = QStringLiteral("/etc/pcmcia/wireless.opts /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf").split(QLatin1Char(' '));

enum Change { AsIs, Mapping, NoInterfacesFile, PlaceNames, NoDevices, OnlyEth0 };
enum Trouble { Refused, None, Fails, CannotStart, Declined, OneDevice, Eth1Down };

// Stands in for /bin/sh and the message boxes: what ran and was shown, by name, with " [caption]" after a box
// not captioned TCP/IP and "*" after one under the wait cursor. The line that contains `failing` ends as `failure`.
class Transcript : public ShellProcess::Backend, public MessageRecorder
{
public:
    Transcript()
    {
        ShellProcess::setBackend(this);
    }
    ~Transcript() override
    {
        ShellProcess::setBackend(nullptr);
    }
    ShellProcess::Result run(const QString &line, bool privileged) override
    {
        events << Names.value(line, line) + QLatin1String(privileged ? "" : " unprivileged");
        return !failing.isEmpty() && line.contains(failing) ? failure : ShellProcess::Result{true, true, 0};
    }
    Messages::Answer show(QWidget *parent, const Messages::Box &box) override
    {
        events << Names.value(box.text, box.text) + QLatin1String(box.caption == QLatin1String("TCP/IP") ? "" : " [caption]")
                + QLatin1String(parent && parent->cursor().shape() == Qt::WaitCursor ? "*" : "");
        return MessageRecorder::show(parent, box);
    }
    QStringList events;
    QString failing;
    ShellProcess::Result failure;
};

// A device under /sys/class/net, as the kernel shows it to the module.
void addDevice(const SystemRoot &root, const QString &name, int index, const QByteArray &flags = "0x1003")
{
    const QString folder = QLatin1String("/sys/class/net/") + name + QLatin1Char('/');
    root.write(folder + QLatin1String("type"), "1\n");
    root.write(folder + QLatin1String("ifindex"), QByteArray::number(index) + '\n');
    root.write(folder + QLatin1String("flags"), flags + '\n');
}

// The module opened on the sample system, whose device inventory names network.1 only, as a shell opens it: built,
// then shown, which loads it.
struct Sample {
    explicit Sample(Change change = AsIs)
    {
        root.copySample();
        root.write(QStringLiteral("/etc/devices/devices.inf"), SystemRoot::fixture(QStringLiteral("sample/devices-inf-acme-network-1")));
        if (change == Mapping) {
            root.write(QStringLiteral("/etc/network/interfaces"), "auto lo eth0\n   mapping hotplug\n");
        } else if (change == NoInterfacesFile) {
            QFile::remove(root.path(QStringLiteral("/etc/network/interfaces")));
        } else if (change == PlaceNames || change == NoDevices) {
            QDir(root.path(QStringLiteral("/sys/class/net"))).removeRecursively();
        } else if (change == OnlyEth0) {
            QDir(root.path(QStringLiteral("/sys/class/net/eth1"))).removeRecursively();
            QDir(root.path(QStringLiteral("/sys/class/net/eth2"))).removeRecursively();
        }
        if (change == PlaceNames) {
            addDevice(root, QStringLiteral("enp2s0"), 2);
            addDevice(root, QStringLiteral("enp1s0"), 3);
            addDevice(root, QStringLiteral("eno1"), 4);
            for (int i = 5; i < 9; ++i) {
                addDevice(root, QStringLiteral("enp%1s0").arg(i), i);
            }
        }
        module = std::make_unique<Quorlan>(nullptr, "quorlan");
        panel = ShellView::page(module.get())->findChild<NetConfigPanel *>();
        ShellView::open(module.get());
    }
    SystemRoot root;
    Transcript transcript;
    std::unique_ptr<Quorlan> module;
    NetConfigPanel *panel = nullptr;
};

// The edits before an Apply: host name gateway9 (none when refused), network name lab-wlan.
void edit(NetConfigPanel &panel, Trouble trouble)
{
    panel.setChangedFlag(false); // loading flags the Wireless tab
    panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
    panel.m_pIDPanel->m_pHostName->setText(trouble == Refused ? QString() : QStringLiteral("gateway9"));
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
    // What loading showed (it runs nothing), then the devices found and each one present with its
    // description, the name servers read, and whether the page is shown. Opening the module loads it once.
    void loadsTheSystem_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("shown");

        addRow("the sample: eth0 to eth2, not its loopback, bridge and port, wireless cards, VLAN or bond; makers from the inventory, else udev",
               AsIs,
               "3: eth0=Acme eth1 eth2=82574L Gigabit Network Connection | 10.1.0.53 10.1.0.54 | shown");
        addRow("seven devices named by their place, in the kernel's order, fill the five records and nothing beyond",
               PlaceNames,
               "7: enp2s0=Acme enp1s0 eno1=82574L Gigabit Network Connection enp5s0 enp6s0 | 10.1.0.53 10.1.0.54 | shown");
        addRow("no Ethernet device: no record present, the page shown", NoDevices, "0: | 10.1.0.53 10.1.0.54 | shown");
        addRow("an unsupported option asked about once; Yes goes on",
               Mapping,
               "unsupported? | 3: eth0=Acme eth1 eth2=82574L Gigabit Network Connection | 10.1.0.53 10.1.0.54 | shown");
        addRow("no interfaces file: named, the page hidden", NoInterfacesFile, "Unable to find file /etc/network/interfaces! | no data | 0: |  | hidden");
    }

    void loadsTheSystem()
    {
        QFETCH(Change, change);
        const Sample sample(change);
        QStringList seen = sample.transcript.events + QStringList{QString::number(sample.panel->ethernetCount()) + QLatin1Char(':')};
        for (const Interface &record : sample.panel->interfaceRecords()) {
            if (record.present) {
                seen.last() += QLatin1Char(' ') + record.deviceName + (record.description.isEmpty() ? QString() : QLatin1Char('=') + record.description);
            }
        }
        seen << sample.panel->resolverFile().nameservers().join(QLatin1Char(' ')) << QLatin1String(sample.panel->isHidden() ? "hidden" : "shown");
        QTEST(seen.join(QLatin1String(" | ")), "shown");
        // Who may change anything the lab's scenarios show; a panel built read-only is so on every tab.
        QVERIFY(NetConfigPanel(nullptr, nullptr, true).isReadOnly());
    }

    // The tabs work as one: an edit on any tab flags it and reaches the shell (clearing the flags is
    // bookkeeping the shell is not told of), the DNS tab follows whether the device shown is enabled,
    // and the Interfaces tab's reload request reloads three tabs from fresh reads.
    void coordinatesTheTabs()
    {
        Sample sample;
        NetConfigPanel &panel = *sample.panel;
        QCheckBox *enable = panel.m_pIPPanel->m_pCheckBoxEnableNetwork;
        QList<bool> told; // what the shell heard
        ShellView::onChanged(sample.module.get(), sample.module.get(), [&told](bool changed) {
            told << changed;
        });
        const std::function<void()> editOnEachTab[] = {
            [&] {
                panel.m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
            },
            [&] {
                enable->click();
            },
            [&] {
                panel.m_pDNSPanel->m_pListBox->setCurrentRow(1);
                panel.m_pDNSPanel->m_pDbtnUp->click();
            },
            [&] {
                panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
            },
        };
        for (const std::function<void()> &edit : editOnEachTab) {
            panel.setChangedFlag(false);
            QVERIFY(!panel.isChanged());
            ShellView::forgetChanges(sample.module.get());
            told.clear();
            edit();
            QVERIFY(panel.isChanged());
            QCOMPARE(told, QList<bool>{true});
        }

        // eth0, shown first, is now disabled; eth1 is chosen with the arrow key, as a user would.
        QTest::keyClick(panel.m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        enable->click();
        QVERIFY(!panel.m_pDNSPanel->m_pListBox->isEnabled());
        enable->click();
        QVERIFY(panel.m_pDNSPanel->m_pListBox->isEnabled());

        sample.root.write(QStringLiteral("/etc/hostname"), "relay6\n");
        sample.root.write(QStringLiteral("/etc/resolv.conf"), "nameserver 192.0.2.53\n");
        // The option makes each read of the files ask once.
        sample.root.write(QStringLiteral("/etc/network/interfaces"),
                          "auto eth1\niface eth1 inet static\n\taddress 10.1.4.50\n\tnetmask 255.255.252.0\nmapping hotplug\n");
        sample.transcript.events.clear();
        Q_EMIT panel.m_pIPPanel->reloadConfigData();
        QCOMPARE(sample.transcript.events.join(QLatin1Char(' ')), QStringLiteral("unsupported? unsupported? unsupported?"));
        QCOMPARE(panel.m_pIDPanel->m_pHostName->text(), QStringLiteral("relay6"));
        QCOMPARE(panel.m_pIPPanel->m_pIPEditStaticIP->getText(), QStringLiteral("10.1.4.50"));
        QCOMPARE(panel.m_pDNSPanel->m_pListBox->item(0)->text(), QStringLiteral("192.0.2.53"));
    }

    void appliesInOrder_data()
    {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<QString>("where"); // the command that fails
        QTest::addColumn<QString>("ran");
        QTest::addColumn<bool>("returned");
        QTest::addColumn<QString>("outcome");

        const char *wireless = "wrote wireless.opts | up eth0 eth1";
        // resolv.conf keeps its bytes: the same domain and servers, its search line kept.
        const char *all = "wrote wireless.opts hostname hosts interfaces | up eth0 eth1";
        const char *allEth0 = "wrote wireless.opts hostname hosts interfaces | up eth0";
        addRow("a refused check writes nothing and clears every flag", Refused, "", "Please specify a valid Host name!", false, "wrote | up eth0 eth1");
        addRow("the take-down cannot start", CannotStart, "stop", "stop | Problem shutting down all network interfaces!*", false, wireless);
        addRow("take-down fails", Fails, "stop", "stop | Error shutting down interfaces!* | Problem shutting down all network interfaces!*", false, wireless);
        addRow("declining keeps the files, sets no host name and reloads", Declined, "", "stop | take effect? | not yet", true, all);
        addRow("the host name cannot be set", Fails, "hostname", "stop | take effect? | hostname | Error setting hostname!*", false, all);
        addRow("the restart fails", Fails, "restart", "stop | take effect? | hostname | restart | Error restarting networking!*", false, all);
        addRow("the restart cannot start: no message of its own", CannotStart, "restart", "stop | take effect? | hostname | restart", false, all);
        addRow("all come up: notice, reload", None, "", "stop | take effect? | hostname | restart | in effect", true, all);
        addRow("eth1 down: named, disabled", Eth1Down, "", "stop | take effect? | hostname | restart | eth1 failed", false, allEth0);
        addRow("an absent device is never checked", OneDevice, "", "stop | take effect? | hostname | restart | in effect", true, allEth0);
    }

    void appliesInOrder()
    {
        QFETCH(Trouble, trouble);
        QFETCH(QString, where);
        QFETCH(QString, ran);
        Sample sample(trouble == OneDevice ? OnlyEth0 : AsIs);
        // An eth10 that is up does not make eth1 so.
        if (trouble == Eth1Down) {
            sample.root.write(QStringLiteral("/sys/class/net/eth1/flags"), "0x1002\n");
            addDevice(sample.root, QStringLiteral("eth10"), 10);
        }
        Transcript &transcript = sample.transcript;
        NetConfigPanel &panel = *sample.panel;
        edit(panel, trouble);
        transcript.failing = where;
        transcript.failure = {trouble == Fails, trouble == Fails, 1};
        transcript.defaultAnswer = trouble == Declined ? Messages::Answer::No : Messages::Answer::Yes;

        transcript.events.clear();
        const bool returned = panel.applySettings();
        QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(transcript.events.join(QLatin1String(" | ")), ran);
        QTEST(returned, "returned");
        QTEST(outcomeOf(sample.root), "outcome");
        // A refused check clears every flag: Apply again does nothing, successfully.
        QVERIFY(trouble != Refused || (!panel.isChanged() && panel.applySettings()));
    }

    // The same Apply on a file system that fails under it: the user is told, and
    // every file that was not written is as it was, no replacement left behind.
    void keepsTheFilesOnAFailingFileSystem_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QString>("hostname");
        // The short host name fits the page its own file gave up; the hosts file's copy does not.
        addRow("full file system", FaultyRoot::FillUp, "gateway9\n");
        addRow("read-only file system", FaultyRoot::MakeReadOnly, "workstation7\n");
    }

    void keepsTheFilesOnAFailingFileSystem()
    {
        QFETCH(QString, prepare);
        QFETCH(QString, hostname);
        if (FaultyRoot::unshareOptions().isEmpty()) {
            QSKIP("unshare --mount is not permitted here: the file system faults need a mount namespace of their own");
        }
        SystemRoot stage;
        stage.copySample();
        QMap<QString, QByteArray> tree;
        QCOMPARE(
            QString::fromUtf8(FaultyRoot::run(stage.path(QString()), prepare, QStringLiteral("apply"), &tree)).trimmed(),
            QStringLiteral("Unable to save the changes to the wireless configuration file. [caption] | stop | Problem saving configuration data!* => false"));
        QMap<QString, QByteArray> expected = FaultyRoot::snapshot(stage.path(QString()));
        expected.insert(QStringLiteral("/etc/hostname"), hostname.toUtf8());
        QCOMPARE(tree, expected);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SuperUser::setOverride(true);
    if (!FaultyRoot::task().isEmpty()) {
        // Inside the failing file system, whose tree QUORLAN_ROOT names: one Apply, then what it showed.
        Transcript transcript;
        Quorlan module(nullptr, "quorlan");
        auto *panel = ShellView::page(&module)->findChild<NetConfigPanel *>();
        ShellView::open(&module);
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
