// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "configurationloader.h"

#include "interface.h"
#include "interfacesfile.h"
#include "platform/deviceinventory.h"
#include "platform/shellprocess.h"
#include "platform/systemcommands.h"
#include "quorlan_debug.h"
#include "systemfiles.h"
#include "textfile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace
{
// The number at the start of the first output line, read as strtol reads it
// (leading blanks skipped, anything else ends the number, no number is 0).
// Only the first 31 bytes count, as if read into a 32-byte buffer.
int parseCount(const QByteArray &firstLine)
{
    const QByteArray text = firstLine.left(31);
    const long count = std::strtol(text.constData(), nullptr, 10);
    return int(std::clamp(count, 0L, long(INT_MAX)));
}
}

bool ConfigurationLoader::readInterfacesFile()
{
    m_file = InterfacesFile::read();
    return bool(m_file);
}

bool ConfigurationLoader::hasInterfacesFile() const
{
    return bool(m_file);
}

bool ConfigurationLoader::hasUnsupportedOptions() const
{
    return m_file && m_file->hasUnsupportedOptions();
}

void ConfigurationLoader::startEthernetCount()
{
    m_ethernetCount = ShellProcess::startQuery(SystemCommands::ethernetCount());
}

bool ConfigurationLoader::beginQuietly()
{
    if (!readInterfacesFile() || hasUnsupportedOptions()) {
        m_file.reset();
        return false;
    }
    startEthernetCount();
    return true;
}

std::optional<int> ConfigurationLoader::countEthernetDevices()
{
    if (!m_ethernetCount) {
        startEthernetCount();
    }
    const auto firstLine = std::exchange(m_ethernetCount, nullptr)();
    if (!firstLine) {
        qCWarning(QUORLAN) << "cannot start the Ethernet count";
        return std::nullopt;
    }
    return parseCount(*firstLine);
}

bool ConfigurationLoader::fillInterfaceRecords(Interface *records, int ethernetCount)
{
    const InterfacesFile file = std::move(m_file).value_or(InterfacesFile(QStringList()));
    m_file.reset();
    DeviceInventory inventory;
    if (inventory.read(QLatin1String(SystemFiles::DeviceInventory)) < 0) {
        return false;
    }
    if (ethernetCount > SystemFiles::RecordCount) {
        qCWarning(QUORLAN) << ethernetCount << "Ethernet devices found; only the first" << SystemFiles::RecordCount << "can be configured here";
    }
    const int count = std::min(ethernetCount, SystemFiles::RecordCount);
    // Read once for all records; a lease that cannot be read leaves the DHCP
    // addresses empty, and the stanza is still read.
    const std::optional<QByteArray> leases = count > 0 ? TextFile::readBytes(QLatin1String(SystemFiles::DhcpLeases)) : std::nullopt;
    for (int i = 0; i < count; ++i) {
        Interface &record = records[i];
        if (const std::optional<QString> maker = inventory.value(QStringLiteral("network.") + QString::number(i + 1), QStringLiteral("manu"))) {
            record.description = *maker;
        }
        record.present = true;
        record.setInterfaceNumber(i);
        record.parseInterfacesList(file, leases);
    }
    return true;
}
