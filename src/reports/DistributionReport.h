#pragma once

#include "output/DrawingSurface.h"
#include "reports/HourlyDistribution.h"

#include <QString>
#include <QStringList>

// The two pages of the hourly distribution report and the printed list of its warnings and
// errors, drawn on a drawing surface: on screen both pages one above the other, on paper or a
// picture one page each. Every vertical position is counted in lines of the report font's
// height H.

namespace custodex {

// Lines of one page on screen; the two pages together are twice as high.
constexpr int DistributionScreenPageLines = 88;
constexpr int DistributionScreenLines = 2 * DistributionScreenPageLines;
// A picture of one page, drawn as on paper.
constexpr int DistributionPictureWidth = 1200;
constexpr int DistributionPictureHeight = 1575;

// The largest height from 100 down at which "aaaaaaaaaaaa" is no wider than width × 10 / 85;
// leaves the surface's font at that height.
int DistributionFontHeight(DrawingSurface& surface, int width);
// Pixels of one quarter-hour row of a graph 8 lines high.
int DistributionRowHeight(int fontHeight);

// Where a year's graphs stand across the surface.
struct DistributionGraphGeometry {
    int DayWidth = 1;
    int Left = 0;
    int Width = 0; // days × day width + 24 (two pixels at each month's start)
    int RowHeight = 1;
};
// The font must be set at the report height: the width of "24hrs." limits the day width.
DistributionGraphGeometry ComputeGraphGeometry(DrawingSurface& surface, int width, int days,
                                               int fontHeight);

// Where one page's blocks start, in pixels from the surface's top.
struct DistributionPagePlaces {
    int Header = 0;      // client line, the "Generated" line below it
    int YearHeading = 0; // the graphs and tables follow at fixed distances
    int Credits = 0;
    int PageNumber = 0;
};
// Page 1 or 2 of the screen surface (the second page starts 88 lines down).
DistributionPagePlaces ScreenPagePlaces(int page, int fontHeight);
// A printed page or picture of the given height.
DistributionPagePlaces PaperPagePlaces(int pageHeight, int fontHeight);

struct DistributionReportInput {
    const CalendarDocument& Doc; // counters recounted
    const DistributionResult& Result;
    QString Generated; // "Generated " + date + "  " + time
};

// One page: year 0 on page 1, year 1 on page 2.
void DrawDistributionPage(DrawingSurface& surface, const DistributionReportInput& input, int year,
                          const DistributionPagePlaces& places);
// Both pages on one surface 176 lines high, with the dashed line between them.
void DrawDistributionScreen(DrawingSurface& surface, const DistributionReportInput& input);
// Page 1, a new page, page 2, each laid out for paper.
void DrawDistributionPaper(DrawingSurface& surface, const DistributionReportInput& input);

// "Prepared By:  " + author and the title below it; the title stands in for a missing author.
// Nothing when both are empty.
QStringList DistributionCreditLines(const CalendarDocument& doc);

// The message list on paper: a font from 60 pixels down until sixty digits fit in half the
// page width, one line each, new pages as the list needs.
void DrawDistributionErrorList(DrawingSurface& surface, const QStringList& messages);

} // namespace custodex
