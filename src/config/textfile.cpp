// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/systempaths.h"
#include "quorlan_debug.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// As the kernel: a longer chain of links is a loop.
const int MaxLinks = 40;

bool isAsciiSpace(QChar c)
{
    return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r'));
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

QByteArray readAll(int fd)
{
    QFile file;
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle) ? file.readAll() : QByteArray();
}

// Claims the blocks of the new content before the old content is touched, so
// that a full file system refuses the save instead of cutting the file short.
bool reserve(int fd, qsizetype size)
{
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(size)) == 0) {
        return true;
    }
    // A file system that cannot reserve says so only when it is written.
    return errno == EOPNOTSUPP || errno == ENOSYS;
}

// The open file's content becomes data, synced.
bool putContent(int fd, const QByteArray &data)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, data) && ::ftruncate(fd, off_t(data.size())) == 0 && ::fsync(fd) == 0;
}

// Writes data as the file's content: into the existing file when truncateExisting
// (created if missing), otherwise into a file that must not exist yet.
bool writeContent(const QString &realPath, const QByteArray &data, mode_t modeIfNew, bool truncateExisting)
{
    const QByteArray name = QFile::encodeName(realPath);
    bool created = !truncateExisting;
    int fd = created ? ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, modeIfNew) : ::open(name.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT && !created) {
        created = true;
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, modeIfNew);
    }
    if (fd < 0) {
        qCWarning(QUORLAN) << "cannot open" << realPath << "for writing:" << strerror(errno);
        return false;
    }
    // A file rewritten in place keeps its old content until the new one is
    // sure to fit, and gets it back when a write fails all the same.
    const QByteArray before = created ? QByteArray() : readAll(fd);
    bool written = reserve(fd, data.size()) && putContent(fd, data);
    if (!written) {
        qCWarning(QUORLAN) << "cannot write" << realPath << ":" << strerror(errno);
        if (!created) {
            putContent(fd, before);
        }
    }
    written = (::close(fd) == 0) && written;
    if (!written && created) {
        ::unlink(name.constData());
    }
    return written;
}

// A foreign file may hold keys too: its backup is for its owner's eyes only.
void restrictToOwner(const QByteArray &name)
{
    struct stat info;
    if (::lstat(name.constData(), &info) == 0 && S_ISREG(info.st_mode)) {
        ::chmod(name.constData(), info.st_mode & S_IRWXU);
    }
}
}

std::optional<QByteArray> TextFile::readBytes(const QString &systemPath)
{
    QFile file(realPath(systemPath));
    if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return data;
}

std::optional<QStringList> TextFile::readLines(const QString &systemPath)
{
    const std::optional<QByteArray> data = readBytes(systemPath);
    if (!data) {
        return std::nullopt;
    }
    return splitLines(*data, 0);
}

QStringList TextFile::splitLines(const QByteArray &data, qsizetype start)
{
    QStringList lines;
    for (qsizetype begin = start; begin < data.size();) {
        const qsizetype lineEnd = data.indexOf('\n', int(begin));
        const qsizetype end = lineEnd < 0 ? data.size() : lineEnd;
        lines << QString::fromLatin1(data.constData() + begin, int(end - begin));
        begin = end + 1;
    }
    return lines;
}

QByteArray TextFile::toBytes(const QStringList &lines)
{
    // The room the bytes take, at once: a long file's bytes are not copied as they grow.
    qsizetype size = 0;
    for (const QString &line : lines) {
        size += line.size() + 1;
    }
    QByteArray bytes;
    bytes.reserve(int(size));
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += '\n';
    }
    return bytes;
}

QString TextFile::simplified(const QString &line)
{
    // QByteArray's white space is ASCII's.
    const QByteArray bytes = line.toLatin1().simplified();
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

QString TextFile::trimmed(const QString &line)
{
    const auto begin = std::find_if_not(line.begin(), line.end(), isAsciiSpace);
    const auto end = std::find_if_not(line.rbegin(), std::make_reverse_iterator(begin), isAsciiSpace).base();
    return line.mid(int(begin - line.begin()), int(end - begin));
}

QString TextFile::linkTarget(const QString &systemPath)
{
    QString path = systemPath;
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    for (int hop = 0; hop < MaxLinks; ++hop) {
        const ssize_t size = ::readlink(QFile::encodeName(SystemPaths::path(path)).constData(), target.data(), size_t(target.size()));
        if (size < 0) {
            break;
        }
        const QString text = QFile::decodeName(target.left(int(size)));
        path = QDir::cleanPath(text.startsWith(QLatin1Char('/')) ? text : QFileInfo(path).path() + QLatin1Char('/') + text);
    }
    return path;
}

QString TextFile::realPath(const QString &systemPath)
{
    return SystemPaths::path(linkTarget(systemPath));
}

bool TextFile::exists(const QString &systemPath)
{
    return QFileInfo::exists(realPath(systemPath));
}

bool TextFile::rewriteInPlace(const QString &systemPath, const QStringList &lines)
{
    return writeContent(realPath(systemPath), toBytes(lines), 0644, true);
}

bool TextFile::replace(const QString &systemPath, const QByteArray &data, const Replacement &how)
{
    const QString target = how.followLink ? realPath(systemPath) : SystemPaths::path(systemPath);
    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray newName = QFile::encodeName(target + QLatin1String(".new"));

    ::unlink(newName.constData());

    struct stat old;
    const bool hadOld = ::stat(targetName.constData(), &old) == 0;
    const bool carryOwner = hadOld && !how.mode;
    const mode_t mode = how.mode ? *how.mode : hadOld ? (old.st_mode & 07777) : 0644;
    if (!writeContent(target + QLatin1String(".new"), data, mode, false)) {
        return false;
    }
    // open() applies the umask; the system's files must keep their own mode
    // (a hosts file that only root can read breaks every other user's lookups).
    if (::chmod(newName.constData(), mode) != 0 || (carryOwner && ::chown(newName.constData(), old.st_uid, old.st_gid) != 0)) {
        qCWarning(QUORLAN) << "cannot give" << target << "its owner and mode back:" << strerror(errno);
        ::unlink(newName.constData());
        return false;
    }
    // The backup is linked under a name of its own and takes the previous one's
    // place only once the new file is in place, so that a save that fails
    // anywhere leaves both as they were. An ordinary backup is best effort: a
    // file system without hard links still gets its new file.
    const bool keepsBackup = !how.backupSuffix.isEmpty();
    const QByteArray backupName = QFile::encodeName(target + how.backupSuffix);
    const QByteArray pendingBackupName = backupName + ".tmp";
    bool backedUp = false;
    if (keepsBackup) {
        ::unlink(pendingBackupName.constData());
        backedUp = ::link(targetName.constData(), pendingBackupName.constData()) == 0;
        if (!backedUp && how.backupRequired) {
            qCWarning(QUORLAN) << "cannot keep" << target << "aside:" << strerror(errno);
            ::unlink(newName.constData());
            return false;
        }
    }
    // A file that cannot be replaced (a directory, a bind mount: EBUSY) is no save.
    if (::rename(newName.constData(), targetName.constData()) != 0) {
        qCWarning(QUORLAN) << "cannot move the new" << target << "into place:" << strerror(errno);
        ::unlink(newName.constData());
        ::unlink(pendingBackupName.constData());
        return false;
    }
    if (backedUp) {
        ::rename(pendingBackupName.constData(), backupName.constData());
        // A file of fixed mode holds secrets: so may the one it replaced.
        if (how.mode) {
            restrictToOwner(backupName);
        }
    } else if (keepsBackup) {
        ::unlink(backupName.constData());
    }
    return true;
}
