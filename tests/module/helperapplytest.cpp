// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Apply by an ordinary user, through the root helper: the helper's actions
// stand in for the bus and run on the test's system tree, so that what they
// write can be compared with the superuser's own Apply.

#include <QApplication>
#include <QTest>

#include <KLineEdit>

#include "commandlog.h"
#include "config/helperactions.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/idpanel.h"
#include "panels/wireless.h"
#include "platform/helperclient.h"
#include "platform/superuser.h"
#include "systemroot.h"

namespace
{
const QStringList Files = QStringLiteral("/etc/pcmcia/wireless.opts /etc/hostname /etc/hosts /etc/network/interfaces /etc/resolv.conf").split(QLatin1Char(' '));

/// Stands in for polkit and the bus: answers `answer`, and on Done runs the helper's action itself.
class Helper : public HelperClient::Backend
{
public:
    explicit Helper(HelperClient::Outcome::Kind answer)
        : m_answer(answer)
    {
        HelperClient::setBackend(this);
    }
    ~Helper() override
    {
        HelperClient::setBackend(nullptr);
    }
    bool mayAsk(const QString &action) override
    {
        asked << action;
        return true;
    }
    QStringList asked;
    HelperClient::Outcome run(const QString &action, const QVariantMap &arguments, int timeoutMs) override
    {
        const QString slot = action.section(QLatin1Char('.'), -1);
        actions << slot + QLatin1String(timeoutMs >= 60 * 1000 ? "" : " (short timeout)");
        if (m_answer != HelperClient::Outcome::Done) {
            return {m_answer, {}, QString()};
        }
        const HelperActions::Reply reply = slot == QLatin1String("write") ? HelperActions::write(arguments) : HelperActions::takeEffect(arguments);
        return {reply.error.isEmpty() ? HelperClient::Outcome::Done : HelperClient::Outcome::Failed, reply.data, reply.error};
    }
    QStringList actions;

private:
    HelperClient::Outcome::Kind m_answer;
};

struct Page {
    explicit Page(bool viaHelper)
        : panel(nullptr, nullptr, false)
    {
        root.copySample();
        panel.setViaHelper(viaHelper);
        panel.loadSettings();
    }
    /// Host name `hostName`, network name lab-wlan, then Apply.
    bool apply(const QString &hostName)
    {
        panel.setChangedFlag(false);
        panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
        panel.m_pIDPanel->m_pHostName->setText(hostName);
        return panel.applySettings();
    }
    QStringList files() const
    {
        QStringList bytes;
        for (const QString &file : Files) {
            bytes << QString::fromUtf8(root.read(file));
        }
        return bytes;
    }
    QStringList boxes() const
    {
        QStringList texts;
        for (const MessageRecorder::Shown &box : recorder.shown) {
            texts << box.text.left(40);
        }
        return texts;
    }
    SystemRoot root;
    MessageRecorder recorder;
    CommandLog commands;
    NetConfigPanel panel;
};
}

Q_DECLARE_METATYPE(HelperClient::Outcome::Kind)

class HelperApplyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aGrantedUsersApplyEndsAsTheSuperusersDoes()
    {
        Page direct(false);
        QVERIFY(direct.apply(QStringLiteral("gateway9")));
        Page helped(true);
        const Helper helper(HelperClient::Outcome::Done);
        QVERIFY(helped.apply(QStringLiteral("gateway9")));

        QCOMPARE(helper.actions, (QStringList{QStringLiteral("write"), QStringLiteral("takeeffect")}));
        QCOMPARE(helped.files(), direct.files());
        QCOMPARE(helped.commands.ran, direct.commands.ran);
        QCOMPARE(helped.boxes(), direct.boxes());
        QCOMPARE(helped.root.read(QStringLiteral("/etc/hostname")), QByteArray("gateway9\n"));
        QVERIFY(helped.root.read(QStringLiteral("/etc/pcmcia/wireless.opts")).contains("ESSID=\"lab-wlan\"\n"));
    }

    void theHelperIsNeverOfferedOnASystemRootOfItsOwn()
    {
        qunsetenv("QUORLAN_ROOT");
        const Helper helper(HelperClient::Outcome::Done);
        {
            // It would write the machine's files, not the tree the page shows.
            const SystemRoot root;
            QVERIFY(!HelperClient::mayAsk(QStringLiteral("write")));
        }
        QVERIFY(HelperClient::mayAsk(QStringLiteral("write")));
        QCOMPARE(helper.asked, QStringList{QStringLiteral("org.kde.kcontrol.quorlan.write")});
    }

    void anApplyTheHelperDoesNotRunChangesNothing_data()
    {
        QTest::addColumn<HelperClient::Outcome::Kind>("answer");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<QString>("box");

        QTest::newRow("polkit refuses: our own message, the reply has no text")
            << HelperClient::Outcome::Denied << "gateway9"
            << "The network settings were not changed: the administrator's password was not given, or this system does not allow you to change them.";
        QTest::newRow("the helper is busy with an earlier request")
            << HelperClient::Outcome::Busy << "gateway9"
            << "The network settings are still being changed by an earlier request. Please wait a moment and apply again.";
        QTest::newRow("the helper is silent past the watchdog")
            << HelperClient::Outcome::TimedOut << "gateway9"
            << "The system did not answer in time while changing the network settings. Please check the settings before you apply again.";
        QTest::newRow("the helper refuses a host name the page let through") << HelperClient::Outcome::Done << "gate way"
                                                                             << "The network settings could not be changed: refused: hostName is no host name";
    }

    void anApplyTheHelperDoesNotRunChangesNothing()
    {
        QFETCH(HelperClient::Outcome::Kind, answer);
        QFETCH(QString, hostName);
        QFETCH(QString, box);
        Page page(true);
        const QStringList before = page.files();
        const Helper helper(answer);

        QVERIFY(!page.apply(hostName));

        QCOMPARE(helper.actions, QStringList{QStringLiteral("write")});
        QCOMPARE(page.files(), before);
        QCOMPARE(page.commands.ran, QStringList());
        QCOMPARE(page.recorder.shown.size(), 1);
        QCOMPARE(page.recorder.shown.first().text, box);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The page as an ordinary user opens it; the helper path is set by hand.
    SuperUser::setOverride(false);
    HelperApplyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "helperapplytest.moc"
