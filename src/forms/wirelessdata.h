// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSpinBox;

/**
 * The widgets of the Wireless tab, in rows of label and field: the network name,
 * mode, channel and rate at the top, and the encryption controls drawn over
 * a group box below. The group box is only a frame: every widget is a direct
 * child of the form. Wireless gives them their captions, lists and behaviour.
 *
 * Several object names repeat, as they always have ("Label_type",
 * "ComboBox_2", "LineEdit_h"); the members that carry them have names of
 * their own, and nothing looks a widget up by its object name.
 */
class WirelessData : public QWidget
{
public:
    explicit WirelessData(QWidget *parent = nullptr, const char *name = nullptr);

    QLabel *Label_1; ///< network name
    QLabel *Label_3; ///< mode
    QLabel *Label_4; ///< channel
    QLabel *Label_5; ///< transfer rate
    QLabel *Label_type; ///< key type
    QLabel *Label_format; ///< key format (object name "Label_type")
    QLabel *Label_k1;
    QLabel *Label_k2;
    QLabel *Label_k3;
    QLabel *Label_k4;
    QLabel *Label_kd; ///< default key
    QGroupBox *gbox;
    QCheckBox *CheckBox_encryption; ///< object name "Enable Encryption"
    QComboBox *ComboBox_type; ///< key type (object name "ComboBox_2")
    QComboBox *ComboBox_format; ///< key format (object name "ComboBox_2")
    QLineEdit *LineEdit_1; ///< network name (ESSID)
    QComboBox *ComboBox_1; ///< mode
    QSpinBox *SpinBox1; ///< channel
    QComboBox *ComboBox_2; ///< transfer rate
    QLineEdit *LineEdit_h1; ///< key 1 (object name "LineEdit_h", as keys 2 to 4)
    QLineEdit *LineEdit_h2;
    QLineEdit *LineEdit_h3;
    QLineEdit *LineEdit_h4;
    QComboBox *ComboBoxk; ///< default key

private:
    void createTopSettings();
    void createEncryptionLabels();
    void createEncryptionFields();
    void layOut();
};
