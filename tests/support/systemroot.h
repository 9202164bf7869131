// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

/// A throw-away system tree: while it lives, QUORLAN_ROOT points at it, so the code under test opens "/etc/hosts" here.
class SystemRoot
{
public:
    SystemRoot()
        : m_previousRoot(qgetenv("QUORLAN_ROOT"))
    {
        qputenv("QUORLAN_ROOT", QFile::encodeName(m_dir.path()));
    }
    ~SystemRoot()
    {
        m_previousRoot.isNull() ? qunsetenv("QUORLAN_ROOT") : qputenv("QUORLAN_ROOT", m_previousRoot);
    }
    Q_DISABLE_COPY(SystemRoot)

    QString path(const QString &systemPath) const
    {
        return m_dir.path() + systemPath;
    }
    /// Writes a file, making its folders.
    void write(const QString &systemPath, const QByteArray &content) const
    {
        QDir().mkpath(QFileInfo(path(systemPath)).path());
        QFile file(path(systemPath));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
            qFatal("cannot write %s", qPrintable(path(systemPath)));
        }
    }
    /// The file's bytes; a null array when it does not exist.
    QByteArray read(const QString &systemPath) const
    {
        QFile file(path(systemPath));
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return content.isNull() && file.isOpen() ? QByteArray("") : content;
    }
    /// The machine of tests/data/sample-system, the stand-ins for its programs runnable.
    void copySample() const
    {
        const QString base = QStringLiteral(QUORLAN_TEST_DATA "/sample-system");
        for (QDirIterator it(base, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            const QString systemPath = it.next().mid(base.size());
            write(systemPath, fixture(QLatin1String("sample-system") + systemPath));
            QFile::setPermissions(path(systemPath), it.fileInfo().permissions());
        }
    }

    /// The bytes of a fixture of tests/data.
    static QByteArray fixture(const QString &name)
    {
        QFile file(QStringLiteral(QUORLAN_TEST_DATA "/") + name);
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("missing fixture %s", qPrintable(name));
        }
        return file.readAll();
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_previousRoot;
};
