// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <KComboBox>
#include <KLineEdit>

#include "fakeshell.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "samplesystem.h"
#include "systemroot.h"

#include <functional>
#include <memory>

namespace
{
const QString Stop = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; /etc/init.d/networking stop");
const QString SetHostName =
    QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; /bin/hostname --file /etc/hostname");
const QString Restart =
    QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; /etc/init.d/networking restart 2>/dev/null");
const QString CheckEth0 = QStringLiteral("/sbin/ifconfig | /bin/grep -q eth0");
const QString CheckEth1 = QStringLiteral("/sbin/ifconfig | /bin/grep -q eth1");

const QString Question = QStringLiteral("question: The settings have been changed. Do you wish the changes to take effect now?");
const QString NotYet = QStringLiteral("information: The changes you have made will not take effect until the next time the computer is restarted.");
const QString InEffect = QStringLiteral(
    "information: The changes are now in effect. Please note that some applications may be using cached settings which will not change until the computer "
    "is restarted.");
const QString ShutdownFailed = QStringLiteral("error: Error shutting down interfaces!");
const QString ShutdownProblem = QStringLiteral("error: Problem shutting down all network interfaces!");
const QString SavingProblem = QStringLiteral("error: Problem saving configuration data!");
const QString HostNameFailed = QStringLiteral("error: Error setting hostname!");
const QString RestartFailed = QStringLiteral("error: Error restarting networking!");
const QString UpdateFailed = QStringLiteral("error: Error updating interfaces file!");
const QString NoHostName = QStringLiteral("error: Please specify a valid Host name!");

// The boxes shown while the wait cursor is still on: the failures up to the restart.
const QStringList UnderWaitCursor{ShutdownFailed, ShutdownProblem, SavingProblem, HostNameFailed, RestartFailed};

const QString WirelessOpts = QStringLiteral("/etc/pcmcia/wireless.opts");
const QString Hostname = QStringLiteral("/etc/hostname");
const QString Hosts = QStringLiteral("/etc/hosts");
const QString Interfaces = QStringLiteral("/etc/network/interfaces");
const QString Resolver = QStringLiteral("/etc/resolv.conf");
const QStringList AllFiles{WirelessOpts, Hostname, Hosts, Interfaces, Resolver};

const char *const Edit = "host name gateway9, network name lab-wlan";
const QStringList Both{QStringLiteral("eth0"), QStringLiteral("eth1")};

QStringList list(const char *text)
{
    return QString::fromLatin1(text).split(QStringLiteral(", "), Qt::SkipEmptyParts);
}

QString kindName(Messages::Kind kind)
{
    switch (kind) {
    case Messages::Kind::Error:
        return QStringLiteral("error");
    case Messages::Kind::Sorry:
        return QStringLiteral("sorry");
    case Messages::Kind::Information:
        return QStringLiteral("information");
    case Messages::Kind::WarningYesNo:
        return QStringLiteral("question");
    }
    return QString();
}

// Also notes whether the wait cursor was on when each box came up.
class CursorRecorder : public MessageRecorder
{
public:
    Messages::Answer show(Messages::Kind kind, QWidget *parent, const QString &text, const QString &caption, const KGuiItem &yes, const KGuiItem &no) override
    {
        underWaitCursor << (parent && parent->cursor().shape() == Qt::WaitCursor);
        return MessageRecorder::show(kind, parent, text, caption, yes, no);
    }

    QStringList boxes() const
    {
        QStringList result;
        for (const Shown &box : shown) {
            result << kindName(box.kind) + QStringLiteral(": ") + box.text;
        }
        return result;
    }

    QList<bool> underWaitCursor;
};

// Lets a row break something on the machine while the sequence runs.
class HookedShell : public FakeShell
{
public:
    ShellProcess::Result run(const QString &line, bool isPrivileged) override
    {
        const ShellProcess::Result result = FakeShell::run(line, isPrivileged);
        if (afterRun) {
            afterRun(line);
        }
        return result;
    }

    std::function<void(const QString &)> afterRun;
};

// "fails: X", "cannot start: X", "killed: X": how the lines containing X end.
void script(FakeShell &shell, const QStringList &rules)
{
    for (const QString &rule : rules) {
        const QString fragment = rule.section(QStringLiteral(": "), 1);
        if (rule.startsWith(QLatin1String("fails: "))) {
            shell.fail(fragment);
        } else if (rule.startsWith(QLatin1String("cannot start: "))) {
            shell.cannotStart(fragment);
        } else if (rule.startsWith(QLatin1String("killed: "))) {
            shell.answer(fragment, {true, false, 0});
        } else {
            QFAIL(qPrintable(QStringLiteral("unknown rule ") + rule));
        }
    }
}

// What the user does on the tabs before pressing Apply.
void edit(NetConfigPanel &panel, const QString &action)
{
    if (action.startsWith(QLatin1String("host name "))) {
        panel.m_pIDPanel->m_pHostName->setText(action.mid(10));
    } else if (action == QLatin1String("no host name")) {
        panel.m_pIDPanel->m_pHostName->clear();
    } else if (action.startsWith(QLatin1String("network name "))) {
        panel.m_wireless->LineEdit_1->setText(action.mid(13));
    } else if (action == QLatin1String("disable eth1")) {
        QTest::keyClick(panel.m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
    }
}

// A folder where a file or its replacement must go: no write can succeed there.
void blockWith(const SystemRoot &root, const QString &systemPath)
{
    QFile::remove(root.path(systemPath));
    QVERIFY(QDir().mkpath(root.path(systemPath)));
}

QHash<QString, QByteArray> snapshot(const SystemRoot &root)
{
    QHash<QString, QByteArray> files;
    for (const QString &file : AllFiles) {
        files.insert(file, root.read(file));
    }
    return files;
}

QStringList changedFiles(const SystemRoot &root, const QHash<QString, QByteArray> &before)
{
    QStringList changed;
    for (const QString &file : AllFiles) {
        if (root.read(file) != before.value(file)) {
            changed << file;
        }
    }
    return changed;
}

// The devices that a fresh load of the files finds enabled.
QStringList enabledInFiles()
{
    NetConfigPanel fresh(nullptr, nullptr, false);
    fresh.loadSettings();
    QStringList enabled;
    for (const Interface &record : fresh.interfaceRecords()) {
        if (record.present && record.enabled) {
            enabled << record.deviceName;
        }
    }
    return enabled;
}
}

class ApplySequenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appliesTheSettings_data()
    {
        QTest::addColumn<QByteArray>("ethernetCount");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QStringList>("shellRules");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<bool>("reloaded");
        QTest::addColumn<QStringList>("enabledAfter");

        const QStringList started{Stop, SetHostName, Restart};
        const QStringList checked = started + QStringList{CheckEth0, CheckEth1};
        const QStringList noRules;
        const QString none;

        QTest::newRow("no tab changed: nothing written, nothing run")
            << QByteArray("2") << QStringList() << none << noRules << true << true << QStringList() << QStringList() << QStringList() << false << Both;
        QTest::newRow("a refused check writes nothing and clears every flag")
            << QByteArray("2") << list("network name lab-wlan, no host name") << none << noRules << true << false << QStringList() << QStringList{NoHostName}
            << QStringList() << false << Both;
        QTest::newRow("the take-down fails: both messages, the wireless file already written")
            << QByteArray("2") << list(Edit) << none << list("fails: networking stop") << true << false << QStringList{Stop}
            << QStringList{ShutdownFailed, ShutdownProblem} << QStringList{WirelessOpts} << false << Both;
        QTest::newRow("the take-down cannot start: only the general message")
            << QByteArray("2") << list(Edit) << none << list("cannot start: networking stop") << true << false << QStringList{Stop}
            << QStringList{ShutdownProblem} << QStringList{WirelessOpts} << false << Both;
        QTest::newRow("the host name file cannot be written: only the wireless file is")
            << QByteArray("2") << list(Edit) << Hostname << noRules << true << false << QStringList{Stop} << QStringList{SavingProblem}
            << QStringList{WirelessOpts} << false << Both;
        QTest::newRow("the hosts file cannot be replaced: the host name stays written")
            << QByteArray("2") << list(Edit) << QStringLiteral("/etc/hosts.new") << noRules << true << false << QStringList{Stop} << QStringList{SavingProblem}
            << QStringList{WirelessOpts, Hostname} << false << Both;
        QTest::newRow("the resolver file cannot be written: the three before it stay written")
            << QByteArray("2") << list(Edit) << Resolver << noRules << true << false << QStringList{Stop} << QStringList{SavingProblem}
            << QStringList{WirelessOpts, Hostname, Hosts, Interfaces} << false << Both;
        QTest::newRow("declining keeps the files, sets no host name and reloads")
            << QByteArray("2") << list(Edit) << none << noRules << false << true << QStringList{Stop} << QStringList{Question, NotYet} << AllFiles << true
            << Both;
        QTest::newRow("the host name command cannot start: no message")
            << QByteArray("2") << list(Edit) << none << list("cannot start: /bin/hostname") << true << false << QStringList{Stop, SetHostName}
            << QStringList{Question} << AllFiles << false << Both;
        QTest::newRow("the host name command fails") << QByteArray("2") << list(Edit) << none << list("fails: /bin/hostname") << true << false
                                                     << QStringList{Stop, SetHostName} << QStringList{Question, HostNameFailed} << AllFiles << false << Both;
        QTest::newRow("the restart cannot start: no message") << QByteArray("2") << list(Edit) << none << list("cannot start: networking restart") << true
                                                              << false << started << QStringList{Question} << AllFiles << false << Both;
        QTest::newRow("the restart fails") << QByteArray("2") << list(Edit) << none << list("fails: networking restart") << true << false << started
                                           << QStringList{Question, RestartFailed} << AllFiles << false << Both;
        QTest::newRow("every interface comes up: the success notice and a reload")
            << QByteArray("2") << list(Edit) << none << noRules << true << true << checked << QStringList{Question, InEffect} << AllFiles << true << Both;
        QTest::newRow("only the Wireless tab edited: the host names stay")
            << QByteArray("2") << list("network name lab-wlan") << none << noRules << true << true << checked << QStringList{Question, InEffect}
            << QStringList{WirelessOpts, Hosts, Interfaces, Resolver} << true << Both;
        QTest::newRow("eth1 does not come up: named, stored as not enabled, no success notice")
            << QByteArray("2") << list(Edit) << none << list("fails: grep -q eth1") << true << false << checked
            << QStringList{Question, QStringLiteral("error: The following interface(s) failed to restart: eth1")} << AllFiles << false
            << QStringList{QStringLiteral("eth0")};
        QTest::newRow("neither comes up: both named in order")
            << QByteArray("2") << list(Edit) << none << list("fails: grep -q eth") << true << false << checked
            << QStringList{Question, QStringLiteral("error: The following interface(s) failed to restart: eth0 eth1")} << AllFiles << false << QStringList();
        QTest::newRow("a check killed by a signal counts as not up")
            << QByteArray("2") << list(Edit) << none << list("killed: grep -q eth0") << true << false << checked
            << QStringList{Question, QStringLiteral("error: The following interface(s) failed to restart: eth0")} << AllFiles << false
            << QStringList{QStringLiteral("eth1")};
        QTest::newRow("a check that cannot start counts as not up")
            << QByteArray("2") << list(Edit) << none << list("cannot start: grep -q eth0") << true << false << checked
            << QStringList{Question, QStringLiteral("error: The following interface(s) failed to restart: eth0")} << AllFiles << false
            << QStringList{QStringLiteral("eth1")};
        QTest::newRow("the interfaces file cannot be updated after the checks")
            << QByteArray("2") << list(Edit) << QStringLiteral("/etc/network/interfaces.new after the checks") << list("fails: grep -q eth1") << true << false
            << checked << QStringList{Question, QStringLiteral("error: The following interface(s) failed to restart: eth1"), UpdateFailed} << AllFiles << false
            << Both;
        QTest::newRow("a device that is not present is never checked")
            << QByteArray("1") << list(Edit) << none << noRules << true << true << QStringList{Stop, SetHostName, Restart, CheckEth0}
            << QStringList{Question, InEffect} << AllFiles << true << QStringList{QStringLiteral("eth0")};
        QTest::newRow("a disabled interface is never checked")
            << QByteArray("2") << list("host name gateway9, network name lab-wlan, disable eth1") << none << noRules << true << true
            << QStringList{Stop, SetHostName, Restart, CheckEth0} << QStringList{Question, InEffect} << AllFiles << true << QStringList{QStringLiteral("eth0")};
    }

    void appliesTheSettings()
    {
        QFETCH(QByteArray, ethernetCount);
        QFETCH(QStringList, edits);
        QFETCH(QString, blocked);
        QFETCH(QStringList, shellRules);
        QFETCH(bool, yes);
        QFETCH(bool, result);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, written);
        QFETCH(bool, reloaded);
        QFETCH(QStringList, enabledAfter);

        SystemRoot root;
        SampleSystem::copyInto(root);
        HookedShell shell;
        shell.answerQuery(QStringLiteral("ifconfig"), ethernetCount);
        CursorRecorder messages;
        NetConfigPanel panel(nullptr, nullptr, false);
        QVERIFY(panel.loadSettings());
        // Loading fills the Wireless tab with its edit signals connected, which
        // flags it; every row starts from tabs without a change instead.
        panel.setChangedFlag(false);
        for (const QString &action : edits) {
            edit(panel, action);
        }
        script(shell, shellRules);
        const QString afterChecks = QStringLiteral(" after the checks");
        if (blocked.endsWith(afterChecks)) {
            const QString path = blocked.chopped(afterChecks.size());
            shell.afterRun = [&root, path](const QString &line) {
                if (line.startsWith(QLatin1String("/sbin/ifconfig"))) {
                    blockWith(root, path);
                }
            };
        } else if (!blocked.isEmpty()) {
            blockWith(root, blocked);
        }
        messages.answers = {yes ? Messages::Answer::Yes : Messages::Answer::No};
        const auto before = snapshot(root);

        QCOMPARE(panel.applySettings(), result);

        QCOMPARE(shell.lines, commands);
        QVERIFY(!shell.privileged.contains(false));
        QCOMPARE(messages.boxes(), boxes);
        for (int i = 0; i < messages.shown.size(); ++i) {
            const MessageRecorder::Shown &box = messages.shown.at(i);
            QCOMPARE(box.caption, QStringLiteral("TCP/IP"));
            QCOMPARE(box.parent, box.text == NoHostName.section(QStringLiteral(": "), 1) ? static_cast<QWidget *>(panel.m_pIDPanel) : &panel);
            QCOMPARE(messages.underWaitCursor.at(i), UnderWaitCursor.contains(messages.boxes().at(i)));
        }
        QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(changedFiles(root, before), written);
        if (written.contains(Hostname)) {
            QCOMPARE(root.read(Hostname), QByteArray("gateway9\n"));
        }
        if (written.contains(Resolver)) {
            QCOMPARE(root.read(Resolver), QByteArray("domain example.org\nnameserver 10.1.0.53\nnameserver 10.1.0.54\n"));
        }
        if (written.contains(Hosts)) {
            // The names of existing entries change only with an edit on the Identification tab.
            const QByteArray name = edits.contains(QStringLiteral("host name gateway9")) ? "gateway9" : "workstation7";
            QVERIFY(root.read(Hosts).contains("\n10.1.4.37 " + name + ".example.org " + name + "\n"));
        }
        if (written.contains(WirelessOpts)) {
            QVERIFY(root.read(WirelessOpts).contains("\nESSID=\"lab-wlan\"\n"));
        }
        // The final reload reads every file again, counting the devices once more.
        QCOMPARE(shell.queries.size(), reloaded ? 2 : 1);
        if (commands.isEmpty()) {
            // Nothing had changed, or a check refused and cleared every flag: Apply again does nothing.
            QVERIFY(!panel.isChanged());
            QVERIFY(panel.applySettings());
            QCOMPARE(shell.lines, QStringList());
            QCOMPARE(messages.shown.size(), boxes.size());
        }
        if (!blocked.isEmpty() && !blocked.endsWith(afterChecks)) {
            QVERIFY(QDir().rmdir(root.path(blocked)));
        }
        QCOMPARE(enabledInFiles(), enabledAfter);
    }
};

QTEST_MAIN(ApplySequenceTest)

#include "applysequencetest.moc"
