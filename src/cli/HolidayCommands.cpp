#include "cli/HolidayCommands.h"

#include "calendar/StartChecks.h"
#include "calendar/TimeText.h"
#include "holidays/HolidayApplication.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>

namespace custodex::cli {

namespace {

QCommandLineOption SecondYearOption()
{
    return QCommandLineOption(QStringLiteral("second-year"),
                              QStringLiteral("Selects months 13 to 24 of the span instead of "
                                             "months 1 to 12, as the dialog's second page does."));
}

QString IsoDate(const CalendarDocument& doc, const SelectedYear& year, int dayIndex)
{
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(dayIndex));
    const int monthIndex = MonthIndexOf(day.MonthName);
    return QStringLiteral("%1-%2-%3")
        .arg(YearOfMonth(doc, year, monthIndex), 4, 10, QLatin1Char('0'))
        .arg(monthIndex + 1, 2, 10, QLatin1Char('0'))
        .arg(day.DayOfMonth, 2, 10, QLatin1Char('0'));
}

// Keeps what an Apply tells; nothing is asked on an empty span.
class RecordedQuestions : public OverwriteQuestions {
public:
    OverwriteAnswer AskOverwrite(const QString& question, OverwriteChoices /*choices*/) override
    {
        Messages << question;
        return OverwriteAnswer::No;
    }
    void Tell(PromptKind /*kind*/, const QString& text) override { Messages << text; }

    QStringList Messages;
};

struct HolidayDates {
    QStringList Dates;
    QStringList Messages;
};

// What applying the row ticked does on an empty span: the engine itself runs with an apply
// order of that row alone, so dates and messages are exactly the dialog's.
HolidayDates DatesOfRow(const CalendarDocument& empty, const HolidayCountry& country,
                        bool secondYear, int number)
{
    HolidayCountry alone = country;
    alone.ApplyOrder = {number};
    alone.TestOrder = {number};
    CalendarDocument doc = empty;
    HolidayDialogState state = OpenHolidayDialog(doc, alone, ListKind::Overnights);
    if (secondYear)
        SwitchHolidayPage(doc, state, true);
    state.Rows.at(static_cast<std::size_t>(number - 1)).Ticked = true;
    RecordedQuestions questions;
    ApplyHolidays(doc, state, questions);
    HolidayDates result;
    result.Messages = questions.Messages;
    for (int i = state.Year.First; i < state.Year.End; ++i)
        if (doc.Days.at(static_cast<std::size_t>(i)).HasOvernight)
            result.Dates << IsoDate(doc, state.Year, i);
    return result;
}

QString ListOfCaptions(const QString& countryName, const QStringList& shownCaptions)
{
    QString text = QStringLiteral("The captions of the ") + countryName +
                   QStringLiteral(" list shown in the selected year:");
    for (const QString& caption : shownCaptions)
        text += QStringLiteral("\n  ") + caption;
    return text;
}

} // namespace

HolidaysCommand::HolidaysCommand()
    : Command(QStringLiteral("holidays"),
              QStringLiteral("Lists the holiday dates of a selected year, without a calendar.")),
      m_secondYear(SecondYearOption())
{
    m_options << m_country << m_startYear << m_startMonth << m_secondYear << m_json;
}

int HolidaysCommand::Execute(const QCommandLineParser& parser, const QStringList& /*arguments*/,
                             QTextStream& out, QTextStream& err) const
{
    const QString countryName = parser.value(m_country);
    const HolidayCountry* country = CountryNamed(countryName);
    if (!country)
        return UsageError(err, QStringLiteral("--country needs us, ca or uk."));
    const StartCheck startYear = CheckStartYear(parser.value(m_startYear));
    if (!startYear.Ok)
        return UsageError(err, startYear.Message);
    const std::optional<int> month = WholeMonthName(parser.value(m_startMonth));
    if (!month)
        return UsageError(err, QStringLiteral("Please select a valid start month."));
    const StartCheck startMonth{true, QString(), *month};

    CalendarDocument doc;
    doc.UserYear = parser.value(m_startYear);
    doc.SelUserMonth = DisplayMonthNames().at(startMonth.Value);
    BuildSpan(doc, startMonth.Value, startYear.Value);
    const bool secondYear = parser.isSet(m_secondYear);
    const SelectedYear year = SelectYear(doc, secondYear);
    const QString from = IsoDate(doc, year, year.First);
    const QString to = IsoDate(doc, year, year.End - 1);

    QJsonArray holidays;
    QString text = country->DesignCaption + QStringLiteral(", selected year ") + from +
                   QStringLiteral(" to ") + to + QLatin1Char('\n');
    for (int number : country->ApplyOrder) {
        const HolidayDefinition& holiday = country->Rows.at(static_cast<std::size_t>(number - 1));
        const bool shown = HolidayRowVisible(doc, year, holiday);
        const HolidayDates dates = DatesOfRow(doc, *country, secondYear, number);
        holidays.append(
            QJsonObject{{QStringLiteral("row"), number},
                        {QStringLiteral("caption"), holiday.Caption},
                        {QStringLiteral("hint"), holiday.Hint},
                        {QStringLiteral("shown"), shown},
                        {QStringLiteral("dates"), QJsonArray::fromStringList(dates.Dates)},
                        {QStringLiteral("messages"), QJsonArray::fromStringList(dates.Messages)}});
        text += QStringLiteral("%1  %2: %3%4\n")
                    .arg(number, 2)
                    .arg(holiday.Caption,
                         dates.Dates.isEmpty() ? QStringLiteral("no date")
                                               : dates.Dates.join(QStringLiteral(", ")),
                         shown ? QString() : QStringLiteral(" (not shown)"));
        for (const QString& message : dates.Messages)
            text += QStringLiteral("      ") +
                    PlainText(message).replace(QLatin1Char('\n'), QStringLiteral("\n      ")) +
                    QLatin1Char('\n');
    }

    if (parser.isSet(m_json)) {
        const QJsonObject object{
            {QStringLiteral("country"), countryName},
            {QStringLiteral("selectedYear"),
             QJsonObject{{QStringLiteral("from"), from}, {QStringLiteral("to"), to}}},
            {QStringLiteral("holidays"), holidays}};
        out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    else {
        out << text;
    }
    out.flush();
    return ExitOk;
}

ApplyHolidaysCommand::ApplyHolidaysCommand()
    : Command(QStringLiteral("apply-holidays"),
              QStringLiteral("Marks or removes holidays as one Apply of a holiday dialog.")),
      m_secondYear(SecondYearOption())
{
    m_options << m_country << m_lists.Overnights << m_lists.DayVisits << m_secondYear << m_tick
              << m_untick << m_noNap << m_overwrite;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")}
                << PositionalArgument{
                       QStringLiteral("OUT.cdb"),
                       QStringLiteral("The file to write: IN.cdb itself or a new file. An "
                                      "existing other file is refused (--overwrite here answers "
                                      "the overwrite questions, it never replaces a file).")};
}

int ApplyHolidaysCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                  QTextStream& out, QTextStream& err) const
{
    const QString countryName = parser.value(m_country);
    const HolidayCountry* country = CountryNamed(countryName);
    if (!country)
        return UsageError(err, QStringLiteral("--country needs us, ca or uk."));
    const std::optional<ListKind> kind = ChosenListKind(parser, m_lists);
    if (!kind)
        return UsageError(err, OneListKindMessage);
    const std::optional<bool> yesToAll = YesToAllPolicy(parser, m_overwrite);
    if (!yesToAll)
        return UsageError(err, OverwritePolicyMessage);

    CalendarDocument doc;
    if (const std::optional<int> refused = OpenCalendarFor(arguments[0], arguments[1], doc, err))
        return *refused;
    const OutputTarget target = CalendarTarget(arguments[0], arguments[1]);
    HolidayDialogState state = OpenHolidayDialog(doc, *country, *kind);
    if (parser.isSet(m_secondYear))
        SwitchHolidayPage(doc, state, true);

    QStringList shownCaptions;
    for (std::size_t i = 0; i < country->Rows.size(); ++i)
        if (state.Rows.at(i).Visible)
            shownCaptions << country->Rows.at(i).Caption;
    // Only the rows the dialog shows can be clicked.
    auto rowOf = [&](const QString& caption) -> HolidayRowState* {
        for (std::size_t i = 0; i < country->Rows.size(); ++i)
            if (country->Rows.at(i).Caption == caption && state.Rows.at(i).Visible)
                return &state.Rows.at(i);
        return nullptr;
    };
    auto unknown = [&](const QString& caption) {
        return Fail(err, QStringLiteral("Unknown holiday caption '") + caption +
                             QStringLiteral("'.\n\r") + ListOfCaptions(countryName, shownCaptions));
    };

    std::set<QString> ticked;
    for (const QString& value : parser.values(m_tick)) {
        QString caption = value;
        QString pickup;
        QString dropoff;
        bool timesGiven = false;
        const qsizetype equals = value.lastIndexOf(QLatin1Char('='));
        if (!rowOf(value) && equals >= 0) {
            caption = value.left(equals);
            const QStringList times = value.mid(equals + 1).split(QLatin1Char(','));
            auto valid = [](const QString& time) {
                return IsNoTime(time) || IsValidTimeText(time);
            };
            if (times.size() != 2 || !valid(times[0]) || !valid(times[1]))
                return UsageError(err, QStringLiteral("--tick needs CAPTION=PICKUP,DROPOFF with "
                                                      "times such as 09:00AM or <None>."));
            pickup = times[0];
            dropoff = times[1];
            timesGiven = true;
        }
        HolidayRowState* row = rowOf(caption);
        if (!row)
            return unknown(caption);
        row->Ticked = true;
        row->FieldsWhite = true;
        row->NoNapEnabled = true;
        if (timesGiven) {
            row->Pickup = pickup;
            row->Dropoff = dropoff;
        }
        ticked.insert(caption);
    }
    for (const QString& caption : parser.values(m_untick)) {
        HolidayRowState* row = rowOf(caption);
        if (!row)
            return unknown(caption);
        if (ticked.count(caption))
            return UsageError(err, QStringLiteral("'") + caption +
                                       QStringLiteral("' is both ticked and unticked."));
        row->Ticked = false;
        row->FieldsWhite = false;
        row->NoNapEnabled = false;
    }
    for (const QString& caption : parser.values(m_noNap)) {
        HolidayRowState* row = rowOf(caption);
        if (!row)
            return unknown(caption);
        row->NoNap = true;
    }

    HeldOutput told;
    // The holiday dialogs' warnings (no or two Easters in the year) are told with the rest.
    PrintedQuestions questions(told.Stream(), err, *yesToAll, PrintedQuestions::Warnings::ToOutput);
    const HolidayApplyResult applied = ApplyHolidays(doc, state, questions);
    err.flush();
    if (!applied.Applied)
        return told.Release(ExitFailure, out);
    return told.Release(SaveCalendarFile(doc, target, err), out);
}

} // namespace custodex::cli
