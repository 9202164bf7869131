// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>

#include "simplifiedlines.h"
#include "systemfiles.h"

#include <optional>

class Interface;

/**
 * /etc/network/interfaces as the module reads, checks and rewrites it.
 *
 * The file is edited, not regenerated: each present record rewrites its own
 * "auto" entry and stanza, and every other line is carried over, white space
 * simplified. Nothing here shows a message; the callers decide what to say.
 */
class InterfacesFile
{
public:
    /// The number of interface records the module keeps (eth0 to eth4).
    static constexpr int RecordCount = SystemFiles::RecordCount;

    /// The file's lines, each white-space-simplified, empty lines kept;
    /// std::nullopt when the file cannot be opened.
    static std::optional<SimplifiedLines> readLines();

    /// Whether any of the simplified lines begins with an ifupdown option the records
    /// cannot hold ("mapping", "hwaddress", "script" and the like; case-sensitive prefix test).
    static bool hasUnsupportedOptions(const SimplifiedLines &lines);

    /**
     * Reads the file again and lets each present record among the first
     * ethernetCount (at most RecordCount) rewrite its entries, in index order;
     * then replaces the file, keeping the previous one as "interfaces.old".
     * False when the file cannot be read, a record cannot rewrite it (see
     * Interface::updateInterfacesList) or the new file cannot be written;
     * the file is then left as it was.
     */
    static bool write(const Interface *records, int ethernetCount);
    /// The bytes that write() puts in place of the file whose simplified lines
    /// are given; std::nullopt when a record cannot rewrite them.
    static std::optional<QByteArray> rewrite(SimplifiedLines lines, const Interface *records, int ethernetCount);
};
