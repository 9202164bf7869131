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

// As the hosts and interfaces files, resolv.conf and hostname, and the wireless
// options file (own, or foreign) are written: whether through "<file>.new", the
// backup's name, whether a symbolic link is followed (a foreign file's backup is
// required), the key file's mode 0600, and the modes of file and backup after a
// save (the old file's 0640 carried, or the key file's 0600).
const struct Way {
    const char *name;
    bool writesNew;
    const char *backup;
    bool followsLink;
    bool keyFile;
    const char *modes;
} ways[] = {
    {"with backup", true, ".old", true, false, "640 640"},
    {"in place", false, nullptr, true, false, "640 -"},
    {"key file", true, nullptr, true, true, "600 -"},
    {"foreign key file kept aside", true, ".orig", false, true, "600 600"},
};

// More than one page: a full file system cannot take it in the room the old content leaves.
const QByteArray content = QByteArray("nameserver 10.0.0.1\n").repeated(400);

QByteArray modeOf(const QString &systemPath)
{
    struct stat info;
    return ::stat(QFile::encodeName(SystemPaths::path(systemPath)).constData(), &info) == 0 ? QByteArray::number(info.st_mode & 0777, 8) : "-";
}

QByteArray writeOnce(const Way &w)
{
    ::umask(022);
    TextFile::Replacement how;
    how.backupSuffix = QLatin1String(w.backup);
    how.backupRequired = !w.followsLink;
    how.followLink = w.followsLink;
    how.mode = w.keyFile ? std::optional<mode_t>(0600) : std::nullopt;
    const bool ok = w.writesNew ? TextFile::replace(target, content, how) : TextFile::rewriteInPlace(target, TextFile::splitLines(content, 0));
    const QString written = w.followsLink ? TextFile::realPath(target).mid(SystemPaths::path(QString()).size()) : target;
    return !ok ? QByteArray("failed") : "ok " + modeOf(written) + ' ' + (w.backup ? modeOf(written + QLatin1String(w.backup)) : "-");
}
}

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        std::puts(writeOnce(ways[FaultyRoot::task().toInt()]).constData());
        return 0;
    }
    QCoreApplication app(argc, argv);
    TextFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "textfiletest.moc"
