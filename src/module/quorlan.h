// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QVariantList>

#include <KCModule>

#include <memory>

class NetConfigPanel;

/**
 * The control module that the shells load: one page, the main panel, which
 * holds the network settings. The superuser gets Help and Apply and an
 * editable page; anyone else, and anyone on a system that lacks a program
 * the module runs, gets Help only and a read-only page.
 *
 * Like every KCModule it loads when the shell first shows it, and again at
 * each load() or defaults() of the shell. Built for KDE Frameworks 5 the
 * module is the page; for Frameworks 6 it is a QObject that holds the page
 * in widget(). The two differ here and nowhere else in the module.
 */
class Quorlan : public KCModule
{
    Q_OBJECT

public:
#if QT_VERSION_MAJOR >= 6
    /// The constructor that KPluginFactory calls (System Settings, kcmshell6).
    Quorlan(QObject *parent, const KPluginMetaData &data);
#else
    /// The constructor that KPluginFactory calls (System Settings, kcmshell5).
    Quorlan(QWidget *parent, const QVariantList &args);
    QString quickHelp() const override;
#endif
    /// The constructor of the old entry point; name becomes the object name.
    Quorlan(QWidget *parent, const char *name);
    ~Quorlan() override;

    void load() override;
    void save() override;
    void defaults() override;

protected Q_SLOTS:
    void moduleChanged(bool changed);

private:
#if QT_VERSION_MAJOR >= 6
    Quorlan(QObject *parent, const KPluginMetaData &data, std::unique_ptr<QWidget> window);
#endif
    /// Where the panel goes: the module itself, or the page it holds.
    QWidget *page();
    void buildPage();
    /// An ordinary user whom polkit lets start the root helper, with a password or without.
    static bool mayApplyThroughHelper();
    void applyThroughHelper();

    NetConfigPanel *m_panel = nullptr;
    bool m_mayApply = false;
    /// The window of the page when the module was made without a parent
    /// widget to lay its page into; it dies with the module.
    std::unique_ptr<QWidget> m_ownWindow;
};
