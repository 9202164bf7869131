// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QTabWidget>
#include <QTest>

#include "fakeshell.h"
#include "messagerecorder.h"
#include "module/netconfigpage.h"
#include "panels/dnspanel.h"
#include "panels/idpanel.h"
#include "panels/ippanel.h"
#include "panels/wireless.h"
#include "systemroot.h"

class NetConfigPageTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each panel on its own tab, in order, the first shown; none cut off at the size the shells give.
    void showsEachPanelWholeOnItsTab()
    {
        SystemRoot root;
        FakeShell shell;
        MessageRecorder messages;
        NetConfigPage page;
        page.resize(page.sizeHint());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));

        QCOMPARE(page.m_pTabWidget->currentIndex(), 0);
        const QList<QWidget *> panels{page.m_pIDPanel, page.m_pIPPanel, page.m_pDNSPanel, page.m_wireless};
        QCOMPARE(page.m_pTabWidget->count(), panels.size());
        for (int i = 0; i < page.m_pTabWidget->count(); ++i) {
            page.m_pTabWidget->setCurrentIndex(i);
            const QWidget *tab = page.m_pTabWidget->widget(i);
            const QWidget *panel = panels.at(i);
            QCOMPARE(panel->parentWidget(), tab);
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
