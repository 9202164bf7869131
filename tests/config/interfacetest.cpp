// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QFile>
#include <QProcess>
#include <QTest>

#include "casefile.h"
#include "config/dhcpclient.h"
#include "config/interface.h"
#include "recordtext.h"
#include "systemroot.h"

class InterfaceTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parsesRecord_data()
    {
        CaseFile::addRows(QStringLiteral("interfaces-parse-cases"), {"record", "lines", "leases", "parsed"});
    }

    void parsesRecord()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, lines);
        QFETCH(QByteArray, leases);
        QFETCH(QByteArray, parsed);
        SystemRoot root;
        if (!leases.isNull()) {
            root.write(QStringLiteral("/var/dhcp/dhclient.leases"), leases);
        }
        Interface parsedRecord = RecordText::record(record.isNull() ? QStringLiteral("eth0") : QString::fromLatin1(record));
        const bool leaseRead = parsedRecord.parseInterfacesList(QString::fromLatin1(lines.chopped(1)).split(QLatin1Char('\n')));
        const QString outcome = RecordText::describe(parsedRecord) + (leaseRead ? QString() : QStringLiteral(" (no lease)"));
        QCOMPARE(outcome.trimmed(), QString::fromLatin1(parsed).trimmed());
    }

    void probesForADhcpClient_data()
    {
        QTest::addColumn<QByteArray>("pidFile"); // null: none
        QTest::addColumn<QByteArray>("commandLine"); // of process 4242; null: no such process
        QTest::addColumn<bool>("running");

        const QByteArray dhclient("/sbin/dhclient\0-pf\0/var/run/dhclient.pid\0eth0\0", 44);
        QTest::newRow("no pid file") << QByteArray() << dhclient << false;
        QTest::newRow("the pid of a process that is gone") << QByteArray("4242\n") << QByteArray() << false;
        QTest::newRow("a live process that is no DHCP client") << QByteArray("4242\n") << QByteArray("/usr/sbin/sshd\0-D\0", 18) << false;
        QTest::newRow("a live dhclient") << QByteArray("4242\n") << dhclient << true;
        QTest::newRow("a pid with blanks and no line end") << QByteArray(" 4242 ") << dhclient << true;
        QTest::newRow("a pid file naming a path leads nowhere") << QByteArray("../4242\n") << dhclient << false;
    }

    void probesForADhcpClient()
    {
        QFETCH(QByteArray, pidFile);
        QFETCH(QByteArray, commandLine);
        QFETCH(bool, running);
        const SystemRoot root;
        if (!pidFile.isNull()) {
            root.write(QStringLiteral("/var/run/dhclient.pid"), pidFile);
        }
        if (!commandLine.isNull()) {
            root.write(QStringLiteral("/proc/4242/cmdline"), commandLine);
            root.write(QStringLiteral("/4242/cmdline"), commandLine);
        }

        QCOMPARE(DhcpClient::running(), running);
    }

    void readsTheRealProc()
    {
        // The real /proc, of a child of this test only: alive as dhclient, then gone.
        const SystemRoot root;
        QVERIFY(QFile::link(QStringLiteral("/proc"), root.path(QStringLiteral("/proc"))));
        QVERIFY(QFile::link(QStringLiteral("/bin/sleep"), root.path(QStringLiteral("/dhclient"))));
        QProcess client;
        client.start(root.path(QStringLiteral("/dhclient")), {QStringLiteral("30")});
        QVERIFY(client.waitForStarted());
        root.write(QStringLiteral("/var/run/dhclient.pid"), QByteArray::number(client.processId()) + '\n');
        QVERIFY(DhcpClient::running());
        client.kill();
        client.waitForFinished();
        QVERIFY(!DhcpClient::running());
    }
};

QTEST_GUILESS_MAIN(InterfaceTest)
#include "interfacetest.moc"
