// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <QTest>

#include <KComboBox>

#include "fakeshell.h"
#include "ippanelfixture.h"
#include "messagerecorder.h"
#include "panels/ippanel.h"
#include "systemroot.h"

/**
 * Renders the tab as a user would see it, into the build directory
 * (bin/ippanel-<row>.png), so that a person can look at it.
 */
class IPPanelScreenshotTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rendersTheTab_data()
    {
        QTest::addColumn<int>("shown");

        QTest::newRow("static") << 0;
        QTest::newRow("dhcp") << 1;
    }

    void rendersTheTab()
    {
        QFETCH(int, shown);
        const SystemRoot root;
        const MessageRecorder boxes;
        const FakeShell shell;
        Records records = interfaceRecords(2);
        describe(records[0], QStringLiteral("on static 192.168.1.10 255.255.255.0 192.168.1.1 default"));
        records[0].description = QStringLiteral("Intel Corporation 82540EM Gigabit Ethernet Controller");
        describe(records[1], QStringLiteral("on dhcp"));
        records[1].dhcpHostName = QStringLiteral("office-pc");
        setLease(records[1], QStringLiteral("10.20.0.57"), QStringLiteral("255.255.0.0"), QStringLiteral("10.20.0.1"));
        IPPanel panel;
        showLoaded(panel, records);
        choose(panel.m_pComboBoxNI, shown);

        const QImage image = panel.grab().toImage();
        const QString file =
            QCoreApplication::applicationDirPath() + QLatin1String("/ippanel-") + QLatin1String(QTest::currentDataTag()) + QLatin1String(".png");
        QVERIFY(image.save(file));

        QCOMPARE(image.size(), panel.size() * panel.devicePixelRatio());
        QVERIFY(panel.width() >= 501 && panel.height() >= 516);
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                colours.insert(image.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 16, qPrintable(QStringLiteral("only %1 colours").arg(colours.size())));
        QVERIFY(boxes.shown.isEmpty());
    }
};

QTEST_MAIN(IPPanelScreenshotTest)
#include "ippanelscreenshottest.moc"
