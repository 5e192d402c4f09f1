#pragma once

#include "calendar/ProgramSettings.h"

#include <QString>

#include <array>
#include <vector>

class QAction;
class QMenu;

namespace custodex {

class TQDLMainCalendar;

// The menu items the main window switches as the document comes and goes.
struct MainMenuItems {
    std::vector<QAction*> CalendarActions; // enabled exactly while a calendar exists
    QMenu* ListsMenu = nullptr;            // likewise
    std::array<QAction*, RecentFileCount> RecentFiles{};
    QAction* StartWizard = nullptr;
};

// Builds the main window's menu bar, captions as the program has always shown them, and
// wires each item to its command: one line per item.
MainMenuItems BuildMainMenu(TQDLMainCalendar& window);

} // namespace custodex
