// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

#include <KGuiItem>

class QWidget;

/**
 * The message boxes of the module: failures, refusals, notices and Yes/No questions.
 *
 * All of them go through one back end so that tests can record what the user
 * would have been shown and answer the questions, without a modal dialog.
 */
class Messages
{
public:
    enum class Kind {
        Error,
        Sorry,
        Information,
        WarningYesNo,
    };
    enum class Answer {
        Yes,
        No,
    };

    /// One box as the module asks for it.
    struct Box {
        Kind kind;
        QString text;
        QString caption;
        KGuiItem yes; ///< the buttons of a question
        KGuiItem no;
        QString details; ///< plain text folded under a question, for the user to open; empty for none
    };

    class Backend
    {
    public:
        virtual ~Backend() = default;
        /// Shows one box; the answer matters for questions only.
        virtual Answer show(QWidget *parent, const Box &box) = 0;
    };

    /// The caption of the boxes of the module and its network tabs.
    static QString networkCaption();

    static void error(QWidget *parent, const QString &text, const QString &caption);
    /// A refusal: the user asked for something that cannot be done (warning icon, one button).
    static void sorry(QWidget *parent, const QString &text, const QString &caption);
    static void information(QWidget *parent, const QString &text, const QString &caption);
    /// A question; only Yes goes on. Closing the box counts as No. Details
    /// (plain text, kept folded until the user opens them) only when not empty.
    static Answer warningYesNo(QWidget *parent, const QString &text, const QString &caption, const QString &details = QString());
    static Answer warningYesNo(QWidget *parent, const QString &text, const QString &caption, const KGuiItem &yes, const KGuiItem &no);

    /// Installs a back end for tests; nullptr puts the real boxes back. Not owned.
    static void setBackend(Backend *backend);
};
