// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QWidget>

class IPEdit;
class KComboBox;
class QButtonGroup;
class QCheckBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

/**
 * The widgets of the Interfaces tab: the device list, the enable box and one
 * framed group with the DHCP and the static choice.
 *
 * Only builds and lays out; the slots are placeholders for IPPanel, which
 * wires the widgets and overrides them.
 */
class IPPage : public QWidget
{
    Q_OBJECT

public:
    explicit IPPage(QWidget *parent = nullptr, const char *name = nullptr, Qt::WindowFlags fl = {});

    QLabel *m_pLabelNI;
    KComboBox *m_pComboBoxNI;
    QCheckBox *m_pCheckBoxEnableNetwork;
    QGroupBox *m_pButtonGroup1;
    QRadioButton *m_pRadioButtonDHCP;
    QLabel *m_pLabelDHCPIP;
    QLabel *m_pLabelHostname;
    QLabel *m_pLabelDHCPSubnet;
    QLabel *m_pLabelDHCPGateway;
    QLineEdit *m_pLineEditHostname;
    IPEdit *m_pIPEditDHCPIP;
    IPEdit *m_pIPEditDHCPSubnet;
    IPEdit *m_pIPEditDHCPGateway;
    QPushButton *m_pReleaseBtn;
    QPushButton *m_pRenewBtn;
    QRadioButton *m_pRadioButtonStatic;
    QLabel *m_pLabelStaticGateway;
    QLabel *m_pLabelStaticIP;
    QLabel *m_pLabelStaticSubnet;
    IPEdit *m_pIPEditStaticIP;
    IPEdit *m_pIPEditStaticSubnet;
    IPEdit *m_pIPEditStaticGateway;
    QCheckBox *m_pCheckBoxDefaultGW;
    /// Makes the two radio buttons of m_pButtonGroup1 exclusive.
    QButtonGroup *m_pMethodGroup;

protected:
    QVBoxLayout *IPPageLayout;
    QHBoxLayout *m_pInterfaceRow;
    QHBoxLayout *m_pEnableRow;
    QVBoxLayout *m_pButtonGroup1Layout;
    QGridLayout *m_pDHCPBlock;
    QGridLayout *m_pDHCPLabels;
    QVBoxLayout *m_pDHCPEntries;
    QHBoxLayout *m_pLeaseButtons;
    QGridLayout *m_pStaticBlock;
    QGridLayout *m_pStaticLabels;
    QVBoxLayout *m_pStaticEntries;

protected Q_SLOTS:
    virtual void enableInterfaceToggled(bool);
    virtual void ethernetComboActivated(int);
    virtual void handleDefaultGatewayToggled(bool);
    virtual void handleGroupBtnClick();

private:
    void createWidgets();
    void layOutPage();
    void layOutDHCPBlock();
    void layOutStaticBlock();
    void setBuddiesAndTabOrder();
};
