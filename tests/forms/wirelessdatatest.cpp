// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "forms/wirelessdata.h"

class WirelessDataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The group box is a frame behind the controls: a click on a control must
    // reach the control, not the frame, and nothing may sit inside the frame.
    void drawsEncryptionControlsOverTheFrame()
    {
        WirelessData form;
        form.show();
        const QList<QWidget *> controls = {form.CheckBox_encryption,
                                           form.Label_type,
                                           form.Label_format,
                                           form.Label_k1,
                                           form.Label_k4,
                                           form.Label_kd,
                                           form.ComboBox_type,
                                           form.ComboBox_format,
                                           form.LineEdit_h1,
                                           form.LineEdit_h2,
                                           form.LineEdit_h3,
                                           form.LineEdit_h4,
                                           form.ComboBoxk};
        for (QWidget *control : controls) {
            QWidget *hit = form.childAt(control->geometry().center());
            QVERIFY2(hit == control || control->isAncestorOf(hit), qPrintable(control->objectName()));
            QCOMPARE(control->parentWidget(), &form);
        }
    }

    void keepsTheDesignerNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");

        QTest::newRow("two labels share Label_type") << QStringLiteral("Label_type") << 2;
        QTest::newRow("three lists share ComboBox_2") << QStringLiteral("ComboBox_2") << 3;
        QTest::newRow("four key fields share LineEdit_h") << QStringLiteral("LineEdit_h") << 4;
        QTest::newRow("the switch is named for its text") << QStringLiteral("Enable Encryption") << 1;
    }

    void keepsTheDesignerNames()
    {
        QFETCH(QString, name);
        QFETCH(int, count);
        WirelessData form(nullptr, "wireless");
        QCOMPARE(form.objectName(), QStringLiteral("wireless"));
        QCOMPARE(form.findChildren<QWidget *>(name, Qt::FindDirectChildrenOnly).size(), count);
        QCOMPARE(form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).size(), 24);
    }
};

QTEST_MAIN(WirelessDataTest)

#include "wirelessdatatest.moc"
