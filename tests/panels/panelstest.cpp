// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <KComboBox>

#include "addrow.h"
#include "config/dnsconfigfile.h"
#include "config/interface.h"
#include "config/interfacesmodel.h"
#include "forms/fittingcombobox.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"
#include "panels/interfacesmessages.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/superuser.h"
#include "recordtext.h"
#include "systemroot.h"

namespace
{
/// What the tab shows for an answer, questions answered Yes: "kind: text" with the caption when it is not TCP/IP, then "+" when the save goes on.
QString told(const InterfacesModel::Answer &answer)
{
    static const char *const kinds[] = {"error", "sorry", "information", "question"};
    const MessageRecorder boxes;
    const bool goesOn = InterfacesMessages::tell(nullptr, answer);
    QString shown;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        shown += QLatin1String(kinds[int(box.kind)]) + QLatin1String(": ") + box.text + (box.caption == QLatin1String("TCP/IP") ? QString() : box.caption);
    }
    return shown + QLatin1String(goesOn ? "+" : "");
}

/// eth0 to eth4 as RecordText words, %1 standing for a whole static address.
QVector<Interface> records(const QString &text)
{
    return RecordText::records(QString(text).replace(QLatin1String("%1"), QLatin1String("ip=10.0.0.2 mask=255.0.0.0 gw=10.0.0.1")));
}

const QString s_wirelessFile = QStringLiteral("/etc/pcmcia/wireless.opts");

/// Read-only disables every input and darkens `legible` texts' background; two keys in `edited` mark the tab changed, `signals` times panelChanged(true).
template<class Panel>
void check(Panel &panel, const QList<QWidget *> &inputs, const QList<QWidget *> &legible, QWidget *edited, Qt::Key key, int signals)
{
    for (const bool readOnly : {true, false}) {
        panel.setReadOnly(readOnly);
        for (QWidget *input : inputs) {
            QVERIFY2(input->isEnabled() != readOnly, qPrintable(input->objectName()));
        }
    }
    for (QWidget *entry : legible) {
        QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Text), entry->palette().color(QPalette::Disabled, QPalette::Window).darker(300));
    }
    QSignalSpy changes(&panel, &Panel::panelChanged);
    panel.setChangedFlag(false);
    QTest::keyClick(edited, key);
    QTest::keyClick(edited, key);
    QCOMPARE(changes.count(), signals);
    QVERIFY(panel.isChanged() && changes.constFirst().constFirst().toBool());
    panel.setChangedFlag(false);
    QVERIFY(!panel.isChanged());
}

/// Presses Add, types into the dialog and presses OK or Cancel.
void addServer(DNSPanel &panel, const QString &typed, bool ok)
{
    QTimer::singleShot(0, &panel, [&] {
        auto *dialog = panel.findChild<AddDNSPanel *>(QStringLiteral("AddDNS"));
        QTest::keyClicks(dialog->m_pIPEdit, typed);
        (ok ? dialog->m_pPbtnOK : dialog->m_pPbtnCancel)->click();
    });
    panel.m_pPbtnAdd->click();
}

// The Wireless tab as "name mode channel rate | encryption type format default key | keys | key length | " and each field enabled
// (1) or not: name, keys 1 to 4, encryption, mode, channel, rate, default key, type, format.
QString stateOf(const Wireless &t)
{
    QString shown = QStringList{t.LineEdit_1->text(), t.ComboBox_1->currentText(), t.SpinBox1->text(), t.ComboBox_2->currentText()}.join(QLatin1Char(' '));
    shown += QLatin1String(t.CheckBox_encryption->isChecked() ? " | on " : " | off ") + t.ComboBox_type->currentText() + QLatin1Char(' ');
    shown += t.ComboBox_format->currentText() + QLatin1Char(' ') + t.ComboBoxk->currentText() + QLatin1String(" | ");
    shown += QStringList{t.LineEdit_h1->text(), t.LineEdit_h2->text(), t.LineEdit_h3->text(), t.LineEdit_h4->text()}.join(QLatin1Char(','));
    shown += QStringLiteral(" | %1 | ").arg(t.LineEdit_h1->maxLength());
    const QList<const QWidget *> fields{t.LineEdit_1, t.LineEdit_h1, t.LineEdit_h2, t.LineEdit_h3, t.LineEdit_h4, t.CheckBox_encryption};
    for (const QWidget *field : fields + QList<const QWidget *>{t.ComboBox_1, t.SpinBox1, t.ComboBox_2, t.ComboBoxk, t.ComboBox_type, t.ComboBox_format}) {
        shown += field->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return shown;
}

}

class PanelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        SuperUser::setOverride(true);
    }

    void lockReadOnlyAndMarkChanges()
    {
        SystemRoot root;
        const MessageRecorder boxes;
        QVector<Interface> loaded = records(QStringLiteral("eth0 auto %1 default eth1 ip=10.0.1.2 default"));
        IPPanel ip;
        ip.loadSettings(loaded.data());
        const QList<QWidget *> inputs{ip.m_pCheckBoxEnableNetwork, ip.m_pRadioButtonDHCP, ip.m_pIPEditStaticIP, ip.m_pCheckBoxDefaultGW};
        check(ip, inputs, {ip.m_pLineEditHostname}, ip.m_pIPEditStaticGateway, Qt::Key_0, 1);
        ip.m_pComboBoxNI->setCurrentIndex(1);
        Q_EMIT ip.m_pComboBoxNI->activated(1);
        // Enabled beside a default gateway, it gives up its own mark.
        ip.m_pCheckBoxEnableNetwork->click();
        QVERIFY(ip.m_pCheckBoxEnableNetwork->isChecked() && !ip.m_pCheckBoxDefaultGW->isChecked());
        ip.m_pIPEditStaticIP->setText(QStringLiteral("10.0.1.9"));
        ip.applySettings();
        const Addresses &eth1 = loaded[1].staticAddresses;
        QCOMPARE(QStringList({eth1.ipAddress(), eth1.netmask(), eth1.gateway, loaded[1].oldIPAddress}).join(QLatin1Char(',')), QStringLiteral("10.0.1.9,,,"));
        QVERIFY(loaded[1].enabled && loaded[1].method == Interface::Static && !loaded[1].defaultGateway && loaded[0].defaultGateway);
        // Loaded again, as after an Apply: each device listed once.
        ip.loadSettings(loaded.data());
        QCOMPARE(ip.m_pComboBoxNI->count(), 2);

        DnsConfigFile config;
        for (const char *server : {"10.0.0.1", "10.0.0.2", "10.0.0.1", "10.0.0.3"}) {
            config.addNameserver(QLatin1String(server));
        }
        DNSPanel dns(nullptr, nullptr, false);
        dns.loadSettings(&config);
        dns.m_pListBox->setCurrentRow(0);
        // Each server once, in the user's order: the two presses move the first one last.
        check(dns, {dns.m_pListBox, dns.m_pDbtnUp, dns.m_pDbtnDown, dns.m_pPbtnAdd, dns.m_pPbtnRemove}, {}, dns.m_pDbtnDown, Qt::Key_Space, 1);
        for (int clicks = 0; clicks < 3; ++clicks) {
            dns.m_pDbtnUp->click(); // the third click finds it first already
        }
        dns.m_pDbtnDown->click();
        QCOMPARE(dns.m_pListBox->currentItem()->text() + QString::number(dns.m_pListBox->currentRow()), QStringLiteral("10.0.0.11"));
        dns.m_pPbtnRemove->click();
        addServer(dns, QStringLiteral("10.0.0.8"), false);
        addServer(dns, QStringLiteral("10.0.0.9"), true);
        dns.applySettings();
        QCOMPARE(config.nameservers(), QStringList({QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.3"), QStringLiteral("10.0.0.9")}));

        root.write(s_wirelessFile, SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));
        Wireless wireless;
        QVERIFY(wireless.loadSettings());
        // Each edit counts: the module hears of every one.
        const QList<QWidget *> fields{wireless.LineEdit_1, wireless.CheckBox_encryption, wireless.ComboBox_1, wireless.SpinBox1, wireless.ComboBox_2};
        check(wireless, fields, {}, wireless.SpinBox1, Qt::Key_Down, 2);
    }

    void wirelessKeepsTheKeyRules_data()
    {
        QTest::addColumn<QString>("key"); // the key line of the module's own file
        QTest::addColumn<QString>("steps"); // "type N" or "format N" in turn, questions answered yes or no; or a save
        QTest::addColumn<QString>("shown"); // "asks, " for the question, then the tab from the encryption box on; or the boxes and the key line saved

        const QString four = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [2]\"");
        const QString hex = QStringLiteral("KEY=\"0123456789abcdef0123456789\"");
        const QString quoted = QStringLiteral("KEY=\"s:a\\$b\\`c [1] key s:d\\\"e\\\\f [2] key s:00000 [3] key s:1'300 [4] key [3]\"");
        const QString notHex = QStringLiteral("The Key value must be in hexadecimal. \"%1\" is not a hexadecimal number.");
        addRow("128 to 40/64 asks; yes cuts 13 to 5", "KEY=\"s:abcdefghijklm\"", "type 0 yes", "asks, on 40/64 bit ASCII Key 1 | abcde,,, | 5 | 111111111111");
        addRow("no keeps 128 bit", "KEY=\"s:abcdefghijklm\"", "type 0 no", "asks, on 128 bit ASCII Key 1 | abcdefghijklm,,, | 13 | 110001111011");
        addRow("40/64 to 128 asks nothing, empties keys 2 to 4", four, "type 1", "on 128 bit ASCII Key 1 | abcde,,, | 13 | 110001111011");
        addRow("and back to 40/64 asks again", four, "type 1, type 0 yes", "asks, on 40/64 bit ASCII Key 1 | abcde,,, | 5 | 111111111111");
        addRow("hexadecimal to ASCII cuts 26 to 13", hex, "format 0 yes", "asks, on 128 bit ASCII Key 1 | 0123456789abc,,, | 13 | 110001111011");
        addRow("ASCII to hexadecimal keeps the keys", four, "format 1", "on 40/64 bit Hexadecimal Key 2 | abcde,fghij,k, | 10 | 111111111111");
        addRow("a short 128-bit ASCII key is padded to 13", "KEY=\"s:abc\"", "save", "KEY=\"s:abc0000000000\"");
        addRow("every hexadecimal digit passes", "KEY=\"0123456789abcdefABCDEF0000\"", "save", "KEY=\"0123456789abcdefABCDEF0000\"");
        addRow("the second key is checked too", "KEY=\"0123456789 [1] key 01234z [2] key  [3] key  [4] key [1]\"", "save", notHex.arg(QLatin1Char('z')));
        addRow("shell characters stay quoted", quoted, "save", quoted);
        addRow("keys of a disabled line are neither checked nor padded", "#KEY=\"xyz\"", "save", "#KEY=\"xyz\"");
    }

    void wirelessKeepsTheKeyRules()
    {
        QFETCH(QString, key);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        SystemRoot root;
        MessageRecorder boxes;
        boxes.defaultAnswer = steps.endsWith(QLatin1String("no")) ? Messages::Answer::No : Messages::Answer::Yes;
        const auto ownFile = [](const QByteArray &keyLine) {
            return SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")).replace("#KEY=\"\"\n", keyLine + '\n');
        };
        root.write(s_wirelessFile, ownFile(key.toLatin1()));
        Wireless tab;
        QVERIFY(tab.loadSettings());
        if (steps == QLatin1String("save")) {
            // Loading counts as a change: the save writes the file again, the same apart from the key.
            const bool saved = tab.validSetting() && tab.applySettings();
            const QByteArray written = saved ? root.read(s_wirelessFile).split('\n').value(10) : QByteArray();
            QCOMPARE(root.read(s_wirelessFile), ownFile(saved ? written : key.toLatin1()));
            QString texts;
            for (const MessageRecorder::Shown &box : boxes.shown) {
                texts += box.text;
            }
            QCOMPARE(texts + QString::fromLatin1(written), shown);
            return;
        }
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            auto *list = step.startsWith(QLatin1String("type")) ? tab.ComboBox_type : tab.ComboBox_format;
            list->setCurrentIndex(step.section(QLatin1Char(' '), 1, 1).toInt());
            Q_EMIT list->activated(list->currentIndex());
        }
        QCOMPARE(QLatin1String(boxes.shown.isEmpty() ? "" : "asks, ") + stateOf(tab).section(QLatin1String(" | "), 1), shown);
        for (const MessageRecorder::Shown &box : boxes.shown) {
            QCOMPARE(box.caption + box.yesText + box.noText + box.text,
                     QStringLiteral("Wireless Key&Yes&NoThe new type of encryption key will be shorter than the current one. The current key will be "
                                    "truncated. Do you like to continue?"));
        }
    }

    void wirelessLoadsTheFile_data()
    {
        QTest::addColumn<QByteArray>("before"); // a file loaded first; none: none
        QTest::addColumn<QByteArray>("file"); // none: no file
        QTest::addColumn<bool>("root");
        // The boxes, each telling that the file is replaced | the file and its .orig afterwards | network name mode channel rate | fields enabled.
        QTest::addColumn<QString>("shown");

        const QByteArray foreign = SystemRoot::fixture(QStringLiteral("sample/wireless-opts-foreign-case-block"));
        const QByteArray own = SystemRoot::fixture(QStringLiteral("sample/wireless-opts-home-managed-key-off"));
        const QByteArray ownWithKeys = QByteArray(own).replace("#KEY=\"\"", "KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [2]\"");
        const QByteArray none;
        addRow("a foreign file as root: kept, replaced", none, foreign, true, "information | defaults, unchanged | Any Auto 10 Auto | 100001111000");
        addRow("no file as root: told, then sorry", none, none, true, "information sorry | none, none |  Auto 10 Auto | 100001111000");
        addRow("a foreign file as a user: silence", none, foreign, false, " | unchanged, none |  Auto 1 Auto | 111111111111");
        addRow("its own file as a user: read-only", none, own, false, " | unchanged, none | home Infrastructure 6 11 Mbps | 000000000000");
        addRow("its own file with keys, read again after one without: the key's fields open again",
               own,
               ownWithKeys,
               true,
               " | unchanged, none | home Infrastructure 6 11 Mbps | 111111111111");
    }

    void wirelessLoadsTheFile()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, file);
        QFETCH(bool, root);
        QFETCH(QString, shown);
        SuperUser::setOverride(root);
        SystemRoot system;
        MessageRecorder recorder;
        Wireless tab;
        if (!before.isNull()) {
            system.write(s_wirelessFile, before);
            QVERIFY(tab.loadSettings());
        }
        if (!file.isNull()) {
            system.write(s_wirelessFile, file);
        }
        QCOMPARE(tab.isReadOnly(), tab.loadSettings() && !root);
        QStringList kinds;
        for (const MessageRecorder::Shown &box : recorder.shown) {
            kinds << QLatin1String(box.kind == Messages::Kind::Information ? "information" : "sorry");
            QCOMPARE(box.caption + QLatin1Char('|') + box.text,
                     QStringLiteral("Wireless Setting|Your current wireless configuration was not generated by this panel and cannot be used. It is being "
                                    "replaced with default settings. The original configuration file has been copied to /etc/pcmcia/wireless.opts.orig"));
        }
        QStringList found;
        for (const QByteArray &content : {system.read(s_wirelessFile), system.read(s_wirelessFile + QLatin1String(".orig"))}) {
            const bool defaults = content == SystemRoot::fixture(QStringLiteral("wireless-opts-defaults"));
            found << QLatin1String(content.isNull() ? "none" : content == file ? "unchanged" : defaults ? "defaults" : "other");
        }
        const QStringList state = stateOf(tab).split(QLatin1String(" | "));
        QCOMPARE(QStringList({kinds.join(QLatin1Char(' ')), found.join(QLatin1String(", ")), state.constFirst(), state.constLast()}).join(QLatin1String(" | ")),
                 shown);
    }

    void keepsTheTabsRules_data()
    {
        QTest::addColumn<QString>("records");
        QTest::addColumn<QString>("step"); // on eth1 "default on|off", "enable" or "dhcp", then the default gateways; empty: the check before a save
        QTest::addColumn<QString>("shown");
        addRow("nothing enabled passes unasked", "eth0 eth1 dhcp eth2 default", "", "+");
        addRow("without an address a disabled one passes, the lowest enabled one fails",
               "eth0 auto %1 default eth1 mask=255.0.0.0 eth2 auto eth3 auto",
               "",
               "error: Interface eth2 has invalid IP address!");
        addRow("an empty subnet mask", "eth0 auto ip=10.0.0.2 default", "", "error: Interface eth0 has invalid subnet mask address!");
        addRow("two DHCP interfaces before two default gateways",
               "eth0 auto dhcp default eth1 auto dhcp default",
               "",
               "sorry: More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP interface can be "
               "supported at this time.\nPlease configure only ONE interface to use DHCP.");
        addRow("two default gateways",
               "eth0 auto %1 default eth1 auto %1 default",
               "",
               "sorry: Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default.");
        addRow("no default gateway: the user is asked",
               "eth0 auto dhcp eth1 auto %1",
               "",
               "question: You have not set an interface as the default gateway interface!\nNormally the interface that connects to the Internet is set to "
               "be default gateway interface. However, it is not required and networking should still function properly within the local subnet.\nDo you "
               "wish to continue without a default gateway?+");
        addRow("a DHCP default gateway counts", "eth0 auto dhcp default eth1 auto %1", "", "+");
        addRow("no mark without a gateway address",
               "eth0 auto %1 default eth1 auto ip=10.0.1.2 mask=255.0.0.0 eth2 %1 default",
               "default on: eth0 eth2",
               "sorry: Sorry, you need to provide a valid Gateway IP address!");
        addRow("the mark leaves the other enabled ones", "eth0 auto %1 default eth1 auto %1 eth2 %1 default", "default on: eth1 eth2", "+");
        addRow("unmarking touches only the shown one", "eth0 auto %1 default eth1 auto dhcp default eth2 %1 default", "default off: eth0 eth2", "+");
        addRow("a DHCP interface needs no gateway for the mark", "eth0 auto %1 default eth1 auto dhcp", "default on: eth1", "+");
        addRow("enabled beside a default gateway it yields the mark", "eth0 auto %1 default eth1 %1 default", "enable: eth0 eth1", "yields");
        addRow("a disabled default gateway asks nothing", "eth0 default eth1 %1 default", "enable: eth0 eth1", "keeps");
        addRow("a second DHCP interface is refused",
               "eth0 auto dhcp default eth1 auto",
               "dhcp: eth0",
               "sorry: You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection per "
               "system. Please disable another DHCP connection before using this interface with DHCP.");
        addRow("beside a disabled DHCP one it may use DHCP", "eth0 dhcp default eth1 auto", "dhcp: eth0", "+");
    }

    void keepsTheTabsRules()
    {
        QFETCH(QString, records);
        QFETCH(QString, step);
        QFETCH(QString, shown);
        QVector<Interface> loaded = ::records(records);
        InterfacesModel model;
        model.load(loaded.data());
        if (step.isEmpty()) {
            QCOMPARE(told(model.check()), shown);
            QCOMPARE(model.anyEnabled(), records.contains(QLatin1String("auto")));
            return;
        }
        model.setCurrent(1);
        const InterfacesModel::WorkingCopy &working = model.shown();
        QString outcome = told(model.mayUseDhcp());
        if (step.startsWith(QLatin1String("default"))) {
            outcome = told(model.setDefaultGateway(step.startsWith(QLatin1String("default on")), !working.dhcp, working.gateway));
        } else if (step.startsWith(QLatin1String("enable"))) {
            outcome = QLatin1String(model.yieldDefaultGateway() ? "yields" : "keeps");
            // Yielding also forgets the mark for a later switch back from DHCP.
            QCOMPARE(working.staticDefaultGatewayMemo, outcome == QLatin1String("keeps"));
        }
        QStringList marked;
        for (int i = 0; i < InterfacesModel::InterfaceCount; ++i) {
            if (model.isPresent(i) && model.workingCopy(i).defaultGateway) {
                marked << model.record(i).deviceName;
            }
        }
        QCOMPARE(outcome, shown);
        QCOMPARE(marked.join(QLatin1Char(' ')), step.section(QLatin1String(": "), 1));
    }

    // What the widgets hold reaches the record on a save; a disabled interface's fields are not the user's.
    void storesWhatTheTabTakes_data()
    {
        QTest::addColumn<QString>("entries"); // on eth1: auto or noauto, dhcp or static, then the host name or the address, mask and gateway
        QTest::addColumn<QString>("stored");
        addRow("a DHCP host name", "auto dhcp box2", "auto dhcp ip=10.0.0.2 mask=255.0.0.0 net=10.0.0.0 bc=10.255.255.255 gw=10.0.0.1 host=box2");
        addRow("a static address",
               "auto static 10.0.1.2 255.255.0.0 10.0.0.254",
               "auto ip=10.0.1.2 mask=255.255.0.0 net=10.0.0.0 bc=10.0.255.255 gw=10.0.0.254");
        addRow("a disabled one keeps what it had", "noauto dhcp box2", "dhcp ip=10.0.0.2 mask=255.0.0.0 net=10.0.0.0 bc=10.255.255.255 gw=10.0.0.1");
    }

    void storesWhatTheTabTakes()
    {
        QFETCH(QString, entries);
        QFETCH(QString, stored);
        QVector<Interface> loaded = records(QStringLiteral("eth0 eth1 %1"));
        InterfacesModel model;
        model.load(loaded.data());
        model.setCurrent(1);
        const QStringList words = entries.split(QLatin1Char(' '));
        InterfacesModel::Entries typed;
        typed.enabled = words.at(0) == QLatin1String("auto");
        typed.dhcp = words.at(1) == QLatin1String("dhcp");
        (typed.dhcp ? typed.hostName : typed.ipAddress) = words.at(2);
        typed.subnetMask = words.value(3);
        typed.gateway = words.value(4);
        model.take(typed);
        model.store();
        QCOMPARE(RecordText::describe(loaded.at(1)), stored);
    }

    void takesOnlyWhatCanBecomeAnAddress_data()
    {
        QTest::addColumn<QString>("input"); // typed, or after "paste:" pasted, or after "set:" set by the program
        QTest::addColumn<QString>("shown"); // the text | what getText() gives: only a complete address | valid or not
        addRow("never typed into: no address, which is allowed", "", "|| valid");
        addRow("a whole address", "192.168.1.10", "192.168.1.10|192.168.1.10| valid");
        addRow("three octets are not yet an address", "192.168.1", "192.168.1|| invalid");
        addRow("nor are four with an empty one", "192.168..10", "192.168..10|| invalid");
        addRow("letters are refused", "1a0.b0.0.c1", "10.0.0.1|10.0.0.1| valid");
        addRow("an octet above 255 is refused digit by digit", "256.1.1.1", "25.1.1.1|25.1.1.1| valid");
        addRow("a fifth octet is refused", "10.0.0.1.5", "10.0.0.15|10.0.0.15| valid");
        addRow("a leading zero, read as octal elsewhere, is refused", "10.010.0.1", "10.0.0.1|10.0.0.1| valid");
        addRow("pasted whole with blanks and a line end", "paste:  172.16.0.254 \n", "172.16.0.254|172.16.0.254| valid");
        addRow("a pasted host name is refused whole", "paste:gateway.lan", "|| valid");
        addRow("pasted digits of another script are refused whole", "paste:\u0661\u0660.0.0.1", "|| valid");
        addRow("set from a file: shown as it is, but no address", "set:router.lan", "router.lan|| invalid");
    }

    void takesOnlyWhatCanBecomeAnAddress()
    {
        QFETCH(QString, input);
        QFETCH(QString, shown);
        IPEdit edit;
        if (input.startsWith(QLatin1String("paste:"))) {
            QApplication::clipboard()->setText(input.mid(6));
            edit.paste();
        } else if (input.startsWith(QLatin1String("set:"))) {
            edit.setText(input.mid(4));
        } else {
            QTest::keyClicks(&edit, input);
        }
        QCOMPARE(edit.text() + QLatin1Char('|') + edit.getText() + QLatin1String(edit.valid ? "| valid" : "| invalid"), shown);
    }

    // The fitting list asks for what a list set to adjust to its contents asks for (it leaves
    // that setting off, which builds the popup list at once), also for entries that change once shown.
    void fittingListSizesToItsEntries_data()
    {
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("then");
        addRow("none, then one", QStringList(), QStringList{QStringLiteral("eth0")});
        addRow("short ones, then a long one",
               QStringList{QStringLiteral("Auto"), QStringLiteral("Ad-Hoc")},
               QStringList{QStringLiteral("eth0 - Acme Networks 10/100 PCI Fast Ethernet Adapter")});
        addRow("a long one, then short ones", QStringList{QStringLiteral("Infrastructure")}, QStringList{QStringLiteral("Key 1"), QStringLiteral("Key 2")});
    }

    void fittingListSizesToItsEntries()
    {
        QFETCH(QStringList, first);
        QFETCH(QStringList, then);
        FittingComboBox fitting;
        KComboBox adjusting(false);
        adjusting.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (const QStringList &entries : {first, then}) {
            for (KComboBox *list : {static_cast<KComboBox *>(&fitting), &adjusting}) {
                list->clear();
                list->addItems(entries);
                list->show();
            }
            QCOMPARE(fitting.sizeHint(), adjusting.sizeHint());
        }
    }
};

QTEST_MAIN(PanelsTest)
#include "panelstest.moc"
