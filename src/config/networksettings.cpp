// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "networksettings.h"

#include "changereport.h"
#include "hostsfile.h"
#include "interfacesfile.h"
#include "platform/deviceinventory.h"
#include "platform/ethernetdevices.h"
#include "platform/systemcommands.h"
#include "quorlan_debug.h"
#include "textfile.h"

#include <algorithm>
#include <utility>

namespace
{
/// The maker that the inventory names for the index-th network device, or
/// else the model that udev knows; std::nullopt when neither says anything.
std::optional<QString> description(const DeviceInventory &inventory, int index, const QString &device)
{
    if (const std::optional<QString> maker = inventory.value(QStringLiteral("network.") + QString::number(index + 1), QStringLiteral("manu"))) {
        return maker;
    }
    const QString model = EthernetDevices::modelFromHardwareDatabase(device);
    return model.isEmpty() ? std::nullopt : std::optional(model);
}
}

NetworkSettings::Loaded NetworkSettings::load(const std::function<bool()> &goOnDespiteUnsupportedOptions, bool mayWrite)
{
    if (!m_records.hostIdentity.readConfigFile()) {
        return Loaded::Failed;
    }
    if (!readInterfacesFile()) {
        return Loaded::NoInterfacesFile;
    }
    if (hasUnsupportedOptions() && !goOnDespiteUnsupportedOptions()) {
        return Loaded::Refused;
    }
    if (!fillInterfaceRecords()) {
        return Loaded::Failed;
    }
    m_records.resolverFile.setFileName(QLatin1String(SystemFiles::ResolvConf));
    if (!m_records.resolverFile.readFile()) {
        return Loaded::Failed;
    }
    m_records.wireless = WirelessOptionsFile::load(mayWrite);
    return Loaded::Everything;
}

bool NetworkSettings::readInterfacesFile()
{
    m_file = InterfacesFile::read();
    return bool(m_file);
}

bool NetworkSettings::hasUnsupportedOptions() const
{
    return m_file && m_file->hasUnsupportedOptions();
}

bool NetworkSettings::fillInterfaceRecords()
{
    if (!m_file && !readInterfacesFile()) {
        return false;
    }
    // Taken over: the next load reads the file again.
    const InterfacesFile file = std::exchange(m_file, std::nullopt).value();
    DeviceInventory inventory;
    if (inventory.read(QLatin1String(SystemFiles::DeviceInventory)) < 0) {
        return false;
    }
    const QStringList devices = EthernetDevices::names();
    // Joined: Qt 5 and Qt 6 write a list out differently.
    qCInfo(QUORLAN).noquote() << "Ethernet devices:" << devices.join(QLatin1Char(' '));
    if (devices.size() > SystemFiles::RecordCount) {
        qCWarning(QUORLAN) << "only the first" << SystemFiles::RecordCount << "Ethernet devices can be configured here";
    }
    m_records.ethernetCount = int(devices.size());
    const int count = std::min(m_records.ethernetCount, SystemFiles::RecordCount);
    // Read once for all records; a lease that cannot be read leaves the DHCP
    // addresses empty, and the stanza is still read.
    const std::optional<QByteArray> leases = count > 0 ? TextFile::readBytes(QLatin1String(SystemFiles::DhcpLeases)) : std::nullopt;
    for (int i = 0; i < count; ++i) {
        Interface &record = m_records.interfaces[i];
        record.description = description(inventory, i, devices[i]).value_or(record.description);
        record.present = true;
        record.setInterfaceNumber(i);
        record.deviceName = devices[i];
        record.parseInterfacesList(file, leases);
    }
    return true;
}

NetworkSettings::Records &NetworkSettings::records()
{
    return m_records;
}

const NetworkSettings::Records &NetworkSettings::records() const
{
    return m_records;
}

NetworkSettings::Written NetworkSettings::write(const Records &records, bool identityChanged, ChangeReport changes)
{
    Written written;
    written.stop = stopNetworking();
    if (written.stop.succeeded()) {
        written.filesWritten = writeFiles(records, identityChanged, &changes);
        written.changes = written.filesWritten ? changes.text() : QString();
    }
    return written;
}

NetworkSettings::TakenEffect NetworkSettings::takeEffect(Records records)
{
    TakenEffect effect;
    effect.hostName = ShellProcess::runPrivileged(SystemCommands::setHostName(QLatin1String(SystemFiles::Hostname)));
    if (!effect.hostName.succeeded()) {
        return effect;
    }
    effect.restart = ShellProcess::runPrivileged(SystemCommands::restartNetworking());
    if (!effect.restart.succeeded()) {
        return effect;
    }
    for (Interface &record : records.interfaces) {
        if (record.present && record.enabled && !EthernetDevices::isUp(record.deviceName)) {
            effect.devicesDown << record.deviceName;
            record.enabled = false;
        }
    }
    // Stored as not enabled, they stay down at the next start instead of failing again.
    if (!effect.devicesDown.isEmpty()) {
        effect.stored = writeInterfacesFile(records);
    }
    return effect;
}

ShellProcess::Result NetworkSettings::stopNetworking()
{
    return ShellProcess::runPrivileged(SystemCommands::stopNetworking());
}

bool NetworkSettings::writeFiles(const Records &records, bool identityChanged, ChangeReport *changes)
{
    return writeHostname(records) && writeHosts(records, identityChanged) && writeInterfacesFile(records, changes) && writeDnsFile(records);
}

bool NetworkSettings::writeHostname(const Records &records)
{
    return TextFile::rewriteInPlace(QLatin1String(SystemFiles::Hostname), {records.hostIdentity.hostName});
}

bool NetworkSettings::writeHosts(const Records &records, bool identityChanged)
{
    return HostsFile(records.hostIdentity, records.interfaces.data(), identityChanged).writeHosts();
}

bool NetworkSettings::writeInterfacesFile(const Records &records, ChangeReport *changes)
{
    const std::optional<InterfacesFile::Change> change = InterfacesFile::write(records.interfaces.data(), records.ethernetCount);
    if (change && changes) {
        changes->setInterfacesFile(change->before, change->after);
    }
    return change.has_value();
}

bool NetworkSettings::writeDnsFile(const Records &records)
{
    DnsConfigFile resolverFile = records.resolverFile;
    resolverFile.setDomain(records.hostIdentity.domain);
    return resolverFile.writeFile();
}
