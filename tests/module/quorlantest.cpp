// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QSignalSpy>
#include <QTest>

#include <KLineEdit>

#include "addrow.h"
#include "casefile.h"
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

// The sample system, its device inventory naming network.1 only, the Ethernet
// count printing 2, the superuser; a test changes any of it, then starts the module.
struct ModuleOnSample {
    ModuleOnSample()
    {
        SampleSystem::copyInto(root);
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QStringLiteral("/etc/devices/devices.inf"));
        shell.answerQuery(CountCommand, QByteArray("2"));
        SuperUser::setOverride(true);
    }
    ~ModuleOnSample()
    {
        SuperUser::setOverride(std::nullopt);
    }

    void start()
    {
        module = std::make_unique<Quorlan>(nullptr, QVariantList());
        panel = module->findChild<NetConfigPanel *>();
    }

    // A line for each box, then "=> " the count, each present device with its
    // description, the name servers read and whether the page is shown.
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
             << QLatin1String(panel->isHidden() ? "hidden" : "shown") + QLatin1String(module->buttons() & KCModule::Apply ? "" : " read-only");
        return seen.join(QLatin1Char('\n')) + QLatin1Char('\n');
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
        CaseFile::addRows(QStringLiteral("module-load-cases"), {"count", "uncountable", "interfaces", "removed", "unrunnable", "answer", "shown"});
    }

    void loadsTheSystem()
    {
        QFETCH(QByteArray, count);
        QFETCH(QByteArray, uncountable);
        QFETCH(QByteArray, interfaces);
        QFETCH(QByteArray, removed);
        QFETCH(QByteArray, unrunnable);
        QFETCH(QByteArray, answer);
        QFETCH(QByteArray, shown);
        ModuleOnSample sample;
        if (!count.isNull()) {
            sample.shell.answerQuery(CountCommand, count.endsWith('\n') ? count.chopped(1) : count);
        }
        if (!uncountable.isNull()) {
            sample.shell.answerQuery(CountCommand, std::nullopt);
        }
        if (!interfaces.isNull()) {
            sample.root.write(QStringLiteral("/etc/network/interfaces"), interfaces);
        }
        for (const QByteArray &file : removed.split('\n')) {
            QFile::remove(sample.root.path(QString::fromLatin1(file)));
        }
        for (const QByteArray &file : unrunnable.split('\n')) {
            QFile::setPermissions(sample.root.path(QString::fromLatin1(file)), QFile::ReadOwner | QFile::WriteOwner);
        }
        if (answer.startsWith("no")) {
            sample.messages.answers << Messages::Answer::No;
        }
        sample.start();
        QCOMPARE(sample.loaded(), QString::fromUtf8(shown));
        // Once hidden, the page stays so: it would show half-read records otherwise.
        SampleSystem::copyInto(sample.root);
        sample.module->load();
        QCOMPARE(sample.panel->isHidden(), shown.endsWith("hidden\n"));
    }

    void decidesTheModeByUser_data()
    {
        QTest::addColumn<bool>("superUser");
        QTest::addColumn<int>("buttons"); // KCModule::Buttons, which QTest cannot hold
        QTest::addColumn<QList<bool>>("readOnly"); // Identification, Interfaces, DNS, Wireless

        addRow("the superuser may apply", true, int(KCModule::Help | KCModule::Apply), QList<bool>{false, false, false, false});
        addRow("anyone else may only look, on every tab", false, int(KCModule::Help), QList<bool>{true, true, true, true});
    }

    void decidesTheModeByUser()
    {
        QFETCH(bool, superUser);
        QFETCH(int, buttons);
        QFETCH(QList<bool>, readOnly);
        ModuleOnSample sample;
        SuperUser::setOverride(superUser);
        sample.start();
        const NetConfigPanel &panel = *sample.panel;
        QCOMPARE(int(sample.module->buttons()), buttons);
        QCOMPARE(QList<bool>({panel.m_pIDPanel->isReadOnly(), panel.m_pIPPanel->isReadOnly(), panel.m_pDNSPanel->isReadOnly(), panel.m_wireless->isReadOnly()}),
                 readOnly);
        QCOMPARE(panel.isReadOnly(), readOnly.first());
    }

    void talksToTheShell()
    {
        ModuleOnSample sample;
        sample.start();
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
