// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "fuzzroot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace FuzzRoot
{
void enter()
{
    static QTemporaryDir root(QDir::tempPath() + QLatin1String("/quorlan-fuzz-XXXXXX"));
    if (!root.isValid()) {
        std::fprintf(stderr, "cannot make a system tree under %s\n", qPrintable(QDir::tempPath()));
        std::abort();
    }
    qputenv("QUORLAN_ROOT", QFile::encodeName(root.path()));
}

void check(bool holds, const char *property, const QByteArray &detail)
{
    if (!holds) {
        std::fprintf(stderr, "property does not hold: %s\n", property);
        std::fwrite(detail.constData(), 1, size_t(detail.size()), stderr);
        std::fputc('\n', stderr);
        std::abort();
    }
}
}

// Before the first input: a reader that opens a system file by mistake opens
// it in the empty tree, never on the machine.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzRoot::enter();
    return 0;
}
