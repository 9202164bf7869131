// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "systemroot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

SystemRoot::SystemRoot()
    : m_previousRoot(qgetenv("QUORLAN_ROOT"))
{
    qputenv("QUORLAN_ROOT", QFile::encodeName(m_dir.path()));
}

SystemRoot::~SystemRoot()
{
    if (m_previousRoot.isNull()) {
        qunsetenv("QUORLAN_ROOT");
    } else {
        qputenv("QUORLAN_ROOT", m_previousRoot);
    }
}

QString SystemRoot::path(const QString &systemPath) const
{
    return m_dir.path() + systemPath;
}

void SystemRoot::write(const QString &systemPath, const QByteArray &content) const
{
    const QString realPath = path(systemPath);
    QDir().mkpath(QFileInfo(realPath).path());
    QFile file(realPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(content) != content.size()) {
        qFatal("cannot write %s", qPrintable(realPath));
    }
}

void SystemRoot::copyFixture(const QString &fixture, const QString &systemPath) const
{
    write(systemPath, SystemRoot::fixture(fixture));
}

QByteArray SystemRoot::read(const QString &systemPath) const
{
    QFile file(path(systemPath));
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray();
    }
    const QByteArray content = file.readAll();
    return content.isNull() ? QByteArray("") : content;
}

bool SystemRoot::exists(const QString &systemPath) const
{
    return QFileInfo::exists(path(systemPath));
}

QByteArray SystemRoot::fixture(const QString &name)
{
    QFile file(QStringLiteral(QUORLAN_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("missing fixture %s", qPrintable(name));
    }
    return file.readAll();
}
