// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QFile>
#include <QTest>

#include "addrow.h"
#include "platform/deviceinventory.h"
#include "systemroot.h"
#include "unprivilegedrun.h"

namespace
{
const QString InventoryPath = QStringLiteral("/etc/devices/devices.inf");
}

class DeviceInventoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsSectionsAndKeys_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<QString>("lookup"); // section and key
        QTest::addColumn<QString>("expected"); // the number of sections, then the value ("-": none)

        const QByteArray sample = SystemRoot::fixture(QStringLiteral("sample-system/etc/devices/devices.inf"));
        const QByteArray acme = SystemRoot::fixture(QStringLiteral("devices-inf-acme-network-1"));
        addRow("a missing file is an empty inventory", QByteArray(), "network.1 manu", "0 -");
        addRow("maker of the second network device", sample, "network.2 manu", "3 Realtek Semiconductor RTL8111/8168 PCI Express Gigabit Ethernet");
        addRow("a section that is not there", acme, "network.2 manu", "1 -");
        addRow("a key that is not there", acme, "network.1 driver", "1 -");
        addRow("section names are exact", acme, "network.10 manu", "1 -");
        addRow("junk lines are skipped, not fatal", QByteArray("\x01\x02 garbage\nno equals sign\n[network.1]\nmanu=Acme\n"), "network.1 manu", "1 Acme");
        addRow("a maker in utf-8 comes back as utf-8",
               QByteArray("[network.1]\nmanu=Gr\xc3\xb6\xc3\x9f\x65 Netz\n"),
               "network.1 manu",
               "1 Gr\u00f6\u00dfe Netz");
    }

    void readsSectionsAndKeys()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, lookup);
        QFETCH(QString, expected);
        SystemRoot root;
        if (!content.isNull()) {
            root.write(InventoryPath, content);
        }
        DeviceInventory inventory;
        const int sections = inventory.read(InventoryPath);
        const std::optional<QString> value = inventory.value(lookup.section(QLatin1Char(' '), 0, 0), lookup.section(QLatin1Char(' '), 1));
        QCOMPARE(QString::number(sections) + QLatin1Char(' ') + value.value_or(QStringLiteral("-")), expected);
    }

    void replacesOrFailsOnRereading()
    {
        SystemRoot root;
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), InventoryPath);
        DeviceInventory inventory;
        QCOMPARE(inventory.read(InventoryPath), 1);
        QVERIFY(QFile::remove(root.path(InventoryPath)));
        QCOMPARE(inventory.read(InventoryPath), 0);
        QVERIFY(!inventory.value(QStringLiteral("network.1"), QStringLiteral("manu")));

        QVERIFY(QDir().mkpath(root.path(InventoryPath)));
        QCOMPARE(inventory.read(InventoryPath), -1);
    }

    void failsOnAFileWithoutReadPermission()
    {
        if (UnprivilegedRun::isChild()) {
            QCOMPARE(DeviceInventory().read(InventoryPath), -1);
            return;
        }
        SystemRoot root;
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), InventoryPath);
        UnprivilegedRun::openTree(root.path(QString()));
        QVERIFY(QFile::setPermissions(root.path(InventoryPath), QFileDevice::Permissions()));
        // root reads any file, so the refusal is seen only by an ordinary user.
        QCOMPARE(UnprivilegedRun::runTestFunction(QStringLiteral("failsOnAFileWithoutReadPermission"), UnprivilegedRun::isRoot()), 0);
    }
};

QTEST_GUILESS_MAIN(DeviceInventoryTest)
#include "deviceinventorytest.moc"
