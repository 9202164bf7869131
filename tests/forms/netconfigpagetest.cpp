// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTabWidget>
#include <QTest>

#include "fakeshell.h"
#include "forms/netconfigpage.h"
#include "messagerecorder.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "systemroot.h"

class NetConfigPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesTheForm_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("objectName");

        QTest::newRow("no name given: the class's name") << QByteArray() << QStringLiteral("NetConfigPage");
        QTest::newRow("a given name is kept") << QByteArray("page") << QStringLiteral("page");
    }

    void namesTheForm()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, objectName);
        SystemRoot root;
        FakeShell shell;
        MessageRecorder messages;

        const NetConfigPage page(nullptr, name.isNull() ? nullptr : name.constData());

        QCOMPARE(page.objectName(), objectName);
        QCOMPARE(page.windowTitle(), QStringLiteral("Network Configuration"));
    }

    void putsEachPanelOnItsOwnTab()
    {
        SystemRoot root;
        FakeShell shell;
        MessageRecorder messages;
        const NetConfigPage page;
        const QTabWidget *tabs = page.m_pTabWidget;

        const QList<QWidget *> panels{page.m_pIDPanel, page.m_pIPPanel, page.m_pDNSPanel, page.m_wireless};
        const QStringList labels{QStringLiteral("Ide&ntification"), QStringLiteral("Interface&s"), QStringLiteral("&DNS"), QStringLiteral("W&ireless")};
        const QStringList pages{QStringLiteral("tab"), QStringLiteral("tab_2"), QStringLiteral("tab_3"), QStringLiteral("tab_4")};
        const QStringList names{QStringLiteral("m_pIDPanel"), QStringLiteral("m_pIPPanel"), QStringLiteral("m_pDNSPanel"), QStringLiteral("m_wireless")};
        QCOMPARE(tabs->count(), 4);
        for (int i = 0; i < tabs->count(); ++i) {
            QCOMPARE(tabs->tabText(i), labels.at(i));
            QCOMPARE(tabs->widget(i)->objectName(), pages.at(i));
            QCOMPARE(panels.at(i)->parentWidget(), tabs->widget(i));
            QCOMPARE(panels.at(i)->objectName(), names.at(i));
        }
        QCOMPARE(tabs->currentIndex(), 0);
        // Built editable: the module decides the mode once it knows the user.
        QVERIFY(!page.m_pIDPanel->isReadOnly());
        QVERIFY(!page.m_pIPPanel->isReadOnly());
        QVERIFY(!page.m_pDNSPanel->isReadOnly());
        QVERIFY(!page.m_wireless->isReadOnly());
    }

    void nothingIsCutOffAtTheSizeTheShellsGive()
    {
        SystemRoot root;
        FakeShell shell;
        MessageRecorder messages;
        NetConfigPage page;
        page.resize(page.sizeHint());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            page.m_pTabWidget->setCurrentIndex(i);
            const QWidget *tab = page.m_pTabWidget->widget(i);
            const QWidget *panel = tab->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly).value(0);
            QVERIFY(panel);
            QVERIFY2(tab->rect().contains(panel->geometry()), qPrintable(tab->objectName()));
            for (const QWidget *child : panel->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
                if (child->isVisibleTo(panel)) {
                    QVERIFY2(panel->rect().contains(child->geometry()), qPrintable(panel->objectName() + QLatin1Char('/') + child->objectName()));
                }
            }
        }
    }
};

QTEST_MAIN(NetConfigPageTest)

#include "netconfigpagetest.moc"
