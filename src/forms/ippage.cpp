// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "ippage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <KLocalizedString>

#include "atleast.h"
#include "fittingcombobox.h"
#include "ipedit.h"
#include "named.h"

#include <algorithm>

namespace
{
IPEdit *addressEntry(QWidget *parent, const char *name)
{
    auto *entry = new IPEdit(parent, name);
    setAtLeast(entry, 180, 22);
    return entry;
}

QPushButton *leaseButton(const QString &text, QWidget *parent, const char *name)
{
    auto *button = named(new QPushButton(text, parent), name);
    setAtLeast(button, 85, 26);
    return button;
}

QSpacerItem *fixedGap(int width, int height)
{
    return new QSpacerItem(width, height, QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSpacerItem *horizontalStretch()
{
    return new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

QSpacerItem *verticalStretch()
{
    return new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding);
}

// A label grid stands beside a column of entries; each label is as tall as its
// entry, and a stretching last row keeps the labels at the top, so that the
// two line up row by row.
QGridLayout *labelGrid(const QList<QLabel *> &labels, const char *name, int spacing)
{
    auto *grid = namedLayout(new QGridLayout, name, 0, spacing);
    int row = 0;
    for (QLabel *each : labels) {
        const QWidget *entry = each->buddy();
        each->setMinimumHeight(std::clamp(entry->sizeHint().height(), entry->minimumHeight(), entry->maximumHeight()));
        grid->addWidget(each, row++, 0);
    }
    grid->setRowStretch(row, 1);
    return grid;
}

QVBoxLayout *entryColumn(const QList<QWidget *> &entries, const char *name, int spacing)
{
    auto *column = namedLayout(new QVBoxLayout, name, 0, spacing);
    for (QWidget *entry : entries) {
        column->addWidget(entry);
    }
    return column;
}

// One way of connecting: its radio button on the first row; below it, indented,
// the labels beside their entries, pushed left by stretching space.
QGridLayout *methodBlock(QRadioButton *choice, QGridLayout *labels, QVBoxLayout *entries, const char *name)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addLayout(labels);
    row->addLayout(entries);
    row->addItem(horizontalStretch());

    auto *block = namedLayout(new QGridLayout, name, 0, 6);
    block->addWidget(choice, 0, 0, 1, 2);
    block->addItem(horizontalStretch(), 0, 2);
    block->addItem(fixedGap(20, 20), 1, 0);
    // In a single cell: a layout spanning into the stretching column would leave
    // the indent's column to carry the radio button's whole width.
    block->addLayout(row, 1, 1);
    return block;
}
}

IPPage::IPPage(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : QWidget(parent, fl)
{
    setObjectName(name ? QLatin1String(name) : QLatin1String("IPPage"));
    createWidgets();
    setBuddiesAndTabOrder();
    layOutPage();
    setWindowTitle(i18n("IP Address Page"));
    // No size of its own: shown alone, the form takes the size its texts need.
}

void IPPage::createWidgets()
{
    m_pLabelNI = named(new QLabel(i18n("Networ&k interface:"), this), "m_pLabelNI");
    // The whole device description shows, however long.
    m_pComboBoxNI = named(new FittingComboBox(this), "m_pComboBoxNI");
    setAtLeast(m_pComboBoxNI, 220, 22);
    m_pCheckBoxEnableNetwork = named(new QCheckBox(i18n("Ena&ble network"), this), "m_pCheckBoxEnableNetwork");
    m_pButtonGroup1 = named(new QGroupBox(QString(), this), "m_pButtonGroup1");

    QWidget *group = m_pButtonGroup1;
    m_pRadioButtonDHCP = named(new QRadioButton(i18n("Use DHCP connec&tion"), group), "m_pRadioButtonDHCP");
    m_pLabelDHCPIP = named(new QLabel(i18n("IP address:"), group), "m_pLabelDHCPIP");
    m_pLabelHostname = named(new QLabel(i18n("Hostna&me:"), group), "m_pLabelHostname");
    m_pLabelDHCPSubnet = named(new QLabel(i18n("Subnet mask:"), group), "m_pLabelDHCPSubnet");
    m_pLabelDHCPGateway = named(new QLabel(i18n("Gateway:"), group), "m_pLabelDHCPGateway");
    m_pLineEditHostname = named(new QLineEdit(group), "m_pLineEditHostname");
    m_pIPEditDHCPIP = addressEntry(group, "m_pIPEditDHCPIP");
    m_pIPEditDHCPSubnet = addressEntry(group, "m_pIPEditDHCPSubnet");
    m_pIPEditDHCPGateway = addressEntry(group, "m_pIPEditDHCPGateway");
    m_pReleaseBtn = leaseButton(i18n("Re&lease"), group, "m_pReleaseBtn");
    m_pRenewBtn = leaseButton(i18n("Rene&w"), group, "m_pRenewBtn");
    m_pRadioButtonStatic = named(new QRadioButton(i18n("Speci&fy static IP address"), group), "m_pRadioButtonStatic");
    m_pLabelStaticGateway = named(new QLabel(i18n("Gatewa&y:"), group), "m_pLabelStaticGateway");
    m_pLabelStaticIP = named(new QLabel(i18n("IP address&:"), group), "m_pLabelStaticIP");
    m_pLabelStaticSubnet = named(new QLabel(i18n("S&ubnet mask:"), group), "m_pLabelStaticSubnet");
    m_pIPEditStaticIP = addressEntry(group, "m_pIPEditStaticIP");
    m_pIPEditStaticSubnet = addressEntry(group, "m_pIPEditStaticSubnet");
    m_pIPEditStaticGateway = addressEntry(group, "m_pIPEditStaticGateway");
    m_pCheckBoxDefaultGW = named(new QCheckBox(i18n("Set &gateway as the default gateway for the system"), group), "m_pCheckBoxDefaultGW");

    m_pMethodGroup = named(new QButtonGroup(this), "m_pMethodGroup");
    m_pMethodGroup->addButton(m_pRadioButtonDHCP);
    m_pMethodGroup->addButton(m_pRadioButtonStatic);
}

void IPPage::setBuddiesAndTabOrder()
{
    m_pLabelNI->setBuddy(m_pComboBoxNI);
    m_pLabelHostname->setBuddy(m_pLineEditHostname);
    m_pLabelDHCPIP->setBuddy(m_pIPEditDHCPIP);
    m_pLabelDHCPSubnet->setBuddy(m_pIPEditDHCPSubnet);
    m_pLabelDHCPGateway->setBuddy(m_pIPEditDHCPGateway);
    m_pLabelStaticIP->setBuddy(m_pIPEditStaticIP);
    m_pLabelStaticSubnet->setBuddy(m_pIPEditStaticSubnet);
    m_pLabelStaticGateway->setBuddy(m_pIPEditStaticGateway);

    setTabOrder(m_pComboBoxNI, m_pCheckBoxEnableNetwork);
    setTabOrder(m_pCheckBoxEnableNetwork, m_pRadioButtonDHCP);
    setTabOrder(m_pRadioButtonDHCP, m_pRadioButtonStatic);
}

void IPPage::layOutPage()
{
    IPPageLayout = namedLayout(new QVBoxLayout(this), "IPPageLayout", 11, 6);

    m_pInterfaceRow = namedLayout(new QHBoxLayout, "m_pInterfaceRow", 0, 6);
    m_pInterfaceRow->addWidget(m_pLabelNI);
    m_pInterfaceRow->addItem(fixedGap(20, 20));
    m_pInterfaceRow->addWidget(m_pComboBoxNI);
    m_pInterfaceRow->addItem(horizontalStretch());
    IPPageLayout->addLayout(m_pInterfaceRow);

    m_pEnableRow = namedLayout(new QHBoxLayout, "m_pEnableRow", 0, 6);
    m_pEnableRow->addWidget(m_pCheckBoxEnableNetwork);
    m_pEnableRow->addItem(horizontalStretch());
    IPPageLayout->addLayout(m_pEnableRow);

    m_pButtonGroup1Layout = namedLayout(new QVBoxLayout(m_pButtonGroup1), "m_pButtonGroup1Layout", 11, 6);
    m_pButtonGroup1Layout->setAlignment(Qt::AlignTop);
    layOutDHCPBlock();
    layOutStaticBlock();
    m_pButtonGroup1Layout->addItem(fixedGap(20, 16));
    m_pButtonGroup1Layout->addWidget(m_pCheckBoxDefaultGW);
    m_pButtonGroup1Layout->addItem(verticalStretch());
    IPPageLayout->addWidget(m_pButtonGroup1);

    IPPageLayout->addItem(verticalStretch());
}

void IPPage::layOutDHCPBlock()
{
    m_pDHCPLabels = labelGrid({m_pLabelHostname, m_pLabelDHCPIP, m_pLabelDHCPSubnet, m_pLabelDHCPGateway}, "m_pDHCPLabels", 6);
    m_pLeaseButtons = namedLayout(new QHBoxLayout, "m_pLeaseButtons", 0, 10);
    m_pLeaseButtons->addWidget(m_pReleaseBtn);
    m_pLeaseButtons->addWidget(m_pRenewBtn);
    m_pDHCPEntries = entryColumn({m_pLineEditHostname, m_pIPEditDHCPIP, m_pIPEditDHCPSubnet, m_pIPEditDHCPGateway}, "m_pDHCPEntries", 6);
    m_pDHCPEntries->addLayout(m_pLeaseButtons);
    m_pDHCPBlock = methodBlock(m_pRadioButtonDHCP, m_pDHCPLabels, m_pDHCPEntries, "m_pDHCPBlock");
    m_pButtonGroup1Layout->addLayout(m_pDHCPBlock);
}

void IPPage::layOutStaticBlock()
{
    m_pStaticLabels = labelGrid({m_pLabelStaticIP, m_pLabelStaticSubnet, m_pLabelStaticGateway}, "m_pStaticLabels", 8);
    m_pStaticEntries = entryColumn({m_pIPEditStaticIP, m_pIPEditStaticSubnet, m_pIPEditStaticGateway}, "m_pStaticEntries", 8);
    m_pStaticBlock = methodBlock(m_pRadioButtonStatic, m_pStaticLabels, m_pStaticEntries, "m_pStaticBlock");
    m_pButtonGroup1Layout->addLayout(m_pStaticBlock);
}

void IPPage::enableInterfaceToggled(bool)
{
    qWarning("IPPage::enableInterfaceToggled(bool): Not implemented yet!");
}

void IPPage::ethernetComboActivated(int)
{
    qWarning("IPPage::ethernetComboActivated(int): Not implemented yet!");
}

void IPPage::handleDefaultGatewayToggled(bool)
{
    qWarning("IPPage::handleDefaultGatewayToggled(bool): Not implemented yet!");
}

void IPPage::handleGroupBtnClick()
{
    qWarning("IPPage::handleGroupBtnClick(void): Not implemented yet!");
}
