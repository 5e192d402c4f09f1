#pragma once

#include "cli/CliRun.h"

#include "calendar/CalendarFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The calendar file the distribution command's tests read, and their helpers.

namespace custodex::distribution_test {

using cli_test::CliRun;
using cli_test::RunCommand;

inline QString T(const char* text)
{
    return QString::fromLatin1(text);
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A calendar from March 2024 with a Friday overnight (March 1), a Saturday dinner visit
// without its dropoff (March 2) and a stay from Friday to Sunday in year two with times on
// its ends only; saved by the program's writer.
class DistributionCli : public ::testing::Test {
protected:
    DistributionCli()
    {
        CalendarDocument doc;
        doc.ClientName = T("Smith");
        doc.UserYear = T("2024");
        BuildSpan(doc, 2, 2024);
        auto day = [&](int monthNumber, int dayOfMonth) -> CalendarDay& {
            const MonthTableEntry& month =
                doc.MonthTable.at(static_cast<std::size_t>(monthNumber - 1));
            return doc.Days.at(static_cast<std::size_t>(month.FirstDay + dayOfMonth - 1));
        };
        CalendarDay& friday = day(1, 1);
        friday.HasOvernight = true;
        friday.OvernightReason = T("Weekend");
        friday.OvernightPickup = T("06:00PM");
        friday.OvernightDropoff = T("09:00AM");
        CalendarDay& saturday = day(1, 2);
        saturday.HasDayVisit = true;
        saturday.DayVisitReason = T("Dinner");
        saturday.DayVisitStart = T("05:00PM");
        // March 7 to 9, 2025: Friday to Sunday.
        for (int d = 7; d <= 9; ++d) {
            CalendarDay& stay = day(13, d);
            stay.HasOvernight = true;
            stay.OvernightReason = T("Spring break");
        }
        day(13, 7).OvernightPickup = T("05:00PM");
        day(13, 9).OvernightDropoff = T("08:00AM");
        doc.QTotOvernights = 99;
        Input = Dir.filePath(T("Smith.cdb"));
        EXPECT_TRUE(WriteCalendarFile(doc, Input, false).Ok);
        InputBytes = FileBytes(Input);
    }

    CliRun Distribution(const QStringList& options)
    {
        return RunCommand(QStringList{T("distribution"), Input} + options);
    }

    QTemporaryDir Dir;
    QString Input;
    QByteArray InputBytes;
};

} // namespace custodex::distribution_test
