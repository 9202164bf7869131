// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/**
 * /etc/pcmcia/wireless.opts as the module writes it: shell assignments of the
 * network name, mode, channel, bit rate and WEP key, each after a comment.
 *
 * The module manages only files that it wrote itself, which it knows by the
 * marker comment; a foreign file is kept as wireless.opts.orig and replaced
 * by defaults. The file holds encryption keys, so it is only ever created
 * with mode 0600 and replaced whole through "wireless.opts.new": a failed
 * write leaves the previous file as it was.
 *
 * The values are plain data as the file spells them ("Managed", "5.5 Mbps");
 * a value that a read file did not hold stays unset. Comment lines and the
 * keywords read back go through the translation catalogue; the assignments
 * written never do, since the card tools read them.
 */
class WirelessOptionsFile
{
public:
    /// The key line: "KEY" when encryption is on, "#KEY" (kept, but off) otherwise.
    struct KeyLine {
        bool enabled = false;
        QString value; ///< see WirelessKeyValue
    };

    std::optional<QString> essid;
    std::optional<QString> mode;
    std::optional<QString> channel;
    std::optional<QString> rate;
    std::optional<KeyLine> key;

    static QString systemPath();
    static QString backupSystemPath();

    /// Whether the file exists and is one of the module's own (holds the marker
    /// line, untranslated or in any language of the catalogue).
    static bool isOwnFile();
    /// The assignments of the file; std::nullopt when it cannot be read.
    static std::optional<WirelessOptionsFile> read();
    /// The same over the file's lines, and whether they hold the marker line.
    static WirelessOptionsFile fromLines(const QStringList &lines);
    static bool holdsMarker(const QStringList &lines);

    /// The eleven lines of the file, unset values written empty.
    QByteArray toBytes() const;
    /// Replaces the file with toBytes(); false (and the old file untouched) on failure.
    bool write() const;

    /// The file the module puts in place of a foreign one.
    static WirelessOptionsFile defaults();
    /**
     * Keeps the present file as wireless.opts.orig (readable by its owner
     * only) and writes defaults() in its place. False, with nothing changed,
     * when there is no file or it cannot be replaced.
     */
    static bool replaceWithDefaults();
};
