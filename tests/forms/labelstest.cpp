// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <KComboBox>

#include "addrow.h"
#include "forms/idpage.h"
#include "forms/ipedit.h"
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
        QTest::addColumn<QSize>("fixedSize");
        const auto row = [](const char *text, const char *label, const char *target, int key, QSize fixedSize = QSize()) {
            QTest::newRow(text) << false << label << target << key << fixedSize;
        };
        addRow("Compu&ter name:", true, "m_pLabelHostName", "m_pHostName", int(Qt::Key_T), QSize());
        addRow("Do&main:", true, "m_pLabelDomain", "m_pDomain", int(Qt::Key_M), QSize());
        const QSize entry(180, 22);
        const QSize button(85, 26);
        row("Networ&k interface:", "m_pLabelNI", "m_pComboBoxNI", Qt::Key_K, QSize(220, 22));
        row("Ena&ble network", "", "m_pCheckBoxEnableNetwork", Qt::Key_B);
        row("Use DHCP connec&tion", "", "m_pRadioButtonDHCP", Qt::Key_T);
        row("Hostna&me:", "m_pLabelHostname", "m_pLineEditHostname", Qt::Key_M);
        row("IP address:", "m_pLabelDHCPIP", "m_pIPEditDHCPIP", 0, entry);
        row("Subnet mask:", "m_pLabelDHCPSubnet", "m_pIPEditDHCPSubnet", 0, entry);
        row("Gateway:", "m_pLabelDHCPGateway", "m_pIPEditDHCPGateway", 0, entry);
        row("Re&lease", "", "m_pReleaseBtn", Qt::Key_L, button);
        row("Rene&w", "", "m_pRenewBtn", Qt::Key_W, button);
        row("Speci&fy static IP address", "", "m_pRadioButtonStatic", Qt::Key_F);
        row("IP address&:", "m_pLabelStaticIP", "m_pIPEditStaticIP", Qt::Key_Colon, entry);
        row("S&ubnet mask:", "m_pLabelStaticSubnet", "m_pIPEditStaticSubnet", Qt::Key_U, entry);
        row("Gatewa&y:", "m_pLabelStaticGateway", "m_pIPEditStaticGateway", Qt::Key_Y, entry);
        row("Set &gateway as the default gateway for the system", "", "m_pCheckBoxDefaultGW", Qt::Key_G);
    }

    void leadsFromEachTextToItsWidget()
    {
        QFETCH(bool, identification);
        QFETCH(QString, label);
        QFETCH(QString, target);
        QFETCH(int, key);
        QFETCH(QSize, fixedSize);
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
        if (fixedSize.isValid()) {
            QCOMPARE(widget->minimumSize(), fixedSize);
            QCOMPARE(widget->maximumSize(), fixedSize);
        }
        if (key) {
            QTest::keyClick(&page, Qt::Key(key), Qt::AltModifier);
            // A button's accelerator presses it; a label's moves the focus to its entry.
            QVERIFY(button ? button->isDown() : QApplication::focusWidget() == widget);
        }
    }

    void warnsFromItsPlaceholders()
    {
        IPPage page;
        QTest::ignoreMessage(QtWarningMsg, "IPPage::enableInterfaceToggled(bool): Not implemented yet!");
        QVERIFY(QMetaObject::invokeMethod(&page, "enableInterfaceToggled", Q_ARG(bool, true)));
        QTest::ignoreMessage(QtWarningMsg, "IPPage::ethernetComboActivated(int): Not implemented yet!");
        QVERIFY(QMetaObject::invokeMethod(&page, "ethernetComboActivated", Q_ARG(int, 1)));
        QTest::ignoreMessage(QtWarningMsg, "IPPage::handleDefaultGatewayToggled(bool): Not implemented yet!");
        QVERIFY(QMetaObject::invokeMethod(&page, "handleDefaultGatewayToggled", Q_ARG(bool, true)));
        QTest::ignoreMessage(QtWarningMsg, "IPPage::handleGroupBtnClick(void): Not implemented yet!");
        QVERIFY(QMetaObject::invokeMethod(&page, "handleGroupBtnClick"));
    }
};

QTEST_MAIN(LabelsTest)
#include "labelstest.moc"
