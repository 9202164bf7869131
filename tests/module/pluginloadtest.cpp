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

#include "samplesystem.h"
#include "systemroot.h"
#include "unprivilegedrun.h"

#include <dlfcn.h>
#include <memory>
#include <unistd.h>

/*
 * The plug-in as the shells see it: the built libkcm_quorlan.so, loaded from
 * the build tree. It links its own copy of the module's code, so the fake
 * shell and message recorder of a test do not reach into it. It is therefore
 * built in a child process on the sample system with the real shell back end:
 * the only command run while loading is the read-only Ethernet count, and the
 * sample system loads without any message box.
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
    return pluginsDir() + QStringLiteral("/plasma/kcms/systemsettings_qwidgets/libkcm_quorlan.so");
}

int expectedButtons()
{
    return getuid() == 0 ? int(KCModule::Help | KCModule::Apply) : int(KCModule::Help);
}

// The main panel is the plug-in's own class, unknown to qobject_cast here.
QWidget *mainPanel(const KCModule &module)
{
    const QList<QWidget *> children = module.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (qstrcmp(child->metaObject()->className(), "NetConfigPanel") == 0) {
            return child;
        }
    }
    return nullptr;
}

bool isEnabled(const KCModule &module, const char *widgetName)
{
    const auto *widget = module.findChild<QWidget *>(QLatin1String(widgetName));
    if (!widget) {
        qFatal("the module has no widget %s", widgetName);
    }
    return widget->isEnabled();
}

// The four tabs in order, editable for the superuser only. The Interfaces and
// DNS tabs have nothing to edit on a machine without Ethernet devices, and the
// count comes from this machine's own interface listing.
void checkTabs(const KCModule &module)
{
    const auto *tabs = module.findChild<QTabWidget *>(QStringLiteral("m_pTabWidget"));
    QVERIFY(tabs);
    QStringList labels;
    for (int i = 0; i < tabs->count(); ++i) {
        labels << tabs->tabText(i);
    }
    QCOMPARE(labels, (QStringList{QStringLiteral("Ide&ntification"), QStringLiteral("Interface&s"), QStringLiteral("&DNS"), QStringLiteral("W&ireless")}));

    const bool editable = getuid() == 0;
    const auto *devices = module.findChild<QComboBox *>(QStringLiteral("m_pComboBoxNI"));
    QVERIFY(devices);
    const bool anyDevice = devices->count() > 0;
    QCOMPARE(isEnabled(module, "m_pHostName"), editable);
    QCOMPARE(isEnabled(module, "m_pCheckBoxEnableNetwork"), editable && anyDevice);
    QCOMPARE(isEnabled(module, "m_pPbtnAdd"), editable && anyDevice);
    QCOMPARE(isEnabled(module, "LineEdit_1"), editable);
}
}

class PluginLoadTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metadataLetsTheShellsFindTheModule()
    {
        QVERIFY2(QFileInfo::exists(pluginPath()), qPrintable(pluginPath()));
        QCoreApplication::addLibraryPath(pluginsDir());

        const KPluginMetaData found = KPluginMetaData::findPluginById(QStringLiteral("plasma/kcms/systemsettings_qwidgets"), QStringLiteral("kcm_quorlan"));
        QVERIFY(found.isValid());
        QCOMPARE(QFileInfo(found.fileName()).canonicalFilePath(), QFileInfo(pluginPath()).canonicalFilePath());
        QCOMPARE(found.value(QStringLiteral("X-KDE-System-Settings-Parent-Category")), QStringLiteral("networksettings"));
        QCOMPARE(found.name(), QStringLiteral("Network Connection"));
        QVERIFY(!found.description().isEmpty());
        QVERIFY(!found.iconName().isEmpty());
    }

    void buildsTheModule_data()
    {
        QTest::addColumn<bool>("asNobody");

        QTest::newRow("the superuser gets Help and Apply") << false;
        QTest::newRow("an ordinary user gets Help only") << true;
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
        // Never closed: a Qt plug-in cannot be unloaded while its metaobjects are registered.
        void *library = dlopen(QFile::encodeName(pluginPath()).constData(), RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(library, dlerror());
        using CreateFunction = KCModule *(*)(QWidget *, const char *);
        const auto create = reinterpret_cast<CreateFunction>(dlsym(library, "create_quorlan"));
        QVERIFY(create);

        const std::unique_ptr<KCModule> module(create(nullptr, "quorlan"));
        QVERIFY(module);
        QCOMPARE(module->objectName(), QStringLiteral("quorlan"));
        QCOMPARE(int(module->buttons()), expectedButtons());
        QVERIFY(mainPanel(*module));
        QVERIFY(!mainPanel(*module)->isHidden());
        checkTabs(*module);
        if (QTest::currentTestFailed()) {
            return;
        }

        // The way System Settings and kcmshell5 build it.
        const auto built = KPluginFactory::instantiatePlugin<KCModule>(KPluginMetaData(pluginPath()));
        QVERIFY2(built, qPrintable(built.errorText));
        const std::unique_ptr<KCModule> viaFactory(built.plugin);
        QCOMPARE(int(viaFactory->buttons()), expectedButtons());
        QVERIFY(!mainPanel(*viaFactory)->isHidden());
        checkTabs(*viaFactory);
    }
};

QTEST_MAIN(PluginLoadTest)

#include "pluginloadtest.moc"
