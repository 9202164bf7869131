// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCoreApplication>
#include <QImage>
#include <QSet>
#include <QTest>

#include "ippanelfixture.h"

/**
 * Renders the tab as a user would see it, into the build directory
 * (bin/ippanel.png), so that a person can look at it.
 */
class IPPanelScreenshotTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rendersTheTab()
    {
        TabSession tab(QStringLiteral(
            "on static 192.168.1.10 255.255.255.0 192.168.1.1 default (Intel Corporation 82540EM Gigabit Ethernet Controller) | on dhcp office-pc"));
        // Listed by device name, the maker in parentheses where it is known.
        QCOMPARE(tab.panel.m_pComboBoxNI->itemText(1), QStringLiteral("eth1"));
        QCOMPARE(tab.panel.m_pComboBoxNI->currentText(), QStringLiteral("eth0 (Intel Corporation 82540EM Gigabit Ethernet Controller)"));

        const QImage image = tab.panel.grab().toImage();
        const QString file = QCoreApplication::applicationDirPath() + QLatin1String("/ippanel.png");
        QVERIFY(image.save(file));

        QCOMPARE(QImage(file).size(), tab.panel.size() * tab.panel.devicePixelRatio());
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                colours.insert(image.pixel(x, y));
            }
        }
        QVERIFY2(colours.size() > 16, qPrintable(QStringLiteral("only %1 colours").arg(colours.size())));
    }
};

QTEST_MAIN(IPPanelScreenshotTest)
#include "ippanelscreenshottest.moc"
