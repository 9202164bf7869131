// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "addrow.h"
#include "config/changereport.h"
#include "systemroot.h"

namespace
{
const QString Wireless = QStringLiteral("/etc/pcmcia/wireless.opts");
const QString Interfaces = QStringLiteral("/etc/network/interfaces");
const QString Hostname = QStringLiteral("/etc/hostname");
const QByteArray KeyOff = "ESSID=\"lab\"\n#KEY=\"\"\n";
const QByteArray KeyOn = "ESSID=\"lab\"\nKEY=\"s:secret12345\"\n";
}

class ChangeReportTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row: one file as it was (null: missing) and as written; the host
    // name file and the hosts file stay as they were in every row.
    void showsWhatChanged_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QString>("text");
        addRow("untouched", Wireless, KeyOff, KeyOff, QStringLiteral("No system file was changed."));
        addRow("key turned on: masked on both sides",
               Wireless,
               KeyOff,
               KeyOn,
               QStringLiteral("--- /etc/pcmcia/wireless.opts\n+++ /etc/pcmcia/wireless.opts\n@@ -1,2 +1,2 @@\n ESSID=\"lab\"\n-#KEY=\"****\"\n+KEY=\"****\""));
        addRow("one key for another",
               Wireless,
               KeyOn,
               QByteArray("ESSID=\"lab\"\nKEY=\"0123456789\"\n"),
               QStringLiteral("/etc/pcmcia/wireless.opts was changed in an encryption key only; keys are not shown."));
        addRow("stanza keys masked, unquoted",
               Interfaces,
               QByteArray("iface wlan0 inet dhcp\n  wireless-key1 s:old\n\twpa-psk  oldpass\n"),
               QByteArray("iface wlan0 inet dhcp\n  wireless-key1 s:new\n\twpa-psk  newpass\nauto wlan0\n"),
               QStringLiteral("--- /etc/network/interfaces\n+++ /etc/network/interfaces\n@@ -1,3 +1,4 @@\n iface wlan0 inet dhcp\n   wireless-key1 ****\n"
                              " \twpa-psk  ****\n+auto wlan0"));
        addRow("created", Hostname, QByteArray(), QByteArray("box\n"), QStringLiteral("--- /etc/hostname\n+++ /etc/hostname\n@@ -0,0 +1 @@\n+box"));
        addRow("emptied", Hostname, QByteArray("box\n"), QByteArray(""), QStringLiteral("--- /etc/hostname\n+++ /etc/hostname\n@@ -1 +0,0 @@\n-box"));
        addRow("line end lost",
               Hostname,
               QByteArray("box\n"),
               QByteArray("box"),
               QStringLiteral("--- /etc/hostname\n+++ /etc/hostname\n@@ -1 +1 @@\n-box\n+box\n\\ No newline at end of file"));
    }

    void showsWhatChanged()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QString, text);
        SystemRoot root;
        root.write(QStringLiteral("/etc/hosts"), "127.0.0.1 localhost\n");
        if (!before.isNull()) {
            root.write(file, before);
        }
        const ChangeReport report;
        root.write(file, after);
        QCOMPARE(report.text(), text);
    }

    void cutsLongChanges()
    {
        SystemRoot root;
        root.write(Hostname, QByteArray("old\n").repeated(ChangeReport::MaxLinesPerFile));
        const ChangeReport report;
        root.write(Hostname, QByteArray("new\n").repeated(ChangeReport::MaxLinesPerFile));
        const QStringList lines = report.text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), ChangeReport::MaxLinesPerFile + 1);
        QCOMPARE(lines.at(ChangeReport::MaxLinesPerFile - 1), QStringLiteral("-old"));
        QCOMPARE(lines.last(), QStringLiteral("... and 403 more lines of changes"));
    }

    void sectionsFollowTheFilesInOrder()
    {
        SystemRoot root;
        root.write(Wireless, KeyOff);
        root.write(Hostname, "old\n");
        const ChangeReport report;
        root.write(Wireless, KeyOn);
        root.write(Hostname, "new\n");
        const QString text = report.text();
        QCOMPARE(text.count(QLatin1String("\n\n--- ")), 1);
        QVERIFY(text.startsWith(QLatin1String("--- /etc/hostname\n+++ /etc/hostname\n@@ -1 +1 @@\n-old\n+new\n\n--- /etc/pcmcia/wireless.opts\n")));
        QVERIFY(!text.contains(QLatin1String("secret")));
    }
};

QTEST_GUILESS_MAIN(ChangeReportTest)
#include "changereporttest.moc"
