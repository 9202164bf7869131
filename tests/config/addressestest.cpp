// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTest>

#include "config/addresses.h"

class AddressesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void derivesNetworkAndBroadcast_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("netmask");
        QTest::addColumn<QString>("network");
        QTest::addColumn<QString>("broadcast");

        const QString stale = QStringLiteral("stale");
        QTest::newRow("address then netmask") << "address"
                                              << "192.168.1.10"
                                              << "255.255.255.0"
                                              << "192.168.1.0"
                                              << "192.168.1.255";
        QTest::newRow("netmask then address") << "netmask"
                                              << "192.168.1.10"
                                              << "255.255.255.0"
                                              << "192.168.1.0"
                                              << "192.168.1.255";
        QTest::newRow("class b mask") << "address"
                                      << "172.16.5.4"
                                      << "255.255.0.0"
                                      << "172.16.0.0"
                                      << "172.16.255.255";
        QTest::newRow("host mask") << "address"
                                   << "10.1.2.3"
                                   << "255.255.255.255"
                                   << "10.1.2.3"
                                   << "10.1.2.3";
        QTest::newRow("empty netmask derives nothing") << "address"
                                                       << "192.168.1.10"
                                                       << "" << stale << stale;
        QTest::newRow("empty address derives nothing") << "address"
                                                       << ""
                                                       << "255.255.255.0" << stale << stale;
        QTest::newRow("zero network and broadcast are not stored") << "address"
                                                                   << "0.0.0.0"
                                                                   << "255.255.255.255" << stale << stale;
        QTest::newRow("zero network, broadcast stored") << "address"
                                                        << "0.0.0.0"
                                                        << "255.255.255.0" << stale << "0.0.0.255";
        QTest::newRow("unconvertible address counts as zero") << "address"
                                                              << "bogus"
                                                              << "255.255.255.0" << stale << "0.0.0.255";
        QTest::newRow("unconvertible netmask counts as zero") << "address"
                                                              << "10.0.0.1"
                                                              << "255.255.255.0x" << stale << "255.255.255.255";
    }

    void derivesNetworkAndBroadcast()
    {
        QFETCH(QString, first);
        QFETCH(QString, address);
        QFETCH(QString, netmask);
        QFETCH(QString, network);
        QFETCH(QString, broadcast);

        Addresses addresses;
        addresses.network = QStringLiteral("stale");
        addresses.broadcast = QStringLiteral("stale");
        if (first == QLatin1String("address")) {
            addresses.setIPAddress(address);
            addresses.setNetmask(netmask);
        } else {
            addresses.setNetmask(netmask);
            addresses.setIPAddress(address);
        }
        QCOMPARE(addresses.ipAddress(), address);
        QCOMPARE(addresses.netmask(), netmask);
        QCOMPARE(addresses.network, network);
        QCOMPARE(addresses.broadcast, broadcast);
    }
};

QTEST_GUILESS_MAIN(AddressesTest)
#include "addressestest.moc"
