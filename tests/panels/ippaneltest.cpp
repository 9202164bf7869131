// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QHash>
#include <QPushButton>
#include <QTest>

#include <KComboBox>

#include "addrow.h"
#include "casefile.h"
#include "config/interface.h"
#include "fakeshell.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/interfacesmessages.h"
#include "panels/ippanel.h"
#include "systemroot.h"

#include <array>

namespace
{
QString orDash(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("-") : text;
}

/// One record from "on|off static [address netmask gateway] [default] [(description)]"
/// or "on|off dhcp [host name] [default] [(description)]", "-" for an empty value.
void describe(Interface &record, const QString &text)
{
    record.description = text.section(QLatin1String(" ("), 1).remove(QLatin1Char(')'));
    QStringList words = text.section(QLatin1String(" ("), 0, 0).split(QLatin1Char(' '));
    record.enabled = words.takeFirst() == QLatin1String("on");
    record.method = words.takeFirst() == QLatin1String("dhcp") ? Interface::Dhcp : Interface::Static;
    record.defaultGateway = words.removeAll(QStringLiteral("default")) > 0;
    for (QString &word : words << QString() << QString() << QString()) {
        word = word == QLatin1String("-") ? QString() : word;
    }
    if (record.method == Interface::Dhcp) {
        record.dhcpHostName = words.at(0);
        return;
    }
    record.staticAddresses.setIPAddress(words.at(0));
    record.staticAddresses.setNetmask(words.at(1));
    record.staticAddresses.gateway = words.at(2);
}

/// describe() backwards, without the description.
QString summary(const Interface &record)
{
    QStringList words{QLatin1String(record.enabled ? "on" : "off")};
    if (record.method == Interface::Dhcp) {
        words << QStringLiteral("dhcp") << orDash(record.dhcpHostName);
    } else {
        const Addresses &addresses = record.staticAddresses;
        words << QStringLiteral("static") << orDash(addresses.ipAddress()) << orDash(addresses.netmask()) << orDash(addresses.gateway);
    }
    if (record.defaultGateway) {
        words << QStringLiteral("default");
    }
    return words.join(QLatin1Char(' '));
}

/// The tab's long boxes by short names, anything else as "kind: text"; the texts are exact.
QString boxName(const MessageRecorder::Shown &box)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("question: If you select an interface to perform DHCP connection, this computer will not be able to be a Windows Server. Do you "
                        "want to continue?"),
         QStringLiteral("Windows question")},
        {QStringLiteral("sorry: You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP "
                        "connection per system. Please disable another DHCP connection before using this interface with DHCP."),
         QStringLiteral("one DHCP refusal")},
        {QStringLiteral("sorry: More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP interface "
                        "can be supported at this time.\nPlease configure only ONE interface to use DHCP."),
         QStringLiteral("two DHCP refusal")},
        {QStringLiteral("sorry: Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default."),
         QStringLiteral("two defaults refusal")},
        {QStringLiteral("question: You have not set an interface as the default gateway interface!\nNormally the interface that connects to the "
                        "Internet is set to be default gateway interface. However, it is not required and networking should still function properly "
                        "within the local subnet.\nDo you wish to continue without a default gateway?"),
         QStringLiteral("no default question")},
        {QStringLiteral("sorry: Sorry, you need to provide a valid Gateway IP address!"), QStringLiteral("gateway needed")},
        {QStringLiteral("error: Error renewing leases!"), QStringLiteral("lease error")},
    };
    static const char *const kinds[] = {"error", "sorry", "information", "question"};
    const QString shown = QLatin1String(kinds[int(box.kind)]) + QLatin1String(": ") + box.text;
    return names.value(shown, shown) + (box.caption == QLatin1String("TCP/IP") ? QString() : QLatin1String(" [caption ") + box.caption + QLatin1Char(']'));
}

/// An ifupdown line run the tab's way (privileged, with its PATH, without its errors)
/// as just "ifdown eth1"; anything else whole.
QString commandName(const QString &line, bool privileged)
{
    static const QString path = QStringLiteral("PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/bin/X11; /sbin/");
    static const QString quiet = QStringLiteral(" 2>/dev/null");
    const bool tabsWay = privileged && line.startsWith(path) && line.endsWith(quiet);
    return tabsWay ? line.mid(path.size()).chopped(quiet.size()) : QLatin1String("ran: ") + line;
}

/**
 * A shown and loaded Interfaces tab in a throw-away system, and a user who works
 * it from a transcript of steps, each followed by " -> " and what came of it,
 * joined by ", ", when anything did. The steps:
 * - eth0 to eth4: pick the interface in the list;
 * - enable, dhcp, static, default, release, renew: click it;
 * - ip, mask, gw, host followed by a text: type it over the entry;
 * - no: answer No to the next question; fail ifdown|ifup: let that command fail;
 * - dhclient: a DHCP client starts; readonly on|off; load: load the records again;
 * - check: save as the module does (apply, check, clear the changed flag);
 * - fields, usable, items, stored: what the user sees (observe()).
 */
class TabSession
{
public:
    explicit TabSession(const QStringList &each)
    {
        for (int i = 0; i < int(records.size()); ++i) {
            records[i].setInterfaceNumber(i);
            records[i].present = i < each.size();
            describe(records[i], each.value(i, QStringLiteral("off static")));
            records[i].dhcpAddresses.setIPAddress(QStringLiteral("10.20.0.5%1").arg(i));
            records[i].dhcpAddresses.setNetmask(QStringLiteral("255.255.0.0"));
            records[i].dhcpAddresses.gateway = QStringLiteral("10.20.0.1");
            m_loaded << summary(records[i]);
        }
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.loadSettings(records.data());
        QObject::connect(&panel, &IPPanel::panelChanged, [this](bool changed) {
            note(QLatin1String(changed ? "changed" : "unchanged"));
        });
        QObject::connect(&panel, &IPPanel::networkEnableChanged, [this](bool on) {
            note(QLatin1String(on ? "network on" : "network off"));
        });
        QObject::connect(&panel, &IPPanel::reloadConfigData, [this]() {
            note(QStringLiteral("reload"));
        });
    }

    /// Takes the steps of a transcript and gives it back as it went.
    QStringList replay(const QStringList &transcript)
    {
        QStringList went;
        for (const QString &entry : transcript) {
            const QString step = entry.section(QLatin1String(" -> "), 0, 0);
            m_came.clear();
            take(step.section(QLatin1Char(' '), 0, 0), step.section(QLatin1Char(' '), 1));
            note(QString());
            went << (m_came.isEmpty() ? step : step + QLatin1String(" -> ") + m_came.join(QLatin1String(", ")));
        }
        return went;
    }

    SystemRoot root;
    FakeShell shell;
    MessageRecorder boxes;
    std::array<Interface, 5> records;
    IPPanel panel;

private:
    /// Notes what the fakes saw since the last call (commands first, then boxes), then `what`.
    void note(const QString &what)
    {
        for (; m_lines < shell.lines.size(); ++m_lines) {
            m_came << commandName(shell.lines.at(m_lines), shell.privileged.at(m_lines));
        }
        for (; m_boxes < boxes.shown.size(); ++m_boxes) {
            m_came << boxName(boxes.shown.at(m_boxes));
        }
        if (!what.isEmpty()) {
            m_came << what;
        }
    }

    /// The widgets by the transcript's words, in the order of the form.
    QList<QPair<QString, QWidget *>> widgets() const
    {
        QList<QPair<QString, QWidget *>> found;
        for (const QString &pair : QStringLiteral("list=ComboBoxNI enable=CheckBoxEnableNetwork labels=LabelStaticIP dhcp=RadioButtonDHCP "
                                                  "host=LineEditHostname lease=IPEditDHCPIP lease-mask=IPEditDHCPSubnet lease-gw=IPEditDHCPGateway "
                                                  "release=ReleaseBtn renew=RenewBtn static=RadioButtonStatic ip=IPEditStaticIP mask=IPEditStaticSubnet "
                                                  "gw=IPEditStaticGateway default=CheckBoxDefaultGW")
                                       .split(QLatin1Char(' '))) {
            found.append({pair.section(QLatin1Char('='), 0, 0), panel.findChild<QWidget *>(QLatin1String("m_p") + pair.section(QLatin1Char('='), 1))});
        }
        return found;
    }

    void take(const QString &verb, const QString &text)
    {
        QWidget *widget = nullptr;
        for (const auto &each : widgets()) {
            widget = each.first == verb ? each.second : widget;
        }
        if (auto *entry = qobject_cast<QLineEdit *>(widget)) {
            QTest::keyClick(entry, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(entry, Qt::Key_Delete);
            QTest::keyClicks(entry, text);
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            // Where the user clicks: on a check box's or radio button's indicator.
            const bool indicator = !qobject_cast<QPushButton *>(button);
            QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, indicator ? QPoint(6, button->height() / 2) : button->rect().center());
        } else if (verb.startsWith(QLatin1String("eth"))) {
            choose(verb.mid(3).toInt());
        } else if (verb == QLatin1String("no")) {
            boxes.answers << Messages::Answer::No;
        } else if (verb == QLatin1String("fail")) {
            shell.fail(QLatin1String("/sbin/") + text);
        } else if (verb == QLatin1String("dhclient")) {
            root.write(QStringLiteral("/var/run/dhclient.pid"), "2187\n");
            root.write(QStringLiteral("/proc/2187/cmdline"), QByteArray("/sbin/dhclient\0-pf\0/var/run/dhclient.pid\0eth0\0", 44));
        } else if (verb == QLatin1String("readonly")) {
            panel.setReadOnly(text == QLatin1String("on"));
        } else if (verb == QLatin1String("load")) {
            panel.loadSettings(records.data());
        } else if (verb == QLatin1String("check")) {
            panel.applySettings();
            note(QLatin1String(panel.validSettings() ? "passes" : "fails"));
            panel.setChangedFlag(false);
        } else {
            note(observe(verb));
        }
    }

    /// Picks an item of the closed list with the arrow keys, as the user does.
    void choose(int index)
    {
        for (int moves = 4; moves > 0 && panel.m_pComboBoxNI->currentIndex() != index; --moves) {
            QTest::keyClick(panel.m_pComboBoxNI, panel.m_pComboBoxNI->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    /// What the user sees: "fields" (word=text of each entry that holds any), "usable" (the words
    /// of the enabled widgets), "items" (the texts of the list) or "stored" (what applying
    /// stores, as "eth1: <description>" for each record it changed).
    QString observe(const QString &what)
    {
        QStringList seen;
        if (what == QLatin1String("items")) {
            for (int i = 0; i < panel.m_pComboBoxNI->count(); ++i) {
                seen << panel.m_pComboBoxNI->itemText(i);
            }
            return seen.join(QLatin1String(", "));
        }
        if (!QStringList{QStringLiteral("fields"), QStringLiteral("usable"), QStringLiteral("stored")}.contains(what)) {
            return QLatin1String("unknown step ") + what;
        }
        for (const auto &each : widgets()) {
            const auto *entry = qobject_cast<const QLineEdit *>(each.second);
            if (what == QLatin1String("usable") && each.second->isEnabled()) {
                seen << each.first;
            } else if (what == QLatin1String("fields") && entry && !entry->text().isEmpty()) {
                seen << each.first + QLatin1Char('=') + entry->text();
            }
        }
        if (what == QLatin1String("stored")) {
            const bool changed = panel.isChanged();
            panel.setChangedFlag(true);
            panel.applySettings();
            panel.setChangedFlag(changed);
            for (int i = 0; i < int(records.size()); ++i) {
                const QString now = summary(records[i]);
                seen << (now == m_loaded.at(i) ? QString() : records[i].deviceName + QLatin1String(": ") + now);
            }
            seen.removeAll(QString());
            return seen.join(QLatin1String(" | "));
        }
        return seen.join(QLatin1Char(' '));
    }

    QStringList m_loaded;
    QStringList m_came;
    int m_lines = 0;
    int m_boxes = 0;
};
}

class IPPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void worksLikeAUser_data()
    {
        CaseFile::addRows(QStringLiteral("interfaces-tab-sessions"), {"records", "transcript"});
    }

    void worksLikeAUser()
    {
        QFETCH(QByteArray, records);
        QFETCH(QByteArray, transcript);
        TabSession tab(CaseFile::lines(records));

        QCOMPARE(tab.replay(CaseFile::lines(transcript)), CaseFile::lines(transcript));
        QCOMPARE(tab.panel.cursor().shape(), Qt::ArrowCursor);
    }

    void tellsEachVerdict_data()
    {
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("yes"); // the answer to a question
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("goesOn");

        using Verdict = InterfacesModel::Verdict;
        const QString none;
        const QString eth1 = QStringLiteral("eth1");
        addRow("passes silently", int(Verdict::Passes), none, true, none, true);
        addRow("an interface without an address",
               int(Verdict::InvalidAddress),
               eth1,
               true,
               QStringLiteral("error: Interface eth1 has invalid IP address!"),
               false);
        addRow("without a subnet mask",
               int(Verdict::InvalidNetmask),
               eth1,
               true,
               QStringLiteral("error: Interface eth1 has invalid subnet mask address!"),
               false);
        addRow("with a bad gateway",
               int(Verdict::InvalidGateway),
               eth1,
               true,
               QStringLiteral("error: Interface eth1 has invalid default gateway address!"),
               false);
        addRow("two DHCP interfaces", int(Verdict::SeveralDhcp), none, true, QStringLiteral("two DHCP refusal"), false);
        addRow("two default gateways", int(Verdict::SeveralDefaultGateways), none, true, QStringLiteral("two defaults refusal"), false);
        addRow("no default gateway, Yes goes on", int(Verdict::NoDefaultGateway), none, true, QStringLiteral("no default question"), true);
        addRow("no default gateway, No stops", int(Verdict::NoDefaultGateway), none, false, QStringLiteral("no default question"), false);
        addRow("a second DHCP interface", int(Verdict::DhcpTaken), eth1, true, QStringLiteral("one DHCP refusal"), false);
        addRow("a default gateway without its address", int(Verdict::GatewayNeeded), eth1, true, QStringLiteral("gateway needed"), false);
    }

    void tellsEachVerdict()
    {
        QFETCH(int, verdict);
        QFETCH(QString, device);
        QFETCH(bool, yes);
        QFETCH(QString, box);
        QFETCH(bool, goesOn);
        MessageRecorder boxes;
        boxes.defaultAnswer = yes ? Messages::Answer::Yes : Messages::Answer::No;
        QWidget parent;

        QCOMPARE(InterfacesMessages::tell(&parent, {InterfacesModel::Verdict(verdict), device}), goesOn);
        QCOMPARE(boxes.shown.size(), box.isEmpty() ? 0 : 1);
        if (!box.isEmpty()) {
            QCOMPARE(boxName(boxes.shown.first()), box);
            QCOMPARE(boxes.shown.first().parent, &parent);
        }
    }

    void passesBeforeTheFirstLoad()
    {
        const MessageRecorder boxes;
        IPPanel panel;
        panel.setChangedFlag(true);
        panel.applySettings();
        QVERIFY(panel.validSettings());
        QVERIFY(boxes.shown.isEmpty());
    }
};

QTEST_MAIN(IPPanelTest)
#include "ippaneltest.moc"
