// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QTest>

#include "config/dnsconfigfile.h"
#include "systemroot.h"

class DnsConfigFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rewritesOnlyDomainAndServers_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("read"); // the domain, then the servers
        QTest::addColumn<QByteArray>("written");

        QTest::newRow("domain, search, comment, options: six lines become three")
            << "resolv-conf-domain-search-two-servers"
            << "example.org 10.0.0.1 10.0.0.2" << QByteArray("domain example.org\nnameserver 10.0.0.1\nnameserver 10.0.0.2\n");
        // Tab-separated and capitalised keywords are no server lines; repeats stay; the last domain wins.
        QTest::newRow("tabs, capitals, repeats") << "resolv-conf-search-options-tabs"
                                                 << "lab.example.net 192.168.1.1 192.168.1.1 2001:db8::53"
                                                 << QByteArray(
                                                        "domain lab.example.net\nnameserver 192.168.1.1\nnameserver 192.168.1.1\nnameserver 2001:db8::53\n");
    }

    void rewritesOnlyDomainAndServers()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, read);
        QFETCH(QByteArray, written);
        SystemRoot root;
        // Through a link, as resolvconf leaves it: the link stays, its target gets the lines.
        root.copyFixture(fixture, QStringLiteral("/run/resolvconf/resolv.conf"));
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        QVERIFY(QFile::link(root.path(QStringLiteral("/run/resolvconf/resolv.conf")), root.path(QStringLiteral("/etc/resolv.conf"))));

        DnsConfigFile file("/etc/resolv.conf");
        file.addNameserver("10.9.9.9");
        QVERIFY(file.readFile());
        QStringList values{file.domain()};
        for (const QString *server = file.getFirst(); server; server = file.getNext()) {
            values << *server;
        }
        QCOMPARE(values, read.split(QLatin1Char(' ')));
        QCOMPARE(QStringList{file.domain()} + file.nameservers(), values);
        QVERIFY(file.writeFile());
        QVERIFY(QFileInfo(root.path(QStringLiteral("/etc/resolv.conf"))).isSymLink());
        QCOMPARE(root.read(QStringLiteral("/run/resolvconf/resolv.conf")), written);
    }

    void missingFileEmptiesServersKeepsDomain()
    {
        SystemRoot root;
        DnsConfigFile file("/etc/resolv.conf");
        file.setDomain("kept.example");
        file.addNameserver("10.0.0.1");
        QVERIFY(file.readFile());
        QCOMPARE(file.getFirst(), nullptr);
        QCOMPARE(file.domain(), QStringLiteral("kept.example"));

        // Nothing to say writes no line at all, not "domain " or an empty server.
        file.setDomain("");
        file.addNameserver(QString());
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        QVERIFY(file.writeFile());
        QCOMPARE(root.read(QStringLiteral("/etc/resolv.conf")), QByteArray(""));
        QVERIFY(!DnsConfigFile("/etc").writeFile());
    }
};

QTEST_GUILESS_MAIN(DnsConfigFileTest)
#include "dnsconfigfiletest.moc"
