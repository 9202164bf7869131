// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "forms/adddnspage.h"
#include "forms/dnspage.h"

class DNSPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bareFormOnlyWarns_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("warning");

        QTest::newRow("Insert") << QStringLiteral("m_pPbtnAdd") << QStringLiteral("DNSPage::addServer(void): Not implemented yet!");
        QTest::newRow("Remove") << QStringLiteral("m_pPbtnRemove") << QStringLiteral("DNSPage::removeServer(void): Not implemented yet!");
    }

    void bareFormOnlyWarns()
    {
        QFETCH(QString, button);
        QFETCH(QString, warning);
        DNSPage page;
        auto *pushButton = page.findChild<QPushButton *>(button);
        QVERIFY(pushButton);
        QVERIFY(pushButton->isEnabled());

        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QTest::mouseClick(pushButton, Qt::LeftButton);
        QCOMPARE(page.m_pListBox->count(), 0);
    }

    void bareDialogAcceptsAndRejects_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");

        QTest::newRow("OK accepts, even with nothing entered") << QStringLiteral("m_pPbtnOK") << int(QDialog::Accepted);
        QTest::newRow("Cancel rejects") << QStringLiteral("m_pPbtnCancel") << int(QDialog::Rejected);
    }

    void bareDialogAcceptsAndRejects()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        AddDNSPage dialog;
        dialog.setResult(-1);
        dialog.show();

        QTest::mouseClick(dialog.findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(dialog.result(), result);
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(DNSPageTest)
#include "dnspagetest.moc"
