// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "ipedit.h"

#include <QValidator>

#include <algorithm>

namespace
{
class DottedQuadValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &position) const override
    {
        // A pasted address often brings blanks or a line end with it.
        const QString trimmed = input.trimmed();
        if (trimmed != input) {
            // The cursor stays beside the character it was beside.
            const int leading = trimmed.isEmpty() ? 0 : int(input.indexOf(trimmed));
            position = std::clamp(position - leading, 0, int(trimmed.size()));
            input = trimmed;
        }
        const QStringList octets = input.split(QLatin1Char('.'));
        if (octets.size() > 4) {
            return Invalid;
        }
        bool complete = octets.size() == 4;
        for (const QString &octet : octets) {
            if (!isOctet(octet)) {
                return Invalid;
            }
            complete = complete && !octet.isEmpty();
        }
        return complete || input.isEmpty() ? Acceptable : Intermediate;
    }

private:
    /// Empty (not typed yet) or a decimal number up to 255. A leading zero is
    /// refused: inet_aton and the ifupdown tools read "010" as octal 8.
    static bool isOctet(const QString &octet)
    {
        if (octet.size() > 3 || !isDigits(octet) || (octet.size() > 1 && octet.startsWith(QLatin1Char('0')))) {
            return false;
        }
        return octet.isEmpty() || octet.toInt() <= 255;
    }

    static bool isDigits(const QString &text)
    {
        for (const QChar c : text) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
                return false;
            }
        }
        return true;
    }
};
}

IPEdit::IPEdit(QWidget *parent, const char *name)
    : QLineEdit(parent)
{
    if (name) {
        setObjectName(QString::fromLatin1(name));
    }
    setValidator(new DottedQuadValidator(this));
    connect(this, &QLineEdit::textChanged, this, &IPEdit::updateValidity);
}

QString IPEdit::getText() const
{
    // A half-typed address must never reach a file; the text stays shown so the user can finish it.
    return isCompleteAddress(text()) ? text() : QString();
}

void IPEdit::setText(const QString &text)
{
    QLineEdit::setText(text);
    updateValidity(text);
}

bool IPEdit::isCompleteAddress(const QString &text)
{
    QString copy = text;
    int position = 0;
    return !text.isEmpty() && DottedQuadValidator().validate(copy, position) == QValidator::Acceptable;
}

void IPEdit::updateValidity(const QString &text)
{
    valid = text.isEmpty() || isCompleteAddress(text);
}
