#pragma once

#include "calendar/CalendarModel.h"

#include <QString>

// The names of the printouts and of the files they are written to.

namespace custodex {

// The printouts and the base names of their picture files.
enum class PrintLayout { YearPages, MonthPages, OvernightList, DayVisitList };
QString CalendarPageBaseName(const CalendarDocument& doc, PrintLayout layout, int page);
// "year", "month", "overnights", "day-visits": the printout's name on the command line.
QString PrintLayoutName(PrintLayout layout);
// A whole printout in one PDF file: client + "_" + the printout's name + ".pdf".
QString CalendarPdfFileName(const CalendarDocument& doc, PrintLayout layout);

} // namespace custodex
