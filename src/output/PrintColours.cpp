#include "output/PrintColours.h"

#include "platform/OutputPrompts.h"

namespace custodex {

MarkColours MarkColoursOf(const CalendarDocument& document)
{
    return {document.BackgroundColour, document.OvernightColour, document.DayVisitColour};
}

void SetMarkColours(CalendarDocument& document, const MarkColours& colours)
{
    document.BackgroundColour = colours.Background;
    document.OvernightColour = colours.Overnight;
    document.DayVisitColour = colours.DayVisit;
}

MarkColours ColoursForPrinter(const CalendarDocument& document, OutputPrompts& prompts,
                              QWidget* parent)
{
    const MarkColours own = MarkColoursOf(document);
    if (own == DefaultMarkColours || prompts.AskColourPrinter(parent))
        return own;
    return DefaultMarkColours;
}

PrinterColoursScope::PrinterColoursScope(CalendarDocument& document, OutputPrompts& prompts,
                                         QWidget* parent)
    : Document(document), Saved(MarkColoursOf(document))
{
    SetMarkColours(Document, ColoursForPrinter(document, prompts, parent));
}

PrinterColoursScope::~PrinterColoursScope()
{
    SetMarkColours(Document, Saved);
}

} // namespace custodex
