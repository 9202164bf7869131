// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "interfacesfile.h"
#include "platform/shellprocess.h"

#include <optional>

class Interface;

/**
 * The widget-free steps of loading the interface records: the interfaces file
 * read once per load, its check for options the records cannot keep, the
 * Ethernet count and the records filled from the device inventory and the
 * file. What the user is told or asked on the way is the caller's business.
 */
class ConfigurationLoader
{
public:
    /// Reads the interfaces file afresh; false when it cannot be read.
    bool readInterfacesFile();
    /// Whether a file has been read since the records were last filled.
    bool hasInterfacesFile() const;
    /// Whether the file read holds ifupdown options the records cannot hold.
    bool hasUnsupportedOptions() const;

    /// Starts the Ethernet count, whose programs then run while the caller works on.
    void startEthernetCount();
    /// Reads the interfaces file and starts the count, when a load would go
    /// straight on to the count: the file read, and no unsupported option to ask
    /// about. False, with nothing kept or started, otherwise.
    bool beginQuietly();
    /// The number of Ethernet devices the system lists, from the count started
    /// or else from one run now; std::nullopt when the count cannot be started.
    std::optional<int> countEthernetDevices();

    /**
     * Names the first ethernetCount devices (at most the record count) from the
     * device inventory, marks them present and lets each read its stanza of the
     * file read; the file is then forgotten, so that the next load reads it
     * again. False when the inventory cannot be read.
     */
    bool fillInterfaceRecords(Interface *records, int ethernetCount);

private:
    std::optional<InterfacesFile> m_file;
    ShellProcess::Answer m_ethernetCount;
};
