// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// quorlan-driver PLUGIN: opens the module and does the steps of standard input as a user would, clicking a hidden widget's tab
// first: answer BUTTON TEXT, details FILE TEXT (for every later box whose text holds TEXT), enter TEXT (into the next dialog
// asking for it), show NAME, seek TEXT (whether a label holding TEXT shows on a tab), type NAME TEXT, click NAME, choose NAME
// TEXT (the first item starting with TEXT), apply (the shell's button), save. The transcript (standard output) gets the shown values, each box and its answer,
// and every change of the "changed" state.

#include <QTest>
#include <QtWidgets>

#include <KCModule>
#include <KCollapsibleGroupBox>

#include "shellview.h"

#include <dlfcn.h>
#include <unistd.h>

static QString shownValue(const QWidget *widget)
{
    QStringList items;
    if (const auto *list = qobject_cast<const QListWidget *>(widget)) {
        for (int row = 0; row < list->count(); ++row) {
            items.append(list->item(row)->text());
        }
        return items.join(QLatin1String(", "));
    }
    // What the widget holds for its user: its text, current item, value or check.
    const QVariant value = widget->metaObject()->userProperty().read(widget);
    const auto *button = qobject_cast<const QAbstractButton *>(widget);
    return !button ? value.toString() : !button->isCheckable() ? QString() : QLatin1String(value.toBool() ? "checked" : "unchecked");
}

static bool act(const QByteArray &command, QWidget *widget, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(widget);
    auto *combo = qobject_cast<QComboBox *>(widget);
    auto *list = qobject_cast<QListWidget *>(widget);
    const QList<QListWidgetItem *> items = list ? list->findItems(text, Qt::MatchStartsWith) : QList<QListWidgetItem *>();
    const int wanted = combo ? combo->findText(text, Qt::MatchStartsWith) : -1;
    if (command == "type" && edit) {
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll(); // as a double click would: the typing replaces it
        QTest::keyClicks(edit, text);
    } else if (command == "click" && qobject_cast<QAbstractButton *>(widget)) {
        QTest::mouseClick(widget, Qt::LeftButton);
    } else if (command == "choose" && wanted >= 0) {
        // The arrow keys move one item at a time and report each as chosen.
        while (combo->currentIndex() != wanted) {
            QTest::keyClick(combo, wanted > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
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
        connect(&m_boxTimer, &QTimer::timeout, this, &Driver::answerBox); // it fires in a box's own event loop too
        m_boxTimer.start(10);
    }

    bool step(const QString &plugin, const QString &line)
    {
        const QByteArray command = line.section(QLatin1Char(' '), 0, 0).toUtf8();
        const QString name = line.section(QLatin1Char(' '), 1, 1), text = line.section(QLatin1Char(' '), 2);
        if (command == "answer" || command == "details" || command == "enter") {
            (command == "answer" ? m_answers : command == "details" ? m_details : m_entries).append({name, text});
            return true;
        } else if (!m_module && !open(plugin)) { // the first step that is not a rule
            return false;
        }
        QWidget *widget = m_window->findChild<QWidget *>(name);
        const bool offered = command == "save" || m_module->buttons() & KCModule::Apply;
        if ((command == "apply" && offered && m_changed) || command == "save") {
            if (m_module->needsAuthorization()) { // the shells' Apply then carries the password prompt
                m_transcript << "apply: authorized by " << ShellView::authActionName(m_module) << Qt::endl;
            }
            m_module->save();
        } else if (command == "apply") {
            m_transcript << (offered ? "apply: nothing to save" : "apply: not offered") << Qt::endl;
        } else if (command == "seek") {
            m_transcript << "seek \"" << line.section(QLatin1Char(' '), 1) << "\": " << (labelShown(line.section(QLatin1Char(' '), 1)) ? "shown" : "none")
                         << Qt::endl;
        } else if (command == "show" && widget) {
            const QString value = shownValue(widget);
            m_transcript << name << ": " << (value.isEmpty() ? QStringLiteral("(empty)") : value) << (widget->isEnabled() ? "" : " (disabled)") << Qt::endl;
        } else if (!act(command, bringToFront(widget), text)) {
            m_transcript << "error: cannot do \"" << line << '"' << Qt::endl;
            return false;
        }
        return true;
    }

private:
    struct Rule {
        QString what, textPart; // the button to press, the file for the details or the text to enter; where
    };

    void showTabOf(QWidget *widget)
    {
        for (QWidget *page = widget; page && page != m_window.get(); page = page->parentWidget()) {
            auto *tabs = qobject_cast<QStackedWidget *>(page->parentWidget()) ? qobject_cast<QTabWidget *>(page->parentWidget()->parentWidget()) : nullptr;
            if (tabs && tabs->currentWidget() != page) {
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(tabs->indexOf(page)).center());
            }
        }
    }

    QWidget *bringToFront(QWidget *widget)
    {
        showTabOf(widget);
        return widget && widget->isVisible() && widget->isEnabled() ? widget : nullptr;
    }

    // A label counts when its user could read it: on its tab, brought to the front, and not hidden.
    bool labelShown(const QString &textPart)
    {
        const QList<QLabel *> labels = m_window->findChildren<QLabel *>();
        return std::any_of(labels.begin(), labels.end(), [this, &textPart](QLabel *label) {
            if (!label->text().contains(textPart)) {
                return false;
            }
            showTabOf(label);
            return label->isVisible();
        });
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
            texts.append(details && details->isAncestorOf(label) ? QString() : label->text());
        }
        texts.removeAll(QString()); // the icon is a label too, with a picture and no text
        const QString text = texts.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        QString wanted;
        for (const Rule &rule : std::as_const(m_answers)) {
            wanted = wanted.isEmpty() && text.contains(rule.textPart) ? rule.what : wanted;
        }
        if (auto *entry = box->findChild<QLineEdit *>(); entry && entry->isVisible()) {
            // A dialog that asks for text and has nothing left to be given is given up.
            wanted = QLatin1String(m_entries.isEmpty() ? "Cancel" : "OK");
            QTest::keyClicks(entry, m_entries.isEmpty() ? QString() : m_entries.takeFirst().what);
        }
        QList<QAbstractButton *> buttons = box->findChildren<QAbstractButton *>();
        buttons.erase(std::remove_if(buttons.begin(), buttons.end(), std::not_fn(&QWidget::isVisible)), buttons.end());
        const auto named = std::find_if(buttons.begin(), buttons.end(), [&wanted](QAbstractButton *button) {
            return button->text().remove(QLatin1Char('&')).compare(wanted, Qt::CaseInsensitive) == 0;
        });
        // Without a rule, the only button is pressed, or none.
        QAbstractButton *const pressed = named != buttons.end() ? *named : buttons.size() == 1 ? buttons.first() : nullptr;
        // The toolkit names its boxes after the call that made them; the questions' names changed over the releases.
        const QString kind = box->objectName().startsWith(QLatin1String("warning")) ? QStringLiteral("warningYesNo") : box->objectName();
        m_transcript << "box " << kind << " \"" << box->windowTitle() << "\": " << text << " -> "
                     << (pressed ? pressed->text().remove(QLatin1Char('&')) : QString()) << Qt::endl;
        for (const Rule &rule : std::as_const(m_details)) {
            if (text.contains(rule.textPart) && details && details->findChild<QTextBrowser *>()) {
                details->expand();
                QTest::qWait(500); // the unfolding is drawn to its end for the picture
                box->grab().save(rule.what + QLatin1String(".png"), "PNG");
                QFile file(rule.what);
                file.open(QIODevice::WriteOnly) && file.write(details->findChild<QTextBrowser *>()->toPlainText().toUtf8());
            }
        }
        // Pressed from a timer of its own: a box that the press opens in turn needs this one to have returned.
        QTimer::singleShot(0, box, [box, pressed] {
            pressed ? QTest::mouseClick(pressed, Qt::LeftButton) : box->reject();
        });
    }

    bool open(const QString &plugin)
    {
        // The library stays loaded: the leak checker wants its symbols at exit.
        void *library = dlopen(plugin.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        const auto create = library ? reinterpret_cast<KCModule *(*)(QWidget *, const char *)>(dlsym(library, "create_quorlan")) : nullptr;
        m_window = std::make_unique<QWidget>();
        m_module = create ? create(m_window.get(), "quorlan") : nullptr;
        if (!m_module) {
            m_transcript << "error: " << dlerror() << Qt::endl;
            return false;
        }
        if (!m_window->layout()) { // the module is its page; a module that holds one laid it into the window
            auto *layout = new QVBoxLayout(m_window.get());
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(ShellView::page(m_module));
        }
        ShellView::onChanged(m_module, this, [this](bool changed) { // what the shells' Apply follows
            if (std::exchange(m_changed, changed) != changed) {
                m_transcript << "changed: " << (changed ? "true" : "false") << Qt::endl;
            }
        });
        m_window->resize(640, 640);
        m_window->show();
        ShellView::open(m_module); // the first load, as in a shell's event loop
        return true;
    }

    QTextStream &m_transcript;
    std::unique_ptr<QWidget> m_window; // the shell's, holding the module and its page
    QPointer<KCModule> m_module;
    bool m_changed = false;
    QVector<Rule> m_answers, m_details, m_entries;
    QTimer m_boxTimer;
    QPointer<QDialog> m_lastBox;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // boxes come and go before the module's window exists
    alarm(100); // long enough for networking to restart on a loaded machine, yet a box nobody closes ends the run
    // The commands the module runs write to standard output too: the transcript keeps it and sends theirs to standard error.
    QFile transcriptFile;
    if (argc != 2 || !transcriptFile.open(dup(STDOUT_FILENO), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
        return 2;
    }
    QTextStream transcript(&transcriptFile); // all steps are read first: the module's commands share standard input
    const QStringList steps = QTextStream(stdin).readAll().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    Driver driver(transcript);
    for (const QString &line : steps) {
        if (!driver.step(QString::fromLocal8Bit(argv[1]), line.trimmed())) {
            return 1;
        }
        QCoreApplication::processEvents();
    }
    return 0;
}
