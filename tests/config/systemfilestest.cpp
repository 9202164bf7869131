// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The small files: resolv.conf and the host identity, the wireless options,
// the report of what a save changed in them; and how
// every reader and writer takes odd files.

#include <QDir>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/changereport.h"
#include "config/dnsconfigfile.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "config/textfile.h"
#include "config/wirelesskeyvalue.h"
#include "config/wirelessoptionsfile.h"
#include "systemroot.h"

#include <sys/stat.h>

namespace
{
const QString wirelessPath = QStringLiteral("/etc/pcmcia/wireless.opts");
// Where the readers and writers of odd inputs find them.
const QStringList files =
    QStringLiteral("/etc/network/interfaces /etc/hosts /etc/resolv.conf /etc/hostname /var/dhcp/dhclient.leases /etc/pcmcia/wireless.opts")
        .split(QLatin1Char(' '));
}

class SystemFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // resolv.conf as the DNS record reads and rewrites it, and as the host identity reads its domain.
    void readsResolverAndHostName_data()
    {
        QTest::addColumn<QByteArray>("hostname"); // null: neither file
        QTest::addColumn<QByteArray>("resolver");
        QTest::addColumn<QString>("read"); // host name|identity's domain|DNS record's domain and servers
        QTest::addColumn<QByteArray>("written");
        const auto sample = [](const char *name) {
            return SystemRoot::fixture(QLatin1String("sample/resolv-conf-") + QLatin1String(name));
        };
        QTest::newRow("the first line, blanks around it; domain, search, comment, options: six lines become three")
            << QByteArray("  myhost \t\nother\n") << sample("domain-search-two-servers") << "myhost|example.org|example.org 10.0.0.1 10.0.0.2"
            << QByteArray("domain example.org\nnameserver 10.0.0.1\nnameserver 10.0.0.2\n");
        // Tab-separated and capitalised keywords are no server lines; repeats stay; the last domain wins.
        QTest::newRow("a comment first line is taken; a comment holding the key; tabs, capitals, repeats")
            << QByteArray("# name\nhost\n") << sample("search-options-tabs") << "# name|wrong.example|lab.example.net 192.168.1.1 192.168.1.1 2001:db8::53"
            << QByteArray("domain lab.example.net\nnameserver 192.168.1.1\nnameserver 192.168.1.1\nnameserver 2001:db8::53\n");
        QTest::newRow("an empty file; the first key, of any case, wins; no domain line is written for none")
            << QByteArray("") << QByteArray("DOMAIN Example.ORG\nsearch mydomain.org\n") << "|Example.ORG|" << QByteArray("");
        QTest::newRow("a search value holding the key")
            << QByteArray("box") << QByteArray("search mydomain.org\ndomain a.example\n") << "box|org|a.example" << QByteArray("domain a.example\n");
        QTest::newRow("missing files: nothing to say is no line at all") << QByteArray() << QByteArray() << "||" << QByteArray("");
    }

    void readsResolverAndHostName()
    {
        QFETCH(QByteArray, hostname);
        QFETCH(QByteArray, resolver);
        QFETCH(QString, read);
        QFETCH(QByteArray, written);
        SystemRoot root;
        QVERIFY(QDir().mkpath(root.path(QStringLiteral("/etc"))));
        // Through a link, as resolvconf leaves it: the link stays, its target gets the lines.
        if (!hostname.isNull()) {
            root.write(QStringLiteral("/etc/hostname"), hostname);
            root.write(QStringLiteral("/run/resolvconf/resolv.conf"), resolver);
            QVERIFY(QFile::link(root.path(QStringLiteral("/run/resolvconf/resolv.conf")), root.path(QStringLiteral("/etc/resolv.conf"))));
        }
        BasicNetCfg identity{QStringLiteral("old"), QStringLiteral("old.example")};
        QVERIFY(identity.readConfigFile());
        DnsConfigFile file("/etc/resolv.conf");
        file.addNameserver("10.9.9.9");
        QVERIFY(file.readFile());
        const QStringList dns = QStringList{file.domain()} + file.nameservers();
        QCOMPARE(identity.hostName + QLatin1Char('|') + identity.domain + QLatin1Char('|') + dns.join(QLatin1Char(' ')), read);
        QVERIFY(file.writeFile());
        QCOMPARE(root.read(QStringLiteral("/etc/resolv.conf")), written);
        QCOMPARE(QFileInfo(root.path(QStringLiteral("/etc/resolv.conf"))).isSymLink(), !hostname.isNull());
    }

    void readsWirelessOptions_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("read"); // ESSID|MODE|CHANNEL|RATE|key line (on or off, its value)|own or foreign file; "-": not set
        const auto sample = [](const char *name) {
            return SystemRoot::fixture(QLatin1String("wireless-opts-") + QLatin1String(name));
        };
        QTest::newRow("the module's own file") << sample("home-managed-key-off") << "home|Managed|6|11 Mbps|off |own";
        QTest::newRow("a foreign file") << sample("foreign-case-block") << "-|-|-|-|-|foreign";
        QTest::newRow("the marker further down") << QByteArray("# edited by hand\n# Generated by network settings panel\n") << "-|-|-|-|-|own";
        QTest::newRow("the marker with a blank after it") << QByteArray("# Generated by network settings panel \n") << "-|-|-|-|-|foreign";
        QTest::newRow("keywords keep their case, #K is no key line") << QByteArray("essid=\"x\"\nKey=\"y\"\n#Keys follow\n#K=\"1\"\n") << "-|-|-|-|-|foreign";
        QTest::newRow("a value without quotes stands whole, text after the closing quote is dropped")
            << QByteArray("CHANNEL=6\nESSID=a b\nRATE=\"11 Mbps\" # fast\n") << "a b|-|6|11 Mbps|-|foreign";
        QTest::newRow("escapes of the shell are undone, the last key line counts")
            << QByteArray("ESSID=\"a\\\"b\\$c\\\\d\\n\\`\"\nKEY=\"0123456789\"\n#KEY=\"abc\"\n") << "a\"b$c\\d\\n`|-|-|-|off abc|foreign";
        QTest::newRow("a utf-8 and a latin-1 network name") << QByteArray("ESSID=\"Caf\xe9\"\nMODE=\"Caf\xc3\xa9\"\n") << "Café|Café|-|-|-|foreign";
    }

    void readsWirelessOptions()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, read);
        SystemRoot root;
        root.write(wirelessPath, file);
        const std::optional<WirelessOptionsFile> options = WirelessOptionsFile::read();
        QVERIFY(options);
        const auto shown = [](const std::optional<QString> &value) {
            return value.value_or(QStringLiteral("-"));
        };
        const QString key = options->key ? QLatin1String(options->key->enabled ? "on " : "off ") + options->key->value : QStringLiteral("-");
        const QStringList values{shown(options->essid), shown(options->mode), shown(options->channel), shown(options->rate), key};
        QCOMPARE(values.join(QLatin1Char('|')) + QLatin1String(WirelessOptionsFile::isOwnFile() ? "|own" : "|foreign"), read);
    }

    void writesWirelessOptions()
    {
        SystemRoot root;
        const QByteArray foreign = SystemRoot::fixture(QStringLiteral("wireless-opts-foreign-case-block"));
        root.write(wirelessPath, foreign);
        root.write(wirelessPath + QLatin1String(".orig"), "an older backup\n");
        QVERIFY(WirelessOptionsFile::replaceWithDefaults());
        QCOMPARE(root.read(wirelessPath + QLatin1String(".orig")), foreign);
        QCOMPARE(root.read(wirelessPath), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));

        // The four characters the shell reads inside double quotes are escaped; the file holds keys, for its owner only.
        WirelessOptionsFile options = WirelessOptionsFile::defaults();
        options.essid = QStringLiteral("a\"b$c\\d`e \u00e9");
        options.key = WirelessOptionsFile::KeyLine{true, QStringLiteral("s:$ecret")};
        QVERIFY(QFile::setPermissions(root.path(wirelessPath), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(options.write());
        const QByteArray written = root.read(wirelessPath);
        QVERIFY2(written.contains("\nESSID=\"a\\\"b\\$c\\\\d\\`e \xc3\xa9\"\n") && written.endsWith("\nKEY=\"s:\\$ecret\"\n"), written.constData());
        QCOMPARE(WirelessOptionsFile::read()->essid, options.essid);
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(root.path(wirelessPath)).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
        // A key value with two separators is a card's four keys; a value without any, one key.
        QVERIFY(WirelessKeyValue::holdsFourKeys(QStringLiteral("0123456789 [1] key 9876543210 [2] key [2]")));
        QVERIFY(!WirelessKeyValue::holdsFourKeys(QStringLiteral("s:abcde key [1]")));
    }

    void reportsChangesWithoutKeys_data()
    {
        QTest::addColumn<QByteArray>("before"); // of the wireless options file; null: none
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("text");
        const QByteArray off = "ESSID=\"lab\"\n#KEY=\"\"\n", on = "ESSID=\"lab\"\nKEY=\"s:secret12345\"\n";
        const QString header = QStringLiteral("--- /etc/pcmcia/wireless.opts\n+++ /etc/pcmcia/wireless.opts\n");
        QTest::newRow("untouched") << off << off << "No system file was changed.";
        QTest::newRow("key turned on: masked on both sides")
            << off << on << header + QLatin1String("@@ -1,2 +1,2 @@\n ESSID=\"lab\"\n-#KEY=\"****\"\n+KEY=\"****\"");
        QTest::newRow("one key for another") << on << QByteArray("ESSID=\"lab\"\nKEY=\"0123456789\"\n")
                                             << "/etc/pcmcia/wireless.opts was changed in an encryption key only; keys are not shown.";
        QTest::newRow("created, no line end") << QByteArray() << QByteArray("ESSID=\"lab\"")
                                              << header + QLatin1String("@@ -0,0 +1 @@\n+ESSID=\"lab\"\n\\ No newline at end of file");
    }

    void reportsChangesWithoutKeys()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, text);
        SystemRoot root;
        before.isNull() || (root.write(wirelessPath, before), true);
        const ChangeReport report;
        root.write(wirelessPath, after);
        QCOMPARE(report.text(), text);
    }

    // Files as people's systems really hold them (tests/data/odd), each given to
    // every reader as every file, and to the writers that keep other people's lines.
    void readsAndKeepsEveryLine_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: a folder in each file's place
        // eth0 and eth1 as "auto method address netmask gateway host", the lease, servers, domain, host name, network name
        QTest::addColumn<QString>("read");
        const auto odd = [](const char *name) {
            return SystemRoot::fixture(QLatin1String("odd/") + QLatin1String(name));
        };
        const QString x(1 << 20, QLatin1Char('x'));
        QTest::newRow("windows line ends") << odd("interfaces-crlf") << "1 0 10.1.1.5 255.255.0.0 10.1.0.1 |0 0    ||||# written on a Windows share|";
        QTest::newRow("windows line ends, no final line end")
            << odd("resolv-conf-crlf-no-final-newline") << "0 0    |0 0    ||10.0.0.1 10.0.0.2|lab.example|domain lab.example|";
        QTest::newRow("host name with a windows line end") << odd("hostname-crlf") << "0 0    |0 0    ||||box|";
        QTest::newRow("latin-1 comments") << odd("hosts-latin1-comments")
                                          << QString::fromLatin1("0 0    |0 0    ||||# Rechner f\xfcr das B\xfcro \xa9 M\xfcller|");
        QTest::newRow("invalid utf-8") << odd("hosts-invalid-utf8") << "0 0    |0 0    ||||127.0.0.1 localhost|";
        QTest::newRow("nul bytes") << odd("interfaces-nul-bytes") << QString::fromLatin1("0 0    |1 0 10.9.9.9\0   ||||# a NUL \0 pasted from a binary|", 59);
        QTest::newRow("tabs everywhere") << odd("interfaces-tabs-everywhere") << "0 1    box|0 0    ||||auto\tlo|";
        QTest::newRow("lease indented with tabs") << odd("dhclient-leases-tabs-everywhere") << "0 0    |0 0    |10.0.3.57 255.255.252.0 10.0.0.1|||lease\t{|";
        QTest::newRow("empty file") << odd("empty") << "0 0    |0 0    |||||";
        QTest::newRow("lines of a megabyte") << "# " + x.toLatin1() + "\nauto eth0\niface eth0 inet static\n\taddress 10.2.2.2\nnameserver 10.0.0."
                + x.toLatin1() << QLatin1String("1 0 10.2.2.2   |0 0    ||10.0.0.") + x + QLatin1String("||# ") + x + QLatin1String("|");
        QTest::newRow("wireless options with windows line ends and latin-1")
            << odd("wireless-opts-crlf-latin1") << QString::fromLatin1("0 0    |0 0    ||||# Generated by network settings panel|caf\xe9 home");
        QTest::newRow("utf-8 after a nul byte") << odd("wireless-opts-nul-utf8")
                                                << QString::fromUtf8("0 0    |0 0    ||||# Generated by network settings panel|caf\xc3\xa9\0net", 66);
        QTest::newRow("a folder in the file's place") << QByteArray() << "0 0    |0 0    |||||";
    }

    void readsAndKeepsEveryLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, read);
        SystemRoot root;
        for (const QString &file : files) {
            if (content.isNull()) {
                QDir().mkpath(root.path(file));
            } else {
                root.write(file, content);
            }
        }
        const QStringList lines = InterfacesFile::readLines().value_or(QStringList());
        QVERIFY(!InterfacesFile::hasUnsupportedOptions(lines));
        Interface records[InterfacesFile::RecordCount];
        QStringList values;
        for (int i = 0; i < InterfacesFile::RecordCount; ++i) {
            records[i].setInterfaceNumber(i);
            records[i].parseInterfacesList(lines);
        }
        for (const Interface &r : {records[0], records[1]}) {
            const Addresses &a = r.staticAddresses;
            values << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(int(r.enabled)).arg(int(r.method)).arg(a.ipAddress(), a.netmask(), a.gateway, r.dhcpHostName);
        }
        const Addresses &lease = records[0].parseDHCPFile() ? records[0].dhcpAddresses : Addresses();
        values << QStringList{lease.ipAddress(), lease.netmask(), lease.gateway}.join(QLatin1Char(' ')).trimmed();
        DnsConfigFile dns("/etc/resolv.conf");
        BasicNetCfg identity;
        QVERIFY(dns.readFile() && identity.readConfigFile());
        const std::optional<WirelessOptionsFile> wireless = WirelessOptionsFile::read();
        values << dns.nameservers().join(QLatin1Char(' ')) << dns.domain() << identity.hostName << (wireless ? wireless->essid.value_or(QString()) : QString());
        QCOMPARE(values.join(QLatin1Char('|')), read);

        // eth4 is in none of the files: every line there is someone else's, and stays, in order.
        records[4].present = records[4].enabled = true;
        records[4].saveSettings(false, QStringLiteral("10.4.4.4"), QStringLiteral("255.0.0.0"), QString(), QString());
        identity = BasicNetCfg{QStringLiteral("box"), QString()};
        QCOMPARE(InterfacesFile::write(records, InterfacesFile::RecordCount) && HostsFile(identity, records, true).writeHosts(), !content.isNull());
        const QStringList before = TextFile::simplifiedLines(content);
        for (const QString &file : {files[0], files[1]}) {
            const QStringList after = TextFile::simplifiedLines(root.read(file));
            QCOMPARE(after.mid(0, before.size()), before);
            QCOMPARE(after.value(before.size()), QLatin1String(content.isNull() ? "" : file == files[0] ? "auto eth4" : "10.4.4.4 box box"));
        }
    }
};

QTEST_GUILESS_MAIN(SystemFilesTest)
#include "systemfilestest.moc"
