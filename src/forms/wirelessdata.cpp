// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "wirelessdata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace
{
constexpr int s_sizeLimit = 32767;

template<typename Widget>
Widget *place(QWidget *form, const char *name, const QRect &geometry)
{
    auto *widget = new Widget(form);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

void unboundSize(QWidget *widget)
{
    widget->setMinimumSize(0, 0);
    widget->setMaximumSize(s_sizeLimit, s_sizeLimit);
}

// The texts are placeholders: the panel replaces every one with its caption.
QLabel *placeLabel(QWidget *form, const char *name, const QRect &geometry, const char *text)
{
    auto *label = place<QLabel>(form, name, geometry);
    label->setText(QLatin1String(text));
    label->setFocusPolicy(Qt::NoFocus);
    unboundSize(label);
    return label;
}

template<typename Widget>
Widget *placeField(QWidget *form, const char *name, const QRect &geometry)
{
    auto *field = place<Widget>(form, name, geometry);
    field->setFocusPolicy(Qt::StrongFocus);
    unboundSize(field);
    return field;
}

QComboBox *placeList(QWidget *form, const char *name, const QRect &geometry)
{
    auto *list = placeField<QComboBox>(form, name, geometry);
    list->setEditable(false);
    return list;
}
}

WirelessData::WirelessData(QWidget *parent, const char *name)
    : QWidget(parent)
{
    setObjectName(QLatin1String(name));
    // Creation order is stacking order: the encryption controls come after
    // the group box so that they are drawn over it, not hidden behind it.
    createTopSettings();
    gbox = place<QGroupBox>(this, "gbox", QRect(10, 130, 450, 280));
    CheckBox_encryption = place<QCheckBox>(this, "Enable Encryption", QRect(20, 160, 200, 23));
    CheckBox_encryption->setText(QStringLiteral("Enable Encryption"));
    createEncryptionLabels();
    createEncryptionFields();

    resize(460, 480);
    setMinimumSize(460, 480);
    setMaximumSize(s_sizeLimit, s_sizeLimit);
}

void WirelessData::createTopSettings()
{
    Label_1 = placeLabel(this, "Label_1", QRect(10, 10, 150, 23), "Network Name (ESSID): ");
    Label_3 = placeLabel(this, "Label_3", QRect(10, 40, 150, 23), "Mode:");
    Label_4 = placeLabel(this, "Label_4", QRect(10, 70, 150, 23), "Channel:");
    Label_5 = placeLabel(this, "Label_5", QRect(10, 100, 150, 23), "Transfer Rate:");

    LineEdit_1 = placeField<QLineEdit>(this, "LineEdit_1", QRect(160, 10, 200, 23));
    LineEdit_1->setMaxLength(40);
    ComboBox_1 = placeList(this, "ComboBox_1", QRect(160, 40, 115, 23));
    SpinBox1 = placeField<QSpinBox>(this, "SpinBox1", QRect(160, 70, 60, 23));
    SpinBox1->setRange(1, 11);
    ComboBox_2 = placeList(this, "ComboBox_2", QRect(160, 100, 115, 23));
}

void WirelessData::createEncryptionLabels()
{
    Label_type = placeLabel(this, "Label_type", QRect(20, 190, 110, 23), "Key 1:");
    Label_format = placeLabel(this, "Label_type", QRect(20, 220, 110, 23), "Key 1:");
    Label_k1 = placeLabel(this, "Label_k1", QRect(40, 250, 110, 23), "Key 1:");
    Label_k2 = placeLabel(this, "Label_k2", QRect(40, 280, 110, 23), "Key 2:");
    Label_k3 = placeLabel(this, "Label_k3", QRect(40, 310, 110, 23), "Key 3:");
    Label_k4 = placeLabel(this, "Label_k4", QRect(40, 340, 110, 23), "Key 4:");
    Label_kd = placeLabel(this, "Label_kd", QRect(20, 370, 150, 23), "Default Transfer Key:");
}

void WirelessData::createEncryptionFields()
{
    ComboBox_type = placeList(this, "ComboBox_2", QRect(160, 190, 100, 23));
    ComboBox_format = placeList(this, "ComboBox_2", QRect(160, 220, 100, 23));
    LineEdit_h1 = placeField<QLineEdit>(this, "LineEdit_h", QRect(160, 250, 200, 23));
    LineEdit_h2 = placeField<QLineEdit>(this, "LineEdit_h", QRect(160, 280, 200, 23));
    LineEdit_h3 = placeField<QLineEdit>(this, "LineEdit_h", QRect(160, 310, 200, 23));
    LineEdit_h4 = placeField<QLineEdit>(this, "LineEdit_h", QRect(160, 340, 200, 23));
    ComboBoxk = placeList(this, "ComboBoxk", QRect(160, 370, 100, 23));
}
