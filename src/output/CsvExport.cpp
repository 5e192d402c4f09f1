#include "output/CsvExport.h"

#include "calendar/TextCodec.h"
#include "calendar/TimeText.h"
#include "output/ExportFile.h"

namespace custodex {

std::optional<QChar> CsvSeparator(CsvSeparatorChoice choice, const QString& custom)
{
    switch (choice) {
    case CsvSeparatorChoice::Comma:
        return QLatin1Char(',');
    case CsvSeparatorChoice::Semicolon:
        return QLatin1Char(';');
    case CsvSeparatorChoice::Custom:
        if (custom.isEmpty() || custom.at(0) == QLatin1Char(' '))
            return std::nullopt;
        return custom.at(0);
    }
    return std::nullopt;
}

int CsvTimeNumber(const QString& timeText)
{
    if (timeText.isEmpty() || timeText == BlankReason || IsNoTime(timeText))
        return 0;
    const int minutes = TimeTextToMinutes(timeText);
    const int number = (minutes / 60) * 100 + minutes % 60;
    return number == 0 ? 2400 : number;
}

namespace {

// Quotes inside a field are doubled, so spreadsheets and CSV readers get the text back
// instead of a field too many.
QString Quoted(QString text)
{
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString ReasonField(const QString& reason)
{
    return Quoted(reason == BlankReason ? QString() : CutText(reason, 30));
}

QString TimeField(bool marked, const QString& time)
{
    return QString::number(marked ? CsvTimeNumber(time) : -1);
}

} // namespace

QString CsvText(const CalendarDocument& doc, const CsvOptions& options)
{
    const QString separator(options.Separator);
    const QString lineEnd = QStringLiteral("\r\n");
    QStringList header{Quoted(QStringLiteral("Year")), Quoted(QStringLiteral("Month")),
                       Quoted(QStringLiteral("Day"))};
    if (options.WeekDay)
        header << Quoted(QStringLiteral("Day of Week"));
    if (options.Overnights) {
        if (options.OvernightReason)
            header << Quoted(QStringLiteral("Overnight Stay Reason"));
        if (options.OvernightStart)
            header << Quoted(QStringLiteral("Overnight Stay Pickup Time"));
        if (options.OvernightEnd)
            header << Quoted(QStringLiteral("Overnight Stay Dropoff Time"));
    }
    if (options.DayVisits) {
        if (options.DayVisitReason)
            header << Quoted(QStringLiteral("Day Visit Reason"));
        if (options.DayVisitStart)
            header << Quoted(QStringLiteral("Day Visit Pickup Time"));
        if (options.DayVisitEnd)
            header << Quoted(QStringLiteral("Day Visit Dropoff Time"));
    }
    QString text = header.join(separator) + lineEnd;

    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i) {
        const CalendarDay& day = doc.Days[static_cast<std::size_t>(i)];
        const bool written = options.AllDays || (day.HasOvernight && options.Overnights) ||
                             (day.HasDayVisit && options.DayVisits);
        if (!written)
            continue;
        QStringList fields{Quoted(QString::number(YearOfDay(doc, i))), Quoted(day.MonthName),
                           Quoted(QString::number(day.DayOfMonth))};
        if (options.WeekDay)
            fields << Quoted(day.WeekdayName);
        if (options.Overnights) {
            if (options.OvernightReason)
                fields << ReasonField(day.OvernightReason);
            if (options.OvernightStart)
                fields << TimeField(day.HasOvernight, day.OvernightPickup);
            if (options.OvernightEnd)
                fields << TimeField(day.HasOvernight, day.OvernightDropoff);
        }
        if (options.DayVisits) {
            if (options.DayVisitReason)
                fields << ReasonField(day.DayVisitReason);
            if (options.DayVisitStart)
                fields << TimeField(day.HasDayVisit, day.DayVisitStart);
            if (options.DayVisitEnd)
                fields << TimeField(day.HasDayVisit, day.DayVisitEnd);
        }
        text += fields.join(separator) + lineEnd;
    }
    return text;
}

QString CsvFilePath(const QString& chosen)
{
    return ExportFilePath(chosen, QStringLiteral(".csv"));
}

bool SaveCsvFile(CalendarDocument& doc, const QString& chosen, const CsvOptions& options,
                 Prompter& messages)
{
    return SaveExportFile(
        doc, CsvFilePath(chosen), [&] { return EncodeText(CsvText(doc, options)); }, messages);
}

} // namespace custodex
