#pragma once

#include "calendar/CalendarModel.h"
#include "reports/CareTime.h"
#include "reports/QualityTime.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The pages of the quality time report (the summary and the pie chart) and of the care time
// report (one pie chart), for any surface: a picture, a printer or a test's recorder.

namespace custodex {

class DrawingSurface;

// Pictures of report pages.
inline constexpr QSize ReportPictureSize{1200, 1575};
// A white picture of that size with a page drawn on it.
QImage ReportPagePicture(const std::function<void(DrawingSurface&)>& draw);

// Measures shared by the pages of a surface W × H.
struct ReportPageMetrics {
    int W = 0;
    int H = 0;
    int M = 0;  // margin, at the sides and at the top
    int R = 0;  // pie radius
    int L = 0;  // line height of the summary page
    int L2 = 0; // line height of the pie pages
};
ReportPageMetrics ComputeReportPageMetrics(QSize size);

// What the quality report shows: the results, the period and the away activities as the list
// holds them.
struct QualityReport {
    QualityResults Results;
    ReportPeriod Period;
    std::vector<AwayActivity> Activities;
    std::int64_t NoNapOvernights = 0;
    std::int64_t NoNapDayVisits = 0;
};
QualityReport MakeQualityReport(const CalendarDocument& doc, const QualityInputs& inputs,
                                const QualityResults& results,
                                const std::vector<AwayActivity>& activities);

// "There are too many away activities ..." shown once for the lines a summary page left out.
inline const QString TooManyActivitiesNotice =
    QStringLiteral("There are too many away activities to print them\n\rall.  Calculations "
                   "however will still be accurate.");

// `generated` is "Generated " + date + "  " + time. The summary page returns how many away
// activity lines did not fit; `preview` draws its text two pixels higher, as the preview does.
int DrawQualitySummaryPage(DrawingSurface& surface, const CalendarDocument& doc,
                           const QualityReport& report, const QString& generated,
                           bool preview = false);
void DrawQualityPiePage(DrawingSurface& surface, const CalendarDocument& doc,
                        const QualityReport& report, const QString& generated);
void DrawCarePage(DrawingSurface& surface, const CalendarDocument& doc, const CareResults& results,
                  const QString& generated);

// The picture files: folder + client + "_QualTime_" + page + suffix, and folder + client +
// "_CareTime" + period code + suffix. `suffix` is ".bmp" or ".jpg"; `folder` ends with a
// separator or is empty.
QString QualityPictureName(const QString& folder, const QString& client, int page,
                           const QString& suffix);
QString CarePictureName(const QString& folder, const QString& client, CarePeriod period,
                        const QString& suffix);

// The messages after the pictures are saved.
QString QualityPicturesSavedMessage(const QString& firstFile, const QString& secondFile);
QString CarePictureSavedMessage(const QString& file);

} // namespace custodex
