// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "config/wirelesskeyvalue.h"
#include "config/wirelessoptionsfile.h"
#include "forms/wirelessdata.h"
#include "panels/panelstate.h"

#include <array>
#include <optional>

/**
 * The Wireless tab: network name, mode, channel, transfer rate and the WEP keys
 * of the wireless card, as /etc/pcmcia/wireless.opts holds them.
 *
 * The fields are the only copy of the settings: loading fills them from what
 * the loader read and saving writes the file from them (through
 * WirelessOptionsFile). The key type fixes how many keys are in use and, with
 * the key format, how long each may be; a change that would cut a key short
 * is asked about first.
 */
class Wireless : public WirelessData
{
    Q_OBJECT

public:
    using KeyType = WirelessKeyValue::Type;
    using KeyFormat = WirelessKeyValue::Format;

    explicit Wireless(QWidget *parent = nullptr, const char *name = nullptr);

    bool isChanged() const;
    /// Sets the flag without telling anybody.
    void setChangedFlag(bool changed);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    /// Enables every field, or disables every one, after the read-only flag alone.
    void updateEnabled();

    /**
     * Fills the tab from what the loader found; writes nothing. A file that is
     * not the module's own is told of once (a reload of the same file asks
     * nothing again). False unless the module's own file was read.
     */
    bool loadSettings(const WirelessOptionsFile::Loaded &loaded);
    /// Writes the file from the tab when it holds changes; true when written.
    bool applySettings();
    /// The file that applySettings() writes; none when the tab holds no change.
    std::optional<WirelessOptionsFile> changedFile();
    /// Checks hexadecimal keys before a save; false after telling the user why.
    bool validSetting();

    /// Shows the keys of a key line's value; true when it holds four keys.
    bool checkValue(const QString &value);
    /// The first item whose text is exactly text, or 0 when there is none.
    static int findIndex(const QComboBox *list, const QString &text);

    /// Limits the key fields to the length of the current type and format.
    void set_keysize();
    bool check_key(QLineEdit *field);
    /// Whether every key field in use is full for the current type and the given format.
    bool check_filling_key(KeyFormat format);
    /// Pads every key field in use with "0" to its full length.
    void filling_keys(KeyFormat format);

public Q_SLOTS:
    void slot_enableEncryption();
    void slot_changed();
    void slot_typechanged(int);
    void slot_keyformatchanged(int);

Q_SIGNALS:
    void panelChanged(bool bChanged);

private:
    void setCaptions();
    void fillLists();
    void connectEdits();
    void connectKeyHandlers();
    void showFile(const WirelessOptionsFile &file);
    void showKeyLine(const WirelessOptionsFile::KeyLine &key);
    void showDefaults(const WirelessOptionsFile::Loaded &loaded);
    /// The box of a file that is not the module's own, once per file.
    void tellOfForeignFile(const WirelessOptionsFile::Loaded &loaded);
    void showKeys(const QStringList &keys);
    void writeKeyLimits(KeyType type, KeyFormat format);
    void setKeyControlsEnabled(bool enabled);
    bool askTruncation();
    KeyType currentType() const;
    KeyFormat currentFormat() const;
    int keysInUse() const;
    std::array<QLineEdit *, WirelessKeyValue::keyCount> keyFields() const;
    QString currentKeyValue() const;

    PanelState m_state;
    KeyType m_rememberedType = KeyType::Bits64; ///< key type last in effect; as the list first shows
    std::optional<KeyFormat> m_rememberedFormat; ///< key format last in effect; none before the first load
    /// The foreign file the user was told of last.
    std::optional<QStringList> m_toldOf;
};
