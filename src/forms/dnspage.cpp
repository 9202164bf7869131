// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "dnspage.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>

#include <KLocalizedString>

#include "atleast.h"
#include "named.h"

namespace
{
QToolButton *createArrowButton(QWidget *parent, const char *name, Qt::ArrowType arrow)
{
    auto *button = named(new QToolButton(parent), name);
    button->setArrowType(arrow);
    setAtLeast(button, 20, 20);
    return button;
}

QPushButton *createPushButton(QWidget *parent, const char *name, const QString &text)
{
    auto *button = named(new QPushButton(text, parent), name);
    setAtLeast(button, 110, 26);
    return button;
}

QLabel *createManagedLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("m_pLabelManaged"));
    label->setWordWrap(true);
    label->hide();
    return label;
}

// Inner layouts take their room from the page's margin, never their own.
QBoxLayout *createInnerLayout(QBoxLayout::Direction direction, int spacing)
{
    auto *layout = new QBoxLayout(direction);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}
}

DNSPage::DNSPage(QWidget *parent, const char *name, Qt::WindowFlags fl)
    : QWidget(parent, fl)
{
    setObjectName(name ? QLatin1String(name) : QLatin1String("DNSPage"));
    resize(446, 362);
    setWindowTitle(i18n("DNS Server Page"));

    m_pLabelTitle = named(new QLabel(i18n("S&earch domain servers in the following order:"), this), "m_pLabelTitle");

    m_pListBox = named(new QListWidget(this), "m_pListBox");
    setAtLeast(m_pListBox, 260, 220);
    m_pLabelTitle->setBuddy(m_pListBox);

    m_pDbtnUp = createArrowButton(this, "m_pDbtnUp", Qt::UpArrow);
    m_pDbtnDown = createArrowButton(this, "m_pDbtnDown", Qt::DownArrow);
    m_pPbtnAdd = createPushButton(this, "m_pPbtnAdd", i18n("Inser&t"));
    m_pPbtnRemove = createPushButton(this, "m_pPbtnRemove", i18n("Re&move"));

    m_pLabelManaged = createManagedLabel(this);

    buildLayout();

    connect(m_pPbtnAdd, &QPushButton::clicked, this, &DNSPage::addServer);
    connect(m_pPbtnRemove, &QPushButton::clicked, this, &DNSPage::removeServer);
}

void DNSPage::buildLayout()
{
    // The arrows sit centred beside the list, the buttons at its top.
    auto *arrows = createInnerLayout(QBoxLayout::TopToBottom, 0);
    arrows->addStretch();
    arrows->addWidget(m_pDbtnUp);
    arrows->addWidget(m_pDbtnDown);
    arrows->addStretch();

    auto *buttons = createInnerLayout(QBoxLayout::TopToBottom, 6);
    buttons->addWidget(m_pPbtnAdd);
    buttons->addWidget(m_pPbtnRemove);
    buttons->addStretch();

    auto *listRow = createInnerLayout(QBoxLayout::LeftToRight, 6);
    listRow->addWidget(m_pListBox);
    listRow->addLayout(arrows);
    listRow->addLayout(buttons);

    auto *column = createInnerLayout(QBoxLayout::TopToBottom, 6);
    column->addWidget(m_pLabelTitle);
    column->addLayout(listRow);
    column->addWidget(m_pLabelManaged);

    auto *topRow = createInnerLayout(QBoxLayout::LeftToRight, 6);
    topRow->addLayout(column);
    topRow->addStretch();

    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(11, 11, 11, 11);
    page->setSpacing(6);
    page->addLayout(topRow);
    page->addStretch();
}

void DNSPage::addServer()
{
    qWarning("DNSPage::addServer(void): Not implemented yet!");
}

void DNSPage::removeServer()
{
    qWarning("DNSPage::removeServer(void): Not implemented yet!");
}
