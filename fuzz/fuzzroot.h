// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

/**
 * The private system tree of one fuzzing process: a fresh folder under
 * $TMPDIR that QUORLAN_ROOT names, removed at exit. Fuzz targets write
 * their input there and nowhere else.
 */
namespace FuzzRoot
{
/// Creates the tree on the first call and points QUORLAN_ROOT at it.
void enter();
/// Writes the input as a system file of the tree (its folder made as needed).
void write(const QString &systemPath, const uint8_t *data, size_t size);
/// Stops the fuzzer with a report when a property does not hold.
void check(bool holds, const char *property, const QByteArray &detail = QByteArray());
}
