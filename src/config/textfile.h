// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "simplifiedlines.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <sys/types.h>
#include <utility>

/**
 * Reading and writing the system's text files as the module edits them.
 *
 * The module edits files that it does not own, so a line it does not manage
 * must come back byte for byte. Lines are therefore read as bytes and held as
 * Latin-1 text (one QChar per byte, whatever the file's real encoding), which
 * toBytes() turns back into the very same bytes. Lines are read whole, of any
 * length; a last line without a line end is still a line.
 *
 * All paths given here are system paths ("/etc/hosts"); they go through
 * SystemPaths::path() before anything is opened.
 */
class TextFile
{
public:
    /// How replace() treats the file that it replaces.
    struct Replacement {
        /// The previous file stays under its name followed by this; none when empty.
        QString backupSuffix = QStringLiteral(".old");
        /// No backup, no save: the previous file must not get lost.
        bool backupRequired = false;
        /// The new file's mode, its owner the writer, and the backup readable by its
        /// owner only; without it the new file gets the old one's owner and mode.
        std::optional<mode_t> mode;
        /// A symbolic link is followed and the file it points to replaced; otherwise
        /// the link itself is.
        bool followLink = true;
    };

    /// The lines without their line ends, or std::nullopt when the file cannot be read.
    static std::optional<QStringList> readLines(const QString &systemPath);
    /// The file's bytes, or std::nullopt when the file cannot be read.
    static std::optional<QByteArray> readBytes(const QString &systemPath);
    /// The lines of file bytes from an offset on, as readLines() gives them.
    static QStringList splitLines(const QByteArray &data, qsizetype start);
    /// The same, each line white-space-simplified.
    static std::optional<SimplifiedLines> readSimplifiedLines(const QString &systemPath);
    /// The lines of file bytes as readSimplifiedLines() gives them, a string each.
    static QStringList simplifiedLines(const QByteArray &data);

    /// Leading and trailing white space removed, inner runs made one blank.
    /// Only ASCII white space counts: a no-break space or a UTF-8 byte never does.
    static QString simplified(const QString &line);
    /// The same for a line of file bytes, made text as the readers make it.
    static QString simplified(const char *line, qsizetype size);
    /// Calls visit with each line of file bytes, without its line end; a last line
    /// without a line end is a line too.
    /// A template, not a std::function: it runs once per line of every file read.
    template<typename Visit>
    static void forEachLine(const char *data, qsizetype size, Visit &&visit)
    {
        for (qsizetype start = 0; start < size;) {
            const char *lineEnd = static_cast<const char *>(std::memchr(data + start, '\n', size_t(size - start)));
            const qsizetype end = lineEnd ? lineEnd - data : size;
            visit(data + start, end - start);
            start = end + 1;
        }
    }
    /// Whether the bytes of a line are white-space-simplified already.
    static bool isSimplified(const char *line, qsizetype size);
    /// Simplifies, where it stands, the text made from a line of bytes (one
    /// character per byte) and returns the simplified line, a part of that text.
    static QStringView simplifyInPlace(const char *line, QChar *text, qsizetype size);
    /// The same for text alone.
    static QStringView simplifyInPlace(QChar *text, qsizetype size);
    /// Leading and trailing ASCII white space removed.
    static QStringView trimmed(QStringView line);
    /// The same as a string, shared with the line when nothing is removed.
    static QString trimmed(const QString &line);

    static bool exists(const QString &systemPath);
    /// Where the file really is: a symbolic link is followed to the file it points
    /// to, so that a writer replaces that file and the link stays.
    static QString realPath(const QString &systemPath);

    /// Every line followed by a line feed, as the bytes the lines stand for.
    static QByteArray toBytes(const QStringList &lines);
    /// The same for lines held otherwise: size is the room their text takes,
    /// and write(text, line) appends one line to the text, without its line feed.
    template<typename Lines, typename Write>
    static QByteArray toBytes(const Lines &lines, qsizetype size, Write &&write)
    {
        // The lines joined as text and made bytes by the library: a character
        // that is no byte (typed, never read) becomes '?'. A file of up to a
        // block is converted where it stands, its bytes taking the text's
        // memory; a longer one a block at a time, so that the whole file is
        // never held as text twice, once read and once joined.
        QString text;
        text.reserve(int(std::min(size, JoinBlock)));
        const auto append = [&text, &write](const auto &line) {
            write(text, line);
            text += QLatin1Char('\n');
        };
        if (size <= JoinBlock) {
            for (const auto &line : lines) {
                append(line);
            }
            return std::move(text).toLatin1();
        }
        QByteArray bytes;
        bytes.reserve(int(size));
        for (const auto &line : lines) {
            append(line);
            if (text.size() >= JoinBlock) {
                bytes += QStringView(text).toLatin1();
                text.truncate(0);
            }
        }
        bytes += QStringView(text).toLatin1();
        return bytes;
    }

    /// Truncates the file (through a symbolic link, if it is one) and writes the lines.
    /// False when it cannot be opened or a write fails.
    static bool rewriteInPlace(const QString &systemPath, const QStringList &lines);

    /**
     * Replaces the file with data through "<file>.new": every write checked and
     * synced before the rename, the previous file kept as the Replacement says
     * (by a hard link, put in place only once the new file is). When anything
     * fails before the rename, ".new" is removed and the file and its backup are
     * left as they were.
     */
    static bool replace(const QString &systemPath, const QByteArray &data, const Replacement &how);

private:
    /// The characters joined before they are made bytes, in a file longer than that.
    static constexpr qsizetype JoinBlock = 1 << 16;

    static bool replace(const QString &systemPath, qsizetype size, const std::function<bool(int fd)> &write, const Replacement &how);
};
