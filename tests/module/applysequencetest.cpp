// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QDir>
#include <QTest>

#include <KComboBox>
#include <KLineEdit>

#include "casefile.h"
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
    Messages::Answer show(QWidget *parent, const Messages::Box &box) override
    {
        const bool waiting = parent && parent->cursor().shape() == Qt::WaitCursor;
        const QString owner = parent && parent->inherits("IDPanel") ? QStringLiteral(" [on the tab]") : QString();
        events << Boxes.value(box.text, box.text) + QLatin1String(box.caption == QLatin1String("TCP/IP") ? "" : " [caption]") + owner
                + QLatin1String(waiting ? "*" : "");
        return MessageRecorder::show(parent, box);
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

// The files that differ from the sample (by their last path part), and on a line
// of its own the devices a fresh load finds enabled.
QString outcomeOf(const SystemRoot &root)
{
    QStringList written{QStringLiteral("wrote")};
    for (const QString &file : Files) {
        if (root.read(file) != SystemRoot::fixture(QLatin1String("sample-system") + file)) {
            written << file.section(QLatin1Char('/'), -1);
        }
    }
    NetConfigPanel fresh(nullptr, nullptr, false);
    fresh.loadSettings();
    QStringList enabled{QStringLiteral("up")};
    for (const Interface &record : fresh.interfaceRecords()) {
        if (record.present && record.enabled) {
            enabled << record.deviceName;
        }
    }
    return written.join(QLatin1Char(' ')) + QLatin1Char('\n') + enabled.join(QLatin1Char(' ')) + QLatin1Char('\n');
}
}

class ApplySequenceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void appliesTheSettings_data()
    {
        CaseFile::addRows(QStringLiteral("apply-cases"), {"count", "steps", "ran", "returned", "outcome"});
    }

    void appliesTheSettings()
    {
        QFETCH(QByteArray, count);
        QFETCH(QByteArray, steps);
        QFETCH(QByteArray, ran);
        QFETCH(QByteArray, returned);
        QFETCH(QByteArray, outcome);
        SystemRoot root;
        SampleSystem::copyInto(root);
        Transcript transcript;
        transcript.answerQuery(QStringLiteral("ifconfig"), count.isNull() ? QByteArray("2") : count.trimmed());
        NetConfigPanel panel(nullptr, nullptr, false);
        QVERIFY(panel.loadSettings());
        // Loading flags the Wireless tab; every row starts from tabs without a change.
        panel.setChangedFlag(false);
        for (const QString &step : CaseFile::lines(steps)) {
            perform(panel, transcript, root, step);
        }
        transcript.events.clear();

        const bool result = panel.applySettings();
        QCOMPARE(panel.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(transcript.events, CaseFile::lines(ran));
        QCOMPARE(result, returned.startsWith("true"));
        // The blocked file comes back as it was, so that only what was written differs.
        for (const QString &blocked : std::as_const(transcript.blocked)) {
            QVERIFY(QDir().rmdir(root.path(blocked)));
            if (Files.contains(blocked)) {
                root.copyFixture(QLatin1String("sample-system") + blocked, blocked);
            }
        }
        const QByteArray wroteAll("wrote wireless.opts hostname hosts interfaces resolv.conf\nup eth0 eth1\n");
        const QString came = outcomeOf(root);
        QCOMPARE(came, QString::fromLatin1(outcome.isNull() ? wroteAll : outcome));
        if (came.contains(QLatin1String("resolv.conf"))) {
            QCOMPARE(root.read(QStringLiteral("/etc/hostname")), QByteArray("gateway9\n"));
            QCOMPARE(root.read(QStringLiteral("/etc/resolv.conf")), QByteArray("domain example.org\nnameserver 10.1.0.53\nnameserver 10.1.0.54\n"));
            QVERIFY(root.read(QStringLiteral("/etc/hosts")).contains("\n10.1.4.37 gateway9.example.org gateway9\n"));
            QVERIFY(root.read(Files.first()).contains("\nESSID=\"lab-wlan\"\n"));
        }
        if (!transcript.events.contains(QLatin1String("stop"))) {
            // Nothing had changed, or a check refused and cleared every flag: Apply again does nothing.
            transcript.events.clear();
            QVERIFY(!panel.isChanged() && panel.applySettings());
            QCOMPARE(transcript.events, QStringList());
        }
    }
};

QTEST_MAIN(ApplySequenceTest)

#include "applysequencetest.moc"
