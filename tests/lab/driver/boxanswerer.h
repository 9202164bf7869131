// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVector>

class QAbstractButton;
class QDialog;
class QTextStream;

/**
 * Answers the module's real message boxes as a user would: it watches for the
 * active modal dialog, writes what the box says to the transcript and presses
 * the button that the first matching rule names.
 *
 * A box that no rule matches gets its only button pressed; a question that no
 * rule matches gets No, and the transcript says that nobody answered it.
 * Folded details stay folded, and out of the box's text, unless a details
 * rule opens them. A dialog asking for text gets the next text given, or
 * Cancel when none is left.
 */
class BoxAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit BoxAnswerer(QTextStream &transcript);

    /// Every later box whose text contains textPart gets the button labelled button.
    void addRule(const QString &button, const QString &textPart);
    /// Every later box whose text contains textPart gets its details opened
    /// and written to the transcript before it is answered.
    void addDetailsRule(const QString &textPart);
    /// Every later box whose text contains textPart is saved as a PNG picture
    /// to path before it is answered (after its details are opened, if they are).
    void addPictureRule(const QString &path, const QString &textPart);
    /// The next dialog that asks for text gets this typed in before it is answered.
    void addEntry(const QString &text);

    /// The text of a box as the transcript writes it: its labels, line breaks as \n.
    static QString boxText(const QDialog &box);
    /// What kind of box it is: error, sorry, information or warningYesNo (a question).
    static QString boxKind(const QDialog &box);
    /// A button or tab label as the user reads it, without the accelerator mark.
    static QString plainLabel(const QString &label);

private:
    struct Rule {
        QString button;
        QString textPart;
    };

    void poll();
    void answer(QDialog *box);
    void openDetails(QDialog &box, const QList<QAbstractButton *> &buttons);
    QString ruleButton(const QString &text) const;
    static bool matches(const QStringList &textParts, const QString &text);
    static QAbstractButton *buttonLabelled(const QList<QAbstractButton *> &buttons, const QString &label);

    QTextStream &m_transcript;
    QVector<Rule> m_rules;
    QStringList m_detailsRules;
    QVector<Rule> m_pictureRules; ///< the button is the picture's path
    QStringList m_entries;
    QTimer m_timer;
    QPointer<QDialog> m_lastAnswered;
};
