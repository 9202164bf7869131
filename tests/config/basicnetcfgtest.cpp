// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "casefile.h"
#include "config/basicnetcfg.h"
#include "systemroot.h"

class BasicNetCfgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsIdentity_data()
    {
        CaseFile::addRows(QStringLiteral("identity-read-cases"), {"hostname", "resolver", "read"});
    }

    void readsIdentity()
    {
        QFETCH(QByteArray, hostname);
        QFETCH(QByteArray, resolver);
        QFETCH(QByteArray, read);
        SystemRoot root;
        root.write(QStringLiteral("/etc/hostname"), hostname);
        root.write(QStringLiteral("/etc/resolv.conf"), resolver);
        const QString value = hostname.isNull() ? GetDomainName("/etc/resolv.conf") : GetHostName("/etc/hostname");
        QCOMPARE(value, QString::fromLatin1(read).trimmed());
    }

    void missingFilesGiveEmptyValues()
    {
        SystemRoot root;
        BasicNetCfg config{QStringLiteral("old"), QStringLiteral("old.example")};
        QVERIFY(config.readConfigFile());
        QCOMPARE(config.hostName + config.domain, QString());
    }
};

QTEST_GUILESS_MAIN(BasicNetCfgTest)
#include "basicnetcfgtest.moc"
