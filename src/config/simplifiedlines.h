// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

#include "stanzalines.h"

/**
 * The lines of a file, each white-space-simplified, as the interfaces file is
 * read: views into one text made from all of its bytes.
 *
 * A file of any length becomes one string and one list of views, not a string
 * per line. The lines stay valid as long as the object or a copy of it lives.
 * Each line comes with its kinds, told once as it is read: the records' readers
 * and the rewrite's passes all go by them.
 */
class SimplifiedLines
{
public:
    using Line = StanzaLines::Line;
    using const_iterator = std::vector<Line>::const_iterator;

    SimplifiedLines() = default;
    /// The lines of file bytes, without their line ends; a last line without a
    /// line end is a line too.
    explicit SimplifiedLines(const QByteArray &data);

    const_iterator begin() const
    {
        return m_lines.cbegin();
    }
    const_iterator end() const
    {
        return m_lines.cend();
    }
    qsizetype size() const
    {
        return qsizetype(m_lines.size());
    }

    /// The text that the lines are views into: a copy of it keeps them valid.
    QString text() const
    {
        return m_text;
    }

    /// Hands the lines over, with room for the stanzas that a rewrite adds.
    std::vector<Line> takeLines() &&
    {
        return std::move(m_lines);
    }

private:
    QString m_text;
    std::vector<Line> m_lines;
};
