// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module in German and in the C language, with the catalogue compiled into
// the build folder. The test runs with LANGUAGE=de: the German rows use the
// languages KI18n took from the environment, the C rows set "C" as LANGUAGE=C would.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTest>

#include <KLocalizedString>
#include <KPluginMetaData>

#include "addrow.h"
#include "config/interface.h"
#include "config/wirelessoptionsfile.h"
#include "messagerecorder.h"
#include "module/netconfigpage.h"
#include "panels/adddnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "systemroot.h"

namespace
{
const QString WirelessFile = QStringLiteral("/etc/pcmcia/wireless.opts");

void speak(const QString &language)
{
    language == QLatin1String("C") ? KLocalizedString::setLanguages({language}) : KLocalizedString::clearLanguages();
}

// Pixels the widest entry of a list lacks: the style draws the chosen entry a pixel
// inside the edit field on either side and cuts off what does not fit.
int entryShortfall(const QComboBox *list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.frame = list->hasFrame();
    int widest = 0;
    for (int i = 0; i < list->count(); ++i) {
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
    }
    return widest + 2 - list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width();
}

// What is wrong with a screen as shown: texts cut off or outside their parent, and
// accelerators used twice (`keys`: those taken already, such as the tab labels').
QStringList faultsOf(const QWidget *screen, QStringList keys)
{
    QStringList faults;
    for (const QWidget *widget : screen->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(widget);
        const auto *button = qobject_cast<const QAbstractButton *>(widget);
        const auto *group = qobject_cast<const QGroupBox *>(widget);
        const auto *list = qobject_cast<const QComboBox *>(widget);
        if (!widget->isVisible() || !(label || button || group || list)) {
            continue;
        }
        const QString text = QString(label ? label->text() : button ? button->text() : group ? group->title() : QString()).remove(QLatin1String("&&"));
        if (text.contains(QLatin1Char('&'))) {
            const QString key = text.mid(text.indexOf(QLatin1Char('&')) + 1, 1).toLower();
            if (keys.contains(key)) {
                faults << key + QLatin1String(" again in ") + text;
            }
            keys << key;
        }
        if (group) {
            continue;
        }
        const QSize needed = label && label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : widget->sizeHint();
        if (!widget->parentWidget()->rect().contains(widget->geometry())) {
            faults << widget->objectName() + QLatin1String(" outside its parent");
        } else if (widget->width() < needed.width() || widget->height() < needed.height() || (list && entryShortfall(list) > 0)) {
            faults << QStringLiteral("%1 %2x%3 < %4x%5")
                          .arg(widget->objectName())
                          .arg(widget->width())
                          .arg(widget->height())
                          .arg(needed.width())
                          .arg(needed.height());
        }
    }
    return faults;
}
}

class TranslationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(KLocalizedString::availableDomainTranslations("quorlan").contains(QStringLiteral("de")),
                 "no German catalogue: XDG_DATA_DIRS must name the build folder, where the .mo files are compiled");
        QCOMPARE(KLocalizedString::languages().value(0), QStringLiteral("de"));
    }

    void cleanup()
    {
        KLocalizedString::clearLanguages();
    }

    // The shells' listing, the tabs, and what comes of a foreign wireless settings file: its box and its German replacement.
    void showsTheModuleInGerman()
    {
        QLocale::setDefault(QLocale(QStringLiteral("de_DE")));
        const KPluginMetaData metaData(QApplication::applicationDirPath() + QLatin1String("/../plugins/plasma/kcms/systemsettings_qwidgets/libkcm_quorlan.so"));
        QLocale::setDefault(QLocale::system());
        QCOMPARE(metaData.name() + QLatin1Char('|') + metaData.description(),
                 QStringLiteral("Netzwerkverbindung|Rechnername, Ethernet-Schnittstellen, DNS-Server und Einstellungen der WLAN-Karte"));
        const NetConfigPage page;
        QCOMPARE(page.m_pTabWidget->currentIndex(), 0);
        QStringList texts;
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            texts << page.m_pTabWidget->tabText(i);
        }
        texts << page.m_pIDPanel->m_pLabelHostName->text() << page.m_pIPPanel->m_pCheckBoxDefaultGW->text() << page.m_wireless->ComboBox_1->itemText(2)
              << AddDNSPanel().m_pLabelTitle->text();
        QCOMPARE(texts.join(QLatin1String(" | ")),
                 QStringLiteral("&Identifikation | &Schnittstellen | &DNS | W&LAN | &Rechnername: | &Gateway als Standard-Gateway des Systems festlegen | "
                                "Infrastruktur | Geben Sie die IP-Adresse des DNS-Servers ein:"));

        SystemRoot root;
        MessageRecorder recorder;
        root.write(WirelessFile, "ESSID=\"office\"\n");
        QVERIFY(!Wireless().loadSettings());
        QCOMPARE(recorder.shown.value(0).caption + QLatin1Char('|') + recorder.shown.value(0).text,
                 QStringLiteral("WLAN-Einstellung|Ihre aktuelle WLAN-Konfiguration wurde nicht von diesem Modul erzeugt und kann nicht verwendet werden. Sie "
                                "wird durch Standardeinstellungen ersetzt. Die ursprüngliche Konfigurationsdatei wurde nach /etc/pcmcia/wireless.opts.orig "
                                "kopiert"));
        QCOMPARE(root.read(WirelessFile), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults-de")));
    }

    void showsEveryTextWhole_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("family");
        // Half as large again as this platform's font and as the one Qt gives a bare X server, as kcmshell5 has.
        addRow("de, platform font", "de", "");
        addRow("de, Sans Serif 9", "de", "Sans Serif");
        addRow("C, platform font", "C", "");
        addRow("C, Sans Serif 9", "C", "Sans Serif");
    }

    void showsEveryTextWhole()
    {
        QFETCH(QString, language);
        QFETCH(QString, family);
        speak(language);
        const QFont original = QApplication::font();
        QFont font = family.isEmpty() ? original : QFont(family, 9);
        font.setPointSizeF(font.pointSizeF() * 1.5);
        QApplication::setFont(font);
        SystemRoot root;
        MessageRecorder recorder;
        Interface records[5];
        for (int i = 0; i < 5; ++i) {
            records[i].setInterfaceNumber(i);
            records[i].present = i < 2;
        }
        records[0].description = QStringLiteral("Intel Corporation 82540EM Gigabit Ethernet Controller");
        NetConfigPage page;
        page.m_pIPPanel->loadSettings(records);
        // The form's tabs start editable, as they are shown whole.
        QVERIFY(page.m_pIPPanel->m_pCheckBoxEnableNetwork->isEnabled());
        page.m_wireless->CheckBox_encryption->setChecked(true);
        page.resize(page.sizeHint());
        page.show();
        QStringList tabs;
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            const QString label = page.m_pTabWidget->tabText(i);
            tabs << label.mid(label.indexOf(QLatin1Char('&')) + 1, 1).toLower();
        }
        QStringList faults;
        if (tabs.removeDuplicates()) {
            faults << QStringLiteral("tab accelerators twice");
        }
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            page.m_pTabWidget->setCurrentIndex(i);
            QTest::qWait(20);
            faults << faultsOf(page.m_pTabWidget->widget(i), tabs);
        }
        AddDNSPanel addServer;
        addServer.show();
        QTest::qWait(20);
        faults << faultsOf(&addServer, {});
        QApplication::setFont(original);
        QCOMPARE(faults.join(QLatin1String("; ")), QString());
    }

    // The module knows the file it wrote whatever the language: no box, nothing replaced.
    void knowsItsOwnFileInAnyLanguage_data()
    {
        QTest::addColumn<QString>("writtenIn");
        QTest::addColumn<QString>("readIn");
        addRow("written in C, read in German", "C", "de");
        addRow("written in German, read in C", "de", "C");
    }

    void knowsItsOwnFileInAnyLanguage()
    {
        QFETCH(QString, writtenIn);
        QFETCH(QString, readIn);
        SystemRoot root;
        root.write(WirelessFile, QByteArray());
        speak(writtenIn);
        WirelessOptionsFile file = WirelessOptionsFile::defaults();
        file.essid = QStringLiteral("home");
        file.mode = QStringLiteral("Managed");
        file.key = WirelessOptionsFile::KeyLine{true, QStringLiteral("0123456789abcdef0123456789")};
        QVERIFY(file.write());
        const QByteArray content = root.read(WirelessFile);
        speak(readIn);
        MessageRecorder recorder;
        Wireless wireless;
        QVERIFY(wireless.loadSettings());
        QCOMPARE(recorder.texts(), QStringList());
        QCOMPARE(QStringList({wireless.LineEdit_1->text(), wireless.ComboBox_1->currentText(), wireless.LineEdit_h1->text()}),
                 QStringList({QStringLiteral("home"), wireless.ComboBox_1->itemText(2), QStringLiteral("0123456789abcdef0123456789")}));
        QVERIFY(wireless.CheckBox_encryption->isChecked());
        QCOMPARE(root.read(WirelessFile), content);
        QVERIFY(!root.exists(WirelessFile + QLatin1String(".orig")));
    }
};

QTEST_MAIN(TranslationTest)

#include "translationtest.moc"
