// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include "config/basicnetcfg.h"
#include "config/hostsfile.h"
#include "config/interface.h"
#include "systemroot.h"

#include <array>

namespace
{
// What a test says about one interface record; eth0 first.
struct Eth {
    bool present = true;
    bool enabled = true;
    Interface::Method method = Interface::Static;
    QString oldAddress;
    QString staticAddress;
    QString dhcpAddress;
};

std::array<Interface, HostsFile::InterfaceCount> records(const QList<Eth> &eths)
{
    std::array<Interface, HostsFile::InterfaceCount> result;
    for (int index = 0; index < eths.size(); ++index) {
        Interface &record = result[index];
        record.setInterfaceNumber(index);
        record.present = eths[index].present;
        record.enabled = eths[index].enabled;
        record.method = eths[index].method;
        record.oldIPAddress = eths[index].oldAddress;
        record.staticAddresses.setIPAddress(eths[index].staticAddress);
        record.dhcpAddresses.setIPAddress(eths[index].dhcpAddress);
    }
    return result;
}

BasicNetCfg identity(const QString &domain = QStringLiteral("example.org"))
{
    BasicNetCfg config;
    config.hostName = QStringLiteral("box");
    config.domain = domain;
    return config;
}

Eth staticEth(const char *oldAddress, const char *newAddress, bool enabled = true)
{
    return Eth{true, enabled, Interface::Static, QLatin1String(oldAddress), QLatin1String(newAddress), QString()};
}

Eth dhcpEth(const char *oldAddress, const char *leaseAddress)
{
    return Eth{true, true, Interface::Dhcp, QLatin1String(oldAddress), QLatin1String(oldAddress), QLatin1String(leaseAddress)};
}

const QByteArray loopback("127.0.0.1 localhost\n");
}

Q_DECLARE_METATYPE(Eth)

class HostsFileTest : public QObject
{
    Q_OBJECT

private:
    static void addRow(const char *name,
                       const QByteArray &before,
                       const QList<Eth> &eths,
                       const QByteArray &after,
                       bool identityChanged = false,
                       const QString &domain = QStringLiteral("example.org"),
                       const QByteArray &old = QByteArray())
    {
        QTest::newRow(name) << before << eths << domain << identityChanged << after << (old.isNull() ? before : old);
    }

private Q_SLOTS:
    void rewritesHostsFile_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QList<Eth>>("eths");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("identityChanged");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("old");

        const QList<Eth> moved{staticEth("192.168.1.5", "192.168.1.7")};
        addRow("new static address appended when no line held the old one",
               loopback + "# 192.168.1.5 old\n",
               moved,
               loopback + "# 192.168.1.5 old\n192.168.1.7 box.example.org box\n");
        addRow("first line of the old address replaced in place, later ones removed",
               loopback + "192.168.1.5 box.example.org box\n10.1.1.1 printer\n192.168.1.5 alias\n::1 ip6-localhost\n",
               moved,
               loopback + "192.168.1.7 box.example.org box\n10.1.1.1 printer\n::1 ip6-localhost\n");
        addRow("switch to dhcp drops every line of the former static address, comments stay",
               loopback + "192.168.1.5 box.example.org box\n# 192.168.1.5 was static\n192.168.1.5 alias\n",
               {dhcpEth("192.168.1.5", "10.0.0.50")},
               loopback + "# 192.168.1.5 was static\n");
        addRow("disabled interface loses its entry", loopback + "192.168.1.5 box\n", {staticEth("192.168.1.5", "192.168.1.5", false)}, loopback);
        addRow("address 10.0.0.1 claims the line of 10.0.0.12",
               loopback + "10.0.0.12 other\n",
               {staticEth("10.0.0.1", "10.0.0.2")},
               loopback + "10.0.0.2 box.example.org box\n");
        addRow("interface that is not present is left alone",
               "192.168.1.5 box\n",
               {Eth{false, true, Interface::Static, QStringLiteral("192.168.1.5"), QStringLiteral("192.168.1.7"), QString()}},
               "192.168.1.5 box\n");
        addRow("lease line kept once for an enabled dhcp interface", "10.0.0.50 oldname\n10.0.0.50 again\n", {dhcpEth("", "10.0.0.50")}, "10.0.0.50 oldname\n");
        addRow("lease line dropped once the interface is static",
               loopback + "192.168.1.5 box.example.org box\n10.0.0.50 lease\n",
               {Eth{true, true, Interface::Static, QStringLiteral("192.168.1.5"), QStringLiteral("192.168.1.5"), QStringLiteral("10.0.0.50")}},
               loopback + "192.168.1.5 box.example.org box\n");
        addRow("names rewritten when the identity changed", "10.0.0.50 oldname\n", {dhcpEth("", "10.0.0.50")}, "10.0.0.50 box.example.org box\n", true);
        addRow("names kept when the identity did not change", "10.0.0.50 oldname\n", {dhcpEth("", "10.0.0.50")}, "10.0.0.50 oldname\n", false);
        addRow("empty domain repeats the host name", loopback, moved, loopback + "192.168.1.7 box box\n", false, QString());
        addRow("missing file created with tabs, then rewritten with blanks",
               QByteArray(),
               {staticEth("192.168.1.7", "192.168.1.7"), staticEth("10.0.0.8", "10.0.0.8", false), dhcpEth("10.0.0.9", "")},
               "127.0.0.1 localhost.localdomain localhost\n192.168.1.7 box.example.org box\n",
               false,
               QStringLiteral("example.org"),
               "127.0.0.1\tlocalhost.localdomain\tlocalhost\n192.168.1.7\tbox.example.org\tbox\n10.0.0.9\tbox.example.org\tbox\n");
        addRow("untouched lines keep their bytes, ascii white space simplified",
               "127.0.0.1\tlocalhost  \r\n  # caf\xe9 \xc3\xa9t\xc3\xa9\xc2\xa0ok \xa0 x\n\n0.0.0.0\tads.example.com\t\t# bloqu\xe9\r\n",
               moved,
               "127.0.0.1 localhost\n# caf\xe9 \xc3\xa9t\xc3\xa9\xc2\xa0ok \xa0 x\n\n0.0.0.0 ads.example.com # bloqu\xe9\n192.168.1.7 box.example.org box\n");
        addRow("an entry appended for eth0 is already a line for eth1",
               loopback,
               {staticEth("10.0.0.9", "10.0.0.12"), staticEth("10.0.0.1", "10.0.0.3")},
               loopback + "10.0.0.3 box.example.org box\n");
    }

    void rewritesHostsFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QList<Eth>, eths);
        QFETCH(QString, domain);
        QFETCH(bool, identityChanged);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, old);
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        if (!before.isNull()) {
            root.write(QStringLiteral("/etc/hosts"), before);
        }
        const BasicNetCfg config = identity(domain);
        const auto interfaces = records(eths);

        QVERIFY(HostsFile(config, interfaces.data(), identityChanged).writeHosts());
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), after);
        QCOMPARE(root.read(QStringLiteral("/etc/hosts.old")), old);
        QVERIFY(!root.exists(QStringLiteral("/etc/hosts.new")));
    }

    void failsWithoutTouchingTheFile_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QByteArray>("hosts");

        QTest::newRow("no /etc to create the file in") << QString() << QByteArray();
        QTest::newRow("hosts is a directory") << QStringLiteral("/etc/hosts") << QByteArray();
        QTest::newRow("hosts.new cannot be created") << QStringLiteral("/etc/hosts.new") << loopback;
    }

    void failsWithoutTouchingTheFile()
    {
        QFETCH(QString, directory);
        QFETCH(QByteArray, hosts);
        SystemRoot root;
        if (!hosts.isNull()) {
            root.write(QStringLiteral("/etc/hosts"), hosts);
        }
        if (!directory.isEmpty()) {
            QDir().mkpath(root.path(directory));
        }
        const BasicNetCfg config = identity();
        const auto interfaces = records({staticEth("192.168.1.5", "192.168.1.7")});

        QVERIFY(!HostsFile(config, interfaces.data(), true).writeHosts());
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), hosts);
    }

    void withoutRecordsOnlySimplifies()
    {
        SystemRoot root;
        root.write(QStringLiteral("/etc/hosts"), "127.0.0.1\tlocalhost\n 192.168.1.5  box\n");
        QVERIFY(HostsFile(identity(), nullptr, true).writeHosts());
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), loopback + "192.168.1.5 box\n");
    }

    void namesResolveThroughGetent_data()
    {
        QTest::addColumn<QString>("name");

        QTest::newRow("host name") << QStringLiteral("box");
        QTest::newRow("full name") << QStringLiteral("box.example.org");
    }

    void namesResolveThroughGetent()
    {
        QFETCH(QString, name);
        SystemRoot root;
        root.write(QStringLiteral("/etc/hosts"), loopback + "192.168.1.5 box.example.org box\n");
        const BasicNetCfg config = identity();
        const auto interfaces = records({staticEth("192.168.1.5", "192.168.1.7")});
        QVERIFY(HostsFile(config, interfaces.data(), false).writeHosts());

        // The bind mount exists only inside the private namespace of this one command.
        const QString hosts = root.path(QStringLiteral("/etc/hosts"));
        const auto inNamespace = [&hosts](const QString &command) {
            QProcess process;
            process.start(QStringLiteral("unshare"),
                          {QStringLiteral("--mount"),
                           QStringLiteral("--propagation"),
                           QStringLiteral("private"),
                           QStringLiteral("sh"),
                           QStringLiteral("-c"),
                           QStringLiteral("mount --bind \"$0\" /etc/hosts && ") + command,
                           hosts});
            process.waitForFinished();
            return std::make_pair(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0,
                                  QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError()));
        };
        const auto probe = inNamespace(QStringLiteral("true"));
        if (!probe.first) {
            QSKIP(qPrintable(QStringLiteral("unshare --mount with a bind mount is not permitted here: ") + probe.second));
        }
        const auto lookup = inNamespace(QStringLiteral("getent hosts ") + name);
        QVERIFY2(lookup.first, qPrintable(lookup.second));
        QCOMPARE(lookup.second.simplified(), QStringLiteral("192.168.1.7 box.example.org box"));
    }

    void largeFileGoesThroughInOneWalkPerPass()
    {
        SystemRoot root;
        // Joined once: appending a built line at a time reallocates each time (quadratic under ASan).
        QByteArrayList lines{loopback.trimmed()};
        const int lineCount = 200000;
        for (int line = 0; line < lineCount; ++line) {
            lines << "0.0.0.0\tads" + QByteArray::number(line) + ".example.com";
        }
        lines << "192.168.1.5 box"
              << "10.0.0.50 lease";
        root.write(QStringLiteral("/etc/hosts"), lines.join('\n') + '\n');
        const BasicNetCfg config = identity();
        QList<Eth> eths;
        for (int index = 0; index < HostsFile::InterfaceCount; ++index) {
            eths << Eth{true, true, Interface::Static, QStringLiteral("192.168.1.%1").arg(5 + index), QStringLiteral("192.168.1.%1").arg(5 + index), QString()};
        }
        eths[4] = dhcpEth("", "10.0.0.50");
        const auto interfaces = records(eths);

        QElapsedTimer timer;
        timer.start();
        QVERIFY(HostsFile(config, interfaces.data(), true).writeHosts());
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QStringLiteral("took %1 ms").arg(timer.elapsed())));
        const QByteArray written = root.read(QStringLiteral("/etc/hosts"));
        QCOMPARE(written.count('\n'), lineCount + 1 + 5);
        QVERIFY(
            written.endsWith("192.168.1.5 box.example.org box\n10.0.0.50 box.example.org box\n192.168.1.6 box.example.org box\n"
                             "192.168.1.7 box.example.org box\n192.168.1.8 box.example.org box\n"));
    }
};

QTEST_GUILESS_MAIN(HostsFileTest)
#include "hostsfiletest.moc"
