// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

#include "config/interface.h"

/**
 * Interface records as one line of words, so that a test row states a whole
 * record: "eth0 auto static ip=192.168.1.10 mask=255.255.255.0 gw=192.168.1.1 default".
 * ethN starts record N (present); then absent, auto, noauto, static, dhcp, default,
 * and key=value for ip, mask, net, bc, gw, old, host and, after an "l", the lease's
 * addresses (lip=, lmask=...). describe() writes the settings back in the same
 * words, leaving out the defaults (noauto, static, empty fields).
 */
namespace RecordText
{
inline void setWord(Interface &record, const QString &word)
{
    const bool lease = word.startsWith(QLatin1Char('l'));
    Addresses &a = lease ? record.dhcpAddresses : record.staticAddresses;
    const QString key = word.section(QLatin1Char('='), 0, 0).mid(lease ? 1 : 0), value = word.section(QLatin1Char('='), 1);
    QString *const texts[] = {&a.network, &a.broadcast, &a.gateway, &record.oldIPAddress, &record.dhcpHostName};
    const int text = QStringLiteral("net bc gw old host").split(QLatin1Char(' ')).indexOf(key);
    bool *const flags[] = {&record.present, &record.enabled, &record.enabled, &record.defaultGateway};
    const int flag = QStringLiteral("absent auto noauto default").split(QLatin1Char(' ')).indexOf(word);
    if (text >= 0) {
        *texts[text] = value;
    } else if (flag >= 0) {
        *flags[flag] = flag % 2 == 1; // auto and default set their flag, absent and noauto clear it
    } else if (key == QLatin1String("ip") || key == QLatin1String("mask")) {
        key == QLatin1String("ip") ? a.setIPAddress(value) : a.setNetmask(value);
    } else if (word == QLatin1String("static") || word == QLatin1String("dhcp")) {
        record.method = word == QLatin1String("dhcp") ? Interface::Dhcp : Interface::Static;
    } else {
        qFatal("unknown record word %s", qPrintable(word));
    }
}

/// Records eth0 to eth4; those the text does not name are absent.
inline QVector<Interface> records(const QString &text)
{
    QVector<Interface> result(5);
    for (int number = 0; number < result.size(); ++number) {
        result[number].setInterfaceNumber(number);
    }
    Interface *record = nullptr;
    for (const QString &word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word.startsWith(QLatin1String("eth"))) {
            record = &result[word.mid(3).toInt()];
            record->present = true;
        } else {
            setWord(*record, word);
        }
    }
    return result;
}

inline QString describe(const Interface &record)
{
    QStringList words{QLatin1String(record.enabled ? "auto" : ""), QLatin1String(record.method == Interface::Dhcp ? "dhcp" : "")};
    for (const QString &l : {QString(), QStringLiteral("l")}) {
        const Addresses &a = l.isEmpty() ? record.staticAddresses : record.dhcpAddresses;
        const QString values[] = {a.ipAddress(), a.netmask(), a.network, a.broadcast, a.gateway};
        for (int i = 0; i < int(std::size(values)); ++i) {
            words << l + QStringLiteral("ip mask net bc gw").section(QLatin1Char(' '), i, i) + QLatin1Char('=') + values[i];
        }
        if (l.isEmpty()) {
            words << QLatin1String(record.defaultGateway ? "default" : "") << QLatin1String("old=") + record.oldIPAddress
                  << QLatin1String("host=") + record.dhcpHostName;
        }
    }
    // Leaves out the empty words and fields.
    return words.filter(QRegularExpression(QStringLiteral("^(?!([a-z]*=)?$)"))).join(QLatin1Char(' '));
}
}
