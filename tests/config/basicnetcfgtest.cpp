// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/basicnetcfg.h"
#include "systemroot.h"

class BasicNetCfgTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsIdentity_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("value");

        const QString hostname = QStringLiteral("/etc/hostname");
        const QString resolver = QStringLiteral("/etc/resolv.conf");
        QTest::newRow("host name: first line, blanks around it") << hostname << QByteArray("  myhost \t\nother\n") << QStringLiteral("myhost");
        QTest::newRow("host name: a comment first line is taken") << hostname << QByteArray("# name\nhost\n") << QStringLiteral("# name");
        QTest::newRow("host name: empty file") << hostname << QByteArray() << QString();
        QTest::newRow("domain after a nameserver line") << resolver << QByteArray("nameserver 10.0.0.1\ndomain example.org\n") << QStringLiteral("example.org");
        QTest::newRow("first domain wins") << resolver << QByteArray("domain a.example\ndomain b.example\n") << QStringLiteral("a.example");
        QTest::newRow("domain: blanks and tabs between and after") << resolver << QByteArray("domain \t  example.org   \n") << QStringLiteral("example.org");
        QTest::newRow("domain: capital key keeps the value's case") << resolver << QByteArray("DOMAIN Example.ORG\n") << QStringLiteral("Example.ORG");
        QTest::newRow("domain: search value holding the key") << resolver << QByteArray("search mydomain.org\n") << QStringLiteral("org");
        QTest::newRow("domain: key alone at the end") << resolver << QByteArray("domain\n") << QString();
        QTest::newRow("domain: no line holds the key") << resolver << QByteArray("nameserver 10.0.0.1\n") << QString();
        QTest::newRow("domain: a comment matches first")
            << resolver << SystemRoot::fixture(QStringLiteral("resolv-conf-search-options-tabs")) << QStringLiteral("wrong.example");
    }

    void readsIdentity()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, value);
        SystemRoot root;
        root.write(file, content);
        const QByteArray path = file.toLatin1();
        QCOMPARE(file.endsWith(QLatin1String("hostname")) ? GetHostName(path.constData()) : GetDomainName(path.constData()), value);
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
