// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include "forms/ipedit.h"

class IPEditTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takesOnlyWhatCanBecomeAnAddress_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("valid");

        QTest::newRow("a whole address") << QStringLiteral("192.168.1.10") << QStringLiteral("192.168.1.10") << true;
        QTest::newRow("zeros and 255 are octets") << QStringLiteral("0.0.255.255") << QStringLiteral("0.0.255.255") << true;
        QTest::newRow("three octets are not yet an address") << QStringLiteral("192.168.1") << QStringLiteral("192.168.1") << false;
        QTest::newRow("a trailing dot is not yet an address") << QStringLiteral("192.168.1.") << QStringLiteral("192.168.1.") << false;
        QTest::newRow("letters are refused") << QStringLiteral("1a0.b0.0.c1") << QStringLiteral("10.0.0.1") << true;
        QTest::newRow("an octet above 255 is refused digit by digit") << QStringLiteral("256.1.1.1") << QStringLiteral("25.1.1.1") << true;
        QTest::newRow("a fourth digit is refused") << QStringLiteral("1921.168.0.1") << QStringLiteral("192.168.0.1") << true;
        QTest::newRow("a fifth octet is refused") << QStringLiteral("10.0.0.1.5") << QStringLiteral("10.0.0.15") << true;
        QTest::newRow("blanks are dropped") << QStringLiteral(" 10.0 .0.1 ") << QStringLiteral("10.0.0.1") << true;
        QTest::newRow("a leading zero, read as octal elsewhere, is refused") << QStringLiteral("10.010.0.1") << QStringLiteral("10.0.0.1") << true;
        QTest::newRow("signs are refused") << QStringLiteral("+10.-0..1") << QStringLiteral("10.0..1") << false;
    }

    void takesOnlyWhatCanBecomeAnAddress()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(bool, valid);
        IPEdit edit;

        QTest::keyClicks(&edit, typed);

        QCOMPARE(edit.getText(), shown);
        QCOMPARE(edit.valid, valid);
    }

    void takesAnAddressPastedWhole_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("valid");

        QTest::newRow("plain") << QStringLiteral("172.16.0.254") << QStringLiteral("172.16.0.254") << true;
        QTest::newRow("blanks and a line end around it") << QStringLiteral("  172.16.0.254 \n") << QStringLiteral("172.16.0.254") << true;
        QTest::newRow("a tab before it") << QStringLiteral("\t8.8.8.8") << QStringLiteral("8.8.8.8") << true;
        QTest::newRow("a host name is refused whole") << QStringLiteral("gateway.lan") << QString() << true;
        QTest::newRow("an address with a port is refused whole") << QStringLiteral("10.0.0.1:53") << QString() << true;
        QTest::newRow("an octet above 255 is refused whole") << QStringLiteral("10.0.0.300") << QString() << true;
        QTest::newRow("digits of another script are refused whole") << QStringLiteral("\u0661\u0660.0.0.1") << QString() << true;
        QTest::newRow("a blank inside is refused whole") << QStringLiteral("10.0. 0.1") << QString() << true;
    }

    void takesAnAddressPastedWhole()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(bool, valid);
        IPEdit edit;
        QApplication::clipboard()->setText(pasted);

        edit.paste();

        QCOMPARE(edit.getText(), shown);
        QCOMPARE(edit.valid, valid);
    }

    void keepsTheCursorWhereTheUserTypes()
    {
        IPEdit edit;
        QTest::keyClicks(&edit, QStringLiteral("2.3.4.5"));
        QTest::keyClick(&edit, Qt::Key_Home);

        // The blank is dropped; the digit after it must still land in front.
        QTest::keyClicks(&edit, QStringLiteral(" 1"));

        QCOMPARE(edit.getText(), QStringLiteral("12.3.4.5"));
    }

    void reportsWhatItHoldsAfterEditing()
    {
        IPEdit edit;
        QVERIFY2(edit.valid, "an entry never typed into holds no address, which is allowed");
        QTest::keyClicks(&edit, QStringLiteral("10.1.2"));
        QVERIFY(!edit.valid);
        QTest::keyClicks(&edit, QStringLiteral(".3"));
        QVERIFY(edit.valid);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        QVERIFY(!edit.valid);

        edit.setText(QString());
        QVERIFY(edit.valid);
        QCOMPARE(edit.getText(), QString());
    }

    void showsSetTextUnchanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");

        QTest::newRow("an address") << QStringLiteral("192.168.0.1") << true;
        QTest::newRow("empty clears") << QString() << true;
        // A file may hold anything; the entry shows it as it is and says it is no address.
        QTest::newRow("a host name from the file") << QStringLiteral("router.lan") << false;
        QTest::newRow("an octet above 255 from the file") << QStringLiteral("10.0.0.300") << false;
        QTest::newRow("three octets from the file") << QStringLiteral("10.0.0") << false;
        QTest::newRow("a leading zero from the file") << QStringLiteral("10.0.0.010") << false;
    }

    void showsSetTextUnchanged()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        IPEdit edit;
        QTest::keyClicks(&edit, QStringLiteral("1.1.1"));
        QSignalSpy changes(&edit, &QLineEdit::textChanged);

        edit.setText(text);

        QCOMPARE(edit.getText(), text);
        QCOMPARE(edit.valid, valid);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0).at(0).toString(), text);
    }

    void isAnOrdinaryNamedChild()
    {
        QWidget parent;
        auto *edit = new IPEdit(&parent, "m_pIPEditStaticIP");
        QCOMPARE(edit->parentWidget(), &parent);
        QCOMPARE(edit->objectName(), QStringLiteral("m_pIPEditStaticIP"));
        QCOMPARE(parent.findChild<IPEdit *>(QStringLiteral("m_pIPEditStaticIP")), edit);
    }
};

QTEST_MAIN(IPEditTest)
#include "ipedittest.moc"
