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
 * The file is held as the lines it was read as, grouped the way ifupdown reads
 * them: a line that ends with a backslash takes in the next, a comment
 * continues nothing, and keywords are tested on the simplified text. What the
 * module does not manage comes back byte for byte: only the "auto" and
 * "allow-hotplug" lines that name a present record's device and that record's
 * first "inet" stanza are written anew. Nothing here shows a message.
 */
class InterfacesFile
{
public:
    /// The file as read; std::nullopt when it cannot be read.
    static std::optional<InterfacesFile> read();
    /// The file of these lines (line ends taken off).
    explicit InterfacesFile(const QStringList &lines);

    /// Whether a line begins with an ifupdown option the records cannot hold
    /// ("mapping", "hwaddress", "script" and the like; case-sensitive prefix test).
    bool hasUnsupportedOptions() const;
    /// Whether an "auto" or "allow-hotplug" line names the device as a whole word.
    bool enables(const QString &device) const;
    /// The device's first stanza of the family: its "iface" line, then the other
    /// lines up to the next "iface" line, without comments and empty lines.
    /// Empty when the device has no such stanza.
    QStringList stanza(const QString &device, const QString &family) const;

    /**
     * The file's bytes once each present record among the first ethernetCount
     * (at most SystemFiles::RecordCount) has rewritten its entries, in index
     * order; std::nullopt when taking a device off an "auto" line would leave
     * the options under it to the stanza before (ifupdown refuses such a file).
     */
    std::optional<QByteArray> rewritten(const Interface *records, int ethernetCount) const;
    /// The file's bytes as a write read them and as it wrote them.
    struct Change {
        QByteArray before;
        QByteArray after;
    };
    /// Reads the file again and replaces it with rewritten(), keeping the previous
    /// one as "interfaces.old". std::nullopt, with the file left as it was, when it
    /// cannot be read, rewritten or written.
    static std::optional<Change> write(const Interface *records, int ethernetCount);

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

    /// One line as ifupdown reads it: a line of the file and those it takes in.
    struct Line {
        QString first;
        QStringList continued;
        /// The two as ifupdown joins them: a backslash at the end gives way to the next line.
        QString joined;
        QString text;
        Kind kind;
        /// Whether it would take in the line after it.
        bool continues;
    };

    InterfacesFile() = default;
    /// The line that a line of the file makes before it takes in any other.
    static Line lineOf(const QString &first);
    /// Takes the next line of the file into the line; readJoined() reads the result.
    static void takeIn(Line &line, const QString &next);
    /// Reads the text and kind of a line that is no comment out of its joined lines.
    static void readJoined(Line &line);
    /// The line that begins at index next of the lines; next moves past it.
    static Line take(const QStringList &lines, int &next);
    static Kind kindOf(const QString &text);
    static bool beginsEntry(Kind kind);
    /// Whether the record's pass takes its device off the line.
    static bool changes(const Line &line, const Interface &record);

    /// Appends a line, after an empty line that ends the join where the last line continues.
    void append(const Line &line);
    void appendMade(const QString &line);
    void appendStanza(const Interface &record, bool autoLine);
    /// One record's pass of rewritten(); false, with nothing changed, when refused.
    bool rewrite(const Interface &record);
    /// Whether options come after the line at the index, after empty lines and
    /// comments: they would go to the stanza before it if the line went.
    bool strandsOptions(int index) const;
    bool namesOnLine(const QString &device, Kind kind) const;
    /// The index of the device's first stanza of the family; -1 without one.
    int stanzaStart(const QString &device, const QString &family) const;

    QVector<Line> m_lines;
};
