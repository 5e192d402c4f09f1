#pragma once

#include "output/DrawingSurface.h" // GeneratedNow
#include "platform/FileAccess.h"
#include "platform/OutputPrompts.h"
#include "reports/DistributionReport.h"

#include <QImage>
#include <QString>
#include <QStringList>

// The distribution report printed to files: each page drawn as on paper on a 1200 × 1575
// picture and saved as an 8-bit bitmap or a JPEG at the encoder's defaults, named after the
// client.

namespace custodex {

// folder + client + "_01_DistRpt.bmp" for page 1 ("_02_" for page 2, ".jpg" for JPEG);
// `folder` ends in a separator.
QString DistributionPicturePath(const QString& folder, const QString& clientName, int page,
                                ImageFormat format);

// Page 1 (year 0) or 2 (year 1) on a white picture, laid out as on paper.
QImage DistributionPicture(const DistributionReportInput& input, int year);

struct DistributionPicturesResult {
    QStringList Paths; // the files written, page 1 first
    FileWriteError Error = FileWriteError::None;
    QString FailedPath; // the file that could not be written
};
// Writes both pages or neither (see FileSetWriter).
DistributionPicturesResult SaveDistributionPictures(const DistributionReportInput& input,
                                                    const QString& folder, ImageFormat format);

// "The Hourly Distribution report has been saved as files:\n\r" + both names.
QString DistributionPicturesSavedMessage(const QStringList& paths);

} // namespace custodex
