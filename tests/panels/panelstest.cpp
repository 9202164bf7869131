// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <KComboBox>
#include <KLineEdit>

#include "addrow.h"
#include "commandlog.h"
#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "config/interface.h"
#include "config/interfacesmodel.h"
#include "config/systemfiles.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "systemroot.h"

namespace
{
using Devices = QList<int>;
using Texts = QStringList;
using Indices = QList<int>;

/// How a row states one interface, flags or'ed: On, enabled; Gw, the default gateway. A static one holds 10.0.<n>.2/24
/// with the gateway 10.0.<n>.1.
enum Device { Off = 0, On = 1, Dhcp = 2, Gw = 4, NoAddress = 8, NoNetmask = 16, NoGateway = 32 };

/// eth0 to eth4, the ones listed present, each with the lease 192.168.1.50/24 via 192.168.1.1.
QVector<Interface> records(const QList<int> &devices)
{
    QVector<Interface> records(SystemFiles::RecordCount);
    for (int i = 0; i < records.size(); ++i) {
        Interface &record = records[i];
        const int device = devices.value(i);
        record.setInterfaceNumber(i);
        record.present = i < devices.size();
        record.enabled = device & On;
        record.method = device & Dhcp ? Interface::Dhcp : Interface::Static;
        record.defaultGateway = device & Gw;
        record.staticAddresses.setIPAddress(device & NoAddress ? QString() : QStringLiteral("10.0.%1.2").arg(i));
        record.staticAddresses.setNetmask(device & NoNetmask ? QString() : QStringLiteral("255.255.255.0"));
        record.staticAddresses.gateway = device & NoGateway ? QString() : QStringLiteral("10.0.%1.1").arg(i);
        record.dhcpAddresses.setIPAddress(QStringLiteral("192.168.1.50"));
        record.dhcpAddresses.setNetmask(QStringLiteral("255.255.255.0"));
        record.dhcpAddresses.gateway = QStringLiteral("192.168.1.1");
    }
    return records;
}

QStringList list(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts) {
        list << QString::fromUtf8(text);
    }
    return list;
}

QStringList textsOf(const MessageRecorder &boxes)
{
    QStringList texts;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        texts << box.text;
    }
    return texts;
}

/// The Interfaces tab on a system of its own, its boxes recorded and its questions answered Yes.
struct InterfacesTab {
    void load(const QList<int> &devices, int shown = 0)
    {
        loaded = records(devices);
        tab.loadSettings(loaded.data());
        show(shown);
    }
    void show(int device)
    {
        tab.m_pComboBoxNI->setCurrentIndex(device);
        Q_EMIT tab.m_pComboBoxNI->activated(device);
    }
    QStringList staticEntries() const
    {
        return {tab.m_pIPEditStaticIP->text(), tab.m_pIPEditStaticSubnet->text(), tab.m_pIPEditStaticGateway->text()};
    }
    SystemRoot root;
    MessageRecorder boxes;
    QVector<Interface> loaded;
    IPPanel tab;
};

const QString s_wirelessFile = QStringLiteral("/etc/pcmcia/wireless.opts");

/// The module's own wireless file with another key line.
QByteArray ownWirelessFile(const QString &keyLine)
{
    return SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")).replace("#KEY=\"\"\n", keyLine.toLatin1().append('\n'));
}

/// The Wireless tab loaded as the superuser loads it.
void loadWireless(Wireless &tab)
{
    tab.loadSettings(WirelessOptionsFile::load(true));
}
}

class PanelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Read-only, the entries are disabled and their text is a dark shade of the background, not the faint grey of disabled text.
    void readOnlyTabsStayLegible()
    {
        IDPanel id;
        InterfacesTab ip;
        ip.load({On | Dhcp});
        id.setReadOnly(true);
        ip.tab.setReadOnly(true);
        for (const QWidget *entry : std::initializer_list<const QWidget *>{id.m_pHostName, id.m_pDomain, ip.tab.m_pLineEditHostname}) {
            QVERIFY(!entry->isEnabled());
            QCOMPARE(entry->palette().color(QPalette::Disabled, QPalette::Text).name(), QStringLiteral("#505050"));
        }
        QVERIFY(!ip.tab.m_pCheckBoxEnableNetwork->isEnabled());
    }

    void dnsKeepsEachServerOnceInTheUsersOrder()
    {
        DnsConfigFile config;
        for (const char *server : {"10.0.0.1", "10.0.0.2", "10.0.0.1", "10.0.0.3"}) {
            config.addNameserver(QLatin1String(server));
        }
        DNSPanel dns(nullptr, nullptr, false);
        dns.loadSettings(&config);
        dns.applySettings(); // unchanged: the file's list stays as it is, a server twice and all
        QCOMPARE(config.nameservers().size(), 4);
        QVERIFY(dns.m_pLabelManaged->isHidden());
        QCOMPARE(dns.m_pListBox->count(), 3);
        dns.m_pListBox->setCurrentRow(2);
        for (int clicks = 0; clicks < 3; ++clicks) {
            dns.m_pDbtnUp->click(); // the third click finds it first already
        }
        dns.m_pDbtnDown->click();
        QCOMPARE(dns.m_pListBox->currentRow(), 1);
        dns.m_pListBox->setCurrentRow(0);
        dns.m_pPbtnRemove->click();
        QTimer::singleShot(0, &dns, [&] {
            auto *dialog = dns.findChild<AddDNSPanel *>(QStringLiteral("AddDNS"));
            QTest::keyClicks(dialog->m_pIPEdit, QStringLiteral("10.0.0.9"));
            dialog->m_pPbtnOK->click();
        });
        dns.m_pPbtnAdd->click();
        dns.applySettings();
        QCOMPARE(config.nameservers(), QStringList({QStringLiteral("10.0.0.3"), QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.9")}));
    }

    void wirelessKeepsTheKeyRules_data()
    {
        QTest::addColumn<QString>("key"); // the key line of the module's own file
        QTest::addColumn<QStringList>("chosen"); // items chosen in turn in the type or format list
        QTest::addColumn<bool>("yes"); // the answer to the truncation question
        QTest::addColumn<int>("open"); // key fields enabled
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QString>("saved"); // the key line written; none when the save is refused
        const QString four = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [2]\"");
        const QString fourSaved = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k0000 [3] key s:00000 [4] key [2]\"");
        const QString cut = QStringLiteral("KEY=\"s:abcde [1] key s:00000 [2] key s:00000 [3] key s:00000 [4] key [1]\"");
        const QString ascii = QStringLiteral("KEY=\"s:abcdefghijklm\"");
        const QString hex = QStringLiteral("KEY=\"0123456789abcdef0123456789\"");
        const Texts asked{
            QStringLiteral("The new type of encryption key will be shorter than the current one. The current key will be truncated. Do you like to continue?")};
        const QString seventh = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [7]\"");
        const QString firstSaved = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k0000 [3] key s:00000 [4] key [1]\"");
        const QString digits = QStringLiteral("KEY=\"s:abcde [1] key s:12345 [2] key s:f [3] key s: [4] key [2]\"");
        const QString digitsSaved = QStringLiteral("KEY=\"abcde00000 [1] key 1234500000 [2] key f000000000 [3] key 0000000000 [4] key [2]\"");
        const QString hexEmpty = QStringLiteral("KEY=\"0123456789 [1] key  [2] key 0123456789 [3] key 0123456789 [4] key [1]\"");
        const QString hexPadded = QStringLiteral("KEY=\"0123456789 [1] key 0000000000 [2] key 0123456789 [3] key 0123456789 [4] key [1]\"");
        const QString notHex = QStringLiteral("KEY=\"0123456789 [1] key 01234z [2] key  [3] key  [4] key [1]\"");
        const Texts notHexTold{QStringLiteral("The Key value must be in hexadecimal. \"z\" is not a hexadecimal number.")};
        const Texts none;
        const auto chosen = [](const char *item, const char *then = nullptr) {
            return then ? Texts{QLatin1String(item), QLatin1String(then)} : Texts{QLatin1String(item)};
        };
        addRow("a 128-bit hexadecimal key takes 26", hex, none, true, 1, none, hex);
        addRow("128 to 40/64 asks; yes cuts 13 to 5", ascii, chosen("40/64 bit"), true, 4, asked, cut);
        addRow("no keeps 128 bit", ascii, chosen("40/64 bit"), false, 1, asked, ascii);
        addRow("40/64 to 128 asks nothing, empties keys 2 to 4", four, chosen("128 bit"), true, 1, none, "KEY=\"s:abcde00000000\"");
        addRow("and back to 40/64 asks again", four, chosen("128 bit", "40/64 bit"), true, 4, asked, cut);
        addRow("a default key beyond the fourth is the first", seventh, none, true, 4, none, firstSaved);
        addRow("the type in effect chosen again asks nothing", four, chosen("40/64 bit"), true, 4, none, fourSaved);
        addRow("hexadecimal to ASCII cuts 26 to 13", hex, chosen("ASCII"), true, 1, asked, "KEY=\"s:0123456789abc\"");
        addRow("ASCII to hexadecimal keeps the keys, padded to 10", digits, chosen("Hexadecimal"), true, 4, none, digitsSaved);
        addRow("a short 128-bit ASCII key is padded to 13", "KEY=\"s:abc\"", none, true, 1, none, "KEY=\"s:abc0000000000\"");
        addRow("an empty 40/64-bit hexadecimal key is padded to 10", hexEmpty, none, true, 4, none, hexPadded);
        addRow("every hexadecimal digit passes", "KEY=\"0123456789abcdefABCDEF0000\"", none, true, 1, none, "KEY=\"0123456789abcdefABCDEF0000\"");
        addRow("the second key is checked too", notHex, none, true, 4, notHexTold, "");
        const QString quoted = QStringLiteral("KEY=\"s:a\\$b\\`c [1] key s:d\\\"e\\\\f [2] key s:00000 [3] key s:1'300 [4] key [3]\"");
        addRow("shell characters stay quoted", quoted, none, true, 4, none, quoted);
        addRow("keys of a disabled line are neither checked nor padded", "#KEY=\"xyz\"", none, true, 0, none, "#KEY=\"xyz\"");
    }

    void wirelessKeepsTheKeyRules()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, chosen);
        QFETCH(bool, yes);
        QFETCH(QString, saved);
        SystemRoot root;
        MessageRecorder boxes;
        boxes.defaultAnswer = yes ? Messages::Answer::Yes : Messages::Answer::No;
        // Read first: a file without keys, whose closed key fields the row's file opens again.
        root.write(s_wirelessFile, SystemRoot::fixture(QStringLiteral("sample/wireless-opts-home-managed-key-off")));
        Wireless tab;
        loadWireless(tab);
        root.write(s_wirelessFile, ownWirelessFile(key));
        loadWireless(tab);
        for (const QString &item : chosen) {
            QComboBox *list = tab.ComboBox_type->findText(item) >= 0 ? tab.ComboBox_type : tab.ComboBox_format;
            list->setCurrentIndex(list->findText(item));
            Q_EMIT list->activated(list->currentIndex());
        }
        const QList<QWidget *> keyFields{tab.LineEdit_h1, tab.LineEdit_h2, tab.LineEdit_h3, tab.LineEdit_h4};
        QTEST(int(std::count_if(keyFields.cbegin(), keyFields.cend(), std::mem_fn(&QWidget::isEnabled))), "open");
        QCOMPARE(tab.ComboBoxk->isEnabled(), tab.LineEdit_h2->isEnabled());
        // Loading counts as a change: the save writes the file again, the same apart from the key.
        QCOMPARE(tab.validSetting() && tab.applySettings(), !saved.isEmpty());
        QCOMPARE(root.read(s_wirelessFile), ownWirelessFile(saved.isEmpty() ? key : saved));
        QTEST(textsOf(boxes), "told");
        for (const MessageRecorder::Shown &box : boxes.shown) {
            const bool question = box.kind == Messages::Kind::WarningYesNo;
            QCOMPARE(box.caption, question ? QStringLiteral("Wireless Key") : QStringLiteral("Encryption Key"));
            QVERIFY(!question || box.yesText + box.noText == QLatin1String("&Yes&No"));
        }
    }

    // What the tab shows of what the loader found, and what the loader did to the files.
    void wirelessLoadsTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("superuser"); // anyone else sees the tab read-only
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QStringList>("shown"); // network name, mode, channel, rate
        QTest::addColumn<bool>("changed"); // so the next save writes the file
        QTest::addColumn<QByteArray>("after"); // after the save
        QTest::addColumn<QByteArray>("kept"); // wireless.opts.orig; null: none
        const QByteArray foreign = SystemRoot::fixture(QStringLiteral("sample/wireless-opts-foreign-case-block"));
        const QByteArray own = SystemRoot::fixture(QStringLiteral("sample/wireless-opts-home-managed-key-off"));
        const QByteArray none;
        const QStringList replaced{QStringLiteral(
            "Your current wireless configuration was not generated by this panel and cannot be used. It is being replaced with default settings. The "
            "original configuration file has been copied to /etc/pcmcia/wireless.opts.orig")};
        const QStringList shownDefaults{QStringLiteral("Any"), QStringLiteral("Auto"), QStringLiteral("10"), QStringLiteral("Auto")};
        const QStringList shownOwn{QStringLiteral("home"), QStringLiteral("Infrastructure"), QStringLiteral("6"), QStringLiteral("11 Mbps")};
        const QByteArray defaults = SystemRoot::fixture(QStringLiteral("wireless-opts-defaults"));
        addRow("a foreign file as root: told, kept, replaced", foreign, true, replaced, shownDefaults, true, defaults, foreign);
        addRow("a foreign file as a user: silence", foreign, false, Texts(), list({"", "Auto", "1", "Auto"}), false, foreign, none);
        addRow("its own file", own, true, Texts(), shownOwn, true, own, none);
    }

    void wirelessLoadsTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, superuser);
        SystemRoot root;
        MessageRecorder boxes;
        root.write(s_wirelessFile, file);
        Wireless tab;
        tab.setReadOnly(!superuser);
        tab.setChangedFlag(false);
        tab.loadSettings(WirelessOptionsFile::load(superuser));
        QTEST(textsOf(boxes), "told");
        QTEST(QStringList({tab.LineEdit_1->text(), tab.ComboBox_1->currentText(), tab.SpinBox1->text(), tab.ComboBox_2->currentText()}), "shown");
        QTEST(tab.isChanged(), "changed");
        // Read-only stays so, whatever the file opened; the superuser's key fields follow the encryption switch, off here.
        QCOMPARE(tab.LineEdit_1->isEnabled(), superuser);
        QVERIFY(!tab.LineEdit_h1->isEnabled());
        // Only a changed tab writes its file.
        QTEST(tab.applySettings(), "changed");
        QTEST(root.read(s_wirelessFile), "after");
        QTEST(root.read(s_wirelessFile + QLatin1String(".orig")), "kept");
    }

    // A file the loader cannot replace (a folder in its place) is told of once, not at every reload;
    // one put back after its replacement is news again.
    void wirelessTellsOfEachForeignFileOnce()
    {
        SystemRoot root;
        MessageRecorder boxes;
        Wireless tab;
        QDir().mkpath(root.path(s_wirelessFile));
        loadWireless(tab);
        loadWireless(tab);
        QCOMPARE(boxes.shown.size(), 2);
        QCOMPARE(boxes.shown.at(0).kind, Messages::Kind::Information);
        QCOMPARE(boxes.shown.at(1).kind, Messages::Kind::Sorry);
        QCOMPARE(boxes.shown.at(1).caption, QStringLiteral("Wireless Setting"));
        QCOMPARE(tab.LineEdit_1->text(), QString());

        QDir().rmdir(root.path(s_wirelessFile));
        root.write(s_wirelessFile, "ESSID=\"corp\"\n");
        loadWireless(tab);
        loadWireless(tab);
        root.write(s_wirelessFile, "ESSID=\"corp\"\n");
        loadWireless(tab);
        QCOMPARE(boxes.shown.size(), 4);
        QCOMPARE(root.read(s_wirelessFile), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));
    }

    // A click on the shown interface's box or button, then a save and its check.
    void keepsTheInterfaceRules_data()
    {
        QTest::addColumn<Devices>("devices");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("clicked"); // none: the tab only marked changed
        QTest::addColumn<bool>("yes"); // to every question
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<Indices>("marked"); // the default gateways saved
        QTest::addColumn<bool>("dhcp"); // the shown one saved with DHCP
        QTest::addColumn<bool>("saves");
        const Texts noDefault{QStringLiteral(
            "You have not set an interface as the default gateway interface!\nNormally the interface that connects to the Internet is set to be default "
            "gateway interface. However, it is not required and networking should still function properly within the local subnet.\nDo you wish to "
            "continue without a default gateway?")};
        const Texts twoDhcp{
            QStringLiteral("More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP "
                           "interface can be supported at this time.\nPlease configure only ONE interface to use DHCP.")};
        const Texts twoDefaults{
            QStringLiteral("Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default.")};
        const Texts noAddress{QStringLiteral("Interface eth2 has invalid IP address!")};
        const Texts noNetmask{QStringLiteral("Interface eth0 has invalid subnet mask address!")};
        const Texts noGateway{QStringLiteral("Sorry, you need to provide a valid Gateway IP address!")};
        const QString windows = QStringLiteral(
            "If you select an interface to perform DHCP connection, this computer will not be able to be a Windows Server. Do you want to continue?");
        const QString taken = QStringLiteral(
            "You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection per system. Please "
            "disable another DHCP connection before using this interface with DHCP.");
        const Texts none;
        const QString mark = QStringLiteral("m_pCheckBoxDefaultGW"), enable = QStringLiteral("m_pCheckBoxEnableNetwork");
        const QString toDhcp = QStringLiteral("m_pRadioButtonDHCP"), toStatic = QStringLiteral("m_pRadioButtonStatic");
        addRow("nothing enabled passes unasked", Devices{Off | NoAddress, Dhcp, Gw}, 0, "", true, none, Indices{2}, false, true);
        const Devices addressless{On | Gw, NoAddress, On | NoAddress, On | NoAddress};
        addRow("only enabled ones need an address; the lowest is named",
               Devices{On | Gw, NoAddress, On | NoAddress, On | NoAddress},
               0,
               "",
               true,
               noAddress,
               Indices{0},
               false,
               false);
        addRow("an empty subnet mask", Devices{On | NoNetmask}, 0, "", true, noNetmask, Indices(), false, false);
        addRow("two DHCP interfaces before two default gateways", Devices{On | Dhcp | Gw, On | Dhcp | Gw}, 0, "", true, twoDhcp, Indices{0, 1}, true, false);
        addRow("two default gateways", Devices{On | Gw, On | Gw}, 0, "", true, twoDefaults, Indices{0, 1}, false, false);
        addRow("no default gateway: the user is asked", Devices{On | Dhcp, On}, 0, "", true, noDefault, Indices(), true, true);
        addRow("a DHCP default gateway counts", Devices{On | Dhcp | Gw, On}, 0, "", true, none, Indices{0}, true, true);
        addRow("no mark without a gateway address", Devices{On | Gw, On | NoGateway, Gw}, 1, mark, true, noGateway, Indices{0, 2}, false, true);
        addRow("the mark leaves the other enabled ones", Devices{On | Gw, On, Gw}, 1, mark, true, none, Indices{1, 2}, false, true);
        addRow("a DHCP interface needs no gateway for the mark", Devices{On | Gw, On | Dhcp | NoGateway, Gw}, 1, mark, true, none, Indices{1, 2}, true, true);
        addRow("unmarking touches only the shown one", Devices{On | Gw, On | Gw, Gw}, 1, mark, true, none, Indices{0, 2}, false, true);
        addRow("enabled beside a default gateway, one gives up the mark", Devices{On | Gw, Gw}, 1, enable, true, none, Indices{0}, false, true);
        addRow("and one set to DHCP goes back to a static address", Devices{On | Gw, Dhcp | Gw}, 1, enable, true, none, Indices{0}, false, true);
        addRow("beside a disabled default gateway it keeps its mark", Devices{Gw, Gw}, 1, enable, true, none, Indices{0, 1}, false, true);
        addRow("a DHCP default gateway switched to static gives up the mark", Devices{On | Dhcp | Gw}, 0, toStatic, true, noDefault, Indices(), false, true);
        addRow("no to the DHCP question keeps the static address", Devices{On | Gw, On}, 1, toDhcp, false, Texts{windows}, Indices{0}, false, true);
        addRow("yes switches", Devices{On | Gw, On}, 1, toDhcp, true, Texts{windows}, Indices{1}, true, true);
        addRow("a second DHCP interface is refused", Devices{On | Dhcp | Gw, On}, 1, toDhcp, true, Texts{windows, taken}, Indices{0}, false, true);
        addRow("beside a disabled DHCP one it may use DHCP", Devices{Dhcp | Gw, On}, 1, toDhcp, true, Texts{windows}, Indices{0, 1}, true, true);
    }

    void keepsTheInterfaceRules()
    {
        QFETCH(Devices, devices);
        QFETCH(int, shown);
        QFETCH(QString, clicked);
        QFETCH(bool, yes);
        InterfacesTab t;
        t.boxes.defaultAnswer = yes ? Messages::Answer::Yes : Messages::Answer::No;
        t.load(devices, shown);
        if (clicked.isEmpty()) {
            t.tab.setChangedFlag(true);
        } else {
            // The boxes are also set by the program, the default-gateway box while disabled too; the radio buttons answer clicks only.
            QAbstractButton *button = t.tab.findChild<QAbstractButton *>(clicked);
            qobject_cast<QCheckBox *>(button) ? button->toggle() : button->click();
        }
        QCOMPARE(t.tab.m_pRadioButtonStatic->isChecked(), !t.tab.m_pRadioButtonDHCP->isChecked());
        t.tab.applySettings();
        QTEST(t.tab.validSettings(), "saves");
        QTEST(textsOf(t.boxes), "told");
        Indices marked;
        for (int i = 0; i < devices.size(); ++i) {
            if (t.loaded[i].defaultGateway) {
                marked << i;
            }
        }
        QTEST(marked, "marked");
        QTEST(t.loaded[shown].method == Interface::Dhcp, "dhcp");
        for (const MessageRecorder::Shown &box : t.boxes.shown) {
            QCOMPARE(box.caption, QStringLiteral("TCP/IP"));
        }
    }

    // An invalid gateway entry is reported by the next check, and only by that one.
    void reportsAnInvalidGatewayOnce()
    {
        InterfacesTab t;
        t.load({On | Gw});
        t.tab.m_pIPEditStaticGateway->setText(QStringLiteral("10.0.0"));
        t.tab.applySettings();
        QVERIFY(!t.tab.validSettings());
        QVERIFY(t.tab.validSettings());
        QCOMPARE(textsOf(t.boxes), Texts{QStringLiteral("Interface eth0 has invalid default gateway address!")});
    }

    // Switching to DHCP takes the mark; switching back restores the static entries as they were
    // typed and gives the mark back to nobody, so the save check asks about it.
    void switchingToDhcpAndBackKeepsTheStaticEntries()
    {
        InterfacesTab t;
        t.load({On | Gw, On}, 1);
        t.tab.m_pIPEditStaticIP->setText(QStringLiteral("10.0.1.7"));
        t.tab.m_pRadioButtonDHCP->click();
        QVERIFY(t.tab.m_pCheckBoxDefaultGW->isChecked());
        QCOMPARE(t.staticEntries(), QStringList({QString(), QString(), QString()}));
        t.tab.m_pRadioButtonStatic->click();
        QVERIFY(!t.tab.m_pCheckBoxDefaultGW->isChecked());
        QCOMPARE(t.staticEntries(), QStringList({QStringLiteral("10.0.1.7"), QStringLiteral("255.255.255.0"), QStringLiteral("10.0.1.1")}));
        t.tab.applySettings();
        QVERIFY(!t.loaded[0].defaultGateway && !t.loaded[1].defaultGateway);
        QVERIFY(t.tab.validSettings());
        QCOMPARE(t.boxes.shown.size(), 2);
        QVERIFY(t.boxes.shown.at(1).text.startsWith(QLatin1String("You have not set an interface as the default gateway interface!")));
    }

    // While an enabled interface uses DHCP, no default gateway is chosen by hand.
    void choosesTheDefaultGatewayByHandOnlyWithoutDhcp()
    {
        InterfacesTab t;
        t.load({On | Dhcp, On}, 1);
        QVERIFY(!t.tab.m_pCheckBoxDefaultGW->isEnabled());
        t.show(0);
        QVERIFY(!t.tab.m_pCheckBoxDefaultGW->isEnabled());
        t.tab.m_pCheckBoxEnableNetwork->click();
        t.show(1);
        QVERIFY(t.tab.m_pCheckBoxDefaultGW->isEnabled());
    }

    void showsTheLeaseOnlyWhereItHolds_data()
    {
        QTest::addColumn<int>("device");
        QTest::addColumn<QString>("client"); // the command line of the process the pid file names, "": no pid file
        QTest::addColumn<bool>("started"); // the client starts only after the tab is loaded
        QTest::addColumn<QString>("shown"); // the lease address after the switch to DHCP
        const QString dhclient = QStringLiteral("/sbin/dhclient");
        addRow("a static one switched to DHCP, no client: none", int(On), QString(), false, "");
        addRow("while a client runs: the lease", int(On), dhclient, false, "192.168.1.50");
        addRow("a process that is no DHCP client: none", int(On), QStringLiteral("/usr/sbin/sshd"), false, "");
        addRow("a client started after the load is not looked for", int(On), dhclient, true, "");
    }

    void showsTheLeaseOnlyWhereItHolds()
    {
        QFETCH(int, device);
        QFETCH(QString, client);
        QFETCH(bool, started);
        InterfacesTab t;
        const auto start = [&] {
            t.root.write(QStringLiteral("/var/run/dhclient.pid"), "4242\n");
            t.root.write(QStringLiteral("/proc/4242/cmdline"), client.toLatin1() + QByteArray("\0-v\0eth0", 8));
        };
        if (!client.isEmpty() && !started) {
            start();
        }
        t.load({device});
        if (started) {
            start();
        }
        t.tab.m_pRadioButtonDHCP->click();
        QTEST(t.tab.m_pIPEditDHCPIP->text(), "shown");
        QVERIFY(!t.tab.m_pIPEditDHCPIP->isEnabled()); // it only shows
        QCOMPARE(t.tab.m_pIPEditDHCPGateway->text().isEmpty(), t.tab.m_pIPEditDHCPIP->text().isEmpty());
        QCOMPARE(t.tab.m_pRenewBtn->isEnabled(), !t.tab.m_pIPEditDHCPIP->text().isEmpty());
    }

    void tellsAFailedReleaseOrRenewal_data()
    {
        QTest::addColumn<bool>("renew"); // or release
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("ran");
        const QString down = QStringLiteral("/sbin/ifdown eth0 2>/dev/null"), up = QStringLiteral("/sbin/ifup eth0 2>/dev/null");
        addRow("a failed release", false, QStringLiteral("ifdown"), QStringList{down});
        addRow("no ifup after a failed ifdown", true, QStringLiteral("ifdown"), QStringList{down});
        addRow("a failed ifup", true, QStringLiteral("ifup"), QStringList{down, up});
    }

    void tellsAFailedReleaseOrRenewal()
    {
        QFETCH(bool, renew);
        QFETCH(QString, failing);
        InterfacesTab t;
        t.load({On | Dhcp | Gw});
        CommandLog commands(failing);
        QSignalSpy reloads(&t.tab, &IPPanel::reloadConfigData);
        (renew ? t.tab.m_pRenewBtn : t.tab.m_pReleaseBtn)->click();
        QTEST(commands.ran, "ran");
        QCOMPARE(textsOf(t.boxes), QStringList{QStringLiteral("Error renewing leases!")});
        QCOMPARE(reloads.count(), 0);
        QCOMPARE(t.tab.m_pIPEditDHCPIP->text().isEmpty(), !renew);
        QVERIFY(!t.tab.isChanged());
    }

    // What the widgets hold reaches the record on a save; a disabled interface's fields are not the user's.
    void storesWhatTheTabHolds_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("dhcp");
        QTest::addColumn<QString>("typed"); // the host name, or the static address
        QTest::addColumn<QStringList>("stored"); // the method, address, netmask, broadcast, host name
        addRow("a DHCP host name", true, true, "box2", list({"dhcp", "10.0.1.2", "255.255.255.0", "10.0.1.255", "box2"}));
        addRow("a static address", true, false, "10.0.7.9", list({"static", "10.0.7.9", "255.255.255.0", "10.0.7.255", ""}));
        addRow("a disabled one keeps what it had", false, true, "box2", list({"dhcp", "10.0.1.2", "255.255.255.0", "10.0.1.255", ""}));
    }

    void storesWhatTheTabHolds()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, dhcp);
        QFETCH(QString, typed);
        InterfacesModel model;
        QVector<Interface> loaded = records({On | Gw, Off});
        model.load(loaded.data());
        model.setCurrent(1);
        InterfacesModel::WorkingCopy entries;
        entries.enabled = enabled;
        entries.dhcp = dhcp;
        (dhcp ? entries.hostName : entries.ipAddress) = typed;
        entries.subnetMask = QStringLiteral("255.255.255.0");
        model.take(entries);
        model.store();
        const Interface &eth1 = loaded.at(1);
        const Addresses &a = eth1.staticAddresses;
        QTEST(QStringList({QLatin1String(eth1.method == Interface::Dhcp ? "dhcp" : "static"), a.ipAddress(), a.netmask(), a.broadcast, eth1.dhcpHostName}),
              "stored");
        QCOMPARE(eth1.enabled, enabled);
    }

    void takesOnlyWhatCanBecomeAnAddress_data()
    {
        QTest::addColumn<QString>("input"); // typed, or after "paste:" pasted, or after "set:" set by the program
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("address"); // what getText() gives: only a complete address
        QTest::addColumn<bool>("valid");
        addRow("never typed into: no address, which is allowed", "", "", "", true);
        addRow("a whole address", "192.168.1.10", "192.168.1.10", "192.168.1.10", true);
        addRow("nor are four with an empty one", "192.168..10", "192.168..10", "", false);
        addRow("letters are refused", "1a0.b0.0.c1", "10.0.0.1", "10.0.0.1", true);
        addRow("an octet above 255 is refused digit by digit", "256.1.1.1", "25.1.1.1", "25.1.1.1", true);
        addRow("a fifth octet is refused", "10.0.0.1.5", "10.0.0.15", "10.0.0.15", true);
        addRow("a leading zero, read as octal elsewhere, is refused", "10.010.0.1", "10.0.0.1", "10.0.0.1", true);
        addRow("pasted whole with blanks and a line end", "paste:  172.16.0.254 \n", "172.16.0.254", "172.16.0.254", true);
        addRow("a pasted host name is refused whole", "paste:gateway.lan", "", "", true);
        addRow("pasted digits of another script are refused whole", "paste:\u0661\u0660.0.0.1", "", "", true);
        addRow("set from a file: shown as it is, but no address", "set:router.lan", "router.lan", "", false);
    }

    void takesOnlyWhatCanBecomeAnAddress()
    {
        QFETCH(QString, input);
        IPEdit edit;
        if (input.startsWith(QLatin1String("paste:"))) {
            QApplication::clipboard()->setText(input.mid(6));
            edit.paste();
        } else if (input.startsWith(QLatin1String("set:"))) {
            edit.setText(input.mid(4));
        } else {
            QTest::keyClicks(&edit, input);
        }
        QTEST(edit.text(), "shown");
        QTEST(edit.getText(), "address");
        QTEST(edit.valid, "valid");
    }
};

QTEST_MAIN(PanelsTest)
#include "panelstest.moc"
