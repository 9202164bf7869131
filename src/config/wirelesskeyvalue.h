// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>
#include <QStringList>

/**
 * The WEP key rules and the value of the key line of the wireless settings file.
 *
 * A key type is "40/64 bit" (four keys and a default key) or "128 bit" (one
 * key); a key format "ASCII" or "Hexadecimal".
 *
 * A 128-bit value is the key itself, after "s:" for ASCII. A 40/64-bit value
 * names the four keys and the default one, as the card tools take it:
 *     s:key1 [1] key s:key2 [2] key s:key3 [3] key s:key4 [4] key [2]
 * (the same without "s:" for hexadecimal keys).
 */
class WirelessKeyValue
{
public:
    /// In the order the Wireless tab lists them.
    enum class Type {
        Bits64,
        Bits128,
    };
    enum class Format {
        Ascii,
        Hexadecimal,
    };

    static constexpr int keyCount = 4;

    /// Full length of a key: 5, 10, 13 or 26 characters.
    static int keyLength(Type type, Format format);
    /// Four keys for 40/64 bit, one for 128 bit.
    static int keysInUse(Type type);
    /// The key extended on the right with "0" up to length; a longer key stays as it is.
    static QString padded(const QString &key, int length);

    static QString singleKeyValue(const QString &key, bool ascii);
    /// defaultKey counts from 1.
    static QString fourKeyValue(const QStringList &keys, bool ascii, int defaultKey);

    /// An ASCII value carries "s:" somewhere; anything else is hexadecimal.
    static bool isAscii(const QString &value);
    /// Whether the value names four keys (40/64 bit) rather than one (128 bit).
    static bool holdsFourKeys(const QString &value);
    /// The key of a one-key value: without "s:" and without anything from a "[" on.
    static QString singleKey(const QString &value);
    /// The default key number (1 to 4) closing a four-key value; 1 when it names none.
    static int defaultKey(const QString &value);
    /// The four keys of a four-key value, an ASCII key without its "s:".
    static QStringList fourKeys(const QString &value);
};
