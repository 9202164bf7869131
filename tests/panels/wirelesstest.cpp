// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QTest>

#include "casefile.h"
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

// One of the module's own files with the given key line (the eleventh line, with its line end).
QByteArray ownFile(const QByteArray &keyLine)
{
    return fixture("defaults").replace("#KEY=\"\"\n", keyLine);
}

QList<QLineEdit *> keyFields(const Wireless &tab)
{
    return {tab.LineEdit_h1, tab.LineEdit_h2, tab.LineEdit_h3, tab.LineEdit_h4};
}

// The whole tab in one line: network name | mode channel rate | encryption, key type,
// format, default key | keys 1 to 4 | key length | each field enabled (1) or not (0):
// network name, encryption, mode, channel, rate, keys 1 to 4, default key, type, format.
QString stateOf(const Wireless &tab)
{
    QString enabled;
    const auto note = [&enabled](std::initializer_list<const QWidget *> fields) {
        for (const QWidget *field : fields) {
            enabled += field->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        }
    };
    note({tab.LineEdit_1, tab.CheckBox_encryption, tab.ComboBox_1, tab.SpinBox1, tab.ComboBox_2, tab.LineEdit_h1, tab.LineEdit_h2, tab.LineEdit_h3});
    note({tab.LineEdit_h4, tab.ComboBoxk, tab.ComboBox_type, tab.ComboBox_format});
    QStringList keys;
    for (const QLineEdit *field : keyFields(tab)) {
        keys << field->text();
    }
    return QStringList{tab.LineEdit_1->text(),
                       tab.ComboBox_1->currentText() + QLatin1Char(' ') + tab.SpinBox1->text() + QLatin1Char(' ') + tab.ComboBox_2->currentText(),
                       QLatin1String(tab.CheckBox_encryption->isChecked() ? "on " : "off ") + tab.ComboBox_type->currentText() + QLatin1Char(' ')
                           + tab.ComboBox_format->currentText() + QLatin1Char(' ') + tab.ComboBoxk->currentText(),
                       keys.join(QLatin1Char(',')),
                       QString::number(tab.LineEdit_h1->maxLength()),
                       enabled}
        .join(QLatin1String(" | "));
}

// Each box as kind|caption|text and a line end, a question with its own buttons after the text.
QString boxesShown(const MessageRecorder &boxes)
{
    static const char *const kinds[] = {"error", "sorry", "information", "question"};
    QString shown;
    for (const MessageRecorder::Shown &box : boxes.shown) {
        const QString buttons = box.kind == Messages::Kind::WarningYesNo ? QLatin1Char('|') + box.yesText + box.noText : QString();
        shown += QLatin1String(kinds[int(box.kind)]) + QLatin1Char('|') + box.caption + QLatin1Char('|') + box.text + buttons + QLatin1Char('\n');
    }
    return shown;
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

    // The network name and the keys hold what the shell would take as its own (quotes, $, `, \).
    void writesWhatItReadsBack_data()
    {
        CaseFile::addRows(QStringLiteral("wireless-round-trip-cases"), {"line", "key"});
    }

    void writesWhatItReadsBack()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, key);
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
        QVERIFY(line.isNull() || root.read(s_file).split('\n').value(10) == line.trimmed());
        if (!encryption || !key.isNull()) {
            QCOMPARE(sourced(root), essid + QLatin1String("|Managed|6|5.5 Mbps|") + QString::fromUtf8(key.trimmed()));
        }

        Wireless reader;
        QVERIFY(reader.loadSettings());
        const QString keyEnabled = !encryption ? QStringLiteral("0000000") : type == 0 ? QStringLiteral("1111111") : QStringLiteral("1000011");
        QCOMPARE(stateOf(reader),
                 QStringList({essid,
                              QStringLiteral("Infrastructure 6 5.5 Mbps"),
                              row[2] + QLatin1Char(' ') + row[0] + QLatin1Char(' ') + row[1] + QLatin1String(" K") + row[3].mid(1),
                              (encryption ? padded : typed)[type][format],
                              QString::number(QList<int>{5, 10, 13, 26}.at(2 * type + format)),
                              QLatin1String("11111") + keyEnabled})
                     .join(QLatin1String(" | ")));
    }

    void loadsTheFile_data()
    {
        CaseFile::addRows(QStringLiteral("wireless-panel-load-cases"), {"file", "user", "shown"});
    }

    void loadsTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, shown);
        SuperUser::setOverride(user.isNull());
        SystemRoot root;
        MessageRecorder recorder;
        QDir().mkpath(root.path(QStringLiteral("/etc/pcmcia")));
        if (!file.isNull()) {
            root.write(s_file, file);
        }
        Wireless tab;
        const bool loaded = tab.loadSettings();
        QCOMPARE(tab.isReadOnly(), !user.isNull() && loaded);

        const auto named = [&file](const QByteArray &content) {
            return content.isNull()              ? QStringLiteral("none")
                : content == file                ? QStringLiteral("unchanged")
                : content == fixture("defaults") ? QStringLiteral("defaults")
                                                 : QString::fromLatin1(content);
        };
        const QString files = named(root.read(s_file)) + QLatin1String(", ") + named(root.read(s_file + QLatin1String(".orig")));
        QCOMPARE(boxesShown(recorder) + files + QLatin1String(" | ") + stateOf(tab) + QLatin1Char('\n'), QString::fromLatin1(shown));
    }

    void enforcesKeyRules_data()
    {
        CaseFile::addRows(QStringLiteral("wireless-key-rules-cases"), {"key", "step", "shown"});
    }

    void enforcesKeyRules()
    {
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, step);
        QFETCH(QByteArray, shown);
        SystemRoot root;
        MessageRecorder boxes;
        const QList<QByteArray> words = step.simplified().split(' ');
        boxes.answers << (words.value(2) == "no" ? Messages::Answer::No : Messages::Answer::Yes);
        root.write(s_file, ownFile(key));
        Wireless tab;
        QVERIFY(tab.loadSettings());

        QString outcome;
        if (words[0] == "save") {
            if (words.size() > 1) {
                QDir().mkpath(root.path(s_file + QLatin1String(".new/x")));
            }
            // Loading counts as a change: the save writes the file again, the same apart from the key.
            const bool saved = tab.validSetting() && tab.applySettings();
            const QByteArray written = root.read(s_file).split('\n').value(10) + '\n';
            QCOMPARE(root.read(s_file), ownFile(saved ? written : key));
            outcome = QString::fromLatin1(written);
        } else {
            choose(words[0] == "type" ? tab.ComboBox_type : tab.ComboBox_format, words[1].toInt());
            outcome = stateOf(tab).section(QLatin1String(" | "), 2) + QLatin1Char('\n');
        }
        QCOMPARE(boxesShown(boxes) + outcome, QString::fromLatin1(shown));
    }
};

QTEST_MAIN(WirelessTest)
#include "wirelesstest.moc"
