// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Files as people's systems really hold them (tests/data/odd): Windows line
// ends, no final line end, NUL bytes, Latin-1 and broken UTF-8, tabs
// everywhere, nothing at all, lines of a megabyte, a folder in the file's place.
// Each is given to every reader as every file, and to every writer.

#include <QDir>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "config/wirelessoptionsfile.h"
#include "systemroot.h"

namespace
{
const QString files[] = {QStringLiteral("/etc/network/interfaces"),
                         QStringLiteral("/etc/hosts"),
                         QStringLiteral("/etc/resolv.conf"),
                         QStringLiteral("/etc/hostname"),
                         QStringLiteral("/var/dhcp/dhclient.leases"),
                         QStringLiteral("/etc/pcmcia/wireless.opts")};

const QByteArray folder("(a folder)");

void placeEverywhere(const SystemRoot &root, const QByteArray &content)
{
    for (const QString &file : files) {
        if (content == folder) {
            QDir().mkpath(root.path(file));
        } else {
            root.write(file, content);
        }
    }
}

// What the records hold after a load, one "eth<i> ..." entry per configured device.
QString interfacesSummary(const Interface *records)
{
    QStringList entries;
    for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
        const Interface &r = records[i];
        const Addresses &a = r.staticAddresses;
        if (!r.enabled && r.method == Interface::Static && a.ipAddress().isEmpty()) {
            continue;
        }
        entries << r.deviceName + QLatin1String(r.enabled ? " auto" : "")
                + (r.method == Interface::Dhcp ? QLatin1String(" dhcp ") + r.dhcpHostName
                                               : QStringLiteral(" static %1/%2 gw %3").arg(a.ipAddress(), a.netmask(), a.gateway));
    }
    return entries.join(QLatin1String("; "));
}

QByteArray megabyteLines()
{
    const QByteArray x(1 << 20, 'x');
    return "# " + x + "\nauto eth0\niface eth0 inet static\n\taddress 10.2.2.2\n\tup echo " + x + "\nnameserver 10.0.0." + x + "\n";
}
}

class OddInputTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyReaderTakesIt_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("interfaces");
        QTest::addColumn<QString>("lease");
        QTest::addColumn<QStringList>("servers");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<QString>("essid");

        const auto odd = [](const char *name) {
            return SystemRoot::fixture(QLatin1String("odd/") + QLatin1String(name));
        };
        QTest::newRow("windows line ends") << odd("interfaces-crlf") << QStringLiteral("eth0 auto static 10.1.1.5/255.255.0.0 gw 10.1.0.1") << QString()
                                           << QStringList() << QString() << QStringLiteral("# written on a Windows share") << QString();
        QTest::newRow("windows line ends, no final line end")
            << odd("resolv-conf-crlf-no-final-newline") << QString() << QString() << QStringList{QStringLiteral("10.0.0.1"), QStringLiteral("10.0.0.2")}
            << QStringLiteral("lab.example") << QStringLiteral("domain lab.example") << QString();
        QTest::newRow("host name with a windows line end")
            << odd("hostname-crlf") << QString() << QString() << QStringList() << QString() << QStringLiteral("box") << QString();
        QTest::newRow("latin-1 comments") << odd("hosts-latin1-comments") << QString() << QString() << QStringList() << QString()
                                          << QString::fromLatin1("# Rechner f\xfcr das B\xfcro \xa9 M\xfcller") << QString();
        QTest::newRow("invalid utf-8") << odd("hosts-invalid-utf8") << QString() << QString() << QStringList() << QString()
                                       << QStringLiteral("127.0.0.1 localhost") << QString();
        QTest::newRow("nul bytes") << odd("interfaces-nul-bytes") << QString::fromLatin1("eth1 auto static 10.9.9.9\0/ gw ", 31) << QString() << QStringList()
                                   << QString() << QString::fromLatin1("# a NUL \0 pasted from a binary", 30) << QString();
        QTest::newRow("tabs everywhere") << odd("interfaces-tabs-everywhere") << QStringLiteral("eth0 dhcp box") << QString() << QStringList() << QString()
                                         << QStringLiteral("auto\tlo") << QString();
        QTest::newRow("lease indented with tabs") << odd("dhclient-leases-tabs-everywhere") << QString()
                                                  << QStringLiteral("10.0.3.57/255.255.252.0 gw 10.0.0.1") << QStringList() << QString()
                                                  << QStringLiteral("lease\t{") << QString();
        QTest::newRow("empty file") << odd("empty") << QString() << QString() << QStringList() << QString() << QString() << QString();
        QTest::newRow("lines of a megabyte") << megabyteLines() << QStringLiteral("eth0 auto static 10.2.2.2/ gw ") << QString()
                                             << QStringList{QLatin1String("10.0.0.") + QString(1 << 20, QLatin1Char('x'))} << QString()
                                             << QLatin1String("# ") + QString(1 << 20, QLatin1Char('x')) << QString();
        QTest::newRow("wireless options with windows line ends and latin-1")
            << odd("wireless-opts-crlf-latin1") << QString() << QString() << QStringList() << QString()
            << QStringLiteral("# Generated by network settings panel") << QString::fromLatin1("caf\xe9 home");
        QTest::newRow("utf-8 after a nul byte") << odd("wireless-opts-nul-utf8") << QString() << QString() << QStringList() << QString()
                                                << QStringLiteral("# Generated by network settings panel") << QString::fromUtf8("caf\xc3\xa9\0net", 9);
        QTest::newRow("a folder in the file's place") << folder << QString() << QString() << QStringList() << QString() << QString() << QString();
    }

    void everyReaderTakesIt()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, interfaces);
        QFETCH(QString, lease);
        QFETCH(QStringList, servers);
        QFETCH(QString, domain);
        QFETCH(QString, hostName);
        QFETCH(QString, essid);
        SystemRoot root;
        placeEverywhere(root, content);

        const std::optional<QStringList> lines = InterfacesFile::readLines();
        QCOMPARE(bool(lines), content != folder);
        QVERIFY(!InterfacesFile::hasUnsupportedOptions(lines.value_or(QStringList())));
        Interface records[InterfacesFile::RecordCount];
        for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
            records[i].setInterfaceNumber(i);
            records[i].parseInterfacesList(lines.value_or(QStringList()));
        }
        QCOMPARE(interfacesSummary(records), interfaces);

        Interface eth0;
        eth0.setInterfaceNumber(0);
        const Addresses &a = eth0.dhcpAddresses;
        QCOMPARE(eth0.parseDHCPFile() ? QStringLiteral("%1/%2 gw %3").arg(a.ipAddress(), a.netmask(), a.gateway) : QString(), lease);

        DnsConfigFile dns("/etc/resolv.conf");
        QVERIFY(dns.readFile());
        QCOMPARE(dns.nameservers(), servers);
        QCOMPARE(dns.domain(), domain);

        BasicNetCfg identity;
        QVERIFY(identity.readConfigFile());
        QCOMPARE(identity.hostName, hostName);

        const std::optional<WirelessOptionsFile> wireless = WirelessOptionsFile::read();
        QCOMPARE(bool(wireless), content != folder);
        QCOMPARE(wireless ? wireless->essid.value_or(QString()) : QString(), essid);
    }

    void writersKeepLinesTheyDoNotManage_data()
    {
        everyReaderTakesIt_data();
    }

    void writersKeepLinesTheyDoNotManage()
    {
        QFETCH(QByteArray, content);
        SystemRoot root;
        placeEverywhere(root, content);

        // eth4 is in none of the files: every line there is someone else's.
        Interface records[InterfacesFile::RecordCount];
        records[4].setInterfaceNumber(4);
        records[4].present = true;
        records[4].enabled = true;
        records[4].saveSettings(false, QStringLiteral("10.4.4.4"), QStringLiteral("255.0.0.0"), QString(), QString());
        BasicNetCfg identity;
        identity.hostName = QStringLiteral("box");
        const struct {
            QString file;
            bool written;
            QString firstAdded;
        } writes[] = {
            {files[0], InterfacesFile::write(records, InterfacesFile::RecordCount), QStringLiteral("auto eth4")},
            {files[1], HostsFile(identity, records, true).writeHosts(), QStringLiteral("10.4.4.4 box box")},
        };
        const QStringList before = TextFile::splitLines(content, 0);
        for (const auto &write : writes) {
            QCOMPARE(write.written, content != folder);
            if (!write.written) {
                QVERIFY(QFileInfo(root.path(write.file)).isDir());
                continue;
            }
            const std::optional<QStringList> after = TextFile::readLines(write.file);
            QVERIFY(after && after->size() > before.size());
            for (int i = 0; i < before.size(); ++i) {
                QCOMPARE(TextFile::simplified(after->at(i)).toLatin1(), TextFile::simplified(before.at(i)).toLatin1());
            }
            QCOMPARE(after->at(before.size()), write.firstAdded);
            QCOMPARE(root.read(write.file + QLatin1String(".old")), content);
        }
    }
};

QTEST_GUILESS_MAIN(OddInputTest)

#include "oddinputtest.moc"
