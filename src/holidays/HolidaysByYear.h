#pragma once

#include "holidays/HolidayApplication.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Holidays as orders give them: each holiday to the non-custodial parent in every year, in
// odd-numbered or in even-numbered years, counted by the calendar year of the holiday's own
// date (a span that starts in September holds parts of three calendar years). The days,
// times, reasons and overwrite questions are those of the holiday dialogs: each part of a
// selected year that lies in one calendar year is applied as one Apply of a dialog with the
// holidays of that year ticked.

namespace custodex {

enum class HolidayYears { Never, EveryYear, OddYears, EvenYears };

// "never", "every year", "odd years", "even years", as the window's choices show them.
const QStringList& HolidayYearsWords();

// Whether a holiday set to `years` is given in the calendar year `year`.
bool HolidayGivenIn(HolidayYears years, int year);

struct HolidaysByYearRequest {
    const HolidayCountry* Country = nullptr;
    ListKind Kind = ListKind::Overnights;
    std::vector<HolidayYears> Rows; // Rows[n - 1] for row number n; missing rows are never
};

struct HolidaysByYearResult {
    bool Applied = false; // false after a refused day-visit time: nothing was changed
    int Marked = 0;       // holiday days marked (new or re-stored)
};

// The row of the country with exactly this caption, among the rows a dialog can show in some
// year (the Golden Jubilee only in 2002); nothing for an unknown caption.
std::optional<int> HolidayRowNamed(const HolidayCountry& country, const QString& caption);

bool AnyHolidayChosen(const HolidaysByYearRequest& request);

// Applies every chosen holiday in both years of the span, in the years it is given.
HolidaysByYearResult ApplyHolidaysByYear(CalendarDocument& doc,
                                         const HolidaysByYearRequest& request,
                                         OverwriteQuestions& questions);

} // namespace custodex
