// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <unistd.h>

/**
 * Runs one test function of the running test binary again in a child process,
 * optionally as the unprivileged user nobody, so that a suite that runs as
 * root can also see what an ordinary user sees (file permissions, the
 * read-only mode). The child inherits the environment, QUORLAN_ROOT included.
 */
namespace UnprivilegedRun
{
inline const char *childVariable()
{
    return "QUORLAN_TEST_CHILD";
}

/// True inside a child started by runTestFunction().
inline bool isChild()
{
    return qEnvironmentVariableIsSet(childVariable());
}

inline bool isRoot()
{
    return getuid() == 0;
}

/// Makes a test's tree reachable for nobody: directories 0755, files 0644.
inline void openTree(const QString &dir)
{
    const auto dirMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir, dirMode);
    QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        // The stand-ins for programs keep their execute bits.
        const bool runnable = it.fileInfo().isDir() || it.fileInfo().isExecutable();
        QFile::setPermissions(path, runnable ? dirMode : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}

/// Runs testFunction of this binary (as nobody when asNobody, which needs root);
/// its exit code, or -1 when it could not start or did not end within a minute.
inline int runTestFunction(const QString &testFunction, bool asNobody)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(childVariable()), QStringLiteral("1"));
    // nobody cannot write root's home; nothing should be written there anyway.
    environment.insert(QStringLiteral("HOME"), QDir::tempPath());
    QString program = QCoreApplication::applicationFilePath();
    QStringList arguments{testFunction};
    if (asNobody) {
        arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups"), program} + arguments;
        program = QStringLiteral("setpriv");
    }
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(program, arguments);
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}
}
