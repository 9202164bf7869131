// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "boxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextStream>

#include <KCollapsibleGroupBox>

#include <algorithm>

namespace
{
// Long enough for the unfolding to be drawn to its end.
const int UnfoldMs = 500;

bool inDetails(const QWidget &widget)
{
    for (const QWidget *parent = widget.parentWidget(); parent; parent = parent->parentWidget()) {
        if (qobject_cast<const KCollapsibleGroupBox *>(parent)) {
            return true;
        }
    }
    return false;
}

// The details as the user reads them, whichever widget the box chose for their length.
QString detailsText(const KCollapsibleGroupBox &group)
{
    if (const auto *browser = group.findChild<QTextBrowser *>()) {
        return browser->toPlainText();
    }
    QTextDocument document;
    if (const auto *label = group.findChild<QLabel *>()) {
        document.setHtml(label->text());
    }
    return document.toPlainText();
}
}

BoxAnswerer::BoxAnswerer(QTextStream &transcript)
    : m_transcript(transcript)
{
    // A box runs its own event loop, so the timer keeps firing while the
    // module waits for the answer.
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
    m_timer.start();
}

void BoxAnswerer::addRule(const QString &button, const QString &textPart)
{
    m_rules.append({button, textPart});
}

void BoxAnswerer::addDetailsRule(const QString &textPart)
{
    m_detailsRules.append(textPart);
}

void BoxAnswerer::addPictureRule(const QString &path, const QString &textPart)
{
    m_pictureRules.append({path, textPart});
}

void BoxAnswerer::addEntry(const QString &text)
{
    m_entries.append(text);
}

QString BoxAnswerer::boxText(const QDialog &box)
{
    QStringList texts;
    const QList<QLabel *> labels = box.findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        // The icon is a label too, with a picture and no text.
        if (!label->text().isEmpty() && !inDetails(*label)) {
            texts.append(label->text());
        }
    }
    return texts.join(QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

QString BoxAnswerer::boxKind(const QDialog &box)
{
    // The toolkit names its boxes after the call that made them; the
    // questions' names have changed over the releases.
    const QString name = box.objectName();
    return name.startsWith(QLatin1String("warning")) ? QStringLiteral("warningYesNo") : name;
}

QString BoxAnswerer::plainLabel(const QString &label)
{
    return QString(label).remove(QLatin1Char('&'));
}

void BoxAnswerer::poll()
{
    auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (box && box != m_lastAnswered && box->isVisible()) {
        answer(box);
    }
}

void BoxAnswerer::answer(QDialog *box)
{
    m_lastAnswered = box;
    const QString text = boxText(*box);
    QList<QAbstractButton *> buttons;
    const QList<QAbstractButton *> children = box->findChildren<QAbstractButton *>();
    for (QAbstractButton *button : children) {
        if (button->isVisible()) {
            buttons.append(button);
        }
    }
    QString note;
    QString rule = ruleButton(text);
    auto *entry = box->findChild<QLineEdit *>();
    if (entry && entry->isVisible()) {
        // A dialog that asks for text and has nothing left to be given is given up.
        if (m_entries.isEmpty()) {
            rule = QStringLiteral("Cancel");
        } else {
            entry->selectAll();
            entry->del();
            QTest::keyClicks(entry, m_entries.takeFirst());
            note = QStringLiteral(" (typed \"%1\")").arg(entry->text());
        }
    }
    QAbstractButton *pressed = buttonLabelled(buttons, rule);
    if (!pressed && buttons.size() == 1) {
        pressed = buttons.first();
    } else if (!pressed) {
        note = QStringLiteral(" (nobody answered it)");
        pressed = buttonLabelled(buttons, QStringLiteral("No"));
    }
    const QString label = pressed ? plainLabel(pressed->text()) : QStringLiteral("nothing to press");
    m_transcript << "box " << boxKind(*box) << " \"" << box->windowTitle() << "\": " << text << " -> " << label << note << Qt::endl;
    if (matches(m_detailsRules, text)) {
        openDetails(*box, buttons);
    }
    for (const Rule &rule : std::as_const(m_pictureRules)) {
        if (text.contains(rule.textPart) && !box->grab().save(rule.button, "PNG")) {
            m_transcript << "error: cannot save a picture of the box to " << rule.button << Qt::endl;
        }
    }
    if (pressed) {
        // Pressed from a timer of its own: a box that the press opens in turn
        // needs this poll to have returned before it can be answered.
        QTimer::singleShot(0, pressed, [pressed] {
            QTest::mouseClick(pressed, Qt::LeftButton);
        });
    } else {
        box->reject();
    }
}

void BoxAnswerer::openDetails(QDialog &box, const QList<QAbstractButton *> &buttons)
{
    auto *group = box.findChild<KCollapsibleGroupBox *>();
    if (!group) {
        m_transcript << "error: the box has no details" << Qt::endl;
        return;
    }
    group->expand();
    QTest::qWait(UnfoldMs);
    QStringList labels;
    for (const QAbstractButton *button : buttons) {
        labels << plainLabel(button->text());
    }
    m_transcript << "opened " << plainLabel(group->title()) << (group->isExpanded() ? "" : " (still folded)") << " above the buttons "
                 << labels.join(QLatin1Char(' ')) << ":" << Qt::endl;
    m_transcript << detailsText(*group) << Qt::endl << "end of details" << Qt::endl;
}

bool BoxAnswerer::matches(const QStringList &textParts, const QString &text)
{
    return std::any_of(textParts.begin(), textParts.end(), [&text](const QString &part) {
        return text.contains(part);
    });
}

QString BoxAnswerer::ruleButton(const QString &text) const
{
    for (const Rule &rule : m_rules) {
        if (text.contains(rule.textPart)) {
            return rule.button;
        }
    }
    return QString();
}

QAbstractButton *BoxAnswerer::buttonLabelled(const QList<QAbstractButton *> &buttons, const QString &label)
{
    if (label.isEmpty()) {
        return nullptr;
    }
    for (QAbstractButton *button : buttons) {
        if (plainLabel(button->text()).compare(label, Qt::CaseInsensitive) == 0) {
            return button;
        }
    }
    return nullptr;
}
