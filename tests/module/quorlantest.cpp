// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <KLineEdit>

#include "fakeshell.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "module/quorlan.h"
#include "panels/idpanel.h"
#include "platform/superuser.h"
#include "samplesystem.h"
#include "systemroot.h"

#include <memory>

namespace
{
// A module on the sample system, with the shell, the boxes and the user faked.
struct ModuleOnSample {
    explicit ModuleOnSample(bool superUser = true)
    {
        SampleSystem::copyInto(root);
        shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
        SuperUser::setOverride(superUser);
    }
    ~ModuleOnSample()
    {
        SuperUser::setOverride(std::nullopt);
    }
    Quorlan *create()
    {
        module = std::make_unique<Quorlan>(nullptr, QVariantList());
        return module.get();
    }
    NetConfigPanel *panel() const
    {
        return module->findChild<NetConfigPanel *>();
    }

    SystemRoot root;
    FakeShell shell;
    MessageRecorder messages;
    std::unique_ptr<Quorlan> module;
};
}

class QuorlanTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decidesTheModeByUser_data()
    {
        QTest::addColumn<bool>("superUser");
        QTest::addColumn<int>("buttons"); // KCModule::Buttons, which QTest cannot hold

        QTest::newRow("the superuser may apply") << true << int(KCModule::Help | KCModule::Apply);
        QTest::newRow("anyone else may only look") << false << int(KCModule::Help);
    }

    void decidesTheModeByUser()
    {
        QFETCH(bool, superUser);
        QFETCH(int, buttons);
        ModuleOnSample sample(superUser);
        Quorlan *module = sample.create();

        QCOMPARE(int(module->buttons()), buttons);
        QCOMPARE(sample.panel()->isReadOnly(), !superUser);
        QVERIFY(!sample.panel()->isHidden());
        QCOMPARE(sample.messages.texts(), QStringList());
    }

    void missingInterfacesFileLeavesThePageEmpty()
    {
        ModuleOnSample sample;
        QVERIFY(QFile::remove(sample.root.path(QStringLiteral("/etc/network/interfaces"))));
        Quorlan *module = sample.create();

        QCOMPARE(sample.messages.texts(),
                 (QStringList{QStringLiteral("Unable to find file /etc/network/interfaces!"), QStringLiteral("Unable to load configuration data!")}));
        for (const MessageRecorder::Shown &shown : std::as_const(sample.messages.shown)) {
            QCOMPARE(shown.kind, Messages::Kind::Error);
            QCOMPARE(shown.caption, QStringLiteral("TCP/IP"));
        }
        QCOMPARE(sample.messages.shown.last().parent, module);
        QVERIFY(sample.panel()->isHidden());
        QCOMPARE(sample.shell.queries, QStringList());

        // Once hidden, the page stays so: it would show half-read records otherwise.
        SampleSystem::copyInto(sample.root);
        module->load();
        QVERIFY(sample.panel()->isHidden());
    }

    void relaysChangesToTheShell()
    {
        ModuleOnSample sample;
        Quorlan *module = sample.create();
        QSignalSpy changed(module, &KCModule::changed);

        // An edit on a tab travels through the main panel to the shell.
        sample.panel()->m_pIDPanel->m_pHostName->setText(QStringLiteral("relay5"));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toBool(), true);

        // The tabs speak up while they are refilled; the panel has the last word.
        module->load();
        QCOMPARE(changed.last().first().toBool(), false);
    }

    void defaultsRereadTheSystemFiles()
    {
        ModuleOnSample sample;
        Quorlan *module = sample.create();
        sample.root.write(QStringLiteral("/etc/resolv.conf"), "nameserver 192.0.2.53\n");
        sample.root.write(QStringLiteral("/etc/hostname"), "other\n");

        module->defaults();

        QCOMPARE(sample.panel()->resolverFile().nameservers(), QStringList{QStringLiteral("192.0.2.53")});
        QCOMPARE(sample.panel()->hostIdentity().hostName, QStringLiteral("other"));
        QCOMPARE(sample.shell.queries.size(), 2);
    }

    void showingTheModuleReadsNothingAgain()
    {
        ModuleOnSample sample;
        Quorlan *module = sample.create();
        QSignalSpy changed(module, &KCModule::changed);

        module->show();
        QCoreApplication::processEvents();

        QCOMPARE(sample.shell.queries.size(), 1);
        QCOMPARE(changed.size(), 0);
    }

    void quickHelpTellsWhoMayChangeSettings()
    {
        ModuleOnSample sample;
        QCOMPARE(sample.create()->quickHelp(),
                 QStringLiteral("<h3>Network Connection</h3><br>For a local user, this module allows you to view and change the network settings.<br><br>"
                                "Users currently logged in as a domain user must log out, and then log back in as a local user,  before making any "
                                "modifications to this panel."));
    }
};

QTEST_MAIN(QuorlanTest)

#include "quorlantest.moc"
