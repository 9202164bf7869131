// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "config/dnsconfigfile.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"

namespace
{
const QString a = QStringLiteral("10.0.0.1");
const QString b = QStringLiteral("10.0.0.2");
const QString c = QStringLiteral("192.168.1.53");

DnsConfigFile recordOf(const QStringList &servers)
{
    DnsConfigFile record;
    for (const QString &server : servers) {
        record.addNameserver(server);
    }
    return record;
}

QStringList rowsOf(const DNSPanel &panel)
{
    QStringList rows;
    for (int row = 0; row < panel.m_pListBox->count(); ++row) {
        rows << panel.m_pListBox->item(row)->text();
    }
    return rows;
}

// "select 1, up" reads better in a row than a list of literals.
QStringList steps(const char *text)
{
    return QString::fromLatin1(text).split(QStringLiteral(", "), Qt::SkipEmptyParts);
}

QStringList withoutRepeats(const QStringList &servers)
{
    QStringList result = servers;
    result.removeDuplicates();
    return result;
}

// What the user does on the tab: "select N" clicks row N, the others press a button.
void perform(DNSPanel &panel, const QString &action)
{
    if (action.startsWith(QLatin1String("select "))) {
        const QListWidgetItem *item = panel.m_pListBox->item(action.mid(7).toInt());
        QTest::mouseClick(panel.m_pListBox->viewport(), Qt::LeftButton, {}, panel.m_pListBox->visualItemRect(item).center());
    } else if (action == QLatin1String("up")) {
        QTest::mouseClick(panel.m_pDbtnUp, Qt::LeftButton);
    } else if (action == QLatin1String("down")) {
        QTest::mouseClick(panel.m_pDbtnDown, Qt::LeftButton);
    } else if (action == QLatin1String("remove")) {
        QTest::mouseClick(panel.m_pPbtnRemove, Qt::LeftButton);
    } else {
        QFAIL(qPrintable(QStringLiteral("unknown action ") + action));
    }
}

// What the user does in the add-server dialog; returns whether it is still open after.
bool perform(AddDNSPanel *dialog, const QString &step)
{
    if (step.startsWith(QLatin1String("type "))) {
        QTest::keyClicks(dialog->m_pIPEdit, step.mid(5));
    } else if (step == QLatin1String("return")) {
        QTest::keyClick(dialog->m_pIPEdit, Qt::Key_Return);
    } else if (step == QLatin1String("ok")) {
        QTest::mouseClick(dialog->m_pPbtnOK, Qt::LeftButton);
    } else if (step == QLatin1String("cancel")) {
        QTest::mouseClick(dialog->m_pPbtnCancel, Qt::LeftButton);
    }
    return dialog->isVisible();
}
}

class DNSPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editsAndStoresServers_data()
    {
        QTest::addColumn<QStringList>("servers");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<bool>("changed");

        QTest::newRow("a repeated server is shown once and stored once after a move")
            << QStringList{a, b, a} << steps("select 1, up") << QStringList{b, a} << 0 << true;
        QTest::newRow("moving up twice from the third row makes it first and keeps it selected")
            << QStringList{a, b, c} << steps("select 2, up, up") << QStringList{c, a, b} << 0 << true;
        QTest::newRow("moving down takes the selection along") << QStringList{a, b, c} << steps("select 0, down") << QStringList{b, a, c} << 1 << true;
        QTest::newRow("removing drops the selected server only") << QStringList{a, b, c} << steps("select 1, remove") << QStringList{a, c} << 1 << true;
        QTest::newRow("removing the last server stores an empty list") << QStringList{a} << steps("select 0, remove, remove") << QStringList{} << -1 << true;
        QTest::newRow("moving the first row up changes nothing and keeps the repeat in the record")
            << QStringList{a, b, a} << steps("select 0, up") << QStringList{a, b} << 0 << false;
        QTest::newRow("moving the last row down changes nothing") << QStringList{a, b} << steps("select 1, down") << QStringList{a, b} << 1 << false;
        QTest::newRow("moving or removing with nothing selected changes nothing")
            << QStringList{a, b, c} << steps("up, down, remove") << QStringList{a, b, c} << -1 << false;
    }

    void editsAndStoresServers()
    {
        QFETCH(QStringList, servers);
        QFETCH(QStringList, actions);
        QFETCH(QStringList, rows);
        QFETCH(int, currentRow);
        QFETCH(bool, changed);
        DnsConfigFile record = recordOf(servers);
        DNSPanel panel(nullptr, nullptr, false);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy changes(&panel, &DNSPanel::panelChanged);

        panel.loadSettings(&record);
        QCOMPARE(rowsOf(panel), withoutRepeats(servers));
        for (const QString &action : actions) {
            perform(panel, action);
        }

        QCOMPARE(rowsOf(panel), rows);
        QCOMPARE(panel.m_pListBox->currentRow(), currentRow);
        QCOMPARE(panel.isChanged(), changed);
        QCOMPARE(changes.count(), changed ? 1 : 0);
        panel.applySettings();
        QCOMPARE(record.nameservers(), changed ? rows : servers);

        // The next load shows the record and forgets the edit.
        panel.loadSettings(&record);
        QCOMPARE(rowsOf(panel), withoutRepeats(record.nameservers()));
        QVERIFY(!panel.isChanged());
        QCOMPARE(changes.count(), changed ? 2 : 0);
        if (changed) {
            QCOMPARE(changes.at(0).at(0).toBool(), true);
            QCOMPARE(changes.at(1).at(0).toBool(), false);
        }
    }

    void insertsThroughTheDialog_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QStringList>("openAfter");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("rows");

        const QString refusal = QStringLiteral("Invalid IP address");
        QTest::newRow("Return with an empty entry keeps the dialog open and says why")
            << steps("return, cancel") << steps("open, closed") << QStringList{refusal} << QStringList{a, b};
        QTest::newRow("OK with an empty entry is refused the same way")
            << steps("ok, type 10.0.0.9, return") << steps("open, open, closed") << QStringList{refusal} << QStringList{a, b, QStringLiteral("10.0.0.9")};
        QTest::newRow("Cancel closes without a change") << steps("type 10.0.0.9, cancel") << steps("open, closed") << QStringList{} << QStringList{a, b};
        QTest::newRow("an address already listed is appended again")
            << steps("type 10.0.0.1, ok") << steps("open, closed") << QStringList{} << QStringList{a, b, a};
    }

    void insertsThroughTheDialog()
    {
        QFETCH(QStringList, actions);
        QFETCH(QStringList, openAfter);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, rows);
        MessageRecorder recorder;
        DnsConfigFile record = recordOf({a, b});
        DNSPanel panel(nullptr, nullptr, false);
        panel.loadSettings(&record);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy changes(&panel, &DNSPanel::panelChanged);

        QStringList seenOpen;
        bool entryHadFocus = false;
        const QWidget *dialogSeen = nullptr;
        QTimer::singleShot(0, &panel, [&] {
            auto *dialog = panel.findChild<AddDNSPanel *>(QStringLiteral("AddDNS"));
            if (!dialog) {
                if (QWidget *modal = QApplication::activeModalWidget()) {
                    modal->close();
                }
                return;
            }
            dialogSeen = dialog;
            entryHadFocus = dialog->focusWidget() == dialog->m_pIPEdit;
            for (const QString &step : actions) {
                seenOpen << (perform(dialog, step) ? QStringLiteral("open") : QStringLiteral("closed"));
            }
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        QTest::mouseClick(panel.m_pPbtnAdd, Qt::LeftButton);

        QVERIFY(entryHadFocus);
        QCOMPARE(seenOpen, openAfter);
        QCOMPARE(recorder.texts(), messages);
        for (const MessageRecorder::Shown &shown : std::as_const(recorder.shown)) {
            QCOMPARE(shown.kind, Messages::Kind::Error);
            QCOMPARE(shown.caption, QStringLiteral("TCP/IP"));
            QCOMPARE(shown.parent, dialogSeen);
        }
        QCOMPARE(rowsOf(panel), rows);
        const bool changed = rows.size() != 2;
        QCOMPARE(panel.isChanged(), changed);
        QCOMPARE(changes.count(), changed ? 1 : 0);
        QVERIFY(!panel.findChild<AddDNSPanel *>());
    }

    void followsInterfacesAndReadOnly_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<bool>("editable");

        const QString off = QStringLiteral("no interface enabled");
        const QString on = QStringLiteral("an interface enabled");
        const QString readOnly = QStringLiteral("read-only");
        const QString writable = QStringLiteral("writable");
        const QString load = QStringLiteral("load");
        QTest::newRow("a writable tab starts editable") << false << QStringList{} << true;
        QTest::newRow("a read-only tab starts locked") << true << QStringList{} << false;
        QTest::newRow("no enabled interface locks the list and the buttons") << false << QStringList{off} << false;
        QTest::newRow("an interface enabled again unlocks them") << false << QStringList{off, on} << true;
        QTest::newRow("loading leaves them as the interfaces left them") << false << QStringList{off, load} << false;
        QTest::newRow("read-only wins over an enabled interface") << true << QStringList{on} << false;
        QTest::newRow("turning read-only locks them") << false << QStringList{readOnly} << false;
        QTest::newRow("leaving read-only unlocks them with no interface enabled") << true << QStringList{off, writable} << true;
        QTest::newRow("until the next report of the interfaces") << true << QStringList{off, writable, off} << false;
        QTest::newRow("staying writable changes nothing") << false << QStringList{off, writable} << false;
    }

    void followsInterfacesAndReadOnly()
    {
        QFETCH(bool, readOnly);
        QFETCH(QStringList, events);
        QFETCH(bool, editable);
        DnsConfigFile record = recordOf({a});
        DNSPanel panel(nullptr, nullptr, readOnly);
        QCOMPARE(panel.isReadOnly(), readOnly);

        for (const QString &event : events) {
            if (event == QLatin1String("no interface enabled") || event == QLatin1String("an interface enabled")) {
                panel.handleNetworkingEnabled(event.startsWith(QLatin1String("an")));
            } else if (event == QLatin1String("load")) {
                panel.loadSettings(&record);
            } else {
                panel.setReadOnly(event == QLatin1String("read-only"));
            }
        }

        const QList<QWidget *> editing{panel.m_pListBox, panel.m_pDbtnUp, panel.m_pDbtnDown, panel.m_pPbtnAdd, panel.m_pPbtnRemove};
        for (const QWidget *widget : editing) {
            QVERIFY2(widget->isEnabled() == editable, qPrintable(widget->objectName()));
        }
        // The page and its title keep their own state: only the editing widgets follow.
        QVERIFY(panel.isEnabled());
        QVERIFY(panel.m_pLabelTitle->isEnabled());
    }
};

QTEST_MAIN(DNSPanelTest)
#include "dnspaneltest.moc"
