#pragma once

#include "calendar/CalendarModel.h"
#include "patterns/WeekdayPatterns.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << text.toStdString();
}

namespace custodex::testing {

// A calendar of 24 months from the given month (0 = January) of the given year.
inline CalendarDocument SpanFrom(int startMonthIndex, int startYear)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    BuildSpan(doc, startMonthIndex, startYear);
    RecountCounters(doc);
    return doc;
}

// "2023-03-17" for a day index.
inline QString DateOf(const CalendarDocument& doc, int index)
{
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(index));
    return QStringLiteral("%1-%2-%3")
        .arg(YearOfDay(doc, index))
        .arg(MonthIndexOf(day.MonthName) + 1, 2, 10, QLatin1Char('0'))
        .arg(day.DayOfMonth, 2, 10, QLatin1Char('0'));
}

inline int IndexOf(const CalendarDocument& doc, const QString& date)
{
    const QStringList parts = date.split(QLatin1Char('-'));
    return DayIndexOfDate(doc, parts[0].toInt(), parts[1].toInt() - 1, parts[2].toInt());
}

inline CalendarDay& DayAt(CalendarDocument& doc, const QString& date)
{
    const int index = IndexOf(doc, date);
    EXPECT_GE(index, 0) << date.toStdString();
    return doc.Days.at(static_cast<std::size_t>(std::max(index, 0)));
}

// The dates marked with that kind, in order.
inline QStringList MarkedDates(const CalendarDocument& doc, ListKind kind)
{
    QStringList dates;
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i)
        if (MarkFieldsOf(doc.Days[static_cast<std::size_t>(i)], kind == ListKind::Overnights).Has)
            dates << DateOf(doc, i);
    return dates;
}

// Marks a day by hand, as the month view would.
inline void MarkDay(CalendarDocument& doc, const QString& date, ListKind kind,
                    const QString& reason, const QString& pickup = QStringLiteral("09:00AM"),
                    const QString& dropoff = QStringLiteral("05:00PM"))
{
    DayMarkFields fields = MarkFieldsOf(DayAt(doc, date), kind == ListKind::Overnights);
    fields.Has = true;
    fields.Reason = reason;
    fields.Pickup = pickup;
    fields.Dropoff = dropoff;
}

// "fri,sat" -> the weekday set.
inline WeekdaySet Weekdays(const QString& names)
{
    WeekdaySet set{};
    for (const QString& name : names.split(QLatin1Char(','), Qt::SkipEmptyParts))
        for (int w = 0; w < WeekdayCount; ++w)
            if (PatternWeekdayNames().at(w).startsWith(name, Qt::CaseInsensitive))
                set[static_cast<std::size_t>(w)] = true;
    return set;
}

// The range block of a dialog set from two ISO dates.
inline DateRangeBlock RangeOf(const CalendarDocument& doc, const QString& from, const QString& to)
{
    DateRangeBlock block;
    FillDateRange(doc, block);
    const QStringList a = from.split(QLatin1Char('-'));
    const QStringList b = to.split(QLatin1Char('-'));
    ChooseRangeDate(block.Start, a[0].toInt(), a[1].toInt() - 1, a[2].toInt());
    ChooseRangeDate(block.End, b[0].toInt(), b[1].toInt() - 1, b[2].toInt());
    return block;
}

// Answers overwrite questions from a script and keeps every question and message.
class ScriptedQuestions : public OverwriteQuestions {
public:
    OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices /*choices*/) override
    {
        Asked << question;
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question.toStdString();
            return OverwriteAnswer::Cancel;
        }
        const OverwriteAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void Tell(PromptKind kind, const QString& text) override
    {
        Told << text;
        Kinds.push_back(kind);
    }

    std::deque<OverwriteAnswer> Answers;
    QStringList Asked;
    QStringList Told;
    std::vector<PromptKind> Kinds;
};

} // namespace custodex::testing
