// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Apply on the sample system after the host name became gateway9 and the
// network name lab-wlan: what ran and what the user saw, in order, what Apply
// returned and which files it left changed, whatever went wrong on the way.

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTest>

#include <KComboBox>
#include <KLineEdit>

#include "addrow.h"
#include "fakeshell.h"
#include "faultyroot.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "systemroot.h"

#include <cstdio>

namespace
{
const QString Path = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; ");
// The exact lines run and the longer boxes, by the names the rows use.
const QHash<QString, QString> Names{
    {Path + QLatin1String("/etc/init.d/networking stop"), QStringLiteral("stop")},
    {Path + QLatin1String("/bin/hostname --file /etc/hostname"), QStringLiteral("hostname")},
    {Path + QLatin1String("/etc/init.d/networking restart 2>/dev/null"), QStringLiteral("restart")},
    {QStringLiteral("/sbin/ifconfig | /bin/grep -q eth0"), QStringLiteral("check eth0")},
    {QStringLiteral("/sbin/ifconfig | /bin/grep -q eth1"), QStringLiteral("check eth1")},
    {QStringLiteral("The settings have been changed. Do you wish the changes to take effect now?"), QStringLiteral("question")},
    {QStringLiteral("The changes you have made will not take effect until the next time the computer is restarted."), QStringLiteral("not yet")},
    {QStringLiteral("The changes are now in effect. Please note that some applications may be using cached settings which will not change until the "
                    "computer is restarted."),
     QStringLiteral("in effect")}};
const QStringList Files = QStringLiteral("/etc/pcmcia/wireless.opts /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf").split(QLatin1Char(' '));

enum Trouble { Untouched, Refused, None, Fails, CannotStart, Blocked, Declined, Disabled, OneDevice };

// Commands, the device count and boxes by name, "*" after a box under the wait cursor.
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
        events << QStringLiteral("count");
        return FakeShell::query(line);
    }
    Messages::Answer show(QWidget *parent, const Messages::Box &box) override
    {
        const bool ours = box.caption == QLatin1String("TCP/IP") && parent && (parent->inherits("NetConfigPanel") || parent->inherits("IDPanel"));
        events << Names.value(box.text, box.text) + QLatin1String(ours ? "" : " [elsewhere]")
                + QLatin1String(parent && parent->cursor().shape() == Qt::WaitCursor ? "*" : "");
        return MessageRecorder::show(parent, box);
    }
    QStringList events;
};

// Loads the sample into the panel, edits it as the trouble asks, and sets the trouble up.
bool prepare(NetConfigPanel &panel, Transcript &transcript, Trouble trouble, const QString &where)
{
    transcript.answerQuery(QStringLiteral("ifconfig"), QByteArray(trouble == OneDevice ? "1" : "2"));
    if (!panel.loadSettings()) {
        return false;
    }
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
    if (trouble == Declined) {
        transcript.answers << Messages::Answer::No;
    } else if (trouble == Fails) {
        transcript.fail(where);
    } else if (trouble == CannotStart) {
        transcript.cannotStart(where);
    }
    transcript.events.clear();
    return true;
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

Q_DECLARE_METATYPE(Trouble)

class ApplyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appliesInOrder_data()
    {
        QTest::addColumn<Trouble>("trouble");
        QTest::addColumn<QString>("where"); // the command that fails, or the file whose place a folder takes
        QTest::addColumn<QString>("ran");
        QTest::addColumn<bool>("returned");
        QTest::addColumn<QString>("outcome");

        const char *all = "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0 eth1";
        addRow("no tab changed: nothing written, nothing run", Untouched, "", "", true, "wrote | up eth0 eth1");
        addRow("a refused check writes nothing and clears every flag", Refused, "", "Please specify a valid Host name!", false, "wrote | up eth0 eth1");
        addRow("the take-down cannot start: the wireless file already written",
               CannotStart,
               "networking stop",
               "stop | Problem shutting down all network interfaces!*",
               false,
               "wrote wireless.opts | up eth0 eth1");
        addRow("the take-down fails: both messages",
               Fails,
               "networking stop",
               "stop | Error shutting down interfaces!* | Problem shutting down all network interfaces!*",
               false,
               "wrote wireless.opts | up eth0 eth1");
        addRow("the host name file cannot be written: only the wireless file is",
               Blocked,
               "/etc/hostname",
               "stop | Problem saving configuration data!*",
               false,
               "wrote wireless.opts | up eth0 eth1");
        addRow("the hosts file cannot be replaced: the host name stays written",
               Blocked,
               "/etc/hosts.new",
               "stop | Problem saving configuration data!*",
               false,
               "wrote wireless.opts hostname | up eth0 eth1");
        addRow("declining keeps the files, sets no host name and reloads", Declined, "", "stop | question | not yet | count", true, all);
        addRow("the host name command cannot start: no message", CannotStart, "/bin/hostname", "stop | question | hostname", false, all);
        addRow("the host name command fails", Fails, "/bin/hostname", "stop | question | hostname | Error setting hostname!*", false, all);
        addRow("the restart cannot start: no message", CannotStart, "networking restart", "stop | question | hostname | restart", false, all);
        addRow("the restart fails", Fails, "networking restart", "stop | question | hostname | restart | Error restarting networking!*", false, all);
        addRow("every interface comes up: the success notice and a reload",
               None,
               "",
               "stop | question | hostname | restart | check eth0 | check eth1 | in effect | count",
               true,
               all);
        addRow("eth1 does not come up: named, stored as not enabled, no success notice",
               Fails,
               "grep -q eth1",
               "stop | question | hostname | restart | check eth0 | check eth1 | The following interface(s) failed to restart: eth1",
               false,
               "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0");
        addRow("a device that is not present is never checked",
               OneDevice,
               "",
               "stop | question | hostname | restart | check eth0 | in effect | count",
               true,
               "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0");
        addRow("a disabled interface is never checked",
               Disabled,
               "",
               "stop | question | hostname | restart | check eth0 | in effect | count",
               true,
               "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0");
    }

    void appliesInOrder()
    {
        QFETCH(Trouble, trouble);
        QFETCH(QString, where);
        QFETCH(QString, ran);
        SystemRoot root;
        root.copySample();
        Transcript transcript;
        NetConfigPanel panel(nullptr, nullptr, false);
        QVERIFY(prepare(panel, transcript, trouble, where));
        if (trouble == Blocked) {
            QFile::remove(root.path(where));
            QDir().mkpath(root.path(where));
        }

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
            QStringLiteral("Unable to save the changes to the wireless configuration file. [elsewhere] | stop | Problem saving configuration data!* => false"));
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
        // Inside the failing file system: one Apply, then what it showed.
        Transcript transcript;
        NetConfigPanel panel(nullptr, nullptr, false);
        const bool applied = prepare(panel, transcript, None, QString()) && panel.applySettings();
        std::puts(qPrintable(transcript.events.join(QLatin1String(" | ")) + QLatin1String(applied ? " => true" : " => false")));
        return 0;
    }
    ApplyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "applytest.moc"
