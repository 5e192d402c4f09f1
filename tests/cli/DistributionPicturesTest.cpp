#include "cli/DistributionCliFixture.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

using namespace custodex;
using namespace custodex::distribution_test;

namespace {

// custodex-cli distribution --pictures: the same calendar, pictures into their own folder.
class DistributionPicturesCli : public DistributionCli {
protected:
    DistributionPicturesCli()
    {
        Pictures = Dir.filePath(T("pictures"));
        EXPECT_TRUE(QDir().mkpath(Pictures));
    }

    QString Picture(const char* name) const { return Pictures + QLatin1Char('/') + T(name); }

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
                               Dir.filePath(T("nowhere/Smith_01_DistRpt.bmp")) +
                               T("\nIts folder does not exist.\n"));

    for (const QStringList& usage :
         {QStringList{T("--pictures"), Pictures, T("--format"), T("png")},
          QStringList{T("--format"), T("jpg")}}) {
        const CliRun run = Distribution(usage);
        EXPECT_EQ(run.Status, 2) << usage.join(T(" ")).toStdString();
    }
    EXPECT_EQ(QDir(Pictures).entryList(QDir::Files), QStringList{T("Smith_02_DistRpt.bmp")});
}

} // namespace

namespace {

// On a disk that fills up half-way, the log, the calendar and both pictures are all written or
// none is: page 1 used to be left new beside an old page 2.
TEST_F(DistributionPicturesCli, AFullDiskLeavesEveryOldFile)
{
    for (const char* format : {"bmp", "jpg"}) {
        SCOPED_TRACE(format);
        QTemporaryDir out;
        custodex::testing::ExpectWrittenAllOrNothing(out.path(), [&] {
            const CliRun run =
                Distribution({T("--pictures"), out.path(), T("--format"), T(format),
                              T("--overwrite"), T("--log"), out.filePath(T("run.log")),
                              T("--write"), out.filePath(T("done.cdb"))});
            return run.Status == 0 ? QString() : run.Err;
        });
    }
}

} // namespace
