// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "interfacesmessages.h"

#include <KLocalizedString>

#include "platform/messages.h"

bool InterfacesMessages::tell(QWidget *parent, const InterfacesModel::Answer &answer)
{
    using Verdict = InterfacesModel::Verdict;
    switch (answer.verdict) {
    case Verdict::Passes:
        return true;
    case Verdict::InvalidAddress:
        // i18n: %1 is the device name of the interface, such as eth0.
        Messages::error(parent, i18n("Interface %1 has invalid IP address!", answer.device), Messages::networkCaption());
        return false;
    case Verdict::InvalidNetmask:
        // i18n: %1 is the device name of the interface, such as eth0.
        Messages::error(parent, i18n("Interface %1 has invalid subnet mask address!", answer.device), Messages::networkCaption());
        return false;
    case Verdict::InvalidGateway:
        // i18n: %1 is the device name of the interface, such as eth0.
        Messages::error(parent, i18n("Interface %1 has invalid default gateway address!", answer.device), Messages::networkCaption());
        return false;
    case Verdict::SeveralDhcp:
        Messages::sorry(parent,
                        i18n("More than one interface has been setup to use DHCP as the connection method. Please note that only one DHCP interface can be "
                             "supported at this time.\nPlease configure only ONE interface to use DHCP."),
                        Messages::networkCaption());
        return false;
    case Verdict::SeveralDefaultGateways:
        Messages::sorry(parent,
                        i18n("Warning! More than one interface has been set as default. Please make sure only ONE interface is set as default."),
                        Messages::networkCaption());
        return false;
    case Verdict::NoDefaultGateway:
        return Messages::warningYesNo(parent,
                                      i18n("You have not set an interface as the default gateway interface!\nNormally the interface that connects to the "
                                           "Internet is set to be default gateway interface. However, it is not required and networking should still "
                                           "function properly within the local subnet.\nDo you wish to continue without a default gateway?"),
                                      Messages::networkCaption())
            == Messages::Answer::Yes;
    case Verdict::DhcpTaken:
        Messages::sorry(parent,
                        i18n("You have already selected an interface to perform DHCP connection. At the moment, we can only support one DHCP connection "
                             "per system. Please disable another DHCP connection before using this interface with DHCP."),
                        Messages::networkCaption());
        return false;
    case Verdict::GatewayNeeded:
        Messages::sorry(parent, i18n("Sorry, you need to provide a valid Gateway IP address!"), Messages::networkCaption());
        return false;
    }
    return false;
}

void InterfacesMessages::leaseError(QWidget *parent)
{
    Messages::error(parent, i18n("Error renewing leases!"), Messages::networkCaption());
}

bool InterfacesMessages::confirmDhcp(QWidget *parent)
{
    return Messages::warningYesNo(
               parent,
               i18n("If you select an interface to perform DHCP connection, this computer will not be able to be a Windows Server. Do you want to continue?"),
               Messages::networkCaption())
        == Messages::Answer::Yes;
}
