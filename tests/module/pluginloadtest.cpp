// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QComboBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTabWidget>
#include <QTest>

#include <KCModule>
#include <KPluginFactory>
#include <KPluginMetaData>

#include "addrow.h"
#include "samplesystem.h"
#include "systemroot.h"
#include "unprivilegedrun.h"

#include <dlfcn.h>
#include <memory>

/*
 * The plug-in as the shells see it: the built libkcm_quorlan.so, loaded from
 * the build tree. It links its own copy of the module's code, so the fakes of a
 * test do not reach into it: it is built in a child process on the sample
 * system with the real shell back end, whose only command at load is the
 * read-only Ethernet count.
 */

namespace
{
QString pluginsDir()
{
    // Test binaries live in <build>/bin, plug-ins in <build>/plugins.
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins");
}

QString pluginPath()
{
    return QFileInfo(pluginsDir() + QStringLiteral("/plasma/kcms/systemsettings_qwidgets/libkcm_quorlan.so")).canonicalFilePath();
}

// The buttons, the tabs, and E or - for whether the user can edit the host name, the
// Enable box, the Add button and the network name. The middle two are left out
// without an Ethernet device, which this machine's own interface listing may lack.
QString seen(const KCModule &module)
{
    QStringList words{QString::number(int(module.buttons()))};
    const auto *tabs = module.findChild<QTabWidget *>(QStringLiteral("m_pTabWidget"));
    for (int i = 0; tabs && tabs->isVisibleTo(&module) && i < tabs->count(); ++i) {
        words << tabs->tabText(i);
    }
    const bool anyDevice = module.findChild<QComboBox *>(QStringLiteral("m_pComboBoxNI"))->count() > 0;
    for (const char *name : {"m_pHostName", "m_pCheckBoxEnableNetwork", "m_pPbtnAdd", "LineEdit_1"}) {
        if (anyDevice || name[3] == 'H' || name[3] == 'E') {
            words << (module.findChild<QWidget *>(QLatin1String(name))->isEnabled() ? QStringLiteral("E") : QStringLiteral("-"));
        }
    }
    return words.join(QLatin1Char(' '));
}
}

class PluginLoadTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void buildsTheModule_data()
    {
        QTest::addColumn<bool>("asNobody");
        addRow("the superuser gets Help and Apply", false);
        addRow("an ordinary user gets Help only, every tab read-only", true);
    }

    void buildsTheModule()
    {
        QFETCH(bool, asNobody);
        if (!asNobody && !UnprivilegedRun::isRoot()) {
            QSKIP("only root can be the superuser");
        }
        SystemRoot root;
        SampleSystem::copyInto(root);
        UnprivilegedRun::openTree(root.path(QString()));
        QCOMPARE(UnprivilegedRun::runTestFunction(QStringLiteral("buildsTheModuleHere"), asNobody && UnprivilegedRun::isRoot()), 0);
    }

    void buildsTheModuleHere()
    {
        if (!UnprivilegedRun::isChild()) {
            QSKIP("the child process of buildsTheModule");
        }
        const bool root = UnprivilegedRun::isRoot();
        QString expected =
            QString::number(int(root ? KCModule::Help | KCModule::Apply : KCModule::Help)) + QLatin1String(" Ide&ntification Interface&s &DNS W&ireless");
        // Never closed: a Qt plug-in cannot be unloaded while its metaobjects are registered.
        void *library = dlopen(QFile::encodeName(pluginPath()).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(library, dlerror());
        const auto create = reinterpret_cast<KCModule *(*)(QWidget *, const char *)>(dlsym(library, "create_quorlan"));
        QVERIFY(create);
        const std::unique_ptr<KCModule> module(create(nullptr, "quorlan"));
        QCOMPARE(module->objectName(), QStringLiteral("quorlan"));
        const int marks = module->findChild<QComboBox *>(QStringLiteral("m_pComboBoxNI"))->count() > 0 ? 4 : 2;
        expected += QString(QLatin1String(root ? " E" : " -")).repeated(marks);
        QCOMPARE(seen(*module), expected);

        // The way System Settings and kcmshell5 find and build it.
        QCoreApplication::addLibraryPath(pluginsDir());
        const KPluginMetaData found = KPluginMetaData::findPluginById(QStringLiteral("plasma/kcms/systemsettings_qwidgets"), QStringLiteral("kcm_quorlan"));
        QCOMPARE(
            QStringList({QFileInfo(found.fileName()).canonicalFilePath(), found.name(), found.value(QStringLiteral("X-KDE-System-Settings-Parent-Category"))}),
            QStringList({pluginPath(), QStringLiteral("Network Connection"), QStringLiteral("networksettings")}));
        const auto built = KPluginFactory::instantiatePlugin<KCModule>(found);
        QVERIFY2(built, qPrintable(built.errorText));
        const std::unique_ptr<KCModule> viaFactory(built.plugin);
        QCOMPARE(seen(*viaFactory), expected);
    }
};

QTEST_MAIN(PluginLoadTest)

#include "pluginloadtest.moc"
