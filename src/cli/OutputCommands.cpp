#include "cli/OutputCommands.h"

#include "calendar/TextCodec.h"
#include "output/DrawingSurface.h"
#include "output/PreviewDrawing.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QIODevice>
#include <QImage>
#include <QLocale>
#include <QRegularExpression>

namespace custodex::cli {

namespace {

PositionalArgument CalendarInput()
{
    return {QStringLiteral("IN.cdb"), QStringLiteral("The calendar to read.")};
}

} // namespace

ExportCsvCommand::ExportCsvCommand()
    : Command(QStringLiteral("export-csv"),
              QStringLiteral("Writes the marked days (or all days) as comma-separated values."))
{
    auto flag = [this](const char* name, const char* description, bool CsvOptions::*field) {
        m_flags.push_back(
            {QCommandLineOption(QLatin1String(name), QLatin1String(description)), field});
    };
    flag("weekday", "Adds the day of the week.", &CsvOptions::WeekDay);
    flag("overnights", "Writes the days with an overnight stay.", &CsvOptions::Overnights);
    flag("overnight-reason", "With --overnights: adds the stay's reason.",
         &CsvOptions::OvernightReason);
    flag("overnight-start",
         "With --overnights: adds the pickup time as a number (07:30PM is 1930).",
         &CsvOptions::OvernightStart);
    flag("overnight-end", "With --overnights: adds the dropoff time as a number.",
         &CsvOptions::OvernightEnd);
    flag("day-visits", "Writes the days with a day visit.", &CsvOptions::DayVisits);
    flag("day-visit-reason", "With --day-visits: adds the visit's reason.",
         &CsvOptions::DayVisitReason);
    flag("day-visit-start", "With --day-visits: adds the pickup time as a number.",
         &CsvOptions::DayVisitStart);
    flag("day-visit-end", "With --day-visits: adds the dropoff time as a number.",
         &CsvOptions::DayVisitEnd);
    flag("all-days", "Writes every day of the span, marked or not.", &CsvOptions::AllDays);
    for (const Flag& each : m_flags)
        m_options << each.Option;
    m_options << m_allColumns << m_separator << m_overwrite;
    m_arguments << CalendarInput()
                << PositionalArgument{QStringLiteral("OUT.csv"),
                                      QStringLiteral("The file to write; it must not exist unless "
                                                     "--overwrite is given, and it is never "
                                                     "IN.cdb.")};
}

int ExportCsvCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                              QTextStream& /*out*/, QTextStream& err) const
{
    CsvOptions options;
    const bool allColumns = parser.isSet(m_allColumns);
    for (const Flag& each : m_flags)
        options.*(each.Field) =
            parser.isSet(each.Option) || (allColumns && each.Field != &CsvOptions::AllDays);
    const std::optional<QChar> separator =
        CsvSeparator(CsvSeparatorChoice::Custom, parser.value(m_separator));
    if (!separator)
        return Fail(err, CsvSeparatorMessage);
    options.Separator = *separator;

    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    return WriteOutputFile({arguments[1], arguments[0], parser.isSet(m_overwrite)},
                           EncodeText(CsvText(doc, options)), err);
}

PreviewCommand::PreviewCommand()
    : Command(QStringLiteral("preview"),
              QStringLiteral("Draws the 24 months as a PNG picture, as the preview window does."))
{
    m_options << m_size << m_overwrite;
    m_arguments << CalendarInput()
                << PositionalArgument{QStringLiteral("OUT.png"),
                                      QStringLiteral("The picture to write; it must not exist "
                                                     "unless --overwrite is given, and it is never "
                                                     "IN.cdb.")};
}

int PreviewCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                            QTextStream& /*out*/, QTextStream& err) const
{
    static const QRegularExpression sizePattern(QStringLiteral("^(\\d{2,5})x(\\d{2,5})$"));
    const QRegularExpressionMatch match = sizePattern.match(parser.value(m_size));
    if (!match.hasMatch())
        return UsageError(err, QStringLiteral("--size needs WxH, for example 1280x2048"));
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 200 || size.height() < 200 || size.width() > 20000 || size.height() > 20000)
        return UsageError(err, QStringLiteral("--size must be between 200x200 and 20000x20000"));

    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    // Drawn only once the writer accepted the target, so a refusal costs nothing.
    return WriteOutputFileWith(
        {arguments[1], arguments[0], parser.isSet(m_overwrite)},
        [&doc, size](QIODevice& device) {
            QImage picture(size, QImage::Format_RGB32);
            {
                PainterSurface surface(picture);
                DrawPreview(doc, surface, GeneratedNow());
            }
            return picture.save(&device, "PNG");
        },
        err);
}

} // namespace custodex::cli
