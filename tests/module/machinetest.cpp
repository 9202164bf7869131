// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The machine as the module sees it from outside: whether its Ethernet
// devices are up, and whether its DHCP client runs.

#include <QTest>

#include "addrow.h"
#include "platform/dhcpclient.h"
#include "platform/ethernetdevices.h"
#include "systemroot.h"

namespace
{
void addDevice(const SystemRoot &root, const QString &name, const QByteArray &flags)
{
    root.write(QLatin1String("/sys/class/net/") + name + QLatin1String("/flags"), flags + '\n');
}
}

class MachineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The check after a restart, on eth1 (down), eth10 (up), enp1s0 (up and running) and eth2 (flags unreadable).
    void checksADeviceByItsWholeName_data()
    {
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("up");

        addRow("eth1 is down, although eth10 is up", "eth1", false);
        addRow("enp1s0 is up", "enp1s0", true);
        addRow("flags that are no number", "eth2", false);
        addRow("a device that does not exist", "eth3", false);
    }

    void checksADeviceByItsWholeName()
    {
        QFETCH(QString, device);
        const SystemRoot root;
        addDevice(root, QStringLiteral("eth1"), "0x1002");
        addDevice(root, QStringLiteral("eth10"), "0x1003");
        addDevice(root, QStringLiteral("enp1s0"), "0x11043");
        addDevice(root, QStringLiteral("eth2"), "up");
        QTEST(EthernetDevices::isUp(device), "up");
    }

    void probesTheDhcpClient_data()
    {
        QTest::addColumn<QByteArray>("pidFile"); // null: none
        QTest::addColumn<QByteArray>("commandLine"); // of process 4207; null: no such process
        QTest::addColumn<bool>("running");

        addRow("no pid file", QByteArray(), QByteArray(), false);
        addRow("an empty pid file", QByteArray(""), QByteArray("/sbin/dhclient\0eth0\0", 20), false);
        addRow("a stale pid: no such process", QByteArray("4207\n"), QByteArray(), false);
        addRow("a process that is not dhclient", QByteArray("4207\n"), QByteArray("/usr/sbin/sshd\0-D\0", 18), false);
        addRow("a program that names dhclient only in an argument", QByteArray("4207\n"), QByteArray("/usr/bin/less\0/var/dhcp/dhclient.leases\0", 40), false);
        addRow("dhclient, its arguments naming other things", QByteArray("4207\n"), QByteArray("/sbin/dhclient\0-pf\0/run/eth0.pid\0eth0\0", 38), true);
        addRow("dhclient started by its name, the pid between blanks", QByteArray(" 4207 \n"), QByteArray("dhclient\0-v\0", 12), true);
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
            root.write(QStringLiteral("/proc/4207/cmdline"), commandLine);
        }
        QTEST(DhcpClient::running(), "running");
    }
};

QTEST_GUILESS_MAIN(MachineTest)

#include "machinetest.moc"
