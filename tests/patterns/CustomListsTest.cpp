#include "patterns/CustomLists.h"

#include "calendar/CalendarFile.h"
#include "calendar/TextCodec.h"

#include "PatternTestSupport.h"
#include "support/ScriptedServices.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace custodex;
using namespace custodex::testing;

namespace {

const ListTimes Times{QStringLiteral("06:00PM"), QStringLiteral("08:00AM"),
                      QStringLiteral("10:00AM"), QStringLiteral("04:00PM")};

// A calendar of January 2004 to December 2005; December 24, 2004 is a Friday.
CalendarDocument Calendar2004()
{
    CalendarDocument doc = SpanFrom(0, 2004);
    doc.UserYear = QStringLiteral("2004");
    doc.SelUserMonth = QStringLiteral("January");
    return doc;
}

std::vector<TemplateEntry> Entries(std::initializer_list<const char*> lines)
{
    std::vector<TemplateEntry> entries;
    int number = 2;
    for (const char* line : lines)
        entries.push_back(ParseTemplateEntry(QString::fromUtf8(line), number++));
    return entries;
}

QString StayTimes(const CalendarDay& day)
{
    return day.OvernightPickup + QStringLiteral(" ") + day.OvernightDropoff;
}

QString Summary(const char* done, int overnights, int dayVisits)
{
    return QStringLiteral("Selected custom items have been %1.\n\r\n\rThere were %2 Overnight "
                          "Stays %1.\n\rThere were %3 Day Visits %1.")
        .arg(QLatin1String(done))
        .arg(overnights)
        .arg(dayVisits);
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// ---- reading ----

TEST(TemplateEntries, ParseTheFieldsOrSayWhyALineIsNoEntry)
{
    const struct {
        const char* Line;
        const char* Problem; // empty for an entry
        bool Overnight;
        int Month;
        int Day;
        int Year;
        const char* Reason;
    } cases[] = {
        {"ON December 24, 2004 Winter break with father", "", true, 11, 24, 2004,
         "Winter break with father"},
        {"DV january 3 2005 Skating", "", false, 0, 3, 2005, "Skating"},
        {"ON  DECEMBER   24 ,, 2004   Dad's (weekend!)", "", true, 11, 24, 2004,
         "Dad's (weekend!)"},
        {"XX December 24, 2004 Party", "it does not begin with \"ON \" or \"DV \"", false, -1, 0, 0,
         ""},
        {"on December 24, 2004 Party", "it does not begin with \"ON \" or \"DV \"", false, -1, 0, 0,
         ""},
        {"ON", "it does not begin with \"ON \" or \"DV \"", false, -1, 0, 0, ""},
        {"ON ", "it has no month name", true, -1, 0, 0, ""},
        {"ON Decembr 24, 2004 Party", "\"Decembr\" is not a month name", true, -1, 0, 0, ""},
        {"ON December", "it has no day of the month after the month name", true, 11, 0, 0, ""},
        {"ON December x, 2004 Party", "it has no day of the month after the month name", true, 11,
         0, 0, ""},
        {"ON December 24x, 2004 Party", "it has no day of the month after the month name", true, 11,
         0, 0, ""},
        {"ON December 0, 2004 Party", "\"0\" is not a day of a month", true, 11, 0, 0, ""},
        {"ON December 1234567, 2004 Party", "\"123456\" is not a day of a month", true, 11, 0, 0,
         ""},
        {"ON December 24, 2004", "it has no year followed by a blank after the day", true, 11, 24,
         0, ""},
        {"ON December 24, 2004x Party", "it has no year followed by a blank after the day", true,
         11, 24, 0, ""},
        {"ON December 24, 1234567 Party", "\"123456\"... is not a year", true, 11, 24, 0, ""},
        {"ON December 24, 2004   ", "it has no reason after the year", true, 11, 24, 2004, ""},
    };
    for (const auto& c : cases) {
        const TemplateEntry entry = ParseTemplateEntry(QString::fromUtf8(c.Line), 7);
        SCOPED_TRACE(c.Line);
        EXPECT_EQ(entry.Problem, QString::fromUtf8(c.Problem));
        EXPECT_EQ(entry.Applicable, entry.Problem.isEmpty());
        EXPECT_EQ(entry.LineNumber, 7);
        if (!entry.Applicable)
            continue;
        EXPECT_EQ(entry.Overnight, c.Overnight);
        EXPECT_EQ(entry.MonthIndex, c.Month);
        EXPECT_EQ(entry.DayNumber, c.Day);
        EXPECT_EQ(entry.YearNumber, c.Year);
        EXPECT_EQ(entry.Reason, QString::fromUtf8(c.Reason));
    }
}

TEST(TemplateEntries, AReasonIsCutToItsCapacity)
{
    const TemplateEntry entry =
        ParseTemplateEntry(QStringLiteral("DV May 2, 2004 ") + QString(150, QLatin1Char('r')), 2);
    EXPECT_EQ(entry.Reason.size(), TemplateReasonCapacity);
}

TEST(TemplateFile, HeaderEntriesAndCaption)
{
    const CustomListTemplate list = ParseCustomListTemplate(DecodeText(
        "QDL Smith December 2004 Custom List for the winter\r\n"
        "ON December 24, 2004 Eve\r\n\r\nnot an entry\nDV December 26, 2004 Boxing Day"));
    EXPECT_EQ(TemplateCaption(list.Header), QStringLiteral("Apply Custom List for the winter"));
    ASSERT_EQ(list.Entries.size(), 3u);
    EXPECT_EQ(list.Entries[0].LineNumber, 2);
    EXPECT_EQ(list.Entries[1].LineNumber, 4); // the blank line 3 is left out
    EXPECT_EQ(TemplateEntryText(list.Entries[1]),
              QStringLiteral("not an entry   (not applicable: it does not begin with \"ON \" or "
                             "\"DV \")"));
    EXPECT_EQ(TemplateEntryText(list.Entries[2]),
              QStringLiteral("DV December 26, 2004 Boxing Day"));
    // Without "Custom List" the whole header is shown; an empty file has no entries.
    EXPECT_EQ(TemplateCaption(QStringLiteral("Holidays")), QStringLiteral("Apply Holidays"));
    EXPECT_TRUE(ParseCustomListTemplate(QString()).Entries.empty());
}

TEST(TemplateFile, AnyBytesParseWithoutCrashing)
{
    std::mt19937 random(35);
    const char alphabet[] = "ONDV December 24, 2004 \r\n";
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes;
        const int size = static_cast<int>(random() % 300);
        for (int i = 0; i < size; ++i)
            bytes.append(random() % 4 == 0 ? static_cast<char>(random() % 256)
                                           : alphabet[random() % (sizeof alphabet - 1)]);
        const CustomListTemplate list = ParseCustomListTemplate(DecodeText(bytes));
        for (const TemplateEntry& entry : list.Entries) {
            EXPECT_EQ(entry.Applicable, entry.Problem.isEmpty());
            EXPECT_LE(entry.Reason.size(), TemplateReasonCapacity);
            if (entry.Applicable) {
                EXPECT_GE(entry.MonthIndex, 0);
                EXPECT_GE(entry.DayNumber, 1);
                EXPECT_LE(entry.DayNumber, 31);
            }
        }
    }
}

TEST(TemplateFileNames, YearDigitsLastMonthAndTheExemption)
{
    const struct {
        const char* Path;
        const char* Year;
        int Month;
        bool Exempt;
    } cases[] = {
        {"/clients/2004December.tcl", "2004", 11, false},
        {"/clients/2004 July-December.tcl", "2004", 11, false},
        {"/clients/2004 december july.tcl", "2004", 11, false},
        {"C:\\clients\\1999\\School MAY.tcl", "", 4, false},
        {"/clients/school qdltcl.tcl", "", -1, true},
        {"/clients/20x.tcl", "20", -1, false},
    };
    for (const auto& c : cases) {
        const TemplateFileName name = TemplateFileNameOf(QLatin1String(c.Path));
        EXPECT_EQ(name.YearDigits, QLatin1String(c.Year)) << c.Path;
        EXPECT_EQ(name.MonthIndex, c.Month) << c.Path;
        EXPECT_EQ(name.Exempt, c.Exempt) << c.Path;
    }
}

TEST(TemplateFileNames, DateWarningsInOrder)
{
    const QString headerWarning =
        QStringLiteral("Severe Warning!  The date contents of the file %1\n\rdo not match the "
                       "file name date.  Consequently many reason dates may NOT match your "
                       "calendar date range.\n\r\r\nUse this file anyway?");
    const QString calendarWarning = QStringLiteral(
        "SEVERE WARNING!  The date range of this template file\n\rdoes not match the date range "
        "of your calendar and\n\rconsequently many custom reasons dates may NOT match\n\ryour "
        "calendar!\n\r\n\rUse this file anyway?");
    const CalendarDocument doc = Calendar2004();
    const struct {
        const char* Path;
        const char* Header;
        QStringList Warnings;
    } cases[] = {
        {"/c/2004January.tcl", "january 2004 Custom List", {}},
        {"/c/2004January.tcl",
         "2004 Custom List",
         {headerWarning.arg(QStringLiteral("/c/2004January.tcl"))}},
        {"/c/2005January.tcl", "January 2005 Custom List", {calendarWarning}},
        {"/c/January.tcl",
         "January 2004 Custom List",
         {headerWarning.arg(QStringLiteral("/c/January.tcl")), calendarWarning}},
        {"/c/2004january.tcl", "January 2004 Custom List", {}}, // the name's case does not count
        {"/c/list.qdltcl.tcl", "anything", {}},
    };
    for (const auto& c : cases) {
        QStringList warnings;
        for (const TemplateWarning& warning :
             TemplateDateWarnings(doc, QLatin1String(c.Path), QLatin1String(c.Header)))
            warnings << warning.Text;
        EXPECT_EQ(warnings, c.Warnings) << c.Path << " " << c.Header;
    }
}

TEST(TemplateFileNames, LoadingAsksTheWarningsAndNoRejectsTheFile)
{
    QTemporaryDir dir;
    CalendarDocument doc = Calendar2004();
    doc.OverNiteStrtTime = QStringLiteral("05:00PM");
    const QString path = dir.filePath(QStringLiteral("2005June.tcl"));
    WriteBytes(path, "June 2005 Custom List\r\nON June 3, 2005 Visit\r\n");
    CustomListDialogState state;
    ScriptedPrompter prompts;
    prompts.Expect(
        QStringLiteral("SEVERE WARNING!  The date range of this template file\n\rdoes not match "
                       "the date range of your calendar and\n\rconsequently many custom reasons "
                       "dates may NOT match\n\ryour calendar!\n\r\n\rUse this file anyway?"),
        PromptAnswer::No);
    EXPECT_FALSE(LoadCustomListFile(doc, state, path, prompts));
    EXPECT_FALSE(state.Accepted);
    EXPECT_NE(doc.ClientFolder, dir.path() + QStringLiteral("/"));

    ResetCustomListDialog(state);
    const QString exempt = dir.filePath(QStringLiteral("school qdltcl.tcl"));
    QFile::copy(path, exempt);
    EXPECT_TRUE(LoadCustomListFile(doc, state, exempt, prompts));
    EXPECT_EQ(state.FileName, QStringLiteral("school qdltcl.tcl"));
    EXPECT_EQ(state.List.Entries.size(), 1u);
    EXPECT_EQ(state.Times.OverNiteStrtTime, QStringLiteral("05:00PM"));
    EXPECT_EQ(doc.ClientFolder, dir.path() + QStringLiteral("/"));

    prompts.Expect(QStringLiteral("Error reading ") + dir.filePath(QStringLiteral("none.tcl")) +
                   QStringLiteral("\n\rThe file does not exist."));
    EXPECT_FALSE(LoadCustomListFile(doc, state, dir.filePath(QStringLiteral("none.tcl")), prompts));
}

// ---- applying ----

TEST(ListApply, ConsecutiveOvernightsWithTheSameReasonMakeOneStay)
{
    const std::vector<TemplateEntry> entries =
        Entries({"ON December 24, 2004 Winter break", "ON December 25, 2004 Winter break",
                 "ON December 24, 2004 Eve", "ON December 25, 2004 Day"});
    const struct {
        const char* Name;
        std::vector<int> Selected;
        const char* On24;
        const char* On25;
    } cases[] = {
        {"both", {0, 1}, "06:00PM <None>", "<None> 08:00AM"},
        {"onlyThe25th", {1}, "", "06:00PM 08:00AM"},
        {"selectedInAnotherOrder", {1, 0}, "06:00PM <None>", "<None> 08:00AM"},
        {"differentReasons", {2, 3}, "06:00PM 08:00AM", "06:00PM 08:00AM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        CalendarDocument doc = Calendar2004();
        ScriptedQuestions questions;
        const ListRunResult result = ApplyCustomList(doc, entries, c.Selected, Times, questions);
        const CalendarDay& eve = DayAt(doc, QStringLiteral("2004-12-24"));
        EXPECT_EQ(eve.HasOvernight ? StayTimes(eve) : QString(), QLatin1String(c.On24));
        EXPECT_EQ(StayTimes(DayAt(doc, QStringLiteral("2004-12-25"))), QLatin1String(c.On25));
        EXPECT_EQ(questions.Told,
                  QStringList{Summary("applied", static_cast<int>(c.Selected.size()), 0)});
        EXPECT_EQ(doc.AppliedChangeCount, 1);
        EXPECT_TRUE(result.UndoEnabled);
    }
}

TEST(ListApply, AStayReachingTheCalendarsLastDayEndsAtMidnight)
{
    CalendarDocument doc = Calendar2004();
    const std::vector<TemplateEntry> entries =
        Entries({"ON December 30, 2005 New Year", "ON December 31, 2005 New Year",
                 "ON January 1, 2006 New Year", "DV June 5, 2005 Fair"});
    ScriptedQuestions questions;
    ApplyCustomList(doc, entries, {0, 1, 2, 3}, Times, questions);
    EXPECT_EQ(StayTimes(DayAt(doc, QStringLiteral("2005-12-30"))),
              QStringLiteral("06:00PM <None>"));
    EXPECT_EQ(StayTimes(DayAt(doc, QStringLiteral("2005-12-31"))),
              QStringLiteral("<None> 12:00AM"));
    const CalendarDay& fair = DayAt(doc, QStringLiteral("2005-06-05"));
    EXPECT_EQ(fair.DayVisitStart + fair.DayVisitEnd, QStringLiteral("10:00AM04:00PM"));
    EXPECT_EQ(questions.Told,
              QStringList({QStringLiteral("\tWarning, New Year dated January 1, 2006 is\n\rout "
                                          "of the calendar range and cannot be applied."),
                           Summary("applied", 2, 1)}));
    EXPECT_EQ(doc.DayVisitReasons.Items, QStringList{QStringLiteral("Fair")});
}

TEST(ListApply, LinesThatAreNoEntriesAreNamedAndSkipped)
{
    CalendarDocument doc = Calendar2004();
    const std::vector<TemplateEntry> entries = Entries(
        {"ON December 24, 2004 Eve", "ON Decembr 25, 2004 Eve", "ON December 25, 2004 Eve"});
    ScriptedQuestions questions;
    ApplyCustomList(doc, entries, {0, 1, 2}, Times, questions);
    EXPECT_EQ(questions.Told.first(),
              QStringLiteral("\tWarning, line 3 of the template is not a custom list entry\n\r"
                             "(\"Decembr\" is not a month name) and cannot be applied:\n\r"
                             "ON Decembr 25, 2004 Eve"));
    // The line in between takes no part in the stay.
    EXPECT_EQ(StayTimes(DayAt(doc, QStringLiteral("2004-12-24"))),
              QStringLiteral("06:00PM <None>"));
    EXPECT_EQ(StayTimes(DayAt(doc, QStringLiteral("2004-12-25"))),
              QStringLiteral("<None> 08:00AM"));
}

TEST(ListApply, OverwriteQuestionsAndCancel)
{
    CalendarDocument doc = Calendar2004();
    MarkDay(doc, QStringLiteral("2004-12-24"), ListKind::Overnights, QStringLiteral("Mom"));
    MarkDay(doc, QStringLiteral("2004-12-26"), ListKind::DayVisits, QStringLiteral("Zoo"));
    MarkDay(doc, QStringLiteral("2004-12-27"), ListKind::DayVisits, QStringLiteral("Zoo"));
    const std::vector<TemplateEntry> entries =
        Entries({"ON December 24, 2004 Eve", "DV December 25, 2004 Lunch",
                 "DV December 26, 2004 Lunch", "DV December 27, 2004 Lunch"});
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::No, OverwriteAnswer::Cancel};
    const ListRunResult result = ApplyCustomList(doc, entries, {0, 1, 2, 3}, Times, questions);
    EXPECT_EQ(questions.Asked,
              QStringList({QStringLiteral("FRIDAY, December 24  is already marked as an Overnight "
                                          "because of Mom.\n\rOverwrite it with Eve?"),
                           QStringLiteral("SUNDAY, December 26  is already marked as a Day Visit "
                                          "because of Zoo.\n\rOverwrite it with Lunch?")}));
    EXPECT_TRUE(result.Stopped);
    // Cancel stops without a message of its own; the 27th is not reached.
    EXPECT_EQ(questions.Told, QStringList{Summary("applied", 0, 1)});
    EXPECT_EQ(DayAt(doc, QStringLiteral("2004-12-27")).DayVisitReason, QStringLiteral("Zoo"));

    questions.Answers = {OverwriteAnswer::YesToAll};
    ApplyCustomList(doc, entries, {0, 2, 3}, Times, questions);
    EXPECT_EQ(questions.Told.last(), Summary("applied", 1, 2));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2004-12-27")).DayVisitReason, QStringLiteral("Lunch"));
}

TEST(ListApply, NothingSelected)
{
    CalendarDocument doc = Calendar2004();
    const std::vector<TemplateEntry> entries = Entries({"ON December 24, 2004 Eve"});
    ScriptedQuestions questions;
    EXPECT_FALSE(ApplyCustomList(doc, entries, {}, Times, questions).UndoEnabled);
    EXPECT_EQ(questions.Told, QStringList{QStringLiteral("You must select one or more custom "
                                                         "items, then click the Apply "
                                                         "Button.\n\rPlease try again.")});
    questions.Told.clear();
    const ListRunResult removed = RemoveCustomList(doc, entries, {}, questions);
    EXPECT_TRUE(removed.UndoEnabled);
    EXPECT_FALSE(removed.Ran);
    EXPECT_EQ(questions.Told,
              QStringList({QStringLiteral("You must select one or more custom items, then click "
                                          "the Remove Button.\n\rPlease try again."),
                           Summary("removed", 0, 0)}));
    EXPECT_EQ(doc.AppliedChangeCount, 0);
}

TEST(ListRemove, ClearsMatchingReasonsIgnoringCaseAndWarnsOutOfRange)
{
    CalendarDocument doc = Calendar2004();
    MarkDay(doc, QStringLiteral("2004-12-24"), ListKind::Overnights, QStringLiteral("EVE"));
    MarkDay(doc, QStringLiteral("2004-12-25"), ListKind::Overnights, QStringLiteral("Other"));
    MarkDay(doc, QStringLiteral("2004-12-25"), ListKind::DayVisits, QStringLiteral("lunch"));
    const std::vector<TemplateEntry> entries =
        Entries({"ON December 24, 2004 Eve", "ON December 25, 2004 Eve",
                 "DV December 25, 2004 Lunch", "DV March 3, 2003 Lunch"});
    ScriptedQuestions questions;
    RemoveCustomList(doc, entries, {0, 1, 2, 3}, questions);
    EXPECT_EQ(questions.Told,
              QStringList({QStringLiteral("\tWarning, Lunch dated March 3, 2003 is\n\rout of the "
                                          "calendar range and cannot be removed."),
                           Summary("removed", 1, 1)}));
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights), QStringList{QStringLiteral("2004-12-25")});
    EXPECT_TRUE(MarkedDates(doc, ListKind::DayVisits).isEmpty());
    EXPECT_EQ(doc.AppliedChangeCount, 1);
}

TEST(ListApply, UndoTakesBackTheLastRunOnly)
{
    CalendarDocument doc = Calendar2004();
    CustomListDialogState state;
    state.List.Entries = Entries({"ON December 24, 2004 Eve", "DV December 26, 2004 Lunch"});
    state.Times = Times;
    ScriptedQuestions questions;
    ApplyListEntriesClick(doc, state, {0}, questions);
    const DayList afterFirst = doc.Days;
    ApplyListEntriesClick(doc, state, {1}, questions);
    EXPECT_EQ(doc.AppliedChangeCount, 2);
    UndoListClick(doc, state);
    EXPECT_EQ(doc.Days, afterFirst);
    EXPECT_EQ(doc.AppliedChangeCount, 1);
    EXPECT_FALSE(state.UndoEnabled);
    // An Apply of nothing takes a new undo copy, so no older run can be undone after it.
    ApplyListEntriesClick(doc, state, {1}, questions);
    ApplyListEntriesClick(doc, state, {}, questions);
    EXPECT_FALSE(state.UndoEnabled);
}

TEST(ListApply, AReasonWithAnExclamationMarkSavesAndReadsBack)
{
    CalendarDocument doc = Calendar2004();
    const std::vector<TemplateEntry> entries =
        Entries({"ON December 24, 2004 Dad's (weekend!)", "ON December 25, 2004 Dad's (weekend!)",
                 "DV December 26, 2004 Dad's (weekend!)"});
    ScriptedQuestions questions;
    ApplyCustomList(doc, entries, {0, 1, 2}, Times, questions);
    EXPECT_EQ(StayTimes(DayAt(doc, QStringLiteral("2004-12-24"))),
              QStringLiteral("06:00PM <None>"));

    CalendarDocument read;
    const QString path = QStringLiteral("/clients/Smith.cdb");
    ASSERT_TRUE(ReadCalendarFromBytes(read, CalendarFileBytes(doc), path).Ok);
    EXPECT_EQ(MarkedDates(read, ListKind::Overnights), MarkedDates(doc, ListKind::Overnights));
    EXPECT_EQ(MarkedDates(read, ListKind::DayVisits), QStringList{QStringLiteral("2004-12-26")});
    const CalendarDay& eve = DayAt(read, QStringLiteral("2004-12-24"));
    EXPECT_EQ(eve.OvernightReason, QStringLiteral("Dad's (weekend )"));
    EXPECT_EQ(StayTimes(DayAt(read, QStringLiteral("2004-12-25"))),
              QStringLiteral("<None> 08:00AM"));
    // The same template still removes what it applied, after the file was read again.
    RecountCounters(read);
    RemoveCustomList(read, entries, {0, 1, 2}, questions);
    EXPECT_EQ(questions.Told.last(), Summary("removed", 2, 1));
}

} // namespace
