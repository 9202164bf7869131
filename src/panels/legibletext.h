// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

class QWidget;

/**
 * Read-only fields are disabled, and disabled text in the usual colours is too
 * faint to read. This gives the widget's disabled text a dark shade of its
 * background instead. The palette is set only when it really changes, so it is
 * safe to call from a paint event (setting it again would schedule another paint).
 */
void makeDisabledTextLegible(QWidget *widget);
