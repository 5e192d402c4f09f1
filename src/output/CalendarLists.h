#pragma once

#include "output/CalendarPages.h"

#include <QSize>

#include <functional>

// The textual printouts: the lists of overnights and of day visits, a line for each run of
// days of one reason within a month, over as many pages as they take.

namespace custodex {

enum class TextListKind { Overnights, DayVisits };

struct TextListGeometry {
    int Line = 0;     // L
    int Left = 0;     // s
    int Header = 0;   // T
    int LastLine = 0; // Bl
    int FontHeight = 0;
    int ContentWidth = 0;
};
TextListGeometry ComputeTextListGeometry(QSize page);

// Draws the list's pages; `startPage` is called between two pages (never after the last one).
// Returns the number of pages drawn.
int DrawTextList(DrawingSurface& surface, const CalendarPageInput& input, TextListKind kind,
                 bool includeHeader, const std::function<void()>& startPage);

} // namespace custodex
