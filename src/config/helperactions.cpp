// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "helperactions.h"

#include "applyrequest.h"
#include "changereport.h"
#include "networksettings.h"
#include "platform/dhcpclient.h"
#include "quorlan_debug.h"

#include <algorithm>

namespace
{
/// The settings as the system files hold them now; std::nullopt when they cannot be read.
std::optional<NetworkSettings::Records> currentRecords()
{
    NetworkSettings settings;
    // The user saw these options on the page and chose to go on; the wireless
    // file is left as it is until the request says to write it.
    const auto goOn = [] {
        return true;
    };
    if (settings.load(goOn, false) != NetworkSettings::Loaded::Everything) {
        return std::nullopt;
    }
    return settings.records();
}

int deviceCount(const NetworkSettings::Records &records)
{
    return std::min(records.ethernetCount, SystemFiles::RecordCount);
}

HelperActions::Reply refused(const QString &reason)
{
    qCWarning(QUORLAN) << "refused:" << reason;
    return {{}, QLatin1String("refused: ") + reason};
}

HelperActions::Reply unreadable()
{
    return {{}, QStringLiteral("the current settings cannot be read")};
}

void putResult(QVariantMap &data, const QString &name, const ShellProcess::Result &result)
{
    data.insert(name + QLatin1String("Started"), result.started);
    data.insert(name + QLatin1String("Succeeded"), result.succeeded());
}

ShellProcess::Result resultFrom(const QVariantMap &data, const QString &name)
{
    const bool succeeded = data.value(name + QLatin1String("Succeeded")).toBool();
    return {data.value(name + QLatin1String("Started")).toBool(), succeeded, succeeded ? 0 : 1};
}

bool holdsOnly(const QVariantMap &map, const QStringList &keys)
{
    return std::all_of(map.keyBegin(), map.keyEnd(), [&keys](const QString &key) {
        return keys.contains(key);
    });
}
}

HelperActions::Reply HelperActions::write(const QVariantMap &request)
{
    std::optional<NetworkSettings::Records> records = currentRecords();
    if (!records) {
        return unreadable();
    }
    QString refusal;
    const std::optional<ApplyRequest> parsed = ApplyRequest::fromMap(request, deviceCount(*records), &refusal);
    if (!parsed) {
        return refused(refusal);
    }
    parsed->applyTo(*records);
    const ChangeReport before;
    Reply reply;
    reply.data.insert(QStringLiteral("wirelessWritten"), !parsed->wireless || parsed->wireless->write());
    const NetworkSettings::Written written = NetworkSettings::write(*records, parsed->identityChanged, before);
    putResult(reply.data, QStringLiteral("stop"), written.stop);
    reply.data.insert(QStringLiteral("filesWritten"), written.filesWritten);
    reply.data.insert(QStringLiteral("changes"), written.changes);
    return reply;
}

HelperActions::Reply HelperActions::takeEffect(const QVariantMap &request)
{
    if (!request.isEmpty()) {
        return refused(QLatin1String("unknown key ") + request.firstKey());
    }
    const std::optional<NetworkSettings::Records> records = currentRecords();
    if (!records) {
        return unreadable();
    }
    const NetworkSettings::TakenEffect effect = NetworkSettings::takeEffect(*records);
    Reply reply;
    putResult(reply.data, QStringLiteral("hostName"), effect.hostName);
    putResult(reply.data, QStringLiteral("restart"), effect.restart);
    reply.data.insert(QStringLiteral("devicesDown"), effect.devicesDown);
    reply.data.insert(QStringLiteral("stored"), effect.stored);
    return reply;
}

HelperActions::Reply HelperActions::lease(const QVariantMap &request)
{
    const QVariant device = request.value(QStringLiteral("device"));
    const QVariant renew = request.value(QStringLiteral("renew"));
    if (!holdsOnly(request, {QStringLiteral("device"), QStringLiteral("renew")}) || device.userType() != QMetaType::Int
        || renew.userType() != QMetaType::Bool) {
        return refused(QStringLiteral("a lease request holds a device index and a flag, nothing else"));
    }
    const std::optional<NetworkSettings::Records> records = currentRecords();
    if (!records) {
        return unreadable();
    }
    const int index = device.toInt();
    if (index < 0 || index >= deviceCount(*records)) {
        return refused(QLatin1String("device index out of range: ") + QString::number(index));
    }
    const QString name = records->interfaces[index].deviceName;
    const bool succeeded = renew.toBool() ? DhcpClient::renew(name) : DhcpClient::release(name);
    return {{{QStringLiteral("succeeded"), succeeded}}, QString()};
}

NetworkSettings::Written HelperActions::writtenFrom(const QVariantMap &data)
{
    NetworkSettings::Written written;
    written.stop = resultFrom(data, QStringLiteral("stop"));
    written.filesWritten = data.value(QStringLiteral("filesWritten")).toBool();
    written.changes = data.value(QStringLiteral("changes")).toString();
    return written;
}

NetworkSettings::TakenEffect HelperActions::takenEffectFrom(const QVariantMap &data)
{
    NetworkSettings::TakenEffect effect;
    effect.hostName = resultFrom(data, QStringLiteral("hostName"));
    effect.restart = resultFrom(data, QStringLiteral("restart"));
    effect.devicesDown = data.value(QStringLiteral("devicesDown")).toStringList();
    effect.stored = data.value(QStringLiteral("stored")).toBool();
    return effect;
}
