// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "textfile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/systempaths.h"
#include "quorlan_debug.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
bool isAsciiSpace(QChar c)
{
    const ushort u = c.unicode();
    return u == ' ' || u == '\t' || u == '\n' || u == '\r' || u == '\f' || u == '\v';
}

QByteArray encodedPath(const QString &realPath)
{
    return QFile::encodeName(realPath);
}

// Where a replacement really has to go: the target of a symbolic link, so that
// the link itself survives.
QString resolvedRealPath(const QString &systemPath)
{
    const QString realPath = SystemPaths::path(systemPath);
    const QFileInfo info(realPath);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        return target.isEmpty() ? info.symLinkTarget() : target;
    }
    return realPath;
}

bool writeAll(int fd, const QByteArray &data)
{
    const char *cursor = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, cursor, size_t(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        cursor += written;
        left -= written;
    }
    return true;
}
}

std::optional<QStringList> TextFile::readLines(const QString &systemPath)
{
    QFile file(SystemPaths::path(systemPath));
    if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    QStringList lines;
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        if (end < 0) {
            end = data.size();
        }
        lines << QString::fromLatin1(data.constData() + start, int(end - start));
        start = end + 1;
    }
    return lines;
}

std::optional<QStringList> TextFile::readSimplifiedLines(const QString &systemPath)
{
    std::optional<QStringList> lines = readLines(systemPath);
    if (lines) {
        for (QString &line : *lines) {
            line = simplified(line);
        }
    }
    return lines;
}

QString TextFile::simplified(const QString &line)
{
    QString result;
    result.reserve(line.size());
    bool pendingBlank = false;
    for (const QChar c : line) {
        if (isAsciiSpace(c)) {
            pendingBlank = !result.isEmpty();
            continue;
        }
        if (pendingBlank) {
            result += QLatin1Char(' ');
            pendingBlank = false;
        }
        result += c;
    }
    return result;
}

QString TextFile::trimmed(const QString &line)
{
    int begin = 0;
    int end = line.size();
    while (begin < end && isAsciiSpace(line.at(begin))) {
        ++begin;
    }
    while (end > begin && isAsciiSpace(line.at(end - 1))) {
        --end;
    }
    return line.mid(begin, end - begin);
}

bool TextFile::exists(const QString &systemPath)
{
    return QFileInfo::exists(SystemPaths::path(systemPath));
}

QByteArray TextFile::toBytes(const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toLatin1();
        data += '\n';
    }
    return data;
}

bool TextFile::rewriteInPlace(const QString &systemPath, const QStringList &lines)
{
    return writeFile(resolvedRealPath(systemPath), toBytes(lines), 0644);
}

bool TextFile::writeFile(const QString &realPath, const QByteArray &data, mode_t modeIfNew, bool truncateExisting)
{
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (truncateExisting ? O_TRUNC : O_EXCL);
    const int fd = ::open(encodedPath(realPath).constData(), flags, modeIfNew);
    if (fd < 0) {
        const int error = errno;
        qCWarning(QUORLAN) << "cannot open" << realPath << "for writing:" << strerror(error);
        return false;
    }
    const bool written = writeAll(fd, data) && ::fsync(fd) == 0;
    if (!written) {
        const int error = errno;
        qCWarning(QUORLAN) << "cannot write" << realPath << ":" << strerror(error);
    }
    return (::close(fd) == 0) && written;
}

bool TextFile::replaceWithBackup(const QString &systemPath, const QStringList &lines)
{
    const QString target = resolvedRealPath(systemPath);
    const QByteArray targetName = encodedPath(target);
    const QByteArray newName = encodedPath(target + QLatin1String(".new"));
    const QByteArray oldName = encodedPath(target + QLatin1String(".old"));

    ::unlink(newName.constData());

    struct stat old;
    const bool hadOld = ::stat(targetName.constData(), &old) == 0;
    const mode_t mode = hadOld ? (old.st_mode & 07777) : 0644;
    if (!writeFile(target + QLatin1String(".new"), toBytes(lines), mode, false)) {
        ::unlink(newName.constData());
        return false;
    }
    // open() applies the umask; the system's files must keep their own mode
    // (a hosts file that only root can read breaks every other user's lookups).
    if (::chmod(newName.constData(), mode) != 0 || (hadOld && ::chown(newName.constData(), old.st_uid, old.st_gid) != 0)) {
        qCWarning(QUORLAN) << "cannot give" << target << "its owner and mode back:" << strerror(errno);
        ::unlink(newName.constData());
        return false;
    }
    // Only now is the backup rotated: a save that failed above leaves the previous
    // backup as it was. It is best effort: a file system without hard links still
    // gets its new file.
    ::unlink(oldName.constData());
    ::link(targetName.constData(), oldName.constData());
    // A file that cannot be replaced (a directory, a bind mount: EBUSY) is no save.
    if (::rename(newName.constData(), targetName.constData()) != 0) {
        qCWarning(QUORLAN) << "cannot move the new" << target << "into place:" << strerror(errno);
        ::unlink(newName.constData());
        return false;
    }
    return true;
}
