// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
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

// What a user's choice in a list does: the item, then the list's signal.
void choose(QComboBox *list, int index)
{
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
}

QByteArray fixture(const char *name)
{
    return SystemRoot::fixture(QLatin1String("wireless-opts-") + QLatin1String(name));
}

// One of the module's own files with the given key line.
QByteArray ownFile(const QByteArray &keyLine)
{
    return fixture("defaults").replace("#KEY=\"\"\n", keyLine + '\n');
}

// The eleventh line of the module's file.
QByteArray keyLineOf(const QByteArray &content)
{
    return content.split('\n').value(10);
}

QList<QLineEdit *> keyFields(const Wireless &tab)
{
    return {tab.LineEdit_h1, tab.LineEdit_h2, tab.LineEdit_h3, tab.LineEdit_h4};
}

// The whole tab in one line: network name | mode, channel, rate | encryption, key type,
// format, default key | keys 1 to 4 | key length | each field enabled (1) or not (0):
// network name, encryption, mode, channel, rate, keys 1 to 4, default key, type, format.
QString stateOf(const Wireless &tab)
{
    QString enabled;
    const auto note = [&enabled](const QList<const QWidget *> &fields) {
        for (const QWidget *field : fields) {
            enabled += field->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
    };
    note({tab.LineEdit_1, tab.CheckBox_encryption, tab.ComboBox_1, tab.SpinBox1, tab.ComboBox_2, tab.LineEdit_h1, tab.LineEdit_h2, tab.LineEdit_h3});
    note({tab.LineEdit_h4, tab.ComboBoxk, tab.ComboBox_type, tab.ComboBox_format});
    const QString keys = QStringList{tab.LineEdit_h1->text(), tab.LineEdit_h2->text(), tab.LineEdit_h3->text(), tab.LineEdit_h4->text()}.join(QLatin1Char(','));
    const QString onOff = tab.CheckBox_encryption->isChecked() ? QStringLiteral("on ") : QStringLiteral("off ");
    return QStringList{
        tab.LineEdit_1->text(),
        QStringList{tab.ComboBox_1->currentText(), tab.SpinBox1->text(), tab.ComboBox_2->currentText()}.join(QLatin1Char(' ')),
        onOff + QStringList{tab.ComboBox_type->currentText(), tab.ComboBox_format->currentText(), tab.ComboBoxk->currentText()}.join(QLatin1Char(' ')),
        keys,
        QString::number(tab.LineEdit_h1->maxLength()),
        enabled}
        .join(QLatin1String(" | "));
}

QString boxesShown(const MessageRecorder &boxes)
{
    static const char *const kinds[] = {"error", "sorry", "information", "question"};
    QStringList shown;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        shown << QLatin1String(kinds[int(box.kind)]) + QLatin1Char('|') + box.caption + QLatin1Char('|') + box.text;
    }
    return shown.join(QLatin1Char('\n'));
}

// What a file holds, by the fixture it equals.
QString nameOf(const QByteArray &content)
{
    for (const char *name : {"defaults", "home-managed-key-off", "foreign-case-block"}) {
        if (content == fixture(name)) {
            return QLatin1String(name);
        }
    }
    return content.isNull() ? QStringLiteral("none") : QString::fromLatin1(content);
}

// What the card tools get: the shell sources the file and prints the variables.
QString sourced(const SystemRoot &root)
{
    QProcess shell;
    shell.setWorkingDirectory(root.path(QStringLiteral("/etc/pcmcia")));
    shell.start(
        QStringLiteral("sh"),
        {QStringLiteral("-c"),
         QStringLiteral("unset ESSID MODE CHANNEL RATE KEY; . ./wireless.opts; printf '%s|%s|%s|%s|%s' \"$ESSID\" \"$MODE\" \"$CHANNEL\" \"$RATE\" \"$KEY\"")});
    shell.waitForFinished();
    return QString::fromUtf8(shell.readAllStandardError() + shell.readAllStandardOutput());
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

    // The row name is the case: key type, format, encryption, default key. The network
    // name and the keys hold what the shell would take as its own (quotes, $, `, \).
    void writesWhatItReadsBack_data()
    {
        QTest::addColumn<QByteArray>("keyLine"); // the exact line, where a row states it
        QTest::addColumn<QString>("key"); // what the shell makes of it

        addRow("40/64 bit, ASCII, on, key 1", QByteArray(), QString());
        addRow("40/64 bit, ASCII, on, key 2", QByteArray(), QString());
        addRow("40/64 bit, ASCII, on, key 3",
               QByteArray("KEY=\"s:a\\$b\\`c [1] key s:d\\\"e\\\\f [2] key s:00000 [3] key s:1'300 [4] key [3]\""),
               "s:a$b`c [1] key s:d\"e\\f [2] key s:00000 [3] key s:1'300 [4] key [3]");
        addRow("40/64 bit, ASCII, on, key 4", QByteArray(), QString());
        addRow("40/64 bit, ASCII, off, key 1", QByteArray(), QString());
        addRow("40/64 bit, ASCII, off, key 2", QByteArray(), QString());
        addRow("40/64 bit, ASCII, off, key 3", QByteArray(), QString());
        addRow("40/64 bit, ASCII, off, key 4", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, on, key 1", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, on, key 2", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, on, key 3", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, on, key 4", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, off, key 1", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, off, key 2", QByteArray("#KEY=\"0123456789 [1] key abc [2] key  [3] key FFF [4] key [2]\""), QString());
        addRow("40/64 bit, Hexadecimal, off, key 3", QByteArray(), QString());
        addRow("40/64 bit, Hexadecimal, off, key 4", QByteArray(), QString());
        addRow("128 bit, ASCII, on, key 1", QByteArray(), QString());
        addRow("128 bit, ASCII, off, key 1", QByteArray(), QString());
        addRow("128 bit, Hexadecimal, on, key 1", QByteArray("KEY=\"0badc0ffee0000000000000000\""), "0badc0ffee0000000000000000");
        addRow("128 bit, Hexadecimal, off, key 1", QByteArray(), QString());
    }

    void writesWhatItReadsBack()
    {
        QFETCH(QByteArray, keyLine);
        QFETCH(QString, key);
        const QStringList row = QString::fromLatin1(QTest::currentDataTag()).split(QStringLiteral(", "));
        const int type = row[0] == QLatin1String("128 bit");
        const int format = row[1] == QLatin1String("Hexadecimal");
        const bool encryption = row[2] == QLatin1String("on");
        // Short keys are padded with 0 when encryption is on, written as typed when it is off.
        const QString typed[2][2] = {{QStringLiteral("a$b`c,d\"e\\f,,1'3"), QStringLiteral("0123456789,abc,,FFF")},
                                     {QStringLiteral("secret,,,"), QStringLiteral("0badc0ffee,,,")}};
        const QString padded[2][2] = {{QStringLiteral("a$b`c,d\"e\\f,00000,1'300"), QStringLiteral("0123456789,abc0000000,0000000000,FFF0000000")},
                                      {QStringLiteral("secret0000000,,,"), QStringLiteral("0badc0ffee0000000000000000,,,")}};
        const QString essid = QStringLiteral("say \"hi\" $HOME `id` \\ caf\u00e9");
        SystemRoot root;
        MessageRecorder boxes;
        root.write(s_file, fixture("defaults"));
        {
            Wireless tab;
            QVERIFY(tab.loadSettings());
            tab.LineEdit_1->setText(essid);
            choose(tab.ComboBox_1, 2);
            tab.SpinBox1->setValue(6);
            choose(tab.ComboBox_2, 3);
            tab.CheckBox_encryption->setChecked(true);
            choose(tab.ComboBox_type, type);
            choose(tab.ComboBox_format, format);
            for (int i = 0; i < 4; ++i) {
                keyFields(tab).at(i)->setText(typed[type][format].section(QLatin1Char(','), i, i));
            }
            choose(tab.ComboBoxk, row[3].right(1).toInt() - 1);
            tab.CheckBox_encryption->setChecked(encryption);
            QVERIFY(tab.validSetting() && tab.applySettings());
        }
        QVERIFY(keyLine.isEmpty() || keyLineOf(root.read(s_file)) == keyLine);
        if (!encryption || !key.isNull()) {
            QCOMPARE(sourced(root), essid + QLatin1String("|Managed|6|5.5 Mbps|") + key);
        }

        Wireless reader;
        QVERIFY(reader.loadSettings());
        const QString keys = (encryption ? padded : typed)[type][format];
        const QString keyEnabled = !encryption ? QStringLiteral("0000000") : type == 0 ? QStringLiteral("1111111") : QStringLiteral("1000011");
        QCOMPARE(stateOf(reader),
                 QStringList({essid,
                              QStringLiteral("Infrastructure 6 5.5 Mbps"),
                              QString(row[2] + QLatin1Char(' ') + row[0] + QLatin1Char(' ') + row[1] + QLatin1String(" K") + row[3].mid(1)),
                              keys,
                              QString::number(QList<int>{5, 10, 13, 26}.at(2 * type + format)),
                              QLatin1String("11111") + keyEnabled})
                     .join(QLatin1String(" | ")));
    }

    void loadsTheFile_data()
    {
        QTest::addColumn<bool>("superUser");
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("expected"); // boxes shown | the file and its .orig after | stateOf() but the keys

        const QByteArray foreign = fixture("foreign-case-block");
        const QByteArray home = fixture("home-managed-key-off");
        const QByteArray own = fixture("defaults");
        addRow("a foreign file as root: kept as .orig, replaced by defaults",
               true,
               foreign,
               "information | defaults, unchanged | Any | Auto 10 Auto | 111110000000");
        addRow("no file as root: told, then sorry, nothing created", true, QByteArray(), "information sorry | none, none |  | Auto 10 Auto | 111110000000");
        addRow("a foreign file as an ordinary user: silence, nothing written", false, foreign, " | unchanged, none |  | Auto 1 Auto | 111111111111");
        addRow("its own file as an ordinary user: loaded, all read-only", false, home, " | unchanged, none | home | Infrastructure 6 11 Mbps | 000000000000");
        addRow("its own file as root: loaded, editable", true, home, " | unchanged, none | home | Infrastructure 6 11 Mbps | 111110000000");
        addRow("Infrastructure written by hand",
               true,
               own + "MODE=\"Infrastructure\"\nRATE=\"1 Mbps\"\n",
               " | unchanged, none | Any | Infrastructure 10 1 Mbps | 111110000000");
        addRow("a mode or rate no item holds selects Auto",
               true,
               own + "MODE=\"Monitor\"\nRATE=\"54 Mbps\"\n",
               " | unchanged, none | Any | Auto 10 Auto | 111110000000");
        addRow("a channel that is no number: the lowest", true, own + "CHANNEL=\"six\"\n", " | unchanged, none | Any | Auto 1 Auto | 111110000000");
        addRow("a channel above 11: the highest", true, own + "CHANNEL=\"14\"\n", " | unchanged, none | Any | Auto 11 Auto | 111110000000");
    }

    void loadsTheFile()
    {
        QFETCH(bool, superUser);
        QFETCH(QByteArray, before);
        QFETCH(QString, expected);
        SuperUser::setOverride(superUser);
        SystemRoot root;
        MessageRecorder recorder;
        QDir().mkpath(root.path(QStringLiteral("/etc/pcmcia")));
        if (!before.isNull()) {
            root.write(s_file, before);
        }
        Wireless tab;
        const bool loaded = tab.loadSettings();
        QCOMPARE(tab.isReadOnly(), !superUser && loaded);

        QStringList kinds;
        for (const MessageRecorder::Shown &box : std::as_const(recorder.shown)) {
            kinds << QLatin1String(box.kind == Messages::Kind::Sorry ? "sorry" : "information");
            QCOMPARE(box.caption + QLatin1Char('|') + box.text,
                     QStringLiteral("Wireless Setting|Your current wireless configuration was not generated by this panel and cannot be used. It is being "
                                    "replaced with default settings. The original configuration file has been copied to /etc/pcmcia/wireless.opts.orig"));
        }
        const auto named = [&before](const QByteArray &content) {
            return !content.isNull() && content == before ? QStringLiteral("unchanged") : nameOf(content);
        };
        const QString files = named(root.read(s_file)) + QLatin1String(", ") + named(root.read(s_file + QLatin1String(".orig")));
        const QStringList state = stateOf(tab).split(QLatin1String(" | "));
        QCOMPARE(QStringList({kinds.join(QLatin1Char(' ')), files, state[0], state[1], state[5]}).join(QLatin1String(" | ")), expected);
        // Without a key line, the longest keys are in force, encryption off.
        QCOMPARE(state.mid(2, 3).join(QLatin1String(" | ")), QStringLiteral("off 128 bit Hexadecimal Key 1 | ,,, | 26"));
    }

    void enforcesKeyRules_data()
    {
        QTest::addColumn<QByteArray>("keyLine");
        QTest::addColumn<QString>("choice"); // "type N" or "format N", and the answer to a question
        QTest::addColumn<QString>("expected"); // asked or silent, then stateOf() from the encryption on

        const QByteArray ascii13 = "KEY=\"s:abcdefghijklm\"";
        const QByteArray hex26 = "KEY=\"0123456789abcdef0123456789\"";
        const QByteArray fourAscii = "KEY=\"s:abcde [1] key s:fghij [2] key s:k [3] key s: [4] key [2]\"";
        addRow("128 to 40/64 asks; yes cuts a 13-character key to 5", ascii13, "type 0 yes", "asked | on 40/64 bit ASCII Key 1 | abcde,,, | 5 | 111111111111");
        addRow("128 to 40/64 asks; no keeps 128 bit and the key",
               ascii13,
               "type 0 no",
               "asked | on 128 bit ASCII Key 1 | abcdefghijklm,,, | 13 | 111111000011");
        addRow("128 to 40/64 in hexadecimal cuts 26 digits to 10",
               hex26,
               "type 0 yes",
               "asked | on 40/64 bit Hexadecimal Key 1 | 0123456789,,, | 10 | 111111111111");
        addRow("40/64 to 128 asks nothing and empties keys 2 to 4", fourAscii, "type 1 yes", "silent | on 128 bit ASCII Key 1 | abcde,,, | 13 | 111111000011");
        addRow("hexadecimal to ASCII asks; yes cuts 26 digits to 13",
               hex26,
               "format 0 yes",
               "asked | on 128 bit ASCII Key 1 | 0123456789abc,,, | 13 | 111111000011");
        addRow("hexadecimal to ASCII asks; no keeps both",
               hex26,
               "format 0 no",
               "asked | on 128 bit Hexadecimal Key 1 | 0123456789abcdef0123456789,,, | 26 | 111111000011");
        addRow("ASCII to hexadecimal keeps the keys, silently",
               fourAscii,
               "format 1 yes",
               "silent | on 40/64 bit Hexadecimal Key 2 | abcde,fghij,k, | 10 | 111111111111");
        addRow("the type in effect chosen again asks nothing",
               fourAscii,
               "type 0 yes",
               "silent | on 40/64 bit ASCII Key 2 | abcde,fghij,k, | 5 | 111111111111");
    }

    void enforcesKeyRules()
    {
        QFETCH(QByteArray, keyLine);
        QFETCH(QString, choice);
        QFETCH(QString, expected);
        SystemRoot root;
        MessageRecorder boxes;
        const QStringList words = choice.split(QLatin1Char(' '));
        boxes.answers << (words[2] == QLatin1String("yes") ? Messages::Answer::Yes : Messages::Answer::No);
        root.write(s_file, ownFile(keyLine));
        Wireless tab;
        QVERIFY(tab.loadSettings());

        choose(words[0] == QLatin1String("type") ? tab.ComboBox_type : tab.ComboBox_format, words[1].toInt());
        const QString asked = boxes.shown.isEmpty() ? QStringLiteral("silent") : QStringLiteral("asked");
        QCOMPARE(QString(asked + QLatin1String(" | ") + stateOf(tab).section(QLatin1String(" | "), 2)), expected);
        if (!boxes.shown.isEmpty()) {
            QCOMPARE(boxesShown(boxes),
                     QStringLiteral("question|Wireless Key|The new type of encryption key will be shorter than the current one. The current key will be "
                                    "truncated. Do you like to continue?"));
            QCOMPARE(boxes.shown.constFirst().yesText + boxes.shown.constFirst().noText, QStringLiteral("&Yes&No"));
        }
    }

    void checksAndPadsKeysAtSave_data()
    {
        QTest::addColumn<QByteArray>("keyLine");
        QTest::addColumn<QString>("expected"); // the key line saved or the message shown, then key 1

        const QString notHex = QStringLiteral("error|Encryption Key|The Key value must be in hexadecimal. \"%1\" is not a hexadecimal number. | %2");
        addRow("a short 128-bit ASCII key is padded with 0 to 13", QByteArray("KEY=\"s:abc\""), "KEY=\"s:abc0000000000\" | abc0000000000");
        addRow("empty 40/64-bit hexadecimal keys are saved as ten 0",
               QByteArray("KEY=\" [1] key  [2] key  [3] key  [4] key [3]\""),
               "KEY=\"0000000000 [1] key 0000000000 [2] key 0000000000 [3] key 0000000000 [4] key [3]\" | 0000000000");
        addRow("a G in a hexadecimal key stops the save", QByteArray("KEY=\"12G4\""), notHex.arg(QStringLiteral("G"), QStringLiteral("12G4")));
        addRow("the second of four hexadecimal keys is checked too",
               QByteArray("KEY=\"0123456789 [1] key 01234z [2] key  [3] key  [4] key [1]\""),
               notHex.arg(QStringLiteral("z"), QStringLiteral("0123456789")));
        addRow("ASCII keys need no hexadecimal digits", QByteArray("KEY=\"s:G\""), "KEY=\"s:G000000000000\" | G000000000000");
        addRow("keys of a disabled line are neither checked nor padded", QByteArray("#KEY=\"xyz\""), "#KEY=\"xyz\" | xyz");
    }

    void checksAndPadsKeysAtSave()
    {
        QFETCH(QByteArray, keyLine);
        QFETCH(QString, expected);
        SystemRoot root;
        MessageRecorder boxes;
        root.write(s_file, ownFile(keyLine));
        Wireless tab;
        QVERIFY(tab.loadSettings());

        const bool valid = tab.validSetting();
        QVERIFY(!valid || tab.applySettings());
        // Loading counts as a change: the save writes the file again, the same apart from the key.
        const QByteArray saved = keyLineOf(root.read(s_file));
        QVERIFY(!valid || root.read(s_file) == ownFile(saved));
        const QString outcome = valid ? QString::fromLatin1(saved) : boxesShown(boxes);
        QCOMPARE(QString(outcome + QLatin1String(" | ") + tab.LineEdit_h1->text()), expected);
    }

    void tellsWhenTheSaveFails()
    {
        SystemRoot root;
        MessageRecorder boxes;
        root.write(s_file, fixture("defaults"));
        Wireless tab;
        QVERIFY(tab.loadSettings());
        QDir().mkpath(root.path(s_file + QLatin1String(".new/x")));
        QSignalSpy changes(&tab, &Wireless::panelChanged);

        QVERIFY(!tab.applySettings());
        QCOMPARE(boxesShown(boxes), QStringLiteral("error|Wireless Saving error|Unable to save the changes to the wireless configuration file."));
        QCOMPARE(root.read(s_file), fixture("defaults"));
        QVERIFY(tab.isChanged() && changes.isEmpty());
    }
};

QTEST_MAIN(WirelessTest)
#include "wirelesstest.moc"
