// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "faultyroot.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace
{
const QStringList Private{QStringLiteral("--propagation"), QStringLiteral("private")};

// Root may unshare outright; anyone else only behind a user namespace.
QStringList unshareOptions()
{
    static const QStringList options = [] {
        for (const QStringList &candidate :
             {QStringList{QStringLiteral("--mount")}, QStringList{QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount")}}) {
            if (QProcess::execute(QStringLiteral("unshare"), candidate + Private + QStringList{QStringLiteral("true")}) == 0) {
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
    QTemporaryDir mountPoint;
    QTemporaryDir out;
    // The filler goes before the tree is copied out: what is left is what the code left.
    const QString script = QStringLiteral(
                               "set -e\n"
                               "mount -t tmpfs -o size=64k quorlan-faults \"$ROOT\"\n"
                               "cp -a \"$STAGE/.\" \"$ROOT/\"\n"
                               "%1\n"
                               "QUORLAN_ROOT=\"$ROOT\" QUORLAN_FAULT_TASK=\"$TASK\" \"$SELF\" > \"$OUT/printed\"\n"
                               "if [ -f \"$ROOT/filler\" ]; then rm \"$ROOT/filler\"; fi\n"
                               "mkdir \"$OUT/tree\" && cp -a \"$ROOT/.\" \"$OUT/tree/\"\n")
                               .arg(prepare);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ROOT"), mountPoint.path());
    environment.insert(QStringLiteral("STAGE"), stage);
    environment.insert(QStringLiteral("OUT"), out.path());
    environment.insert(QStringLiteral("TASK"), task);
    environment.insert(QStringLiteral("SELF"), QCoreApplication::applicationFilePath());
    QProcess shell;
    shell.setProcessEnvironment(environment);
    shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    shell.start(QStringLiteral("unshare"), unshareOptions() + Private + QStringList{QStringLiteral("sh"), QStringLiteral("-c"), script});
    if (!shell.waitForFinished(60000) || shell.exitCode() != 0) {
        return QByteArray();
    }
    QFile printed(out.path() + QLatin1String("/printed"));
    if (!printed.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    *tree = snapshot(out.path() + QLatin1String("/tree"));
    return printed.readAll();
}

QMap<QString, QByteArray> FaultyRoot::snapshot(const QString &top)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(top, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        QByteArray &entry = entries[path.mid(top.size())];
        if (info.isSymLink()) {
            entry = "link to " + QFile::encodeName(QFileInfo(info.symLinkTarget()).fileName());
        } else if (info.isDir()) {
            entry = "folder";
        } else {
            QFile file(path);
            entry = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
        }
    }
    return entries;
}
