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
    m_lines.reserve(size_t(data.count('\n') + 1));
    TextFile::forEachLine(bytes, data.size(), [this, text, bytes](const char *line, qsizetype size) {
        m_lines.push_back(TextFile::simplifyInPlace(line, text + (line - bytes), size));
    });
}
