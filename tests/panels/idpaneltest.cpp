// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>

#include <KLineEdit>

#include "addrow.h"
#include "config/basicnetcfg.h"
#include "messagerecorder.h"
#include "panels/idpanel.h"

namespace
{
QColor disabledText(const QWidget *widget)
{
    return widget->palette().color(QPalette::Disabled, QPalette::Text);
}

// Counts the palette changes of the widgets it watches.
struct PaletteChanges : QObject {
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::PaletteChange;
        return false;
    }
    int count = 0;
};
}

class IDPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalsOncePerEditBurstAndAppliesEdits()
    {
        IDPanel panel;
        QSignalSpy spy(&panel, &IDPanel::panelChanged);
        QTest::keyClicks(panel.m_pDomain, QStringLiteral("x")); // before the first load: no edit
        BasicNetCfg config{QStringLiteral("box"), QStringLiteral("example.org")};
        panel.loadSettings(&config);
        QCOMPARE(panel.m_pHostName->text() + QLatin1Char(' ') + panel.m_pDomain->text(), QStringLiteral("box example.org"));
        QVERIFY(spy.isEmpty() && !panel.isChanged());

        QTest::keyClicks(panel.m_pDomain, QStringLiteral("abc"));
        QTest::keyClicks(panel.m_pHostName, QStringLiteral("def"));
        QVERIFY(panel.isChanged());
        panel.loadSettings(&config);
        config.domain = QStringLiteral("example.net");
        panel.loadSettings(&config); // new text, yet no edit
        QTest::keyClicks(panel.m_pHostName, QStringLiteral("g"));
        // Only an edited tab writes the record.
        panel.setChangedFlag(false);
        panel.applySettings();
        QCOMPARE(config.hostName, QStringLiteral("box"));
        panel.setChangedFlag(true);
        panel.applySettings();
        QCOMPARE(config.hostName + QLatin1Char(' ') + config.domain, QStringLiteral("boxg example.net"));
        panel.loadSettings(&config);
        panel.setChangedFlag(true);
        QTest::keyClicks(panel.m_pDomain, QStringLiteral("h"));
        QStringList signalled;
        for (const QList<QVariant> &arguments : std::as_const(spy)) {
            signalled << arguments.at(0).toString();
        }
        QCOMPARE(signalled.join(QLatin1Char(' ')), QStringLiteral("true false true false"));
    }

    void validatesTheRecordsHostName_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");

        addRow("a single blank passes", " ", " ", "");
        addRow("an empty host name is refused", "", "", "Please specify a valid Host name!");
        addRow("the record counts, not the entry", "", "box", "Please specify a valid Host name!");
    }

    void validatesTheRecordsHostName()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        MessageRecorder messages;
        IDPanel panel;
        BasicNetCfg config{recorded, QString()};
        panel.loadSettings(&config);
        panel.m_pHostName->setText(typed);

        QCOMPARE(panel.validSettings(), message.isEmpty());
        QCOMPARE(messages.texts().join(QString()), message);
        for (const MessageRecorder::Shown &box : std::as_const(messages.shown)) {
            QVERIFY(box.kind == Messages::Kind::Error && box.caption == QLatin1String("TCP/IP") && box.parent == &panel);
        }
    }

    // Read-only, the entries are disabled, their text drawn in the background darkened.
    void readOnlyKeepsTextLegible()
    {
        const auto restorePalette = qScopeGuard([original = QApplication::palette()] {
            QApplication::setPalette(original);
        });
        IDPanel panel(nullptr, nullptr, true);
        for (const QWidget *entry : {panel.m_pHostName, panel.m_pDomain}) {
            QVERIFY(!entry->isEnabled());
            QCOMPARE(disabledText(entry), entry->palette().color(QPalette::Disabled, QPalette::Window).darker(300));
        }

        // A new colour scheme is followed at the next paint; painting again must
        // leave the palette alone, or every paint would schedule another one.
        QPalette scheme = QApplication::palette();
        scheme.setColor(QPalette::Disabled, QPalette::Window, QColor(0x30, 0x90, 0xc0));
        QApplication::setPalette(scheme);
        panel.grab();
        PaletteChanges changes;
        panel.m_pHostName->installEventFilter(&changes);
        panel.grab();
        QCOMPARE(changes.count, 0);
        QCOMPARE(disabledText(panel.m_pHostName), QColor(0x30, 0x90, 0xc0).darker(300));
        QCOMPARE(disabledText(panel.m_pDomain), QColor(0x30, 0x90, 0xc0).darker(300));

        panel.setReadOnly(false);
        QVERIFY(panel.m_pHostName->isEnabled() && panel.m_pDomain->isEnabled());
        panel.setReadOnly(true);
        QVERIFY(!panel.m_pHostName->isEnabled() && !panel.m_pDomain->isEnabled());
    }
};

QTEST_MAIN(IDPanelTest)
#include "idpaneltest.moc"
