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
#include "config/basicnetcfg.h"
#include "config/dnsconfigfile.h"
#include "config/interface.h"
#include "config/interfacesmodel.h"
#include "config/systemfiles.h"
#include "forms/fittingcombobox.h"
#include "forms/ipedit.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/shellprocess.h"
#include "systemroot.h"

namespace
{
using Devices = QList<int>;
using Texts = QStringList;
using Marks = QList<bool>;

/// How a row states one interface, flags or'ed. A static one holds 10.0.<n>.2/24 with the gateway 10.0.<n>.1.
/// Default: the default gateway.
enum Device { Disabled = 0, Enabled = 1, Dhcp = 2, Default = 4, NoAddress = 8, NoNetmask = 16, NoGateway = 32 };

/// eth0 to eth4, the ones listed present, each with the lease 192.168.1.50/24 via 192.168.1.1.
QVector<Interface> records(const QList<int> &devices)
{
    QVector<Interface> records(SystemFiles::RecordCount);
    for (int i = 0; i < records.size(); ++i) {
        Interface &record = records[i];
        const int device = devices.value(i);
        record.setInterfaceNumber(i);
        record.present = i < devices.size();
        record.enabled = device & Enabled;
        record.method = device & Dhcp ? Interface::Dhcp : Interface::Static;
        record.defaultGateway = device & Default;
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

/// Stands in for the shell: keeps each line after its search path, and fails the ones that hold `failing`.
class Commands : public ShellProcess::Backend
{
public:
    explicit Commands(const QString &failing)
        : m_failing(failing)
    {
        ShellProcess::setBackend(this);
    }
    ~Commands() override
    {
        ShellProcess::setBackend(nullptr);
    }
    ShellProcess::Result run(const QString &line, bool) override
    {
        ran << line.section(QLatin1String("; "), 1);
        return {true, true, !m_failing.isEmpty() && line.contains(m_failing) ? 1 : 0};
    }
    QStringList ran;

private:
    QString m_failing;
};

const QString s_wirelessFile = QStringLiteral("/etc/pcmcia/wireless.opts");

/// The module's own wireless file with another key line.
QByteArray ownWirelessFile(const QByteArray &keyLine)
{
    return SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")).replace("#KEY=\"\"\n", QByteArray(keyLine).append('\n'));
}

/// The Wireless tab loaded as the superuser loads it.
void loadWireless(Wireless &tab)
{
    tab.loadSettings(WirelessOptionsFile::load(true));
}

/// Read-only disables every input and back; two edits mark the tab changed, telling `tells` times; the module clears the mark
/// silently; `clear` (a load, or the Wireless tab's save) clears it, telling once.
template<class Panel>
void checkProtocol(Panel &panel, const QList<QWidget *> &inputs, QWidget *edited, Qt::Key key, int tells, const std::function<void()> &clear)
{
    for (const bool readOnly : {true, false}) {
        panel.setReadOnly(readOnly);
        for (QWidget *input : inputs) {
            QVERIFY2(input->isEnabled() != readOnly, qPrintable(input->objectName()));
        }
    }
    QSignalSpy changes(&panel, &Panel::panelChanged);
    panel.setChangedFlag(false);
    QTest::keyClick(edited, key);
    QTest::keyClick(edited, key);
    QCOMPARE(changes.count(), tells);
    QVERIFY(panel.isChanged() && changes.constFirst().constFirst().toBool());
    panel.setChangedFlag(false);
    QVERIFY(!panel.isChanged());
    QCOMPARE(changes.count(), tells);
    panel.setChangedFlag(true);
    clear();
    QVERIFY(!panel.isChanged());
    QCOMPARE(changes.count(), tells + 1);
    QVERIFY(!changes.constLast().constFirst().toBool());
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
}

class PanelsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tabsKeepTheirReadOnlyStateAndChangeMarks()
    {
        SystemRoot root;
        const MessageRecorder boxes;
        BasicNetCfg identity{QStringLiteral("box"), QStringLiteral("lan")};
        IDPanel id;
        id.loadSettings(&identity);
        checkProtocol(id, {id.m_pHostName, id.m_pDomain}, id.m_pDomain, Qt::Key_A, 1, [&] {
            id.loadSettings(&identity);
        });
        // Read-only text stays legible: a dark shade of the background, not the faint grey of disabled text.
        QCOMPARE(id.m_pHostName->palette().color(QPalette::Disabled, QPalette::Text).name(), QStringLiteral("#505050"));

        InterfacesTab ip;
        ip.load({Enabled | Default});
        const QList<QWidget *> inputs{ip.tab.m_pCheckBoxEnableNetwork, ip.tab.m_pRadioButtonDHCP, ip.tab.m_pIPEditStaticIP, ip.tab.m_pCheckBoxDefaultGW};
        checkProtocol(ip.tab, inputs, ip.tab.m_pIPEditStaticGateway, Qt::Key_0, 1, [&] {
            ip.tab.loadSettings(ip.loaded.data());
        });
        QCOMPARE(ip.tab.m_pLineEditHostname->palette().color(QPalette::Disabled, QPalette::Text).name(), QStringLiteral("#505050"));

        DnsConfigFile config;
        for (const char *server : {"10.0.0.1", "10.0.0.2", "10.0.0.1", "10.0.0.3"}) {
            config.addNameserver(QLatin1String(server));
        }
        DNSPanel dns(nullptr, nullptr, false);
        dns.loadSettings(&config);
        QVERIFY(dns.m_pLabelManaged->isHidden());
        dns.m_pListBox->setCurrentRow(0);
        checkProtocol(dns, {dns.m_pListBox, dns.m_pDbtnUp, dns.m_pDbtnDown, dns.m_pPbtnAdd, dns.m_pPbtnRemove}, dns.m_pDbtnDown, Qt::Key_Space, 1, [&] {
            dns.loadSettings(&config);
        });
        // Each server once, in the user's order: the third of them moved up twice, then down once.
        QCOMPARE(dns.m_pListBox->count(), 3);
        dns.m_pListBox->setCurrentRow(2);
        for (int clicks = 0; clicks < 3; ++clicks) {
            dns.m_pDbtnUp->click(); // the third click finds it first already
        }
        dns.m_pDbtnDown->click();
        QCOMPARE(dns.m_pListBox->currentItem()->text(), QStringLiteral("10.0.0.3"));
        QCOMPARE(dns.m_pListBox->currentRow(), 1);
        dns.m_pListBox->setCurrentRow(0);
        dns.m_pPbtnRemove->click();
        addServer(dns, QStringLiteral("10.0.0.8"), false);
        addServer(dns, QStringLiteral("10.0.0.9"), true);
        dns.applySettings();
        QCOMPARE(config.nameservers(), QStringList({QStringLiteral("10.0.0.3"), QStringLiteral("10.0.0.2"), QStringLiteral("10.0.0.9")}));

        root.write(s_wirelessFile, SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));
        Wireless wireless;
        loadWireless(wireless);
        // Each edit counts: the module hears of every one.
        const QList<QWidget *> fields{wireless.LineEdit_1, wireless.CheckBox_encryption, wireless.ComboBox_1, wireless.SpinBox1, wireless.ComboBox_2};
        checkProtocol(wireless, fields, wireless.SpinBox1, Qt::Key_Down, 2, [&] {
            wireless.applySettings();
        });
        wireless.setChangedFlag(false);
        wireless.CheckBox_encryption->click();
        QVERIFY(wireless.isChanged());
    }

    // Over a resolver file another program manages, the servers only show, whatever the Interfaces tab reports.
    void dnsShowsAManagedFileReadOnly()
    {
        SystemRoot root;
        root.write(QStringLiteral("/etc/resolv.conf"), "# Dynamic resolv.conf(5) file for glibc resolver(3) generated by resolvconf(8)\nnameserver 10.0.0.1\n");
        DnsConfigFile config("/etc/resolv.conf");
        QVERIFY(config.readFile());
        DNSPanel dns(nullptr, nullptr, false);
        dns.handleNetworkingEnabled(true);
        dns.loadSettings(&config);
        dns.handleNetworkingEnabled(true);
        QCOMPARE(dns.m_pListBox->item(0)->text(), QStringLiteral("10.0.0.1"));
        QVERIFY(!dns.m_pLabelManaged->isHidden());
        QCOMPARE(
            dns.m_pLabelManaged->text(),
            QStringLiteral("These servers come from resolvconf, which manages /etc/resolv.conf: they are shown read-only, and Apply leaves the file alone."));
        for (QWidget *input : QList<QWidget *>{dns.m_pListBox, dns.m_pDbtnUp, dns.m_pDbtnDown, dns.m_pPbtnAdd, dns.m_pPbtnRemove}) {
            QVERIFY2(!input->isEnabled(), qPrintable(input->objectName()));
        }
    }

    void wirelessKeepsTheKeyRules_data()
    {
        QTest::addColumn<QString>("key"); // the key line of the module's own file
        QTest::addColumn<QStringList>("chosen"); // items chosen in turn in the type or format list
        QTest::addColumn<bool>("yes"); // the answer to the truncation question
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("defaultKey");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<int>("length"); // the most key 1 takes
        QTest::addColumn<int>("open"); // key fields enabled
        const QString four = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [2]\"");
        const QString ascii = QStringLiteral("KEY=\"s:abcdefghijklm\"");
        const QString hex = QStringLiteral("KEY=\"0123456789abcdef0123456789\"");
        const QStringList fourKeys{QStringLiteral("abcde"), QStringLiteral("fghij"), QStringLiteral("k"), QString()};
        const auto only = [](const char *key) {
            return QStringList{QLatin1String(key), QString(), QString(), QString()};
        };
        const auto chosen = [](const char *item, const char *then = nullptr) {
            return then ? QStringList{QLatin1String(item), QLatin1String(then)} : QStringList{QLatin1String(item)};
        };
        addRow("a 128-bit hexadecimal key takes 26", hex, Texts(), true, 0, "128 bit", "Hexadecimal", "Key 1", only("0123456789abcdef0123456789"), 26, 1);
        addRow("128 to 40/64 asks; yes cuts 13 to 5", ascii, chosen("40/64 bit"), true, 1, "40/64 bit", "ASCII", "Key 1", only("abcde"), 5, 4);
        addRow("no keeps 128 bit", ascii, chosen("40/64 bit"), false, 1, "128 bit", "ASCII", "Key 1", only("abcdefghijklm"), 13, 1);
        addRow("40/64 to 128 asks nothing, empties keys 2 to 4", four, chosen("128 bit"), true, 0, "128 bit", "ASCII", "Key 1", only("abcde"), 13, 1);
        addRow("and back to 40/64 asks again", four, chosen("128 bit", "40/64 bit"), true, 1, "40/64 bit", "ASCII", "Key 1", only("abcde"), 5, 4);
        const QString seven = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [7]\"");
        addRow("a default key beyond the fourth is the first", seven, Texts(), true, 0, "40/64 bit", "ASCII", "Key 1", fourKeys, 5, 4);
        addRow("the type in effect chosen again asks nothing", four, chosen("40/64 bit"), true, 0, "40/64 bit", "ASCII", "Key 2", fourKeys, 5, 4);
        addRow("hexadecimal to ASCII cuts 26 to 13", hex, chosen("ASCII"), true, 1, "128 bit", "ASCII", "Key 1", only("0123456789abc"), 13, 1);
        addRow("ASCII to hexadecimal keeps the keys", four, chosen("Hexadecimal"), true, 0, "40/64 bit", "Hexadecimal", "Key 2", fourKeys, 10, 4);
    }

    void wirelessKeepsTheKeyRules()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, chosen);
        QFETCH(bool, yes);
        SystemRoot root;
        MessageRecorder boxes;
        boxes.defaultAnswer = yes ? Messages::Answer::Yes : Messages::Answer::No;
        // Read first: a file without keys, whose closed key fields the row's file opens again.
        root.write(s_wirelessFile, SystemRoot::fixture(QStringLiteral("sample/wireless-opts-home-managed-key-off")));
        Wireless tab;
        loadWireless(tab);
        root.write(s_wirelessFile, ownWirelessFile(key.toLatin1()));
        loadWireless(tab);
        for (const QString &item : chosen) {
            QComboBox *list = tab.ComboBox_type->findText(item) >= 0 ? tab.ComboBox_type : tab.ComboBox_format;
            list->setCurrentIndex(list->findText(item));
            Q_EMIT list->activated(list->currentIndex());
        }
        QTEST(int(boxes.shown.size()), "asked");
        QTEST(tab.ComboBox_type->currentText(), "type");
        QTEST(tab.ComboBox_format->currentText(), "format");
        QTEST(tab.ComboBoxk->currentText(), "defaultKey");
        QTEST(QStringList({tab.LineEdit_h1->text(), tab.LineEdit_h2->text(), tab.LineEdit_h3->text(), tab.LineEdit_h4->text()}), "keys");
        QTEST(tab.LineEdit_h1->maxLength(), "length");
        const QList<QWidget *> keyFields{tab.LineEdit_h1, tab.LineEdit_h2, tab.LineEdit_h3, tab.LineEdit_h4};
        QTEST(int(std::count_if(keyFields.cbegin(), keyFields.cend(), std::mem_fn(&QWidget::isEnabled))), "open");
        QCOMPARE(tab.ComboBoxk->isEnabled(), tab.LineEdit_h2->isEnabled());
        for (const MessageRecorder::Shown &box : boxes.shown) {
            QCOMPARE(box.caption, QStringLiteral("Wireless Key"));
            QCOMPARE(box.text,
                     QStringLiteral("The new type of encryption key will be shorter than the current one. The current key will be truncated. Do you like to "
                                    "continue?"));
            QCOMPARE(box.yesText + box.noText, QStringLiteral("&Yes&No"));
        }
    }

    void wirelessSavesTheKeyLine_data()
    {
        QTest::addColumn<QString>("key"); // the key line of the module's own file
        QTest::addColumn<QString>("told");
        QTest::addColumn<QString>("saved"); // the key line written; none when the save is refused
        const QString quoted = QStringLiteral("KEY=\"s:a\\$b\\`c [1] key s:d\\\"e\\\\f [2] key s:00000 [3] key s:1'300 [4] key [3]\"");
        addRow("a short 128-bit ASCII key is padded to 13", "KEY=\"s:abc\"", "", "KEY=\"s:abc0000000000\"");
        addRow("an empty 40/64-bit hexadecimal key is padded to 10",
               "KEY=\"0123456789 [1] key  [2] key 0123456789 [3] key 0123456789 [4] key [1]\"",
               "",
               "KEY=\"0123456789 [1] key 0000000000 [2] key 0123456789 [3] key 0123456789 [4] key [1]\"");
        addRow("every hexadecimal digit passes", "KEY=\"0123456789abcdefABCDEF0000\"", "", "KEY=\"0123456789abcdefABCDEF0000\"");
        addRow("the second key is checked too",
               "KEY=\"0123456789 [1] key 01234z [2] key  [3] key  [4] key [1]\"",
               "The Key value must be in hexadecimal. \"z\" is not a hexadecimal number.",
               "");
        addRow("shell characters stay quoted", quoted, "", quoted);
        addRow("keys of a disabled line are neither checked nor padded", "#KEY=\"xyz\"", "", "#KEY=\"xyz\"");
    }

    void wirelessSavesTheKeyLine()
    {
        QFETCH(QString, key);
        QFETCH(QString, saved);
        SystemRoot root;
        MessageRecorder boxes;
        root.write(s_wirelessFile, ownWirelessFile(key.toLatin1()));
        Wireless tab;
        loadWireless(tab);
        // Loading counts as a change: the save writes the file again, the same apart from the key.
        QCOMPARE(tab.validSetting() && tab.applySettings(), !saved.isEmpty());
        QCOMPARE(root.read(s_wirelessFile), ownWirelessFile(saved.isEmpty() ? key.toLatin1() : saved.toLatin1()));
        QTEST(textsOf(boxes).join(QLatin1Char('\n')), "told");
    }

    // What the tab shows of what the loader found, and what the loader did to the files.
    void wirelessLoadsTheFile_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: none
        QTest::addColumn<bool>("superuser"); // anyone else sees the tab read-only
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<QStringList>("shown"); // network name, mode, channel, rate
        QTest::addColumn<bool>("changed"); // so the next save writes the file
        QTest::addColumn<QByteArray>("after"); // after the save
        QTest::addColumn<QByteArray>("kept"); // wireless.opts.orig; null: none
        const QByteArray foreign = SystemRoot::fixture(QStringLiteral("sample/wireless-opts-foreign-case-block"));
        const QByteArray own = SystemRoot::fixture(QStringLiteral("sample/wireless-opts-home-managed-key-off"));
        const QByteArray defaults = SystemRoot::fixture(QStringLiteral("wireless-opts-defaults"));
        const QByteArray none;
        const QStringList replaced{QStringLiteral(
            "Your current wireless configuration was not generated by this panel and cannot be used. It is being replaced with default settings. The "
            "original configuration file has been copied to /etc/pcmcia/wireless.opts.orig")};
        const QStringList shownDefaults{QStringLiteral("Any"), QStringLiteral("Auto"), QStringLiteral("10"), QStringLiteral("Auto")};
        const QStringList shownOwn{QStringLiteral("home"), QStringLiteral("Infrastructure"), QStringLiteral("6"), QStringLiteral("11 Mbps")};
        addRow("no file: the defaults, no box; the first save writes them", none, true, Texts(), shownDefaults, true, defaults, none);
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
        if (!file.isNull()) {
            root.write(s_wirelessFile, file);
        }
        Wireless tab;
        tab.setReadOnly(!superuser);
        tab.setChangedFlag(false);
        tab.loadSettings(WirelessOptionsFile::load(superuser));
        QTEST(textsOf(boxes), "told");
        QTEST(QStringList({tab.LineEdit_1->text(), tab.ComboBox_1->currentText(), tab.SpinBox1->text(), tab.ComboBox_2->currentText()}), "shown");
        QTEST(tab.isChanged(), "changed");
        QCOMPARE(root.read(s_wirelessFile).isNull(), file.isNull()); // a missing file is not written while loading
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

    void checksTheInterfacesBeforeASave_data()
    {
        QTest::addColumn<Devices>("devices");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<bool>("saves"); // questions answered Yes
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
        addRow("nothing enabled passes unasked", Devices{Disabled | NoAddress, Dhcp, Default}, Texts(), true);
        addRow("a disabled one without an address passes, the lowest enabled one fails",
               Devices{Enabled | Default, NoAddress, Enabled | NoAddress, Enabled | NoAddress},
               noAddress,
               false);
        addRow("an empty subnet mask", Devices{Enabled | NoNetmask}, noNetmask, false);
        addRow("two DHCP interfaces before two default gateways", Devices{Enabled | Dhcp | Default, Enabled | Dhcp | Default}, twoDhcp, false);
        addRow("two default gateways", Devices{Enabled | Default, Enabled | Default}, twoDefaults, false);
        addRow("no default gateway: the user is asked", Devices{Enabled | Dhcp, Enabled}, noDefault, true);
        addRow("a DHCP default gateway counts", Devices{Enabled | Dhcp | Default, Enabled}, Texts(), true);
    }

    void checksTheInterfacesBeforeASave()
    {
        QFETCH(Devices, devices);
        InterfacesTab t;
        t.load(devices);
        t.tab.setChangedFlag(true);
        t.tab.applySettings();
        QTEST(t.tab.validSettings(), "saves");
        QTEST(textsOf(t.boxes), "told");
        for (const MessageRecorder::Shown &box : t.boxes.shown) {
            QCOMPARE(box.caption, QStringLiteral("TCP/IP"));
        }
    }

    // An invalid gateway entry is reported by the next check, and only by that one.
    void reportsAnInvalidGatewayOnce()
    {
        InterfacesTab t;
        t.load({Enabled | Default});
        t.tab.m_pIPEditStaticGateway->setText(QStringLiteral("10.0.0"));
        t.tab.applySettings();
        QVERIFY(!t.tab.validSettings());
        QVERIFY(t.tab.validSettings());
        QCOMPARE(textsOf(t.boxes), Texts{QStringLiteral("Interface eth0 has invalid default gateway address!")});
    }

    void keepsOneDefaultGateway_data()
    {
        QTest::addColumn<Devices>("devices"); // eth1 is shown
        QTest::addColumn<bool>("check"); // the default-gateway box of eth1 checked, or unchecked
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<Marks>("marked"); // the default gateways saved
        addRow("no mark without a gateway address",
               Devices{Enabled | Default, Enabled | NoGateway, Default},
               true,
               Texts{QStringLiteral("Sorry, you need to provide a valid Gateway IP address!")},
               Marks{true, false, true});
        addRow("the mark leaves the other enabled ones", Devices{Enabled | Default, Enabled, Default}, true, QStringList(), Marks{false, true, true});
        addRow("a DHCP interface needs no gateway for the mark",
               Devices{Enabled | Default, Enabled | Dhcp | NoGateway, Default},
               true,
               QStringList(),
               Marks{false, true, true});
        addRow("unmarking touches only the shown one", Devices{Enabled | Default, Enabled | Default, Default}, false, QStringList(), Marks{true, false, true});
    }

    void keepsOneDefaultGateway()
    {
        QFETCH(Devices, devices);
        QFETCH(bool, check);
        InterfacesTab t;
        t.load(devices, 1);
        t.tab.m_pCheckBoxDefaultGW->setChecked(check);
        t.tab.applySettings();
        QTEST(textsOf(t.boxes), "told");
        QTEST(Marks({t.loaded[0].defaultGateway, t.loaded[1].defaultGateway, t.loaded[2].defaultGateway}), "marked");
    }

    // Enabled beside another enabled default gateway, an interface gives up its mark; one set to DHCP goes back to a static address.
    void enablingBesideADefaultGatewayGivesUpTheMark_data()
    {
        QTest::addColumn<Devices>("devices"); // eth1 is enabled
        QTest::addColumn<Marks>("marked");
        addRow("a static one", Devices{Enabled | Default, Default}, Marks{true, false});
        addRow("a DHCP one goes back to a static address", Devices{Enabled | Default, Dhcp | Default}, Marks{true, false});
        addRow("beside a disabled default gateway it keeps its mark", Devices{Default, Default}, Marks{true, true});
    }

    void enablingBesideADefaultGatewayGivesUpTheMark()
    {
        QFETCH(Devices, devices);
        InterfacesTab t;
        t.load(devices, 1);
        t.tab.m_pCheckBoxEnableNetwork->click();
        QVERIFY(t.tab.m_pRadioButtonStatic->isChecked());
        QCOMPARE(t.staticEntries(), QStringList({QStringLiteral("10.0.1.2"), QStringLiteral("255.255.255.0"), QStringLiteral("10.0.1.1")}));
        t.tab.applySettings();
        QVERIFY(t.loaded[1].enabled && t.loaded[1].method == Interface::Static);
        QTEST(Marks({t.loaded[0].defaultGateway, t.loaded[1].defaultGateway}), "marked");
        QCOMPARE(textsOf(t.boxes), QStringList());
    }

    // A DHCP default gateway switched to a static address gives up the mark: it had none of its own while static.
    void aDhcpDefaultGatewaySwitchedToStaticGivesUpTheMark()
    {
        InterfacesTab t;
        t.load({Enabled | Dhcp | Default});
        t.tab.m_pRadioButtonStatic->click();
        QVERIFY(!t.tab.m_pCheckBoxDefaultGW->isChecked());
    }

    // Switching to DHCP takes the mark; switching back restores the static entries as they were
    // typed and gives the mark back to nobody, so the save check asks about it.
    void switchingToDhcpAndBackKeepsTheStaticEntries()
    {
        InterfacesTab t;
        t.load({Enabled | Default, Enabled}, 1);
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

    void asksBeforeASwitchToDhcp_data()
    {
        QTest::addColumn<Devices>("devices"); // eth1 is shown, and switched to DHCP
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<bool>("dhcp");
        const QString windows = QStringLiteral(
            "If you select an interface to perform DHCP connection, this computer will not be able to be a Windows Server. Do you want to continue?");
        const QString taken = QStringLiteral(
            "You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection per system. Please "
            "disable another DHCP connection before using this interface with DHCP.");
        addRow("no keeps the static address", Devices{Enabled | Default, Enabled}, false, QStringList{windows}, false);
        addRow("yes switches", Devices{Enabled | Default, Enabled}, true, QStringList{windows}, true);
        addRow("a second DHCP interface is refused", Devices{Enabled | Dhcp | Default, Enabled}, true, QStringList{windows, taken}, false);
        addRow("beside a disabled DHCP one it may use DHCP", Devices{Dhcp | Default, Enabled}, true, QStringList{windows}, true);
    }

    void asksBeforeASwitchToDhcp()
    {
        QFETCH(Devices, devices);
        QFETCH(bool, yes);
        InterfacesTab t;
        t.boxes.defaultAnswer = yes ? Messages::Answer::Yes : Messages::Answer::No;
        t.load(devices, 1);
        t.tab.m_pRadioButtonDHCP->click();
        QTEST(textsOf(t.boxes), "told");
        QTEST(t.tab.m_pRadioButtonDHCP->isChecked(), "dhcp");
        QCOMPARE(t.tab.m_pRadioButtonStatic->isChecked(), !t.tab.m_pRadioButtonDHCP->isChecked());
        // A refused switch is no change.
        QCOMPARE(t.tab.isChanged(), t.tab.m_pRadioButtonDHCP->isChecked());
    }

    // While an enabled interface uses DHCP, no default gateway is chosen by hand.
    void choosesTheDefaultGatewayByHandOnlyWithoutDhcp()
    {
        InterfacesTab t;
        t.load({Enabled | Dhcp, Enabled}, 1);
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
        addRow("a DHCP record shows its lease", int(Enabled | Dhcp), QString(), false, "192.168.1.50");
        addRow("a static one switched to DHCP, no client: none", int(Enabled), QString(), false, "");
        addRow("while a client runs: the lease", int(Enabled), dhclient, false, "192.168.1.50");
        addRow("a process that is no DHCP client: none", int(Enabled), QStringLiteral("/usr/sbin/sshd"), false, "");
        addRow("a client started after the load is not looked for", int(Enabled), dhclient, true, "");
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

    void releasesAndRenewsTheLease_data()
    {
        QTest::addColumn<bool>("renew"); // or release
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("ran");
        QTest::addColumn<QStringList>("told");
        QTest::addColumn<int>("reloads");
        const QString down = QStringLiteral("/sbin/ifdown eth0 2>/dev/null"), up = QStringLiteral("/sbin/ifup eth0 2>/dev/null");
        const QStringList error{QStringLiteral("Error renewing leases!")};
        addRow("release takes the device down", false, QString(), QStringList{down}, Texts(), 0);
        addRow("a failed release is told", false, QStringLiteral("ifdown"), QStringList{down}, error, 0);
        addRow("renew takes it down and up, then everything is read again", true, QString(), QStringList{down, up}, Texts(), 1);
        addRow("no ifup after a failed ifdown", true, QStringLiteral("ifdown"), QStringList{down}, error, 0);
        addRow("a failed ifup is told", true, QStringLiteral("ifup"), QStringList{down, up}, error, 0);
    }

    void releasesAndRenewsTheLease()
    {
        QFETCH(bool, renew);
        QFETCH(QString, failing);
        InterfacesTab t;
        t.load({Enabled | Dhcp | Default});
        Commands commands(failing);
        QSignalSpy reloads(&t.tab, &IPPanel::reloadConfigData);
        (renew ? t.tab.m_pRenewBtn : t.tab.m_pReleaseBtn)->click();
        QTEST(commands.ran, "ran");
        QTEST(textsOf(t.boxes), "told");
        QTEST(int(reloads.count()), "reloads");
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
        QVector<Interface> loaded = records({Enabled | Default, Disabled});
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
        addRow("three octets are not yet an address", "192.168.1", "192.168.1", "", false);
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

    // The fitting list asks for what a list set to adjust to its contents asks for (it leaves that setting
    // off, which builds the popup list at once), also as its entries grow and shrink once shown.
    void fittingListSizesToItsEntries()
    {
        FittingComboBox fitting;
        KComboBox adjusting(false);
        adjusting.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        const QList<Texts> entries{Texts(),
                                   Texts{QStringLiteral("eth0")},
                                   Texts{QStringLiteral("Auto"), QStringLiteral("Ad-Hoc")},
                                   Texts{QStringLiteral("eth0 - Acme Networks 10/100 PCI Fast Ethernet Adapter")},
                                   Texts{QStringLiteral("Key 1"), QStringLiteral("Key 2")}};
        for (const Texts &shown : entries) {
            for (KComboBox *list : {static_cast<KComboBox *>(&fitting), &adjusting}) {
                list->clear();
                list->addItems(shown);
                list->show();
            }
            QCOMPARE(fitting.sizeHint(), adjusting.sizeHint());
        }
    }
};

QTEST_MAIN(PanelsTest)
#include "panelstest.moc"
