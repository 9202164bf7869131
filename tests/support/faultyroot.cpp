// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "faultyroot.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

namespace
{
// Root may unshare outright; anyone else only behind a user namespace.
QStringList unshareOptions()
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
}

bool FaultyRoot::isAvailable()
{
    return !unshareOptions().isEmpty();
}

QString FaultyRoot::task()
{
    return qEnvironmentVariable("QUORLAN_FAULT_TASK");
}

QByteArray FaultyRoot::run(const QString &stage, const QString &prepare, const QString &task, QMap<QString, QByteArray> *tree)
{
    QTemporaryDir root;
    QTemporaryDir out;
    // The filler goes before the tree is copied out: what is left is what the code left.
    const QString script =
        QStringLiteral(
            "set -e; mount -t tmpfs -o size=64k quorlan-faults \"$1\"; cp -a \"$2/.\" \"$1/\"; %1\n"
            "QUORLAN_ROOT=\"$1\" QUORLAN_FAULT_TASK=\"$4\" \"$5\" > \"$3/printed\"; [ ! -f \"$1/filler\" ] || rm \"$1/filler\"; cp -a \"$1\" \"$3/tree\"")
            .arg(QString(prepare).replace(QLatin1String("$ROOT"), QLatin1String("$1")));
    QProcess shell;
    shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    shell.start(QStringLiteral("unshare"),
                unshareOptions()
                    + QStringList{QStringLiteral("sh"),
                                  QStringLiteral("-c"),
                                  script,
                                  QStringLiteral("sh"),
                                  root.path(),
                                  stage,
                                  out.path(),
                                  task,
                                  QCoreApplication::applicationFilePath()});
    QFile printed(out.path() + QLatin1String("/printed"));
    if (!shell.waitForFinished(60000) || shell.exitCode() != 0 || !printed.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    *tree = snapshot(out.path() + QLatin1String("/tree"));
    return printed.readAll();
}

QMap<QString, QByteArray> FaultyRoot::snapshot(const QString &top)
{
    QMap<QString, QByteArray> entries;
    for (QDirIterator it(top, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        QByteArray &entry = entries[it.filePath().mid(top.size())];
        if (it.fileInfo().isSymLink()) {
            entry = "link to " + QFile::encodeName(QFileInfo(it.fileInfo().symLinkTarget()).fileName());
        } else {
            entry = it.fileInfo().isDir() ? QByteArray("folder") : file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
        }
    }
    return entries;
}
