// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

// What the Interfaces tab's tests share: records as loading leaves them, and a
// user who chooses, clicks and types on the real widgets.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include "config/interface.h"
#include "messagerecorder.h"
#include "panels/ippanel.h"

#include <array>

using Records = std::array<Interface, 5>;

/// eth0 to eth4, the first `present` of them present (loading marks the first ones).
inline Records interfaceRecords(int present)
{
    Records records;
    for (int i = 0; i < int(records.size()); ++i) {
        records[i].setInterfaceNumber(i);
        records[i].present = i < present;
    }
    return records;
}

/**
 * Fills a record from a short description, word by word:
 * "on|off static|dhcp [address netmask gateway] [default]", "-" for an empty
 * address, for example "on static 192.168.1.10 255.255.255.0 192.168.1.1 default".
 */
inline void describe(Interface &record, const QString &description)
{
    const QStringList words = description.split(QLatin1Char(' '));
    auto word = [&words](int i) {
        return i < words.size() && words.at(i) != QLatin1String("-") ? words.at(i) : QString();
    };
    record.enabled = words.at(0) == QLatin1String("on");
    record.method = words.at(1) == QLatin1String("dhcp") ? Interface::Dhcp : Interface::Static;
    if (record.method == Interface::Static) {
        record.staticAddresses.setIPAddress(word(2));
        record.staticAddresses.setNetmask(word(3));
        record.staticAddresses.gateway = word(4);
    }
    record.defaultGateway = words.last() == QLatin1String("default");
}

inline void setLease(Interface &record, const QString &address, const QString &netmask, const QString &gateway)
{
    record.dhcpAddresses.setIPAddress(address);
    record.dhcpAddresses.setNetmask(netmask);
    record.dhcpAddresses.gateway = gateway;
}

/// Shows the panel as the module would, then loads the records into it.
inline void showLoaded(IPPanel &panel, Records &records)
{
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.loadSettings(records.data());
}

/// A click where the user would click: on a check box's or radio button's indicator.
inline void click(QAbstractButton *button)
{
    const bool indicator = !qobject_cast<QPushButton *>(button);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, indicator ? QPoint(6, button->height() / 2) : button->rect().center());
}

/// Picks an item of a closed combo box with the arrow keys, as the user does.
inline void choose(QComboBox *combo, int index)
{
    while (combo->currentIndex() < index) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    while (combo->currentIndex() > index) {
        QTest::keyClick(combo, Qt::Key_Up);
    }
}

/// Replaces an entry's text by typing.
inline void typeInto(QLineEdit *entry, const QString &text)
{
    QTest::keyClick(entry, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(entry, Qt::Key_Delete);
    QTest::keyClicks(entry, text);
}

/// The boxes shown, as "kind: text", in order.
inline QStringList shownBoxes(const MessageRecorder &recorder)
{
    QStringList boxes;
    for (const MessageRecorder::Shown &box : recorder.shown) {
        static const char *const kinds[] = {"error", "sorry", "information", "question"};
        boxes << QLatin1String(kinds[int(box.kind)]) + QLatin1String(": ") + box.text;
    }
    return boxes;
}

/// Every box of the Interfaces tab has the same caption.
inline bool allCaptioned(const MessageRecorder &recorder)
{
    for (const MessageRecorder::Shown &box : recorder.shown) {
        if (box.caption != QLatin1String("TCP/IP")) {
            return false;
        }
    }
    return true;
}
