// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/basicnetcfg.h"
#include "systemroot.h"

class BasicNetCfgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsHostName_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("hostName");

        QTest::newRow("first line, blanks around it") << QByteArray("  myhost \t\nother\n") << QStringLiteral("myhost");
        QTest::newRow("no line end") << QByteArray("labhost") << QStringLiteral("labhost");
        QTest::newRow("a comment first line is taken") << QByteArray("# name\nhost\n") << QStringLiteral("# name");
        QTest::newRow("empty file") << QByteArray() << QString();
    }

    void readsHostName()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, hostName);
        SystemRoot root;
        root.write(QStringLiteral("/etc/hostname"), content);
        QCOMPARE(GetHostName("/etc/hostname"), hostName);
    }

    void readsDomain_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("domain");

        QTest::newRow("after a nameserver line") << QByteArray("nameserver 10.0.0.1\ndomain example.org\n") << QStringLiteral("example.org");
        QTest::newRow("first match wins") << QByteArray("domain a.example\ndomain b.example\n") << QStringLiteral("a.example");
        QTest::newRow("blanks between and after") << QByteArray("domain    example.org   \n") << QStringLiteral("example.org");
        QTest::newRow("tab separator") << QByteArray("domain\texample.org\n") << QStringLiteral("example.org");
        QTest::newRow("capital key keeps the value's case") << QByteArray("DOMAIN Example.ORG\n") << QStringLiteral("Example.ORG");
        QTest::newRow("search value holding the key") << QByteArray("search mydomain.org\n") << QStringLiteral("org");
        QTest::newRow("key alone at the end") << QByteArray("domain\n") << QString();
        QTest::newRow("no line holds the key") << QByteArray("nameserver 10.0.0.1\n") << QString();
        QTest::newRow("a comment matches first") << SystemRoot::fixture(QStringLiteral("resolv-conf-search-options-tabs")) << QStringLiteral("wrong.example");
    }

    void readsDomain()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, domain);
        SystemRoot root;
        root.write(QStringLiteral("/etc/resolv.conf"), content);
        QCOMPARE(GetDomainName("/etc/resolv.conf"), domain);
    }

    void missingFilesGiveEmptyValues()
    {
        SystemRoot root;
        BasicNetCfg config;
        config.hostName = QStringLiteral("old");
        config.domain = QStringLiteral("old.example");
        QVERIFY(config.readConfigFile());
        QCOMPARE(config.hostName, QString());
        QCOMPARE(config.domain, QString());

        root.write(QStringLiteral("/etc/hostname"), "box\n");
        root.copyFixture(QStringLiteral("resolv-conf-domain-search-two-servers"), QStringLiteral("/etc/resolv.conf"));
        QVERIFY(config.readConfigFile());
        QCOMPARE(config.hostName, QStringLiteral("box"));
        QCOMPARE(config.domain, QStringLiteral("example.org"));
    }
};

QTEST_GUILESS_MAIN(BasicNetCfgTest)
#include "basicnetcfgtest.moc"
