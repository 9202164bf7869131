// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "wirelesskeyvalue.h"

namespace
{
const QLatin1String s_asciiPrefix("s:");
const QLatin1String s_keyWord(" key ");

// " [2]": what follows a key in a four-key value.
QString numberMarker(int number)
{
    return QStringLiteral(" [%1]").arg(number);
}
}

int WirelessKeyValue::keyLength(Type type, Format format)
{
    if (type == Type::Bits64) {
        return format == Format::Ascii ? 5 : 10;
    }
    return format == Format::Ascii ? 13 : 26;
}

int WirelessKeyValue::keysInUse(Type type)
{
    return type == Type::Bits64 ? keyCount : 1;
}

QString WirelessKeyValue::padded(const QString &key, int length)
{
    return key.size() >= length ? key : key + QString(length - key.size(), QLatin1Char('0'));
}

QString WirelessKeyValue::singleKeyValue(const QString &key, bool ascii)
{
    return ascii ? s_asciiPrefix + key : key;
}

QString WirelessKeyValue::fourKeyValue(const QStringList &keys, bool ascii, int defaultKey)
{
    QString value;
    for (int number = 1; number <= keyCount; ++number) {
        value += singleKeyValue(keys.value(number - 1), ascii) + numberMarker(number) + s_keyWord;
    }
    return value + QStringLiteral("[%1]").arg(defaultKey);
}

bool WirelessKeyValue::isAscii(const QString &value)
{
    return value.contains(s_asciiPrefix);
}

bool WirelessKeyValue::holdsFourKeys(const QString &value)
{
    const QString separator = isAscii(value) ? s_keyWord + s_asciiPrefix : QString(s_keyWord);
    return value.count(separator) >= 2;
}

QString WirelessKeyValue::singleKey(const QString &value)
{
    QString key = isAscii(value) ? value.mid(value.indexOf(QLatin1Char(':')) + 1) : value;
    const int bracket = key.indexOf(QLatin1Char('['));
    return bracket < 0 ? key : key.left(bracket);
}

int WirelessKeyValue::defaultKey(const QString &value)
{
    const QString tail = value.right(3);
    const QChar digit = tail.size() > 1 ? tail.at(1) : QChar();
    const int number = digit >= QLatin1Char('0') && digit <= QLatin1Char('9') ? digit.unicode() - '0' : 0;
    const bool bracketed = tail.startsWith(QLatin1Char('[')) && tail.endsWith(QLatin1Char(']'));
    return bracketed && number >= 1 && number <= keyCount ? number : 1;
}

QStringList WirelessKeyValue::fourKeys(const QString &value)
{
    const QString prefix = isAscii(value) ? QString(s_asciiPrefix) : QString();
    QStringList keys;
    int start = value.startsWith(prefix) ? prefix.size() : 0;
    for (int number = 1; number <= keyCount; ++number) {
        const QString marker = numberMarker(number);
        int end = value.indexOf(marker, start);
        if (end < 0) {
            end = value.size();
        }
        keys << value.mid(start, end - start);
        start = end + marker.size() + s_keyWord.size() + prefix.size();
    }
    return keys;
}
