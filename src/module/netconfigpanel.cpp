// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "netconfigpanel.h"

#include <KLocalizedString>

#include "config/interfacesfile.h"
#include "platform/deviceinventory.h"
#include "platform/messages.h"
#include "quorlan_debug.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <memory>

namespace
{
const char *const DeviceInventoryPath = "/etc/devices/devices.inf";
const char *const ResolverPath = "/etc/resolv.conf";

// Counts the lines of the interface listing that start with eth and a digit,
// leaving out alias lines such as eth0:1.
const char *const EthernetCountCommand = "/sbin/ifconfig -a | /bin/egrep ^eth[0-9] | /bin/egrep -v ^eth[0-9]+:[0-9]+.*$ | /usr/bin/wc -l";

QString caption()
{
    return i18n("TCP/IP");
}

// The number at the start of the first output line, read as strtol reads it
// (leading blanks skipped, anything else ends the number, no number is 0).
// Only the first 31 bytes count, as if read into a 32-byte buffer.
int parseCount(const QByteArray &firstLine)
{
    const QByteArray text = firstLine.left(31);
    const long count = std::strtol(text.constData(), nullptr, 10);
    return int(std::clamp(count, 0L, long(INT_MAX)));
}

using DeviceInventoryHandle = std::unique_ptr<DeviceInventory, decltype(&ReleaseTextFile)>;
}

NetConfigPanel::NetConfigPanel(QWidget *parent, const char *name, bool readOnly)
    : QWidget(parent)
{
    if (name) {
        setObjectName(QString::fromLatin1(name));
    }
    connectTabs();
    setReadOnly(readOnly);
}

bool NetConfigPanel::loadSettings()
{
    if (!readConfigData()) {
        return false;
    }
    handTabsTheirRecords();
    Q_EMIT panelChanged(false);
    return true;
}

bool NetConfigPanel::applySettings()
{
    // Saving needs the tabs to store their values first; until they exist
    // there is nothing to write, and the files must stay as they are.
    return true;
}

bool NetConfigPanel::readConfigData()
{
    if (!m_basicNetCfg.readConfigFile() || !checkInterfacesFile() || !parseInterfacesFile()) {
        return false;
    }
    m_dnsConfigFile.setFileName(QString::fromLatin1(ResolverPath));
    return m_dnsConfigFile.readFile();
}

std::optional<QStringList> NetConfigPanel::readInterfacesLines()
{
    auto lines = InterfacesFile::readLines();
    if (!lines) {
        Messages::error(this, i18n("Unable to find file /etc/network/interfaces!"), caption());
    }
    return lines;
}

bool NetConfigPanel::checkInterfacesFile()
{
    const auto lines = readInterfacesLines();
    if (!lines) {
        return false;
    }
    if (!InterfacesFile::hasUnsupportedOptions(*lines)) {
        return true;
    }
    const QString question = i18n(
        "The /etc/network/interfaces file contains some tags that are not supported by this program. If the file has been manually modified, please exit "
        "the program in order to keep those changes. Continue running this program may overwrite such modification.\nDo you wish to continue?");
    return Messages::warningYesNo(this, question, caption()) == Messages::Answer::Yes;
}

bool NetConfigPanel::parseInterfacesFile()
{
    const auto lines = readInterfacesLines();
    return lines && countEthernetDevices() && fillInterfaceRecords(*lines);
}

bool NetConfigPanel::countEthernetDevices()
{
    const auto firstLine = ShellProcess::query(QString::fromLatin1(EthernetCountCommand));
    if (!firstLine) {
        qCWarning(QUORLAN) << "cannot start the Ethernet count";
        return false;
    }
    m_ethernetCount = parseCount(*firstLine);
    return true;
}

bool NetConfigPanel::fillInterfaceRecords(const QStringList &lines)
{
    const DeviceInventoryHandle inventory(CreateTextFile(), &ReleaseTextFile);
    if (!inventory || TextParseFile(inventory.get(), DeviceInventoryPath) < 0) {
        return false;
    }
    if (m_ethernetCount > InterfacesFile::RecordCount) {
        qCWarning(QUORLAN) << m_ethernetCount << "Ethernet devices found; only the first" << InterfacesFile::RecordCount << "can be configured here";
    }
    const int records = std::min(m_ethernetCount, InterfacesFile::RecordCount);
    for (int i = 0; i < records; ++i) {
        Interface &record = m_interfaces[i];
        const QByteArray section = "network." + QByteArray::number(i + 1);
        if (const char *maker = EtcDevSearch(inventory.get(), section.constData(), "manu")) {
            record.description = QString::fromUtf8(maker);
        }
        record.present = true;
        record.setInterfaceNumber(i);
        // A lease that cannot be read leaves the DHCP addresses empty; the stanza is still read.
        record.parseInterfacesList(lines);
    }
    return true;
}

bool NetConfigPanel::writeInterfacesFile()
{
    return InterfacesFile::write(m_interfaces.data(), m_ethernetCount);
}

bool NetConfigPanel::isReadOnly() const
{
    return m_readOnly;
}

void NetConfigPanel::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    setTabsReadOnly(readOnly);
}

const BasicNetCfg &NetConfigPanel::hostIdentity() const
{
    return m_basicNetCfg;
}

const NetConfigPanel::InterfaceRecords &NetConfigPanel::interfaceRecords() const
{
    return m_interfaces;
}

const DnsConfigFile &NetConfigPanel::resolverFile() const
{
    return m_dnsConfigFile;
}

int NetConfigPanel::ethernetCount() const
{
    return m_ethernetCount;
}

// The tabs plug in below: each function is the one place where the panel
// meets them, so that adding the tabs touches nothing else.

void NetConfigPanel::connectTabs()
{
    // Each tab's panelChanged(bool) will be relayed as this panel's panelChanged(bool),
    // and its reload requests will re-read the files.
}

void NetConfigPanel::handTabsTheirRecords()
{
    // In this order: the host identity, the first interface record, the resolver
    // file; the Wireless tab reads its own file.
}

void NetConfigPanel::setTabsReadOnly(bool readOnly)
{
    // In this order: Identification, Interfaces, DNS, Wireless.
    Q_UNUSED(readOnly)
}
