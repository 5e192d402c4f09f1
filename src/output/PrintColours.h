#pragma once

#include "calendar/CalendarModel.h"

#include <cstdint>

class QWidget;

namespace custodex {

class OutputPrompts;

// The three mark colours of a calendar.
struct MarkColours {
    std::int32_t Background;
    std::int32_t Overnight;
    std::int32_t DayVisit;
    friend bool operator==(const MarkColours&, const MarkColours&) = default;
};

// White, silver and black: what any printer prints.
inline constexpr MarkColours DefaultMarkColours{0xFFFFFF, 0xC0C0C0, 0x000000};

MarkColours MarkColoursOf(const CalendarDocument& document);
void SetMarkColours(CalendarDocument& document, const MarkColours& colours);

// The colours a printout on paper uses: the calendar's own, unless they differ from the
// defaults and the user answers No to the colour printer question.
MarkColours ColoursForPrinter(const CalendarDocument& document, OutputPrompts& prompts,
                              QWidget* parent);

// Lends a printout on paper the colours it prints with (asking as above) and gives the
// calendar its own colours back when the printout ends, however it ends.
class PrinterColoursScope {
public:
    PrinterColoursScope(CalendarDocument& document, OutputPrompts& prompts, QWidget* parent);
    ~PrinterColoursScope();
    PrinterColoursScope(const PrinterColoursScope&) = delete;
    PrinterColoursScope& operator=(const PrinterColoursScope&) = delete;

private:
    CalendarDocument& Document;
    MarkColours Saved;
};

} // namespace custodex
