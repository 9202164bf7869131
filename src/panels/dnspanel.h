// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "forms/dnspage.h"
#include "panels/panelstate.h"

class DnsConfigFile;

/**
 * The DNS tab: the resolver's servers in the order they are asked.
 *
 * The list is the working copy; the record is read on load and replaced on
 * apply, and only when the list was edited, so an untouched tab never
 * rewrites what the file held.
 */
class DNSPanel : public DNSPage
{
    Q_OBJECT

public:
    DNSPanel(QWidget *parent, const char *name, bool readOnly);

    bool isChanged() const;
    /// Sets the flag without telling anybody.
    void setChangedFlag(bool changed);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    /// Enables or disables the list and its four buttons only; the page itself
    /// and its title keep their state.
    void updateEnabled(bool enabled);

    /// Fills the list from the record, showing a repeated server once.
    void loadSettings(DnsConfigFile *dnsConfig);
    /// Replaces the record's servers with the rows, top to bottom, when edited.
    void applySettings();
    bool validSettings() const;

public Q_SLOTS:
    /// The Interfaces tab's report whether any interface is enabled.
    void handleNetworkingEnabled(bool bValue);

Q_SIGNALS:
    void panelChanged(bool bChanged);
    /// Part of the protocol every tab offers; nothing on this tab needs a reload.
    void reloadConfigData();

protected Q_SLOTS:
    void shiftUp();
    void shiftDown();
    void addServer() override;
    void removeServer() override;

private:
    /// Whether another program manages the resolver file, whose servers are then shown only.
    bool isManaged() const;
    /// Shows which program manages the resolver file, and keeps the list from edits then.
    void showManager();
    /// Swaps the current row with the row at target, which then becomes current.
    void moveCurrentTo(int target);

    DnsConfigFile *m_dnsConfig = nullptr;
    PanelState m_state;
};
