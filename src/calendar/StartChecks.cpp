#include "calendar/StartChecks.h"

#include "calendar/CalendarModel.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace custodex {

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

StartCheck CheckStartYear(const QString& yearText)
{
    if (yearText.isEmpty())
        return {false, QStringLiteral("You must enter a year before you can start a Calendar."), 0};
    // Only the digits: a number reader would also take a sign or blanks around it.
    bool isNumber = std::all_of(yearText.begin(), yearText.end(), IsDigit);
    const int year = isNumber ? yearText.toInt(&isNumber) : 0;
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

QValidator* NewStartYearValidator(QObject* parent)
{
    static const QRegularExpression fourDigits(QStringLiteral("[0-9]{0,4}"));
    return new QRegularExpressionValidator(fourDigits, parent);
}

} // namespace custodex
