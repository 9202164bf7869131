// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

/**
 * The private system tree of one fuzzing process: a fresh, empty folder
 * under $TMPDIR that QUORLAN_ROOT names, removed at exit. The targets read
 * their input from memory; a reader that still opens a system file opens
 * it there, never on the machine. Every target enters it before its first input.
 */
namespace FuzzRoot
{
/// Creates the tree on the first call and points QUORLAN_ROOT at it.
void enter();
/// Stops the fuzzer with a report when a property does not hold.
void check(bool holds, const char *property, const QByteArray &detail = QByteArray());
}
