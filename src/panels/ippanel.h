// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

#include "config/interfacesmodel.h"
#include "forms/ippage.h"

class Interface;

/**
 * The Interfaces tab: one Ethernet interface at a time, chosen in the combo box.
 *
 * The rules live in InterfacesModel; the tab keeps its widgets and the model
 * in step, shows the model's refusals, and releases and renews the DHCP lease
 * on the spot.
 */
class IPPanel : public IPPage
{
    Q_OBJECT

public:
    explicit IPPanel(QWidget *parent = nullptr, const char *name = nullptr, bool readOnly = false);

    bool isChanged() const;
    /// Sets the flag without telling anybody.
    void setChangedFlag(bool changed);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);

    /// Takes the first of the five interface records (not owned) and shows them.
    void loadSettings(Interface *records);
    /// Stores the working copies into the records (only when something changed).
    void applySettings();
    /// The check before a save; tells the user why when it refuses.
    bool validSettings();

    /// Enables the widgets by the current state. Not QWidget::setEnabled(bool),
    /// which it hides: call that one qualified where the widget itself is meant.
    void setEnabled();
    void setChecked();
    void setIPSelectionControls();
    void saveCtrlContents();
    /// Whether a DHCP client runs at all (whatever interface it serves).
    bool dhcpRunning() const;

Q_SIGNALS:
    void panelChanged(bool bChanged);
    /// True when some present interface is enabled in the working copy.
    void networkEnableChanged(bool bChanged);
    /// A lease was renewed: every file should be read again.
    void reloadConfigData();

protected Q_SLOTS:
    void handleTextChange(const QString &text);
    void handleGroupBtnClick() override;
    void ethernetComboActivated(int eth) override;
    void enableInterfaceToggled(bool bChecked) override;
    void handleDefaultGatewayToggled(bool bChecked) override;
    void fixDisabledColorGroup(QWidget *pWidget);
    void slotReleaseButtonClicked();
    void slotRenewButtonClicked();

private:
    /// Sets the changed flag, telling the main panel the first time.
    void markChanged();
    /// Asks and checks the one-DHCP rule; false when the switch is refused.
    bool switchToDhcp();
    void showDhcpLease(bool show);
    /// setIPSelectionControls() without marking the tab changed by the texts it sets.
    void showMethodQuietly();

    void connectTextChanges(bool on);
    void connectCheckBoxes(bool on);
    void connectWidgets(bool on);

    InterfacesModel m_model;
    bool m_changed = false;
    bool m_readOnly;
};
