// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QTest>

#include "config/dnsconfigfile.h"
#include "systemroot.h"

namespace
{
QStringList iterated(DnsConfigFile &file)
{
    QStringList servers;
    for (const QString *server = file.getFirst(); server; server = file.getNext()) {
        servers << *server;
    }
    return servers;
}
}

class DnsConfigFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsDomainAndServers_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QStringList>("servers");

        QTest::newRow("domain, search, comment, options") << QStringLiteral("resolv-conf-domain-search-two-servers") << QStringLiteral("example.org")
                                                          << QStringList{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")};
        // Tab-separated and capitalised keywords are no server lines; repeats stay; the last domain wins.
        QTest::newRow("tabs, capitals, repeats") << QStringLiteral("resolv-conf-search-options-tabs") << QStringLiteral("lab.example.net")
                                                 << QStringList{QStringLiteral("192.168.1.1"), QStringLiteral("192.168.1.1"), QStringLiteral("2001:db8::53")};
    }

    void readsDomainAndServers()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, domain);
        QFETCH(QStringList, servers);
        SystemRoot root;
        root.copyFixture(fixture, QStringLiteral("/etc/resolv.conf"));

        DnsConfigFile file("/etc/resolv.conf");
        file.addNameserver("10.9.9.9");
        QVERIFY(file.readFile());
        QCOMPARE(file.domain(), domain);
        QCOMPARE(file.nameservers(), servers);
        QCOMPARE(iterated(file), servers);
        QCOMPARE(file.getNext(), nullptr);
    }

    void rewritesOnlyDomainAndServers()
    {
        SystemRoot root;
        root.copyFixture(QStringLiteral("resolv-conf-domain-search-two-servers"), QStringLiteral("/etc/resolv.conf"));
        DnsConfigFile file;
        file.setFileName(QStringLiteral("/etc/resolv.conf"));
        QVERIFY(file.readFile());
        QVERIFY(file.writeFile());
        QCOMPARE(root.read(QStringLiteral("/etc/resolv.conf")), QByteArray("domain example.org\nnameserver 10.0.0.1\nnameserver 10.0.0.2\n"));

        file.setDomain("");
        file.clear();
        file.addNameserver(QString());
        QVERIFY(file.writeFile());
        QCOMPARE(root.read(QStringLiteral("/etc/resolv.conf")), QByteArray(""));
    }

    void writesThroughSymbolicLink()
    {
        SystemRoot root;
        root.write(QStringLiteral("/run/resolvconf/resolv.conf"), "nameserver 10.0.0.1\n");
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        QVERIFY(QFile::link(root.path(QStringLiteral("/run/resolvconf/resolv.conf")), root.path(QStringLiteral("/etc/resolv.conf"))));
        DnsConfigFile file("/etc/resolv.conf");
        file.addNameserver("10.0.0.53");
        QVERIFY(file.writeFile());
        QVERIFY(QFileInfo(root.path(QStringLiteral("/etc/resolv.conf"))).isSymLink());
        QCOMPARE(root.read(QStringLiteral("/run/resolvconf/resolv.conf")), QByteArray("nameserver 10.0.0.53\n"));
    }

    void failedWriteKeepsRecord()
    {
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc/resolv.conf")));
        DnsConfigFile file("/etc/resolv.conf");
        file.setDomain("example.org");
        file.addNameserver("10.0.0.1");
        QVERIFY(!file.writeFile());
        QCOMPARE(file.domain(), QStringLiteral("example.org"));
        QCOMPARE(file.nameservers(), QStringList{QStringLiteral("10.0.0.1")});
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
    }
};

QTEST_GUILESS_MAIN(DnsConfigFileTest)
#include "dnsconfigfiletest.moc"
