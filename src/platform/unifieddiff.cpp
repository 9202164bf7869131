// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "unifieddiff.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "quorlan_debug.h"

namespace
{
// From diffutils, which every Debian system has; a fixed path, whatever
// search path the module was started with.
const char *const DiffProgram = "/usr/bin/diff";

// Even hosts files of a few hundred thousand lines take diff well under a
// second; anything slower than this is a diff gone wrong.
const int DiffTimeLimitMs = 10000;

bool writeVersion(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}
}

std::optional<QString> UnifiedDiff::compare(const QByteArray &before, const QByteArray &after, const QString &label)
{
    const QTemporaryDir folder;
    const QString beforePath = folder.filePath(QStringLiteral("before"));
    const QString afterPath = folder.filePath(QStringLiteral("after"));
    if (!folder.isValid() || !writeVersion(beforePath, before) || !writeVersion(afterPath, after)) {
        qCWarning(QUORLAN) << "cannot keep two versions of" << label << "to compare them";
        return std::nullopt;
    }
    QProcess diff;
    diff.setProgram(QString::fromLatin1(DiffProgram));
    // As text: a stray NUL byte in a configuration file must not hide its changes.
    diff.setArguments(
        {QStringLiteral("-u"), QStringLiteral("--text"), QStringLiteral("--label"), label, QStringLiteral("--label"), label, beforePath, afterPath});
    diff.start(QIODevice::ReadOnly);
    if (!diff.waitForFinished(DiffTimeLimitMs)) {
        qCWarning(QUORLAN) << "cannot compare the versions of" << label << ":" << diff.errorString();
        diff.kill();
        diff.waitForFinished();
        return std::nullopt;
    }
    // 0: the same, 1: different, anything else: diff's own trouble.
    if (diff.exitStatus() != QProcess::NormalExit || diff.exitCode() > 1) {
        qCWarning(QUORLAN) << "diff could not compare the versions of" << label << ":" << diff.readAllStandardError();
        return std::nullopt;
    }
    return QString::fromUtf8(diff.readAllStandardOutput());
}
