#include "app/MenuBarKeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>

namespace custodex {

namespace {

// The letter after the first single "&" of a caption, upper case; none for "&&" alone.
QChar MnemonicOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption.at(i + 1).toUpper();
    }
    return {};
}

bool Reachable(const QWidget* widget)
{
    return widget->isVisibleTo(widget->window()) && widget->isEnabled() &&
           widget->focusPolicy() != Qt::NoFocus;
}

} // namespace

MenuBarKeys::MenuBarKeys(QWidget* window, QMenuBar* bar) : QObject(window), Window(window), Bar(bar)
{
    qApp->installEventFilter(this);
}

std::vector<MenuBarKeys::Target> MenuBarKeys::TargetsFor(QChar letter) const
{
    std::vector<Target> targets;
    // Controls first, in the order they were made, which is reading order; then the bar.
    for (QWidget* widget : Window->findChildren<QWidget*>()) {
        if (widget->window() != Window || Bar->isAncestorOf(widget))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            if (MnemonicOf(button->text()) == letter && Reachable(button))
                targets.push_back({nullptr, button});
        }
        else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->buddy() && MnemonicOf(label->text()) == letter && Reachable(label->buddy()))
                targets.push_back({nullptr, label->buddy()});
        }
    }
    for (QAction* action : Bar->actions())
        if (!action->menu() && action->isVisible() && action->isEnabled() &&
            MnemonicOf(action->text()) == letter)
            targets.push_back({action, nullptr});
    return targets;
}

// Alt and a letter that a menu-bar item without a menu carries, pressed in this window while
// no menu or other window is open.
bool MenuBarKeys::Owns(QObject* watched, const QKeyEvent& key, QChar& letter) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != Window || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget() || QApplication::activeWindow() != Window)
        return false;
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::AltModifier || key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return false;
    letter = QChar(key.key());
    for (QAction* action : Bar->actions())
        if (!action->menu() && MnemonicOf(action->text()) == letter)
            return true;
    return false;
}

void MenuBarKeys::Reach(QChar letter)
{
    const std::vector<Target> targets = TargetsFor(letter);
    QAction* wasArmed = Armed;
    Disarm();
    if (targets.empty())
        return;
    if (targets.size() == 1) {
        Act(targets.front(), true);
        return;
    }
    // The one after the one reached last (armed, or holding the focus), else the first.
    std::size_t next = 0;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        const Target& t = targets[i];
        if (wasArmed ? t.Action == wasArmed : t.Widget && t.Widget == QApplication::focusWidget())
            next = (i + 1) % targets.size();
    }
    const Target& target = targets[next];
    if (target.Action) {
        Armed = target.Action;
        Bar->setActiveAction(Armed);
    }
    else {
        target.Widget->setFocus(Qt::ShortcutFocusReason);
    }
}

// An item runs from the event loop, as a click would: its window may be modal. A control
// takes the focus and, when the key is its alone, is clicked as its Alt key would click it.
void MenuBarKeys::Act(const Target& target, bool only)
{
    if (target.Action) {
        QMetaObject::invokeMethod(target.Action, &QAction::trigger, Qt::QueuedConnection);
        return;
    }
    target.Widget->setFocus(Qt::ShortcutFocusReason);
    if (auto* button = qobject_cast<QAbstractButton*>(target.Widget); button && only)
        button->animateClick();
}

// While an item is armed: Enter or Space runs it, Escape only disarms it, any other key
// disarms it and goes on to the control with the focus.
bool MenuBarKeys::ArmedKey(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Alt:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
        return false; // the start of the next Alt key
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: {
        const Target target{Armed, nullptr};
        Disarm();
        Act(target, true);
        return true;
    }
    case Qt::Key_Escape:
        Disarm();
        return true;
    default:
        Disarm();
        return false;
    }
}

void MenuBarKeys::Disarm()
{
    if (Armed && Bar->activeAction() == Armed)
        Bar->setActiveAction(nullptr);
    Armed = nullptr;
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Taken as a key press, so neither the menu bar nor a button acts on it as a shortcut.
        QChar letter;
        if (Owns(watched, *static_cast<QKeyEvent*>(event), letter)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        QChar letter;
        if (Owns(watched, *key, letter)) {
            Reach(letter);
            return true;
        }
        if (Armed && qobject_cast<QWidget*>(watched) &&
            static_cast<QWidget*>(watched)->window() == Window)
            return ArmedKey(*key);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::WindowDeactivate:
        if (watched == Window ||
            (qobject_cast<QWidget*>(watched) && static_cast<QWidget*>(watched)->window() == Window))
            Disarm();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace custodex
