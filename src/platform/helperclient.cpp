// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "helperclient.h"

#include <QEventLoop>
#include <QTimer>

#include <KAuth/Action>
#include <KAuth/ActionReply>
#include <KAuth/ExecuteJob>

#include <optional>

namespace
{
/// How long past the bus's own timeout the page still waits.
constexpr int WatchdogMarginMs = 10 * 1000;

class KAuthBackend : public HelperClient::Backend
{
public:
    bool mayAsk(const QString &action) override
    {
        const KAuth::Action::AuthStatus status = KAuth::Action(action).status();
        return status == KAuth::Action::AuthorizedStatus || status == KAuth::Action::AuthRequiredStatus;
    }

    HelperClient::Outcome run(const QString &action, const QVariantMap &arguments, int timeoutMs) override
    {
        if (m_running) {
            return {HelperClient::Outcome::Busy, {}, QString()};
        }
        KAuth::Action request(action);
        request.setHelperId(QLatin1String(HelperClient::HelperId));
        request.setArguments(arguments);
        request.setTimeout(timeoutMs);
        KAuth::ExecuteJob *job = request.execute();
        m_running = true;
        // Cleared only when the job ends, even after the page stopped waiting for it.
        QObject::connect(job, &KJob::result, job, [this] {
            m_running = false;
        });
        std::optional<HelperClient::Outcome> outcome;
        QEventLoop loop;
        QObject::connect(job, &KJob::result, &loop, [&outcome, &loop, job] {
            outcome = outcomeOf(job);
            loop.quit();
        });
        QTimer::singleShot(timeoutMs + WatchdogMarginMs, &loop, &QEventLoop::quit);
        job->start();
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        return outcome.value_or(HelperClient::Outcome{HelperClient::Outcome::TimedOut, {}, QString()});
    }

private:
    static HelperClient::Outcome outcomeOf(KAuth::ExecuteJob *job)
    {
        if (job->error() == KJob::NoError) {
            return {HelperClient::Outcome::Done, job->data(), QString()};
        }
        if (job->error() == KAuth::ActionReply::AuthorizationDeniedError || job->error() == KAuth::ActionReply::UserCancelledError) {
            // Its error text is empty: the page says what happened.
            return {HelperClient::Outcome::Denied, {}, QString()};
        }
        if (job->error() == KAuth::ActionReply::HelperBusyError) {
            return {HelperClient::Outcome::Busy, {}, QString()};
        }
        return {HelperClient::Outcome::Failed, {}, job->errorText()};
    }

    bool m_running = false;
};

KAuthBackend s_kauth;
HelperClient::Backend *s_backend = &s_kauth;
}

QString HelperClient::actionId(const QString &slot)
{
    return QLatin1String(HelperId) + QLatin1Char('.') + slot;
}

bool HelperClient::mayAsk(const QString &slot)
{
    return qEnvironmentVariableIsEmpty("QUORLAN_ROOT") && s_backend->mayAsk(actionId(slot));
}

HelperClient::Outcome HelperClient::run(const QString &slot, const QVariantMap &arguments, int timeoutMs)
{
    return s_backend->run(actionId(slot), arguments, timeoutMs);
}

void HelperClient::setBackend(Backend *backend)
{
    s_backend = backend ? backend : &s_kauth;
}
