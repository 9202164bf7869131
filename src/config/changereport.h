// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

/**
 * What one Apply did to the system files the module writes.
 *
 * Made before anything is written, it keeps the bytes of each file; text()
 * compares them with the files as they are by then. The interfaces file is
 * read once per Apply, by its writer, which hands both versions over. Encryption keys never
 * show: the key values of the wireless settings file, and the wireless keys
 * and passphrases that an interfaces stanza may hold, read "****" on both
 * sides before the versions are compared.
 */
class ChangeReport
{
public:
    /// A file's changes are cut after this many lines of diff.
    static constexpr int MaxLinesPerFile = 400;

    /// Reads every file but the interfaces file, whose writer hands its two versions over.
    ChangeReport();

    /// The interfaces file as its writer read it and wrote it.
    void setInterfacesFile(const QByteArray &before, const QByteArray &after);

    /**
     * For each file whose bytes changed, in the order of systemFiles(), the
     * "diff -u" of the file as it was against the file as it is, headed by
     * its path (cut after MaxLinesPerFile lines, with a line that says how
     * many are left out); one line instead when the bytes changed in nothing but a key,
     * or when diff could not compare them. One line when no file changed.
     */
    QString text() const;

    /// The files compared, by their system paths.
    static QStringList systemFiles();
    /// The bytes with every key value replaced by "****".
    static QByteArray maskedKeys(const QByteArray &bytes);

private:
    QVector<QByteArray> m_before; ///< by systemFiles(); null for a file that did not exist
    QByteArray m_interfacesAfter; ///< null until the interfaces file is written
};
