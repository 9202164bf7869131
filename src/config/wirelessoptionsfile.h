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
 * by defaults. Where there is no file at all (as on most machines today),
 * nothing is replaced: the defaults are shown and written with the first save.
 * The file holds encryption keys, so it is only ever created with mode 0600
 * and replaced whole through "wireless.opts.new": a failed write leaves the
 * previous file as it was.
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

    /// Where the settings that load() found came from.
    enum class Origin {
        Missing,
        Own,
        Foreign,
        Unreadable,
    };
    struct Loaded;

    std::optional<QString> essid;
    std::optional<QString> mode;
    std::optional<QString> channel;
    std::optional<QString> rate;
    std::optional<KeyLine> key;

    static QString systemPath();

    /**
     * Reads the file for the Wireless tab. A file that exists and is not the
     * module's own is, when mayWrite (the superuser loads), kept as
     * wireless.opts.orig and replaced by defaults(), as replaceWithDefaults().
     */
    static Loaded load(bool mayWrite);
    /// The assignments of the file; std::nullopt when it cannot be read.
    static std::optional<WirelessOptionsFile> read();
    /// The assignments of the file's lines.
    static WirelessOptionsFile fromLines(const QStringList &lines);
    /// Whether the lines hold the marker line, untranslated or in any language of the catalogue.
    static bool holdsMarker(const QStringList &lines);

    /// The eleven lines of the file, unset values written empty.
    QByteArray toBytes() const;
    /// Replaces the file with toBytes(), making its folder if need be; false
    /// (and the old file untouched) on failure.
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

/// What WirelessOptionsFile::load() found.
struct WirelessOptionsFile::Loaded {
    Origin origin = Origin::Missing;
    /// The values of the module's own file; the defaults for any other.
    WirelessOptionsFile settings = WirelessOptionsFile::defaults();
    /// Foreign or unreadable, loaded by the superuser: whether the file was kept aside and the defaults put in its place.
    std::optional<bool> replaced;
    /// The lines of a foreign file, so that the user is told once of each.
    QStringList foreignLines;
};
