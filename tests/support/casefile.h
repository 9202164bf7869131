// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QMap>
#include <QTest>

#include "systemroot.h"

/**
 * Test rows kept in a fixture of tests/data, for cases whose input and output
 * are whole files: they read better as the files themselves than as escaped
 * strings. A case starts at a line "== name"; each of its sections at a line
 * "-- key" and holds the bytes up to the next such line, line ends included;
 * "-- key < name" takes the bytes of the fixture name instead. Lines before the
 * first case are comments.
 */
namespace CaseFile
{
/// One QByteArray column per key, one row per case; a section the case lacks is a null array.
inline void addRows(const QString &fixture, const QList<const char *> &keys)
{
    for (const char *key : keys) {
        QTest::addColumn<QByteArray>(key);
    }
    const QByteArray text = SystemRoot::fixture(fixture);
    QByteArray name;
    QMap<QByteArray, QByteArray> sections; // a map: the section pointer stays valid
    QByteArray *section = nullptr;
    const auto addRow = [&] {
        if (!name.isEmpty()) {
            QTestData &row = QTest::newRow(name.constData());
            for (const char *key : keys) {
                row << sections.value(key);
            }
        }
    };
    for (int start = 0; start < text.size();) {
        const int end = text.indexOf('\n', start) < 0 ? text.size() : text.indexOf('\n', start) + 1;
        const QByteArray line = text.mid(start, end - start);
        start = end;
        if (line.startsWith("== ")) {
            addRow();
            name = line.mid(3).trimmed();
            sections.clear();
            section = nullptr;
        } else if (line.startsWith("-- ")) {
            const QList<QByteArray> words = line.mid(3).simplified().split(' ');
            const bool fromFixture = words.value(1) == "<";
            sections[words.first()] = fromFixture ? SystemRoot::fixture(QString::fromLatin1(words.value(2))) : QByteArray("");
            section = fromFixture ? nullptr : &sections[words.first()];
        } else if (section) {
            section->append(line);
        }
    }
    addRow();
}

/// A section's lines as text, without their line ends.
inline QStringList lines(const QByteArray &section)
{
    return QString::fromUtf8(section).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
}
