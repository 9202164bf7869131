// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The plug-in's entry points: nothing but ways to build the same module.

#include <KPluginFactory>

#include "quorlan.h"

// System Settings, kcmshell5 and kcmshell6 find the module by its metadata and build it
// through the plug-in factory.
K_PLUGIN_CLASS_WITH_JSON(Quorlan, "kcm_quorlan.json")

// Shells that look the library up by symbol call this one. The translation
// domain is compiled in, so there is no catalogue left to add here.
extern "C" Q_DECL_EXPORT KCModule *create_quorlan(QWidget *parent, const char *name)
{
    return new Quorlan(parent, name);
}

#include "quorlanfactory.moc"
