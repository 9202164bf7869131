// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

#include <cstdlib>

// A reader that opens a system file by mistake finds nothing there, never the machine's file.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QUORLAN_ROOT", "/nonexistent/quorlan-fuzz");
    return 0;
}

// The property each target checks of an input; one that does not hold stops the fuzzer, which keeps the input.
bool holds(const QByteArray &input);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Not copied: the input stays put while the target looks at it.
    if (!holds(QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)))) {
        std::abort();
    }
    return 0;
}
