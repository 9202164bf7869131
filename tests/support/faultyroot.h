// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>
#include <QDirIterator>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

/// A system tree on a small tmpfs, in a mount namespace of its own, that fails under the code: the test program runs
/// itself there once more, with QUORLAN_ROOT at the tmpfs and the task in QUORLAN_FAULT_TASK, and what it prints is the outcome.
namespace FaultyRoot
{
/// How to prepare the mounted tree (shell lines; $ROOT is the mount point).
inline const QString FillUp = QStringLiteral("cat /dev/zero > \"$ROOT/filler\" 2>/dev/null || true");
inline const QString MakeReadOnly = QStringLiteral("mount -o remount,ro \"$ROOT\"");

/// How to unshare the mount namespace: root may outright, anyone else behind a user namespace; none when neither works.
inline QStringList unshareOptions()
{
    static const QStringList options = [] {
        for (const QString &user : {QString(), QStringLiteral("--user --map-root-user")}) {
            const QStringList candidate = QString(user + QLatin1String(" --mount --propagation private")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (QProcess::execute(QStringLiteral("unshare"), candidate + QStringList{QStringLiteral("true")}) == 0) {
                return candidate;
            }
        }
        return QStringList();
    }();
    return options;
}

/// The task of this run inside the tree; empty in the test itself.
inline QString task()
{
    return qEnvironmentVariable("QUORLAN_FAULT_TASK");
}

/// Every file, folder and link under a tree, by path: content, "folder" or "link to ...".
inline QMap<QString, QByteArray> snapshot(const QString &top)
{
    QMap<QString, QByteArray> entries;
    for (QDirIterator it(top, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        const QFileInfo info = it.fileInfo();
        entries[it.filePath().mid(top.size())] = info.isSymLink() ? "link to " + QFile::encodeName(QFileInfo(info.symLinkTarget()).fileName())
            : info.isDir()                                        ? QByteArray("folder")
            : file.open(QIODevice::ReadOnly)                      ? file.readAll()
                                                                  : QByteArray("unreadable");
    }
    return entries;
}

/// Copies `stage` onto a fresh tmpfs, runs `prepare`, then this program for `task`;
/// what it printed (null when the namespace failed), and in `tree` the tmpfs afterwards.
inline QByteArray run(const QString &stage, const QString &prepare, const QString &task, QMap<QString, QByteArray> *tree)
{
    QTemporaryDir root, out;
    // The filler goes before the tree is copied out: what is left is what the code left.
    const QString script =
        QStringLiteral(
            "set -e; ROOT=\"$1\"; mount -t tmpfs -o size=256k quorlan-faults \"$1\"; cp -a \"$2/.\" \"$1/\"; %1\n"
            "QUORLAN_ROOT=\"$1\" QUORLAN_FAULT_TASK=\"$4\" \"$5\" > \"$3/printed\"; [ ! -f \"$1/filler\" ] || rm \"$1/filler\"; cp -a \"$1\" \"$3/tree\"")
            .arg(prepare);
    QProcess shell;
    shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QStringList sh{QStringLiteral("sh"), QStringLiteral("-c"), script, QStringLiteral("sh")};
    shell.start(QStringLiteral("unshare"), unshareOptions() + sh + QStringList{root.path(), stage, out.path(), task, QCoreApplication::applicationFilePath()});
    QFile printed(out.path() + QLatin1String("/printed"));
    if (!shell.waitForFinished(60000) || shell.exitCode() != 0 || !printed.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    *tree = snapshot(out.path() + QLatin1String("/tree"));
    return printed.readAll();
}
}
