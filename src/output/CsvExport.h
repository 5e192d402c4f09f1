#pragma once

#include "calendar/CalendarModel.h"

#include <QChar>
#include <QString>

#include <optional>

// The calendar's days as comma-separated values for spreadsheet programs.

namespace custodex {

struct CsvOptions {
    bool WeekDay = false;
    bool Overnights = false;
    bool OvernightReason = false;
    bool OvernightStart = false;
    bool OvernightEnd = false;
    bool DayVisits = false;
    bool DayVisitReason = false;
    bool DayVisitStart = false;
    bool DayVisitEnd = false;
    bool AllDays = false;
    QChar Separator = QLatin1Char(',');
};

enum class CsvSeparatorChoice { Comma, Semicolon, Custom };

inline const QString CsvSeparatorMessage =
    QStringLiteral("Error!  The field separator cannot be a space or a null\n\rPlease try again.");

// The separator, or nothing when a custom one is empty or a blank.
std::optional<QChar> CsvSeparator(CsvSeparatorChoice choice, const QString& custom);

// A time as a number: 07:30PM gives 1930, "<None>" 0. The twelve o'clock hour counts as
// hour 0 (12:30PM gives 1230, 12:30AM gives 30) like every other time in the program, and
// midnight itself is written 2400 so that it cannot be read as "<None>".
int CsvTimeNumber(const QString& timeText);

// The whole file, lines ended by CR LF; texts in double quotes, a quote inside one doubled.
QString CsvText(const CalendarDocument& doc, const CsvOptions& options);

class Prompter;

// The file an export to the chosen name writes: ".csv" is added unless the name ends with it.
QString CsvFilePath(const QString& chosen);

// Writes the export to the file `CsvFilePath(chosen)` names. The question before replacing an
// existing file is about that file, not the name typed; locked files and anything but a
// regular file are refused. ClientFolder follows the folder of a file written, and only then.
bool SaveCsvFile(CalendarDocument& doc, const QString& chosen, const CsvOptions& options,
                 Prompter& messages);

} // namespace custodex
