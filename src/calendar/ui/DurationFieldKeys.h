#pragma once

#include "calendar/PreferencesLogic.h"

#include <QObject>

#include <functional>

class QLineEdit;

namespace custodex {

class Prompter;

// Lets a duration's read-only hours and minutes fields take typed times ("830", "10:30"),
// their spinners' Up/Down keys and a quarter hour on Page Up/Page Down. `changed` runs after
// every key the fields took, so the dialog shows the duration and marks its edit.
class DurationFieldKeys : public QObject {
public:
    DurationFieldKeys(QLineEdit* hours, QLineEdit* minutes, Duration& duration,
                      Prompter& messages, std::function<void()> changed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* Hours;
    QLineEdit* Minutes;
    Duration& Value;
    Prompter& Messages;
    std::function<void()> Changed;
    DurationTyping Typing;
};

} // namespace custodex
