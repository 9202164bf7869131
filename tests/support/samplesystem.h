// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "systemroot.h"

/**
 * The realistic machine of tests/data/sample-system: eth0 by DHCP with two
 * leases, eth1 static, a host name, a resolver file, a device inventory and
 * the wireless card's settings, and a stand-in for each program the module runs.
 */
namespace SampleSystem
{
/// Copies every file of the sample tree into the test's system root.
inline void copyInto(const SystemRoot &root)
{
    const QString tree = QStringLiteral("sample-system");
    const QString base = QStringLiteral(QUORLAN_TEST_DATA "/") + tree;
    QDirIterator it(base, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString systemPath = it.next().mid(base.size());
        root.copyFixture(tree + systemPath, systemPath);
        // The stand-ins for the programs the module runs must stay runnable.
        QFile::setPermissions(root.path(systemPath), QFileInfo(it.filePath()).permissions());
    }
}
}
