// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

// The built libkcm_quorlan.so as the shells load it. It links its own copy of the
// module's code, so the fakes of a test do not reach into it: it is built in a child
// process on the sample system with the real shell back end, as root and as nobody.

#include <QCoreApplication>
#include <QTest>

#include <KCModule>
#include <KPluginMetaData>

#include "addrow.h"
#include "systemroot.h"
#include "unprivilegedrun.h"

#include <dlfcn.h>
#include <memory>

namespace
{
QString pluginPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins/plasma/kcms/systemsettings_qwidgets/libkcm_quorlan.so");
}
}

class PluginLoadTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsItselfUnderNetworkSettings()
    {
        const KPluginMetaData metaData(pluginPath());
        QCOMPARE(QStringList({metaData.pluginId(), metaData.name(), metaData.value(QStringLiteral("X-KDE-System-Settings-Parent-Category"))}),
                 QStringList({QStringLiteral("kcm_quorlan"), QStringLiteral("Network Connection"), QStringLiteral("networksettings")}));
    }

    void buildsTheModule_data()
    {
        QTest::addColumn<bool>("asNobody");
        addRow("the superuser gets Help and Apply", false);
        addRow("an ordinary user gets Help only, every tab read-only", true);
    }

    void buildsTheModule()
    {
        QFETCH(bool, asNobody);
        if (!UnprivilegedRun::isRoot()) {
            QSKIP("only root can be both the superuser and nobody");
        }
        SystemRoot root;
        root.copySample();
        UnprivilegedRun::openTree(root.path(QString()));
        QCOMPARE(UnprivilegedRun::runTestFunction(QStringLiteral("buildsTheModuleHere"), asNobody), 0);
    }

    void buildsTheModuleHere()
    {
        if (!UnprivilegedRun::isChild()) {
            QSKIP("the child process of buildsTheModule");
        }
        // Never closed: a Qt plug-in cannot be unloaded while its metaobjects are registered.
        void *library = dlopen(QFile::encodeName(pluginPath()).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(library, dlerror());
        const auto create = reinterpret_cast<KCModule *(*)(QWidget *, const char *)>(dlsym(library, "create_quorlan"));
        QVERIFY(create);
        const std::unique_ptr<KCModule> module(create(nullptr, "quorlan"));
        const bool root = UnprivilegedRun::isRoot();
        QCOMPARE(module->objectName(), QStringLiteral("quorlan"));
        QCOMPARE(int(module->buttons()), int(root ? KCModule::Help | KCModule::Apply : KCModule::Help));
        QCOMPARE(module->findChild<QWidget *>(QStringLiteral("m_pHostName"))->isEnabled(), root);
        QCOMPARE(module->findChild<QWidget *>(QStringLiteral("m_pCheckBoxEnableNetwork"))->isEnabled(), root);
    }
};

QTEST_MAIN(PluginLoadTest)

#include "pluginloadtest.moc"
