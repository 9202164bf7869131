// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

#include "forms/ippage.h"

#include <array>

class Interface;
class ShellProcess;

/**
 * The Interfaces tab: one Ethernet interface at a time, chosen in the combo box.
 *
 * The user edits a working copy of every interface; the records change only in
 * applySettings(). While the user edits, the tab keeps at most one DHCP
 * interface and at most one default gateway, and it releases and renews the
 * DHCP lease on the spot.
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
    /// What the user has made of one interface so far.
    struct WorkingCopy {
        bool enabled = false;
        bool dhcp = false;
        QString hostName;
        QString ipAddress;
        QString subnetMask;
        QString gateway;
        /// False once the gateway entry held no valid address; reported once by validSettings().
        bool gatewayValid = true;
        bool defaultGateway = false;
        /// What the default-gateway box becomes on a switch to DHCP.
        bool dhcpDefaultGatewayMemo = true;
        /// What the default-gateway box becomes on a switch back to a static address.
        bool staticDefaultGatewayMemo = false;
    };
    static constexpr int InterfaceCount = 5;

    WorkingCopy &shown();
    const WorkingCopy &shown() const;
    void loadWorkingCopy(int index);
    /// Whether record `index` stands for a device of this machine (false before the first load).
    bool isPresent(int index) const;
    bool anyEnabled() const;
    bool anyEnabledDhcp() const;
    /// Sets the changed flag, telling the main panel the first time.
    void markChanged();
    /// Asks and checks the one-DHCP rule; false when the switch is refused.
    bool switchToDhcp();
    void showDhcpLease(bool show);
    /// Runs one ifupdown tool on the shown interface; true when it succeeded.
    bool runIfupdown(ShellProcess &process, const char *tool) const;

    void connectTextChanges(bool on);
    void connectCheckBoxes(bool on);
    void connectWidgets(bool on);

    Interface *m_records = nullptr;
    int m_current = 0;
    bool m_changed = false;
    bool m_readOnly;
    std::array<WorkingCopy, InterfaceCount> m_working;
};
