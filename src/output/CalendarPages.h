#pragma once

#include "calendar/CalendarModel.h"
#include "output/DrawingSurface.h"
#include "output/PrintColours.h"
#include "output/PrintoutFileNames.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// The printed calendar: the one-year page (twelve months per page), the month page (one month
// per page) and the textual lists of overnights and day visits (CalendarLists.h), drawn on a
// drawing surface. Every size comes from the surface's size; a surface wider than high is a
// landscape page. Fonts are fitted by trial, one pixel at a time, always within a bound so that a
// tiny page ends with the smallest font instead of looping.

namespace custodex {

struct PageOptions {
    bool Header = true;
    bool Trailer = true;
};

// What every calendar page draws from.
struct CalendarPageInput {
    const CalendarDocument& Doc; // counters recounted
    MarkColours Colours;
    QString Generated; // "Generated " + date + "  " + time
    // After each month frame and each month's days: how many months the current pass has done
    // (a one-year page makes two passes of 12, the second starting with 0; a month page one
    // pass of 1). May be empty.
    std::function<void(int)> Progress;
};

// The client name with a blank added at both ends until it is at least ten characters long.
QString PaddedClientName(const QString& clientName);
// "Custodial" / "Non-Custodial" when the calendar's names are empty.
QString CustodialNameOf(const CalendarDocument& doc);
QString NonCustodialNameOf(const CalendarDocument& doc);

// The month page's form of a reason: the pattern markers "Even ", "Odd ", "All " and then a
// leading "*" are removed.
QString CellReasonText(const QString& reason);
// The list's form: only the pattern markers are removed.
QString ListReasonText(const QString& reason);

// The times line of a month-page cell in the surface's current (small) font, spread over
// `width`; empty when neither time is set ("<None>" or empty).
QString TimesText(DrawingSurface& surface, const QString& pickup, const QString& dropoff,
                  int width);

// The trailer's author lines in the surface's current font: none, one or two.
QStringList PreparedByLines(DrawingSurface& surface, const CalendarDocument& doc);

struct YearPageGeometry {
    int Left = 0; // s
    int Top = 0;  // T
    int GapX = 0; // gx, after the block width is cut to a multiple of 7
    int GapY = 0; // gy
    int BlockWidth = 0;
    int BlockHeight = 0;
    int C = 0;
    int R = 0;
    int ContentWidth = 0; // Wc
};
YearPageGeometry ComputeYearPageGeometry(QSize page);

struct MonthPageGeometry {
    int Left = 0; // s, with what the grid lost to a multiple of 7 columns
    int Top = 0;
    int Bottom = 0; // B, with what the grid lost to a multiple of 9 rows
    int C = 0;
    int R = 0;
};
MonthPageGeometry ComputeMonthPageGeometry(QSize page);

// Page 1 (months 1 to 12) or 2 (months 13 to 24).
void DrawYearPage(DrawingSurface& surface, const CalendarPageInput& input, int page,
                  const PageOptions& options);
// Month 1 to 24.
void DrawMonthPage(DrawingSurface& surface, const CalendarPageInput& input, int month,
                   const PageOptions& options);

// Draws pages first..last of a printout (a list draws all its pages, numbered from 1),
// calling `finished` with each page's number once it is drawn and `between` before every page
// after the first.
void DrawPrintout(DrawingSurface& surface, const CalendarPageInput& input, PrintLayout layout,
                  int first, int last, const PageOptions& options,
                  const std::function<void(int)>& finished, const std::function<void()>& between);
// The picture a page is drawn on.
QSize CalendarPictureSize(bool landscape);

} // namespace custodex
