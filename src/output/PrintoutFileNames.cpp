#include "output/PrintoutFileNames.h"

#include "platform/FileAccess.h"

namespace custodex {

QString CalendarPageBaseName(const CalendarDocument& doc, PrintLayout layout, int page)
{
    const QString client = FileNamePart(doc.ClientName);
    switch (layout) {
    case PrintLayout::YearPages:
        return client +
               (page == 1 ? QStringLiteral("_1st OnePageCal") : QStringLiteral("_2nd OnePageCal"));
    case PrintLayout::MonthPages:
        return client + QLatin1Char('_') + QStringLiteral("%1").arg(page, 2, 10, QLatin1Char('0')) +
               QLatin1Char('_') + doc.MonthTable[static_cast<std::size_t>(page - 1)].MonthName;
    case PrintLayout::OvernightList:
        return client + QStringLiteral("_0") + QString::number(page) + QStringLiteral("_ONText_0");
    case PrintLayout::DayVisitList:
        return client + QStringLiteral("_0") + QString::number(page) + QStringLiteral("_DVText_0");
    }
    return client;
}

QString PrintLayoutName(PrintLayout layout)
{
    switch (layout) {
    case PrintLayout::YearPages:
        return QStringLiteral("year");
    case PrintLayout::MonthPages:
        return QStringLiteral("month");
    case PrintLayout::OvernightList:
        return QStringLiteral("overnights");
    case PrintLayout::DayVisitList:
        return QStringLiteral("day-visits");
    }
    return {};
}

QString CalendarPdfFileName(const CalendarDocument& doc, PrintLayout layout)
{
    return FileNamePart(doc.ClientName) + QLatin1Char('_') + PrintLayoutName(layout) +
           QStringLiteral(".pdf");
}

} // namespace custodex
