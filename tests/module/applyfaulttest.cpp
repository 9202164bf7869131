// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Apply on the sample system when the file system fails under it: the user
// is told, and every file that was not written is as it was. The program
// runs itself inside the faulty tree to load, edit and apply once, and prints
// the message boxes and what Apply returned.

#include <QApplication>
#include <QTest>

#include <KLineEdit>

#include "addrow.h"
#include "fakeshell.h"
#include "faultyroot.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/idpanel.h"
#include "panels/wireless.h"
#include "samplesystem.h"
#include "systemroot.h"

#include <cstdio>

namespace
{
QByteArray applyOnce()
{
    FakeShell shell;
    shell.answerQuery(QStringLiteral("ifconfig"), QByteArray("2"));
    MessageRecorder messages;
    NetConfigPanel panel(nullptr, nullptr, false);
    if (!panel.loadSettings()) {
        return "cannot load";
    }
    panel.setChangedFlag(false);
    panel.m_pIDPanel->m_pHostName->setText(QStringLiteral("gateway9"));
    panel.m_wireless->LineEdit_1->setText(QStringLiteral("lab-wlan"));
    const bool applied = panel.applySettings();
    return (messages.texts().join(QLatin1String(" | ")) + QLatin1String(applied ? " => true" : " => false")).toUtf8();
}
}

class ApplyFaultTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!FaultyRoot::isAvailable()) {
            QSKIP("unshare --mount is not permitted here: the file system faults need a mount namespace of their own");
        }
    }

    void tellsAndKeepsTheFiles_data()
    {
        QTest::addColumn<QString>("prepare");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written"); // the files that differ afterwards

        const QString noWireless = QStringLiteral("Unable to save the changes to the wireless configuration file. | ");
        // The short host name fits the page its own file gave up; the hosts file's copy does not.
        addRow("full file system", FaultyRoot::FillUp, noWireless + QLatin1String("Problem saving configuration data! => false"), "/etc/hostname");
        addRow("read-only file system", FaultyRoot::MakeReadOnly, noWireless + QLatin1String("Problem saving configuration data! => false"), "");
    }

    void tellsAndKeepsTheFiles()
    {
        QFETCH(QString, prepare);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        SystemRoot stage;
        SampleSystem::copyInto(stage);

        QMap<QString, QByteArray> tree;
        QCOMPARE(QString::fromUtf8(FaultyRoot::run(stage.path(QString()), prepare, QStringLiteral("apply"), &tree)).trimmed(), shown);
        QStringList changed;
        const QMap<QString, QByteArray> before = FaultyRoot::snapshot(stage.path(QString()));
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (tree.value(it.key()) != it.value()) {
                changed << it.key();
            }
        }
        QCOMPARE(changed.join(QLatin1Char(' ')), written);
        if (!written.isEmpty()) {
            QCOMPARE(tree.value(written), QByteArray("gateway9\n"));
        }
        QCOMPARE(QStringList(tree.keys()), QStringList(before.keys()));
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!FaultyRoot::task().isEmpty()) {
        std::puts(applyOnce().constData());
        return 0;
    }
    ApplyFaultTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "applyfaulttest.moc"
