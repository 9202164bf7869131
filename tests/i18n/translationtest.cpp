// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The module in German, with the catalogue compiled into the build folder, and in C. The test runs with
// LANGUAGE=de: German is what KI18n took from the environment; "C" is set as LANGUAGE=C would, by each test that needs it.

#include <KLocalizedString>
#include <QtWidgets>

#include "addrow.h"
#include "config/interface.h"
#include "messagerecorder.h"
#include "module/netconfigpanel.h"
#include "panels/adddnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "systemroot.h"

namespace
{
// Whether the widest entry of a list fits: the style draws the chosen entry a pixel
// inside the edit field on either side and cuts off what does not fit.
bool entriesFit(const QComboBox *list)
{
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.editable = list->isEditable();
    option.frame = list->hasFrame();
    int widest = 0;
    for (int i = 0; i < list->count(); ++i) {
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(list->itemText(i)));
    }
    return widest + 2 <= list->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list).width();
}

// The texts of a screen as shown that are cut off or lie outside their parent.
QStringList clippedOn(const QWidget *screen)
{
    QStringList clipped;
    for (const QWidget *widget : screen->findChildren<QWidget *>()) {
        const auto *label = qobject_cast<const QLabel *>(widget);
        const auto *list = qobject_cast<const QComboBox *>(widget);
        if (widget->isVisible() && (label || list || qobject_cast<const QAbstractButton *>(widget))) {
            const QSize needed = label && label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : widget->sizeHint();
            if (!widget->parentWidget()->rect().contains(widget->geometry()) || widget->width() < needed.width() || widget->height() < needed.height()
                || (list && !entriesFit(list))) {
                clipped << widget->objectName();
            }
        }
    }
    return clipped;
}
}

class TranslationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A foreign wireless settings file: its box and its German replacement, which the module knows as its own in any language.
    void replacesAForeignWirelessFileInGerman()
    {
        SystemRoot root;
        MessageRecorder recorder;
        root.write(QStringLiteral("/etc/pcmcia/wireless.opts"), "ESSID=\"office\"\n");
        QVERIFY(!Wireless().loadSettings(WirelessOptionsFile::load(true)));
        QCOMPARE(recorder.shown.value(0).caption, QStringLiteral("WLAN-Einstellung"));
        QCOMPARE(root.read(QStringLiteral("/etc/pcmcia/wireless.opts")), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults-de")));
        KLocalizedString::setLanguages({QStringLiteral("C")});
        QVERIFY(Wireless().loadSettings(WirelessOptionsFile::load(true)));
        // Written again in another language, the file speaks that one.
        QVERIFY(WirelessOptionsFile::defaults().write());
        QCOMPARE(root.read(QStringLiteral("/etc/pcmcia/wireless.opts")), SystemRoot::fixture(QStringLiteral("wireless-opts-defaults")));
    }

    void showsEveryTextWholeAndTranslated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("texts");
        // Half as large again as this platform's font and as the one Qt gives a bare X server, as kcmshell5 has.
        addRow("de, platform font", "de", "", "&Identifikation|&Schnittstellen|&DNS|W&LAN|&Rechnername:|Infrastruktur");
        addRow("de, Sans Serif 9", "de", "Sans Serif", "&Identifikation|&Schnittstellen|&DNS|W&LAN|&Rechnername:|Infrastruktur");
        addRow("C, platform font", "C", "", "Ide&ntification|Interface&s|&DNS|W&ireless|Compu&ter name:|Infrastructure");
    }

    void showsEveryTextWholeAndTranslated()
    {
        QFETCH(QString, language);
        QFETCH(QString, family);
        QFETCH(QString, texts);
        language == QLatin1String("C") ? KLocalizedString::setLanguages({language}) : KLocalizedString::clearLanguages();
        const QFont original = QApplication::font();
        QFont font = family.isEmpty() ? original : QFont(family, 9);
        font.setPointSizeF(font.pointSizeF() * 1.5);
        QApplication::setFont(font);
        SystemRoot root;
        MessageRecorder recorder;
        Interface records[5];
        records[0].present = true;
        records[0].description = QStringLiteral("Intel Corporation 82540EM Gigabit Ethernet Controller");
        NetConfigPanel page(nullptr, nullptr, false);
        page.m_pIPPanel->loadSettings(records);
        page.m_wireless->CheckBox_encryption->setChecked(true);
        page.resize(page.sizeHint());
        page.show();
        AddDNSPanel addServer;
        addServer.show();
        QStringList shown, clipped;
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            shown << page.m_pTabWidget->tabText(i);
            page.m_pTabWidget->setCurrentIndex(i);
            QTest::qWait(20);
            clipped << clippedOn(page.m_pTabWidget->widget(i));
        }
        clipped << clippedOn(&addServer);
        QApplication::setFont(original);
        QCOMPARE(clipped.join(QLatin1Char(' ')), QString());
        shown << page.m_pIDPanel->m_pLabelHostName->text() << page.m_wireless->ComboBox_1->itemText(2);
        QCOMPARE(shown.join(QLatin1Char('|')), texts);
    }
};

QTEST_MAIN(TranslationTest)

#include "translationtest.moc"
