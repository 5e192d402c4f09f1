#pragma once

#include <QObject>

#include <vector>

class QAction;
class QKeyEvent;
class QMenuBar;
class QWidget;

namespace custodex {

// The Alt keys of the menu bar's own items (Preview, Preferences, Exit: actions without a
// menu). Qt's menu bar runs such an item from its Alt key and is then left armed, so the next
// Alt key could run the armed item instead of its own control. Here those keys are taken
// before the menu bar sees them: a key that only one item or control carries acts on it at
// once; a key that several carry ("&Preview" and "&Prev Month") moves between them, as Qt does
// for buddies, and Enter or Space then acts on the one reached. Escape, a click or leaving the
// window disarms an item reached that way. Menus with a title (File, Lists, Help) keep Qt's
// own handling.
class MenuBarKeys : public QObject {
public:
    MenuBarKeys(QWidget* window, QMenuBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Target {
        QAction* Action = nullptr; // an item of the menu bar
        QWidget* Widget = nullptr; // or a control of the window
    };
    bool Owns(QObject* watched, const QKeyEvent& key, QChar& letter) const;
    std::vector<Target> TargetsFor(QChar letter) const;
    void Reach(QChar letter);
    void Act(const Target& target, bool only);
    bool ArmedKey(const QKeyEvent& key);
    void Disarm();

    QWidget* Window;
    QMenuBar* Bar;
    QAction* Armed = nullptr;
};

} // namespace custodex
