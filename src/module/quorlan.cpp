// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "quorlan.h"

#include <QVBoxLayout>

#include <KLocalizedString>

#include "config/configurationloader.h"
#include "netconfigpanel.h"
#include "platform/messages.h"
#include "platform/requiredprograms.h"
#include "platform/superuser.h"

// What is known before the module is built: the programs missing, and the
// first load, when it could be begun without a word to the user.
struct Quorlan::Start {
    QVector<RequiredPrograms::Program> missing;
    std::optional<ConfigurationLoader> begun;
};

// Begun before KCModule builds itself, the Ethernet count's programs run on
// the other core while the module and its widgets are made. Only a load that
// shows no message and asks nothing before the count begins here: every other
// one begins in the panel, in the order its messages come.
Quorlan::Start Quorlan::beforeTheModule()
{
    Start start{RequiredPrograms::missing(), std::nullopt};
    ConfigurationLoader loader;
    if (start.missing.isEmpty() && loader.beginQuietly()) {
        start.begun = std::move(loader);
    }
    return start;
}

Quorlan::Quorlan(QWidget *parent, const QVariantList &args)
    : Quorlan(parent, args, beforeTheModule())
{
}

Quorlan::Quorlan(QWidget *parent, const QVariantList &args, Start &&start)
    : KCModule(parent, args)
{
    // The mode is decided once: only the superuser may change and save anything,
    // and only with every program that Apply runs at hand.
    m_mayApply = SuperUser::isSuperUser() && start.missing.isEmpty();
    setButtons(m_mayApply ? KCModule::Help | KCModule::Apply : KCModule::Help);
    if (!start.missing.isEmpty()) {
        Messages::error(this, RequiredPrograms::message(start.missing), i18n("TCP/IP"));
    }

    // The panel begins loading, if it has not begun, while it builds its tabs;
    // load() goes on from there.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_panel = start.begun ? new NetConfigPanel(this, nullptr, !m_mayApply, std::move(*start.begun))
                          : new NetConfigPanel(this, nullptr, !m_mayApply, NetConfigPanel::FirstLoad::Begun);
    layout->addWidget(m_panel);
    connect(m_panel, &NetConfigPanel::panelChanged, this, &Quorlan::moduleChanged);
    load();
}

Quorlan::Quorlan(QWidget *parent, const char *name)
    : Quorlan(parent, QVariantList())
{
    if (name) {
        setObjectName(QString::fromLatin1(name));
    }
}

void Quorlan::load()
{
    if (!m_panel->loadSettings()) {
        Messages::error(this, i18n("Unable to load configuration data!"), i18n("TCP/IP"));
        // A page filled from half-read files would invite saving them; show nothing instead.
        m_panel->hide();
    }
}

void Quorlan::save()
{
    // A shell may call this without offering Apply.
    if (m_mayApply) {
        m_panel->applySettings();
    }
}

void Quorlan::defaults()
{
    // There are no built-in defaults: the system files are the settings.
    load();
}

QString Quorlan::quickHelp() const
{
    return i18n(
        "<h3>Network Connection</h3><br>For a local user, this module allows you to view and change the network settings.<br><br>Users currently logged in "
        "as a domain user must log out, and then log back in as a local user,  before making any modifications to this panel.");
}

void Quorlan::showEvent(QShowEvent *event)
{
    // KCModule loads once more when first shown. The constructor has read
    // everything already; a second read would ask its questions twice.
    QWidget::showEvent(event);
}

void Quorlan::moduleChanged(bool changed)
{
    Q_EMIT KCModule::changed(changed);
}
