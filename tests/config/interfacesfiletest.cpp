// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "addrow.h"
#include "casefile.h"
#include "config/interface.h"
#include "config/interfacesfile.h"
#include "recordtext.h"
#include "systemroot.h"

namespace
{
const QString interfacesPath = QStringLiteral("/etc/network/interfaces");

// What Debian's own ifupdown makes of the test's file: "key: value" lines per device.
QStringList ifquery(const QStringList &arguments)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("ifquery"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    if (tool.isEmpty()) {
        qFatal("ifquery is missing: install the package ifupdown (scripts/install-deps)");
    }
    QProcess process;
    process.start(tool, QStringList{QLatin1String("--interfaces=") + qEnvironmentVariable("QUORLAN_ROOT") + interfacesPath} + arguments);
    process.waitForFinished(10000);
    return QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The lines ifquery must print for a record, in the order the writer emits them.
QStringList expectedQuery(const Interface &written)
{
    const Addresses &a = written.staticAddresses;
    if (written.method == Interface::Dhcp) {
        return written.dhcpHostName.isEmpty()
            ? QStringList()
            : QStringList{QLatin1String("pre-up: /bin/hostname ") + written.dhcpHostName, QStringLiteral("post-down: /bin/hostname -F /etc/hostname")};
    }
    return {QLatin1String("address: ") + a.ipAddress(),
            QLatin1String("netmask: ") + a.netmask(),
            QLatin1String("broadcast: ") + a.broadcast,
            QLatin1String("network: ") + a.network,
            written.defaultGateway
                ? QLatin1String("gateway: ") + a.gateway
                : QStringLiteral("up: route add -net %1 netmask %2 gw %3 dev %4").arg(a.network, a.netmask(), a.gateway, written.deviceName)};
}
}

class InterfacesFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rewritesStanzas_data()
    {
        CaseFile::addRows(QStringLiteral("interfaces-rewrite-cases"), {"records", "before", "after"});
    }

    void rewritesStanzas()
    {
        QFETCH(QByteArray, records);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        SystemRoot root;
        root.write(interfacesPath, before);
        const QVector<Interface> written = RecordText::records(QString::fromLatin1(records));

        QVERIFY(InterfacesFile::write(written.constData(), written.size()));
        QCOMPARE(root.read(interfacesPath), after);
        QCOMPARE(root.read(interfacesPath + QLatin1String(".old")), before);

        // Read back, each record finds what it wrote; written again, the file stays as it is.
        const std::optional<QStringList> lines = InterfacesFile::readLines();
        QVERIFY(lines);
        QVector<Interface> back = RecordText::records(QString());
        const QStringList autoDevices = ifquery({QStringLiteral("--list")});
        for (int i = 0; i < written.size(); ++i) {
            back[i].present = written[i].present;
            back[i].parseInterfacesList(*lines);
            back[i].oldIPAddress.clear(); // what the parser remembers of the address read
            if (written[i].present) {
                QCOMPARE(RecordText::describe(back[i]), RecordText::describe(written[i]));
                QCOMPARE(autoDevices.contains(written[i].deviceName), written[i].enabled);
                const QStringList expected = expectedQuery(written[i]);
                QCOMPARE(ifquery({written[i].deviceName}).mid(0, expected.size()), expected);
            }
        }
        QVERIFY(InterfacesFile::write(back.constData(), back.size()));
        QCOMPARE(root.read(interfacesPath), after);
    }

    void leavesTheFileWhenItCannotWrite()
    {
        SystemRoot root;
        const QVector<Interface> records = RecordText::records(QStringLiteral("eth0 auto dhcp host=box"));
        QVERIFY(!InterfacesFile::readLines());
        QVERIFY(!InterfacesFile::write(records.constData(), 1));
        QVERIFY(!root.exists(interfacesPath));

        root.copyFixture(QStringLiteral("interfaces-static-and-dhcp"), interfacesPath);
        QVERIFY(QDir().mkpath(root.path(interfacesPath + QLatin1String(".new"))));
        QVERIFY(!InterfacesFile::write(records.constData(), 1));
        QCOMPARE(root.read(interfacesPath), SystemRoot::fixture(QStringLiteral("interfaces-static-and-dhcp")));

        // ifupdown refuses an option right after an auto line; taking eth1 off that
        // line would put the option into eth0's stanza, to be dropped there.
        const QString misplaced = QStringLiteral("interfaces-misplaced-option-after-auto");
        root.copyFixture(misplaced, interfacesPath);
        const QVector<Interface> both = RecordText::records(QStringLiteral("eth0 dhcp eth1 dhcp"));
        QVERIFY(!InterfacesFile::write(both.constData(), 2));
        QCOMPARE(root.read(interfacesPath), SystemRoot::fixture(misplaced));
    }

    void findsUnsupportedOptions_data()
    {
        QTest::addColumn<QString>("lines"); // each line alone, between "auto lo" and an empty line
        QTest::addColumn<bool>("unsupported");

        addRow("ifupdown options the records cannot hold, even as prefixes", "  \tmapping hotplug|hwaddress ether 0:1|servername x|provider dsl", true);
        addRow("comments, words inside a line, capitals, plain options", "# script|up /usr/local/bin/script|Script /x|address 10.0.0.1", false);
    }

    void findsUnsupportedOptions()
    {
        QFETCH(QString, lines);
        QFETCH(bool, unsupported);
        for (const QString &line : lines.split(QLatin1Char('|'))) {
            QVERIFY2(InterfacesFile::hasUnsupportedOptions({QStringLiteral("auto lo"), line, QString()}) == unsupported, qPrintable(line));
        }
    }
};

QTEST_GUILESS_MAIN(InterfacesFileTest)
#include "interfacesfiletest.moc"
