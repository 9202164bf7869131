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
        QCOMPARE(form.findChildren<QWidget *>(QStringLiteral("LineEdit_h"), Qt::FindDirectChildrenOnly).size(), 4);
    }
};

QTEST_MAIN(WirelessDataTest)

#include "wirelessdatatest.moc"
