// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <KLineEdit>

#include "config/basicnetcfg.h"
#include "messagerecorder.h"
#include "panels/idpanel.h"
#include "systemroot.h"

namespace
{
BasicNetCfg identity(const QString &hostName = QStringLiteral("box"), const QString &domain = QStringLiteral("example.org"))
{
    BasicNetCfg config;
    config.hostName = hostName;
    config.domain = domain;
    return config;
}

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

QColor darkenedBackground(const QWidget *widget)
{
    return widget->palette().color(QPalette::Disabled, QPalette::Window).darker(300);
}
}

class IDPanelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void signalsOncePerEditBurst_data()
    {
        QTest::addColumn<QString>("field");

        QTest::newRow("typing into the computer name") << QStringLiteral("m_pHostName");
        QTest::newRow("typing into the domain") << QStringLiteral("m_pDomain");
    }

    void signalsOncePerEditBurst()
    {
        QFETCH(QString, field);
        IDPanel panel;
        auto *entry = panel.findChild<KLineEdit *>(field);
        QSignalSpy spy(&panel, &IDPanel::panelChanged);
        QTest::keyClicks(entry, QStringLiteral("x"));
        QVERIFY2(!panel.isChanged() && spy.isEmpty(), "typing before the first load is no edit");

        BasicNetCfg config = identity();
        panel.loadSettings(&config);
        QVERIFY(spy.isEmpty());
        QCOMPARE(panel.m_pHostName->text(), QStringLiteral("box"));
        QCOMPARE(panel.m_pDomain->text(), QStringLiteral("example.org"));

        QTest::keyClicks(entry, QStringLiteral("abc"));
        QTest::keyClicks(panel.m_pHostName, QStringLiteral("def"));
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        QVERIFY(panel.isChanged());

        panel.loadSettings(&config);
        QCOMPARE(spy.size(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
        QCOMPARE(entry->text(), field == QLatin1String("m_pDomain") ? QStringLiteral("example.org") : QStringLiteral("box"));
        panel.loadSettings(&config);
        QCOMPARE(spy.size(), 2);

        panel.setChangedFlag(true);
        QCOMPARE(spy.size(), 2);
        QTest::keyClicks(entry, QStringLiteral("g"));
        QCOMPARE(spy.size(), 2);
    }

    void appliesOnlyWhenChanged_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<QString>("domain");

        QTest::newRow("edited panel stores both entries") << true << QStringLiteral("boxy") << QStringLiteral("example.orgz");
        QTest::newRow("unchanged panel leaves the record alone") << false << QStringLiteral("box") << QStringLiteral("example.org");
    }

    void appliesOnlyWhenChanged()
    {
        QFETCH(bool, changed);
        QFETCH(QString, hostName);
        QFETCH(QString, domain);
        IDPanel panel;
        BasicNetCfg config = identity();
        panel.loadSettings(&config);
        QTest::keyClicks(panel.m_pHostName, QStringLiteral("y"));
        QTest::keyClicks(panel.m_pDomain, QStringLiteral("z"));
        panel.setChangedFlag(changed);

        panel.applySettings();
        QCOMPARE(config.hostName, hostName);
        QCOMPARE(config.domain, domain);
        QCOMPARE(panel.isChanged(), changed);
    }

    void validatesTheRecordsHostName_data()
    {
        QTest::addColumn<QString>("recorded");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("valid");

        QTest::newRow("a single blank passes") << QStringLiteral(" ") << QStringLiteral(" ") << true;
        QTest::newRow("an empty host name is refused") << QString() << QString() << false;
        QTest::newRow("the record counts, not the entry") << QString() << QStringLiteral("box") << false;
    }

    void validatesTheRecordsHostName()
    {
        QFETCH(QString, recorded);
        QFETCH(QString, typed);
        QFETCH(bool, valid);
        MessageRecorder messages;
        IDPanel panel;
        BasicNetCfg config = identity(recorded, QString());
        panel.loadSettings(&config);
        panel.m_pHostName->setText(typed);
        config.hostName = recorded;

        QCOMPARE(panel.validSettings(), valid);
        QCOMPARE(messages.texts(), valid ? QStringList() : QStringList{QStringLiteral("Please specify a valid Host name!")});
        if (!valid) {
            QCOMPARE(int(messages.shown.first().kind), int(Messages::Kind::Error));
            QCOMPARE(messages.shown.first().caption, QStringLiteral("TCP/IP"));
            QCOMPARE(messages.shown.first().parent, &panel);
        }
    }

    void readOnlyKeepsTextLegible()
    {
        IDPanel panel(nullptr, "IDPanel", true);
        QCOMPARE(panel.objectName(), QStringLiteral("IDPanel"));
        for (QWidget *entry : {static_cast<QWidget *>(panel.m_pHostName), static_cast<QWidget *>(panel.m_pDomain)}) {
            QVERIFY(!entry->isEnabled());
            QCOMPARE(disabledText(entry), darkenedBackground(entry));
            QVERIFY(disabledText(entry) != entry->palette().color(QPalette::Disabled, QPalette::Window));
        }

        panel.m_pHostName->setEnabled(true);
        panel.setReadOnly(true);
        QVERIFY2(panel.m_pHostName->isEnabled(), "the same value changes nothing");
        panel.setReadOnly(false);
        QVERIFY(panel.m_pHostName->isEnabled() && panel.m_pDomain->isEnabled());
        panel.setReadOnly(true);
        QVERIFY(!panel.m_pHostName->isEnabled() && !panel.m_pDomain->isEnabled());
    }

    void repaintFollowsANewBackground()
    {
        const QPalette original = QApplication::palette();
        IDPanel panel(nullptr, nullptr, true);
        QPalette scheme = original;
        scheme.setColor(QPalette::Disabled, QPalette::Window, QColor(0x30, 0x90, 0xc0));
        QApplication::setPalette(scheme);
        QCOMPARE(panel.m_pDomain->palette().color(QPalette::Disabled, QPalette::Window), QColor(0x30, 0x90, 0xc0));

        panel.grab();
        const QColor expected = QColor(0x30, 0x90, 0xc0).darker(300);
        QCOMPARE(disabledText(panel.m_pHostName), expected);
        QCOMPARE(disabledText(panel.m_pDomain), expected);

        // Painting again must leave the palette as it is: a fix that darkened its own
        // result would change the palette, and so schedule another paint, forever.
        PaletteChanges changes;
        panel.m_pHostName->installEventFilter(&changes);
        panel.grab();
        QCOMPARE(changes.count, 0);
        QCOMPARE(disabledText(panel.m_pHostName), expected);
        QApplication::setPalette(original);
    }

    void loadsIdentityReadFromTheSystem()
    {
        SystemRoot root;
        root.write(QStringLiteral("/etc/hostname"), "  myhost \t\nother\n");
        root.write(QStringLiteral("/etc/resolv.conf"), "nameserver 10.0.0.1\ndomain\tlan.example.org \n");
        BasicNetCfg config;
        QVERIFY(config.readConfigFile());
        IDPanel panel;
        QSignalSpy spy(&panel, &IDPanel::panelChanged);

        panel.loadSettings(&config);
        QCOMPARE(panel.m_pHostName->text(), QStringLiteral("myhost"));
        QCOMPARE(panel.m_pDomain->text(), QStringLiteral("lan.example.org"));
        QVERIFY(spy.isEmpty());
    }
};

QTEST_MAIN(IDPanelTest)
#include "idpaneltest.moc"
