#include "holidays/ui/HolidayCommands.h"

#include "calendar/ui/CalendarCommands.h"
#include "calendar/ui/CommandHost.h"
#include "holidays/HolidayLists.h"
#include "holidays/ui/HolidayDialog.h"
#include "output/ui/OutputCommands.h"

namespace custodex {

THolidayDialog& HolidayWindow(CommandHost& host, const HolidayCountry& country)
{
    // Three dialogs of one class: each is found by its form name.
    QWidget* parent = host.ParentWidget();
    if (auto* kept =
            parent->findChild<THolidayDialog*>(country.FormClass, Qt::FindDirectChildrenOnly))
        return *kept;
    return *new THolidayDialog(
        country, host.Services().Messages, host.Clock(), [&host] { RunPreview(host); },
        [&host] { host.RedrawMonth(); }, parent);
}

namespace {

// The name of an Apply of the country's dialog in the Edit menu, as the menu names it.
QString HolidayStepName(const HolidayCountry& country)
{
    if (&country == &UnitedStatesHolidays())
        return QStringLiteral("U.S. Holidays");
    if (&country == &CanadianHolidays())
        return QStringLiteral("Canadian Holidays");
    return QStringLiteral("United Kingdom Holidays");
}

} // namespace

void RunHolidays(CommandHost& host, const HolidayCountry& country, ListKind kind)
{
    RunDayChangingCommand(
        host, DayChangingGroup::Holidays,
        [&host, &country, kind] {
            return HolidayWindow(host, country).Execute(host.Document(), kind);
        },
        HolidayStepName(country));
}

} // namespace custodex
