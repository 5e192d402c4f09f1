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
    // Both pages are checked before the first is written, so a refusal replaces nothing.
    for (int year = 0; year < 2; ++year) {
        const QString path =
            DistributionPicturePath(folder, input.Doc.ClientName, year + 1, format);
        if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None) {
            result.Error = check;
            result.FailedPath = path;
            return result;
        }
    }
    for (int year = 0; year < 2; ++year) {
        const QString path =
            DistributionPicturePath(folder, input.Doc.ClientName, year + 1, format);
        const FileWriteError error = SavePictureFile(path, DistributionPicture(input, year), format,
                                                     DistributionReportPictures);
        if (error != FileWriteError::None) {
            result.Error = error;
            result.FailedPath = path;
            return result;
        }
        result.Paths << path;
    }
    return result;
}

QString DistributionPicturesSavedMessage(const QStringList& paths)
{
    return QStringLiteral("The Hourly Distribution report has been saved as files:\n\r") +
           paths.value(0) + QStringLiteral("\n") + QStringLiteral("\r") + paths.value(1);
}

} // namespace custodex
