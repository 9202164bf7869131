// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "simplifiedlines.h"

#include "textfile.h"

// Made text in one go (with its size: a NUL byte ends no file), then each line
// simplified where it stands: simplifying only shrinks a line, and no line
// needs a string of its own.
SimplifiedLines::SimplifiedLines(const QByteArray &data)
    : m_text(QString::fromLatin1(data.constData(), data.size()))
{
    QChar *const text = m_text.data();
    const char *const bytes = data.constData();
    // Room for the stanzas that a rewrite adds, a few lines each, as well:
    // it takes these lines over without moving them.
    m_lines.reserve(size_t(data.count('\n') + 1 + 16));
    bool continued = false;
    TextFile::forEachLine(bytes, data.size(), [&](const char *line, qsizetype size) {
        const QStringView simplified = TextFile::simplifyInPlace(line, text + (line - bytes), size);
        const StanzaLines::Kind textKind = StanzaLines::kindOf(simplified);
        m_lines.push_back({simplified, continued ? StanzaLines::Continuation : textKind, textKind});
        continued = StanzaLines::continues(m_lines.back());
    });
}
