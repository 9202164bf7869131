// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module in German and in the C language, with the catalogue compiled into
// the build folder. The test runs with LANGUAGE=de: the German rows use the
// languages KI18n took from the environment, the C rows set "C" as LANGUAGE=C would.

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <KLocalizedString>
#include <KPluginMetaData>

#include "config/basicnetcfg.h"
#include "config/interface.h"
#include "config/wirelessoptionsfile.h"
#include "forms/netconfigpage.h"
#include "messagerecorder.h"
#include "panels/adddnspanel.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "platform/superuser.h"
#include "systemroot.h"

#include <array>
#include <memory>

namespace
{
const QString s_wirelessFile = QStringLiteral("/etc/pcmcia/wireless.opts");
const QString s_german = QStringLiteral("de");
const QString s_c = QStringLiteral("C");

void speak(const QString &language)
{
    if (language == s_c) {
        KLocalizedString::setLanguages({s_c});
    } else {
        KLocalizedString::clearLanguages();
    }
}

QString boxText(const MessageRecorder::Shown &box)
{
    return box.caption + QLatin1Char('|') + box.text;
}

QStringList boxTexts(const MessageRecorder &boxes)
{
    QStringList texts;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        texts << boxText(box);
    }
    return texts;
}

QStringList itemTexts(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->itemText(i);
    }
    return items;
}

// Every text of a screen that can carry a keyboard accelerator.
QStringList labelledTexts(const QWidget *screen)
{
    QStringList texts;
    for (const QLabel *label : screen->findChildren<QLabel *>()) {
        texts << label->text();
    }
    for (const QAbstractButton *button : screen->findChildren<QAbstractButton *>()) {
        texts << button->text();
    }
    for (const QGroupBox *group : screen->findChildren<QGroupBox *>()) {
        texts << group->title();
    }
    return texts;
}

// The accelerators that appear more than once among the texts ("&&" is a plain "&").
QStringList repeatedAccelerators(const QStringList &texts)
{
    QStringList seen;
    QStringList repeated;
    for (const QString &text : texts) {
        const QString plain = QString(text).replace(QLatin1String("&&"), QString());
        const int marker = plain.indexOf(QLatin1Char('&'));
        if (marker < 0 || marker + 1 >= plain.size()) {
            continue;
        }
        const QString key = plain.at(marker + 1).toLower();
        if (seen.contains(key)) {
            repeated << key + QLatin1String(" in ") + text;
        }
        seen << key;
    }
    return repeated;
}

// The texts of one tab of the main form with the four tab labels, whose
// accelerators reach across the tabs; -1 stands for the add-server dialog.
QStringList tabTexts(int tab)
{
    if (tab < 0) {
        return labelledTexts(std::make_unique<AddDNSPanel>().get());
    }
    const NetConfigPage page;
    QStringList texts = labelledTexts(page.m_pTabWidget->widget(tab));
    for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
        texts << page.m_pTabWidget->tabText(i);
    }
    return texts;
}

// Test binaries live in <build>/bin, the plug-in under <build>/plugins.
QString pluginPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins/plasma/kcms/systemsettings_qwidgets/libkcm_quorlan.so");
}

// The settings file as the module writes it in place of a foreign one.
QByteArray defaultFile(const QList<QByteArray> &comments)
{
    return comments.at(0) + '\n' + comments.at(1) + "\nESSID=\"Any\"\n" + comments.at(2) + "\nMODE=\"Auto\"\n" + comments.at(3) + "\nCHANNEL=\"10\"\n"
        + comments.at(4) + "\nRATE=\"Auto\"\n" + comments.at(5) + "\n#KEY=\"\"\n";
}
}

class TranslationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(KLocalizedString::availableDomainTranslations("quorlan").contains(s_german),
                 "no German catalogue: XDG_DATA_DIRS must name the build folder, where the .mo files are compiled");
        QCOMPARE(KLocalizedString::languages().value(0), s_german);
        SuperUser::setOverride(true);
    }

    void cleanup()
    {
        KLocalizedString::clearLanguages();
        QLocale::setDefault(QLocale::system());
    }

    // The shells list the module by the name in its metadata, which follows the locale.
    void namesTheModuleInTheLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");

        QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("Netzwerkverbindung")
                                << QStringLiteral("Rechnername, Ethernet-Schnittstellen, DNS-Server und Einstellungen der WLAN-Karte");
        QTest::newRow("C is the original English") << QStringLiteral("C") << QStringLiteral("Network Connection")
                                                   << QStringLiteral("Host name, Ethernet interfaces, DNS servers and wireless card settings");
    }

    void namesTheModuleInTheLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QLocale::setDefault(QLocale(locale));

        const KPluginMetaData metaData(pluginPath());

        QVERIFY2(metaData.isValid(), qPrintable(pluginPath()));
        QCOMPARE(metaData.name(), name);
        QCOMPARE(metaData.description(), description);
    }

    void cleanupTestCase()
    {
        SuperUser::setOverride(std::nullopt);
    }

    void showsTheScreensInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("texts");

        QTest::newRow("German") << s_german
                                << QStringList{QStringLiteral("&Identifikation, &Schnittstellen, &DNS, W&LAN"),
                                               QStringLiteral("&Rechnername:"),
                                               QStringLiteral("&Gateway als Standard-Gateway des Systems festlegen"),
                                               QStringLiteral("Ein&fügen"),
                                               QStringLiteral("Funk&netz (ESSID):"),
                                               QStringLiteral("Automatisch, Ad-hoc, Infrastruktur"),
                                               QStringLiteral("Geben Sie die IP-Adresse des DNS-Servers ein:")};
        QTest::newRow("C is the original English") << s_c
                                                   << QStringList{QStringLiteral("Ide&ntification, Interface&s, &DNS, W&ireless"),
                                                                  QStringLiteral("Compu&ter name:"),
                                                                  QStringLiteral("Set &gateway as the default gateway for the system"),
                                                                  QStringLiteral("Inser&t"),
                                                                  QStringLiteral("Net&work name (ESSID):"),
                                                                  QStringLiteral("Auto, Ad-Hoc, Infrastructure"),
                                                                  QStringLiteral("Enter the IP Address of the DNS server:")};
    }

    void showsTheScreensInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, texts);
        speak(language);

        const NetConfigPage page;
        const AddDNSPanel addServer;

        QStringList tabs;
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            tabs << page.m_pTabWidget->tabText(i);
        }
        QCOMPARE((QStringList{tabs.join(QLatin1String(", ")),
                              page.m_pIDPanel->m_pLabelHostName->text(),
                              page.m_pIPPanel->m_pCheckBoxDefaultGW->text(),
                              page.m_pDNSPanel->m_pPbtnAdd->text(),
                              page.m_wireless->Label_1->text(),
                              itemTexts(page.m_wireless->ComboBox_1).join(QLatin1String(", ")),
                              addServer.m_pLabelTitle->text()}),
                 texts);
    }

    void showsMessagesInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("boxes");

        QTest::newRow("German") << s_german
                                << QStringList{
                                       QStringLiteral("TCP/IP|Bitte geben Sie einen gültigen Rechnernamen an!"),
                                       QStringLiteral("TCP/IP|Die Schnittstelle eth1 hat eine ungültige IP-Adresse!"),
                                       QStringLiteral("Verschlüsselungsschlüssel|Der Schlüsselwert muss hexadezimal sein. „G“ ist keine Hexadezimalzahl.")};
        QTest::newRow("C is the original English")
            << s_c
            << QStringList{QStringLiteral("TCP/IP|Please specify a valid Host name!"),
                           QStringLiteral("TCP/IP|Interface eth1 has invalid IP address!"),
                           QStringLiteral("Encryption Key|The Key value must be in hexadecimal. \"G\" is not a hexadecimal number.")};
    }

    void showsMessagesInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, boxes);
        speak(language);
        SystemRoot root;
        root.write(s_wirelessFile, SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")).replace("#KEY=\"\"", "KEY=\"12G4\""));
        MessageRecorder recorder;

        BasicNetCfg noHostName;
        IDPanel identification;
        identification.loadSettings(&noHostName);
        QVERIFY(!identification.validSettings());

        std::array<Interface, 5> records;
        for (int i = 0; i < int(records.size()); ++i) {
            records[i].setInterfaceNumber(i);
            records[i].present = i < 2;
            records[i].enabled = i < 2;
        }
        records[0].method = Interface::Dhcp;
        records[0].defaultGateway = true;
        records[1].staticAddresses.setNetmask(QStringLiteral("255.255.255.0"));
        IPPanel interfaces;
        interfaces.loadSettings(records.data());
        QVERIFY(!interfaces.validSettings());

        Wireless wireless;
        QVERIFY(wireless.loadSettings());
        QVERIFY(!wireless.validSetting());

        QCOMPARE(boxTexts(recorder), boxes);
    }

    void writesTheSettingsFileInTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("written");

        QTest::newRow("German")
            << s_german
            << QStringLiteral(
                   "WLAN-Einstellung|Ihre aktuelle WLAN-Konfiguration wurde nicht von diesem Modul erzeugt und kann nicht verwendet werden. Sie "
                   "wird durch Standardeinstellungen ersetzt. Die ursprüngliche Konfigurationsdatei wurde nach /etc/pcmcia/wireless.opts.orig "
                   "kopiert")
            << defaultFile({"# Erzeugt vom Modul f\xc3\xbcr Netzwerkeinstellungen",
                            "# ESSID (erweiterter Netzwerkname): z. B. Mein Netzwerk",
                            "# Betriebsmodus: Ad-Hoc, Managed oder Auto",
                            "# Kanal: 1, 2, 3 usw.",
                            "# Bitrate: Auto, 1 Mbps, 2 Mbps, 5.5 Mbps oder 11 Mbps",
                            "# Verschl\xc3\xbcsselungsschl\xc3\xbcssel"});
        QTest::newRow("C is the original English")
            << s_c
            << QStringLiteral(
                   "Wireless Setting|Your current wireless configuration was not generated by this panel and cannot be used. It is being replaced with "
                   "default settings. The original configuration file has been copied to /etc/pcmcia/wireless.opts.orig")
            << SystemRoot::fixture(QStringLiteral("wireless-opts-defaults"));
    }

    void writesTheSettingsFileInTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, box);
        QFETCH(QByteArray, written);
        speak(language);
        SystemRoot root;
        root.write(s_wirelessFile, "ESSID=\"office\"\n");
        MessageRecorder recorder;

        Wireless wireless;
        QVERIFY(!wireless.loadSettings());

        QCOMPARE(boxTexts(recorder), QStringList{box});
        QCOMPARE(root.read(s_wirelessFile), written);
        QCOMPARE(root.read(s_wirelessFile + QLatin1String(".orig")), QByteArray("ESSID=\"office\"\n"));
    }

    void knowsItsOwnFileInAnyLanguage_data()
    {
        QTest::addColumn<QString>("writtenIn");
        QTest::addColumn<QString>("readIn");

        QTest::newRow("written in C, read in German") << s_c << s_german;
        QTest::newRow("written in German, read in C") << s_german << s_c;
    }

    void knowsItsOwnFileInAnyLanguage()
    {
        QFETCH(QString, writtenIn);
        QFETCH(QString, readIn);
        SystemRoot root;
        root.write(s_wirelessFile, QByteArray());
        speak(writtenIn);
        WirelessOptionsFile file = WirelessOptionsFile::defaults();
        file.essid = QStringLiteral("home");
        file.mode = QStringLiteral("Managed");
        file.key = WirelessOptionsFile::KeyLine{true, QStringLiteral("0123456789abcdef0123456789")};
        QVERIFY(file.write());
        const QByteArray content = root.read(s_wirelessFile);
        speak(readIn);
        MessageRecorder recorder;

        Wireless wireless;
        QVERIFY(wireless.loadSettings());

        QCOMPARE(boxTexts(recorder), QStringList());
        QCOMPARE(wireless.LineEdit_1->text(), QStringLiteral("home"));
        QCOMPARE(wireless.ComboBox_1->currentIndex(), 2);
        QVERIFY(wireless.CheckBox_encryption->isChecked());
        QCOMPARE(wireless.LineEdit_h1->text(), QStringLiteral("0123456789abcdef0123456789"));
        QCOMPARE(root.read(s_wirelessFile), content);
        QVERIFY(!root.exists(s_wirelessFile + QLatin1String(".orig")));
    }

    void keepsAcceleratorsUnique_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("tab");

        const char *const screens[] = {"Identification tab", "Interfaces tab", "DNS tab", "Wireless tab"};
        for (const QString &language : {s_german, s_c}) {
            for (int tab = 0; tab < 4; ++tab) {
                QTest::addRow("%s, %s", qPrintable(language), screens[tab]) << language << tab;
            }
            QTest::addRow("%s, add-server dialog", qPrintable(language)) << language << -1;
        }
    }

    void keepsAcceleratorsUnique()
    {
        QFETCH(QString, language);
        QFETCH(int, tab);
        speak(language);

        QCOMPARE(repeatedAccelerators(tabTexts(tab)).join(QLatin1String("; ")), QString());
    }
};

QTEST_MAIN(TranslationTest)

#include "translationtest.moc"
