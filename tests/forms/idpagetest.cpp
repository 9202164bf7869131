// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

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

    void namesItselfAndItsCaption()
    {
        QCOMPARE(IDPage(nullptr, "identification").objectName(), QStringLiteral("identification"));
        IDPage page;
        QCOMPARE(page.objectName(), QStringLiteral("IDPage"));
        QCOMPARE(page.windowTitle(), QStringLiteral("Identification Page"));
        QCOMPARE(page.m_pHostName->objectName(), QStringLiteral("m_pHostName"));
        QCOMPARE(page.m_pDomain->objectName(), QStringLiteral("m_pDomain"));
    }
};

QTEST_MAIN(IDPageTest)
#include "idpagetest.moc"
