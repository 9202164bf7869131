// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QString>

/// The host name of the first line of the file at path (empty when it cannot be read).
QString GetHostName(const char *path);
/// The domain of the first line that mentions "domain" in any case (empty when none).
QString GetDomainName(const char *path);

/**
 * The computer's identity as the module shows it: host name and DNS domain.
 */
class BasicNetCfg
{
public:
    /// Reads /etc/hostname and /etc/resolv.conf; a missing file gives an empty value. Always true.
    bool readConfigFile();

    QString hostName;
    QString domain;
};
