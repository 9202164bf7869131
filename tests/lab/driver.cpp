// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// quorlan-driver PLUGIN: builds the module out of the plug-in and does the
// steps read from standard input as a user would, one a line (NAME is a
// widget's object name; a widget on a hidden tab gets its tab clicked first):
//   answer BUTTON TEXT  press BUTTON in every later box whose text holds TEXT
//   details PNG TEXT    open, write and picture the details of such boxes
//   enter TEXT          type TEXT into the next dialog that asks for text
//   open | buttons | show NAME | type NAME TEXT | click NAME
//   choose NAME TEXT    the first item starting with TEXT, in a combo box (by
//                       the arrow keys) or a list (by a click)
//   apply               the shell's Apply, when it is offered and enabled
//   save                save(), as a shell that ignores the buttons would
// A box that no rule matches gets its only button, or No, and is noted as
// nobody's. The transcript (standard output) gets the shown values, each box
// and its answer, and every change of the "changed" state. The first step
// that cannot be done ends the run with status 1.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaProperty>
#include <QPointer>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextStream>
#include <QTimer>

#include <KCModule>
#include <KCollapsibleGroupBox>

#include <dlfcn.h>
#include <unistd.h>

namespace
{
QString plain(QString label)
{
    return label.remove(QLatin1Char('&'));
}

QStringList texts(const QList<QListWidgetItem *> &items)
{
    QStringList texts;
    for (const QListWidgetItem *item : items) {
        texts.append(item->text());
    }
    return texts;
}

QString shownValue(const QWidget *widget)
{
    const auto *button = qobject_cast<const QAbstractButton *>(widget);
    if (const auto *list = qobject_cast<const QListWidget *>(widget)) {
        return texts(list->findItems(QString(), Qt::MatchStartsWith)).join(QLatin1String(", "));
    } else if (const auto *tabs = qobject_cast<const QTabWidget *>(widget)) {
        return plain(tabs->tabText(tabs->currentIndex()));
    } else if (button && !button->isCheckable()) {
        return plain(button->text());
    }
    // What the widget holds for its user: its text, current item, value or check.
    const QVariant value = widget->metaObject()->userProperty().read(widget);
    return button ? QLatin1String(value.toBool() ? "checked" : "unchecked") : value.toString();
}

bool act(const QByteArray &command, QWidget *widget, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(widget);
    auto *combo = qobject_cast<QComboBox *>(widget);
    auto *list = qobject_cast<QListWidget *>(widget);
    const QList<QListWidgetItem *> items = list ? list->findItems(text, Qt::MatchStartsWith) : QList<QListWidgetItem *>();
    if (command == "type" && edit) {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    } else if (command == "click" && qobject_cast<QAbstractButton *>(widget)) {
        QTest::mouseClick(widget, Qt::LeftButton);
    } else if (command == "choose" && combo && combo->findText(text, Qt::MatchStartsWith) >= 0) {
        // The arrow keys move one item at a time and report each as chosen.
        while (combo->currentIndex() != combo->findText(text, Qt::MatchStartsWith)) {
            QTest::keyClick(combo, combo->findText(text, Qt::MatchStartsWith) > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        }
    } else if (command == "choose" && !items.isEmpty()) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(items.first()).center());
    } else {
        return false;
    }
    return true;
}

class Driver : public QObject
{
public:
    explicit Driver(QTextStream &transcript)
        : m_transcript(transcript)
    {
        // A box runs its own event loop, so the timer keeps firing while the module waits for the answer.
        connect(&m_boxTimer, &QTimer::timeout, this, &Driver::answerBox);
        m_boxTimer.start(10);
    }

    bool step(const QString &plugin, const QString &line)
    {
        const QByteArray command = line.section(QLatin1Char(' '), 0, 0).toUtf8();
        const QString name = line.section(QLatin1Char(' '), 1, 1), text = line.section(QLatin1Char(' '), 2);
        QWidget *widget = m_module ? m_module->findChild<QWidget *>(name) : nullptr;
        if (command == "answer" || command == "details") {
            (command == "answer" ? m_answers : m_details).append({name, text});
        } else if (command == "enter") {
            m_entries.append(line.section(QLatin1Char(' '), 1));
        } else if (command == "open") {
            // The library stays loaded: the leak checker wants its symbols at exit.
            void *library = dlopen(plugin.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
            const auto create = library ? reinterpret_cast<KCModule *(*)(QWidget *, const char *)>(dlsym(library, "create_quorlan")) : nullptr;
            if (!create) {
                return fail(QString::fromLocal8Bit(dlerror()));
            }
            m_module = create(nullptr, "quorlan");
            // The shells listen to this signal to enable their Apply button.
            connect(m_module, qOverload<bool>(&KCModule::changed), this, [this](bool changed) {
                if (changed != m_changed) {
                    m_transcript << "changed: " << (changed ? "true" : "false") << Qt::endl;
                }
                m_changed = changed;
            });
            m_module->resize(640, 640);
            m_module->show();
        } else if (!m_module) {
            return fail(QStringLiteral("\"%1\" before open").arg(line));
        } else if (command == "buttons") {
            const KCModule::Buttons buttons = m_module->buttons();
            m_transcript << "buttons:" << (buttons & KCModule::Help ? " Help" : "") << (buttons & KCModule::Default ? " Default" : "")
                         << (buttons & KCModule::Apply ? " Apply" : "") << Qt::endl;
        } else if (command == "apply" || command == "save") {
            const bool offered = command == "save" || m_module->buttons() & KCModule::Apply, saving = offered && (m_changed || command == "save");
            m_transcript << command << (!offered ? ": not offered" : saving ? "" : ": nothing to save") << Qt::endl;
            if (saving) {
                m_module->save();
            }
        } else if (command == "show" && widget) {
            const QString value = shownValue(widget);
            m_transcript << name << ": " << (value.isEmpty() ? QStringLiteral("(empty)") : value) << (widget->isEnabled() ? "" : " (disabled)") << Qt::endl;
        } else if (!act(command, bringToFront(widget), text)) {
            return fail(QStringLiteral("cannot do \"%1\"").arg(line));
        }
        return true;
    }

private:
    struct Rule {
        QString what; ///< the button to press, or the picture's path
        QString textPart;
    };

    QWidget *bringToFront(QWidget *widget)
    {
        for (QWidget *page = widget; page && page != m_module; page = page->parentWidget()) {
            auto *tabs = qobject_cast<QStackedWidget *>(page->parentWidget()) ? qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget()) : nullptr;
            if (tabs && tabs->currentWidget() != page) {
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(tabs->indexOf(page)).center());
            }
        }
        return widget && widget->isVisible() && widget->isEnabled() ? widget : nullptr;
    }

    void answerBox()
    {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!box || box == m_lastBox || !box->isVisible()) {
            return;
        }
        m_lastBox = box;
        auto *details = box->findChild<KCollapsibleGroupBox *>();
        QStringList texts;
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            // The icon is a label too, with a picture and no text.
            if (!label->text().isEmpty() && !(details && details->isAncestorOf(label))) {
                texts.append(label->text());
            }
        }
        const QString text = texts.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        QString wanted, note;
        for (const Rule &rule : std::as_const(m_answers)) {
            wanted = wanted.isEmpty() && text.contains(rule.textPart) ? rule.what : wanted;
        }
        if (auto *entry = box->findChild<QLineEdit *>(); entry && entry->isVisible()) {
            // A dialog that asks for text and has nothing left to be given is given up.
            wanted = m_entries.isEmpty() ? QStringLiteral("Cancel") : wanted;
            entry->selectAll();
            QTest::keyClicks(entry, m_entries.isEmpty() ? QString() : m_entries.takeFirst());
            note = wanted == QLatin1String("Cancel") ? QString() : QStringLiteral(" (typed \"%1\")").arg(entry->text());
        }
        QList<QAbstractButton *> buttons;
        QStringList labels;
        QAbstractButton *pressed = nullptr, *no = nullptr;
        for (QAbstractButton *button : box->findChildren<QAbstractButton *>()) {
            if (button->isVisible()) {
                buttons.append(button);
                labels.append(plain(button->text()));
                pressed = !wanted.isEmpty() && labels.last().compare(wanted, Qt::CaseInsensitive) == 0 ? button : pressed;
                no = labels.last() == QLatin1String("No") ? button : no;
            }
        }
        if (!pressed && buttons.size() == 1) {
            pressed = buttons.first();
        } else if (!pressed) {
            note = QStringLiteral(" (nobody answered it)");
            pressed = no;
        }
        // The toolkit names its boxes after the call that made them; the questions' names changed over the releases.
        const QString kind = box->objectName().startsWith(QLatin1String("warning")) ? QStringLiteral("warningYesNo") : box->objectName();
        m_transcript << "box " << kind << " \"" << box->windowTitle() << "\": " << text << " -> "
                     << (pressed ? plain(pressed->text()) : QStringLiteral("nothing to press")) << note << Qt::endl;
        for (const Rule &rule : std::as_const(m_details)) {
            if (text.contains(rule.textPart) && details) {
                // Long details, as the module's are, come in a text browser.
                const auto *browser = details->findChild<QTextBrowser *>();
                details->expand();
                QTest::qWait(500); // the unfolding is drawn to its end
                m_transcript << "opened " << plain(details->title()) << (details->isExpanded() ? "" : " (still folded)") << " above the buttons "
                             << labels.join(QLatin1Char(' ')) << ":\n"
                             << (browser ? browser->toPlainText() : QStringLiteral("(not in a text browser)")) << "\nend of details" << Qt::endl;
                box->grab().save(rule.what, "PNG");
            }
        }
        // Pressed from a timer of its own: a box that the press opens in turn needs this one to have returned.
        QTimer::singleShot(0, box, [box, pressed] {
            pressed ? QTest::mouseClick(pressed, Qt::LeftButton) : box->reject();
        });
    }

    bool fail(const QString &why)
    {
        m_transcript << "error: " << why << Qt::endl;
        return false;
    }

    QTextStream &m_transcript;
    QPointer<KCModule> m_module;
    bool m_changed = false;
    QVector<Rule> m_answers, m_details;
    QStringList m_entries;
    QTimer m_boxTimer;
    QPointer<QDialog> m_lastBox;
};
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    // Boxes come and go before the module's window exists.
    app.setQuitOnLastWindowClosed(false);
    // Long enough for networking to restart on a loaded machine; a box nobody
    // can close would otherwise keep the lab up until the test's own time-out.
    alarm(100);
    // The commands the module runs write to standard output too: the
    // transcript keeps that stream for itself and sends theirs to standard error.
    QFile transcriptFile;
    if (argc != 2 || !transcriptFile.open(dup(STDOUT_FILENO), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return 2;
    }
    QTextStream transcript(&transcriptFile);
    // All read before the first is done: the module's commands share standard input.
    const QStringList steps = QTextStream(stdin).readAll().split(QLatin1Char('\n'));
    Driver driver(transcript);
    for (const QString &line : steps) {
        if (!line.trimmed().isEmpty() && !driver.step(QString::fromLocal8Bit(argv[1]), line.trimmed())) {
            return 1;
        }
        QCoreApplication::processEvents();
    }
    return 0;
}
