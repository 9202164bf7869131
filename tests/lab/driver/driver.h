// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

class BoxAnswerer;
class KCModule;
class QTextStream;
class QWidget;

/**
 * Runs a scenario's steps against the built plug-in, as a user at a shell
 * would: it loads the library, builds the module through create_quorlan,
 * shows it, types into its fields, clicks its buttons and presses Apply.
 *
 * Steps, one per line ("#" starts a comment); NAME is a widget's object name:
 *   answer BUTTON TEXT   press BUTTON in every later box whose text contains TEXT
 *   details TEXT         open and write the details of every later box whose text contains TEXT
 *   picture FILE TEXT    save every later box whose text contains TEXT as a PNG picture
 *   enter TEXT           type TEXT into the next dialog that asks for text
 *   open                 build and show the module
 *   buttons              write the buttons the module asks the shell for
 *   show NAME            write what the widget shows
 *   type NAME TEXT       select all in the field and type TEXT (nothing clears it)
 *   click NAME           click a button, check box or radio button
 *   choose NAME TEXT     pick the first item starting with TEXT in a combo box
 *                        (with the arrow keys), a list or a tab widget (a click)
 *   apply                press the shell's Apply: save(), when it is offered and enabled
 *   save                 call save() whether Apply is offered or not
 * A widget on a hidden tab has its tab clicked first. The transcript gets the
 * shown values, each box and its answer, and every change of the module's
 * "changed" state. The first step that cannot be done ends the run.
 */
class Driver : public QObject
{
    Q_OBJECT

public:
    Driver(const QString &pluginPath, QTextStream &transcript, BoxAnswerer &answerer);
    ~Driver() override;
    Driver(const Driver &) = delete;
    Driver &operator=(const Driver &) = delete;

    /// Runs the steps in order; false when one could not be done.
    bool run(const QStringList &steps);
    /// Writes the state of every named widget of the module.
    void dumpWidgets(QTextStream &to) const;

private:
    bool runStep(const QString &step);
    bool open();
    void writeButtons();
    void apply();
    bool show(const QString &name);
    bool type(const QString &name, const QString &text);
    bool click(const QString &name);
    bool choose(const QString &name, const QString &text);

    QWidget *find(const QString &name);
    QWidget *findUsable(const QString &name);
    void bringToFront(QWidget *widget);
    void moduleChanged(bool changed);
    void fail(const QString &why);

    QString m_pluginPath;
    QTextStream &m_transcript;
    BoxAnswerer &m_answerer;
    QPointer<KCModule> m_module;
    bool m_changed = false;
};
