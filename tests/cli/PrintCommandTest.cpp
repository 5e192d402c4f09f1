#include "calendar/CalendarFile.h"
#include "cli/CliCommands.h"
#include "support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

using namespace custodex;

namespace {

struct CliResult {
    int Status = 0;
    QString Out;
    QString Err;
};

CliResult Print(const QStringList& arguments)
{
    CliResult run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    run.Status = RunCli(QStringList{QStringLiteral("print")} + arguments, out, err);
    return run;
}

class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Folder.isValid());
        Calendar = Folder.filePath(QStringLiteral("Smith.cdb"));
        QString made;
        QTextStream madeOut(&made);
        ASSERT_EQ(RunCli({QStringLiteral("new"), QStringLiteral("--client"),
                          QStringLiteral("Smith"), QStringLiteral("--year"), QStringLiteral("2004"),
                          QStringLiteral("--month"), QStringLiteral("january"), Calendar},
                         madeOut, madeOut),
                  0);
        CalendarDocument doc;
        ASSERT_TRUE(ReadCalendarFile(doc, Calendar).Ok);
        for (int i = 0; i < 80; ++i) {
            CalendarDay& day = doc.Days[std::size_t(i * 3)];
            day.HasOvernight = true;
            day.OvernightReason = QStringLiteral("Weekend");
            if (i % 2 == 0) {
                day.HasDayVisit = true;
                day.DayVisitReason = QStringLiteral("Lunch");
            }
        }
        RecountCounters(doc);
        ASSERT_TRUE(WriteCalendarFile(doc, Calendar, false).Ok);
        Out = Folder.filePath(QStringLiteral("out"));
        ASSERT_TRUE(QDir().mkpath(Out));
    }

    QString OutFile(const QString& name) const { return Out + QLatin1Char('/') + name; }

    QTemporaryDir Folder;
    QString Calendar;
    QString Out;
};

TEST_F(PrintCommandTest, WritesPicturesUnderTheDialogsNames)
{
    const struct {
        QStringList Options;
        QStringList Names;
        QSize Size;
    } cases[] = {
        {{QStringLiteral("--layout"), QStringLiteral("year")},
         {QStringLiteral("Smith_1st OnePageCal.bmp"), QStringLiteral("Smith_2nd OnePageCal.bmp")},
         QSize(1200, 1575)},
        {{QStringLiteral("--layout"), QStringLiteral("month"), QStringLiteral("--pages"),
          QStringLiteral("14-15"), QStringLiteral("--landscape"), QStringLiteral("--format"),
          QStringLiteral("jpg")},
         {QStringLiteral("Smith_14_February.jpg"), QStringLiteral("Smith_15_March.jpg")},
         QSize(1575, 1200)},
        {{QStringLiteral("--layout"), QStringLiteral("overnights"), QStringLiteral("--format"),
          QStringLiteral("png"), QStringLiteral("--no-header")},
         {QStringLiteral("Smith_01_ONText_0.png"), QStringLiteral("Smith_02_ONText_0.png")},
         QSize(1200, 1575)},
        {{QStringLiteral("--layout"), QStringLiteral("day-visits")},
         {QStringLiteral("Smith_01_DVText_0.bmp")},
         QSize(1200, 1575)},
    };
    for (const auto& c : cases) {
        const CliResult run = Print(QStringList{Calendar, Out} + c.Options);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        QStringList expected;
        for (const QString& name : c.Names) {
            expected << QDir::toNativeSeparators(OutFile(name));
            const QImage picture(OutFile(name));
            EXPECT_EQ(picture.size(), c.Size) << name.toStdString();
        }
        EXPECT_EQ(run.Out, expected.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    }
    // 24-bit bitmaps: 54 header bytes, 1200 × 3 bytes a row.
    QFile bitmap(OutFile(QStringLiteral("Smith_1st OnePageCal.bmp")));
    ASSERT_TRUE(bitmap.open(QIODevice::ReadOnly));
    const QByteArray header = bitmap.read(54);
    EXPECT_EQ(header.at(28), 24);
    EXPECT_EQ(bitmap.size(), 54 + 1200 * 3 * 1575);
    EXPECT_EQ(QDir(Out).entryList(QDir::Files).size(), 7);
}

TEST_F(PrintCommandTest, PdfIsOneFileOfAllPages)
{
    const CliResult run = Print({Calendar, Out, QStringLiteral("--layout"), QStringLiteral("month"),
                                 QStringLiteral("--format"), QStringLiteral("pdf"),
                                 QStringLiteral("--pages"), QStringLiteral("3-7")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QString path = OutFile(QStringLiteral("Smith_month.pdf"));
    EXPECT_EQ(run.Out, QDir::toNativeSeparators(path) + QLatin1Char('\n'));
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/Count 5"));
    EXPECT_EQ(QDir(Out).entryList(QDir::Files), QStringList{QStringLiteral("Smith_month.pdf")});
}

TEST_F(PrintCommandTest, ExistingFilesAreReplacedOnlyWhenAsked)
{
    const QString second = OutFile(QStringLiteral("Smith_2nd OnePageCal.bmp"));
    {
        QFile file(second);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("old");
    }
    const QStringList arguments{Calendar, Out, QStringLiteral("--layout"), QStringLiteral("year")};
    const CliResult refused = Print(arguments);
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err, QStringLiteral("File ") + second +
                               QStringLiteral(" already exists!\nGive --replace-existing to write "
                                              "over it.\n"));
    EXPECT_TRUE(refused.Out.isEmpty());
    // Nothing written, not even the first page that did not exist.
    EXPECT_FALSE(QFileInfo::exists(OutFile(QStringLiteral("Smith_1st OnePageCal.bmp"))));
    EXPECT_EQ(QFileInfo(second).size(), 3);

    const CliResult replaced = Print(arguments + QStringList{QStringLiteral("--replace-existing")});
    EXPECT_EQ(replaced.Status, 0) << replaced.Err.toStdString();
    EXPECT_EQ(QImage(second).size(), QSize(1200, 1575));
}

// A client name long enough that later month pages get names the file system refuses: every
// page name is checked first, so nothing is written (pages 1-6 used to be).
TEST_F(PrintCommandTest, APageNameTooLongStopsThePrintoutBeforeItsFirstPage)
{
    const QString longName = QString(240, QLatin1Char('A'));
    const QString calendar = Folder.filePath(longName + QStringLiteral(".cdb"));
    ASSERT_TRUE(QFile::copy(Calendar, calendar));
    const CliResult run =
        Print({calendar, Out, QStringLiteral("--layout"), QStringLiteral("month")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.endsWith(QStringLiteral("\nThe file name is too long.\n")))
        << run.Err.toStdString();
    EXPECT_TRUE(QDir(Out).entryList(QDir::Files).isEmpty());
}

// Pages of a printout on a disk that fills up half-way, with --replace-existing: all new or all
// old, never page 1 new beside an old page 2.
TEST_F(PrintCommandTest, AFullDiskLeavesEveryOldPage)
{
    for (const char* format : {"png", "jpg", "bmp"}) {
        SCOPED_TRACE(format);
        QTemporaryDir pages;
        custodex::testing::ExpectWrittenAllOrNothing(pages.path(), [&] {
            const CliResult run =
                Print({Calendar, pages.path(), QStringLiteral("--layout"), QStringLiteral("month"),
                       QStringLiteral("--pages"), QStringLiteral("2-4"), QStringLiteral("--format"),
                       QString::fromLatin1(format), QStringLiteral("--replace-existing")});
            return run.Status == 0 ? QString() : run.Err;
        });
    }
}

TEST_F(PrintCommandTest, RefusesWrongCommandLines)
{
    const struct {
        QStringList Options;
        const char* Message;
    } cases[] = {
        {{QStringLiteral("--layout"), QStringLiteral("week")},
         "--layout is year, month, overnights or day-visits."},
        {{}, "--layout is year, month, overnights or day-visits."},
        {{QStringLiteral("--layout"), QStringLiteral("year"), QStringLiteral("--format"),
          QStringLiteral("gif")},
         "--format is bmp, jpg, png or pdf."},
        {{QStringLiteral("--layout"), QStringLiteral("year"), QStringLiteral("--pages"),
          QStringLiteral("1-3")},
         "--pages needs FIRST-LAST within 1-2."},
        {{QStringLiteral("--layout"), QStringLiteral("month"), QStringLiteral("--pages"),
          QStringLiteral("7-3")},
         "--pages needs FIRST-LAST within 1-24."},
        {{QStringLiteral("--layout"), QStringLiteral("overnights"), QStringLiteral("--pages"),
          QStringLiteral("1-1")},
         "--pages goes with --layout year or month."},
    };
    for (const auto& c : cases) {
        const CliResult run = Print(QStringList{Calendar, Out} + c.Options);
        EXPECT_EQ(run.Status, 2) << c.Message;
        EXPECT_TRUE(run.Err.contains(QString::fromUtf8(c.Message))) << run.Err.toStdString();
    }
    EXPECT_TRUE(QDir(Out).entryList(QDir::Files).isEmpty());
}

// The options of printing to a queue; a real queue is proven by the print_queue test.
TEST_F(PrintCommandTest, PrintQueueOptionsAndAnUnknownQueue)
{
    const QString month = QStringLiteral("--layout=month");
    const struct {
        QStringList Arguments;
        int Status;
        const char* Message;
    } cases[] = {
        {{Calendar, Out, month, QStringLiteral("--copies=2")}, 2, "--copies goes with --printer."},
        {{Calendar, month, QStringLiteral("--printer=Any"), QStringLiteral("--copies=0")},
         2,
         "--copies needs a number from 1 to 99."},
        {{Calendar, month, QStringLiteral("--printer=Any"), QStringLiteral("--format=jpg")},
         2,
         "--printer writes no files"},
        {{Calendar, Out, month, QStringLiteral("--printer=Any")},
         2,
         "print needs 1 argument: IN.cdb (2 given)."},
        {{Calendar, month, QStringLiteral("--printer=NoSuchQueue-For-Custodex")},
         1,
         "Error!  There is no print queue named NoSuchQueue-For-Custodex.\nNothing was printed."},
    };
    for (const auto& c : cases) {
        const CliResult run = Print(c.Arguments);
        EXPECT_EQ(run.Status, c.Status) << c.Message;
        EXPECT_TRUE(run.Err.contains(QString::fromUtf8(c.Message))) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty()) << run.Out.toStdString();
    }
    EXPECT_TRUE(QDir(Out).entryList(QDir::Files).isEmpty());
}

} // namespace
