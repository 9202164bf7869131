// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "wirelessdata.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "atleast.h"
#include "fittingcombobox.h"
#include "named.h"

namespace
{
// The sizes are the least each widget gets: its text may need more.
template<typename Widget>
Widget *place(QWidget *form, const char *name, int width, int height)
{
    auto *widget = named(new Widget(form), name);
    setAtLeast(widget, width, height);
    return widget;
}

// The texts are placeholders: the panel replaces every one with its caption.
QLabel *placeLabel(QWidget *form, const char *name, const char *text, int indent = 0)
{
    auto *label = place<QLabel>(form, name, 0, 23);
    label->setText(QLatin1String(text));
    label->setFocusPolicy(Qt::NoFocus);
    label->setContentsMargins(indent, 0, 0, 0);
    return label;
}

template<typename Widget>
Widget *placeField(QWidget *form, const char *name, int width)
{
    auto *field = place<Widget>(form, name, width, 23);
    field->setFocusPolicy(Qt::StrongFocus);
    return field;
}

QComboBox *placeList(QWidget *form, const char *name, int width)
{
    return placeField<FittingComboBox>(form, name, width);
}

// Labels in the first column, at least labelWidth wide, their fields beside them.
QGridLayout *rows(const QList<std::pair<QLabel *, QWidget *>> &pairs, int labelWidth)
{
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(7);
    grid->setColumnMinimumWidth(0, labelWidth);
    grid->setColumnStretch(2, 1);
    int row = 0;
    for (const auto &[label, field] : pairs) {
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    return grid;
}
}

WirelessData::WirelessData(QWidget *parent, const char *name)
    : QWidget(parent)
{
    setObjectName(QLatin1String(name));
    // Creation order is stacking order: the encryption controls come after
    // the group box so that they are drawn over it, not hidden behind it.
    createTopSettings();
    gbox = named(new QGroupBox(this), "gbox");
    CheckBox_encryption = place<QCheckBox>(this, "Enable Encryption", 200, 23);
    CheckBox_encryption->setText(QStringLiteral("Enable Encryption"));
    createEncryptionLabels();
    createEncryptionFields();
    layOut();
    setMinimumSize(460, 480);
}

void WirelessData::createTopSettings()
{
    Label_1 = placeLabel(this, "Label_1", "Network Name (ESSID): ");
    Label_3 = placeLabel(this, "Label_3", "Mode:");
    Label_4 = placeLabel(this, "Label_4", "Channel:");
    Label_5 = placeLabel(this, "Label_5", "Transfer Rate:");

    LineEdit_1 = placeField<QLineEdit>(this, "LineEdit_1", 200);
    LineEdit_1->setMaxLength(40);
    ComboBox_1 = placeList(this, "ComboBox_1", 115);
    SpinBox1 = placeField<QSpinBox>(this, "SpinBox1", 60);
    SpinBox1->setRange(1, 11);
    ComboBox_2 = placeList(this, "ComboBox_2", 115);
}

void WirelessData::createEncryptionLabels()
{
    Label_type = placeLabel(this, "Label_type", "Key 1:");
    Label_format = placeLabel(this, "Label_type", "Key 1:");
    Label_k1 = placeLabel(this, "Label_k1", "Key 1:", 20);
    Label_k2 = placeLabel(this, "Label_k2", "Key 2:", 20);
    Label_k3 = placeLabel(this, "Label_k3", "Key 3:", 20);
    Label_k4 = placeLabel(this, "Label_k4", "Key 4:", 20);
    Label_kd = placeLabel(this, "Label_kd", "Default Transfer Key:");
}

void WirelessData::createEncryptionFields()
{
    ComboBox_type = placeList(this, "ComboBox_2", 100);
    ComboBox_format = placeList(this, "ComboBox_2", 100);
    LineEdit_h1 = placeField<QLineEdit>(this, "LineEdit_h", 200);
    LineEdit_h2 = placeField<QLineEdit>(this, "LineEdit_h", 200);
    LineEdit_h3 = placeField<QLineEdit>(this, "LineEdit_h", 200);
    LineEdit_h4 = placeField<QLineEdit>(this, "LineEdit_h", 200);
    ComboBoxk = placeList(this, "ComboBoxk", 100);
}

void WirelessData::layOut()
{
    // The group box is only a frame: it spans the cells of the encryption
    // controls, which stay children of the form, inset by its title and margin.
    const QList<std::pair<QLabel *, QWidget *>> encryption{{Label_type, ComboBox_type},
                                                           {Label_format, ComboBox_format},
                                                           {Label_k1, LineEdit_h1},
                                                           {Label_k2, LineEdit_h2},
                                                           {Label_k3, LineEdit_h3},
                                                           {Label_k4, LineEdit_h4},
                                                           {Label_kd, ComboBoxk}};
    auto *frame = new QGridLayout;
    frame->setHorizontalSpacing(6);
    frame->setVerticalSpacing(7);
    frame->addWidget(gbox, 0, 0, int(encryption.size()) + 3, 4);
    frame->setRowMinimumHeight(0, fontMetrics().height() + 3);
    frame->setColumnMinimumWidth(0, 4);
    frame->setColumnMinimumWidth(1, 140);
    frame->setColumnStretch(3, 1);
    frame->addWidget(CheckBox_encryption, 1, 1, 1, 2);
    int row = 2;
    for (const auto &[label, field] : encryption) {
        frame->addWidget(label, row, 1);
        frame->addWidget(field, row++, 2);
    }
    frame->setRowMinimumHeight(row, 3);

    auto *form = new QVBoxLayout(this);
    form->setContentsMargins(10, 10, 0, 10);
    form->setSpacing(7);
    form->addLayout(rows({{Label_1, LineEdit_1}, {Label_3, ComboBox_1}, {Label_4, SpinBox1}, {Label_5, ComboBox_2}}, 150));
    form->addLayout(frame);
    form->addStretch();
}
