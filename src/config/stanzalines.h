// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include <vector>

/**
 * The lines of the interfaces file while the records rewrite their stanzas.
 *
 * Each line is held white-space-simplified, with its kind. A rewrite pass
 * looks again only at the "auto" and "iface" lines and at its own stanza, and
 * moves every other line on as it is: five passes over a long file then cost
 * little more than one. The indentation of option lines is added on output.
 */
class StanzaLines
{
public:
    enum Kind {
        Empty,
        Comment,
        Auto,
        StanzaStart,
        Option,
        /// A line that the line before it continues with a trailing backslash:
        /// held as it came, since ifupdown joins it to that line unchanged.
        Continuation,
    };

    struct Line {
        QString text;
        Kind kind;
    };

    StanzaLines() = default;
    /// The lines, each simplified but for continuations.
    explicit StanzaLines(const QStringList &lines);
    /// The lines as they are: simplified already, as the file is read.
    static StanzaLines fromSimplified(const QStringList &lines);

    /// Appends a line, simplified unless the line before continues into it.
    void append(const QString &line);
    void append(Line &&line);

    /// Hands the lines from index first on over to a pass that appends them
    /// again in their new order; the lines before stay. The storage of an
    /// earlier pass is used again: the passes over a file rarely allocate.
    std::vector<Line> takeLines(size_t first);
    /// Takes back the storage of lines that a pass has moved on.
    void recycle(std::vector<Line> &&moved);

    /// The lines as a rewrite writes them: each option line indented with one tab.
    QStringList indentedLines() const;
    enum class Indent {
        Options,
        Nothing,
    };
    /// The bytes of the file: each line with its line end, each option line
    /// indented with one tab when the indent says so.
    QByteArray toBytes(Indent indent) const;

    // The line grammar of the file, on simplified lines; keyword tests are
    // case-sensitive prefix tests, as ifupdown's are.
    static Kind kindOf(const QString &line);
    /// Whether the line begins an entry of its own for ifupdown, ending the options before it.
    static bool beginsEntry(const QString &line);
    /// Whether the line begins with an ifupdown option the records cannot hold
    /// ("mapping", "hwaddress", "script" and the like).
    static bool beginsWithUnsupportedOption(const QString &line);
    /// Whether the line ends with the backslash that joins the next line to it.
    static bool continues(const Line &line);

    std::vector<Line> lines;

private:
    std::vector<Line> m_spare;
};
