#include "calendar/CalendarFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/SpecialFiles.h"

#include <csignal>
#include <sys/resource.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString DataDir = QStringLiteral(CUSTODEX_TEST_DATA);

CalendarDocument Span(int startMonthIndex, int startYear)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    doc.UserYear = QString::number(startYear);
    BuildSpan(doc, startMonthIndex, startYear);
    RecountCounters(doc);
    return doc;
}

void MarkOvernight(CalendarDay& day, const QString& reason, const QString& pickup,
                   const QString& dropoff)
{
    day.HasOvernight = true;
    day.OvernightReason = reason;
    day.OvernightPickup = pickup;
    day.OvernightDropoff = dropoff;
}

void MarkDayVisit(CalendarDay& day, const QString& reason, const QString& start, const QString& end)
{
    day.HasDayVisit = true;
    day.DayVisitReason = reason;
    day.DayVisitStart = start;
    day.DayVisitEnd = end;
}

QStringList Lines(const CalendarDocument& doc)
{
    QStringList lines = CalendarFileText(doc).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.takeLast(), QString()); // the last line ends with CR LF too
    return lines;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

TEST(CalendarFileWriter, LaysOutHeadRecordsAndTrailer)
{
    CalendarDocument doc = Span(2, 2024);
    MarkOvernight(doc.Days[14], QStringLiteral("Weekend"), QStringLiteral("07:30PM"),
                  QStringLiteral("09:00AM"));
    doc.Days[15].OvernightReason = QStringLiteral("not written: the day is unmarked");
    MarkDayVisit(doc.Days[16], QStringLiteral(" "), QStringLiteral("<None>"),
                 QStringLiteral("<None>"));
    doc.OverNiteStrtTime = QStringLiteral("07:30PM");
    doc.Exclusions = QStringList{QStringLiteral("Piano"), QStringLiteral("Swim")};
    doc.BackgroundColour = -1;
    doc.Title = QStringLiteral("Mediator");

    const QStringList lines = Lines(doc);
    ASSERT_EQ(lines.size(), 2 + 730 + 16 + 1 + 2 + 2);
    EXPECT_EQ(lines[0], QStringLiteral("Smith"));
    EXPECT_EQ(lines[1], QStringLiteral("2024"));
    EXPECT_EQ(lines[2], QStringLiteral("1!March!FRIDAY!False!!False!!!;"));
    EXPECT_EQ(lines[16], QStringLiteral("15!March!FRIDAY!True!Weekend!False!!07:30PM - 09:00AM!;"));
    EXPECT_EQ(lines[17], QStringLiteral("16!March!SATURDAY!False!!False!!!;"));
    EXPECT_EQ(lines[18], QStringLiteral("17!March!SUNDAY!False!!True!!!<None> - <None>;"));
    const QStringList trailer = lines.mid(2 + 730);
    const QStringList expected{QStringLiteral("BACKGRNDCOL=-1"),
                               QStringLiteral("DAYVISITCOL=0"),
                               QStringLiteral("OVERNITECOL=12632256"),
                               QStringLiteral("07:30PM"),
                               QStringLiteral("<None>"),
                               QStringLiteral("<None>"),
                               QStringLiteral("<None>"),
                               QStringLiteral("OVERNITEHOURS=24:00"),
                               QStringLiteral("SLEEPTIME=08:00"),
                               QStringLiteral("DAYVISITHOURS=12:00"),
                               QStringLiteral("NAPTIME=00:00"),
                               QStringLiteral("HOURLYERRORS"),
                               QStringLiteral("QTOTOVRNITES=0"),
                               QStringLiteral("QTOTDAYVISITS=0"),
                               QStringLiteral("QTOTOVRNITEMINS=0"),
                               QStringLiteral("QTOTDAYVISITMINS=0"),
                               QStringLiteral("TITLE=Mediator"),
                               QStringLiteral("CUSTODIALNAME=Custodial"),
                               QStringLiteral("NONCUSTODIALNAME=Non-Custodial"),
                               QStringLiteral("EXCLUSION=Piano"),
                               QStringLiteral("EXCLUSION=Swim")};
    EXPECT_EQ(trailer, expected);
}

// A full span whose reasons hold ";", blanks, non-Latin text and 100 characters survives a
// write, a read and a second write byte for byte.
TEST(CalendarFileRoundTrip, FullSpanSurvivesByteForByte)
{
    QTemporaryDir dir;
    CalendarDocument doc = Span(1, 2024);
    QRandomGenerator random(20261210);
    const QString alphabet =
        QStringLiteral("abcXYZ ;-*,.'()/0123456789") + QChar(0xE9) + QChar(0x65E5);
    auto reason = [&] {
        const int length = static_cast<int>(random.bounded(1, 101));
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet.at(static_cast<int>(random.bounded(alphabet.size())));
        return text;
    };
    auto time = [&] {
        if (random.bounded(5) == 0)
            return QStringLiteral("<None>");
        return QStringLiteral("%1:%2%3")
            .arg(random.bounded(13), 2, 10, QLatin1Char('0'))
            .arg(random.bounded(60), 2, 10, QLatin1Char('0'))
            .arg(random.bounded(2) ? QStringLiteral("PM") : QStringLiteral("AM"));
    };
    for (CalendarDay& day : doc.Days) {
        if (random.bounded(2))
            MarkOvernight(day, reason(), time(), time());
        if (random.bounded(3) == 0)
            MarkDayVisit(day, reason(), time(), time());
    }
    MarkDayVisit(doc.Days[3], QStringLiteral("Grand;ma"), QStringLiteral("01:00PM"),
                 QStringLiteral("05:00PM"));
    MarkOvernight(doc.Days[4], QStringLiteral("NN-Camp (No Nap)"), QStringLiteral("<None>"),
                  QStringLiteral("<None>"));
    MarkOvernight(doc.Days[5], QString(100, QLatin1Char(';')), QStringLiteral("11:59PM"),
                  QStringLiteral("12:00AM"));
    MarkDayVisit(doc.Days[5], QString(100, QLatin1Char('x')), QStringLiteral("11:59AM"),
                 QStringLiteral("12:00PM"));
    doc.Author = QStringLiteral("A. Author");
    doc.Exclusions = QStringList{QStringLiteral("Piano"), QStringLiteral("HOURLY swim")};

    const QString path = dir.filePath(QStringLiteral("Smith.cdb"));
    ASSERT_TRUE(WriteCalendarFile(doc, path, true).Ok);
    const QByteArray first = ReadAll(path);

    CalendarDocument read;
    const FileResult result = ReadCalendarFile(read, path);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();
    ASSERT_EQ(read.Days.size(), doc.Days.size());
    for (std::size_t i = 0; i < doc.Days.size(); ++i) {
        const CalendarDay& want = doc.Days[i];
        const CalendarDay& got = read.Days[i];
        ASSERT_EQ(got.HasOvernight, want.HasOvernight) << i;
        ASSERT_EQ(got.HasDayVisit, want.HasDayVisit) << i;
        if (want.HasOvernight) {
            ASSERT_EQ(got.OvernightReason, want.OvernightReason) << i;
            ASSERT_EQ(got.OvernightPickup, want.OvernightPickup) << i;
            ASSERT_EQ(got.OvernightDropoff, want.OvernightDropoff) << i;
        }
        else {
            ASSERT_EQ(got.OvernightReason, QStringLiteral(" "));
            ASSERT_EQ(got.OvernightPickup, QString());
        }
        if (want.HasDayVisit) {
            ASSERT_EQ(got.DayVisitReason, want.DayVisitReason) << i;
            ASSERT_EQ(got.DayVisitStart, want.DayVisitStart) << i;
            ASSERT_EQ(got.DayVisitEnd, want.DayVisitEnd) << i;
        }
    }
    EXPECT_EQ(read.Exclusions, doc.Exclusions);
    EXPECT_TRUE(read.DistributionStale);
    EXPECT_TRUE(read.DistributionHadErrors);

    const QString again = dir.filePath(QStringLiteral("Again.cdb"));
    read.ClientName = doc.ClientName;
    ASSERT_TRUE(WriteCalendarFile(read, again, true).Ok);
    EXPECT_EQ(ReadAll(again), first);
}

TEST(CalendarFileReader, OlderLayoutsJunkAndKeys)
{
    CalendarDocument doc;
    const QString path = DataDir + QStringLiteral("/Jones.Smith.cdb");
    const FileResult result = ReadCalendarFile(doc, path);
    ASSERT_TRUE(result.Ok) << result.Message.toStdString();

    EXPECT_EQ(doc.ClientName, QStringLiteral("Jones"));
    EXPECT_EQ(doc.CurrentFileName, QStringLiteral("Jones.Smith.cdb"));
    EXPECT_EQ(doc.WindowCaption, QStringLiteral("Calendar File=Jones.Smith.cdb"));
    EXPECT_EQ(doc.ClientFolder, DataDir + QLatin1Char('/'));
    EXPECT_EQ(doc.DayCount, 731);
    EXPECT_EQ(doc.SecondYearFirstDay, 365);
    EXPECT_FALSE(doc.ChangesPending);

    const CalendarDay& march15 = doc.Days[static_cast<std::size_t>(FindDay(doc, 2, true, 15))];
    EXPECT_EQ(march15.OvernightReason, QStringLiteral("Weekend"));
    EXPECT_EQ(march15.OvernightDropoff, QStringLiteral("09:00AM"));
    EXPECT_EQ(march15.DayVisitStart, QString()); // unmarked kind: empty time texts

    const CalendarDay& july7 = doc.Days[static_cast<std::size_t>(FindDay(doc, 6, true, 7))];
    EXPECT_EQ(july7.OvernightReason, QStringLiteral("NN-Camp"));
    for (const QString& t :
         {july7.OvernightPickup, july7.OvernightDropoff, july7.DayVisitStart, july7.DayVisitEnd})
        EXPECT_EQ(t, QStringLiteral("<None>"));

    const CalendarDay& july8 = doc.Days[static_cast<std::size_t>(FindDay(doc, 6, true, 8))];
    EXPECT_EQ(july8.MonthName, QStringLiteral("july"));
    EXPECT_EQ(july8.OvernightReason, QStringLiteral("*Note (No Nap)"));
    EXPECT_EQ(july8.DayVisitReason, QStringLiteral("Grand;ma"));
    EXPECT_EQ(july8.DayVisitStart, QStringLiteral("01:00PM"));
    EXPECT_EQ(july8.DayVisitEnd, QStringLiteral("05:00PM"));
    EXPECT_EQ(july8.OvernightPickup, QStringLiteral("<None>"));

    const CalendarDay& leapDay = doc.Days[static_cast<std::size_t>(FindDay(doc, 1, false, 29))];
    EXPECT_EQ(leapDay.OvernightReason, QStringLiteral(" "));
    EXPECT_EQ(leapDay.OvernightPickup, QString());
    EXPECT_EQ(leapDay.DayVisitReason, QStringLiteral("NN-Zoo"));

    EXPECT_EQ(doc.FirstYearCounters.Overnights, 2); // the two annotation reasons are not counted
    EXPECT_EQ(doc.SecondYearCounters.Overnights, 1);
    EXPECT_EQ(doc.BothYearsCounters.DayVisits, 2);

    EXPECT_EQ(doc.Author, QString(40, QLatin1Char('A')));
    EXPECT_EQ(doc.Title, QStringLiteral("Guardian ad litem"));
    EXPECT_EQ(doc.CustodialName, QStringLiteral("Mother"));
    EXPECT_EQ(doc.NonCustodialName, QStringLiteral("Father"));
    EXPECT_EQ(doc.Exclusions,
              (QStringList{QStringLiteral("Soccer practice"), QStringLiteral("HOURLY swim")}));
    EXPECT_FALSE(doc.DistributionStale); // "HOURLY" without "ERRORS"
    EXPECT_FALSE(doc.DistributionHadErrors);
    EXPECT_EQ(doc.NapTime, QStringLiteral("01:30"));
    EXPECT_EQ(doc.NapMinutes, 90);
    EXPECT_EQ(doc.QTotOvernightMinutes, 4320);
    EXPECT_EQ(doc.OverNiteStrtTime, QStringLiteral("07:30PM"));
    EXPECT_EQ(doc.DayVisitEndTime, QStringLiteral("<None>"));

    EXPECT_EQ(doc.OverniteReasons.Text, QStringLiteral("*Annotation"));
    EXPECT_EQ(doc.OverniteReasons.Items,
              (QStringList{QStringLiteral(" "), QStringLiteral("*Annotation"),
                           QStringLiteral("*Note (No Nap)"), QStringLiteral("NN-Camp"),
                           QStringLiteral("Weekend")}));
    EXPECT_EQ(doc.DayVisitReasons.Text, QStringLiteral("Grand;ma"));
}

TEST(CalendarFileReader, TwelveMonthFileGetsAnEmptySecondYear)
{
    CalendarDocument doc;
    ASSERT_TRUE(ReadCalendarFile(doc, DataDir + QStringLiteral("/OneYear.cdb")).Ok);
    EXPECT_EQ(doc.DayCount, 731);
    EXPECT_EQ(doc.SecondYearFirstDay, 365);
    EXPECT_EQ(doc.EndYearText, QStringLiteral("2024"));
    EXPECT_EQ(doc.MonthTable[12].Year, 2024);
    EXPECT_EQ(doc.SecondYearCounters.Days, 366);
    const CalendarDay& christmas = doc.Days[static_cast<std::size_t>(FindDay(doc, 11, true, 25))];
    EXPECT_TRUE(christmas.HasOvernight);
    EXPECT_EQ(christmas.OvernightPickup, QStringLiteral("<None>"));
    const CalendarDay& built = doc.Days[400];
    EXPECT_FALSE(built.HasOvernight);
    EXPECT_EQ(built.OvernightPickup, QStringLiteral("<None>"));
    EXPECT_EQ(doc.OverniteReasons.Items,
              (QStringList{QStringLiteral(" "), QStringLiteral("Christmas")}));
}

TEST(CalendarFileReader, LfOnlyLinesReadLikeCrLf)
{
    const QByteArray crlf = ReadAll(DataDir + QStringLiteral("/OneYear.cdb"));
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    CalendarDocument a;
    CalendarDocument b;
    ASSERT_TRUE(ReadCalendarFromBytes(a, crlf, QStringLiteral("x/OneYear.cdb")).Ok);
    ASSERT_TRUE(ReadCalendarFromBytes(b, lf, QStringLiteral("x/OneYear.cdb")).Ok);
    EXPECT_EQ(a.Days, b.Days);
}

// Each case breaks one thing of a good file; each is refused with the reading error and
// leaves no calendar behind, whatever was open before.
TEST(CalendarFileReader, MalformedFilesAreRefusedWithoutACalendar)
{
    const QByteArray good = CalendarFileBytes(Span(0, 2023));
    const QList<QByteArray> lines = good.split('\n');
    auto without = [&](int from, int count) {
        QList<QByteArray> copy = lines;
        copy.remove(from, count);
        return copy.join('\n');
    };
    auto replaced = [&](int index, const QByteArray& line) {
        QList<QByteArray> copy = lines;
        copy[index] = line + '\r';
        return copy.join('\n');
    };
    QByteArray binary(4096, '\0');
    QRandomGenerator random(7);
    for (char& byte : binary)
        byte = static_cast<char>(random.bounded(256));

    const struct {
        const char* What;
        QByteArray Bytes;
    } cases[] = {
        {"empty file", QByteArray()},
        {"head only", QByteArray("Smith\r\n2023\r\n")},
        {"year not a number", replaced(1, "20x3")},
        {"year out of range", replaced(1, "999")},
        {"unknown first month", replaced(2, "1!Smarch!SUNDAY!False!!False!!!;")},
        {"ends in the day records", good.left(good.indexOf("15!June"))},
        {"day line without separators", replaced(40, "5 hello")},
        {"day number not a number", replaced(2, "1x!January!SUNDAY!False!!False!!!;")},
        {"day out of order", replaced(3, "3!January!MONDAY!False!!False!!!;")},
        {"wrong weekday", replaced(2, "1!January!MONDAY!False!!False!!!;")},
        {"junk line inside the days", replaced(100, "junk")},
        {"a day missing", without(100, 1)},
        {"colour not a number", replaced(733, "BACKGRNDCOL=white")},
        {"unknown line among the colours", replaced(734, "SOMETHING=1")},
        {"total not a number", replaced(745, "QTOTOVRNITES=many")},
        {"duration not hh:mm", replaced(740, "OVERNITEHOURS=a day")},
        {"bad default time", replaced(736, "7:30PM")},
        {"bad time in a day", replaced(2, "1!January!SUNDAY!True!!False!!7:30 - 09:00AM!;")},
        {"reason field without end", replaced(2, "1!January!SUNDAY!True!x!False!no end")},
        {"binary junk", binary},
        {"binary after a good head", QByteArray("Smith\r\n2023\r\n1!") + binary},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = Span(0, 2023);
        doc.ChangesPending = true;
        const QString path = QStringLiteral("/clients/Smith.cdb");
        const FileResult result = ReadCalendarFromBytes(doc, c.Bytes, path);
        EXPECT_FALSE(result.Ok) << c.What;
        EXPECT_EQ(result.Message, QStringLiteral("Error reading /clients/Smith.cdb")) << c.What;
        EXPECT_FALSE(doc.HasCalendar()) << c.What;
        EXPECT_EQ(doc.DayCount, 0) << c.What;
        EXPECT_FALSE(doc.ChangesPending) << c.What;
    }
}

TEST(CalendarFileReader, HugeLineKeepsTheReasonCapacity)
{
    CalendarDocument source = Span(0, 2023);
    MarkOvernight(source.Days[0], QString(300000, QLatin1Char('r')), QStringLiteral("<None>"),
                  QStringLiteral("<None>"));
    CalendarDocument doc;
    ASSERT_TRUE(
        ReadCalendarFromBytes(doc, CalendarFileBytes(source), QStringLiteral("Smith.cdb")).Ok);
    EXPECT_EQ(doc.Days[0].OvernightReason, QString(100, QLatin1Char('r')));
}

TEST(CalendarFileReader, MissingFileIsAReadingError)
{
    CalendarDocument doc;
    const QString path = QStringLiteral("/nonexistent/folder/Smith.cdb");
    const FileResult result = ReadCalendarFile(doc, path);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, QStringLiteral("Error reading ") + path +
                                  QStringLiteral("\n\rThe file does not exist."));
}

TEST(CalendarFileWriter, SuccessSetsCaptionFileNameAndClearsPending)
{
    QTemporaryDir dir;
    CalendarDocument doc = Span(0, 2023);
    doc.ChangesPending = true;
    const QString path = dir.filePath(QStringLiteral("Smith.cdb"));
    ASSERT_TRUE(WriteCalendarFile(doc, path, false).Ok);
    EXPECT_FALSE(doc.ChangesPending);
    EXPECT_EQ(doc.WindowCaption, QStringLiteral("Calendar File=")); // not asked to update it
    EXPECT_EQ(doc.ClientFolder, dir.path() + QLatin1Char('/'));
    ASSERT_TRUE(WriteCalendarFile(doc, path, true).Ok);
    EXPECT_EQ(doc.CurrentFileName, QStringLiteral("Smith.cdb"));
    EXPECT_EQ(doc.WindowCaption, QStringLiteral("Calendar File=Smith.cdb"));
}

TEST(CalendarFileWriter, UncreatableFileReportsTheWriteError)
{
    CalendarDocument doc = Span(0, 2023);
    doc.ChangesPending = true;
    const QString path = QStringLiteral("/nonexistent/folder/Smith.cdb");
    const FileResult result = WriteCalendarFile(doc, path, true);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, QStringLiteral("Error!  Could not create file named\n\r") + path +
                                  QStringLiteral("\n\rIts folder does not exist."));
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_EQ(doc.CurrentFileName, QString());
    EXPECT_EQ(doc.WindowCaption, QStringLiteral("Calendar File="));
}

// A write that fails part way (here the file-size limit stops it, which holds for root too)
// leaves the previous calendar file exactly as it was.
TEST(CalendarFileWriter, FailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Smith.cdb"));
    CalendarDocument old = Span(0, 2023);
    ASSERT_TRUE(WriteCalendarFile(old, path, true).Ok);
    const QByteArray before = ReadAll(path);

    CalendarDocument doc = Span(0, 2023);
    for (CalendarDay& day : doc.Days)
        MarkOvernight(day, QString(90, QLatin1Char('n')), QStringLiteral("07:30PM"),
                      QStringLiteral("09:00AM"));
    doc.ChangesPending = true;
    doc.CurrentFileName = QStringLiteral("Before.cdb");
    doc.WindowCaption = QStringLiteral("Calendar File=Before.cdb");

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = static_cast<rlim_t>(before.size() + 100);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const FileResult result = WriteCalendarFile(doc, path, true);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, QStringLiteral("Error!  Could not create file named\n\r") + path +
                                  QStringLiteral("\n\rFile too large"));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_EQ(doc.CurrentFileName, QStringLiteral("Before.cdb"));
    EXPECT_EQ(doc.WindowCaption, QStringLiteral("Calendar File=Before.cdb"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Smith.cdb")});
}

TEST(CalendarFileWriter, TextThatWouldBreakTheLayoutIsKeptOnItsLine)
{
    CalendarDocument doc = Span(0, 2023);
    doc.ClientName = QStringLiteral("Smith\r\nJones");
    MarkOvernight(doc.Days[0], QStringLiteral("Grand!ma"), QStringLiteral("<None>"),
                  QStringLiteral("<None>"));
    CalendarDocument read;
    ASSERT_TRUE(
        ReadCalendarFromBytes(read, CalendarFileBytes(doc), QStringLiteral("Smith.cdb")).Ok);
    EXPECT_EQ(read.Days[0].OvernightReason, QStringLiteral("Grand ma"));
    EXPECT_EQ(read.DayCount, 731);
}

// The four default times follow the colours unless the file has ended; missing ones keep
// their defaults.
TEST(CalendarFileReader, FileMayEndAfterTheColoursOrAmongTheDefaultTimes)
{
    CalendarDocument source = Span(0, 2023);
    source.OverNiteStrtTime = QStringLiteral("06:00PM");
    source.OverNiteEndTime = QStringLiteral("08:00AM");
    const QByteArray good = CalendarFileBytes(source);
    const qsizetype afterColours = good.indexOf("\n", good.indexOf("OVERNITECOL=")) + 1;
    const qsizetype afterOneTime = good.indexOf("\n", afterColours) + 1;
    const struct {
        const char* What;
        QByteArray Bytes;
        QString Pickup;
    } cases[] = {
        {"ends after the colour line", good.left(afterColours), NoTimeText},
        {"last line without CR LF", good.left(afterColours - 2), NoTimeText},
        {"ends after one default time", good.left(afterOneTime), QStringLiteral("06:00PM")},
    };
    for (const auto& c : cases) {
        CalendarDocument doc;
        ASSERT_TRUE(ReadCalendarFromBytes(doc, c.Bytes, QStringLiteral("/c/Smith.cdb")).Ok)
            << c.What;
        EXPECT_EQ(doc.DayCount, 731) << c.What;
        EXPECT_EQ(doc.OverNiteStrtTime, c.Pickup) << c.What;
        EXPECT_EQ(doc.OverNiteEndTime, NoTimeText) << c.What;
        EXPECT_EQ(doc.DayVisitEndTime, NoTimeText) << c.What;
        EXPECT_EQ(doc.OvernightHours, QStringLiteral("24:00")) << c.What;
    }
}

// No computation may ever see an assumed duration beyond its limit.
TEST(CalendarFileReader, DurationsBeyondTheirLimitAreBroughtToIt)
{
    const struct {
        const char* Line;
        QString CalendarDocument::*Text;
        int CalendarDocument::*Minutes;
        const char* Expected;
    } cases[] = {
        {"OVERNITEHOURS=99:99", &CalendarDocument::OvernightHours,
         &CalendarDocument::OvernightMinutes, "24:00"},
        {"OVERNITEHOURS=24:00", &CalendarDocument::OvernightHours,
         &CalendarDocument::OvernightMinutes, "24:00"},
        {"SLEEPTIME=12:01", &CalendarDocument::SleepTime, &CalendarDocument::SleepMinutes, "12:00"},
        {"SLEEPTIME=07:75", &CalendarDocument::SleepTime, &CalendarDocument::SleepMinutes, "08:15"},
        {"DAYVISITHOURS=16:30", &CalendarDocument::DayVisitHours,
         &CalendarDocument::DayVisitMinutes, "16:00"},
        {"DAYVISITHOURS=15:59", &CalendarDocument::DayVisitHours,
         &CalendarDocument::DayVisitMinutes, "15:59"},
        {"NAPTIME=13:00", &CalendarDocument::NapTime, &CalendarDocument::NapMinutes, "12:00"},
    };
    const QByteArray good = CalendarFileBytes(Span(0, 2023));
    for (const auto& c : cases) {
        CalendarDocument doc;
        ASSERT_TRUE(ReadCalendarFromBytes(doc, good + c.Line + "\r\n", QStringLiteral("S.cdb")).Ok)
            << c.Line;
        const QString expected = QLatin1String(c.Expected);
        EXPECT_EQ(doc.*(c.Text), expected) << c.Line;
        EXPECT_EQ(doc.*(c.Minutes), DurationMinutes(expected)) << c.Line;
    }
}

// Windows-1252 text that happens to be valid UTF-8 keeps its characters, and the file is
// written back byte for byte.
TEST(CalendarFileReader, LegacyTextKeepsItsCharactersAndResavesByteForByte)
{
    QByteArray bytes = CalendarFileBytes(Span(0, 2023));
    bytes.replace("1!January!SUNDAY!False!!False!!!;",
                  "1!January!SUNDAY!True!JOS\xC9\x92S PARTY!False!!07:00PM - 09:00AM!;");
    bytes.replace("Smith\r\n", "Caf\xC3\xA9\r\n");
    CalendarDocument doc;
    ASSERT_TRUE(ReadCalendarFromBytes(doc, bytes, QStringLiteral("/c/Smith.cdb")).Ok);
    EXPECT_EQ(doc.Days[0].OvernightReason,
              QStringLiteral("JOS") + QChar(0xC9) + QChar(0x2019) + QStringLiteral("S PARTY"));
    doc.ClientName = QStringLiteral("Caf") + QChar(0xC3) + QChar(0xA9);
    EXPECT_EQ(CalendarFileBytes(doc), bytes);
}

// An empty or blank parent title reads as the default title, so the first save writes the
// same file as every later one.
TEST(CalendarFileReader, EmptyParentTitleReadsAsTheDefaultAndResavesByteForByte)
{
    const struct {
        const char* Line;
        const char* Empty;
        const char* Custodial;
        const char* NonCustodial;
    } cases[] = {
        {"\r\nCUSTODIALNAME=Mother\r\n", "\r\nCUSTODIALNAME=\r\n", "Custodial", "Father"},
        {"\r\nNONCUSTODIALNAME=Father\r\n", "\r\nNONCUSTODIALNAME=\r\n", "Mother", "Non-Custodial"},
        {"\r\nCUSTODIALNAME=Mother\r\n", "\r\nCUSTODIALNAME=   \r\n", "Custodial", "Father"},
    };
    const QString path = QStringLiteral("/c/Smith.cdb");
    for (const auto& c : cases) {
        CalendarDocument named = Span(0, 2023);
        named.CustodialName = QStringLiteral("Mother");
        named.NonCustodialName = QStringLiteral("Father");
        QByteArray bytes = CalendarFileBytes(named);
        ASSERT_TRUE(bytes.contains(c.Line));
        bytes.replace(c.Line, c.Empty);

        CalendarDocument first;
        ASSERT_TRUE(ReadCalendarFromBytes(first, bytes, path).Ok) << c.Empty;
        EXPECT_EQ(first.CustodialName, QLatin1String(c.Custodial)) << c.Empty;
        EXPECT_EQ(first.NonCustodialName, QLatin1String(c.NonCustodial)) << c.Empty;
        const QByteArray saved = CalendarFileBytes(first);
        CalendarDocument second;
        ASSERT_TRUE(ReadCalendarFromBytes(second, saved, path).Ok) << c.Empty;
        EXPECT_EQ(second.CustodialName, first.CustodialName) << c.Empty;
        EXPECT_EQ(second.NonCustodialName, first.NonCustodialName) << c.Empty;
        EXPECT_EQ(CalendarFileBytes(second), saved) << c.Empty;
    }
}

TEST(CalendarFileReader, BrokenUtf8BehindTheMarkIsAReadingError)
{
    const QByteArray bytes = "\xEF\xBB\xBF" + CalendarFileBytes(Span(0, 2023)) + "AUTHOR=\xC3(\r\n";
    CalendarDocument doc;
    EXPECT_FALSE(ReadCalendarFromBytes(doc, bytes, QStringLiteral("S.cdb")).Ok);
    EXPECT_FALSE(doc.HasCalendar());
}

TEST(CalendarFileReader, OnlyRegularFilesAreRead)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Fifo.cdb"));
    ASSERT_TRUE(MakeFifo(fifo));
    const QString folder = dir.filePath(QStringLiteral("Folder.cdb"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const std::pair<QString, QString> cases[] = {
        {fifo, QStringLiteral("It is not a regular file.")},
        {folder, QStringLiteral("It is a folder, not a file.")}};
    for (const auto& [path, cause] : cases) {
        CalendarDocument doc = Span(0, 2023);
        const FileResult result = ReadCalendarFile(doc, path);
        EXPECT_FALSE(result.Ok);
        EXPECT_EQ(result.Message,
                  QStringLiteral("Error reading ") + path + QStringLiteral("\n\r") + cause);
        EXPECT_FALSE(doc.HasCalendar());
    }
}

// What the writer produces, the reader takes: one limit on both sides, checked before
// anything is replaced.
TEST(CalendarFileWriter, SizeLimitIsTheReadersAtTheBoundary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Big.cdb"));
    CalendarDocument doc = Span(0, 2023);
    const qsizetype base = CalendarFileBytes(doc).size() + QByteArray("AUTHOR=A\r\n").size();
    doc.Exclusions << QString(MaxCalendarFileSize - base - QByteArray("EXCLUSION=\r\n").size(),
                              QLatin1Char('x'));
    doc.Author = QStringLiteral("A");
    ASSERT_EQ(CalendarFileBytes(doc).size(), MaxCalendarFileSize);
    ASSERT_TRUE(WriteCalendarFile(doc, path, true).Ok);
    CalendarDocument read;
    ASSERT_TRUE(ReadCalendarFile(read, path).Ok);
    EXPECT_EQ(read.Exclusions, doc.Exclusions);

    const QByteArray before = FileBytes(path);
    doc.Author = QStringLiteral("AB");
    doc.ChangesPending = true;
    const FileResult result = WriteCalendarFile(doc, path, true);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Message, QStringLiteral("Error!  Could not create file named\n\r") + path);
    EXPECT_TRUE(doc.ChangesPending);
    EXPECT_EQ(FileBytes(path), before);
}

// A refused or failed write changes nothing: not the target, not the client folder.
TEST(CalendarFileWriter, RefusedTargetsStayAsTheyWere)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Fifo.cdb"));
    ASSERT_TRUE(MakeFifo(fifo));
    const QString locked = dir.filePath(QStringLiteral("Locked.cdb"));
    ASSERT_TRUE(MakeLockedFile(locked, "old calendar"));
    const QString device = dir.filePath(QStringLiteral("Device.cdb"));
    const bool root = MakeDeviceNode(device);
    const struct {
        QString Path;
        QString Message;
    } cases[] = {
        {fifo, QStringLiteral("Error!  Could not create file named\n\r") + fifo +
                   QStringLiteral("\n\rIt is not a regular file.")},
        {locked, QStringLiteral("Error!  Can't write to ") + locked +
                     QStringLiteral("\n\rbecause the file is locked!")},
        {device, QStringLiteral("Error!  Could not create file named\n\r") + device +
                     QStringLiteral("\n\rIt is not a regular file.")},
    };
    for (const auto& c : cases) {
        if (c.Path == device && !root)
            continue;
        CalendarDocument doc = Span(0, 2023);
        doc.ClientFolder = QStringLiteral("/before/");
        doc.ChangesPending = true;
        const FileResult result = WriteCalendarFile(doc, c.Path, true);
        EXPECT_FALSE(result.Ok) << c.Path.toStdString();
        EXPECT_EQ(result.Message, c.Message);
        EXPECT_EQ(doc.ClientFolder, QStringLiteral("/before/"));
        EXPECT_TRUE(doc.ChangesPending);
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_EQ(FileBytes(locked), QByteArray("old calendar"));
    EXPECT_FALSE(QFileInfo(locked).permissions() & QFileDevice::WriteOwner);
    if (root) {
        EXPECT_TRUE(IsCharacterDevice(device));
    }
}

// The reason lists hold each reason once, compared ignoring case as Qt folds it, sorted as
// the combo boxes sort. Characters outside ASCII, signs between the capitals and the small
// letters, and reasons repeated on days in a row are where a faster reader could go wrong.
TEST(CalendarFileReader, ReasonListsCollectEachReasonOnceInComboBoxOrder)
{
    CalendarDocument doc = Span(0, 2023);
    // U+212A KELVIN SIGN folds to "k", so its reason is the same as "kite".
    const QStringList overnights{QStringLiteral("kite"),
                                 QStringLiteral("Kite"),
                                 QStringLiteral("\u212Aite"),
                                 QStringLiteral("\u00C9clair"),
                                 QStringLiteral("\u00E9clair"),
                                 QStringLiteral("apple"),
                                 QStringLiteral("Zebra"),
                                 QStringLiteral("_under"),
                                 QStringLiteral("[bracket"),
                                 QStringLiteral("Even Weekend 2"),
                                 QStringLiteral("Even Weekend 10"),
                                 QStringLiteral("kite"),
                                 QStringLiteral("zebra crossing")};
    for (qsizetype i = 0; i < overnights.size(); ++i)
        MarkOvernight(doc.Days[static_cast<std::size_t>(i)], overnights[i],
                      QStringLiteral("07:30PM"), QStringLiteral("09:00AM"));
    const QStringList dayVisits{QStringLiteral("Dinner"), QStringLiteral("Dinner"),
                                QStringLiteral("Dinner"), QStringLiteral("dinner"),
                                QStringLiteral("DINNER"), QStringLiteral("Dinner")};
    for (qsizetype i = 0; i < dayVisits.size(); ++i)
        MarkDayVisit(doc.Days[static_cast<std::size_t>(100 + i)], dayVisits[i],
                     QStringLiteral("05:00PM"), QStringLiteral("07:00PM"));

    CalendarDocument read;
    ASSERT_TRUE(
        ReadCalendarFromBytes(read, CalendarFileBytes(doc), QStringLiteral("/c/Smith.cdb")).Ok);
    EXPECT_EQ(read.Days[2].OvernightReason, QStringLiteral("\u212Aite")); // kept as typed
    EXPECT_EQ(read.OverniteReasons.Text, QStringLiteral("[bracket"));
    EXPECT_EQ(read.OverniteReasons.Items,
              (QStringList{QStringLiteral(" "), QStringLiteral("[bracket"),
                           QStringLiteral("_under"), QStringLiteral("apple"),
                           QStringLiteral("Even Weekend 10"), QStringLiteral("Even Weekend 2"),
                           QStringLiteral("kite"), QStringLiteral("Zebra"),
                           QStringLiteral("zebra crossing"), QStringLiteral("\u00C9clair")}));
    EXPECT_EQ(read.DayVisitReasons.Text, QStringLiteral("Dinner"));
    EXPECT_EQ(read.DayVisitReasons.Items,
              (QStringList{QStringLiteral(" "), QStringLiteral("Dinner")}));
}

} // namespace
