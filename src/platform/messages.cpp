// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "messages.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>

#include <KLocalizedString>
#include <KMessageBox>

namespace
{
const int DetailsColumns = 72;

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

// A font that keeps a file's columns; where the platform names none, the
// font configuration's own choice.
QFont fixedFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!QFontInfo(font).fixedPitch()) {
        font.setFamily(QStringLiteral("monospace"));
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

// Preformatted, so that a file's lines keep their blanks and tabs.
QString detailsHtml(const QString &details)
{
    return QStringLiteral("<pre style=\"font-family: '%1'\">").arg(QFontInfo(fixedFont()).family()) + details.toHtmlEscaped() + QLatin1String("</pre>");
}

// Long details go in a text browser: wide enough for a line of a configuration file.
void widenDetails(QDialog &dialog)
{
    if (auto *browser = dialog.findChild<QTextBrowser *>()) {
        browser->setLineWrapMode(QTextEdit::NoWrap);
        browser->setMinimumWidth(QFontMetrics(fixedFont()).averageCharWidth() * DetailsColumns);
    }
}

// The toolkit's own questions take no details; this is the same box with them.
bool askWithDetails(QWidget *parent, const Messages::Box &box)
{
    QPointer<QDialog> dialog = new QDialog(parent);
    dialog->setWindowTitle(box.caption);
    dialog->setObjectName(QStringLiteral("warningYesNo"));
    dialog->setModal(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, dialog);
    KGuiItem::assign(buttons->button(QDialogButtonBox::Yes), box.yes);
    KGuiItem::assign(buttons->button(QDialogButtonBox::No), box.no);
    const KMessageBox::Options options = KMessageBox::Notify | KMessageBox::Dangerous | KMessageBox::NoExec;
    KMessageBox::createKMessageBox(dialog, buttons, QMessageBox::Warning, box.text, QStringList(), QString(), nullptr, options, detailsHtml(box.details));
    widenDetails(*dialog);
    const int answer = dialog->exec();
    // The parent may have taken the box with it while it was open.
    delete dialog;
    return answer == QDialogButtonBox::Yes;
}

class KdeMessageBoxes : public Messages::Backend
{
public:
    Messages::Answer show(QWidget *parent, const Messages::Box &box) override
    {
        switch (box.kind) {
        case Messages::Kind::Error:
            KMessageBox::error(parent, box.text, box.caption);
            break;
        case Messages::Kind::Sorry:
            showSorry(parent, box.text, box.caption);
            break;
        case Messages::Kind::Information:
            KMessageBox::information(parent, box.text, box.caption);
            break;
        case Messages::Kind::WarningYesNo: {
            const bool yes = box.details.isEmpty()
                ? KMessageBox::warningTwoActions(parent, box.text, box.caption, box.yes, box.no) == KMessageBox::PrimaryAction
                : askWithDetails(parent, box);
            return yes ? Messages::Answer::Yes : Messages::Answer::No;
        }
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
    return backend().show(parent, {kind, text, caption, KGuiItem(), KGuiItem(), QString()});
}
}

QString Messages::networkCaption()
{
    return i18n("TCP/IP");
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

Messages::Answer Messages::warningYesNo(QWidget *parent, const QString &text, const QString &caption, const QString &details)
{
    return backend().show(parent, {Kind::WarningYesNo, text, caption, KGuiItem(i18n("&Yes")), KGuiItem(i18n("&No")), details});
}

Messages::Answer Messages::warningYesNo(QWidget *parent, const QString &text, const QString &caption, const KGuiItem &yes, const KGuiItem &no)
{
    return backend().show(parent, {Kind::WarningYesNo, text, caption, yes, no, QString()});
}

void Messages::setBackend(Backend *backend)
{
    s_backend = backend;
}
