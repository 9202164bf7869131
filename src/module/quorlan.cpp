// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "quorlan.h"

#include <QVBoxLayout>

#include <KAuth/Action>
#include <KLocalizedString>

#include "netconfigpanel.h"
#include "platform/helperclient.h"
#include "platform/messages.h"
#include "platform/requiredprograms.h"
#include "platform/superuser.h"

#if QT_VERSION_MAJOR >= 6
// KCModule lays the page into the parent widget. Without one nothing would
// delete the page or its layout: the module then gives it a window of its own.
Quorlan::Quorlan(QObject *parent, const KPluginMetaData &data)
    : Quorlan(parent, data, qobject_cast<QWidget *>(parent) ? nullptr : std::make_unique<QWidget>())
{
}

Quorlan::Quorlan(QObject *parent, const KPluginMetaData &data, std::unique_ptr<QWidget> window)
    : KCModule(window ? window.get() : parent, data)
    , m_ownWindow(std::move(window))
{
    if (m_ownWindow) {
        setParent(parent); // the window holds the page, not the module
    }
    buildPage();
}

Quorlan::Quorlan(QWidget *parent, const char *name)
    : Quorlan(parent, KPluginMetaData())
#else
Quorlan::Quorlan(QWidget *parent, const QVariantList &args)
    : KCModule(parent, args)
{
    buildPage();
}

Quorlan::Quorlan(QWidget *parent, const char *name)
    : Quorlan(parent, QVariantList())
#endif
{
    if (name) {
        setObjectName(QString::fromLatin1(name));
    }
}

Quorlan::~Quorlan() = default;

QWidget *Quorlan::page()
{
#if QT_VERSION_MAJOR >= 6
    return widget();
#else
    return this;
#endif
}

void Quorlan::buildPage()
{
    // The mode is decided once: only the superuser may change and save anything,
    // and only with every program that Apply runs at hand.
    const QVector<RequiredPrograms::Program> missing = RequiredPrograms::missing();
    const bool viaHelper = missing.isEmpty() && mayApplyThroughHelper();
    m_mayApply = (SuperUser::isSuperUser() || viaHelper) && missing.isEmpty();
    setButtons(m_mayApply ? KCModule::Help | KCModule::Apply : KCModule::Help);
    if (!missing.isEmpty()) {
        Messages::error(page(), RequiredPrograms::message(missing), Messages::networkCaption());
    }

    auto *layout = new QVBoxLayout(page());
    layout->setContentsMargins(0, 0, 0, 0);
    m_panel = new NetConfigPanel(page(), nullptr, !m_mayApply);
    layout->addWidget(m_panel);
    if (viaHelper) {
        applyThroughHelper();
    }
    connect(m_panel, &NetConfigPanel::panelChanged, this, &Quorlan::moduleChanged);
}

bool Quorlan::mayApplyThroughHelper()
{
    return !SuperUser::isSuperUser() && HelperClient::mayAsk(QStringLiteral("write"));
}

void Quorlan::applyThroughHelper()
{
    // The shell puts the password prompt on Apply; save() then runs the actions.
#if QT_VERSION_MAJOR >= 6
    setAuthActionName(HelperClient::actionId(QStringLiteral("write")));
#else
    setAuthAction(KAuth::Action(HelperClient::actionId(QStringLiteral("write"))));
#endif
    m_panel->setViaHelper(true);
}

void Quorlan::load()
{
    if (!m_panel->loadSettings()) {
        Messages::error(page(), i18n("Unable to load configuration data!"), Messages::networkCaption());
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

#if QT_VERSION_MAJOR < 6
// Frameworks 6 shows no quick help.
QString Quorlan::quickHelp() const
{
    return i18n(
        "<h3>Network Connection</h3><br>For a local user, this module allows you to view and change the network settings.<br><br>Users currently logged in "
        "as a domain user must log out, and then log back in as a local user,  before making any modifications to this panel.");
}
#endif

void Quorlan::moduleChanged(bool changed)
{
#if QT_VERSION_MAJOR >= 6
    setNeedsSave(changed);
#else
    Q_EMIT KCModule::changed(changed);
#endif
}
