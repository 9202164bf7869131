// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "applyrequest.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace
{
const QString HostName = QStringLiteral("hostName");
const QString Domain = QStringLiteral("domain");
const QString IdentityChanged = QStringLiteral("identityChanged");
const QString Nameservers = QStringLiteral("nameservers");
const QString Wireless = QStringLiteral("wireless");
const QString Essid = QStringLiteral("wireless.essid");
const QString Mode = QStringLiteral("wireless.mode");
const QString Channel = QStringLiteral("wireless.channel");
const QString Rate = QStringLiteral("wireless.rate");
const QString KeyEnabled = QStringLiteral("wireless.keyEnabled");
const QString Key = QStringLiteral("wireless.key");

const QStringList DeviceFields = {
    QStringLiteral("enabled"),
    QStringLiteral("dhcp"),
    QStringLiteral("address"),
    QStringLiteral("netmask"),
    QStringLiteral("gateway"),
    QStringLiteral("defaultGateway"),
    QStringLiteral("dhcpHostName"),
};

QString deviceKey(int index, const QString &field)
{
    return QLatin1String("device") + QString::number(index) + QLatin1Char('.') + field;
}

bool isDottedQuad(const QString &text)
{
    static const QRegularExpression quad(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch match = quad.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    for (int part = 1; part <= 4; ++part) {
        if (match.captured(part).toInt() > 255) {
            return false;
        }
    }
    return true;
}

// Letters, digits and inner hyphens, in labels joined by dots: nothing a shell reads.
bool isHostName(const QString &text)
{
    static const QRegularExpression name(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?(\\.[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?)*$"));
    return name.match(text).hasMatch();
}

bool holdsControlCharacter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph;
    });
}

/// Takes the map's values one by one, each of one type, and remembers the first refusal.
class MapReader
{
public:
    explicit MapReader(const QVariantMap &map)
        : m_map(map)
    {
    }

    bool flag(const QString &key)
    {
        const QVariant value = take(key, QMetaType::Bool);
        return value.toBool();
    }

    QString text(const QString &key)
    {
        const QString value = take(key, QMetaType::QString).toString();
        checkText(key, value);
        return value;
    }

    QString address(const QString &key)
    {
        const QString value = text(key);
        if (!value.isEmpty() && !isDottedQuad(value)) {
            refuse(key + QLatin1String(" is no IPv4 address"));
        }
        return value;
    }

    QString hostName(const QString &key)
    {
        const QString value = text(key);
        if (!value.isEmpty() && !isHostName(value)) {
            refuse(key + QLatin1String(" is no host name"));
        }
        return value;
    }

    QStringList addresses(const QString &key, int most)
    {
        const QStringList values = take(key, QMetaType::QStringList).toStringList();
        if (values.size() > most) {
            refuse(key + QLatin1String(" holds too many values"));
        }
        for (const QString &value : values) {
            checkText(key, value);
            if (!isDottedQuad(value)) {
                refuse(key + QLatin1String(" holds no IPv4 address"));
            }
        }
        return values;
    }

    /// Refuses the keys not taken; call it after taking every key.
    void refuseTheRest()
    {
        for (auto it = m_map.cbegin(); it != m_map.cend(); ++it) {
            if (!m_taken.contains(it.key())) {
                refuse(QLatin1String("unknown key ") + it.key());
            }
        }
    }

    void refuse(const QString &reason)
    {
        if (m_refusal.isEmpty()) {
            m_refusal = reason;
        }
    }

    const QString &refusal() const
    {
        return m_refusal;
    }

private:
    QVariant take(const QString &key, QMetaType::Type type)
    {
        m_taken.insert(key);
        const auto it = m_map.constFind(key);
        if (it == m_map.cend()) {
            refuse(QLatin1String("missing key ") + key);
            return QVariant();
        }
        if (it->userType() != type) {
            refuse(key + QLatin1String(" has the wrong type"));
            return QVariant();
        }
        return *it;
    }

    void checkText(const QString &key, const QString &value)
    {
        if (value.size() > ApplyRequest::MaxTextLength) {
            refuse(key + QLatin1String(" is too long"));
        } else if (holdsControlCharacter(value)) {
            refuse(key + QLatin1String(" holds a control character"));
        }
    }

    const QVariantMap &m_map;
    QSet<QString> m_taken;
    QString m_refusal;
};

/// The highest device index that a key of the map names; none when no key names one.
std::optional<int> highestDeviceIndex(const QVariantMap &map)
{
    static const QRegularExpression deviceKeyPattern(QStringLiteral("^device(\\d{1,9})\\."));
    std::optional<int> highest;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const QRegularExpressionMatch match = deviceKeyPattern.match(it.key());
        if (match.hasMatch()) {
            highest = std::max(highest.value_or(0), match.captured(1).toInt());
        }
    }
    return highest;
}

ApplyRequest::Device readDevice(MapReader &reader, int index)
{
    ApplyRequest::Device device;
    device.enabled = reader.flag(deviceKey(index, DeviceFields[0]));
    device.dhcp = reader.flag(deviceKey(index, DeviceFields[1]));
    device.address = reader.address(deviceKey(index, DeviceFields[2]));
    device.netmask = reader.address(deviceKey(index, DeviceFields[3]));
    device.gateway = reader.address(deviceKey(index, DeviceFields[4]));
    device.defaultGateway = reader.flag(deviceKey(index, DeviceFields[5]));
    device.dhcpHostName = reader.hostName(deviceKey(index, DeviceFields[6]));
    return device;
}

std::optional<WirelessOptionsFile> readWireless(MapReader &reader)
{
    const bool write = reader.flag(Wireless);
    WirelessOptionsFile file;
    file.essid = reader.text(Essid);
    file.mode = reader.text(Mode);
    file.channel = reader.text(Channel);
    file.rate = reader.text(Rate);
    const bool keyEnabled = reader.flag(KeyEnabled);
    file.key = WirelessOptionsFile::KeyLine{keyEnabled, reader.text(Key)};
    return write ? std::optional(file) : std::nullopt;
}
}

ApplyRequest ApplyRequest::fromRecords(const NetworkSettings::Records &records, bool identityChanged, const std::optional<WirelessOptionsFile> &wireless)
{
    ApplyRequest request;
    request.hostName = records.hostIdentity.hostName;
    request.domain = records.hostIdentity.domain;
    request.identityChanged = identityChanged;
    request.nameservers = records.resolverFile.nameservers();
    for (const Interface &record : records.interfaces) {
        if (!record.present) {
            break;
        }
        const Addresses &a = record.staticAddresses;
        request.devices
            << Device{record.enabled, record.method == Interface::Dhcp, a.ipAddress(), a.netmask(), a.gateway, record.defaultGateway, record.dhcpHostName};
    }
    request.wireless = wireless;
    return request;
}

QVariantMap ApplyRequest::toMap() const
{
    QVariantMap map{
        {HostName, hostName},
        {Domain, domain},
        {IdentityChanged, identityChanged},
        {Nameservers, nameservers},
    };
    for (int i = 0; i < devices.size(); ++i) {
        const Device &d = devices[i];
        const QVariantList values{d.enabled, d.dhcp, d.address, d.netmask, d.gateway, d.defaultGateway, d.dhcpHostName};
        for (int field = 0; field < DeviceFields.size(); ++field) {
            map.insert(deviceKey(i, DeviceFields[field]), values[field]);
        }
    }
    const WirelessOptionsFile file = wireless.value_or(WirelessOptionsFile());
    const WirelessOptionsFile::KeyLine key = file.key.value_or(WirelessOptionsFile::KeyLine());
    map.insert(Wireless, wireless.has_value());
    map.insert(Essid, file.essid.value_or(QString()));
    map.insert(Mode, file.mode.value_or(QString()));
    map.insert(Channel, file.channel.value_or(QString()));
    map.insert(Rate, file.rate.value_or(QString()));
    map.insert(KeyEnabled, key.enabled);
    map.insert(Key, key.value);
    return map;
}

std::optional<ApplyRequest> ApplyRequest::fromMap(const QVariantMap &map, int deviceCount, QString *refusal)
{
    MapReader reader(map);
    if (const std::optional<int> highest = highestDeviceIndex(map); highest && *highest >= deviceCount) {
        reader.refuse(QLatin1String("device index out of range: ") + QString::number(*highest));
    }
    ApplyRequest request;
    request.hostName = reader.hostName(HostName);
    if (request.hostName.isEmpty()) {
        reader.refuse(QStringLiteral("hostName is empty"));
    }
    request.domain = reader.hostName(Domain);
    request.identityChanged = reader.flag(IdentityChanged);
    request.nameservers = reader.addresses(Nameservers, MaxNameservers);
    for (int i = 0; i < deviceCount; ++i) {
        request.devices << readDevice(reader, i);
    }
    request.wireless = readWireless(reader);
    reader.refuseTheRest();
    if (!reader.refusal().isEmpty()) {
        *refusal = reader.refusal();
        return std::nullopt;
    }
    return request;
}

void ApplyRequest::applyTo(NetworkSettings::Records &records) const
{
    records.hostIdentity.hostName = hostName;
    records.hostIdentity.domain = domain;
    records.resolverFile.clear();
    for (const QString &server : nameservers) {
        records.resolverFile.addNameserver(server);
    }
    const int count = std::min(int(devices.size()), SystemFiles::RecordCount);
    for (int i = 0; i < count; ++i) {
        const Device &d = devices[i];
        Interface &record = records.interfaces[i];
        record.enabled = d.enabled;
        record.saveSettings(d.dhcp, d.address, d.netmask, d.gateway, d.dhcpHostName);
        record.defaultGateway = d.defaultGateway;
    }
}
