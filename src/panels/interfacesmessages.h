// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "config/interfacesmodel.h"

class QWidget;

/// The Interfaces tab's message boxes, one for each verdict of its rules.
class InterfacesMessages
{
public:
    /// Shows the box for the verdict, if any; true when the action may go on
    /// (it passed, or the user answered Yes to the question).
    static bool tell(QWidget *parent, const InterfacesModel::Answer &answer);
    /// Asks before a switch to DHCP; true on Yes.
    static bool confirmDhcp(QWidget *parent);
    /// A release or renewal of the DHCP lease failed.
    static void leaseError(QWidget *parent);
};
