// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QGridLayout>
#include <QLabel>
#include <QTest>

#include <KLineEdit>

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

        QTest::newRow("title") << QStringLiteral("m_pLabelTitle") << QStringLiteral("The following information identifies your computer on the network.")
                               << QString();
        QTest::newRow("alt+t: computer name") << QStringLiteral("m_pLabelHostName") << QStringLiteral("Compu&ter name:") << QStringLiteral("m_pHostName");
        QTest::newRow("alt+m: domain") << QStringLiteral("m_pLabelDomain") << QStringLiteral("Do&main:") << QStringLiteral("m_pDomain");
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

    void entriesKeepTheirSizeInTheGrid()
    {
        IDPage page(nullptr, "identification");
        QCOMPARE(page.objectName(), QStringLiteral("identification"));
        QCOMPARE(IDPage().objectName(), QStringLiteral("IDPage"));
        QCOMPARE(page.windowTitle(), QStringLiteral("Identification Page"));
        QCOMPARE(page.size(), QSize(445, 278));

        const auto *grid = page.findChild<QGridLayout *>();
        QVERIFY(grid);
        QCOMPARE(grid->spacing(), 10);
        for (KLineEdit *entry : {page.m_pHostName, page.m_pDomain}) {
            QCOMPARE(entry->minimumSize(), QSize(300, 22));
            QCOMPARE(entry->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
            QCOMPARE(entry->sizePolicy().verticalPolicy(), QSizePolicy::Fixed);
            QVERIFY(entry->text().isEmpty());
        }
        QCOMPARE(grid->itemAtPosition(0, 0)->widget(), page.m_pLabelHostName);
        QCOMPARE(grid->itemAtPosition(0, 1)->widget(), page.m_pHostName);
        QCOMPARE(grid->itemAtPosition(1, 0)->widget(), page.m_pLabelDomain);
        QCOMPARE(grid->itemAtPosition(1, 1)->widget(), page.m_pDomain);
    }
};

QTEST_MAIN(IDPageTest)
#include "idpagetest.moc"
