// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QVariantList>

#include <KCModule>

class NetConfigPanel;

/**
 * The control module that the shells load: one page, the main panel, which
 * holds the network settings. The superuser gets Help and Apply and an
 * editable page; anyone else, and anyone on a system that lacks a program
 * the module runs, gets Help only and a read-only page.
 *
 * Like every KCModule it loads when it is first shown, and again at each
 * load() or defaults() of the shell.
 */
class Quorlan : public KCModule
{
    Q_OBJECT

public:
    /// The constructor that KPluginFactory calls (System Settings, kcmshell5).
    Quorlan(QWidget *parent, const QVariantList &args);
    /// The constructor of the old entry point; name becomes the object name.
    Quorlan(QWidget *parent, const char *name);

    void load() override;
    void save() override;
    void defaults() override;
    QString quickHelp() const override;

protected Q_SLOTS:
    void moduleChanged(bool changed);

private:
    NetConfigPanel *m_panel;
    bool m_mayApply = false;
};
