#include "cli/DistributionCommand.h"

#include "calendar/CalendarFile.h"
#include "output/ImageFiles.h"
#include "platform/FileAccess.h"
#include "reports/DistributionPictures.h"
#include "reports/HourlyDistribution.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace custodex::cli {

namespace {

QString IsoDate(const CalendarDocument& doc, int dayIndex)
{
    const CalendarDay& day = doc.Days.at(static_cast<std::size_t>(dayIndex));
    return QStringLiteral("%1-%2-%3")
        .arg(YearOfDay(doc, dayIndex), 4, 10, QLatin1Char('0'))
        .arg(MonthIndexOf(day.MonthName) + 1, 2, 10, QLatin1Char('0'))
        .arg(day.DayOfMonth, 2, 10, QLatin1Char('0'));
}

QString HoursAndMinutes(std::int32_t minutes)
{
    return QString::number(minutes / 60) + QStringLiteral(" Hrs ") + QString::number(minutes % 60) +
           QStringLiteral(" Mins");
}

QJsonArray TableJson(const WeekdayTable& table)
{
    QJsonArray rows;
    for (int w = 0; w < DaysPerWeek; ++w) {
        const WeekdayFigures& figures = table.at(static_cast<std::size_t>(w));
        rows.append(QJsonObject{{QStringLiteral("weekday"), DisplayWeekdayNames().at(w)},
                                {QStringLiteral("count"), figures.Count},
                                {QStringLiteral("minutes"), figures.Minutes}});
    }
    return rows;
}

QJsonArray SpansJson(std::span<const QuarterSpan> spans)
{
    QJsonArray list;
    for (const QuarterSpan& span : spans)
        list.append(QJsonObject{{QStringLiteral("firstQuarter"), span.FirstQuarter},
                                {QStringLiteral("length"), span.Length},
                                {QStringLiteral("fromTop"), span.FromTop}});
    return list;
}

QJsonObject ResultJson(const CalendarDocument& doc, const DistributionResult& result)
{
    QJsonArray years;
    for (const DistributionYear& year : result.Years) {
        QJsonObject object{{QStringLiteral("days"), year.DayCount()},
                           {QStringLiteral("overnights"), TableJson(year.OvernightWeekdays)},
                           {QStringLiteral("dayVisits"), TableJson(year.DayVisitWeekdays)}};
        if (year.DayCount() > 0) {
            object.insert(QStringLiteral("from"), IsoDate(doc, year.FirstDay));
            object.insert(QStringLiteral("to"), IsoDate(doc, year.EndDay - 1));
        }
        years.append(object);
    }
    QJsonArray spans;
    for (std::size_t i = 0; i < result.Days.size(); ++i) {
        const DaySpans& day = result.Days[i];
        if (day.IsEmpty())
            continue;
        spans.append(QJsonObject{{QStringLiteral("date"), IsoDate(doc, static_cast<int>(i))},
                                 {QStringLiteral("overnight"), SpansJson(day.Overnight())},
                                 {QStringLiteral("dayVisit"), SpansJson(day.DayVisit())},
                                 {QStringLiteral("problem"), day.Problem()}});
    }
    const QJsonObject totals{
        {QStringLiteral("qTotOvernights"), result.QTotOvernights},
        {QStringLiteral("qTotOvernightMinutes"), result.QTotOvernightMinutes},
        {QStringLiteral("qTotDayVisits"), result.QTotDayVisits},
        {QStringLiteral("qTotDayVisitMinutes"), result.QTotDayVisitMinutes},
        {QStringLiteral("overnightSleepNapMinutes"), result.OvernightSleepNapMinutes},
        {QStringLiteral("dayVisitNapMinutes"), result.DayVisitNapMinutes}};
    return QJsonObject{
        {QStringLiteral("years"), years},
        {QStringLiteral("totals"), totals},
        {QStringLiteral("messages"), QJsonArray::fromStringList(result.DistributionMessages)},
        {QStringLiteral("hadErrors"), doc.DistributionHadErrors},
        {QStringLiteral("spans"), spans}};
}

// The weekday table as the report lays it out, then the year's two totals lines.
QString YearText(const CalendarDocument& doc, const DistributionYear& year, const QString& name)
{
    QString text = name;
    if (year.DayCount() > 0)
        text += QStringLiteral(", ") + IsoDate(doc, year.FirstDay) + QStringLiteral(" to ") +
                IsoDate(doc, year.EndDay - 1);
    text += QStringLiteral(" (%1 days)\n").arg(year.DayCount());
    const int nameWidth = 14;
    const int countWidth = 10;
    const int timeWidth = 20;
    text += QStringLiteral("  ") + QStringLiteral("Days of Week").leftJustified(nameWidth) +
            QStringLiteral("# Stays").leftJustified(countWidth) +
            QStringLiteral("Time").leftJustified(timeWidth) +
            QStringLiteral("# Visits").leftJustified(countWidth) + QStringLiteral("Time\n");
    for (int w = 0; w < DaysPerWeek; ++w) {
        const WeekdayFigures& overnights = year.OvernightWeekdays.at(static_cast<std::size_t>(w));
        const WeekdayFigures& dayVisits = year.DayVisitWeekdays.at(static_cast<std::size_t>(w));
        text += QStringLiteral("  ") + DisplayWeekdayNames().at(w).leftJustified(nameWidth) +
                WeekdayCountText(overnights.Count).leftJustified(countWidth) +
                WeekdayTimeText(overnights.Minutes).leftJustified(timeWidth) +
                WeekdayCountText(dayVisits.Count).leftJustified(countWidth) +
                WeekdayTimeText(dayVisits.Minutes) + QLatin1Char('\n');
    }
    text += QStringLiteral("  Total OverNights = ") +
            QString::number(TableCount(year.OvernightWeekdays)) +
            QStringLiteral(", Total OverNight Stay Time = ") +
            HoursAndMinutes(TableMinutes(year.OvernightWeekdays)) + QLatin1Char('\n');
    text += QStringLiteral("  Total Day Visits = ") +
            QString::number(TableCount(year.DayVisitWeekdays)) +
            QStringLiteral(", Total Day Visit Time = ") +
            HoursAndMinutes(TableMinutes(year.DayVisitWeekdays)) + QLatin1Char('\n');
    return text;
}

QString ResultText(const CalendarDocument& doc, const DistributionResult& result)
{
    QString text =
        YearText(doc, result.Years[0], QStringLiteral("First year")) + QLatin1Char('\n') +
        YearText(doc, result.Years[1], QStringLiteral("Second year")) + QLatin1Char('\n');
    text += QStringLiteral("Both years: %1 overnights, %2; %3 day visits, %4\n")
                .arg(result.QTotOvernights)
                .arg(HoursAndMinutes(result.QTotOvernightMinutes))
                .arg(result.QTotDayVisits)
                .arg(HoursAndMinutes(result.QTotDayVisitMinutes));
    text += QStringLiteral("Assumed sleep and nap time of the overnights: ") +
            HoursAndMinutes(result.OvernightSleepNapMinutes) +
            QStringLiteral("; assumed nap time of the day visits: ") +
            HoursAndMinutes(result.DayVisitNapMinutes) + QStringLiteral("\n\nMessages:\n");
    for (const QString& message : result.DistributionMessages)
        text += message + QLatin1Char('\n');
    // What the report says when it closes, without its question.
    const QString closing =
        result.HasProblems() ? DistributionProblemsMessage.section(QStringLiteral("\n\r"), 0, 0) +
                                   QStringLiteral("\n\r") + DistributionAccuracyNote
                             : DistributionCleanMessage;
    text += QLatin1Char('\n') +
            QString(closing).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) +
            QLatin1Char('\n');
    return text;
}

bool SamePath(const QString& path, const QString& other)
{
    const QFileInfo first(path);
    const QFileInfo second(other);
    if (QDir::cleanPath(first.absoluteFilePath()) == QDir::cleanPath(second.absoluteFilePath()))
        return true;
    const QString canonical = first.canonicalFilePath();
    return !canonical.isEmpty() && canonical == second.canonicalFilePath();
}

} // namespace

DistributionCommand::DistributionCommand()
    : Command(QStringLiteral("distribution"),
              QStringLiteral("Runs the hourly distribution: weekday tables, totals, warnings and "
                             "errors."))
{
    m_options << m_json << m_log << m_write << m_pictures << m_format << m_overwrite;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")};
}

int DistributionCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                                 QTextStream& out, QTextStream& err) const
{
    const bool writeLog = parser.isSet(m_log);
    const bool writeCalendar = parser.isSet(m_write);
    const QString logPath = parser.value(m_log);
    const QString calendarPath = parser.value(m_write);
    if ((writeLog && logPath.isEmpty()) || (writeCalendar && calendarPath.isEmpty()))
        return UsageError(err, QStringLiteral("--log and --write need a file name."));
    if (writeLog && writeCalendar && SamePath(logPath, calendarPath))
        return UsageError(err, QStringLiteral("--log and --write need two different files."));
    const bool writePictures = parser.isSet(m_pictures);
    if (writePictures && parser.value(m_pictures).isEmpty())
        return UsageError(err, QStringLiteral("--pictures needs a folder."));
    if (parser.isSet(m_format) && !writePictures)
        return UsageError(err, QStringLiteral("--format goes with --pictures."));
    const QString formatName =
        parser.isSet(m_format) ? parser.value(m_format).toLower() : QStringLiteral("bmp");
    if (formatName != QStringLiteral("bmp") && formatName != QStringLiteral("jpg"))
        return UsageError(err, QStringLiteral("--format is bmp or jpg."));
    const ImageFormat format =
        formatName == QStringLiteral("jpg") ? ImageFormat::Jpeg : ImageFormat::Bitmap;

    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    const bool overwrite = parser.isSet(m_overwrite);
    const OutputTarget calendarTarget{calendarPath, arguments[0], overwrite};
    // A calendar target the save would refuse is refused before the log is written.
    if (writeCalendar)
        if (const std::optional<int> refused = RefuseCalendarTarget(calendarTarget, err))
            return *refused;
    if (writeLog)
        if (const std::optional<int> refused =
                RefuseOutputTarget({logPath, arguments[0], overwrite}, err))
            return *refused;

    // Both pictures are checked before anything is written, so a refusal writes nothing.
    QStringList picturePaths;
    if (writePictures) {
        const QString folder = QDir::cleanPath(parser.value(m_pictures)) + QLatin1Char('/');
        for (int page = 1; page <= 2; ++page)
            picturePaths << DistributionPicturePath(folder, doc.ClientName, page, format);
        if (!QFileInfo(folder).isDir())
            return Fail(err, WriteRefusalMessage(CheckWriteTarget(picturePaths.first()),
                                                 picturePaths.first()));
        for (const QString& path : picturePaths)
            if (const std::optional<int> refused =
                    RefuseOutputTarget({path, arguments[0], overwrite}, err))
                return *refused;
    }

    RecountCounters(doc);
    const DistributionResult result = RunDistribution(doc);
    CompleteDistribution(doc, result);

    // The log, the calendar and the pictures are put in place together once all are
    // complete: a failure leaves every old file as it was.
    FileSetWriter files;
    if (writeLog)
        files.Add(logPath, DistributionLogBytes(result.DistributionMessages));
    if (writeCalendar)
        files.Add(calendarPath, CalendarFileBytes(doc), MaxCalendarFileSize);
    // Drawn from the calendar as the report window shows it once the run is complete.
    const DistributionReportInput report{doc, result, GeneratedNow()};
    for (int page = 0; page < picturePaths.size() && files.Error() == FileWriteError::None; ++page)
        AddPictureFile(files, picturePaths[page], DistributionPicture(report, page), format,
                       DistributionReportPictures);
    if (files.Commit() != FileWriteError::None)
        return FailFileSet(files, err);

    if (parser.isSet(m_json)) {
        QJsonObject object = ResultJson(doc, result);
        if (writePictures)
            object.insert(QStringLiteral("pictures"), QJsonArray::fromStringList(picturePaths));
        out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    }
    else {
        out << ResultText(doc, result);
        if (writePictures)
            out << QString(DistributionPicturesSavedMessage(picturePaths))
                       .replace(QStringLiteral("\n\r"), QStringLiteral("\n"))
                << QLatin1Char('\n');
    }
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
