// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QGroupBox>
#include <QTest>

#include "forms/wirelessdata.h"

class WirelessDataTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The group box is a frame behind the encryption controls: a click on any
    // control must reach the control, not the frame, and nothing sits inside it.
    void drawsTheControlsOverTheFrame()
    {
        WirelessData form;
        form.show();
        for (QWidget *control : form.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            const QWidget *hit = form.childAt(control->geometry().center());
            QVERIFY2(control == form.gbox || hit == control || control->isAncestorOf(hit), qPrintable(control->objectName()));
        }
        QVERIFY(form.gbox->findChildren<QWidget *>().isEmpty());
    }
};

QTEST_MAIN(WirelessDataTest)
#include "wirelessdatatest.moc"
