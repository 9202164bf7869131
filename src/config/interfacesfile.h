// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include "systemfiles.h"

#include <optional>

class Interface;

/**
 * /etc/network/interfaces as ifupdown reads it, and as the module rewrites it.
 *
 * The file is held as the lines it was read as. Its lines are looked at the way
 * ifupdown looks at them: a line that ends with a backslash is joined to the
 * next one, a comment continues nothing, and white space is simplified. What the
 * module does not manage comes back byte for byte: only the "auto" and
 * "allow-hotplug" lines that name a present record's device and that record's
 * first "inet" stanza are written anew. Nothing here shows a message.
 */
class InterfacesFile
{
public:
    /// The file's lines as read; std::nullopt when it cannot be read.
    static std::optional<QStringList> readLines();

    /// Whether any line begins with an ifupdown option the records cannot hold
    /// ("mapping", "hwaddress", "script" and the like; case-sensitive prefix test).
    static bool hasUnsupportedOptions(const QStringList &lines);

    /**
     * Reads the file again and lets each present record among the first
     * ethernetCount (at most SystemFiles::RecordCount) rewrite its entries, in
     * index order; then replaces the file, keeping the previous one as
     * "interfaces.old". False when the file cannot be read, a record cannot
     * rewrite it (see rewrite()) or the new file cannot be written; the file is
     * then left as it was.
     */
    static bool write(const Interface *records, int ethernetCount);
    /// The bytes that write() puts in place of the file of these lines;
    /// std::nullopt when taking a device off its "auto" line would leave options
    /// that follow it to the stanza before (ifupdown refuses such a file too).
    static std::optional<QByteArray> rewrite(const QStringList &lines, const Interface *records, int ethernetCount);

    explicit InterfacesFile(const QStringList &lines);

    /// Whether an "auto" or "allow-hotplug" line names the device as a whole word.
    bool enables(const QString &device) const;
    /// The device's first stanza of the family: its "iface" line, then its
    /// other lines up to the next "iface" line, comments left out, simplified
    /// and joined as ifupdown joins them. Empty when the device has no such stanza.
    QStringList stanza(const QString &device, const QString &family) const;

private:
    enum Kind {
        Empty,
        Comment,
        Auto,
        Hotplug,
        StanzaStart,
        /// Any other line that begins an entry of its own ("mapping", "source"...).
        OtherEntry,
        Option,
    };

    /// One line as ifupdown reads it: a line of the file and those that it
    /// continues into.
    struct Line {
        QStringList read;
        QString text;
        Kind kind;
        bool continues() const;
    };

    static Kind kindOf(const QString &text);
    /// The lines of the record's stanza, its "auto" line first if it has one.
    static QStringList stanzaOf(const Interface &record, bool autoLine);
    /// Whether a line of the record's old stanza stays: the options that are not
    /// made again from the record.
    static bool keepsOldStanzaLine(const Line &line, bool dhcp);
    static QStringList normalized(const Line &line);

    /// One pass of rewrite() for one record; false, with nothing changed, when refused.
    bool rewrite(const Interface &record);
    bool namesOnLine(const QString &device, Kind kind) const;
    /// The index of the device's first stanza of the family; -1 without one.
    int stanzaStart(const QString &device, const QString &family) const;
    bool beginsEntry(int index) const;
    /// Whether option lines come at the index, after empty lines and comments.
    bool optionsFollow(int index) const;

    QStringList m_read;
    QVector<Line> m_lines;
};
