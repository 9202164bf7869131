// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "config/textfile.h"
#include "systemroot.h"

#include <sys/stat.h>

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsLinesAsBytes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("lineCount");

        QTest::newRow("empty file") << QByteArray("") << 0;
        QTest::newRow("last line without line end") << QByteArray("a\nb") << 2;
        QTest::newRow("final line end adds no line") << QByteArray("a\nb\n") << 2;
        QTest::newRow("empty lines kept") << QByteArray("\n\na\n\n") << 4;
        QTest::newRow("windows line ends") << QByteArray("a\r\nb\r\n") << 2;
        QTest::newRow("latin-1, utf-8 and a NUL") << QByteArray("caf\xe9\n\xc3\xa9t\xc3\xa9\nx\0y\n", 15) << 3;
        QTest::newRow("a line of a megabyte") << (QByteArray(1 << 20, 'x') + "\nend\n") << 2;
    }

    void readsLinesAsBytes()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, lineCount);
        SystemRoot root;
        root.write(QStringLiteral("/etc/file"), content);

        const auto lines = TextFile::readLines(QStringLiteral("/etc/file"));
        QVERIFY(lines);
        QCOMPARE(lines->size(), lineCount);
        QByteArray expected = content;
        if (!expected.isEmpty() && !expected.endsWith('\n')) {
            expected += '\n';
        }
        QCOMPARE(TextFile::toBytes(*lines), expected);
    }

    void refusesWhatIsNoFile()
    {
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc/hosts")));
        QVERIFY(!TextFile::readLines(QStringLiteral("/etc/hosts")));
        QVERIFY(!TextFile::readLines(QStringLiteral("/etc/missing")));
    }

    void simplifiesAsciiWhiteSpaceOnly_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("simplified");

        QTest::newRow("tabs and runs of blanks") << QStringLiteral("\t 10.0.0.1 \t\t box  box \r") << QStringLiteral("10.0.0.1 box box");
        QTest::newRow("blank line") << QStringLiteral(" \t ") << QString();
        QTest::newRow("no-break space is text") << QStringLiteral("a\u00a0b") << QStringLiteral("a\u00a0b");
        QTest::newRow("utf-8 bytes read as latin-1 are text") << QString::fromLatin1("# caf\xc3\xa9  x") << QString::fromLatin1("# caf\xc3\xa9 x");
    }

    void simplifiesAsciiWhiteSpaceOnly()
    {
        QFETCH(QString, line);
        QFETCH(QString, simplified);
        QCOMPARE(TextFile::simplified(line), simplified);
        QCOMPARE(TextFile::trimmed(line).isEmpty(), simplified.isEmpty());
    }

    void replacesWithBackupKeepingOwnerAndMode()
    {
        SystemRoot root;
        root.write(QStringLiteral("/etc/hosts"), "old\n");
        QVERIFY(::chmod(QFile::encodeName(root.path(QStringLiteral("/etc/hosts"))).constData(), 0644) == 0);
        const mode_t oldUmask = ::umask(077);

        QVERIFY(TextFile::replaceWithBackup(QStringLiteral("/etc/hosts"), {QStringLiteral("new")}));
        ::umask(oldUmask);

        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), QByteArray("new\n"));
        QCOMPARE(root.read(QStringLiteral("/etc/hosts.old")), QByteArray("old\n"));
        QVERIFY(!root.exists(QStringLiteral("/etc/hosts.new")));
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(root.path(QStringLiteral("/etc/hosts"))).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0644));
    }

    void failedReplaceLeavesTheFile()
    {
        SystemRoot root;
        root.write(QStringLiteral("/etc/hosts"), "old\n");
        root.write(QStringLiteral("/etc/hosts.old"), "older\n");
        QDir().mkpath(root.path(QStringLiteral("/etc/hosts.new")));

        QVERIFY(!TextFile::replaceWithBackup(QStringLiteral("/etc/hosts"), {QStringLiteral("new")}));
        QCOMPARE(root.read(QStringLiteral("/etc/hosts")), QByteArray("old\n"));
        QCOMPARE(root.read(QStringLiteral("/etc/hosts.old")), QByteArray("older\n"));
    }

    void followsSymbolicLinks()
    {
        SystemRoot root;
        root.write(QStringLiteral("/etc/hostname"), "box\n");
        root.write(QStringLiteral("/run/resolv.conf"), "old\n");
        QVERIFY(QFile::link(root.path(QStringLiteral("/run/resolv.conf")), root.path(QStringLiteral("/etc/resolv.conf"))));
        root.write(QStringLiteral("/run/hosts"), "old\n");
        QVERIFY(QFile::link(root.path(QStringLiteral("/run/hosts")), root.path(QStringLiteral("/etc/hosts"))));

        QVERIFY(TextFile::rewriteInPlace(QStringLiteral("/etc/resolv.conf"), {QStringLiteral("new")}));
        QVERIFY(TextFile::replaceWithBackup(QStringLiteral("/etc/hosts"), {QStringLiteral("new")}));

        QVERIFY(QFileInfo(root.path(QStringLiteral("/etc/resolv.conf"))).isSymLink());
        QVERIFY(QFileInfo(root.path(QStringLiteral("/etc/hosts"))).isSymLink());
        QCOMPARE(root.read(QStringLiteral("/run/resolv.conf")), QByteArray("new\n"));
        QCOMPARE(root.read(QStringLiteral("/run/hosts")), QByteArray("new\n"));
        QCOMPARE(root.read(QStringLiteral("/run/hosts.old")), QByteArray("old\n"));
    }
};

QTEST_GUILESS_MAIN(TextFileTest)

#include "textfiletest.moc"
