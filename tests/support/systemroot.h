// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

/**
 * A throw-away system tree for one test: QUORLAN_ROOT points at it while the
 * object lives, so the code under test opens "/etc/hosts" here, never on the host.
 */
class SystemRoot
{
public:
    SystemRoot();
    ~SystemRoot();
    SystemRoot(const SystemRoot &) = delete;
    SystemRoot &operator=(const SystemRoot &) = delete;

    /// The real path of a system path inside this tree.
    QString path(const QString &systemPath) const;
    /// Writes a file (parent folders made as needed).
    void write(const QString &systemPath, const QByteArray &content) const;
    /// Copies a fixture of tests/data to a system path.
    void copyFixture(const QString &fixture, const QString &systemPath) const;
    /// The file's bytes; a null array when it does not exist.
    QByteArray read(const QString &systemPath) const;
    bool exists(const QString &systemPath) const;

    /// The bytes of a fixture of tests/data.
    static QByteArray fixture(const QString &name);

private:
    QTemporaryDir m_dir;
    QByteArray m_previousRoot;
};
