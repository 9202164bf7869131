// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// Opens a control module as the control center does, through its factory
// function and its load, and quits: the whole process is what the benchmark times, once
// with the module and once with an empty one. Usage: moduleopen <plug-in>

#include <QApplication>
#include <QLibrary>

#include <KCModule>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    using Factory = KCModule *(*)(QWidget *, const char *);
    const auto create = reinterpret_cast<Factory>(QLibrary::resolve(app.arguments().value(1), "create_quorlan"));
    if (!create) {
        std::fprintf(stderr, "no create_quorlan in %s\n", qPrintable(app.arguments().value(1)));
        return 1;
    }
    std::unique_ptr<KCModule> module(create(nullptr, "quorlan"));
    if (!module) {
        return 1;
    }
    module->load();
    return 0;
}
