// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QAbstractButton>
#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <KComboBox>

#include "forms/ipedit.h"
#include "forms/ippage.h"

namespace
{
QStringList s_messages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    s_messages << message;
}

QString textOf(const QWidget *widget)
{
    if (const auto *box = qobject_cast<const QGroupBox *>(widget)) {
        return box->title();
    }
    return widget->property("text").toString();
}
}

class IPPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsEveryWidget_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QString>("text");

        const QString page = QStringLiteral("IPPage");
        const QString group = QStringLiteral("m_pButtonGroup1");
        const QString label = QStringLiteral("QLabel");
        const QString entry = QStringLiteral("IPEdit");
        const QString button = QStringLiteral("QPushButton");
        const auto row = [](const char *name, const QString &className, const QString &parentName, const char *text) {
            QTest::newRow(name) << QString::fromLatin1(name) << className << parentName << QString::fromUtf8(text);
        };
        row("m_pLabelNI", label, page, "Networ&k interface:");
        row("m_pComboBoxNI", QStringLiteral("KComboBox"), page, "");
        row("m_pCheckBoxEnableNetwork", QStringLiteral("QCheckBox"), page, "Ena&ble network");
        row("m_pButtonGroup1", QStringLiteral("QGroupBox"), page, "");
        row("m_pRadioButtonDHCP", QStringLiteral("QRadioButton"), group, "Use DHCP connec&tion");
        row("m_pLabelDHCPIP", label, group, "IP address:");
        row("m_pLabelHostname", label, group, "Hostna&me:");
        row("m_pLabelDHCPSubnet", label, group, "Subnet mask:");
        row("m_pLabelDHCPGateway", label, group, "Gateway:");
        row("m_pLineEditHostname", QStringLiteral("QLineEdit"), group, "");
        row("m_pIPEditDHCPIP", entry, group, "");
        row("m_pIPEditDHCPSubnet", entry, group, "");
        row("m_pIPEditDHCPGateway", entry, group, "");
        row("m_pReleaseBtn", button, group, "Re&lease");
        row("m_pRenewBtn", button, group, "Rene&w");
        row("m_pRadioButtonStatic", QStringLiteral("QRadioButton"), group, "Speci&fy static IP address");
        row("m_pLabelStaticGateway", label, group, "Gatewa&y:");
        row("m_pLabelStaticIP", label, group, "IP address&:");
        row("m_pLabelStaticSubnet", label, group, "S&ubnet mask:");
        row("m_pIPEditStaticIP", entry, group, "");
        row("m_pIPEditStaticSubnet", entry, group, "");
        row("m_pIPEditStaticGateway", entry, group, "");
        row("m_pCheckBoxDefaultGW", QStringLiteral("QCheckBox"), group, "Set &gateway as the default gateway for the system");
    }

    void buildsEveryWidget()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, parentName);
        QFETCH(QString, text);
        IPPage page;

        const auto *widget = page.findChild<QWidget *>(name);

        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
        QCOMPARE(textOf(widget), text);
        QVERIFY(widget->isEnabled());
    }

    void startsEmptyAndUnwired()
    {
        s_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
        IPPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QCOMPARE(page.objectName(), QStringLiteral("IPPage"));
        QCOMPARE(page.windowTitle(), QStringLiteral("IP Address Page"));
        QCOMPARE(page.m_pComboBoxNI->count(), 0);
        QVERIFY(!page.m_pComboBoxNI->isEditable());
        QVERIFY(!page.m_pRadioButtonDHCP->isChecked() && !page.m_pRadioButtonStatic->isChecked());
        for (const QLineEdit *entry : page.findChildren<QLineEdit *>()) {
            QVERIFY2(entry->text().isEmpty(), qPrintable(entry->objectName()));
        }

        QTest::mouseClick(page.m_pRadioButtonDHCP, Qt::LeftButton, Qt::NoModifier, QPoint(6, page.m_pRadioButtonDHCP->height() / 2));
        QTest::mouseClick(page.m_pCheckBoxEnableNetwork, Qt::LeftButton, Qt::NoModifier, QPoint(6, page.m_pCheckBoxEnableNetwork->height() / 2));
        QTest::mouseClick(page.m_pCheckBoxDefaultGW, Qt::LeftButton, Qt::NoModifier, QPoint(6, page.m_pCheckBoxDefaultGW->height() / 2));
        QTest::mouseClick(page.m_pRadioButtonStatic, Qt::LeftButton, Qt::NoModifier, QPoint(6, page.m_pRadioButtonStatic->height() / 2));
        qInstallMessageHandler(previous);

        QVERIFY2(page.m_pRadioButtonStatic->isChecked() && !page.m_pRadioButtonDHCP->isChecked(), "the two methods exclude each other");
        QVERIFY(page.m_pCheckBoxEnableNetwork->isChecked());
        QVERIFY2(!s_messages.join(QString()).contains(QLatin1String("Not implemented yet")), qPrintable(s_messages.join(QLatin1Char('\n'))));
    }

    void keepsItsNameAndSize()
    {
        QWidget parent;
        IPPage page(&parent, "interfacesTab");
        QCOMPARE(page.objectName(), QStringLiteral("interfacesTab"));
        QCOMPARE(page.parentWidget(), &parent);
        QCOMPARE(page.size(), QSize(501, 516));
    }

    void hasFixedSizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");

        QTest::newRow("interface list") << QStringLiteral("m_pComboBoxNI") << QSize(220, 22);
        for (const char *entry :
             {"m_pIPEditDHCPIP", "m_pIPEditDHCPSubnet", "m_pIPEditDHCPGateway", "m_pIPEditStaticIP", "m_pIPEditStaticSubnet", "m_pIPEditStaticGateway"}) {
            QTest::newRow(entry) << QString::fromLatin1(entry) << QSize(180, 22);
        }
        QTest::newRow("release") << QStringLiteral("m_pReleaseBtn") << QSize(85, 26);
        QTest::newRow("renew") << QStringLiteral("m_pRenewBtn") << QSize(85, 26);
    }

    void hasFixedSizes()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        IPPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        const auto *widget = page.findChild<QWidget *>(name);

        QCOMPARE(widget->minimumSize(), size);
        QCOMPARE(widget->maximumSize(), size);
        QCOMPARE(widget->size(), size);
    }

    void movesTheFocusByAccelerator_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("focus");

        QTest::newRow("Networ&k interface") << int(Qt::Key_K) << QStringLiteral("m_pComboBoxNI");
        QTest::newRow("Hostna&me") << int(Qt::Key_M) << QStringLiteral("m_pLineEditHostname");
        QTest::newRow("IP address&:") << int(Qt::Key_Colon) << QStringLiteral("m_pIPEditStaticIP");
        QTest::newRow("S&ubnet mask") << int(Qt::Key_U) << QStringLiteral("m_pIPEditStaticSubnet");
        QTest::newRow("Gatewa&y") << int(Qt::Key_Y) << QStringLiteral("m_pIPEditStaticGateway");
    }

    void movesTheFocusByAccelerator()
    {
        QFETCH(int, key);
        QFETCH(QString, focus);
        IPPage page;
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));

        QTest::keyClick(&page, Qt::Key(key), Qt::AltModifier);

        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    void namesABuddyForEveryLabel_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("buddy");

        QTest::newRow("interface") << QStringLiteral("m_pLabelNI") << QStringLiteral("m_pComboBoxNI");
        QTest::newRow("host name") << QStringLiteral("m_pLabelHostname") << QStringLiteral("m_pLineEditHostname");
        QTest::newRow("lease address") << QStringLiteral("m_pLabelDHCPIP") << QStringLiteral("m_pIPEditDHCPIP");
        QTest::newRow("lease subnet") << QStringLiteral("m_pLabelDHCPSubnet") << QStringLiteral("m_pIPEditDHCPSubnet");
        QTest::newRow("lease gateway") << QStringLiteral("m_pLabelDHCPGateway") << QStringLiteral("m_pIPEditDHCPGateway");
        QTest::newRow("static address") << QStringLiteral("m_pLabelStaticIP") << QStringLiteral("m_pIPEditStaticIP");
        QTest::newRow("static subnet") << QStringLiteral("m_pLabelStaticSubnet") << QStringLiteral("m_pIPEditStaticSubnet");
        QTest::newRow("static gateway") << QStringLiteral("m_pLabelStaticGateway") << QStringLiteral("m_pIPEditStaticGateway");
    }

    void namesABuddyForEveryLabel()
    {
        QFETCH(QString, label);
        QFETCH(QString, buddy);
        IPPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        const auto *labelWidget = page.findChild<QLabel *>(label);
        const QWidget *buddyWidget = labelWidget->buddy();

        QVERIFY(buddyWidget);
        QCOMPARE(buddyWidget->objectName(), buddy);
        // Side by side on one line: the label left of its entry, centred on it.
        QVERIFY(labelWidget->geometry().right() < buddyWidget->geometry().left());
        QVERIFY(qAbs(labelWidget->geometry().center().y() - buddyWidget->geometry().center().y()) <= 1);
    }

    void tabsInItsOwnOrder()
    {
        IPPage page;
        QStringList order;
        QWidget *widget = page.m_pComboBoxNI;
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                order << widget->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != page.m_pComboBoxNI);

        QCOMPARE(order,
                 (QStringList{QStringLiteral("m_pComboBoxNI"),
                              QStringLiteral("m_pCheckBoxEnableNetwork"),
                              QStringLiteral("m_pRadioButtonDHCP"),
                              QStringLiteral("m_pRadioButtonStatic"),
                              QStringLiteral("m_pLineEditHostname"),
                              QStringLiteral("m_pIPEditDHCPIP"),
                              QStringLiteral("m_pIPEditDHCPSubnet"),
                              QStringLiteral("m_pIPEditDHCPGateway"),
                              QStringLiteral("m_pReleaseBtn"),
                              QStringLiteral("m_pRenewBtn"),
                              QStringLiteral("m_pIPEditStaticIP"),
                              QStringLiteral("m_pIPEditStaticSubnet"),
                              QStringLiteral("m_pIPEditStaticGateway"),
                              QStringLiteral("m_pCheckBoxDefaultGW")}));
    }

    void laysOutTopToBottom()
    {
        IPPage page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        const auto top = [](const QWidget *widget) {
            return widget->mapTo(widget->window(), QPoint()).y();
        };
        const auto left = [](const QWidget *widget) {
            return widget->mapTo(widget->window(), QPoint()).x();
        };

        QCOMPARE(page.layout()->contentsMargins(), QMargins(11, 11, 11, 11));
        QCOMPARE(page.layout()->spacing(), 6);
        QCOMPARE(page.m_pButtonGroup1->layout()->contentsMargins(), QMargins(11, 11, 11, 11));
        QVERIFY(left(page.m_pComboBoxNI) - (left(page.m_pLabelNI) + page.m_pLabelNI->width()) >= 20);
        QVERIFY(top(page.m_pLabelNI) < top(page.m_pCheckBoxEnableNetwork));
        QVERIFY(top(page.m_pCheckBoxEnableNetwork) < top(page.m_pButtonGroup1));
        QVERIFY(top(page.m_pRadioButtonDHCP) < top(page.m_pLineEditHostname));
        QVERIFY(top(page.m_pReleaseBtn) < top(page.m_pRadioButtonStatic));
        QCOMPARE(top(page.m_pRenewBtn), top(page.m_pReleaseBtn));
        QCOMPARE(left(page.m_pRenewBtn) - left(page.m_pReleaseBtn), 85 + 10);
        QCOMPARE(top(page.m_pIPEditStaticSubnet) - top(page.m_pIPEditStaticIP), 22 + 8);
        QCOMPARE(top(page.m_pIPEditDHCPGateway) - top(page.m_pIPEditDHCPSubnet), 22 + 6);
        QVERIFY(top(page.m_pCheckBoxDefaultGW) - (top(page.m_pIPEditStaticGateway) + 22) >= 16);
        // The blocks are indented under their radio buttons by the gap and the spacing, no more.
        QCOMPARE(left(page.m_pLabelHostname) - left(page.m_pRadioButtonDHCP), 20 + 6);
        QCOMPARE(left(page.m_pLabelStaticIP) - left(page.m_pRadioButtonStatic), 20 + 6);
        QCOMPARE(left(page.m_pIPEditStaticIP), left(page.m_pIPEditStaticGateway));
        QCOMPARE(left(page.m_pIPEditStaticIP), left(page.m_pIPEditDHCPIP));
        for (const QWidget *child : page.m_pButtonGroup1->findChildren<QWidget *>()) {
            QVERIFY2(page.m_pButtonGroup1->rect().contains(child->geometry()), qPrintable(child->objectName()));
        }
    }

    void warnsFromItsPlaceholders_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QString>("warning");

        QTest::newRow("enable") << QByteArray("enableInterfaceToggled(bool)") << QStringLiteral("IPPage::enableInterfaceToggled(bool): Not implemented yet!");
        QTest::newRow("combo") << QByteArray("ethernetComboActivated(int)") << QStringLiteral("IPPage::ethernetComboActivated(int): Not implemented yet!");
        QTest::newRow("default gateway") << QByteArray("handleDefaultGatewayToggled(bool)")
                                         << QStringLiteral("IPPage::handleDefaultGatewayToggled(bool): Not implemented yet!");
        QTest::newRow("method") << QByteArray("handleGroupBtnClick()") << QStringLiteral("IPPage::handleGroupBtnClick(void): Not implemented yet!");
    }

    void warnsFromItsPlaceholders()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QString, warning);
        IPPage page;
        const QMetaMethod method = page.metaObject()->method(page.metaObject()->indexOfSlot(slot.constData()));
        QVERIFY(method.isValid());
        QCOMPARE(method.access(), QMetaMethod::Protected);

        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        if (method.parameterCount() == 0) {
            QVERIFY(method.invoke(&page));
        } else if (method.parameterType(0) == QMetaType::Bool) {
            QVERIFY(method.invoke(&page, Q_ARG(bool, true)));
        } else {
            QVERIFY(method.invoke(&page, Q_ARG(int, 1)));
        }
    }
};

QTEST_MAIN(IPPageTest)
#include "ippagetest.moc"
