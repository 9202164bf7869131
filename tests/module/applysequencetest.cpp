// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QDir>
#include <QTest>

#include <KComboBox>
#include <KLineEdit>

#include "addrow.h"
#include "fakeshell.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "samplesystem.h"
#include "systemroot.h"

namespace
{
const QString Path = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; ");
// The exact lines run, by the names the rows use.
const QHash<QString, QString> Commands{{Path + QLatin1String("/etc/init.d/networking stop"), QStringLiteral("stop")},
                                       {Path + QLatin1String("/bin/hostname --file /etc/hostname"), QStringLiteral("hostname")},
                                       {Path + QLatin1String("/etc/init.d/networking restart 2>/dev/null"), QStringLiteral("restart")},
                                       {QStringLiteral("/sbin/ifconfig | /bin/grep -q eth0"), QStringLiteral("check eth0")},
                                       {QStringLiteral("/sbin/ifconfig | /bin/grep -q eth1"), QStringLiteral("check eth1")}};
// The exact texts of the longer boxes, by the names the rows use.
const QHash<QString, QString> Boxes{
    {QStringLiteral("The settings have been changed. Do you wish the changes to take effect now?"), QStringLiteral("question")},
    {QStringLiteral("The changes you have made will not take effect until the next time the computer is restarted."), QStringLiteral("not yet")},
    {QStringLiteral("The changes are now in effect. Please note that some applications may be using cached settings which will not change until the "
                    "computer is restarted."),
     QStringLiteral("in effect")}};
const QStringList Files = QStringLiteral("/etc/pcmcia/wireless.opts /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf").split(QLatin1Char(' '));

// One transcript of what the user and the tools saw, in order: commands and
// queries by name, boxes by name or text, "*" after a box under the wait cursor.
class Transcript : public FakeShell, public MessageRecorder
{
public:
    ShellProcess::Result run(const QString &line, bool privileged) override
    {
        events << Commands.value(line, line) + QLatin1String(privileged ? "" : " unprivileged");
        return FakeShell::run(line, privileged);
    }
    std::optional<QByteArray> query(const QString &line) override
    {
        events << QStringLiteral("count");
        return FakeShell::query(line);
    }
    Messages::Answer show(Messages::Kind kind, QWidget *parent, const QString &text, const QString &caption, const KGuiItem &yes, const KGuiItem &no) override
    {
        const bool waiting = parent && parent->cursor().shape() == Qt::WaitCursor;
        const QString owner = parent && parent->inherits("IDPanel") ? QStringLiteral(" [on the tab]") : QString();
        events << Boxes.value(text, text) + QLatin1String(caption == QLatin1String("TCP/IP") ? "" : " [caption]") + owner + QLatin1String(waiting ? "*" : "");
        return MessageRecorder::show(kind, parent, text, caption, yes, no);
    }
    QStringList events;
    QStringList blocked;
};

// What the user does and what goes wrong, one word after another:
// edit (host name gateway9, network name lab-wlan), essid (the latter only), no host,
// disable eth1, decline, fail X, cannot X (lines containing X), block FILE (a folder
// where it or its replacement must go).
void perform(NetConfigPanel &panel, Transcript &transcript, const SystemRoot &root, const QString &step)
{
    const QString rest = step.section(QLatin1Char(' '), 1);
    if (step == QLatin1String("edit") || step == QLatin1String("essid")) {
        panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
    }
    if (step == QLatin1String("edit") || step == QLatin1String("no host")) {
        panel.m_pIDPanel->m_pHostName->setText(step == QLatin1String("edit") ? QStringLiteral("gateway9") : QString());
    } else if (step == QLatin1String("disable eth1")) {
        QTest::keyClick(panel.m_pIPPanel->m_pComboBoxNI, Qt::Key_Down);
        panel.m_pIPPanel->m_pCheckBoxEnableNetwork->click();
    } else if (step == QLatin1String("decline")) {
        transcript.answers << Messages::Answer::No;
    } else if (step.startsWith(QLatin1String("fail "))) {
        transcript.fail(rest);
    } else if (step.startsWith(QLatin1String("cannot "))) {
        transcript.cannotStart(rest);
    } else if (step.startsWith(QLatin1String("block "))) {
        QFile::remove(root.path(rest));
        QDir().mkpath(root.path(rest));
        transcript.blocked << rest;
    } else if (step != QLatin1String("essid")) {
        QFAIL(qPrintable(QLatin1String("unknown step ") + step));
    }
}

// The files that differ from the sample (by their last path part) and the devices a
// fresh load finds enabled.
QString outcome(const SystemRoot &root)
{
    QStringList written;
    for (const QString &file : Files) {
        if (root.read(file) != SystemRoot::fixture(QLatin1String("sample-system") + file)) {
            written << file.section(QLatin1Char('/'), -1);
        }
    }
    NetConfigPanel fresh(nullptr, nullptr, false);
    fresh.loadSettings();
    QStringList enabled;
    for (const Interface &record : fresh.interfaceRecords()) {
        enabled << (record.present && record.enabled ? record.deviceName : QString());
    }
    enabled.removeAll(QString());
    return QLatin1String("wrote ") + written.join(QLatin1Char(' ')) + QLatin1String(" | up ") + enabled.join(QLatin1Char(' '));
}
}

class ApplySequenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appliesTheSettings_data()
    {
        QTest::addColumn<QString>("devices"); // what the Ethernet count prints
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected"); // the transcript, " => " what Apply returned, " | " outcome()

        addRow("no tab changed: nothing written, nothing run", "2", "", " => true | wrote  | up eth0 eth1");
        addRow("a refused check writes nothing and clears every flag",
               "2",
               "essid, no host",
               "Please specify a valid Host name! [on the tab] => false | wrote  | up eth0 eth1");
        addRow("the take-down fails: both messages, the wireless file already written",
               "2",
               "edit, fail networking stop",
               "stop; Error shutting down interfaces!*; Problem shutting down all network interfaces!* => false | wrote wireless.opts | up eth0 eth1");
        addRow("the host name file cannot be written: only the wireless file is",
               "2",
               "edit, block /etc/hostname",
               "stop; Problem saving configuration data!* => false | wrote wireless.opts | up eth0 eth1");
        addRow("the hosts file cannot be replaced: the host name stays written",
               "2",
               "edit, block /etc/hosts.new",
               "stop; Problem saving configuration data!* => false | wrote wireless.opts hostname | up eth0 eth1");
        addRow("declining keeps the files, sets no host name and reloads", "2", "edit, decline", "stop; question; not yet; count => true");
        addRow("the host name command cannot start: no message", "2", "edit, cannot /bin/hostname", "stop; question; hostname => false");
        addRow("the host name command fails", "2", "edit, fail /bin/hostname", "stop; question; hostname; Error setting hostname!* => false");
        addRow("the restart cannot start: no message", "2", "edit, cannot networking restart", "stop; question; hostname; restart => false");
        addRow("the restart fails", "2", "edit, fail networking restart", "stop; question; hostname; restart; Error restarting networking!* => false");
        addRow("every interface comes up: the success notice and a reload",
               "2",
               "edit",
               "stop; question; hostname; restart; check eth0; check eth1; in effect; count => true");
        addRow("eth1 does not come up: named, stored as not enabled, no success notice",
               "2",
               "edit, fail grep -q eth1",
               "stop; question; hostname; restart; check eth0; check eth1; The following interface(s) failed to restart: eth1 => false | "
               "wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0");
        addRow("a device that is not present is never checked",
               "1",
               "edit",
               "stop; question; hostname; restart; check eth0; in effect; count => true | wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0");
        addRow("a disabled interface is never checked",
               "2",
               "edit, disable eth1",
               "stop; question; hostname; restart; check eth0; in effect; count => true | wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0");
    }

    void appliesTheSettings()
    {
        QFETCH(QString, devices);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        SystemRoot root;
        SampleSystem::copyInto(root);
        Transcript transcript;
        transcript.answerQuery(QStringLiteral("ifconfig"), devices.toLatin1());
        NetConfigPanel panel(nullptr, nullptr, false);
        QVERIFY(panel.loadSettings());
        // Loading flags the Wireless tab; every row starts from tabs without a change.
        panel.setChangedFlag(false);
        for (const QString &step : steps.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            perform(panel, transcript, root, step);
        }
        transcript.events.clear();

        const bool result = panel.applySettings();
        QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
        // The blocked file comes back as it was, so that only what was written differs.
        for (const QString &blocked : std::as_const(transcript.blocked)) {
            QVERIFY(QDir().rmdir(root.path(blocked)));
            if (Files.contains(blocked)) {
                root.copyFixture(QLatin1String("sample-system") + blocked, blocked);
            }
        }
        // A row without an outcome wrote every file and left both interfaces up.
        const QString full = expected.contains(QLatin1String(" | wrote"))
            ? expected
            : expected + QLatin1String(" | wrote wireless.opts hostname hosts interfaces resolv.conf | up eth0 eth1");
        const QString ran = transcript.events.join(QLatin1String("; ")) + QLatin1String(result ? " => true | " : " => false | ");
        QCOMPARE(ran + outcome(root), full);
        if (full.contains(QLatin1String("resolv.conf"))) {
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
};

QTEST_MAIN(ApplySequenceTest)

#include "applysequencetest.moc"
