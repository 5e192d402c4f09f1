#pragma once

// What the iCalendar export's tests and its command's tests share: a marked calendar and the
// lines of a written file.

#include "calendar/CalendarModel.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
// Readable failures.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace custodex::ics_test {

inline const QDate SpanStart(2004, 9, 1);

// A calendar from September 2004 to August 2006 whose non-custodial parent is "Dad".
inline CalendarDocument MakeCalendar(const QString& client = QStringLiteral("Jones"))
{
    CalendarDocument doc;
    doc.ClientName = client;
    doc.UserYear = QStringLiteral("2004");
    doc.SelUserMonth = QStringLiteral("September");
    BuildSpan(doc, 8, 2004);
    doc.NonCustodialName = QStringLiteral("Dad");
    return doc;
}

inline CalendarDay& DayAt(CalendarDocument& doc, const QDate& date)
{
    return doc.Days.at(static_cast<std::size_t>(SpanStart.daysTo(date)));
}

struct Mark {
    QDate Date;
    const char* Reason;
    const char* Pickup = "<None>";
    const char* Dropoff = "<None>";
};

inline void MarkDay(CalendarDocument& doc, bool overnight, const Mark& mark)
{
    const DayMarkFields fields = MarkFieldsOf(DayAt(doc, mark.Date), overnight);
    fields.Has = true;
    fields.Reason = QString::fromUtf8(mark.Reason);
    fields.Pickup = QString::fromUtf8(mark.Pickup);
    fields.Dropoff = QString::fromUtf8(mark.Dropoff);
}

inline void MarkOvernight(CalendarDocument& doc, const Mark& mark)
{
    MarkDay(doc, true, mark);
}

inline void MarkDayVisit(CalendarDocument& doc, const Mark& mark)
{
    MarkDay(doc, false, mark);
}

// The physical lines of the file, without their CR LF.
inline QList<QByteArray> PhysicalLines(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
        line.chop(1);
    }
    return lines;
}

// The content lines, unfolded.
inline QStringList ContentLines(const QByteArray& bytes)
{
    QByteArray unfolded = bytes;
    unfolded.replace("\r\n ", "");
    QStringList lines = QString::fromUtf8(unfolded).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

} // namespace custodex::ics_test
