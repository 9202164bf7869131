// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "quorlan.h"

#include <QVBoxLayout>

#include <KLocalizedString>

#include "netconfigpanel.h"
#include "platform/messages.h"
#include "platform/requiredprograms.h"
#include "platform/superuser.h"

Quorlan::Quorlan(QWidget *parent, const QVariantList &args)
    : KCModule(parent, args)
{
    // The mode is decided once: only the superuser may change and save anything,
    // and only with every program that Apply runs at hand.
    const QVector<RequiredPrograms::Program> missing = RequiredPrograms::missing();
    m_mayApply = SuperUser::isSuperUser() && missing.isEmpty();
    setButtons(m_mayApply ? KCModule::Help | KCModule::Apply : KCModule::Help);
    if (!missing.isEmpty()) {
        Messages::error(this, RequiredPrograms::message(missing), i18n("TCP/IP"));
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_panel = new NetConfigPanel(this, nullptr, !m_mayApply);
    layout->addWidget(m_panel);
    connect(m_panel, &NetConfigPanel::panelChanged, this, &Quorlan::moduleChanged);
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

void Quorlan::moduleChanged(bool changed)
{
    Q_EMIT KCModule::changed(changed);
}
