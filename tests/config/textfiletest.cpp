// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The one safe-replace routine, in each way the writers call it, against a file
// system that fails under it. The program runs itself inside the faulty tree to
// do the one write and prints "ok" and the modes of the file and its backup, or "failed".
// And the join of lines into the bytes that the writers write.

#include <QDir>
#include <QTest>

#include "addrow.h"
#include "config/textfile.h"
#include "faultyroot.h"
#include "platform/systempaths.h"
#include "systemroot.h"

#include <cstdio>
#include <sys/stat.h>

namespace
{
const QString target = QStringLiteral("/etc/file"), linked = QStringLiteral("/srv/file");

// The hosts and interfaces files keep a backup (the replacement as it comes, which
// their writers ask for), resolv.conf and hostname are written into, the own wireless
// options file is for its owner only, and a foreign one is kept aside, a link to it
// replaced, not followed. Modes after a save: the old 0640 carried.
const struct Way {
    const char *name;
    bool inPlace;
    TextFile::Replacement how;
    const char *modes;
    bool followsLink;
    bool savesWithoutBackup;
} ways[] = {
    {"with backup", false, TextFile::Replacement(), "640 640", true, true},
    {"in place", true, {QString(), false, std::nullopt, true}, "640 -", true, true},
    {"key file", false, {QString(), false, 0600, true}, "600 -", true, true},
    {"foreign key file kept aside", false, {QStringLiteral(".orig"), true, 0600, false}, "600 600", false, false},
};

// More than one page: a full file system cannot take it in the room the old content
// leaves; and more than the 64 KB that the in-place writer sends at a time.
const QByteArray content = QByteArray("nameserver 10.0.0.1\n").repeated(4000);

QByteArray modeOf(const QString &systemPath)
{
    struct stat info;
    return ::stat(QFile::encodeName(SystemPaths::path(systemPath)).constData(), &info) == 0 ? QByteArray::number(info.st_mode & 0777, 8) : "-";
}

QByteArray writeOnce(const Way &w)
{
    ::umask(022);
    if (!(w.inPlace ? TextFile::rewriteInPlace(target, TextFile::splitLines(content, 0)) : TextFile::replace(target, content, w.how))) {
        return "failed";
    }
    const QString written = w.how.followLink ? TextFile::realPath(target).mid(SystemPaths::path(QString()).size()) : target;
    return "ok " + modeOf(written) + ' ' + (w.how.backupSuffix.isEmpty() ? QByteArray("-") : modeOf(written + w.how.backupSuffix));
}
}

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every line and its line end, in order, however the lines fall on the blocks a
    // long file is joined in; a typed character that is no byte becomes '?'.
    void joinsLines_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("length"); // of each line, without its line end

        addRow("a short file", 3, 10);
        addRow("lines that end where a block does", 2048, 31);
        addRow("blocks and the part of one", 5000, 40);
        addRow("lines longer than a block", 3, 70000);
    }

    void joinsLines()
    {
        QFETCH(int, count);
        QFETCH(int, length);
        QStringList lines;
        QByteArray expected;
        for (int i = 0; i < count; ++i) {
            const QByteArray line = QByteArray::number(i).leftJustified(length, '.');
            lines << QString::fromLatin1(line);
            expected += line + '\n';
        }
        lines.last()[0] = QChar(0x20AC);
        expected[expected.size() - length - 1] = '?';
        QCOMPARE(TextFile::toBytes(lines), expected);
    }

    void leavesFilesAsTheyWere_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("succeeds");
        for (int way = 0; way < int(std::size(ways)); ++way) {
            // As a container has its /etc/hosts, /etc/hostname and /etc/resolv.conf: a
            // file cannot be renamed over a mount point, only written into.
            // An ordinary backup is best effort, as on a file system without hard links.
            for (const char *fault : {"none", "full file system", "read-only file system", "symbolic link", "bind-mounted file", "backup cannot be linked"}) {
                const bool mounted = qstrcmp(fault, "bind-mounted file") == 0, fileSystem = QByteArray(fault).endsWith("file system");
                const bool unlinkable = qstrcmp(fault, "backup cannot be linked") == 0;
                QTest::addRow("%s: %s", ways[way].name, fault)
                    << way << QString::fromLatin1(fault) << (!fileSystem && (!mounted || ways[way].inPlace) && (!unlinkable || ways[way].savesWithoutBackup));
            }
        }
    }

    void leavesFilesAsTheyWere()
    {
        QFETCH(int, way);
        QFETCH(QString, fault);
        QFETCH(bool, succeeds);
        if (FaultyRoot::unshareOptions().isEmpty()) {
            QSKIP("unshare --mount is not permitted here: the file system faults need a mount namespace of their own");
        }
        const Way &w = ways[way];
        const bool linkedFault = fault == QLatin1String("symbolic link"), bindFault = fault == QLatin1String("bind-mounted file");
        const bool unlinkableFault = fault == QLatin1String("backup cannot be linked");
        SystemRoot stage;
        const QString holder = linkedFault || bindFault ? linked : target;
        QDir().mkpath(stage.path(QStringLiteral("/etc")));
        for (const char *suffix : {".old", ".orig", ""}) {
            stage.write(holder + QLatin1String(suffix), suffix[0] ? "# older\n" : "# before\n");
        }
        QVERIFY(QFile::setPermissions(stage.path(holder), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        if (bindFault) {
            stage.write(target, "# before\n");
        } else if (unlinkableFault && !w.how.backupSuffix.isEmpty()) {
            // A folder where the backup's link is made first.
            QVERIFY(QDir().mkpath(stage.path(target + w.how.backupSuffix + QLatin1String(".tmp"))));
        } else if (linkedFault) {
            QVERIFY(QFile::link(QStringLiteral("../srv/file"), stage.path(target)));
        }
        const QString prepare = fault == QLatin1String("full file system") ? FaultyRoot::FillUp
            : fault == QLatin1String("read-only file system")              ? FaultyRoot::MakeReadOnly
            : bindFault                                                    ? QStringLiteral("mount --bind \"$ROOT%1\" \"$ROOT%2\"").arg(linked, target)
                                                                           : QStringLiteral("true");
        QMap<QString, QByteArray> tree;
        const QByteArray printed = FaultyRoot::run(stage.path(QString()), prepare, QString::number(way), &tree);
        QCOMPARE(printed.left(2), QByteArray(succeeds ? "ok" : "fa"));
        if (fault == QLatin1String("none")) {
            QCOMPARE(printed, "ok " + QByteArray(w.modes) + '\n');
        }

        QMap<QString, QByteArray> expected = FaultyRoot::snapshot(stage.path(QString()));
        const QString written = linkedFault && w.followsLink ? linked : target;
        // Without a backup of the file it replaced, a save leaves no older one that would pass for it.
        if (succeeds && !w.how.backupSuffix.isEmpty()) {
            if (unlinkableFault) {
                expected.remove(written + w.how.backupSuffix);
            } else {
                expected[written + w.how.backupSuffix] = expected.value(written);
            }
        }
        if (succeeds) {
            expected[written] = expected[bindFault ? linked : written] = content;
        }
        QCOMPARE(tree, expected);
    }
};

int main(int argc, char *argv[])
{
    if (!FaultyRoot::task().isEmpty()) {
        std::puts(writeOnce(ways[FaultyRoot::task().toInt()]).constData());
        return 0;
    }
    QCoreApplication app(argc, argv);
    TextFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "textfiletest.moc"
