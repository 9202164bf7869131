// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <sys/types.h>

/**
 * Reading and writing the system's text files, whatever their grammar.
 *
 * The module edits files that it does not own, so a line it does not manage
 * must come back byte for byte. Lines are therefore read as bytes and held as
 * Latin-1 text (one QChar per byte, whatever the file's real encoding), which
 * toBytes() turns back into the very same bytes. Lines are read whole, of any
 * length; a last line without a line end is still a line.
 *
 * All paths given here are system paths ("/etc/hosts"); they go through
 * SystemPaths::path() before anything is opened, and so does every symbolic
 * link on the way: a link to "/run/x" under a test's root leads to the root's
 * /run/x, never to the machine's.
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
    /// Every line followed by a line feed, as the bytes the lines stand for; a
    /// character that is no byte (typed, never read) becomes '?'.
    static QByteArray toBytes(const QStringList &lines);

    /**
     * Replaces the file with data through "<file>.new": every write checked and
     * synced before the rename, the previous file kept as the Replacement says
     * (by a hard link, put in place only once the new file is). When anything
     * fails before the rename, ".new" is removed and the file and its backup are
     * left as they were.
     */
    static bool replace(const QString &systemPath, const QByteArray &data, const Replacement &how);
    /// Writes the lines into the file (through a symbolic link, if it is one), which
    /// keeps its old content when they cannot all be written. False on failure.
    static bool rewriteInPlace(const QString &systemPath, const QStringList &lines);

    /// Leading and trailing white space removed, inner runs made one blank.
    /// Only ASCII white space counts: a no-break space or a UTF-8 byte never does.
    /// A character that is no byte becomes '?', as in toBytes().
    static QString simplified(const QString &line);
    /// Leading and trailing ASCII white space removed.
    static QString trimmed(const QString &line);

    static bool exists(const QString &systemPath);
    /// The system path that symbolic links lead to from systemPath (itself when it is
    /// no link), each link's target taken inside the system root.
    static QString linkTarget(const QString &systemPath);
    /// Where the file really is: the path of linkTarget() to open.
    static QString realPath(const QString &systemPath);
};
