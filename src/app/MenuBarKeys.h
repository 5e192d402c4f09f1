#pragma once

#include <QObject>

#include <vector>

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;

namespace custodex {

// The Alt keys of the menu bar's own items (Preview, Preferences, Exit: actions without a
// menu). Qt's menu bar runs such an item from its Alt key and is then left armed, so the next
// Alt key could run the armed item instead of its own control. Here those keys are taken
// before the menu bar sees them: a key that only one item or control carries acts on it at
// once; a key that several carry ("&Preview" and "&Prev Month", "&Edit" and "&Exit") moves
// between them, as Qt does for buddies and for menu titles sharing a letter: a menu is opened,
// an item is marked, a control gets the focus, and Enter or Space then acts on the item
// reached. Escape, a click or leaving the window disarms an item reached that way. Letters no
// such item carries (File, Lists, Help) keep Qt's own handling.
class MenuBarKeys : public QObject {
public:
    MenuBarKeys(QWidget* window, QMenuBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Target {
        QAction* Action = nullptr; // an item of the menu bar, with or without a menu
        QWidget* Widget = nullptr; // or a control of the window
    };
    bool Owns(QObject* watched, const QKeyEvent& key, QChar& letter) const;
    bool InWindow(QObject* watched) const;
    QMenu* OpenBarMenu() const;
    std::vector<Target> TargetsFor(QChar letter) const;
    void Reach(QChar letter);
    void Act(const Target& target, bool only);
    void Open(QAction* item);
    bool ArmedKey(const QKeyEvent& key);
    void Disarm();
    void LeaveBar();

    QWidget* Window;
    QMenuBar* Bar;
    QAction* Armed = nullptr;       // an item without a menu, marked by its Alt key
    QAction* ClosedByAlt = nullptr; // the bar's menu that the Alt of the key pressed closed
};

} // namespace custodex
