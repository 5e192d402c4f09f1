#include "calendar/StartChecks.h"

#include "calendar/CalendarModel.h"

namespace custodex {

StartCheck CheckStartYear(const QString& yearText)
{
    if (yearText.isEmpty())
        return {false, QStringLiteral("You must enter a year before you can start a Calendar."), 0};
    bool isNumber = false;
    const int year = yearText.toInt(&isNumber);
    if (!isNumber)
        return {
            false,
            QStringLiteral("Illegal character in year.  Only the\n\rdigits 0 thru 9 are allowed."),
            0};
    if (year < 1000 || year > 2999)
        return {false,
                QStringLiteral("The Calendar year must be greater than 1000\n\rand less than 3000"),
                0};
    return {true, QString(), year};
}

StartCheck CheckStartMonth(const QString& monthText)
{
    const QString upper = monthText.toUpper();
    const int exact = MonthIndexOf(monthText);
    if (exact >= 0)
        return {true, QString(), exact};
    // The box may hold more than the name; the first month name it contains counts.
    for (int i = 0; i < 12; ++i)
        if (upper.contains(MonthKeys().at(i)))
            return {true, QString(), i};
    return {false, QStringLiteral("Please select a valid start month."), 0};
}

} // namespace custodex
