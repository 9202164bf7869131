// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QCoreApplication>
#include <QWidget>

#include <KCModule>

/// What a shell does with the module and sees of it: on Frameworks 5 the module is its own page and loads when first
/// shown; on 6 it holds its page and the shell loads it.
namespace ShellView
{
/// The page of the module, which holds every widget of it.
inline QWidget *page(KCModule *module)
{
#if QT_VERSION_MAJOR >= 6
    return module->widget();
#else
    return module;
#endif
}

/// Shows the page's window and lets the first load happen, as a shell's event loop does.
inline void open(KCModule *module)
{
    page(module)->window()->show();
#if QT_VERSION_MAJOR >= 6
    module->load();
#endif
    QCoreApplication::processEvents();
}

/// Takes the module's changes as saved, as a shell's Apply leaves them, so that the next change is told again.
inline void forgetChanges(KCModule *module)
{
#if QT_VERSION_MAJOR >= 6
    module->setNeedsSave(false);
#else
    Q_UNUSED(module) // told at every change
#endif
}

/// The polkit action whose password prompt the shell puts on Apply.
inline QString authActionName(KCModule *module)
{
#if QT_VERSION_MAJOR >= 6
    return module->authActionName();
#else
    return module->authAction().name();
#endif
}

/// Calls slot(bool) whenever the module tells the shell whether Apply would save anything (6 tells only when that changes).
template<typename Slot>
QMetaObject::Connection onChanged(KCModule *module, QObject *context, Slot slot)
{
#if QT_VERSION_MAJOR >= 6
    return QObject::connect(module, &KCModule::needsSaveChanged, context, [module, slot] {
        slot(module->needsSave());
    });
#else
    return QObject::connect(module, &KCModule::changed, context, slot);
#endif
}
}
