// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "forms/idpage.h"
#include "forms/ippage.h"

#include <memory>

class LabelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The Identification and the Interfaces forms; the row names are the texts shown.
    void leadsFromEachTextToItsWidget_data()
    {
        QTest::addColumn<bool>("identification"); // or else the Interfaces form
        QTest::addColumn<QString>("label"); // empty for a button, which carries its own text
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key"); // with Alt; none where the entry only displays
        const auto row = [](const char *text, bool identification, const char *label, const char *target, int key) {
            QTest::newRow(text) << identification << label << target << key;
        };
        row("Compu&ter name:", true, "m_pLabelHostName", "m_pHostName", Qt::Key_T);
        row("Do&main:", true, "m_pLabelDomain", "m_pDomain", Qt::Key_M);
        row("Networ&k interface:", false, "m_pLabelNI", "m_pComboBoxNI", Qt::Key_K);
        row("Ena&ble network", false, "", "m_pCheckBoxEnableNetwork", Qt::Key_B);
        row("Use DHCP connec&tion", false, "", "m_pRadioButtonDHCP", Qt::Key_T);
        row("Hostna&me:", false, "m_pLabelHostname", "m_pLineEditHostname", Qt::Key_M);
        row("IP address:", false, "m_pLabelDHCPIP", "m_pIPEditDHCPIP", 0);
        row("Subnet mask:", false, "m_pLabelDHCPSubnet", "m_pIPEditDHCPSubnet", 0);
        row("Gateway:", false, "m_pLabelDHCPGateway", "m_pIPEditDHCPGateway", 0);
        row("Re&lease", false, "", "m_pReleaseBtn", Qt::Key_L);
        row("Rene&w", false, "", "m_pRenewBtn", Qt::Key_W);
        row("Speci&fy static IP address", false, "", "m_pRadioButtonStatic", Qt::Key_F);
        row("IP address&:", false, "m_pLabelStaticIP", "m_pIPEditStaticIP", Qt::Key_Colon);
        row("S&ubnet mask:", false, "m_pLabelStaticSubnet", "m_pIPEditStaticSubnet", Qt::Key_U);
        row("Gatewa&y:", false, "m_pLabelStaticGateway", "m_pIPEditStaticGateway", Qt::Key_Y);
        row("Set &gateway as the default gateway for the system", false, "", "m_pCheckBoxDefaultGW", Qt::Key_G);
    }

    void leadsFromEachTextToItsWidget()
    {
        QFETCH(bool, identification);
        QFETCH(QString, label);
        QFETCH(QString, target);
        QFETCH(int, key);
        const std::unique_ptr<QWidget> form(identification ? static_cast<QWidget *>(new IDPage) : new IPPage);
        QWidget &page = *form;
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        const QWidget *widget = page.findChild<QWidget *>(target);
        const auto *button = qobject_cast<const QAbstractButton *>(widget);
        QVERIFY(widget);

        const auto *labelWidget = page.findChild<QLabel *>(label);
        QCOMPARE((labelWidget ? labelWidget->text() : button->text()), QLatin1String(QTest::currentDataTag()));
        if (labelWidget) {
            QCOMPARE(labelWidget->buddy(), widget);
            // Side by side: the label left of its entry, centred on it.
            QVERIFY(labelWidget->geometry().right() < widget->geometry().left());
            QVERIFY(qAbs(labelWidget->geometry().center().y() - widget->geometry().center().y()) <= 1);
        }
        if (key) {
            QTest::keyClick(&page, Qt::Key(key), Qt::AltModifier);
            // A button's accelerator presses it; a label's moves the focus to its entry.
            QVERIFY(button ? button->isDown() : QApplication::focusWidget() == widget);
        }
    }
};

QTEST_MAIN(LabelsTest)
#include "labelstest.moc"
