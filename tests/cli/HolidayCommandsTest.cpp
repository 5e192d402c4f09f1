#include "cli/CliCommands.h"
#include "cli/CliRun.h"
#include "support/FullDisk.h"
#include "support/SpecialFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

QJsonObject HolidaysJson(const QStringList& arguments)
{
    const CliRun run =
        RunCommand(QStringList{QStringLiteral("holidays"), QStringLiteral("--json")} + arguments);
    EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
    return QJsonDocument::fromJson(run.Out.toUtf8()).object();
}

QJsonObject HolidayNamed(const QJsonObject& list, const QString& caption)
{
    for (const QJsonValue& each : list[QStringLiteral("holidays")].toArray())
        if (each[QStringLiteral("caption")].toString() == caption)
            return each.toObject();
    ADD_FAILURE() << "no row " << caption.toStdString();
    return {};
}

QStringList Strings(const QJsonValue& array)
{
    QStringList list;
    for (const QJsonValue& each : array.toArray())
        list << each.toString();
    return list;
}

TEST(CliHolidays, ShapeInApplyOrder)
{
    const QJsonObject list = HolidaysJson({QStringLiteral("--country"), QStringLiteral("us"),
                                           QStringLiteral("--start-year"), QStringLiteral("2024"),
                                           QStringLiteral("--start-month"), QStringLiteral("march"),
                                           QStringLiteral("--second-year")});
    EXPECT_EQ(list[QStringLiteral("country")].toString(), QStringLiteral("us"));
    EXPECT_EQ(list[QStringLiteral("selectedYear")][QStringLiteral("from")].toString(),
              QStringLiteral("2025-03-01"));
    EXPECT_EQ(list[QStringLiteral("selectedYear")][QStringLiteral("to")].toString(),
              QStringLiteral("2026-02-28"));
    const QJsonArray holidays = list[QStringLiteral("holidays")].toArray();
    ASSERT_FALSE(holidays.isEmpty());
    // The United States list applies April Fools's Day (row 1) first, Christmas Day (row 3) next.
    const QJsonObject first = holidays[0].toObject();
    EXPECT_EQ(first[QStringLiteral("row")].toInt(), 1);
    EXPECT_EQ(first[QStringLiteral("caption")].toString(), QStringLiteral("April Fools's Day"));
    EXPECT_EQ(first[QStringLiteral("hint")].toString(), QStringLiteral("April 1st"));
    EXPECT_TRUE(first[QStringLiteral("shown")].toBool());
    EXPECT_EQ(Strings(first[QStringLiteral("dates")]), QStringList{QStringLiteral("2025-04-01")});
    EXPECT_TRUE(first[QStringLiteral("messages")].toArray().isEmpty());
    EXPECT_EQ(holidays[1][QStringLiteral("row")].toInt(), 3);
}

struct HolidayCase {
    const char* Country;
    const char* Year;
    const char* Month;
    bool SecondYear;
    const char* Caption;
    bool Shown;
    QStringList Dates;
    QStringList Messages;
};

class CliHolidayDates : public ::testing::TestWithParam<HolidayCase> {};

TEST_P(CliHolidayDates, DatesAndMessages)
{
    const HolidayCase& c = GetParam();
    QStringList arguments{QStringLiteral("--country"),     QLatin1String(c.Country),
                          QStringLiteral("--start-year"),  QLatin1String(c.Year),
                          QStringLiteral("--start-month"), QLatin1String(c.Month)};
    if (c.SecondYear)
        arguments << QStringLiteral("--second-year");
    const QJsonObject row = HolidayNamed(HolidaysJson(arguments), QLatin1String(c.Caption));
    EXPECT_EQ(row[QStringLiteral("shown")].toBool(), c.Shown);
    EXPECT_EQ(Strings(row[QStringLiteral("dates")]), c.Dates);
    EXPECT_EQ(Strings(row[QStringLiteral("messages")]), c.Messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliHolidayDates,
    ::testing::Values(
        HolidayCase{"us",
                    "2024",
                    "January",
                    false,
                    "Thanksgiving Day",
                    true,
                    {QStringLiteral("2024-11-28")},
                    {}},
        // An April year holds the Easter of both calendar years it touches.
        HolidayCase{"us",
                    "2001",
                    "April",
                    false,
                    "Easter Sunday",
                    true,
                    {QStringLiteral("2001-04-15"), QStringLiteral("2002-03-31")},
                    {QStringLiteral("Warning!  There were two \"Easter Sunday\" holidays\n\rwithin "
                                    "your yearly selected time period.")}},
        HolidayCase{"uk",
                    "2051",
                    "April",
                    false,
                    "Good Friday (UK)",
                    true,
                    {},
                    {QStringLiteral("Easter Calculation not supported for\n\rthe year 2052"),
                     QStringLiteral("Warning!  There were no \"Good Friday (UK)\" "
                                    "holidays\n\rwithin your yearly selected time period.")}},
        HolidayCase{"uk",
                    "2002",
                    "January",
                    false,
                    "Last May Monday Bank Holiday (UK)",
                    true,
                    {QStringLiteral("2002-06-04")},
                    {QStringLiteral("Notice... Due to Queen Elizabeth II's Golden Jubilee, "
                                    "holiday\n\r\"Last May Monday Bank Holiday (UK)\"  is being "
                                    "moved to June 4th (in year 2002 only).")}},
        HolidayCase{"uk",
                    "2001",
                    "June",
                    true,
                    "Queen Elizabeth II's Golden Jubilee",
                    true,
                    {QStringLiteral("2002-06-03")},
                    {QStringLiteral("Notice... Because you have started the year in June, May "
                                    "falls\n\rin year 2003 and, if you wish to mark June 4th as a "
                                    "holiday, you\n\rwill need to do so manually.")}},
        HolidayCase{
            "uk", "2024", "January", false, "Queen Elizabeth II's Golden Jubilee", false, {}, {}},
        HolidayCase{"ca",
                    "2024",
                    "January",
                    false,
                    "Regatta Day (Ca./New)",
                    false,
                    {QStringLiteral("2024-08-07")},
                    {}}));

class CliHolidayFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_in = m_dir.filePath(QStringLiteral("in.cdb"));
        const CliRun made =
            RunCommand({QStringLiteral("new"), QStringLiteral("--client"), QStringLiteral("Smith"),
                        QStringLiteral("--year"), QStringLiteral("2024"), QStringLiteral("--month"),
                        QStringLiteral("January"), m_in});
        ASSERT_EQ(made.Status, 0) << made.Err.toStdString();
    }

    QString Out() const { return m_dir.filePath(QStringLiteral("out.cdb")); }

    CliRun Apply(const QString& in, const QString& out, const QStringList& options) const
    {
        return RunCommand(QStringList{QStringLiteral("apply-holidays"), in, out} + options);
    }

    // The day of the first year with that month name and day of month, from info --json.
    QJsonObject Day(const QString& path, const QString& month, int dayOfMonth) const
    {
        const CliRun info = RunCommand({QStringLiteral("info"), path, QStringLiteral("--json")});
        EXPECT_EQ(info.Status, 0) << info.Err.toStdString();
        const QJsonObject object = QJsonDocument::fromJson(info.Out.toUtf8()).object();
        for (const QJsonValue& day : object[QStringLiteral("days")].toArray())
            if (day[QStringLiteral("month")].toString().compare(month, Qt::CaseInsensitive) == 0 &&
                day[QStringLiteral("day")].toInt() == dayOfMonth)
                return day.toObject();
        return {};
    }

    QTemporaryDir m_dir;
    QString m_in;
};

TEST_F(CliHolidayFiles, MarksTheTickedDays)
{
    const CliRun run =
        Apply(m_in, Out(),
              {QStringLiteral("--country"), QStringLiteral("us"), QStringLiteral("--day-visits"),
               QStringLiteral("--tick"), QStringLiteral("Thanksgiving Day=09:00AM,05:00PM"),
               QStringLiteral("--tick"), QStringLiteral("Flag Day"), QStringLiteral("--no-nap"),
               QStringLiteral("Flag Day")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QJsonObject thanksgiving = Day(Out(), QStringLiteral("November"), 28);
    EXPECT_TRUE(thanksgiving[QStringLiteral("hasDayVisit")].toBool());
    EXPECT_EQ(thanksgiving[QStringLiteral("dayVisitReason")].toString(),
              QStringLiteral("Thanksgiving Day"));
    EXPECT_EQ(thanksgiving[QStringLiteral("dayVisitStart")].toString(), QStringLiteral("09:00AM"));
    EXPECT_EQ(thanksgiving[QStringLiteral("dayVisitEnd")].toString(), QStringLiteral("05:00PM"));
    EXPECT_EQ(Day(Out(), QStringLiteral("June"), 14)[QStringLiteral("dayVisitReason")].toString(),
              QStringLiteral("NN-Flag Day"));
    EXPECT_FALSE(
        Day(Out(), QStringLiteral("November"), 28)[QStringLiteral("hasOvernight")].toBool());
    EXPECT_FALSE(Day(m_in, QStringLiteral("November"), 28)[QStringLiteral("hasDayVisit")].toBool());

    // The scan ticks what the calendar holds, so unticking removes it again.
    const CliRun removed =
        Apply(Out(), Out(),
              {QStringLiteral("--country"), QStringLiteral("us"), QStringLiteral("--day-visits"),
               QStringLiteral("--untick"), QStringLiteral("Thanksgiving Day")});
    ASSERT_EQ(removed.Status, 0) << removed.Err.toStdString();
    EXPECT_FALSE(
        Day(Out(), QStringLiteral("November"), 28)[QStringLiteral("hasDayVisit")].toBool());
    EXPECT_TRUE(Day(Out(), QStringLiteral("June"), 14)[QStringLiteral("hasDayVisit")].toBool());

    // An existing OUT other than IN is refused before anything is applied.
    const CliRun refused =
        Apply(m_in, Out(),
              {QStringLiteral("--country"), QStringLiteral("us"), QStringLiteral("--overnights"),
               QStringLiteral("--tick"), QStringLiteral("Flag Day")});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_TRUE(refused.Err.contains(
        QStringLiteral(" already exists!\nWrite to a new file or to the calendar read.")))
        << refused.Err.toStdString();
}

TEST_F(CliHolidayFiles, OverwritePolicyAnswersTheQuestion)
{
    ASSERT_EQ(
        Apply(m_in, m_in,
              {QStringLiteral("--country"), QStringLiteral("us"), QStringLiteral("--overnights"),
               QStringLiteral("--tick"), QStringLiteral("Christmas Day")})
            .Status,
        0);
    const struct {
        const char* Policy;
        const char* Reason;
        const char* Answer;
    } cases[] = {{"none", "Christmas Day", "No"}, {"all", "Christmas Day (UK)", "Yes"}};
    for (const auto& c : cases) {
        const QString out = m_dir.filePath(QLatin1String(c.Policy) + QStringLiteral(".cdb"));
        const CliRun run = Apply(m_in, out,
                                 {QStringLiteral("--country"), QStringLiteral("uk"),
                                  QStringLiteral("--overnights"), QStringLiteral("--tick"),
                                  QStringLiteral("Christmas Day (UK)"),
                                  QStringLiteral("--overwrite"), QLatin1String(c.Policy)});
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        EXPECT_EQ(run.Out, QStringLiteral("December 25 is set to Christmas Day.\nOverwrite with "
                                          "Christmas Day (UK)?\n") +
                               QLatin1String(c.Answer) + QLatin1Char('\n'));
        EXPECT_EQ(
            Day(out, QStringLiteral("December"), 25)[QStringLiteral("overnightReason")].toString(),
            QLatin1String(c.Reason));
    }
}

// The questions and answers are told only once the calendar is written (they used to be
// printed before a full disk refused the file).
TEST_F(CliHolidayFiles, NothingIsToldOfACalendarThatWasNotWritten)
{
    const QStringList christmas{QStringLiteral("--country"), QStringLiteral("us"),
                                QStringLiteral("--overnights"), QStringLiteral("--tick"),
                                QStringLiteral("Christmas Day")};
    ASSERT_EQ(Apply(m_in, m_in, christmas).Status, 0);
    const QStringList uk{QStringLiteral("--country"),
                         QStringLiteral("uk"),
                         QStringLiteral("--overnights"),
                         QStringLiteral("--tick"),
                         QStringLiteral("Christmas Day (UK)"),
                         QStringLiteral("--overwrite"),
                         QStringLiteral("all")};
    const QByteArray before = custodex::testing::FileBytes(m_in);
    CliRun run;
    {
        const custodex::testing::FullDiskAfter disk(0);
        run = Apply(m_in, m_in, uk);
    }
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.contains(QStringLiteral("No space left on device")))
        << run.Err.toStdString();
    EXPECT_EQ(run.Out, QString());
    EXPECT_EQ(custodex::testing::FileBytes(m_in), before);
}

TEST_F(CliHolidayFiles, DayVisitTimeErrorWritesNothing)
{
    const CliRun run =
        Apply(m_in, Out(),
              {QStringLiteral("--country"), QStringLiteral("us"), QStringLiteral("--day-visits"),
               QStringLiteral("--tick"), QStringLiteral("Flag Day=05:00PM,09:00AM")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Error in times for holiday Flag Day!\nWhen "
                                                  "entering day visit times")))
        << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(CliHolidayFiles, UnknownCaptionIsRefusedWithTheList)
{
    const CliRun run =
        Apply(m_in, Out(),
              {QStringLiteral("--country"), QStringLiteral("uk"), QStringLiteral("--overnights"),
               QStringLiteral("--tick"), QStringLiteral("Christmas Day")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.startsWith(QStringLiteral("Unknown holiday caption 'Christmas Day'.")))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(QStringLiteral("\n  Christmas Day (UK)\n")));
    // The jubilee row is not shown outside 2002, so it cannot be ticked either.
    EXPECT_FALSE(run.Err.contains(QStringLiteral("Golden Jubilee")));
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST_F(CliHolidayFiles, UsageErrors)
{
    const QString tick = QStringLiteral("--tick");
    const QStringList cases[] = {
        {QStringLiteral("holidays"), QStringLiteral("--country"), QStringLiteral("fr"),
         QStringLiteral("--start-year"), QStringLiteral("2024"), QStringLiteral("--start-month"),
         QStringLiteral("May")},
        {QStringLiteral("apply-holidays"), m_in, Out(), QStringLiteral("--country"),
         QStringLiteral("us")},
        {QStringLiteral("apply-holidays"), m_in, Out(), QStringLiteral("--country"),
         QStringLiteral("us"), QStringLiteral("--overnights"), QStringLiteral("--day-visits")},
        {QStringLiteral("apply-holidays"), m_in, Out(), QStringLiteral("--country"),
         QStringLiteral("US"), QStringLiteral("--overnights")},
        {QStringLiteral("apply-holidays"), m_in, Out(), QStringLiteral("--country"),
         QStringLiteral("us"), QStringLiteral("--overnights"), QStringLiteral("--overwrite"),
         QStringLiteral("some")},
        {QStringLiteral("apply-holidays"), m_in, Out(), QStringLiteral("--country"),
         QStringLiteral("us"), QStringLiteral("--overnights"), tick,
         QStringLiteral("Flag Day=9am,5pm")},
    };
    for (const QStringList& arguments : cases) {
        const CliRun run = RunCommand(arguments);
        EXPECT_EQ(run.Status, 2) << arguments.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(QFile::exists(Out()));
}

TEST(CliHolidays, StartChecksRefuseWithTheirMessages)
{
    const CliRun run =
        RunCommand({QStringLiteral("holidays"), QStringLiteral("--country"), QStringLiteral("ca"),
                    QStringLiteral("--start-year"), QStringLiteral("999"),
                    QStringLiteral("--start-month"), QStringLiteral("May")});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Err.startsWith(
        QStringLiteral("The Calendar year must be greater than 1000\nand less than 3000\n")));
}

} // namespace
