#pragma once

#include <functional>

class QLineEdit;

namespace custodex {

// Makes a read-only time field a stop of the Tab order that the keyboard can open as a click
// does: Enter, Space, F4 or Alt+Down call `open`. The field keeps its own mouse handling.
void OpenTimeEntryOnKeys(QLineEdit* field, std::function<void()> open);

} // namespace custodex
