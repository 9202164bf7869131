// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QDir>
#include <QFile>
#include <QTest>

#include "platform/deviceinventory.h"
#include "systemroot.h"
#include "unprivilegedrun.h"

#include <memory>

namespace
{
const char *const InventoryPath = "/etc/devices/devices.inf";

using Inventory = std::unique_ptr<DeviceInventory, decltype(&ReleaseTextFile)>;

Inventory newInventory()
{
    return Inventory(CreateTextFile(), &ReleaseTextFile);
}

QByteArray search(DeviceInventory *inventory, const char *section, const char *key)
{
    const char *value = EtcDevSearch(inventory, section, key);
    return value ? QByteArray(value) : QByteArray();
}
}

class DeviceInventoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsSectionsAndKeys_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file at all
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value"); // null: not found

        const QByteArray sample = SystemRoot::fixture(QStringLiteral("sample-system/etc/devices/devices.inf"));
        const QByteArray acme = SystemRoot::fixture(QStringLiteral("devices-inf-acme-network-1"));
        QTest::newRow("a missing file is an empty inventory") << QByteArray() << 0 << QByteArray("network.1") << QByteArray("manu") << QByteArray();
        QTest::newRow("an empty file is an empty inventory") << QByteArray("") << 0 << QByteArray("network.1") << QByteArray("manu") << QByteArray();
        QTest::newRow("maker of the second network device")
            << sample << 3 << QByteArray("network.2") << QByteArray("manu") << QByteArray("Realtek Semiconductor RTL8111/8168 PCI Express Gigabit Ethernet");
        QTest::newRow("a section that is not there") << acme << 1 << QByteArray("network.2") << QByteArray("manu") << QByteArray();
        QTest::newRow("a key that is not there") << acme << 1 << QByteArray("network.1") << QByteArray("driver") << QByteArray();
        QTest::newRow("section names are exact") << acme << 1 << QByteArray("network.10") << QByteArray("manu") << QByteArray();
        QTest::newRow("junk lines are skipped, not fatal") << QByteArray("\x01\x02 garbage\nno equals sign\n[network.1]\nmanu=Acme\n") << 1
                                                           << QByteArray("network.1") << QByteArray("manu") << QByteArray("Acme");
        QTest::newRow("a maker in utf-8 comes back as utf-8")
            << QByteArray("[network.1]\nmanu=Gr\xc3\xb6\xc3\x9f\x65 Netz GmbH\n") << 1 << QByteArray("network.1") << QByteArray("manu")
            << QByteArray("Gr\xc3\xb6\xc3\x9f\x65 Netz GmbH");
    }

    void readsSectionsAndKeys()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, result);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        SystemRoot root;
        if (!content.isNull()) {
            root.write(QString::fromLatin1(InventoryPath), content);
        }

        const Inventory inventory = newInventory();
        QVERIFY(inventory);
        QCOMPARE(TextParseFile(inventory.get(), InventoryPath), result);
        QCOMPARE(search(inventory.get(), section.constData(), key.constData()), value);
    }

    void rereadingReplacesTheInventory()
    {
        SystemRoot root;
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QString::fromLatin1(InventoryPath));
        const Inventory inventory = newInventory();
        QCOMPARE(TextParseFile(inventory.get(), InventoryPath), 1);
        QVERIFY(QFile::remove(root.path(QString::fromLatin1(InventoryPath))));

        QCOMPARE(TextParseFile(inventory.get(), InventoryPath), 0);
        QCOMPARE(EtcDevSearch(inventory.get(), "network.1", "manu"), nullptr);
    }

    void failsOnWhatCannotBeRead()
    {
        SystemRoot root;
        QVERIFY(QDir().mkpath(root.path(QString::fromLatin1(InventoryPath))));
        const Inventory inventory = newInventory();
        QCOMPARE(TextParseFile(inventory.get(), InventoryPath), -1);
        QCOMPARE(TextParseFile(nullptr, InventoryPath), -1);
        QCOMPARE(TextParseFile(inventory.get(), nullptr), -1);
        QCOMPARE(EtcDevSearch(nullptr, "network.1", "manu"), nullptr);
    }

    void failsOnAFileWithoutReadPermission()
    {
        if (UnprivilegedRun::isChild()) {
            const Inventory inventory = newInventory();
            QCOMPARE(TextParseFile(inventory.get(), InventoryPath), -1);
            return;
        }
        SystemRoot root;
        root.copyFixture(QStringLiteral("devices-inf-acme-network-1"), QString::fromLatin1(InventoryPath));
        UnprivilegedRun::openTree(root.path(QString()));
        QVERIFY(QFile::setPermissions(root.path(QString::fromLatin1(InventoryPath)), QFileDevice::Permissions()));
        // root reads any file, so the refusal is seen only by an ordinary user.
        QCOMPARE(UnprivilegedRun::runTestFunction(QStringLiteral("failsOnAFileWithoutReadPermission"), UnprivilegedRun::isRoot()), 0);
    }
};

QTEST_GUILESS_MAIN(DeviceInventoryTest)

#include "deviceinventorytest.moc"
