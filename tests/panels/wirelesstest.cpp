// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include "addrow.h"
#include "messagerecorder.h"
#include "panels/wireless.h"
#include "platform/superuser.h"
#include "systemroot.h"

namespace
{
const QString s_file = QStringLiteral("/etc/pcmcia/wireless.opts");

QByteArray fixture(const char *name)
{
    return SystemRoot::fixture(QLatin1String("wireless-opts-") + QLatin1String(name));
}

// The tab in one line: network name mode channel rate | encryption type format default key | keys 1 to 4 | key length |
// each field enabled (1) or not: network name, encryption, mode, channel, rate, keys 1 to 4, default key, type, format.
QString stateOf(const Wireless &t)
{
    QString shown = QStringList{t.LineEdit_1->text(), t.ComboBox_1->currentText(), t.SpinBox1->text(), t.ComboBox_2->currentText()}.join(QLatin1Char(' '));
    shown += QLatin1String(t.CheckBox_encryption->isChecked() ? " | on " : " | off ") + t.ComboBox_type->currentText() + QLatin1Char(' ');
    shown += t.ComboBox_format->currentText() + QLatin1Char(' ') + t.ComboBoxk->currentText() + QLatin1String(" | ");
    shown += QStringList{t.LineEdit_h1->text(), t.LineEdit_h2->text(), t.LineEdit_h3->text(), t.LineEdit_h4->text()}.join(QLatin1Char(','));
    shown += QStringLiteral(" | %1 | ").arg(t.LineEdit_h1->maxLength());
    for (const QWidget *field : {t.LineEdit_1, t.LineEdit_h1, t.LineEdit_h2, t.LineEdit_h3, t.LineEdit_h4}) {
        shown += field->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    for (const QWidget *field : std::initializer_list<const QWidget *>{t.CheckBox_encryption, t.ComboBox_1, t.SpinBox1, t.ComboBox_2, t.ComboBoxk}) {
        shown += field->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    }
    return shown + QLatin1Char(t.ComboBox_type->isEnabled() ? '1' : '0') + QLatin1Char(t.ComboBox_format->isEnabled() ? '1' : '0');
}

// Each box as kind|caption|text and a line end.
QString boxesShown(const MessageRecorder &boxes)
{
    static const char *const kinds[] = {"error", "sorry", "information", "question"};
    QString shown;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        shown += QLatin1String(kinds[int(box.kind)]) + QLatin1Char('|') + box.caption + QLatin1Char('|') + box.text + QLatin1Char('\n');
    }
    return shown;
}
}

class WirelessTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        SuperUser::setOverride(true);
    }

    void cleanup()
    {
        SuperUser::setOverride(std::nullopt);
    }

    void keepsTheKeyRules_data()
    {
        QTest::addColumn<QString>("key"); // the key line of the module's own file
        QTest::addColumn<QString>("steps"); // "type N" or "format N" in turn (questions answered yes or no), or a save
        QTest::addColumn<QString>(
            "shown"); // "asks, " when it asks to shorten the keys, then the tab from the encryption box on; or the boxes and the key line saved

        const QString four = QStringLiteral("KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [2]\"");
        const QString quoted = QStringLiteral("KEY=\"s:a\\$b\\`c [1] key s:d\\\"e\\\\f [2] key s:00000 [3] key s:1'300 [4] key [3]\"");
        const QString notHex = QStringLiteral("error|Encryption Key|The Key value must be in hexadecimal. \"%1\" is not a hexadecimal number.\n");
        addRow("128 to 40/64 asks; yes cuts 13 characters to 5",
               "KEY=\"s:abcdefghijklm\"",
               "type 0 yes",
               "asks, on 40/64 bit ASCII Key 1 | abcde,,, | 5 | 111111111111");
        addRow("no keeps 128 bit and the key", "KEY=\"s:abcdefghijklm\"", "type 0 no", "asks, on 128 bit ASCII Key 1 | abcdefghijklm,,, | 13 | 110001111011");
        addRow("40/64 to 128 asks nothing, empties keys 2 to 4", four, "type 1", "on 128 bit ASCII Key 1 | abcde,,, | 13 | 110001111011");
        addRow("and back to 40/64 asks again", four, "type 1, type 0 yes", "asks, on 40/64 bit ASCII Key 1 | abcde,,, | 5 | 111111111111");
        addRow("the type in effect asks nothing", four, "type 0", "on 40/64 bit ASCII Key 2 | abcde,fghij,k, | 5 | 111111111111");
        addRow("hexadecimal to ASCII cuts 26 digits to 13",
               "KEY=\"0123456789abcdef0123456789\"",
               "format 0 yes",
               "asks, on 128 bit ASCII Key 1 | 0123456789abc,,, | 13 | 110001111011");
        addRow("ASCII to hexadecimal keeps the keys, silently", four, "format 1", "on 40/64 bit Hexadecimal Key 2 | abcde,fghij,k, | 10 | 111111111111");
        addRow("a short 128-bit ASCII key is saved padded with 0 to 13", "KEY=\"s:abc\"", "save", "KEY=\"s:abc0000000000\"");
        addRow("empty 40/64-bit hexadecimal keys become ten 0",
               "KEY=\" [1] key  [2] key  [3] key  [4] key [3]\"",
               "save",
               "KEY=\"0000000000 [1] key 0000000000 [2] key 0000000000 [3] key 0000000000 [4] key [3]\"");
        addRow("every hexadecimal digit passes", "KEY=\"0123456789abcdefABCDEF0000\"", "save", "KEY=\"0123456789abcdefABCDEF0000\"");
        addRow("a G stops the save", "KEY=\"12G4\"", "save", notHex.arg(QLatin1Char('G')));
        addRow("the second of four keys is checked too",
               "KEY=\"0123456789 [1] key 01234z [2] key  [3] key  [4] key [1]\"",
               "save",
               notHex.arg(QLatin1Char('z')));
        addRow("shell characters in ASCII keys stay quoted", quoted, "save", quoted);
        addRow("keys of a disabled line are neither checked nor padded", "#KEY=\"xyz\"", "save", "#KEY=\"xyz\"");
    }

    void keepsTheKeyRules()
    {
        QFETCH(QString, key);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        SystemRoot root;
        MessageRecorder boxes;
        boxes.defaultAnswer = steps.endsWith(QLatin1String("no")) ? Messages::Answer::No : Messages::Answer::Yes;
        const auto ownFile = [](const QByteArray &keyLine) {
            return fixture("defaults").replace("#KEY=\"\"\n", keyLine + '\n');
        };
        root.write(s_file, ownFile(key.toLatin1()));
        Wireless tab;
        QVERIFY(tab.loadSettings());

        if (steps == QLatin1String("save")) {
            // Loading counts as a change: the save writes the file again, the same apart from the key.
            const bool saved = tab.validSetting() && tab.applySettings();
            const QByteArray written = saved ? root.read(s_file).split('\n').value(10) : QByteArray();
            QCOMPARE(root.read(s_file), ownFile(saved ? written : key.toLatin1()));
            QCOMPARE(boxesShown(boxes) + QString::fromLatin1(written), shown);
            return;
        }
        for (const QString &step : steps.split(QStringLiteral(", "))) {
            auto *list = step.startsWith(QLatin1String("type")) ? tab.ComboBox_type : tab.ComboBox_format;
            list->setCurrentIndex(step.section(QLatin1Char(' '), 1, 1).toInt());
            Q_EMIT list->activated(list->currentIndex());
        }
        const QString asked = boxes.shown.isEmpty() ? QString() : QStringLiteral("asks, ");
        QCOMPARE(asked + stateOf(tab).section(QLatin1String(" | "), 1), shown);
        for (const MessageRecorder::Shown &box : boxes.shown) {
            QCOMPARE(box.text,
                     QStringLiteral("The new type of encryption key will be shorter than the current one. The current key will be truncated. Do you like to "
                                    "continue?"));
            QCOMPARE(box.caption + box.yesText + box.noText, QStringLiteral("Wireless Key&Yes&No"));
        }
    }

    void loadsTheFile_data()
    {
        QTest::addColumn<QByteArray>("file"); // none: no file
        QTest::addColumn<bool>("root");
        QTest::addColumn<QString>("shown"); // the boxes, the file and its .orig afterwards | the tab

        const QString told = QStringLiteral(
            "|Wireless Setting|Your current wireless configuration was not generated by this panel and cannot be used. It is being replaced with default "
            "settings. The original configuration file has been copied to /etc/pcmcia/wireless.opts.orig\n");
        const QByteArray foreign = fixture("foreign-case-block");
        const QByteArray own = fixture("home-managed-key-off");
        addRow("a foreign file as root: kept, replaced",
               foreign,
               true,
               QLatin1String("information") + told
                   + QLatin1String("defaults, unchanged | Any Auto 10 Auto | off 128 bit Hexadecimal Key 1 | ,,, | 26 | 100001111000"));
        addRow("no file as root: told, then sorry",
               QByteArray(),
               true,
               QLatin1String("information") + told + QLatin1String("sorry") + told
                   + QLatin1String("none, none |  Auto 10 Auto | off 128 bit Hexadecimal Key 1 | ,,, | 26 | 100001111000"));
        addRow("a foreign file as a user: silence", foreign, false, "unchanged, none |  Auto 1 Auto | off 128 bit Hexadecimal Key 1 | ,,, | 26 | 111111111111");
        addRow("its own file as a user: all read-only",
               own,
               false,
               "unchanged, none | home Infrastructure 6 11 Mbps | off 128 bit Hexadecimal Key 1 | ,,, | 26 | 000000000000");
        addRow("an unknown mode and rate: Auto; channel 14: 11",
               QByteArray(fixture("defaults") + "MODE=\"Monitor\"\nRATE=\"54 Mbps\"\nCHANNEL=\"14\"\n"),
               true,
               "unchanged, none | Any Auto 11 Auto | off 128 bit Hexadecimal Key 1 | ,,, | 26 | 100001111000");
    }

    void loadsTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, root);
        QFETCH(QString, shown);
        SuperUser::setOverride(root);
        SystemRoot system;
        MessageRecorder recorder;
        QDir().mkpath(system.path(QStringLiteral("/etc/pcmcia")));
        if (!file.isNull()) {
            system.write(s_file, file);
        }
        Wireless tab;
        QCOMPARE(tab.isReadOnly(), tab.loadSettings() && !root);

        const auto named = [&file](const QByteArray &content) {
            return content.isNull()              ? QStringLiteral("none")
                : content == file                ? QStringLiteral("unchanged")
                : content == fixture("defaults") ? QStringLiteral("defaults")
                                                 : QString::fromLatin1(content);
        };
        const QString files = named(system.read(s_file)) + QLatin1String(", ") + named(system.read(s_file + QLatin1String(".orig")));
        QCOMPARE(boxesShown(recorder) + files + QLatin1String(" | ") + stateOf(tab), shown);
    }

    // A load counts as a change: the save writes the file again, the same.
    void savesWhatItLoaded()
    {
        SystemRoot root;
        const MessageRecorder boxes;
        root.write(s_file, fixture("home-managed-key-off"));
        Wireless tab;
        QVERIFY(tab.loadSettings() && tab.applySettings());
        QCOMPARE(root.read(s_file), fixture("home-managed-key-off"));
    }
};

QTEST_MAIN(WirelessTest)
#include "wirelesstest.moc"
