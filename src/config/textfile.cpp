// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "textfile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/systempaths.h"
#include "quorlan_debug.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
ushort codeOf(QChar c)
{
    return c.unicode();
}

ushort codeOf(char c)
{
    return uchar(c);
}

ushort codeOf(QLatin1Char c)
{
    return c.unicode();
}

template<typename Char>
bool isAsciiSpace(Char c)
{
    // One test of a bit for blank, tab, line feed, vertical tab, form feed and carriage return.
    constexpr quint64 spaces =
        (quint64(1) << ' ') | (quint64(1) << '\t') | (quint64(1) << '\n') | (quint64(1) << '\v') | (quint64(1) << '\f') | (quint64(1) << '\r');
    const ushort u = codeOf(c);
    return u <= ' ' && ((spaces >> u) & 1);
}

// The library's searches, on a line of bytes and on a line of text: they run
// over a line faster than a loop of ours, the more so in a fuzzing build, where
// every comparison in the module's loops is traced.
bool holds(QLatin1String line, char c)
{
    return std::memchr(line.data(), c, size_t(line.size()));
}

bool holds(QStringView line, char c)
{
    // The text's bytes are searched, with the byte search of the library: its
    // text search takes several times as long for one character. A byte found
    // may be half of another character; the line is then only simplified
    // once more, which gives the same text.
    return std::memchr(line.data(), c, size_t(line.size()) * sizeof(QChar));
}

bool holdsTwoBlanks(QLatin1String line)
{
    return ::memmem(line.data(), size_t(line.size()), "  ", 2);
}

bool holdsTwoBlanks(QStringView line)
{
    // Compared as text: the library would make text of Latin-1 first.
    return line.contains(QStringView(u"  "));
}

// Whether a line is simplified already: no white space at either end, none
// but single blanks inside.
template<typename Line>
bool isSimplifiedText(Line line)
{
    if (line.isEmpty()) {
        return true;
    }
    if (isAsciiSpace(line.front()) || isAsciiSpace(line.back())) {
        return false;
    }
    for (const char space : {'\t', '\n', '\v', '\f', '\r'}) {
        if (holds(line, space)) {
            return false;
        }
    }
    return !holdsTwoBlanks(line);
}

QByteArray encodedPath(const QString &realPath)
{
    return QFile::encodeName(realPath);
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
    QByteArray data;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
        data.append(buffer, int(qMax<ssize_t>(got, 0)));
    }
    return data;
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

// Writes the characters of a line simplified from out on; returns where the
// written text ends.
template<typename Char>
QChar *writeSimplified(const Char *begin, const Char *end, QChar *out)
{
    QChar *const start = out;
    bool pendingBlank = false;
    for (const Char *cursor = begin; cursor != end; ++cursor) {
        if (isAsciiSpace(*cursor)) {
            pendingBlank = out != start;
            continue;
        }
        if (pendingBlank) {
            *out++ = QLatin1Char(' ');
            pendingBlank = false;
        }
        *out++ = QChar(codeOf(*cursor));
    }
    return out;
}

// Appends the lines of some bytes of a file.
void appendLines(QStringList &lines, const char *data, qsizetype size, bool simplify)
{
    TextFile::forEachLine(data, size, [&lines, simplify](const char *bytes, qsizetype length) {
        lines << (simplify ? TextFile::simplified(bytes, length) : QString::fromLatin1(bytes, int(length)));
    });
}

// Room for every line of the bytes at once: the list does not regrow on the way.
void reserveLines(QStringList &lines, const QByteArray &data)
{
    lines.reserve(data.count('\n') + 1);
}

// Writes a file's content to a descriptor; the content's size is known beforehand.
using ContentWriter = std::function<bool(int fd)>;

bool replaceContent(int fd, qsizetype size, const ContentWriter &write)
{
    return ::lseek(fd, 0, SEEK_SET) == 0 && write(fd) && ::ftruncate(fd, off_t(size)) == 0 && ::fsync(fd) == 0;
}

void appendLine(QByteArray &data, const QString &line)
{
    const int start = data.size();
    data.resize(start + line.size() + 1);
    char *out = data.data() + start;
    for (const QChar c : line) {
        // As toLatin1() does: a character that is no byte (typed, never read) becomes '?'.
        *out++ = c.unicode() < 0x100 ? char(c.unicode()) : '?';
    }
    *out = '\n';
}

qsizetype byteSize(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines) {
        size += line.size() + 1;
    }
    return size;
}

// The lines a chunk at a time: a long file is not held in memory twice, as lines and as bytes.
bool writeLines(int fd, const QStringList &lines)
{
    constexpr int chunkSize = 1 << 16;
    QByteArray chunk;
    chunk.reserve(chunkSize + 256);
    for (const QString &line : lines) {
        appendLine(chunk, line);
        if (chunk.size() >= chunkSize) {
            if (!writeAll(fd, chunk)) {
                return false;
            }
            chunk.truncate(0);
        }
    }
    return writeAll(fd, chunk);
}

bool writeContent(const QString &realPath, qsizetype size, const ContentWriter &write, mode_t modeIfNew, bool truncateExisting)
{
    const QByteArray name = encodedPath(realPath);
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
    bool written = reserve(fd, size);
    if (written && !(written = replaceContent(fd, size, write)) && !created) {
        replaceContent(fd, before.size(), [&before](int descriptor) {
            return writeAll(descriptor, before);
        });
    }
    if (!written) {
        qCWarning(QUORLAN) << "cannot write" << realPath << ":" << strerror(errno);
    }
    written = (::close(fd) == 0) && written;
    if (!written && created) {
        ::unlink(name.constData());
    }
    return written;
}

bool writeLinesAsFile(const QString &realPath, const QStringList &lines, mode_t modeIfNew, bool truncateExisting)
{
    return writeContent(
        realPath,
        byteSize(lines),
        [&lines](int fd) {
            return writeLines(fd, lines);
        },
        modeIfNew,
        truncateExisting);
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
    QFile file(SystemPaths::path(systemPath));
    if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return data;
}

// A piece at a time: a long file is not held in memory twice, as bytes and as lines.
std::optional<QStringList> TextFile::readLines(const QString &systemPath)
{
    QFile file(SystemPaths::path(systemPath));
    if (QFileInfo(file.fileName()).isDir() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QStringList lines;
    QByteArray pending;
    for (QByteArray piece = file.read(1 << 16); !piece.isEmpty(); piece = file.read(1 << 16)) {
        pending += piece;
        const int complete = pending.lastIndexOf('\n') + 1;
        appendLines(lines, pending.constData(), complete, false);
        pending.remove(0, complete);
    }
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    appendLines(lines, pending.constData(), pending.size(), false);
    return lines;
}

QStringList TextFile::splitLines(const QByteArray &data, qsizetype start)
{
    QStringList lines;
    reserveLines(lines, data);
    appendLines(lines, data.constData() + start, data.size() - start, false);
    return lines;
}

std::optional<SimplifiedLines> TextFile::readSimplifiedLines(const QString &systemPath)
{
    const std::optional<QByteArray> data = readBytes(systemPath);
    if (!data) {
        return std::nullopt;
    }
    return SimplifiedLines(*data);
}

QStringList TextFile::simplifiedLines(const QByteArray &data)
{
    QStringList lines;
    reserveLines(lines, data);
    appendLines(lines, data.constData(), data.size(), true);
    return lines;
}

bool TextFile::isSimplified(const char *line, qsizetype size)
{
    return isSimplifiedText(QLatin1String(line, int(size)));
}

QString TextFile::simplified(const QString &line)
{
    // Most lines are simplified already (all that the module wrote itself):
    // they are shared, not copied, so that a pass over a long file allocates little.
    if (isSimplifiedText(QStringView(line))) {
        return line;
    }
    QString result(line.size(), Qt::Uninitialized);
    QChar *const begin = result.data();
    result.truncate(int(writeSimplified(line.constData(), line.constData() + line.size(), begin) - begin));
    return result;
}

QString TextFile::simplified(const char *line, qsizetype size)
{
    // Simplified while it is still bytes, in the one string that is made: past
    // its indentation an option line (as the module writes them) is simplified
    // already, and the string only drops that indentation.
    QString text = QString::fromLatin1(line, int(size));
    if (text.isEmpty()) {
        return text;
    }
    const QStringView kept = simplifyInPlace(line, text.data(), size);
    const int start = int(kept.data() - text.constData());
    text.truncate(start + int(kept.size()));
    text.remove(0, start);
    return text;
}

QStringView TextFile::simplifyInPlace(const char *line, QChar *text, qsizetype size)
{
    // The bytes are tested, as simplified() tests them; past its indentation an
    // option line is simplified already.
    const char *const end = line + size;
    const char *const rest = std::find_if_not(line, end, isAsciiSpace<char>);
    if (isSimplified(rest, end - rest)) {
        return QStringView(text + (rest - line), end - rest);
    }
    return QStringView(text, writeSimplified(text, text + size, text) - text);
}

QStringView TextFile::simplifyInPlace(QChar *text, qsizetype size)
{
    const QStringView line(text, size);
    if (isSimplifiedText(line)) {
        return line;
    }
    return QStringView(text, writeSimplified(text, text + size, text) - text);
}

QStringView TextFile::trimmed(QStringView line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isAsciiSpace(line.at(begin))) {
        ++begin;
    }
    while (end > begin && isAsciiSpace(line.at(end - 1))) {
        --end;
    }
    return line.mid(begin, end - begin);
}

QString TextFile::trimmed(const QString &line)
{
    const QStringView kept = trimmed(QStringView(line));
    return kept.size() == line.size() ? line : kept.toString();
}

QString TextFile::realPath(const QString &systemPath)
{
    const QString path = SystemPaths::path(systemPath);
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString target = info.canonicalFilePath();
        return target.isEmpty() ? info.symLinkTarget() : target;
    }
    return path;
}

bool TextFile::exists(const QString &systemPath)
{
    return QFileInfo::exists(SystemPaths::path(systemPath));
}

QByteArray TextFile::toBytes(const QStringList &lines)
{
    return toBytes(lines, byteSize(lines), [](QString &text, const QString &line) {
        text += line;
    });
}

bool TextFile::rewriteInPlace(const QString &systemPath, const QStringList &lines)
{
    return writeLinesAsFile(realPath(systemPath), lines, 0644, true);
}

bool TextFile::replace(const QString &systemPath, const QByteArray &data, const Replacement &how)
{
    return replace(
        systemPath,
        data.size(),
        [&data](int fd) {
            return writeAll(fd, data);
        },
        how);
}

bool TextFile::replace(const QString &systemPath, qsizetype size, const std::function<bool(int)> &write, const Replacement &how)
{
    const QString target = how.followLink ? realPath(systemPath) : SystemPaths::path(systemPath);
    const QByteArray targetName = encodedPath(target);
    const QByteArray newName = encodedPath(target + QLatin1String(".new"));

    ::unlink(newName.constData());

    struct stat old;
    const bool hadOld = ::stat(targetName.constData(), &old) == 0;
    const bool carryOwner = hadOld && !how.mode;
    const mode_t mode = how.mode ? *how.mode : hadOld ? (old.st_mode & 07777) : 0644;
    if (!writeContent(target + QLatin1String(".new"), size, write, mode, false)) {
        ::unlink(newName.constData());
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
    const bool keepsBackup = how.backupSuffix.size() > 0;
    const QByteArray backupName = encodedPath(target + how.backupSuffix);
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
