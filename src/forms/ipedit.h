// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QLineEdit>

/**
 * An entry for one IPv4 address in dotted-quad form.
 *
 * While the user types it refuses what can never become an address (letters,
 * a fifth octet, an octet above 255, a leading zero that other tools would
 * read as octal); an address pasted whole is taken, with
 * blanks around it dropped. `valid` says whether the text is a usable value:
 * empty (no address) or a complete address.
 */
class IPEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit IPEdit(QWidget *parent = nullptr, const char *name = nullptr);

    /// The address when the entry holds a complete one, else the empty string.
    QString getText() const;
    void setText(const QString &text);

    /// True when the entry is empty or holds a complete dotted-quad address.
    bool valid = true;

    /// Whether the text is a complete dotted-quad address (four decimal octets of 0 to 255,
    /// without leading zeros).
    static bool isCompleteAddress(const QString &text);

private:
    void updateValidity(const QString &text);
};
