#include "holidays/HolidaysByYear.h"

#include <algorithm>

namespace custodex {

namespace {

// Asks nothing and keeps nothing: the run on a blank copy only finds the days.
class SilentQuestions : public OverwriteQuestions {
public:
    OverwriteAnswer AskOverwrite(const QString& /*question*/, OverwriteChoices /*choices*/) override
    {
        return OverwriteAnswer::No;
    }
    void Tell(PromptKind /*kind*/, const QString& /*text*/) override {}
};

bool IsNewYearsDay(const CalendarDay& day)
{
    return day.DayOfMonth == 1 && MonthIndexOf(day.MonthName) == 0;
}

// The parts of a selected year that lie in one calendar year each, in order.
std::vector<SelectedYear> CalendarYearParts(const CalendarDocument& doc, const SelectedYear& year)
{
    std::vector<SelectedYear> parts;
    int first = year.First;
    for (int i = year.First + 1; i < year.End; ++i) {
        if (!IsNewYearsDay(doc.Days[static_cast<std::size_t>(i)]))
            continue;
        parts.push_back({first, i, year.IsSecondYear});
        first = i;
    }
    if (first < year.End)
        parts.push_back({first, year.End, year.IsSecondYear});
    return parts;
}

// The country with only these rows processed, in its own orders.
HolidayCountry CountryWithRows(const HolidayCountry& country, const std::vector<int>& numbers)
{
    HolidayCountry only = country;
    const auto chosen = [&numbers](int number) {
        return std::find(numbers.begin(), numbers.end(), number) == numbers.end();
    };
    std::erase_if(only.ApplyOrder, chosen);
    std::erase_if(only.TestOrder, chosen);
    return only;
}

// The days a dialog's Apply marks for the row alone in the selected year, found on a copy of
// the calendar without marks, so no question and no existing mark changes the answer.
std::vector<int> DaysOfRow(const CalendarDocument& blank, const HolidayCountry& country,
                           bool secondYear, int number)
{
    const HolidayCountry alone = CountryWithRows(country, {number});
    CalendarDocument doc = blank;
    HolidayDialogState state = OpenHolidayDialog(doc, alone, ListKind::Overnights);
    if (secondYear)
        SwitchHolidayPage(doc, state, true);
    state.Rows.at(static_cast<std::size_t>(number - 1)).Ticked = true;
    SilentQuestions questions;
    ApplyHolidays(doc, state, questions);
    std::vector<int> days;
    for (int i = state.Year.First; i < state.Year.End; ++i)
        if (doc.Days[static_cast<std::size_t>(i)].HasOvernight)
            days.push_back(i);
    return days;
}

CalendarDocument WithoutMarks(const CalendarDocument& doc)
{
    CalendarDocument blank = doc;
    for (CalendarDay& day : blank.Days) {
        day.HasOvernight = false;
        day.HasDayVisit = false;
    }
    return blank;
}

HolidayYears YearsOfRow(const HolidaysByYearRequest& request, int number)
{
    const auto index = static_cast<std::size_t>(number - 1);
    return index < request.Rows.size() ? request.Rows[index] : HolidayYears::Never;
}

} // namespace

const QStringList& HolidayYearsWords()
{
    static const QStringList words{QStringLiteral("never"), QStringLiteral("every year"),
                                   QStringLiteral("odd years"), QStringLiteral("even years")};
    return words;
}

bool HolidayGivenIn(HolidayYears years, int year)
{
    switch (years) {
    case HolidayYears::Never:
        return false;
    case HolidayYears::EveryYear:
        return true;
    case HolidayYears::OddYears:
        return year % 2 != 0;
    case HolidayYears::EvenYears:
        return year % 2 == 0;
    }
    return false;
}

std::optional<int> HolidayRowNamed(const HolidayCountry& country, const QString& caption)
{
    for (std::size_t i = 0; i < country.Rows.size(); ++i)
        if (country.Rows[i].Caption == caption && !country.Rows[i].NeverShown)
            return static_cast<int>(i) + 1;
    return std::nullopt;
}

bool AnyHolidayChosen(const HolidaysByYearRequest& request)
{
    return std::any_of(request.Rows.begin(), request.Rows.end(),
                       [](HolidayYears years) { return years != HolidayYears::Never; });
}

HolidaysByYearResult ApplyHolidaysByYear(CalendarDocument& doc,
                                         const HolidaysByYearRequest& request,
                                         OverwriteQuestions& questions)
{
    HolidaysByYearResult result;
    if (!request.Country || !doc.HasCalendar())
        return result;
    const HolidayCountry& country = *request.Country;
    const CalendarDocument before = doc;
    const CalendarDocument blank = WithoutMarks(doc);
    const int rowCount = static_cast<int>(country.Rows.size());

    for (const bool secondYear : {false, true}) {
        const SelectedYear year = SelectYear(doc, secondYear);
        std::vector<std::vector<int>> daysOfRow(static_cast<std::size_t>(rowCount));
        for (int number = 1; number <= rowCount; ++number)
            if (YearsOfRow(request, number) != HolidayYears::Never)
                daysOfRow[static_cast<std::size_t>(number - 1)] =
                    DaysOfRow(blank, country, secondYear, number);

        for (const SelectedYear& part : CalendarYearParts(doc, year)) {
            const int calendarYear = YearOfDay(doc, part.First);
            std::vector<int> numbers;
            for (int number = 1; number <= rowCount; ++number) {
                const std::vector<int>& days = daysOfRow[static_cast<std::size_t>(number - 1)];
                const bool inPart = std::any_of(days.begin(), days.end(), [&part](int day) {
                    return day >= part.First && day < part.End;
                });
                if (inPart && HolidayGivenIn(YearsOfRow(request, number), calendarYear))
                    numbers.push_back(number);
            }
            if (numbers.empty())
                continue;
            const HolidayCountry only = CountryWithRows(country, numbers);
            HolidayDialogState state = OpenHolidayDialog(doc, only, request.Kind);
            state.Year = part;
            RebuildHolidayRows(doc, state);
            for (int number : numbers) {
                HolidayRowState& row = state.Rows.at(static_cast<std::size_t>(number - 1));
                row.Ticked = true;
                row.FieldsWhite = true;
                row.NoNapEnabled = true;
            }
            if (!ApplyHolidays(doc, state, questions).Applied) {
                // A refused time leaves the calendar as it was before the first part.
                doc = before;
                return HolidaysByYearResult{};
            }
            for (int number : numbers)
                if (state.Rows.at(static_cast<std::size_t>(number - 1)).Ticked)
                    ++result.Marked;
        }
    }
    result.Applied = true;
    return result;
}

} // namespace custodex
