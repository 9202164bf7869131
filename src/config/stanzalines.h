// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <vector>

class SimplifiedLines;

/**
 * The lines of the interfaces file while the records rewrite their stanzas.
 *
 * Each line is held white-space-simplified, with its kind: a line read is a
 * view into the text of the file, a line made here a view into the text of the
 * lines made here. A rewrite pass
 * looks again only at the "auto" and "iface" lines and at its own stanza, and
 * moves every other line on as it is: five passes over a long file then cost
 * little more than one. The indentation of option lines is added on output.
 */
class StanzaLines
{
public:
    /// Auto and StanzaStart come first: a pass asks every line whether it is
    /// one of them, and one comparison answers (canNameDevice()).
    enum Kind : quint8 {
        Auto,
        StanzaStart,
        Empty,
        Comment,
        Option,
        /// A line that the line before it continues with a trailing backslash:
        /// held as it came, since ifupdown joins it to that line unchanged.
        Continuation,
    };

    /// A line: a view into the text of the file or into the text of the lines
    /// made here, and its kinds, in 16 bytes (a pass moves many of them).
    struct Line {
        Line(QStringView text, Kind kind)
            : Line(text, kind, kind)
        {
        }
        Line(QStringView text, Kind kind, Kind textKind)
            : data(text.data())
            , size(int(text.size()))
            , kind(kind)
            , textKind(textKind)
        {
        }
        QStringView text() const
        {
            return QStringView(data, size);
        }
        const QChar *data;
        int size;
        Kind kind;
        /// For a line read, the kind that its text alone gives, as though no
        /// line continued into it: the records' readers, which join no lines,
        /// go by it.
        Kind textKind;
    };

    StanzaLines() = default;
    // Not copied: a copy's lines would look into the text of the original.
    StanzaLines(const StanzaLines &) = delete;
    StanzaLines &operator=(const StanzaLines &) = delete;
    StanzaLines(StanzaLines &&) = default;
    StanzaLines &operator=(StanzaLines &&) = default;

    /// The lines as they are read, kinds and all, taken over. They look into
    /// the text of the lines given, which this keeps.
    static StanzaLines fromSimplified(SimplifiedLines &&lines);

    /// Appends a line made here (a string or a string builder's expression),
    /// simplified unless the line before continues into it. Its text is written
    /// after the lines made before it, not into a string of its own.
    template<typename Text>
    void append(const Text &line)
    {
        const qsizetype start = roomFor(line.size());
        m_made += line;
        appendMade(start);
    }
    /// Appends lines as they are.
    void append(std::vector<Line>::const_iterator from, std::vector<Line>::const_iterator to);

    /// Hands the lines from index first on over to a pass that appends them
    /// again in their new order; the lines before stay. The storage of an
    /// earlier pass is used again: the passes over a file rarely allocate.
    std::vector<Line> takeLines(size_t first);
    /// Takes back the storage of lines that a pass has moved on.
    void recycle(std::vector<Line> &&moved);

    enum class Indent {
        Options,
        Nothing,
    };
    /// The bytes of the file: each line with its line end, each option line
    /// indented with one tab when the indent says so.
    QByteArray toBytes(Indent indent) const;

    /// Whether a line of the kind can name a device: an auto line or a stanza's start.
    static bool canNameDevice(Kind kind)
    {
        return kind <= StanzaStart;
    }

    // The line grammar of the file, on simplified lines; keyword tests are
    // case-sensitive prefix tests, as ifupdown's are.
    static Kind kindOf(QStringView line);
    /// Whether the line begins an entry of its own for ifupdown, ending the options before it.
    static bool beginsEntry(QStringView line);
    /// Whether the line begins with an ifupdown option the records cannot hold
    /// ("mapping", "hwaddress", "script" and the like).
    static bool beginsWithUnsupportedOption(QStringView line);
    /// Whether the line ends with the backslash that joins the next line to it.
    static bool continues(const Line &line);

    std::vector<Line> lines;

private:
    /// Where the next made line begins, with room for size characters after it.
    qsizetype roomFor(qsizetype size);
    /// Appends the made line that begins at start and ends the made text.
    void appendMade(qsizetype start);

    QString m_text;
    /// The text of the lines made here. It never grows beyond its room, which
    /// would move the characters that the lines look at: full, it joins the
    /// texts before it, and a new one begins.
    QString m_made;
    std::vector<QString> m_madeBefore;
    std::vector<Line> m_spare;
};
