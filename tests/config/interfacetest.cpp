// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "casefile.h"
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
};

QTEST_GUILESS_MAIN(InterfaceTest)
#include "interfacetest.moc"
