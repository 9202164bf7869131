// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/wirelesskeyvalue.h"

class WirelessKeyValueTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Values that the module itself never writes, as a hand-edited file may hold them.
    void decodesOddValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("fourKeys");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("defaultKey");

        QTest::newRow("one ascii key with an index after it")
            << QStringLiteral("s:abcdefghijklm [2]") << false << QStringList{QStringLiteral("abcdefghijklm ")} << 1;
        QTest::newRow("one key word is not four keys") << QStringLiteral("0123456789 [1] key [1]") << false << QStringList{QStringLiteral("0123456789 ")} << 1;
        QTest::newRow("default key out of range counts as key 1")
            << QStringLiteral("1111111111 [1] key 2222222222 [2] key 3333333333 [3] key 4444444444 [4] key [9]") << true
            << QStringList{QStringLiteral("1111111111"), QStringLiteral("2222222222"), QStringLiteral("3333333333"), QStringLiteral("4444444444")} << 1;
        QTest::newRow("short fourth ascii key gains no blank")
            << QStringLiteral("s:abcde [1] key s:fghij [2] key s:klmno [3] key s:pq [4] key [4]") << true
            << QStringList{QStringLiteral("abcde"), QStringLiteral("fghij"), QStringLiteral("klmno"), QStringLiteral("pq")} << 4;
        QTest::newRow("a value cut after the third key leaves the fourth empty")
            << QStringLiteral("1111111111 [1] key 2222222222 [2] key 3333333333 [3]") << true
            << QStringList{QStringLiteral("1111111111"), QStringLiteral("2222222222"), QStringLiteral("3333333333"), QString()} << 3;
    }

    void decodesOddValues()
    {
        QFETCH(QString, value);
        QFETCH(bool, fourKeys);
        QFETCH(QStringList, keys);
        QFETCH(int, defaultKey);

        QCOMPARE(WirelessKeyValue::holdsFourKeys(value), fourKeys);
        if (fourKeys) {
            QCOMPARE(WirelessKeyValue::isAscii(value) ? WirelessKeyValue::asciiKeys(value) : WirelessKeyValue::hexKeys(value), keys);
            QCOMPARE(WirelessKeyValue::defaultKey(value), defaultKey);
        } else {
            QCOMPARE(WirelessKeyValue::singleKey(value), keys.constFirst());
        }
    }
};

QTEST_GUILESS_MAIN(WirelessKeyValueTest)

#include "wirelesskeyvaluetest.moc"
