#include "cli/BulkCommandParts.h"

#include "holidays/HolidayLists.h"
#include "patterns/WeekdayPatterns.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace custodex::cli {

QString PlainText(const QString& message)
{
    return QString(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
}

QList<PositionalArgument> CalendarArguments()
{
    return {PositionalArgument{QStringLiteral("IN.cdb"), QStringLiteral("The calendar to read.")},
            PositionalArgument{
                QStringLiteral("OUT.cdb"),
                QStringLiteral("The file to write: IN.cdb itself or a new file. An existing "
                               "other file is refused.")}};
}

ListKindOptions::ListKindOptions(const QString& verb)
    : Overnights(QStringLiteral("overnights"),
                 verb + QStringLiteral(" overnight stays (give this or --day-visits).")),
      DayVisits(QStringLiteral("day-visits"),
                verb + QStringLiteral(" day visits (give this or --overnights)."))
{
}

std::optional<ListKind> ChosenListKind(const QCommandLineParser& parser,
                                       const ListKindOptions& options)
{
    const bool overnights = parser.isSet(options.Overnights);
    if (overnights == parser.isSet(options.DayVisits))
        return std::nullopt;
    return overnights ? ListKind::Overnights : ListKind::DayVisits;
}

QCommandLineOption OverwritePolicyOption(const QString& description)
{
    return {QStringLiteral("overwrite"), description, QStringLiteral("none|all"),
            QStringLiteral("none")};
}

std::optional<bool> YesToAllPolicy(const QCommandLineParser& parser,
                                   const QCommandLineOption& option)
{
    const QString policy = parser.value(option);
    if (policy != QStringLiteral("none") && policy != QStringLiteral("all"))
        return std::nullopt;
    return policy == QStringLiteral("all");
}

QCommandLineOption CountryOption()
{
    return {QStringLiteral("country"),
            QStringLiteral("The holiday list: us (United States), ca (Canada) or uk (United "
                           "Kingdom) (required)."),
            QStringLiteral("us|ca|uk")};
}

const HolidayCountry* CountryNamed(const QString& name)
{
    if (name == QStringLiteral("us"))
        return &UnitedStatesHolidays();
    if (name == QStringLiteral("ca"))
        return &CanadianHolidays();
    if (name == QStringLiteral("uk"))
        return &UnitedKingdomHolidays();
    return nullptr;
}

std::optional<int> WeekdayNamed(const QString& name)
{
    const QString trimmed = name.trimmed();
    for (int w = 0; w < WeekdayCount; ++w) {
        const QString& full = PatternWeekdayNames().at(w);
        if (trimmed.compare(full, Qt::CaseInsensitive) == 0 ||
            trimmed.compare(full.left(3), Qt::CaseInsensitive) == 0)
            return w;
    }
    return std::nullopt;
}

OutputTarget CalendarTarget(const QString& in, const QString& out)
{
    return {out, in, false, false};
}

std::optional<int> OpenCalendarFor(const QString& in, const QString& out, CalendarDocument& doc,
                                   QTextStream& err)
{
    if (!ReadCalendarArgument(in, doc, err))
        return ExitFailure;
    return RefuseCalendarTarget(CalendarTarget(in, out), err);
}

namespace {

struct IsoDate {
    int Year = 0;
    int MonthIndex = 0;
    int Day = 0;
};

// YYYY-MM-DD with a month 01 to 12 and a day 01 to 31; whether that day exists in that month
// is the range check's business, as in the dialog.
std::optional<IsoDate> DateWritten(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const IsoDate date{match.captured(1).toInt(), match.captured(2).toInt() - 1,
                       match.captured(3).toInt()};
    if (date.MonthIndex < 0 || date.MonthIndex > 11 || date.Day < 1 || date.Day > 31)
        return std::nullopt;
    return date;
}

} // namespace

bool ChooseRange(const QCommandLineParser& parser, const QCommandLineOption& from,
                 const QCommandLineOption& to, DateRangeBlock& range, QString& error)
{
    const struct {
        const QCommandLineOption& Option;
        DateRangeSide& Side;
    } sides[] = {{from, range.Start}, {to, range.End}};
    for (const auto& side : sides) {
        if (!parser.isSet(side.Option))
            continue;
        const std::optional<IsoDate> date = DateWritten(parser.value(side.Option));
        if (!date) {
            error = QStringLiteral("--") + side.Option.names().first() +
                    QStringLiteral(" needs a date written YYYY-MM-DD.");
            return false;
        }
        ChooseRangeDate(side.Side, date->Year, date->MonthIndex, date->Day);
    }
    return true;
}

OverwriteAnswer PrintedQuestions::AskOverwrite(const QString& question, OverwriteChoices choices)
{
    const bool toAll = choices != OverwriteChoices::YesNo;
    const bool noToAll = choices == OverwriteChoices::YesYesToAllNoNoToAllCancel;
    OverwriteAnswer answer = OverwriteAnswer::No;
    QString said = QStringLiteral("No");
    if (m_yesToAll) {
        answer = toAll ? OverwriteAnswer::YesToAll : OverwriteAnswer::Yes;
        said = toAll ? QStringLiteral("Yes to All") : QStringLiteral("Yes");
    }
    else if (noToAll) {
        answer = OverwriteAnswer::NoToAll;
        said = QStringLiteral("No to All");
    }
    m_out << PlainText(question) << '\n' << said << '\n';
    return answer;
}

void PrintedQuestions::Tell(PromptKind kind, const QString& text)
{
    const bool toErrors = kind == PromptKind::Error ||
                          (kind == PromptKind::Warning && m_warnings == Warnings::ToErrors);
    (toErrors ? m_err : m_out) << PlainText(text) << '\n';
}

int RunThenSave(CalendarDocument& doc, const OutputTarget& target, const std::function<bool()>& run,
                QTextStream& out, QTextStream& err)
{
    bool ran = false;
    RunDayChangingDialog(doc, [&] {
        ran = run();
        return true;
    });
    out.flush();
    err.flush();
    if (!ran)
        return ExitFailure;
    return SaveCalendarFile(doc, target, err);
}

int RunPrintedThenSave(CalendarDocument& doc, const OutputTarget& target, bool yesToAll,
                       const std::function<bool(OverwriteQuestions&, QTextStream&)>& run,
                       QTextStream& out, QTextStream& err)
{
    HeldOutput told;
    PrintedQuestions questions(told.Stream(), err, yesToAll);
    return told.Release(
        RunThenSave(
            doc, target, [&] { return run(questions, told.Stream()); }, told.Stream(), err),
        out);
}

} // namespace custodex::cli
