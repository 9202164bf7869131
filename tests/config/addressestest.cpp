// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/addresses.h"

class AddressesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "address netmask network broadcast"; "-" stands for empty, "stale" for what the record held before.
    void derivesNetworkAndBroadcast_data()
    {
        QTest::addColumn<QString>("row");

        QTest::newRow("class c mask") << "192.168.1.10 255.255.255.0 192.168.1.0 192.168.1.255";
        QTest::newRow("class b mask") << "172.16.5.4 255.255.0.0 172.16.0.0 172.16.255.255";
        QTest::newRow("host mask") << "10.1.2.3 255.255.255.255 10.1.2.3 10.1.2.3";
        QTest::newRow("empty netmask derives nothing") << "192.168.1.10 - stale stale";
        QTest::newRow("empty address derives nothing") << "- 255.255.255.0 stale stale";
        QTest::newRow("zero network and broadcast are not stored") << "0.0.0.0 255.255.255.255 stale stale";
        QTest::newRow("zero network, broadcast stored") << "0.0.0.0 255.255.255.0 stale 0.0.0.255";
        QTest::newRow("unconvertible address counts as zero") << "bogus 255.255.255.0 stale 0.0.0.255";
        QTest::newRow("unconvertible netmask counts as zero") << "10.0.0.1 255.255.255.0x stale 255.255.255.255";
    }

    // Whichever of address and netmask comes second derives the other two.
    void derivesNetworkAndBroadcast()
    {
        QFETCH(QString, row);
        const QStringList values = row.replace(QLatin1Char('-'), QString()).split(QLatin1Char(' '));
        for (const bool addressFirst : {true, false}) {
            Addresses addresses;
            addresses.network = addresses.broadcast = QStringLiteral("stale");
            if (addressFirst) {
                addresses.setIPAddress(values[0]);
                addresses.setNetmask(values[1]);
            } else {
                addresses.setNetmask(values[1]);
                addresses.setIPAddress(values[0]);
            }
            const QStringList result{addresses.ipAddress(), addresses.netmask(), addresses.network, addresses.broadcast};
            QCOMPARE(result, values);
        }
    }
};

QTEST_GUILESS_MAIN(AddressesTest)
#include "addressestest.moc"
