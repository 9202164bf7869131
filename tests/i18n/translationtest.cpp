// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module in German and in the C language, with the catalogue compiled into
// the build folder. The test runs with LANGUAGE=de: the German rows use the
// languages KI18n took from the environment, the C rows set "C" as LANGUAGE=C would.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTest>

#include <KLocalizedString>
#include <KPluginMetaData>

#include "casefile.h"
#include "config/basicnetcfg.h"
#include "config/interface.h"
#include "config/wirelessoptionsfile.h"
#include "messagerecorder.h"
#include "module/netconfigpage.h"
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

QStringList boxTexts(const MessageRecorder &boxes)
{
    QStringList texts;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        texts << box.caption + QLatin1Char('|') + box.text;
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

// Pixels the widest entry of a list lacks: the style draws the chosen entry a
// pixel inside the edit field on either side and cuts off what does not fit,
// however large the size hint of the list said it was.
int entryShortfall(const QComboBox *list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.frame = list->hasFrame();
    const int room = list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width() - 2;
    int widest = 0;
    for (int i = 0; i < list->count(); ++i) {
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
    }
    return widest - room;
}

// The widgets of a screen, shown, that hold less room than their text needs.
QStringList cutOff(const QWidget *screen)
{
    QStringList cut;
    for (const auto *list : screen->findChildren<QComboBox *>()) {
        if (list->isVisible() && entryShortfall(list) > 0) {
            cut << QStringLiteral("%1 %2 px short of its widest entry").arg(list->objectName()).arg(entryShortfall(list));
        }
    }
    for (const QWidget *widget : screen->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(widget);
        const bool texts = label || qobject_cast<const QAbstractButton *>(widget) || qobject_cast<const QComboBox *>(widget);
        if (!texts || !widget->isVisible()) {
            continue;
        }
        QSize needed = widget->sizeHint();
        if (label && label->wordWrap()) {
            needed = QSize(0, label->heightForWidth(label->width()));
        }
        if (widget->width() < needed.width() || widget->height() < needed.height()) {
            cut << QStringLiteral("%1 %2x%3 < %4x%5")
                       .arg(widget->objectName())
                       .arg(widget->width())
                       .arg(widget->height())
                       .arg(needed.width())
                       .arg(needed.height());
        }
    }
    return cut;
}

// Test binaries live in <build>/bin, the plug-in under <build>/plugins.
QString pluginPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins/plasma/kcms/systemsettings_qwidgets/libkcm_quorlan.so");
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

    void cleanupTestCase()
    {
        SuperUser::setOverride(std::nullopt);
    }

    void showsEverythingInTheLanguage_data()
    {
        CaseFile::addRows(QStringLiteral("translation-cases"), {"language", "locale", "listed", "screens", "boxes", "written"});
    }

    void showsEverythingInTheLanguage()
    {
        QFETCH(QByteArray, language);
        QFETCH(QByteArray, locale);
        QFETCH(QByteArray, listed);
        QFETCH(QByteArray, screens);
        QFETCH(QByteArray, boxes);
        QFETCH(QByteArray, written);
        speak(QString::fromLatin1(language.trimmed()));
        // The shells list the module by the name in its metadata, which follows the locale.
        QLocale::setDefault(QLocale(QString::fromLatin1(locale.trimmed())));
        const KPluginMetaData metaData(pluginPath());
        QVERIFY2(metaData.isValid(), qPrintable(pluginPath()));
        QCOMPARE((QStringList{metaData.name(), metaData.description()}), CaseFile::lines(listed));

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
                 CaseFile::lines(screens));

        SystemRoot root;
        MessageRecorder recorder;
        root.write(s_wirelessFile, "ESSID=\"office\"\n");
        QVERIFY(!Wireless().loadSettings());
        QCOMPARE(root.read(s_wirelessFile), written);
        QCOMPARE(root.read(s_wirelessFile + QLatin1String(".orig")), QByteArray("ESSID=\"office\"\n"));

        root.write(s_wirelessFile, SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")).replace("#KEY=\"\"", "KEY=\"12G4\""));
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
        QCOMPARE(boxTexts(recorder), CaseFile::lines(boxes));
    }

    void showsEveryTextWhole_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("pointSize");
        QTest::addColumn<qreal>("fontScale");
        // Besides this platform's font, the one Qt gives a bare X server, as kcmshell5 has.
        for (const QString &language : {s_german, s_c}) {
            for (const auto &[family, pointSize] : {std::pair<QString, qreal>(QString(), 0.0), std::pair<QString, qreal>(QStringLiteral("Sans Serif"), 9.0)}) {
                const QByteArray name = family.isEmpty() ? QByteArrayLiteral("platform font") : family.toUtf8();
                QTest::addRow("%s, %s", qPrintable(language), name.constData()) << language << family << pointSize << 1.0;
                QTest::addRow("%s, %s half as large again", qPrintable(language), name.constData()) << language << family << pointSize << 1.5;
            }
        }
    }

    void showsEveryTextWhole()
    {
        QFETCH(QString, language);
        QFETCH(QString, family);
        QFETCH(qreal, pointSize);
        QFETCH(qreal, fontScale);
        speak(language);
        const QFont original = QApplication::font();
        QFont font = original;
        if (!family.isEmpty()) {
            font = QFont(family);
            font.setPointSizeF(pointSize);
        }
        font.setPointSizeF(font.pointSizeF() * fontScale);
        QApplication::setFont(font);
        SystemRoot root;
        MessageRecorder recorder;
        std::array<Interface, 5> records;
        for (int i = 0; i < int(records.size()); ++i) {
            records[i].setInterfaceNumber(i);
            records[i].present = i < 2;
        }
        records[0].description = QStringLiteral("Intel Corporation 82540EM Gigabit Ethernet Controller");

        NetConfigPage page;
        page.m_pIPPanel->loadSettings(records.data());
        page.m_wireless->CheckBox_encryption->setChecked(true);
        page.resize(page.sizeHint());
        page.show();
        QStringList cut;
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            page.m_pTabWidget->setCurrentIndex(i);
            QTest::qWait(20);
            cut << cutOff(page.m_pTabWidget->widget(i));
        }
        AddDNSPanel addServer;
        addServer.show();
        QTest::qWait(20);
        cut << cutOff(&addServer);
        QApplication::setFont(original);
        QCOMPARE(cut.join(QLatin1String("; ")), QString());
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
