// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The one safe-replace routine, in each way the writers call it, against a file
// system that fails under it: full, read-only, a ".new" name taken, a missing
// folder, a symbolic link, a bind-mounted file. The program runs itself inside
// the faulty tree to do the one write and prints "ok" and the modes of the file
// and its backup, or "failed".

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include "config/textfile.h"
#include "faultyroot.h"
#include "platform/systempaths.h"
#include "systemroot.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const QString target = QStringLiteral("/etc/file");
const QString linked = QStringLiteral("/srv/file");

struct Way {
    const char *name;
    bool writesNew; ///< goes through "<file>.new", and fails when that name is taken
    const char *backup; ///< the name after the file's own that keeps the previous file, if any
    bool followsLink; ///< writes the file a symbolic link points to, not the link
    const char *modes; ///< of the file and its backup after a save: the old file's 0640 carried, or the key file's 0600
};

// As the hosts and interfaces files, resolv.conf and hostname, and the wireless options file (own, or foreign) are written.
const Way ways[] = {
    {"with backup", true, ".old", true, "640 640"},
    {"in place", false, nullptr, true, "640 -"},
    {"key file", true, nullptr, true, "600 -"},
    {"foreign key file kept aside", true, ".orig", false, "600 600"},
};

// More than one page: a full file system cannot take it in the room the old content leaves.
const QByteArray content = QByteArray("nameserver 10.0.0.1\n").repeated(400);

QByteArray modeOf(const QString &systemPath)
{
    struct stat info;
    return ::stat(QFile::encodeName(SystemPaths::path(systemPath)).constData(), &info) == 0 ? QByteArray::number(info.st_mode & 0777, 8) : "-";
}

QByteArray writeOnce(const QString &way)
{
    ::umask(022);
    TextFile::Replacement how;
    how.backupSuffix = way == QLatin1String("with backup") ? QStringLiteral(".old") : QString();
    if (way.startsWith(QLatin1String("foreign"))) {
        how.backupSuffix = QStringLiteral(".orig");
        how.backupRequired = true;
        how.followLink = false;
    }
    if (way.contains(QLatin1String("key"))) {
        how.mode = 0600;
    }
    const bool ok =
        way == QLatin1String("in place") ? TextFile::rewriteInPlace(target, TextFile::splitLines(content, 0)) : TextFile::replace(target, content, how);
    const QString written = how.followLink ? TextFile::realPath(target).mid(SystemPaths::path(QString()).size()) : target;
    return !ok ? QByteArray("failed") : "ok " + modeOf(written) + ' ' + (how.backupSuffix.isEmpty() ? "-" : modeOf(written + how.backupSuffix));
}
}

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void simplifiesAsciiWhiteSpaceOnly()
    {
        QCOMPARE(TextFile::simplified(QStringLiteral("\t 10.0.0.1 \t\t box  box \r")), QStringLiteral("10.0.0.1 box box"));
        QCOMPARE(TextFile::trimmed(QStringLiteral(" \t\r")) + TextFile::trimmed(QString()), QString());
        // A no-break space, and UTF-8 bytes read as Latin-1 (0x85 of an "Å"), are text.
        const QString text = QString::fromLatin1("\xa0 caf\xc3\xa9 \xc3\x85\xa0");
        QCOMPARE(TextFile::simplified(QLatin1String(" ") + text + QLatin1String("  ")), text);
        QCOMPARE(TextFile::trimmed(QLatin1String("\t") + text + QLatin1String(" ")), text);
    }

    void leavesFilesAsTheyWere_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("succeeds");
        for (int way = 0; way < int(std::size(ways)); ++way) {
            const Way &w = ways[way];
            const auto row = [&](const char *fault, bool succeeds) {
                QTest::addRow("%s: %s", w.name, fault) << way << QString::fromLatin1(fault) << succeeds;
            };
            row("none", true);
            row("full file system", false);
            row("read-only file system", false);
            row(".new is a folder", !w.writesNew);
            row("missing folder", false);
            row("symbolic link", true);
            // As a container has its /etc/hosts, /etc/hostname and /etc/resolv.conf:
            // a file cannot be renamed over a mount point, only written into.
            row("bind-mounted file", !w.writesNew);
        }
    }

    void leavesFilesAsTheyWere()
    {
        QFETCH(int, way);
        QFETCH(QString, fault);
        QFETCH(bool, succeeds);
        if (!FaultyRoot::isAvailable()) {
            QSKIP("unshare --mount is not permitted here: the file system faults need a mount namespace of their own");
        }
        const Way &w = ways[way];
        SystemRoot stage;
        QDir().mkpath(stage.path(QStringLiteral("/etc")));
        const QString holder = fault == QLatin1String("symbolic link") || fault == QLatin1String("bind-mounted file") ? linked : target;
        stage.write(holder, "# before\n");
        stage.write(holder + QLatin1String(".old"), "# older\n");
        stage.write(holder + QLatin1String(".orig"), "# older\n");
        QVERIFY(QFile::setPermissions(stage.path(holder), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        if (fault == QLatin1String("missing folder")) {
            QDir(stage.path(QStringLiteral("/etc"))).removeRecursively();
        } else if (fault == QLatin1String("bind-mounted file")) {
            stage.write(target, "# before\n");
        } else if (fault == QLatin1String("symbolic link")) {
            QVERIFY(QFile::link(QStringLiteral("../srv/file"), stage.path(target)));
        } else if (fault == QLatin1String(".new is a folder")) {
            stage.write(target + QLatin1String(".new/keep"), "kept\n");
        }

        const QString prepare = fault == QLatin1String("full file system") ? FaultyRoot::FillUp
            : fault == QLatin1String("read-only file system")              ? FaultyRoot::MakeReadOnly
            : fault == QLatin1String("bind-mounted file")                  ? QStringLiteral("mount --bind \"$ROOT%1\" \"$ROOT%2\"").arg(linked, target)
                                                                           : QStringLiteral("true");
        QMap<QString, QByteArray> tree;
        const QByteArray printed = FaultyRoot::run(stage.path(QString()), prepare, QString::number(way), &tree);
        QCOMPARE(printed.left(2), QByteArray(succeeds ? "ok" : "fa"));
        if (fault == QLatin1String("none")) {
            QCOMPARE(printed, "ok " + QByteArray(w.modes) + '\n');
        }

        QMap<QString, QByteArray> expected = FaultyRoot::snapshot(stage.path(QString()));
        if (succeeds) {
            const QString written = fault == QLatin1String("symbolic link") && w.followsLink ? linked : target;
            if (w.backup) {
                expected[written + QLatin1String(w.backup)] = expected.value(written);
            }
            expected[written] = content;
            if (fault == QLatin1String("bind-mounted file")) {
                expected[linked] = content;
            }
        }
        QCOMPARE(tree, expected);
    }
};

int main(int argc, char *argv[])
{
    if (!FaultyRoot::task().isEmpty()) {
        std::puts(writeOnce(QLatin1String(ways[FaultyRoot::task().toInt()].name)).constData());
        return 0;
    }
    QCoreApplication app(argc, argv);
    TextFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "textfiletest.moc"
