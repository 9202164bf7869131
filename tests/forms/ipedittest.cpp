// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "forms/ipedit.h"

class IPEditTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void takesOnlyWhatCanBecomeAnAddress_data()
    {
        QTest::addColumn<QString>("how"); // typed, pasted or set by the program
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("address"); // what getText() gives: only a complete address

        const auto row = [](const char *name, const char *how, const char *input, const char *shown, bool valid, const char *address = nullptr) {
            QTest::newRow(name) << how << input << shown << valid << QString::fromLatin1(address ? address : valid ? shown : "");
        };
        row("never typed into: no address, which is allowed", "type", "", "", true);
        row("a whole address", "type", "192.168.1.10", "192.168.1.10", true);
        row("three octets are not yet an address", "type", "192.168.1", "192.168.1", false);
        row("a half-typed netmask is no address", "type", "255.255", "255.255", false);
        row("a trailing dot is no address", "type", "10.77.0.", "10.77.0.", false);
        row("letters are refused", "type", "1a0.b0.0.c1", "10.0.0.1", true);
        row("an octet above 255 is refused digit by digit", "type", "256.1.1.1", "25.1.1.1", true);
        row("a fifth octet is refused", "type", "10.0.0.1.5", "10.0.0.15", true);
        row("a leading zero, read as octal elsewhere, is refused", "type", "10.010.0.1", "10.0.0.1", true);
        row("pasted whole with blanks and a line end", "paste", "  172.16.0.254 \n", "172.16.0.254", true);
        row("a pasted host name is refused whole", "paste", "gateway.lan", "", true);
        row("pasted digits of another script are refused whole", "paste", "\u0661\u0660.0.0.1", "", true);
        row("set empty: cleared", "set", "", "", true);
        row("set from a file: shown as it is, but no address", "set", "router.lan", "router.lan", false);
    }

    void takesOnlyWhatCanBecomeAnAddress()
    {
        QFETCH(QString, how);
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(bool, valid);
        IPEdit edit;

        if (how == QLatin1String("type")) {
            QTest::keyClicks(&edit, input);
        } else if (how == QLatin1String("paste")) {
            QApplication::clipboard()->setText(input);
            edit.paste();
        } else {
            edit.setText(QStringLiteral("1.1.1"));
            edit.setText(input);
        }

        QFETCH(QString, address);
        QCOMPARE(edit.text(), shown);
        QCOMPARE(edit.valid, valid);
        QCOMPARE(edit.getText(), address);
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
};

QTEST_MAIN(IPEditTest)
#include "ipedittest.moc"
