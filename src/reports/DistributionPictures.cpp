#include "reports/DistributionPictures.h"

#include "output/ImageFiles.h"

namespace custodex {

QString DistributionPicturePath(const QString& folder, const QString& clientName, int page,
                                ImageFormat format)
{
    return folder + FileNamePart(clientName) + QStringLiteral("_0") + QString::number(page) +
           QStringLiteral("_DistRpt") + PictureSuffix(format);
}

QImage DistributionPicture(const DistributionReportInput& input, int year)
{
    QImage picture(DistributionPictureWidth, DistributionPictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        PainterSurface surface(picture);
        const int H = DistributionFontHeight(surface, DistributionPictureWidth);
        DrawDistributionPage(surface, input, year, PaperPagePlaces(DistributionPictureHeight, H));
    }
    return picture;
}

DistributionPicturesResult SaveDistributionPictures(const DistributionReportInput& input,
                                                    const QString& folder, ImageFormat format)
{
    DistributionPicturesResult result;
    QStringList paths;
    for (int year = 0; year < 2; ++year)
        paths << DistributionPicturePath(folder, input.Doc.ClientName, year + 1, format);
    // Both pages are checked before the first is written and put in place together, so a
    // refusal or a full disk leaves both old pages as they were.
    FileSetWriter files;
    if (files.CheckTargets(paths) == FileWriteError::None)
        for (int year = 0; year < 2; ++year)
            AddPictureFile(files, paths[year], DistributionPicture(input, year), format,
                           DistributionReportPictures);
    if (files.Commit() != FileWriteError::None) {
        result.Error = files.Error();
        result.FailedPath = files.FailedPath();
        return result;
    }
    result.Paths = paths;
    return result;
}

QString DistributionPicturesSavedMessage(const QStringList& paths)
{
    return QStringLiteral("The Hourly Distribution report has been saved as files:\n\r") +
           paths.value(0) + QStringLiteral("\n") + QStringLiteral("\r") + paths.value(1);
}

} // namespace custodex
