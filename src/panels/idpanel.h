// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "forms/idpage.h"
#include "panels/panelstate.h"

class BasicNetCfg;

/**
 * The Identification tab: shows and edits the host name and domain of the
 * host identity record, and refuses to save an empty host name.
 *
 * Read-only, the entries are disabled yet their text stays legible.
 */
class IDPanel : public IDPage
{
    Q_OBJECT

public:
    explicit IDPanel(QWidget *parent = nullptr, const char *name = nullptr, bool readOnly = false);

    bool isChanged() const;
    /// Sets the changed flag without telling anybody.
    void setChangedFlag(bool changed);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    /// Enables the entries unless the panel is read-only.
    void updateEnabled();

    /// Fills the entries from the record, which stays the caller's; editing counts from here on.
    void loadSettings(BasicNetCfg *config);
    /// Stores the entries into the record, when they were edited since the last load.
    void applySettings();
    /// False, after telling the user, when the record holds no host name.
    bool validSettings();

    /// Gives the widget's disabled text the background colour, darkened, so that
    /// read-only text stays legible.
    void fixDisabledColorGroup(QWidget *widget);

Q_SIGNALS:
    void panelChanged(bool bChanged);
    void reloadConfigData();

protected:
    void paintEvent(QPaintEvent *event) override;

protected Q_SLOTS:
    void handleTextChange(const QString &text);

private:
    void connectEntries(bool on);

    BasicNetCfg *m_pConfig = nullptr;
    PanelState m_state;
};
