// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QLabel>
#include <QTest>

#include "addrow.h"
#include "forms/idpage.h"

class IDPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void labelsNameTheirEntries_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("buddy");

        addRow("title", "m_pLabelTitle", "The following information identifies your computer on the network.", "");
        addRow("alt+t: computer name", "m_pLabelHostName", "Compu&ter name:", "m_pHostName");
        addRow("alt+m: domain", "m_pLabelDomain", "Do&main:", "m_pDomain");
    }

    void labelsNameTheirEntries()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(QString, buddy);
        IDPage page;
        const auto *widget = page.findChild<QLabel *>(label);
        QVERIFY(widget);
        QCOMPARE(widget->text(), text);
        QCOMPARE(widget->buddy() ? widget->buddy()->objectName() : QString(), buddy);
    }
};

QTEST_MAIN(IDPageTest)
#include "idpagetest.moc"
