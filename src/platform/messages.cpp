// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "messages.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPointer>

#include <KLocalizedString>
#include <KMessageBox>

namespace
{
// KMessageBox::sorry is gone from the current API; this is what it used to show.
void showSorry(QWidget *parent, const QString &text, const QString &caption)
{
    QPointer<QDialog> dialog = new QDialog(parent);
    dialog->setWindowTitle(caption);
    dialog->setObjectName(QStringLiteral("sorry"));
    dialog->setModal(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
    KMessageBox::createKMessageBox(dialog, buttons, QMessageBox::Warning, text, QStringList(), QString(), nullptr, KMessageBox::Notify);
}

class KdeMessageBoxes : public Messages::Backend
{
public:
    Messages::Answer show(Messages::Kind kind, QWidget *parent, const QString &text, const QString &caption, const KGuiItem &yes, const KGuiItem &no) override
    {
        switch (kind) {
        case Messages::Kind::Error:
            KMessageBox::error(parent, text, caption);
            break;
        case Messages::Kind::Sorry:
            showSorry(parent, text, caption);
            break;
        case Messages::Kind::Information:
            KMessageBox::information(parent, text, caption);
            break;
        case Messages::Kind::WarningYesNo:
            return KMessageBox::warningTwoActions(parent, text, caption, yes, no) == KMessageBox::PrimaryAction ? Messages::Answer::Yes : Messages::Answer::No;
        }
        return Messages::Answer::No;
    }
};

// Built on first use: a global with a constructor would run before main().
Messages::Backend &kdeMessageBoxes()
{
    static KdeMessageBoxes boxes;
    return boxes;
}

/// A test's back end; nullptr for the real boxes.
Messages::Backend *s_backend = nullptr;

Messages::Backend &backend()
{
    return s_backend ? *s_backend : kdeMessageBoxes();
}

Messages::Answer show(Messages::Kind kind, QWidget *parent, const QString &text, const QString &caption)
{
    return backend().show(kind, parent, text, caption, KGuiItem(), KGuiItem());
}
}

void Messages::error(QWidget *parent, const QString &text, const QString &caption)
{
    show(Kind::Error, parent, text, caption);
}

void Messages::sorry(QWidget *parent, const QString &text, const QString &caption)
{
    show(Kind::Sorry, parent, text, caption);
}

void Messages::information(QWidget *parent, const QString &text, const QString &caption)
{
    show(Kind::Information, parent, text, caption);
}

Messages::Answer Messages::warningYesNo(QWidget *parent, const QString &text, const QString &caption)
{
    return warningYesNo(parent, text, caption, KGuiItem(i18n("&Yes")), KGuiItem(i18n("&No")));
}

Messages::Answer Messages::warningYesNo(QWidget *parent, const QString &text, const QString &caption, const KGuiItem &yes, const KGuiItem &no)
{
    return backend().show(Kind::WarningYesNo, parent, text, caption, yes, no);
}

void Messages::setBackend(Backend *backend)
{
    s_backend = backend;
}
