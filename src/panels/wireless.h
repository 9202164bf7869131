// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include "forms/wirelessdata.h"

#include <array>

/**
 * The Wireless tab: network name, mode, channel, transfer rate and the WEP keys
 * of the wireless card, read from and written to /etc/pcmcia/wireless.opts.
 *
 * The fields are the only copy of the settings: loading fills them from the
 * file and saving writes the file from them (through WirelessOptionsFile).
 * The key type fixes how many keys are in use and, with the key format, how
 * long each may be; a change that would cut a key short is asked about first.
 * Key types and formats are numbered as their lists show them: type 0
 * "40/64 bit", 1 "128 bit"; format 0 "ASCII", 1 "Hexadecimal".
 */
class Wireless : public WirelessData
{
    Q_OBJECT

public:
    explicit Wireless(QWidget *parent = nullptr, const char *name = nullptr);

    bool isChanged() const;
    /// Sets the flag without telling anybody.
    void setChangedFlag(bool changed);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    /// Enables every field, or disables every one, after the read-only flag alone.
    void setReadOnly();

    /// Fills the tab from the file; false when the file was missing or not the module's own.
    bool loadSettings();
    /// Writes the file from the tab when it holds changes; true when written.
    bool applySettings();
    /// Checks hexadecimal keys before a save; false after telling the user why.
    bool validSetting();

    bool find_setting_info();
    bool create_defaultSetting();
    bool loading_info();
    /// Shows the keys of a key line's value; true when it holds four keys.
    bool checkValue(const QString &value);
    void setASCIIValue(const QString &value);
    void setHEXValue(const QString &value);
    /// The first item whose text is exactly text, or 0 when there is none.
    static int findIndex(const QComboBox *list, const QString &text);

    /// Limits the key fields to the length of the current type and format.
    void set_keysize();
    bool check_key(QLineEdit *field);
    /// Whether every key field in use is full for the current type and the given format.
    bool check_filling_key(int format);
    /// Pads every key field in use with "0" to its full length.
    void filling_keys(int format);

    void load_mode();
    void load_transferRate();
    void load_type();
    void load_keyFormat();
    void load_defaultKey();

public Q_SLOTS:
    void slot_enableEncryption();
    void slot_changed();
    void slot_typechanged(int);
    void slot_keyformatchanged(int);

Q_SIGNALS:
    void panelChanged(bool bChanged);

private:
    void setCaptions();
    void connectEdits();
    void connectKeyHandlers();
    void showDefaults(bool replaced);
    void showKeys(const QStringList &keys);
    void writeKeyLimits(int type, int format);
    void setKeyControlsEnabled(bool enabled);
    bool askTruncation();
    int currentType() const;
    int currentFormat() const;
    int keysInUse() const;
    std::array<QLineEdit *, 4> keyFields() const;
    QString currentKeyValue() const;

    bool m_changed = false;
    bool m_readOnly = false;
    int m_rememberedType = 0; ///< key type last in effect; set by loading
    int m_rememberedFormat = 2; ///< key format last in effect; 2: none before the first load
};
