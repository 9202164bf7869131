// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>
#include <QDirIterator>
#include <QProcess>

#include <unistd.h>

/// Runs one test function of this test binary again in a child process, as the
/// user nobody when asked, so that a suite run as root also sees what an ordinary
/// user sees. The child inherits the environment, QUORLAN_ROOT included.
namespace UnprivilegedRun
{
inline bool isChild()
{
    return qEnvironmentVariableIsSet("QUORLAN_TEST_CHILD");
}

inline bool isRoot()
{
    return getuid() == 0;
}

/// Makes a test's tree reachable for nobody: folders and programs 0755, other files 0644.
inline void openTree(const QString &dir)
{
    const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(dir, readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    for (QDirIterator it(dir, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const bool runnable = QFileInfo(it.next()).isDir() || it.fileInfo().isExecutable();
        QFile::setPermissions(it.filePath(), runnable ? readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther : readable);
    }
}

/// The exit code of testFunction run in a child (as nobody when asNobody, which needs
/// root); -1 when it could not start or did not end within a minute.
inline int runTestFunction(const QString &testFunction, bool asNobody)
{
    QStringList arguments{QCoreApplication::applicationFilePath(), testFunction};
    if (asNobody) {
        arguments = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"), QStringLiteral("--clear-groups")} + arguments;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUORLAN_TEST_CHILD"), QStringLiteral("1"));
    // nobody cannot write root's home; nothing should be written there anyway.
    environment.insert(QStringLiteral("HOME"), QDir::tempPath());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(asNobody ? QStringLiteral("setpriv") : arguments.takeFirst(), arguments);
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}
}
