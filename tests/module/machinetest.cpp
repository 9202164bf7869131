// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The machine as the module sees it from outside: its Ethernet devices in
// /sys/class/net and udev's database, and its DHCP client in /proc.

#include <QTest>

#include "addrow.h"
#include "platform/dhcpclient.h"
#include "platform/ethernetdevices.h"
#include "systemroot.h"

namespace
{
void addDevice(const SystemRoot &root, const QString &name, const QByteArray &type, int index, const QByteArray &flags)
{
    const QString folder = QLatin1String("/sys/class/net/") + name + QLatin1Char('/');
    root.write(folder + QLatin1String("type"), type + '\n');
    root.write(folder + QLatin1String("ifindex"), QByteArray::number(index) + '\n');
    root.write(folder + QLatin1String("flags"), flags + '\n');
}
}

class MachineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Beside eth0 (interface index 2), one more device (index 10), made of its type and one entry.
    void findsTheEthernetCards_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("found");

        addRow("an Ethernet card, after eth0 in the kernel's order though before it by name",
               "enp0s31f6",
               QByteArray("1"),
               "uevent",
               QByteArray("INTERFACE=enp0s31f6\nIFINDEX=10\n"),
               "eth0 enp0s31f6");
        addRow("the loopback device", "lo", QByteArray("772"), "uevent", QByteArray("INTERFACE=lo\n"), "eth0");
        addRow("a wireless card, by its wireless folder", "wlan0", QByteArray("1"), "wireless/link", QByteArray("0\n"), "eth0");
        addRow("a wireless card, by its phy80211 link", "wlp2s0", QByteArray("1"), "phy80211/name", QByteArray("phy0\n"), "eth0");
        addRow("a bridge", "br0", QByteArray("1"), "bridge/stp_state", QByteArray("0\n"), "eth0");
        addRow("a bond", "bond0", QByteArray("1"), "bonding/mode", QByteArray("active-backup 1\n"), "eth0");
        addRow("a VLAN", "eth0.20", QByteArray("1"), "uevent", QByteArray("DEVTYPE=vlan\nINTERFACE=eth0.20\n"), "eth0");
        addRow("a port of a bridge: the host side of a container's veth pair", "veth1", QByteArray("1"), "master", QByteArray(""), "eth0");
    }

    void findsTheEthernetCards()
    {
        QFETCH(QString, device);
        QFETCH(QByteArray, type);
        QFETCH(QString, entry);
        QFETCH(QByteArray, content);
        const SystemRoot root;
        addDevice(root, QStringLiteral("eth0"), "1", 2, "0x1003");
        addDevice(root, device, type, 10, "0x1003");
        root.write(QLatin1String("/sys/class/net/") + device + QLatin1Char('/') + entry, content);
        QTEST(EthernetDevices::names().join(QLatin1Char(' ')), "found");
    }

    // The check after a restart, on eth1 (down), eth10 (up), enp1s0 (up and running) and eth2 (flags unreadable).
    void checksADeviceByItsWholeName_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("up");

        addRow("eth1 is down, although eth10 is up", "eth1", false);
        addRow("eth10 is up", "eth10", true);
        addRow("enp1s0 is up", "enp1s0", true);
        addRow("flags that are no number", "eth2", false);
        addRow("a device that does not exist", "eth3", false);
    }

    void checksADeviceByItsWholeName()
    {
        QFETCH(QString, device);
        const SystemRoot root;
        addDevice(root, QStringLiteral("eth1"), "1", 2, "0x1002");
        addDevice(root, QStringLiteral("eth10"), "1", 3, "0x1003");
        addDevice(root, QStringLiteral("enp1s0"), "1", 4, "0x11043");
        addDevice(root, QStringLiteral("eth2"), "1", 5, "up");
        QTEST(EthernetDevices::isUp(device), "up");
    }

    void readsTheModelFromUdev_data()
    {
        QTest::addColumn<QByteArray>("data"); // udev's entry for interface index 2; null: none
        QTest::addColumn<QString>("model");

        addRow("the model of the hardware database",
               QByteArray("I:3001\nE:ID_MODEL_FROM_DATABASE=82540EM Gigabit Ethernet Controller\nE:ID_BUS=pci\n"),
               "82540EM Gigabit Ethernet Controller");
        addRow("an entry without a model", QByteArray("I:3001\nE:ID_VENDOR_FROM_DATABASE=Intel Corporation\n"), "");
        addRow("no entry", QByteArray(), "");
    }

    void readsTheModelFromUdev()
    {
        QFETCH(QByteArray, data);
        const SystemRoot root;
        addDevice(root, QStringLiteral("eth0"), "1", 2, "0x1003");
        if (!data.isNull()) {
            root.write(QStringLiteral("/run/udev/data/n2"), data);
        }
        QTEST(EthernetDevices::modelFromHardwareDatabase(QStringLiteral("eth0")), "model");
    }

    void probesTheDhcpClient_data()
    {
        QTest::addColumn<QByteArray>("pidFile"); // null: none
        QTest::addColumn<QByteArray>("commandLine"); // of process 4242; null: no such process
        QTest::addColumn<bool>("running");

        addRow("no pid file", QByteArray(), QByteArray(), false);
        addRow("an empty pid file", QByteArray(""), QByteArray("/sbin/dhclient\0eth0\0", 20), false);
        addRow("a stale pid: no such process", QByteArray("4242\n"), QByteArray(), false);
        addRow("a process that is not dhclient", QByteArray("4242\n"), QByteArray("/usr/sbin/sshd\0-D\0", 18), false);
        addRow("a program that names dhclient only in an argument", QByteArray("4242\n"), QByteArray("/usr/bin/less\0/var/dhcp/dhclient.leases\0", 40), false);
        addRow("dhclient, its arguments naming other things", QByteArray("4242\n"), QByteArray("/sbin/dhclient\0-pf\0/run/eth0.pid\0eth0\0", 38), true);
        addRow("dhclient started by its name, the pid between blanks", QByteArray(" 4242 \n"), QByteArray("dhclient\0-v\0", 12), true);
    }

    void probesTheDhcpClient()
    {
        QFETCH(QByteArray, pidFile);
        QFETCH(QByteArray, commandLine);
        const SystemRoot root;
        if (!pidFile.isNull()) {
            root.write(QStringLiteral("/var/run/dhclient.pid"), pidFile);
        }
        if (!commandLine.isNull()) {
            root.write(QStringLiteral("/proc/4242/cmdline"), commandLine);
        }
        QTEST(DhcpClient::running(), "running");
    }
};

QTEST_GUILESS_MAIN(MachineTest)

#include "machinetest.moc"
