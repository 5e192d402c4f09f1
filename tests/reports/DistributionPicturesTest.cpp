#include "cli/CliRun.h"

#include "calendar/CalendarFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

QString T(const char* text)
{
    return QString::fromLatin1(text);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// custodex-cli distribution --pictures on a calendar from March 2024 with one Friday
// overnight and a dinner visit missing its dropoff.
class DistributionPicturesCli : public ::testing::Test {
protected:
    DistributionPicturesCli()
    {
        CalendarDocument doc;
        doc.ClientName = T("Smith");
        doc.UserYear = T("2024");
        BuildSpan(doc, 2, 2024);
        CalendarDay& friday = doc.Days[0];
        friday.HasOvernight = true;
        friday.OvernightReason = T("Weekend");
        friday.OvernightPickup = T("06:00PM");
        friday.OvernightDropoff = T("09:00AM");
        CalendarDay& saturday = doc.Days[1];
        saturday.HasDayVisit = true;
        saturday.DayVisitReason = T("Dinner");
        saturday.DayVisitStart = T("05:00PM");
        Input = Dir.filePath(T("Smith.cdb"));
        EXPECT_TRUE(WriteCalendarFile(doc, Input, false).Ok);
        Pictures = Dir.filePath(T("pictures"));
        EXPECT_TRUE(QDir().mkpath(Pictures));
    }

    CliRun Distribution(const QStringList& options)
    {
        return RunCommand(QStringList{T("distribution"), Input} + options);
    }

    QString Picture(const char* name) const { return Pictures + QLatin1Char('/') + T(name); }

    QTemporaryDir Dir;
    QString Input;
    QString Pictures;
};

TEST_F(DistributionPicturesCli, WritesBothPagesAsTheReportsPrintToFileDoes)
{
    struct Case {
        QStringList Options;
        const char* First;
        const char* Second;
        QByteArray Magic;
    };
    const Case cases[] = {
        {{}, "Smith_01_DistRpt.bmp", "Smith_02_DistRpt.bmp", QByteArray("BM")},
        {{T("--format"), T("jpg")},
         "Smith_01_DistRpt.jpg",
         "Smith_02_DistRpt.jpg",
         QByteArray("\xFF\xD8\xFF")},
    };
    for (const Case& c : cases) {
        const CliRun run = Distribution(QStringList{T("--pictures"), Pictures} + c.Options);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        const QString first = Picture(c.First);
        const QString second = Picture(c.Second);
        for (const QString& path : {first, second}) {
            const QByteArray bytes = FileBytes(path);
            EXPECT_TRUE(bytes.startsWith(c.Magic)) << path.toStdString();
            EXPECT_EQ(QImage(path).size(), QSize(1200, 1575)) << path.toStdString();
        }
        if (c.Magic == QByteArray("BM")) {
            EXPECT_EQ(static_cast<int>(FileBytes(first).at(28)), 8); // bits per pixel
            // The graph's red day (the visit without its dropoff) is in the picture.
            const QImage page = QImage(first).convertToFormat(QImage::Format_RGB32);
            bool red = false;
            for (int y = 0; y < page.height() && !red; ++y)
                for (int x = 0; x < page.width() && !red; ++x)
                    red = page.pixel(x, y) == qRgb(255, 0, 0);
            EXPECT_TRUE(red);
        }
        EXPECT_TRUE(
            run.Out.endsWith(T("The Hourly Distribution report has been saved as files:\n") +
                             first + T("\n") + second + T("\n")))
            << run.Out.right(300).toStdString();
    }

    // As JSON the written files are listed too.
    const CliRun json =
        Distribution({T("--json"), T("--overwrite"), T("--pictures"), Pictures + T("/")});
    ASSERT_EQ(json.Status, 0) << json.Err.toStdString();
    EXPECT_EQ(QJsonDocument::fromJson(json.Out.toUtf8())[T("pictures")].toArray().toVariantList(),
              (QVariantList{Picture("Smith_01_DistRpt.bmp"), Picture("Smith_02_DistRpt.bmp")}));
}

TEST_F(DistributionPicturesCli, RefusalsWriteNothing)
{
    // An existing second page: refused before the first page or the log is written.
    const QString log = Dir.filePath(T("Smith.log"));
    QFile existing(Picture("Smith_02_DistRpt.bmp"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();
    const CliRun refused = Distribution({T("--log"), log, T("--pictures"), Pictures});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err, T("File ") + Picture("Smith_02_DistRpt.bmp") +
                               T(" already exists!\nGive --overwrite to write over it.\n"));
    EXPECT_FALSE(QFile::exists(Picture("Smith_01_DistRpt.bmp")));
    EXPECT_FALSE(QFile::exists(log));
    EXPECT_EQ(FileBytes(Picture("Smith_02_DistRpt.bmp")), QByteArray("old"));

    const CliRun missing = Distribution({T("--pictures"), Dir.filePath(T("nowhere"))});
    EXPECT_EQ(missing.Status, 1);
    EXPECT_EQ(missing.Err, T("Error!  Could not create file named\n") +
                               Dir.filePath(T("nowhere/Smith_01_DistRpt.bmp")) + T("\n"));

    for (const QStringList& usage :
         {QStringList{T("--pictures"), Pictures, T("--format"), T("png")},
          QStringList{T("--format"), T("jpg")}}) {
        const CliRun run = Distribution(usage);
        EXPECT_EQ(run.Status, 2) << usage.join(T(" ")).toStdString();
    }
    EXPECT_EQ(QDir(Pictures).entryList(QDir::Files), QStringList{T("Smith_02_DistRpt.bmp")});
}

} // namespace
