// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QMap>
#include <QString>

/**
 * A system tree on a small tmpfs that fails under the code, mounted in a mount
 * namespace of its own, so nothing of the machine is touched. The test program
 * runs itself once more inside it, with QUORLAN_ROOT at the tmpfs and the task
 * in QUORLAN_FAULT_TASK; what that run prints is the outcome.
 */
namespace FaultyRoot
{
/// How to prepare the mounted tree (shell lines; $ROOT is the mount point).
inline const QString FillUp = QStringLiteral("cat /dev/zero > \"$ROOT/filler\" 2>/dev/null || true");
inline const QString MakeReadOnly = QStringLiteral("mount -o remount,ro \"$ROOT\"");

/// Whether a mount namespace can be had here (as root, or as a mapped user).
bool isAvailable();
/// The task of this run inside the tree; empty in the test itself.
QString task();
/// Copies `stage` onto a fresh tmpfs, runs `prepare`, then this program for `task`;
/// what it printed (null when the namespace failed), and in `tree` the tmpfs afterwards.
QByteArray run(const QString &stage, const QString &prepare, const QString &task, QMap<QString, QByteArray> *tree);
/// Every file, folder and link under a tree, by path: content, "folder" or "link to ...".
QMap<QString, QByteArray> snapshot(const QString &top);
}
