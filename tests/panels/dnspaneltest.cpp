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

#include "addrow.h"
#include "config/dnsconfigfile.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"

namespace
{
// Rows name the servers 10.0.0.N by N alone, so that each fits on one line.
DnsConfigFile recordOf(const QString &numbers)
{
    DnsConfigFile record;
    for (const QString &number : numbers.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        record.addNameserver(QLatin1String("10.0.0.") + number);
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

// "1 2 @0 changed locked": the rows by number, the current row, whether the tab
// holds an edit and whether the list and its buttons are disabled.
QString shown(const DNSPanel &panel)
{
    QString text;
    for (const QString &row : rowsOf(panel)) {
        text += row.section(QLatin1Char('.'), 3) + QLatin1Char(' ');
    }
    text += QStringLiteral("@%1").arg(panel.m_pListBox->currentRow());
    return text + QLatin1String(panel.isChanged() ? " changed" : "") + QLatin1String(panel.m_pListBox->isEnabled() ? "" : " locked");
}

// What the user does in the add-server dialog: "type TEXT" or a key or button.
void perform(AddDNSPanel *dialog, const QString &step)
{
    if (step.startsWith(QLatin1String("type "))) {
        QTest::keyClicks(dialog->m_pIPEdit, step.mid(5));
    } else if (step == QLatin1String("return")) {
        QTest::keyClick(dialog->m_pIPEdit, Qt::Key_Return);
    } else {
        QTest::mouseClick(step == QLatin1String("ok") ? dialog->m_pPbtnOK : dialog->m_pPbtnCancel, Qt::LeftButton);
    }
}
// Presses Add and takes the steps in the dialog; whether it is open after each.
QString addThroughTheDialog(DNSPanel &panel, const QString &steps)
{
    QStringList seen;
    QTimer::singleShot(0, &panel, [&] {
        auto *dialog = panel.findChild<AddDNSPanel *>(QStringLiteral("AddDNS"));
        if (!dialog || dialog->focusWidget() != dialog->m_pIPEdit) {
            QApplication::activeModalWidget()->close();
            return;
        }
        for (const QString &step : steps.split(QStringLiteral(" + "))) {
            perform(dialog, step);
            seen << (dialog->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"));
        }
    });
    QTest::mouseClick(panel.m_pPbtnAdd, Qt::LeftButton);
    return seen.join(QLatin1Char(' '));
}

// What the user and the other tabs do: "select N" clicks row N; up, down and remove
// press their buttons; "add: STEP + STEP" adds a server through the dialog; on and off
// tell whether any interface is enabled; load loads the record again; read-only and
// writable switch the tab. What the dialog did comes back.
QString perform(DNSPanel &panel, DnsConfigFile &record, const QString &action)
{
    const QMap<QString, QWidget *> buttons{{QStringLiteral("up"), panel.m_pDbtnUp},
                                           {QStringLiteral("down"), panel.m_pDbtnDown},
                                           {QStringLiteral("remove"), panel.m_pPbtnRemove}};
    if (action.startsWith(QLatin1String("add: "))) {
        return addThroughTheDialog(panel, action.mid(5));
    } else if (action.startsWith(QLatin1String("select "))) {
        const QListWidgetItem *item = panel.m_pListBox->item(action.mid(7).toInt());
        QTest::mouseClick(panel.m_pListBox->viewport(), Qt::LeftButton, {}, panel.m_pListBox->visualItemRect(item).center());
    } else if (buttons.contains(action)) {
        QTest::mouseClick(buttons.value(action), Qt::LeftButton);
    } else if (action == QLatin1String("on") || action == QLatin1String("off")) {
        panel.handleNetworkingEnabled(action == QLatin1String("on"));
    } else if (action == QLatin1String("load")) {
        panel.loadSettings(&record);
    } else {
        panel.setReadOnly(action == QLatin1String("read-only"));
    }
    return QString();
}

}

class DNSPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editsAndStoresServers_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("servers");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("expected"); // shown(), what the dialog did, the messages

        addRow("a repeated server is shown once and stored once after a move", false, "1 2 1", "select 1, up", "2 1 @0 changed");
        addRow("moving up twice from the third row makes it first and keeps it selected", false, "1 2 3", "select 2, up, up", "3 1 2 @0 changed");
        addRow("moving down takes the selection along", false, "1 2 3", "select 0, down", "2 1 3 @1 changed");
        addRow("removing drops the selected server only", false, "1 2 3", "select 1, remove", "1 3 @1 changed");
        addRow("removing the last server stores an empty list", false, "1", "select 0, remove, remove", "@-1 changed");
        addRow("moving the first row up changes nothing and keeps the repeat in the record", false, "1 2 1", "select 0, up", "1 2 @0");
        addRow("moving the last row down changes nothing", false, "1 2", "select 1, down", "1 2 @1");
        addRow("moving or removing with nothing selected changes nothing", false, "1 2 3", "up, down, remove", "1 2 3 @-1");
        addRow("a read-only tab starts locked", true, "1", "", "1 @-1 locked");
        addRow("no enabled interface locks the list and the buttons", false, "1", "off, select 0, remove", "1 @-1 locked");
        addRow("an interface enabled again unlocks them", false, "1", "off, on", "1 @-1");
        addRow("loading leaves them as the interfaces left them", false, "1", "off, load", "1 @-1 locked");
        addRow("read-only wins over an enabled interface", true, "1", "on", "1 @-1 locked");
        addRow("turning read-only locks them", false, "1", "read-only", "1 @-1 locked");
        addRow("leaving read-only unlocks them with no interface enabled", true, "1", "off, writable", "1 @-1");
        addRow("until the next report of the interfaces", true, "1", "off, writable, off", "1 @-1 locked");
        addRow("staying writable changes nothing", false, "1", "off, writable", "1 @-1 locked");
        addRow("Return with an empty entry keeps the dialog open and says why",
               false,
               "1 2",
               "add: return + cancel",
               "1 2 @-1 | open closed | Invalid IP address");
        addRow("OK with an empty entry is refused the same way",
               false,
               "1 2",
               "add: ok + type 10.0.0.9 + return",
               "1 2 9 @-1 changed | open open closed | Invalid IP address");
        addRow("a half-typed address is refused and stays to be finished",
               false,
               "1 2",
               "add: type 10.0.0 + ok + type .9 + ok",
               "1 2 9 @-1 changed | open open open closed | Invalid IP address");
        addRow("Cancel closes the dialog without a change", false, "1 2", "add: type 10.0.0.9 + cancel", "1 2 @-1 | open closed");
        addRow("an address already listed is appended again", false, "1 2", "add: type 10.0.0.1 + ok", "1 2 1 @-1 changed | open closed");
    }

    void editsAndStoresServers()
    {
        QFETCH(bool, readOnly);
        QFETCH(QString, servers);
        QFETCH(QString, actions);
        QFETCH(QString, expected);
        DnsConfigFile record = recordOf(servers);
        DNSPanel panel(nullptr, nullptr, readOnly);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy changes(&panel, &DNSPanel::panelChanged);

        MessageRecorder messages;
        panel.loadSettings(&record);
        QStringList outcome;
        for (const QString &action : actions.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
            outcome << perform(panel, record, action);
        }
        outcome = QStringList{shown(panel)} + outcome + messages.texts();
        outcome.removeAll(QString());
        QCOMPARE(outcome.join(QLatin1String(" | ")), expected);
        for (const MessageRecorder::Shown &box : std::as_const(messages.shown)) {
            QVERIFY(box.kind == Messages::Kind::Error && box.caption == QLatin1String("TCP/IP") && box.parent && box.parent != &panel);
        }
        QVERIFY(!panel.findChild<AddDNSPanel *>());
        // The buttons follow the list; the page and its title keep their own state.
        for (const QWidget *button : QList<QWidget *>{panel.m_pDbtnUp, panel.m_pDbtnDown, panel.m_pPbtnAdd, panel.m_pPbtnRemove}) {
            QCOMPARE(button->isEnabled(), panel.m_pListBox->isEnabled());
        }
        QVERIFY(panel.isEnabled() && panel.m_pLabelTitle->isEnabled());

        const QStringList stored = panel.isChanged() ? rowsOf(panel) : record.nameservers();
        panel.applySettings();
        QCOMPARE(record.nameservers(), stored);
        // The next load shows the record, each server once, and forgets the edit.
        panel.loadSettings(&record);
        QStringList unique = record.nameservers();
        unique.removeDuplicates();
        QCOMPARE(rowsOf(panel), unique);
        QStringList signalled;
        for (const QList<QVariant> &arguments : std::as_const(changes)) {
            signalled << arguments.at(0).toString();
        }
        QCOMPARE(signalled.join(QLatin1Char(' ')), expected.contains(QLatin1String("changed")) ? QStringLiteral("true false") : QString());
    }
};

QTEST_MAIN(DNSPanelTest)
#include "dnspaneltest.moc"
