// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The one safe-replace routine, with each kind of replacement, against a file
// system that fails under it. The program runs itself inside the faulty tree to
// do the one write and prints "ok" and the modes of the file and its backup, or "failed".

#include <QDir>
#include <QTest>

#include "addrow.h"
#include "config/textfile.h"
#include "faultyroot.h"
#include "platform/systempaths.h"
#include "systemroot.h"

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>

namespace
{
const QString target = QStringLiteral("/etc/file"), linked = QStringLiteral("/srv/file");

// The kinds of replacement, each row below naming one. Modes after a save: the old 0640 carried.
const struct Way {
    bool inPlace;
    TextFile::Replacement how;
} ways[] = {
    {false, TextFile::Replacement()}, // a backup as ".old", best effort
    {true, {QString(), false, std::nullopt, true}}, // written into
    {false, {QString(), false, 0600, true}}, // for its owner only, no backup
    {false, {QStringLiteral(".orig"), true, 0600, false}}, // the old file kept aside or no save; a link replaced, not followed
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
    // An empty first line is a line; only ASCII white space is white space; a typed character that is no byte becomes '?'.
    void convertsLines()
    {
        QCOMPARE(TextFile::splitLines("\na\n", 0), (QStringList{QString(), QStringLiteral("a")}));
        QCOMPARE(TextFile::simplified(QStringLiteral("\t a \t\v b  \r")), QStringLiteral("a b"));
        QCOMPARE(TextFile::trimmed(QStringLiteral("\t a \t\v b  \r")), QStringLiteral("a \t\v b"));
        QCOMPARE(TextFile::simplified(QStringLiteral(" \u00a0a\u00a0 ")), QStringLiteral("\u00a0a\u00a0"));
        QCOMPARE(TextFile::toBytes({QStringLiteral("5 \u20ac"), QString::fromLatin1("\xe9")}), QByteArray("5 ?\n\xe9\n"));
    }

    // Links are followed inside the system root, wherever their targets point.
    void followsLinksInsideTheRoot_data()
    {
        QTest::addColumn<QStringList>("links"); // "from", "to" pairs
        QTest::addColumn<QString>("target");
        const QString resolver = QStringLiteral("/etc/resolv.conf");
        addRow("a link to a link",
               QStringList{resolver, QStringLiteral("resolv.conf.a"), QStringLiteral("/etc/resolv.conf.a"), QStringLiteral("/run/b")},
               "/run/b");
        addRow("a loop ends", QStringList{resolver, QStringLiteral("resolv.conf")}, "/etc/resolv.conf");
    }

    void followsLinksInsideTheRoot()
    {
        QFETCH(QStringList, links);
        QFETCH(QString, target);
        SystemRoot root;
        QDir().mkpath(root.path(QStringLiteral("/etc")));
        for (int i = 0; i + 1 < links.size(); i += 2) {
            QVERIFY(QFile::link(links.at(i + 1), root.path(links.at(i))));
        }
        QCOMPARE(TextFile::linkTarget(QStringLiteral("/etc/resolv.conf")), target);
        QCOMPARE(TextFile::realPath(QStringLiteral("/etc/resolv.conf")), root.path(target));
    }

    // A write cut short (here by the largest file size allowed) leaves the old content.
    void keepsTheOldContentWhenAWriteInPlaceFails()
    {
        SystemRoot root;
        root.write(target, "# before\n");
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit;
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlim_t allowed = limit.rlim_cur;
        limit.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        const bool written = TextFile::rewriteInPlace(target, TextFile::splitLines(content, 0));
        limit.rlim_cur = allowed;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limit), 0);
        QVERIFY(!written);
        QCOMPARE(root.read(target), QByteArray("# before\n"));
        QCOMPARE(QDir(root.path(QStringLiteral("/etc"))).entryList(QDir::Files), QStringList{QStringLiteral("file")});
    }

    // As a container has its /etc/hosts, /etc/hostname and /etc/resolv.conf: a file
    // cannot be renamed over a mount point, only written into. An ordinary backup is
    // best effort, as on a file system without hard links.
    void leavesFilesAsTheyWere_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("printed");
        const QByteArray failed = "failed\n";
        const char *faults[] = {"none", "full file system", "read-only file system", "symbolic link", "bind-mounted file", "backup cannot be linked"};
        const char *outcomes[][6] = {
            {"ok 640 640\n", "failed\n", "failed\n", "ok 640 640\n", "failed\n", "ok 640 -\n"},
            {"ok 640 -\n", "failed\n", "failed\n", "ok 640 -\n", "ok 640 -\n", "ok 640 -\n"},
            {"ok 600 -\n", "failed\n", "failed\n", "ok 600 -\n", "failed\n", "ok 600 -\n"},
            {"ok 600 600\n", "failed\n", "failed\n", "ok 600 640\n", "failed\n", "failed\n"},
        };
        const char *names[] = {"backup", "in place", "owner only", "kept aside"};
        for (int way = 0; way < int(std::size(ways)); ++way) {
            for (int fault = 0; fault < int(std::size(faults)); ++fault) {
                QTest::addRow("%s: %s", names[way], faults[fault]) << way << QString::fromLatin1(faults[fault]) << QByteArray(outcomes[way][fault]);
            }
        }
    }

    void leavesFilesAsTheyWere()
    {
        QFETCH(int, way);
        QFETCH(QString, fault);
        QFETCH(QByteArray, printed);
        const bool succeeds = printed.startsWith("ok");
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
        QCOMPARE(FaultyRoot::run(stage.path(QString()), prepare, QString::number(way), &tree), printed);

        QMap<QString, QByteArray> expected = FaultyRoot::snapshot(stage.path(QString()));
        const QString written = linkedFault && w.how.followLink ? linked : target;
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
