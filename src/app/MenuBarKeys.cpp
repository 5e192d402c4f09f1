#include "app/MenuBarKeys.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
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

bool IsModifier(int key)
{
    return key == Qt::Key_Alt || key == Qt::Key_Shift || key == Qt::Key_Control ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
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

// The menu of a bar title shown as the open popup, if any (not a submenu, not a context menu).
QMenu* MenuBarKeys::OpenBarMenu() const
{
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    return menu && Bar->actions().contains(menu->menuAction()) ? menu : nullptr;
}

// A widget of this window, or the bar's menu open over it.
bool MenuBarKeys::InWindow(QObject* watched) const
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    QMenu* open = OpenBarMenu();
    return widget->window() == Window || (open && widget->window() == open);
}

std::vector<MenuBarKeys::Target> MenuBarKeys::TargetsFor(QChar letter) const
{
    std::vector<Target> targets;
    // Controls first, in the order they were made, which is reading order; then the bar's
    // titles and items from left to right.
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
        if (action->isVisible() && action->isEnabled() &&
            (!action->menu() || action->menu()->isEnabled()) &&
            MnemonicOf(action->text()) == letter)
            targets.push_back({action, nullptr});
    return targets;
}

// Alt and a letter that a menu-bar item without a menu carries, pressed in this window (or in
// one of its bar's menus) while no other popup or window is open.
bool MenuBarKeys::Owns(QObject* watched, const QKeyEvent& key, QChar& letter) const
{
    const QWidget* popup = QApplication::activePopupWidget();
    if (!InWindow(watched) || (popup && popup != OpenBarMenu()) ||
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
    // The one reached last: an item marked; a menu open, or closed by this key's own Alt
    // (a menu closes when Alt is pressed in it); a title the bar highlights after Escape.
    QAction* last = Armed;
    if (QMenu* open = OpenBarMenu(); !last && open)
        last = open->menuAction();
    if (!last)
        last = ClosedByAlt;
    if (!last)
        last = Bar->activeAction();
    ClosedByAlt = nullptr;
    Disarm();
    if (targets.empty())
        return;
    if (targets.size() == 1) {
        Act(targets.front(), true);
        return;
    }
    // The one after the one reached last, else after the control with the focus, else the
    // first.
    auto indexOf = [&targets](auto matches) -> std::ptrdiff_t {
        for (std::size_t i = 0; i < targets.size(); ++i)
            if (matches(targets[i]))
                return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    std::ptrdiff_t at = last ? indexOf([last](const Target& t) { return t.Action == last; }) : -1;
    if (at < 0)
        at = indexOf(
            [](const Target& t) { return t.Widget && t.Widget == QApplication::focusWidget(); });
    const Target& target = targets[static_cast<std::size_t>(at + 1) % targets.size()];
    if (target.Action && target.Action->menu()) {
        Open(target.Action);
    }
    else if (target.Action) {
        LeaveBar(); // a menu still open closes first
        Armed = target.Action;
        Bar->setActiveAction(Armed);
    }
    else {
        LeaveBar();
        target.Widget->setFocus(Qt::ShortcutFocusReason);
    }
}

// An item runs from the event loop, as a click would: its window may be modal. A menu opens.
// A control takes the focus and, when the key is its alone, is clicked as its Alt key would
// click it.
void MenuBarKeys::Act(const Target& target, bool only)
{
    if (target.Action && target.Action->menu()) {
        Open(target.Action);
        return;
    }
    if (target.Action) {
        QMetaObject::invokeMethod(target.Action, &QAction::trigger, Qt::QueuedConnection);
        return;
    }
    target.Widget->setFocus(Qt::ShortcutFocusReason);
    if (auto* button = qobject_cast<QAbstractButton*>(target.Widget); button && only)
        button->animateClick();
}

// Opens a title's menu as its own Alt key would: the menu shown, its first item highlighted.
void MenuBarKeys::Open(QAction* item)
{
    LeaveBar();
    Bar->setActiveAction(item);
    QMenu* menu = item->menu();
    if (!menu->isVisible())
        return;
    for (QAction* action : menu->actions())
        if (action->isVisible() && action->isEnabled() && !action->isSeparator()) {
            menu->setActiveAction(action);
            break;
        }
}

// While an item is armed: Enter or Space runs it, Escape only disarms it, any other key
// disarms it and goes on to the control with the focus.
bool MenuBarKeys::ArmedKey(const QKeyEvent& key)
{
    if (IsModifier(key.key()))
        return false; // the start of the next Alt key
    if (Bar->activeAction() != Armed) {
        // The bar moved on (the pointer opened a menu): nothing is armed any more.
        Armed = nullptr;
        return false;
    }
    switch (key.key()) {
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
    QAction* armed = Armed;
    Armed = nullptr;
    if (armed && Bar->activeAction() == armed)
        LeaveBar();
}

// The bar's own Escape: no title highlighted, no menu open, the focus back where it was. Not
// setActiveAction(nullptr), which leaves the bar in the state where pointing at a title opens
// its menu without a click.
void MenuBarKeys::LeaveBar()
{
    if (!Bar->activeAction() && !OpenBarMenu())
        return;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(Bar, &escape);
}

bool MenuBarKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Taken as a key press, so neither the menu bar nor a button acts on it as a shortcut.
        const auto* key = static_cast<QKeyEvent*>(event);
        QChar letter;
        if (Owns(watched, *key, letter)) {
            event->accept();
            return true;
        }
        // Another shortcut (Alt+A, Ctrl+Z...) acts before any key press: the item armed is
        // left, so a later Enter cannot run it.
        if (Armed && InWindow(watched) && !IsModifier(key->key()) && key->key() != Qt::Key_Return &&
            key->key() != Qt::Key_Enter && key->key() != Qt::Key_Space &&
            key->key() != Qt::Key_Escape)
            Disarm();
        break;
    }
    case QEvent::KeyPress: {
        // Seen once by the window system's window and once more by the widget it goes to.
        if (!watched->isWidgetType())
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        QChar letter;
        if (Owns(watched, *key, letter)) {
            Reach(letter);
            return true;
        }
        if (key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta) {
            // Pressed in a menu of the bar, Alt closes it: the next letter goes on from there.
            if (QMenu* open = OpenBarMenu())
                ClosedByAlt = open->menuAction();
        }
        else if (!IsModifier(key->key())) {
            ClosedByAlt = nullptr;
        }
        if (Armed && InWindow(watched))
            return ArmedKey(*key);
        break;
    }
    case QEvent::KeyRelease:
        // Alt pressed and released alone in a menu closes it and nothing more.
        if (const auto* key = static_cast<QKeyEvent*>(event);
            key->key() == Qt::Key_Alt || key->key() == Qt::Key_Meta)
            ClosedByAlt = nullptr;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::WindowDeactivate:
        if (InWindow(watched)) {
            ClosedByAlt = nullptr;
            Disarm();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace custodex
