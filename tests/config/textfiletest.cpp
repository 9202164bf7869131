// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "config/textfile.h"
#include "systemroot.h"

#include <sys/stat.h>
#include <unistd.h>

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsLinesAsBytes()
    {
        SystemRoot root;
        const QByteArray content = QByteArray("a\r\n\ncaf\xe9 \xc3\xa9t\xc3\xa9 x\0y\n", 19) + QByteArray(1 << 20, 'x') + "\nno line end";
        root.write(QStringLiteral("/etc/file"), content);
        const auto lines = TextFile::readLines(QStringLiteral("/etc/file"));
        QVERIFY(lines);
        QCOMPARE(lines->size(), 5);
        QCOMPARE(lines->at(3).size(), 1 << 20);
        QCOMPARE(TextFile::toBytes(*lines), content + '\n');

        root.write(QStringLiteral("/etc/empty"), "");
        QCOMPARE(TextFile::readLines(QStringLiteral("/etc/empty")), std::optional<QStringList>(QStringList()));
        QDir().mkpath(root.path(QStringLiteral("/etc/hosts")));
        QVERIFY(!TextFile::readLines(QStringLiteral("/etc/hosts")));
        QVERIFY(!TextFile::readLines(QStringLiteral("/etc/missing")));
    }

    void simplifiesAsciiWhiteSpaceOnly()
    {
        QCOMPARE(TextFile::simplified(QStringLiteral("\t 10.0.0.1 \t\t box  box \r")), QStringLiteral("10.0.0.1 box box"));
        QVERIFY(TextFile::trimmed(QStringLiteral(" \t\r")).isEmpty());
        // A no-break space, and UTF-8 bytes read as Latin-1 (0x85 of an "Å"), are text.
        const QString text = QString::fromLatin1("\xa0 caf\xc3\xa9 \xc3\x85\xa0");
        QCOMPARE(TextFile::simplified(QLatin1String(" ") + text + QLatin1String("  ")), text);
        QCOMPARE(TextFile::trimmed(text), text);
    }

    void writesThroughLinksKeepingOwnerAndMode()
    {
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        root.write(QStringLiteral("/run/hosts"), "old\n");
        root.write(QStringLiteral("/run/hosts.old"), "older\n");
        root.write(QStringLiteral("/run/resolv.conf"), "old\n");
        QVERIFY(QFile::link(root.path(QStringLiteral("/run/hosts")), root.path(QStringLiteral("/etc/hosts"))));
        QVERIFY(QFile::link(root.path(QStringLiteral("/run/resolv.conf")), root.path(QStringLiteral("/etc/resolv.conf"))));
        const QByteArray target = QFile::encodeName(root.path(QStringLiteral("/run/hosts")));
        const bool asRoot = ::geteuid() == 0; // only root can give the file away
        QVERIFY(::chmod(target.constData(), 0640) == 0 && (!asRoot || ::chown(target.constData(), 65534, 65534) == 0));

        const mode_t oldUmask = ::umask(077);
        QVERIFY(TextFile::replaceWithBackup(QStringLiteral("/etc/hosts"), {QStringLiteral("new")}));
        ::umask(oldUmask);
        QVERIFY(TextFile::rewriteInPlace(QStringLiteral("/etc/resolv.conf"), {QStringLiteral("new")}));

        QVERIFY(QFileInfo(root.path(QStringLiteral("/etc/hosts"))).isSymLink() && QFileInfo(root.path(QStringLiteral("/etc/resolv.conf"))).isSymLink());
        QCOMPARE(root.read(QStringLiteral("/run/hosts")) + root.read(QStringLiteral("/run/resolv.conf")), QByteArray("new\nnew\n"));
        QCOMPARE(root.read(QStringLiteral("/run/hosts.old")), QByteArray("old\n"));
        QVERIFY(!root.exists(QStringLiteral("/run/hosts.new")));
        struct stat info;
        QCOMPARE(::stat(target.constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QCOMPARE(info.st_uid, asRoot ? uid_t(65534) : ::geteuid());
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

        // A file that cannot be replaced is no success either.
        QDir().mkpath(root.path(QStringLiteral("/etc/folder/x")));
        QVERIFY(!TextFile::replaceWithBackup(QStringLiteral("/etc/folder"), {QStringLiteral("new")}));
        QVERIFY(!root.exists(QStringLiteral("/etc/folder.new")));
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "textfiletest.moc"
