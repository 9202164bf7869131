// SPDX-FileCopyrightText: 2026 quorlan developers
// SPDX-License-Identifier: GPL-2.0-or-later

#include "driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>

#include <KCModule>

#include "boxanswerer.h"

#include <dlfcn.h>

namespace
{
using Factory = KCModule *(*)(QWidget *parent, const char *name);

QString checkState(const QAbstractButton &button)
{
    return button.isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
}

QString listItems(const QListWidget &list)
{
    QStringList items;
    for (int row = 0; row < list.count(); ++row) {
        items.append(list.item(row)->text());
    }
    return items.join(QLatin1String(", "));
}

// What a user reads off the widget.
QString shownValue(const QWidget &widget)
{
    if (const auto *edit = qobject_cast<const QLineEdit *>(&widget)) {
        return edit->text();
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(&widget)) {
        return button->isCheckable() ? checkState(*button) : BoxAnswerer::plainLabel(button->text());
    }
    if (const auto *combo = qobject_cast<const QComboBox *>(&widget)) {
        return combo->currentText();
    }
    if (const auto *list = qobject_cast<const QListWidget *>(&widget)) {
        return listItems(*list);
    }
    if (const auto *tabs = qobject_cast<const QTabWidget *>(&widget)) {
        return BoxAnswerer::plainLabel(tabs->tabText(tabs->currentIndex()));
    }
    if (const auto *spin = qobject_cast<const QSpinBox *>(&widget)) {
        return QString::number(spin->value());
    }
    if (const auto *label = qobject_cast<const QLabel *>(&widget)) {
        return label->text();
    }
    return QString::fromLatin1(widget.metaObject()->className());
}

QString describe(const QWidget &widget)
{
    QString value = shownValue(widget);
    if (value.isEmpty()) {
        value = QStringLiteral("(empty)");
    }
    if (!widget.isEnabled()) {
        value += QStringLiteral(" (disabled)");
    }
    return widget.objectName() + QStringLiteral(": ") + value;
}

// Where a click toggles a check box or radio button: on its box and label,
// which need not reach the middle of a widget stretched by its layout.
QPoint clickPoint(QAbstractButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    if (qobject_cast<QCheckBox *>(button)) {
        return button->style()->subElementRect(QStyle::SE_CheckBoxClickRect, &option, button).center();
    }
    if (qobject_cast<QRadioButton *>(button)) {
        return button->style()->subElementRect(QStyle::SE_RadioButtonClickRect, &option, button).center();
    }
    return button->rect().center();
}

int firstStartingWith(const QStringList &labels, const QString &text)
{
    for (int i = 0; i < labels.size(); ++i) {
        if (BoxAnswerer::plainLabel(labels.at(i)).startsWith(text)) {
            return i;
        }
    }
    return -1;
}

QStringList comboLabels(const QComboBox &combo)
{
    QStringList labels;
    for (int i = 0; i < combo.count(); ++i) {
        labels.append(combo.itemText(i));
    }
    return labels;
}

QStringList tabLabels(const QTabWidget &tabs)
{
    QStringList labels;
    for (int i = 0; i < tabs.count(); ++i) {
        labels.append(tabs.tabText(i));
    }
    return labels;
}

void clickTab(QTabWidget *tabs, int index)
{
    QTabBar *bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
}
}

Driver::Driver(const QString &pluginPath, QTextStream &transcript, BoxAnswerer &answerer)
    : m_pluginPath(pluginPath)
    , m_transcript(transcript)
    , m_answerer(answerer)
{
}

Driver::~Driver()
{
    // The library stays loaded: its code may still be on the way out of the
    // event loop, and the leak checker wants its symbols at exit.
    delete m_module;
}

bool Driver::run(const QStringList &steps)
{
    for (const QString &line : steps) {
        const QString step = line.trimmed();
        if (step.isEmpty() || step.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (!runStep(step)) {
            return false;
        }
        QCoreApplication::processEvents();
    }
    return true;
}

bool Driver::runStep(const QString &step)
{
    const QString command = step.section(QLatin1Char(' '), 0, 0);
    const QString name = step.section(QLatin1Char(' '), 1, 1);
    const QString rest = step.section(QLatin1Char(' '), 2);
    if (command == QLatin1String("answer") && !name.isEmpty() && !rest.isEmpty()) {
        m_answerer.addRule(name, rest);
        return true;
    }
    if (command == QLatin1String("details") && !name.isEmpty()) {
        m_answerer.addDetailsRule(step.section(QLatin1Char(' '), 1));
        return true;
    }
    if (command == QLatin1String("picture") && !name.isEmpty() && !rest.isEmpty()) {
        m_answerer.addPictureRule(name, rest);
        return true;
    }
    if (command == QLatin1String("enter") && !name.isEmpty()) {
        m_answerer.addEntry(step.section(QLatin1Char(' '), 1));
        return true;
    }
    if (command == QLatin1String("open")) {
        return open();
    }
    if (!m_module) {
        fail(QStringLiteral("\"%1\" before open").arg(step));
        return false;
    }
    if (command == QLatin1String("buttons")) {
        writeButtons();
        return true;
    }
    if (command == QLatin1String("apply")) {
        apply();
        return true;
    }
    if (command == QLatin1String("save")) {
        // What a shell that ignores the module's buttons would do.
        m_transcript << "save" << Qt::endl;
        m_module->save();
        return true;
    }
    if (command == QLatin1String("show")) {
        return show(name);
    }
    if (command == QLatin1String("type")) {
        return type(name, rest);
    }
    if (command == QLatin1String("click")) {
        return click(name);
    }
    if (command == QLatin1String("choose")) {
        return choose(name, rest);
    }
    fail(QStringLiteral("unknown step \"%1\"").arg(step));
    return false;
}

bool Driver::open()
{
    void *library = dlopen(m_pluginPath.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        fail(QString::fromLocal8Bit(dlerror()));
        return false;
    }
    const auto factory = reinterpret_cast<Factory>(dlsym(library, "create_quorlan"));
    if (!factory) {
        fail(QStringLiteral("%1 has no create_quorlan").arg(m_pluginPath));
        return false;
    }
    m_module = factory(nullptr, "quorlan");
    // The shells listen to this signal to enable their Apply button.
    connect(m_module, qOverload<bool>(&KCModule::changed), this, &Driver::moduleChanged);
    m_module->resize(640, 640);
    m_module->show();
    QCoreApplication::processEvents();
    return true;
}

void Driver::writeButtons()
{
    QStringList names;
    const KCModule::Buttons buttons = m_module->buttons();
    if (buttons & KCModule::Help) {
        names.append(QStringLiteral("Help"));
    }
    if (buttons & KCModule::Default) {
        names.append(QStringLiteral("Default"));
    }
    if (buttons & KCModule::Apply) {
        names.append(QStringLiteral("Apply"));
    }
    m_transcript << "buttons: " << names.join(QLatin1Char(' ')) << Qt::endl;
}

void Driver::apply()
{
    if (!(m_module->buttons() & KCModule::Apply)) {
        m_transcript << "apply: not offered" << Qt::endl;
    } else if (!m_changed) {
        m_transcript << "apply: nothing to save" << Qt::endl;
    } else {
        m_transcript << "apply" << Qt::endl;
        m_module->save();
    }
}

bool Driver::show(const QString &name)
{
    QWidget *widget = find(name);
    if (widget) {
        m_transcript << describe(*widget) << Qt::endl;
    }
    return widget != nullptr;
}

bool Driver::type(const QString &name, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(findUsable(name));
    if (!edit) {
        fail(QStringLiteral("cannot type into %1").arg(name));
        return false;
    }
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
    return true;
}

bool Driver::click(const QString &name)
{
    auto *button = qobject_cast<QAbstractButton *>(findUsable(name));
    if (!button) {
        fail(QStringLiteral("cannot click %1").arg(name));
        return false;
    }
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, clickPoint(button));
    return true;
}

bool Driver::choose(const QString &name, const QString &text)
{
    QWidget *widget = findUsable(name);
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        const int index = firstStartingWith(comboLabels(*combo), text);
        // The arrow keys move one item at a time and report each as chosen.
        while (index >= 0 && combo->currentIndex() != index) {
            QTest::keyClick(combo, index > combo->currentIndex() ? Qt::Key_Down : Qt::Key_Up);
        }
        if (index >= 0) {
            return true;
        }
    }
    if (auto *list = qobject_cast<QListWidget *>(widget)) {
        const QList<QListWidgetItem *> items = list->findItems(text, Qt::MatchStartsWith);
        if (!items.isEmpty()) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(items.first()).center());
            return true;
        }
    }
    if (auto *tabs = qobject_cast<QTabWidget *>(widget)) {
        const int index = firstStartingWith(tabLabels(*tabs), text);
        if (index >= 0) {
            clickTab(tabs, index);
            return true;
        }
    }
    if (widget) {
        fail(QStringLiteral("cannot choose \"%1\" in %2").arg(text, name));
    }
    return false;
}

QWidget *Driver::find(const QString &name)
{
    const QList<QWidget *> found = m_module->findChildren<QWidget *>(name);
    if (found.size() != 1) {
        fail(QStringLiteral("%1 widgets are named \"%2\"").arg(found.size()).arg(name));
        return nullptr;
    }
    return found.first();
}

QWidget *Driver::findUsable(const QString &name)
{
    QWidget *widget = find(name);
    if (!widget) {
        return nullptr;
    }
    bringToFront(widget);
    if (!widget->isVisible()) {
        fail(QStringLiteral("%1 is not shown").arg(name));
        return nullptr;
    }
    if (!widget->isEnabled()) {
        fail(QStringLiteral("%1 is disabled").arg(name));
        return nullptr;
    }
    return widget;
}

void Driver::bringToFront(QWidget *widget)
{
    for (QWidget *page = widget; page && page != m_module; page = page->parentWidget()) {
        QWidget *stack = qobject_cast<QStackedWidget *>(page->parentWidget());
        auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr;
        if (tabs && tabs->currentWidget() != page) {
            clickTab(tabs, tabs->indexOf(page));
            QCoreApplication::processEvents();
        }
    }
}

void Driver::dumpWidgets(QTextStream &to) const
{
    if (!m_module) {
        return;
    }
    const QList<QWidget *> widgets = m_module->findChildren<QWidget *>();
    for (const QWidget *widget : widgets) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_"))) {
            to << describe(*widget) << Qt::endl;
        }
    }
}

void Driver::moduleChanged(bool changed)
{
    if (changed != m_changed) {
        m_changed = changed;
        m_transcript << "changed: " << (changed ? "true" : "false") << Qt::endl;
    }
}

void Driver::fail(const QString &why)
{
    m_transcript << "error: " << why << Qt::endl;
}
