// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "forms/adddnspage.h"

/**
 * Asks for the address of one DNS server; OK (or Return) with an empty
 * address keeps the dialog open. What the entry accepts is the entry's business.
 */
class AddDNSPanel : public AddDNSPage
{
    Q_OBJECT

public:
    explicit AddDNSPanel(QWidget *parent = nullptr, const char *name = nullptr);

    QString getIPAddr() const;

public Q_SLOTS:
    void done(int r) override;
};
