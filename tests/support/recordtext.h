// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QHash>
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
    const QHash<QString, QString *> texts{{QStringLiteral("net"), &a.network},
                                          {QStringLiteral("bc"), &a.broadcast},
                                          {QStringLiteral("gw"), &a.gateway},
                                          {QStringLiteral("old"), &record.oldIPAddress},
                                          {QStringLiteral("host"), &record.dhcpHostName}};
    const QHash<QString, std::pair<bool *, bool>> flags{{QStringLiteral("absent"), {&record.present, false}},
                                                        {QStringLiteral("auto"), {&record.enabled, true}},
                                                        {QStringLiteral("noauto"), {&record.enabled, false}},
                                                        {QStringLiteral("default"), {&record.defaultGateway, true}}};
    if (texts.contains(key)) {
        *texts.value(key) = value;
    } else if (flags.contains(word)) {
        *flags.value(word).first = flags.value(word).second;
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
    const auto add = [&words](const QString &key, const QString &value) {
        words << (value.isEmpty() ? QString() : key + QLatin1Char('=') + value);
    };
    for (const QString &l : {QString(), QStringLiteral("l")}) {
        const Addresses &a = l.isEmpty() ? record.staticAddresses : record.dhcpAddresses;
        add(l + QLatin1String("ip"), a.ipAddress());
        add(l + QLatin1String("mask"), a.netmask());
        add(l + QLatin1String("net"), a.network);
        add(l + QLatin1String("bc"), a.broadcast);
        add(l + QLatin1String("gw"), a.gateway);
        if (l.isEmpty()) {
            words << QLatin1String(record.defaultGateway ? "default" : "");
            add(QStringLiteral("old"), record.oldIPAddress);
            add(QStringLiteral("host"), record.dhcpHostName);
        }
    }
    words.removeAll(QString());
    return words.join(QLatin1Char(' '));
}
}
