// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

#include "basicnetcfg.h"
#include "dnsconfigfile.h"
#include "interface.h"
#include "interfacesfile.h"
#include "platform/shellprocess.h"
#include "systemfiles.h"
#include "wirelessoptionsfile.h"

#include <array>
#include <functional>
#include <optional>

class ChangeReport;

/**
 * The machine's network settings without a widget: the records read from the
 * system files, and the two steps of Apply that the user's question
 * separates. Nothing here shows or asks anything; each step returns what
 * happened and the caller tells the user.
 *
 * The steps of Apply take the records as values and return plain values, so
 * that they can run in another process.
 */
class NetworkSettings
{
public:
    using InterfaceRecords = std::array<Interface, SystemFiles::RecordCount>;

    /// What the system files hold; record i stands for the i-th Ethernet device.
    struct Records {
        BasicNetCfg hostIdentity;
        InterfaceRecords interfaces;
        DnsConfigFile resolverFile;
        /// The wireless file as loaded, for the Wireless tab, which writes nothing while loading.
        WirelessOptionsFile::Loaded wireless;
        /// The Ethernet devices found at the last load, those beyond the records included.
        int ethernetCount = 0;
    };

    enum class Loaded {
        Everything,
        Failed, ///< a file could not be read; nothing to say beyond that
        NoInterfacesFile,
        Refused, ///< the caller chose not to go on past options the records cannot keep
    };

    /// The first step of Apply: the network taken down and the files written.
    struct Written {
        ShellProcess::Result stop;
        bool filesWritten = false; ///< all four; those before a failing one stay written
        QString changes; ///< what the files written changed, once they are
    };

    /// The second step: the host name set, networking restarted and checked.
    struct TakenEffect {
        ShellProcess::Result hostName;
        ShellProcess::Result restart;
        QStringList devicesDown; ///< enabled devices not up after the restart, now stored as not enabled
        bool stored = true; ///< whether storing them so succeeded
    };

    /**
     * Reads the host identity, the interfaces file, the devices and the
     * resolver file into the records, stopping at the first failure, and then
     * the wireless file (a foreign one replaced when mayWrite). When the
     * interfaces file holds ifupdown options the records cannot keep,
     * goOnDespiteUnsupportedOptions decides whether loading goes on.
     */
    Loaded load(const std::function<bool()> &goOnDespiteUnsupportedOptions, bool mayWrite);

    /// Reads the interfaces file, for this load; false when it cannot be read.
    bool readInterfacesFile();
    /// Whether the file read holds ifupdown options the records cannot keep.
    bool hasUnsupportedOptions() const;
    /**
     * Finds the Ethernet devices and lets the first of them (at most the
     * record count), each named and described, read their stanzas of the
     * interfaces file read for this load. False when the file or the device
     * inventory cannot be read.
     */
    bool fillInterfaceRecords();

    Records &records();
    const Records &records() const;

    /**
     * Stops networking, then writes /etc/hostname, /etc/hosts,
     * /etc/network/interfaces and /etc/resolv.conf in this order, stopping at
     * the first failure. Names in /etc/hosts are rewritten only when
     * identityChanged. The changes are those since `changes` was made.
     */
    static Written write(const Records &records, bool identityChanged, ChangeReport changes);
    /// Sets the host name, restarts networking and checks that each enabled device is up.
    static TakenEffect takeEffect(Records records);

    static ShellProcess::Result stopNetworking();
    /// Writes the four files; the interfaces file's versions go to changes, if given.
    static bool writeFiles(const Records &records, bool identityChanged, ChangeReport *changes = nullptr);
    static bool writeHostname(const Records &records);
    static bool writeHosts(const Records &records, bool identityChanged);
    /// Writes the present records into the interfaces file, keeping a backup;
    /// false (and the file untouched) when it cannot be read or replaced.
    static bool writeInterfacesFile(const Records &records, ChangeReport *changes = nullptr);
    /// Writes the resolver file with the host identity's domain.
    static bool writeDnsFile(const Records &records);

private:
    Records m_records;
    /// The interfaces file read for the load under way.
    std::optional<InterfacesFile> m_file;
};
