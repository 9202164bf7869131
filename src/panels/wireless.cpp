// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "wireless.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <KGuiItem>
#include <KLocalizedString>

#include "platform/messages.h"

#include <algorithm>

namespace
{
// What the file says for each item of the mode and rate lists, whose texts
// may be translated; the card tools want these words.
const QStringList &modeWords()
{
    static const QStringList words = {QStringLiteral("Auto"), QStringLiteral("Ad-Hoc"), QStringLiteral("Managed")};
    return words;
}

const QStringList &rateWords()
{
    static const QStringList words = {QStringLiteral("Auto"),
                                      QStringLiteral("1 Mbps"),
                                      QStringLiteral("2 Mbps"),
                                      QStringLiteral("5.5 Mbps"),
                                      QStringLiteral("11 Mbps")};
    return words;
}

QString settingCaption()
{
    return i18n("Wireless Setting");
}

void setCaption(QLabel *label, const QString &caption, QWidget *buddy)
{
    label->setText(caption);
    label->setBuddy(buddy);
}

void setAllEnabled(std::initializer_list<QWidget *> widgets, bool enabled)
{
    for (QWidget *widget : widgets) {
        widget->setEnabled(enabled);
    }
}

bool isHexDigit(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
}
}

Wireless::Wireless(QWidget *parent, const char *name)
    : WirelessData(parent, name)
    , m_state(false, [this](bool changed) {
        Q_EMIT panelChanged(changed);
    })
{
    setCaptions();
    fillLists();
    gbox->setTitle(i18n("Encryption"));
    CheckBox_encryption->setText(i18n("&Enable encryption"));
    connectEdits();
}

void Wireless::setCaptions()
{
    setCaption(Label_1, i18n("Net&work name (ESSID):"), LineEdit_1);
    setCaption(Label_3, i18n("M&ode:"), ComboBox_1);
    setCaption(Label_4, i18n("Channe&l:"), SpinBox1);
    setCaption(Label_5, i18n("&Transfer rate:"), ComboBox_2);
    setCaption(Label_type, i18n("Encryption ty&pe:"), ComboBox_type);
    setCaption(Label_format, i18n("Ke&y format:"), ComboBox_format);
    setCaption(Label_k1, i18n("Key &1:"), LineEdit_h1);
    setCaption(Label_k2, i18n("Key &2:"), LineEdit_h2);
    setCaption(Label_k3, i18n("Key &3:"), LineEdit_h3);
    setCaption(Label_k4, i18n("Key &4:"), LineEdit_h4);
    setCaption(Label_kd, i18n("Default trans&fer Key:"), ComboBoxk);
}

void Wireless::fillLists()
{
    // i18n: The wireless modes (the file says Auto, Ad-Hoc and Managed whatever the translation).
    ComboBox_1->addItems({i18n("Auto"), i18n("Ad-Hoc"), i18n("Infrastructure")});
    ComboBox_2->addItem(i18n("Auto"));
    ComboBox_2->addItems(rateWords().mid(1));
    ComboBox_type->addItems({QStringLiteral("40/64 bit"), QStringLiteral("128 bit")});
    ComboBox_format->addItems({QStringLiteral("ASCII"), QStringLiteral("Hexadecimal")});
    ComboBoxk->addItems({QStringLiteral("Key 1"), QStringLiteral("Key 2"), QStringLiteral("Key 3"), QStringLiteral("Key 4")});
}

// Loading fills the fields while these are connected: a loaded tab counts as
// changed, so the next save writes the file again in the module's own form.
void Wireless::connectEdits()
{
    connect(CheckBox_encryption, &QCheckBox::toggled, this, &Wireless::slot_changed);
    connect(LineEdit_1, &QLineEdit::textChanged, this, &Wireless::slot_changed);
    for (QLineEdit *field : keyFields()) {
        connect(field, &QLineEdit::textChanged, this, &Wireless::slot_changed);
    }
    for (QComboBox *list : {ComboBox_1, ComboBox_2, ComboBox_type, ComboBox_format, ComboBoxk}) {
        connect(list, QOverload<int>::of(&QComboBox::activated), this, &Wireless::slot_changed);
    }
    connect(SpinBox1, QOverload<int>::of(&QSpinBox::valueChanged), this, &Wireless::slot_changed);
}

// Made by every load; a reload must not call the handlers twice.
void Wireless::connectKeyHandlers()
{
    connect(CheckBox_encryption, &QCheckBox::toggled, this, &Wireless::slot_enableEncryption, Qt::UniqueConnection);
    connect(ComboBox_type, QOverload<int>::of(&QComboBox::activated), this, &Wireless::slot_typechanged, Qt::UniqueConnection);
    connect(ComboBox_format, QOverload<int>::of(&QComboBox::activated), this, &Wireless::slot_keyformatchanged, Qt::UniqueConnection);
}

bool Wireless::isChanged() const
{
    return m_state.isChanged();
}

void Wireless::setChangedFlag(bool changed)
{
    m_state.setChanged(changed);
}

bool Wireless::isReadOnly() const
{
    return m_state.isReadOnly();
}

void Wireless::setReadOnly(bool readOnly)
{
    m_state.setReadOnly(readOnly);
    updateEnabled();
}

void Wireless::updateEnabled()
{
    setAllEnabled({LineEdit_1, CheckBox_encryption, ComboBox_1, SpinBox1, ComboBox_2}, !m_state.isReadOnly());
    setKeyControlsEnabled(!m_state.isReadOnly());
}

void Wireless::slot_changed()
{
    m_state.tellChanged(true);
}

void Wireless::slot_enableEncryption()
{
    const bool on = CheckBox_encryption->isChecked();
    setKeyControlsEnabled(on);
    if (on) {
        setAllEnabled({LineEdit_h2, LineEdit_h3, LineEdit_h4}, currentType() == KeyType::Bits64);
    }
}

void Wireless::slot_typechanged(int)
{
    const KeyType type = currentType();
    if (type == m_rememberedType) {
        return;
    }
    if (type == KeyType::Bits64) {
        // Key 1 of 128 bit may be longer than a 40/64-bit key.
        if (!askTruncation()) {
            ComboBox_type->setCurrentIndex(int(KeyType::Bits128));
            return;
        }
        setAllEnabled({LineEdit_h2, LineEdit_h3, LineEdit_h4, ComboBoxk}, true);
    } else {
        for (QLineEdit *field : {LineEdit_h2, LineEdit_h3, LineEdit_h4}) {
            field->setEnabled(false);
            field->clear();
        }
        ComboBoxk->setCurrentIndex(0);
        ComboBoxk->setEnabled(false);
    }
    writeKeyLimits(type, currentFormat());
    m_rememberedType = type;
}

void Wireless::slot_keyformatchanged(int)
{
    const KeyFormat format = currentFormat();
    if (format == m_rememberedFormat) {
        return;
    }
    if (format == KeyFormat::Ascii && !askTruncation()) {
        ComboBox_format->setCurrentIndex(int(KeyFormat::Hexadecimal));
        return;
    }
    writeKeyLimits(currentType(), format);
    m_rememberedFormat = format;
}

bool Wireless::askTruncation()
{
    const QString text =
        i18n("The new type of encryption key will be shorter than the current one. The current key will be truncated. Do you like to continue?");
    return Messages::warningYesNo(this, text, i18n("Wireless Key"), KGuiItem(i18n("&Yes")), KGuiItem(i18n("&No"))) == Messages::Answer::Yes;
}

void Wireless::set_keysize()
{
    writeKeyLimits(currentType(), currentFormat());
    m_rememberedFormat = currentFormat();
}

// A shorter limit cuts a longer key: QLineEdit::setMaxLength truncates the text.
void Wireless::writeKeyLimits(KeyType type, KeyFormat format)
{
    const auto fields = keyFields();
    for (int i = 0; i < WirelessKeyValue::keysInUse(type); ++i) {
        fields.at(i)->setMaxLength(WirelessKeyValue::keyLength(type, format));
    }
}

bool Wireless::check_key(QLineEdit *field)
{
    const QString key = field->text();
    const auto wrong = std::find_if_not(key.cbegin(), key.cend(), isHexDigit);
    if (wrong == key.cend()) {
        return true;
    }
    // i18n: %1 is the first character of the key that is not a hexadecimal digit.
    const QString text = i18n("The Key value must be in hexadecimal. \"%1\" is not a hexadecimal number.", *wrong);
    Messages::error(this, text, i18n("Encryption Key"));
    return false;
}

bool Wireless::check_filling_key(KeyFormat format)
{
    const int length = WirelessKeyValue::keyLength(currentType(), format);
    const auto fields = keyFields();
    return std::all_of(fields.cbegin(), fields.cbegin() + keysInUse(), [length](const QLineEdit *field) {
        return field->text().size() >= length;
    });
}

void Wireless::filling_keys(KeyFormat format)
{
    const int length = WirelessKeyValue::keyLength(currentType(), format);
    const auto fields = keyFields();
    for (int i = 0; i < keysInUse(); ++i) {
        fields.at(i)->setText(WirelessKeyValue::padded(fields.at(i)->text(), length));
    }
}

bool Wireless::loadSettings(const WirelessOptionsFile::Loaded &loaded)
{
    const bool own = loaded.origin == WirelessOptionsFile::Origin::Own;
    // A foreign file found after one of the module's own, or none, is news again.
    if (own || loaded.origin == WirelessOptionsFile::Origin::Missing) {
        m_toldOf.reset();
    }
    if (own) {
        showFile(loaded.settings);
    } else {
        showDefaults(loaded);
    }
    connectKeyHandlers();
    // Keeps the length rule of the type and format shown in force from the start.
    set_keysize();
    // Filling the fields opened some of them.
    if (m_state.isReadOnly()) {
        updateEnabled();
    }
    return own;
}

void Wireless::showDefaults(const WirelessOptionsFile::Loaded &loaded)
{
    ComboBoxk->setCurrentIndex(0);
    ComboBox_type->setCurrentIndex(int(KeyType::Bits128));
    ComboBox_format->setCurrentIndex(int(KeyFormat::Hexadecimal));
    m_rememberedType = KeyType::Bits128;
    // Without a file, or with one replaced, the defaults shown are what the next save writes.
    const bool shown = loaded.origin == WirelessOptionsFile::Origin::Missing || loaded.replaced.value_or(false);
    if (shown || loaded.replaced.has_value()) {
        const WirelessOptionsFile &defaults = loaded.settings;
        LineEdit_1->setText(shown ? defaults.essid.value_or(QString()) : QString());
        CheckBox_encryption->setChecked(false);
        ComboBox_1->setCurrentIndex(0);
        ComboBox_2->setCurrentIndex(0);
        SpinBox1->setValue(defaults.channel.value_or(QString()).toInt());
        setKeyControlsEnabled(false);
    }
    if (loaded.replaced == false) {
        for (QLineEdit *field : keyFields()) {
            field->clear();
        }
    }
    if (shown) {
        m_state.setChanged(true);
    }
    tellOfForeignFile(loaded);
}

void Wireless::tellOfForeignFile(const WirelessOptionsFile::Loaded &loaded)
{
    // Only the superuser's load tries to replace the file, and hears of it.
    if (!loaded.replaced || m_toldOf == loaded.foreignLines) {
        return;
    }
    m_toldOf = loaded.foreignLines;
    const QString text = i18n(
        "Your current wireless configuration was not generated by this panel and cannot be used. It is being replaced with default settings. The original "
        "configuration file has been copied to /etc/pcmcia/wireless.opts.orig");
    Messages::information(this, text, settingCaption());
    if (!*loaded.replaced) {
        Messages::sorry(this, text, settingCaption());
    }
}

void Wireless::setKeyControlsEnabled(bool enabled)
{
    setAllEnabled({LineEdit_h1, LineEdit_h2, LineEdit_h3, LineEdit_h4, ComboBoxk, ComboBox_type, ComboBox_format}, enabled);
}

void Wireless::showFile(const WirelessOptionsFile &file)
{
    if (file.essid) {
        LineEdit_1->setText(*file.essid);
    }
    if (file.mode) {
        const int word = modeWords().indexOf(*file.mode);
        ComboBox_1->setCurrentIndex(findIndex(ComboBox_1, word < 0 ? *file.mode : ComboBox_1->itemText(word)));
    }
    if (file.channel) {
        // Not a number: 0, which the channel field takes as its lowest channel.
        SpinBox1->setValue(file.channel->toInt());
    }
    if (file.rate) {
        const int word = rateWords().indexOf(*file.rate);
        ComboBox_2->setCurrentIndex(findIndex(ComboBox_2, word < 0 ? *file.rate : ComboBox_2->itemText(word)));
    }
    if (file.key) {
        showKeyLine(*file.key);
    }
}

void Wireless::showKeyLine(const WirelessOptionsFile::KeyLine &key)
{
    const bool fourKeys = checkValue(key.value);
    CheckBox_encryption->setChecked(key.enabled);
    if (!key.enabled) {
        setKeyControlsEnabled(false);
        return;
    }
    setAllEnabled({ComboBox_type, ComboBox_format, LineEdit_h1}, true);
    setAllEnabled({LineEdit_h2, LineEdit_h3, LineEdit_h4, ComboBoxk}, fourKeys);
}

bool Wireless::checkValue(const QString &value)
{
    const bool ascii = WirelessKeyValue::isAscii(value);
    m_rememberedFormat = ascii ? KeyFormat::Ascii : KeyFormat::Hexadecimal;
    ComboBox_format->setCurrentIndex(int(*m_rememberedFormat));
    const bool fourKeys = WirelessKeyValue::holdsFourKeys(value);
    m_rememberedType = fourKeys ? KeyType::Bits64 : KeyType::Bits128;
    ComboBox_type->setCurrentIndex(int(m_rememberedType));
    if (!fourKeys) {
        LineEdit_h1->setText(WirelessKeyValue::singleKey(value));
        ComboBoxk->setCurrentIndex(0);
        return false;
    }
    ComboBoxk->setCurrentIndex(WirelessKeyValue::defaultKey(value) - 1);
    showKeys(WirelessKeyValue::fourKeys(value));
    return true;
}

void Wireless::showKeys(const QStringList &keys)
{
    const auto fields = keyFields();
    for (int i = 0; i < WirelessKeyValue::keyCount; ++i) {
        fields.at(i)->setText(keys.value(i));
    }
}

int Wireless::findIndex(const QComboBox *list, const QString &text)
{
    return std::max(0, list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

std::optional<WirelessOptionsFile> Wireless::changedFile()
{
    if (!m_state.isChanged()) {
        return std::nullopt;
    }
    if (CheckBox_encryption->isChecked() && !check_filling_key(currentFormat())) {
        filling_keys(currentFormat());
    }
    WirelessOptionsFile file;
    file.essid = LineEdit_1->text();
    file.mode = modeWords().value(ComboBox_1->currentIndex());
    file.channel = QString::number(SpinBox1->value());
    file.rate = rateWords().value(ComboBox_2->currentIndex());
    file.key = WirelessOptionsFile::KeyLine{CheckBox_encryption->isChecked(), currentKeyValue()};
    return file;
}

bool Wireless::applySettings()
{
    const std::optional<WirelessOptionsFile> file = changedFile();
    if (!file) {
        return false;
    }
    if (!file->write()) {
        Messages::error(this, i18n("Unable to save the changes to the wireless configuration file."), i18n("Wireless Saving error"));
        return false;
    }
    m_state.tellChanged(false);
    m_rememberedType = currentType();
    m_rememberedFormat = currentFormat();
    return true;
}

QString Wireless::currentKeyValue() const
{
    const bool ascii = currentFormat() == KeyFormat::Ascii;
    if (currentType() == KeyType::Bits128) {
        return WirelessKeyValue::singleKeyValue(LineEdit_h1->text(), ascii);
    }
    QStringList keys;
    for (const QLineEdit *field : keyFields()) {
        keys << field->text();
    }
    return WirelessKeyValue::fourKeyValue(keys, ascii, ComboBoxk->currentIndex() + 1);
}

bool Wireless::validSetting()
{
    if (!CheckBox_encryption->isChecked() || currentFormat() == KeyFormat::Ascii) {
        return true;
    }
    const auto fields = keyFields();
    return std::all_of(fields.cbegin(), fields.cbegin() + keysInUse(), [this](QLineEdit *field) {
        return check_key(field);
    });
}

Wireless::KeyType Wireless::currentType() const
{
    return ComboBox_type->currentIndex() == 0 ? KeyType::Bits64 : KeyType::Bits128;
}

Wireless::KeyFormat Wireless::currentFormat() const
{
    return ComboBox_format->currentIndex() == 0 ? KeyFormat::Ascii : KeyFormat::Hexadecimal;
}

int Wireless::keysInUse() const
{
    return WirelessKeyValue::keysInUse(currentType());
}

std::array<QLineEdit *, WirelessKeyValue::keyCount> Wireless::keyFields() const
{
    return {LineEdit_h1, LineEdit_h2, LineEdit_h3, LineEdit_h4};
}
