#include "patterns/RepeatPatterns.h"
#include "calendar/MenuChecks.h"
#include "patterns/BulkDialogRules.h"
#include "patterns/CustomLists.h"
#include "patterns/RepeatPatternApply.h"
#include "patterns/WeekdayPatterns.h"

#include "PatternTestSupport.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString ONPickup = QStringLiteral("06:00PM");
const QString ONDropoff = QStringLiteral("08:00AM");
const QString DVStart = QStringLiteral("10:00AM");
const QString DVEnd = QStringLiteral("04:00PM");

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Every mark of a calendar as "date O pickup dropoff reason" or "date D start end reason".
QStringList Marks(const CalendarDocument& doc)
{
    QStringList marks;
    for (int i = 0; i < static_cast<int>(doc.Days.size()); ++i)
        for (const bool overnight : {true, false}) {
            const ConstDayMarkFields fields =
                MarkFieldsOf(doc.Days[static_cast<std::size_t>(i)], overnight);
            if (fields.Has)
                marks << DateOf(doc, i) +
                             (overnight ? QStringLiteral(" O ") : QStringLiteral(" D ")) +
                             fields.Pickup + QStringLiteral(" ") + fields.Dropoff;
        }
    return marks;
}

RepeatRequest Repeat(const CalendarDocument& doc, const QString& letters, const QString& from,
                     const QString& to)
{
    RepeatRequest request;
    request.PatternChosen = true;
    request.Letters = letters;
    request.Range = RangeOf(doc, from, to);
    request.ONStrtTime = ONPickup;
    request.ONEndTime = ONDropoff;
    request.DVStrtTime = DVStart;
    request.DVEndTime = DVEnd;
    request.Reason = QStringLiteral("Custom");
    return request;
}

QString Applied(int overnights, int dayVisits, const QString& reason = QStringLiteral("Custom"))
{
    return QStringLiteral("\tList of \"") + reason +
           QStringLiteral("\" has been applied.\n\r\n\r") +
           QStringLiteral("There were %1 Overnight Stays added.\n\rThere were %2 Day Visits Added.")
               .arg(overnights)
               .arg(dayVisits);
}

// ---- the file ----

class PatternFile : public ::testing::Test {
protected:
    QString Folder() const { return Dir.path() + QStringLiteral("/"); }
    QString Path() const { return RepeatPatternPath(Folder()); }
    QTemporaryDir Dir;
};

TEST_F(PatternFile, WritesOneLineEachWithCrLfAndReadsItBack)
{
    const QStringList items{QStringLiteral("Alternating weekends | NNNNOOONNNNNNN"),
                            QStringLiteral("Jos\u00e9 | OD")};
    ASSERT_EQ(WriteRepeatPatterns(Path(), items), FileWriteError::None);
    EXPECT_EQ(FileBytes(Path()),
              QByteArray("Alternating weekends | NNNNOOONNNNNNN\r\nJos\xe9 | OD\r\n"));
    EXPECT_EQ(ReadRepeatPatterns(Path()), items);
    // A name outside Windows-1252 is written as UTF-8 behind the mark and still reads back.
    const QStringList wide{QStringLiteral("\u0141\u00f3d\u017a | O")};
    ASSERT_EQ(WriteRepeatPatterns(Path(), wide), FileWriteError::None);
    EXPECT_TRUE(FileBytes(Path()).startsWith("\xEF\xBB\xBF"));
    EXPECT_EQ(ReadRepeatPatterns(Path()), wide);
}

TEST_F(PatternFile, ReadsLfLinesSkipsBlankOnesAndRefusesWhatIsNoRegularFile)
{
    WriteBytes(Path(), "A | O\n\r\nno bar here\nB|C | D | N");
    EXPECT_EQ(ReadRepeatPatterns(Path()),
              QStringList({QStringLiteral("A | O"), QStringLiteral("no bar here"),
                           QStringLiteral("B|C | D | N")}));
    EXPECT_FALSE(ReadRepeatPatterns(Folder() + QStringLiteral("missing.txt")));
    QDir(Folder()).mkdir(QStringLiteral("folder"));
    EXPECT_FALSE(ReadRepeatPatterns(Folder() + QStringLiteral("folder")));
}

TEST(PatternItems, SplitAtTheFirstSeparatorOnly)
{
    const struct {
        const char* Item;
        const char* Name;
        const char* Letters;
    } cases[] = {{"Weekends | NNNNOOO", "Weekends", "NNNNOOO"},
                 {"a|b | OD", "a|b", "OD"},
                 {"x | y | OD", "x", "y | OD"},
                 {"no separator", "no separator", ""},
                 {"Empty | ", "Empty", ""},
                 {" | O", "", "O"}};
    for (const auto& c : cases) {
        const RepeatPattern pattern = SplitRepeatPatternItem(QLatin1String(c.Item));
        EXPECT_EQ(pattern.Name, QLatin1String(c.Name)) << c.Item;
        EXPECT_EQ(pattern.Letters, QLatin1String(c.Letters)) << c.Item;
    }
}

TEST(PatternItems, AnyBytesReadAsSomeListWithoutCrashing)
{
    std::mt19937 random(15);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        const int size = static_cast<int>(random() % 200);
        for (int i = 0; i < size; ++i)
            // Mostly the characters the format gives a meaning to, sometimes any byte.
            bytes.append(random() % 3 == 0 ? static_cast<char>(random() % 256)
                                           : " |\r\nODNa"[random() % 9]);
        const QStringList items = RepeatPatternsFromBytes(bytes);
        for (const QString& item : items) {
            EXPECT_FALSE(item.isEmpty());
            EXPECT_FALSE(item.contains(QLatin1Char('\n')));
            const RepeatPattern pattern = SplitRepeatPatternItem(item);
            EXPECT_LE(pattern.Name.size() + pattern.Letters.size(), item.size());
        }
        // What was read writes back to the same list.
        EXPECT_EQ(RepeatPatternsFromBytes(RepeatPatternBytes(items)), items);
    }
}

// ---- the name and letter rules ----

TEST(NameRules, TypedTextIsMendedWithItsNotice)
{
    const QString eighty(80, QLatin1Char('x'));
    const struct {
        QString Typed;
        QString Kept;
        QStringList Messages;
    } cases[] = {
        {QStringLiteral("*Weekends"),
         QStringLiteral("Weekends"),
         {QStringLiteral("Error!  Illegal to start a name with an asterick.")}},
        {QStringLiteral("Dad!s"),
         QStringLiteral("Dad"),
         {QStringLiteral("Explanation marks are not allowed in a name.")}},
        {eighty, eighty, {QStringLiteral("Stop!  The maximum name length is 80 characters,")}},
        {eighty.left(79), eighty.left(79), {}},
        {QStringLiteral("a|b"), QStringLiteral("a|b"), {}},
    };
    for (const auto& c : cases) {
        QString text = c.Typed;
        EXPECT_EQ(TypedNameRules(text), c.Messages) << c.Typed.toStdString();
        EXPECT_EQ(text, c.Kept);
    }
}

TEST(NameRules, AcceptRefusesEmptyBarredAndUsedNames)
{
    const QStringList items{QStringLiteral("Alternate Weekends | NOOONNN")};
    const QString used = QStringLiteral("A pattern named %1 already \n\rexists.  Please change the "
                                        "name and try again.");
    const struct {
        const char* Name;
        QString Error;
    } cases[] = {
        {"", QStringLiteral("Please enter a name for your repeat pattern.")},
        {"a | b", QStringLiteral("Please remove the \"|\" character from your\n\rpattern name and "
                                 "try again.")},
        {"a|b", QString()},
        // The tail of a longer name counts as used, in any case.
        {"weekends", used.arg(QStringLiteral("weekends"))},
        {"ALTERNATE WEEKENDS", used.arg(QStringLiteral("ALTERNATE WEEKENDS"))},
        {"Alternate", QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RepeatPatternNameError(items, QLatin1String(c.Name)), c.Error) << c.Name;
}

TEST(NameRules, LettersAreUpperCasedWithCaretsUnderIllegalOnes)
{
    const struct {
        const char* Typed;
        const char* Letters;
        const char* Carets;
        bool Legal;
    } cases[] = {{"oond", "OOND", "    ", true},
                 {"OXD", "OXD", " ^ ", false},
                 {"o d", "O D", " ^ ", false},
                 {"xyz", "xyz", "^^^", false},
                 {"", "", "", true}};
    for (const auto& c : cases) {
        const RepeatLettersCheck check = CheckRepeatLetters(QLatin1String(c.Typed));
        EXPECT_EQ(check.Letters, QLatin1String(c.Letters)) << c.Typed;
        EXPECT_EQ(check.Carets, QLatin1String(c.Carets)) << c.Typed;
        EXPECT_EQ(check.Legal, c.Legal) << c.Typed;
    }
}

// ---- the editor ----

class PatternEditor : public PatternFile {
protected:
    void SetUp() override
    {
        WriteBytes(Path(), "Alternate Weekends | NOOONNN\r\nDays | DDN\r\n");
        OpenRepeatPatternEditor(State, Folder());
    }
    RepeatPatternEditorState State;
    ScriptedPrompter Prompts;
};

TEST_F(PatternEditor, AcceptAddsAtTheEndAndSaveCloseWritesTheList)
{
    Prompts.Expect(IllegalLettersMessage);
    Prompts.Expect(QStringLiteral("Please enter a name for your repeat pattern."));
    const AcceptResult refused =
        AcceptRepeatPattern(State, QString(), QStringLiteral("oxd"), Prompts);
    EXPECT_FALSE(refused.Added);
    EXPECT_EQ(refused.Letters, QStringLiteral("OxD"));
    EXPECT_EQ(refused.Carets, QStringLiteral(" ^ "));
    EXPECT_EQ(refused.Focus, EditorFocus::Name); // the empty name is reported after the letters
    EXPECT_EQ(Prompts.Seen.size(), 2u);

    const AcceptResult added =
        AcceptRepeatPattern(State, QStringLiteral("Split week"), QStringLiteral("oond"), Prompts);
    EXPECT_TRUE(added.Added);
    EXPECT_EQ(State.Items.last(), QStringLiteral("Split week | OOND"));
    EXPECT_FALSE(State.MayClose);
    EXPECT_EQ(FileBytes(Path()), QByteArray("Alternate Weekends | NOOONNN\r\nDays | DDN\r\n"));

    Prompts.Expect(QStringLiteral("Custom patterns saved to file ") + Folder() +
                   QStringLiteral("CustomPats.txt"));
    EXPECT_TRUE(SaveRepeatPatterns(State, Folder(), Prompts));
    EXPECT_EQ(FileBytes(Path()),
              QByteArray("Alternate Weekends | NOOONNN\r\nDays | DDN\r\nSplit week | OOND\r\n"));
}

TEST_F(PatternEditor, ModifyThenCancelLeavesTheFileAsItWas)
{
    Prompts.Expect(QStringLiteral("Modify pattern Days | DDN?"), PromptAnswer::Yes);
    const std::optional<RepeatPattern> taken = ModifyRepeatPattern(State, 1, Prompts);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Name, QStringLiteral("Days"));
    EXPECT_EQ(taken->Letters, QStringLiteral("DDN"));
    EXPECT_EQ(State.Items, QStringList{QStringLiteral("Alternate Weekends | NOOONNN")});

    Prompts.Expect(QStringLiteral("Canceling now will lose all changes.\n\rContinue anyhow?"),
                   PromptAnswer::No);
    EXPECT_FALSE(CancelRepeatPatternEditor(State, Prompts));
    Prompts.Expect(QStringLiteral("Canceling now will lose all changes.\n\rContinue anyhow?"),
                   PromptAnswer::Yes);
    EXPECT_TRUE(CancelRepeatPatternEditor(State, Prompts)); // and asks nothing more
    EXPECT_EQ(FileBytes(Path()), QByteArray("Alternate Weekends | NOOONNN\r\nDays | DDN\r\n"));
}

TEST_F(PatternEditor, DeleteWritesAtOnceDownToAnEmptyFile)
{
    for (const char* item : {"Alternate Weekends | NOOONNN", "Days | DDN"}) {
        Prompts.Expect(QStringLiteral("Are you sure you want to delete custom pattern\n\r") +
                           QLatin1String(item) + QStringLiteral("?"),
                       PromptAnswer::Yes);
        Prompts.Expect(QStringLiteral("Custom pattern ") + QLatin1String(item) +
                       QStringLiteral(" deleted."));
        EXPECT_TRUE(DeleteRepeatPattern(State, 0, Prompts));
    }
    EXPECT_EQ(FileBytes(Path()), QByteArray());
    // The editor now asks before it is closed other than by Save/Close.
    Prompts.Expect(
        QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?"),
        PromptAnswer::No);
    Prompts.Expect(
        QStringLiteral("Please use the \"Save/Close\" button\n\rto save your changes and close."));
    EXPECT_FALSE(CloseRepeatPatternEditor(State, Prompts));
    // The apply dialog opens on the empty file with an empty list.
    CalendarDocument doc = SpanFrom(2, 2023);
    doc.ClientFolder = Folder();
    RepeatDialogState dialog;
    ScriptedQuestions questions;
    EXPECT_TRUE(OpenRepeatDialog(doc, dialog, questions));
    EXPECT_TRUE(dialog.Items.isEmpty());
}

TEST_F(PatternEditor, SaveCloseOfAnUnchangedListWritesNothingAndAFailedWriteKeepsItOpen)
{
    QFile::remove(Path());
    EXPECT_TRUE(SaveRepeatPatterns(State, Folder(), Prompts));
    EXPECT_FALSE(QFileInfo::exists(Path()));

    AcceptRepeatPattern(State, QStringLiteral("New"), QStringLiteral("O"), Prompts);
    QDir(Folder()).mkdir(QStringLiteral("CustomPats.txt")); // no file can be written there
    Prompts.Expect(QStringLiteral("Error!  Could not create file named\n\r") + Path() +
                   QStringLiteral("\n\rIt is a folder, not a file."));
    EXPECT_FALSE(SaveRepeatPatterns(State, Folder(), Prompts));
    EXPECT_TRUE(State.Changed);
}

// ---- applying ----

struct RepeatCase {
    const char* Name;
    const char* Letters;
    const char* From;
    const char* To;
    const char* OvernightDropoff;
    std::vector<const char*> Expected;
};

class RepeatDays : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatDays, MarkTheseDaysWithTheseTimes)
{
    const RepeatCase& c = GetParam();
    QStringList expected;
    for (const char* mark : c.Expected)
        expected << QLatin1String(mark);
    CalendarDocument doc = SpanFrom(2, 2023); // March 2023 to February 2025
    RepeatRequest request =
        Repeat(doc, QLatin1String(c.Letters), QLatin1String(c.From), QLatin1String(c.To));
    request.ONEndTime = QLatin1String(c.OvernightDropoff);
    ScriptedQuestions questions;
    const RepeatRunResult result = ApplyRepeatPattern(doc, request, questions);
    EXPECT_TRUE(result.Ran);
    EXPECT_EQ(Marks(doc), expected);
    const int overnights =
        static_cast<int>(std::count_if(expected.begin(), expected.end(), [](const QString& mark) {
            return mark.mid(11, 1) == QStringLiteral("O");
        }));
    EXPECT_EQ(questions.Told,
              QStringList{Applied(overnights, static_cast<int>(expected.size()) - overnights)});
    EXPECT_EQ(doc.AppliedChangeCount, expected.isEmpty() ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RepeatDays,
    ::testing::Values(
        // March 6, 2023 is a Monday: each week one stay from Friday to Sunday.
        RepeatCase{"NNNNOOOThreeWeeks",
                   "NNNNOOO",
                   "2023-03-06",
                   "2023-03-26",
                   "08:00AM",
                   {"2023-03-10 O 06:00PM <None>", "2023-03-11 O <None> <None>",
                    "2023-03-12 O <None> 08:00AM", "2023-03-17 O 06:00PM <None>",
                    "2023-03-18 O <None> <None>", "2023-03-19 O <None> 08:00AM",
                    "2023-03-24 O 06:00PM <None>", "2023-03-25 O <None> <None>",
                    "2023-03-26 O <None> 08:00AM"}},
        RepeatCase{"OND",
                   "OND",
                   "2023-03-01",
                   "2023-03-06",
                   "08:00AM",
                   {"2023-03-01 O 06:00PM 08:00AM", "2023-03-03 D 10:00AM 04:00PM",
                    "2023-03-04 O 06:00PM 08:00AM", "2023-03-06 D 10:00AM 04:00PM"}},
        RepeatCase{"LowerCaseLettersFromAFileEditedByHand",
                   "oxd",
                   "2023-03-01",
                   "2023-03-03",
                   "08:00AM",
                   {"2023-03-01 O 06:00PM 08:00AM", "2023-03-03 D 10:00AM 04:00PM"}},
        // A single O is one stay over the whole range.
        RepeatCase{"SingleO",
                   "O",
                   "2023-03-01",
                   "2023-03-04",
                   "08:00AM",
                   {"2023-03-01 O 06:00PM <None>", "2023-03-02 O <None> <None>",
                    "2023-03-03 O <None> <None>", "2023-03-04 O <None> 08:00AM"}},
        RepeatCase{"SingleOOneDay",
                   "O",
                   "2023-03-01",
                   "2023-03-01",
                   "08:00AM",
                   {"2023-03-01 O 06:00PM 08:00AM"}},
        // The end day inside a run of O days takes the dropoff.
        RepeatCase{"RangeEndsInsideARun",
                   "NOOOO",
                   "2023-03-01",
                   "2023-03-03",
                   "08:00AM",
                   {"2023-03-02 O 06:00PM <None>", "2023-03-03 O <None> 08:00AM"}},
        RepeatCase{"StayWrapsRoundThePattern",
                   "ONNO",
                   "2023-03-01",
                   "2023-03-05",
                   "08:00AM",
                   {"2023-03-01 O 06:00PM 08:00AM", "2023-03-04 O 06:00PM <None>",
                    "2023-03-05 O <None> 08:00AM"}},
        // The calendar's last day ends a stay at midnight, or without a time.
        RepeatCase{"CalendarsLastDay",
                   "O",
                   "2025-02-27",
                   "2025-02-28",
                   "08:00AM",
                   {"2025-02-27 O 06:00PM <None>", "2025-02-28 O <None> 12:00AM"}},
        RepeatCase{"CalendarsLastDayNoDropoff",
                   "O",
                   "2025-02-28",
                   "2025-02-28",
                   "<None>",
                   {"2025-02-28 O 06:00PM <None>"}},
        RepeatCase{"OnlyN", "NNN", "2023-03-01", "2023-03-31", "08:00AM", {}}),
    [](const ::testing::TestParamInfo<RepeatCase>& info) { return info.param.Name; });

TEST(RepeatApply, AsksBeforeOverwritingWithItsOwnTextsAndCountsOnlyAnnotations)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-01"), ListKind::Overnights, QStringLiteral("Weekend"));
    MarkDay(doc, QStringLiteral("2023-03-02"), ListKind::DayVisits, QStringLiteral("*Dentist"));
    MarkDay(doc, QStringLiteral("2023-03-03"), ListKind::DayVisits, QStringLiteral("Zoo"));
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::No, OverwriteAnswer::YesToAll};
    RepeatRequest request = Repeat(doc, QStringLiteral("ODD"), QStringLiteral("2023-03-01"),
                                   QStringLiteral("2023-03-03"));
    const RepeatRunResult result = ApplyRepeatPattern(doc, request, questions);
    EXPECT_EQ(questions.Asked,
              QStringList({QStringLiteral("WEDNESDAY, March 1  is already marked as an Overnight "
                                          "because of Weekend.\n\rOverwrite it with Custom?"),
                           QStringLiteral("THURSDAY, March 2  is already marked as a day visit  "
                                          "because of *Dentist.\n\rOverwrite it with Custom?")}));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2023-03-01")).OvernightReason, QStringLiteral("Weekend"));
    EXPECT_EQ(DayAt(doc, QStringLiteral("2023-03-03")).DayVisitReason, QStringLiteral("Custom"));
    // The annotation was never counted, so overwriting it adds one; the ordinary mark does not.
    EXPECT_EQ(result.DayVisits, 1);
    EXPECT_EQ(questions.Told.last(), Applied(0, 1));
    EXPECT_TRUE(doc.DayVisitReasons.Items.contains(QStringLiteral("Custom")));
    EXPECT_FALSE(doc.OverniteReasons.Items.contains(QStringLiteral("Custom")));
}

TEST(RepeatApply, CancelStopsWithItsMessageAndKeepsWhatWasMarked)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-03"), ListKind::DayVisits, QStringLiteral("Zoo"));
    ScriptedQuestions questions;
    questions.Answers = {OverwriteAnswer::Cancel};
    const RepeatRunResult result =
        ApplyRepeatPattern(doc,
                           Repeat(doc, QStringLiteral("D"), QStringLiteral("2023-03-01"),
                                  QStringLiteral("2023-03-09")),
                           questions);
    EXPECT_TRUE(result.Stopped);
    EXPECT_EQ(MarkedDates(doc, ListKind::DayVisits),
              QStringList({QStringLiteral("2023-03-01"), QStringLiteral("2023-03-02"),
                           QStringLiteral("2023-03-03")}));
    EXPECT_EQ(questions.Told,
              QStringList({QStringLiteral("Custom Pattern application terminated by operator "
                                          "request."),
                           Applied(0, 2)}));
}

TEST(RepeatApply, RefusalsStillTakeTheUndoCopy)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    MarkDay(doc, QStringLiteral("2023-03-01"), ListKind::Overnights, QStringLiteral("Weekend"));
    const DayList before = doc.Days;
    RepeatDialogState state;
    ScriptedQuestions questions;
    QTemporaryDir dir;
    doc.ClientFolder = dir.path() + QStringLiteral("/");
    WriteBytes(RepeatPatternPath(doc.ClientFolder), "Weekly | NNNNOOO\r\nEmpty | \r\n");
    ASSERT_TRUE(OpenRepeatDialog(doc, state, questions));

    // No pattern chosen.
    RepeatRunResult result = ApplyRepeatClick(doc, state, questions);
    EXPECT_EQ(questions.Told.last(), ChoosePatternMessage);
    EXPECT_TRUE(state.UndoEnabled);
    // Empty letters count as none chosen.
    ChooseRepeatPattern(state, 1);
    ApplyRepeatClick(doc, state, questions);
    EXPECT_EQ(questions.Told.last(), ChoosePatternMessage);

    // A failed range check tells only its own message; Undo brings back the same calendar.
    ChooseRepeatPattern(state, 0);
    EXPECT_EQ(state.Reason, QStringLiteral("Weekly"));
    state.Range.Start.Month = QStringLiteral("Smarch");
    questions.Told.clear();
    result = ApplyRepeatClick(doc, state, questions);
    EXPECT_EQ(questions.Told, QStringList{QStringLiteral("Invalid entry \"Smarch\" found in "
                                                         "\"Start On\" month.\n\rPlease correct "
                                                         "and try again.")});
    EXPECT_EQ(result.RangeFocus, RangeField::StartMonth);
    EXPECT_TRUE(state.UndoEnabled);
    EXPECT_FALSE(state.Changes);
    UndoRepeatClick(doc, state);
    EXPECT_EQ(doc.Days, before);
    EXPECT_EQ(doc.AppliedChangeCount, 0);
}

TEST(RepeatApply, OpeningWithoutThePatternFileIsRefused)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    QTemporaryDir dir;
    doc.ClientFolder = dir.path() + QStringLiteral("/");
    doc.OverNiteStrtTime = ONPickup;
    RepeatDialogState state;
    ScriptedQuestions questions;
    EXPECT_FALSE(OpenRepeatDialog(doc, state, questions));
    EXPECT_FALSE(state.ApplyEnabled);
    EXPECT_EQ(questions.Told, QStringList{QStringLiteral(
                                  "There are no custom patterns to apply!\n\rCreate some custom "
                                  "patterns, then try this\n\roperation again.")});
    EXPECT_EQ(state.ONStrtTime, ONPickup);
}

TEST(RepeatRemove, RemovesBothKindsOfTheExactReasonOnly)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    ScriptedQuestions questions;
    ApplyRepeatPattern(doc,
                       Repeat(doc, QStringLiteral("OD"), QStringLiteral("2023-03-01"),
                              QStringLiteral("2023-03-10")),
                       questions);
    MarkDay(doc, QStringLiteral("2023-03-02"), ListKind::Overnights, QStringLiteral("CUSTOM"));
    const DateRangeBlock range =
        RangeOf(doc, QStringLiteral("2023-03-03"), QStringLiteral("2023-03-31"));
    doc.AppliedChangeCount = 0;

    questions.Told.clear();
    RepeatRunResult result =
        RemoveRepeatPattern(doc, range, QStringLiteral("custom"), true, questions);
    EXPECT_EQ(result.Overnights + result.DayVisits, 0);
    EXPECT_EQ(doc.AppliedChangeCount, 0);

    result = RemoveRepeatPattern(doc, range, QStringLiteral("Custom"), true, questions);
    EXPECT_EQ(questions.Told.last(),
              QStringLiteral("\tList of \"Custom\" has been removed.\n\r\n\rThere were 4 "
                             "Overnight Stays removed.\n\rThere were 4 Day Visits removed."));
    EXPECT_EQ(MarkedDates(doc, ListKind::Overnights),
              QStringList({QStringLiteral("2023-03-01"), QStringLiteral("2023-03-02")}));
    EXPECT_EQ(MarkedDates(doc, ListKind::DayVisits), QStringList{QStringLiteral("2023-03-02")});
    const CalendarDay& cleared = DayAt(doc, QStringLiteral("2023-03-03"));
    EXPECT_EQ(cleared.OvernightReason, QString());
    EXPECT_EQ(cleared.OvernightPickup, NoTimeText);
    EXPECT_EQ(doc.AppliedChangeCount, 1);

    EXPECT_FALSE(RemoveRepeatPattern(doc, range, QStringLiteral("Custom"), false, questions).Ran);
    EXPECT_EQ(questions.Told.last(), QStringLiteral("Please select a list and try again."));
}

TEST(RepeatRemove, AStartAfterTheCalendarReportsTwoZeroCounts)
{
    CalendarDocument doc = SpanFrom(2, 2023);
    DateRangeBlock range;
    FillDateRange(doc, range);
    range.Start.Year = QStringLiteral("2026");
    range.End.Year = QStringLiteral("2026");
    ScriptedQuestions questions;
    RemoveRepeatPattern(doc, range, QStringLiteral("Custom"), true, questions);
    EXPECT_EQ(questions.Told.last(),
              QStringLiteral("\tList of \"Custom\" has been removed.\n\r\n\rThere were 0 "
                             "Overnight Stays removed.\n\rThere were 0 Day Visits removed."));
}

TEST(ReasonAsStoredTest, KeepsWhatTheCalendarFileCanHold)
{
    EXPECT_EQ(ReasonAsStored(QStringLiteral("Dad's (weekend!)")),
              QStringLiteral("Dad's (weekend )"));
    EXPECT_EQ(ReasonAsStored(QStringLiteral("a;b\r\nc")), QStringLiteral("a;b  c"));
    EXPECT_EQ(ReasonAsStored(QString(120, QLatin1Char('x'))).size(), ReasonCapacity);
}

} // namespace

// A run that only overwrites marks adds nothing to the counts the dialogs report, yet it
// changed days: the calendar must offer to save and the hourly figures go stale, whichever
// bulk dialog ran it.
TEST(BulkRuns, OverwritingOnlyIsAChange)
{
    const QString friday = QStringLiteral("2023-03-03");
    const auto weekday = [&](PatternDialog dialog, PatternKind pattern, ListKind kind) {
        return [=](CalendarDocument& doc, OverwriteQuestions& questions) {
            PatternRequest request;
            request.Dialog = dialog;
            request.Kind = kind;
            request.Pattern = pattern;
            request.Weekdays = Weekdays(QStringLiteral("fri"));
            request.Range = RangeOf(doc, friday, friday);
            request.Reason = QStringLiteral("Visit");
            ApplyPatternList(doc, request, questions);
        };
    };
    const struct {
        const char* Name;
        std::function<void(CalendarDocument&, OverwriteQuestions&)> Run;
    } cases[] = {
        {"odd/even/all overnights",
         weekday(PatternDialog::OddEvenAll, PatternKind::All, ListKind::Overnights)},
        {"monthly day visits",
         weekday(PatternDialog::Monthly, PatternKind::First, ListKind::DayVisits)},
        {"repeat pattern",
         [&](CalendarDocument& doc, OverwriteQuestions& questions) {
             ApplyRepeatPattern(doc, Repeat(doc, QStringLiteral("O"), friday, friday), questions);
         }},
        {"custom list",
         [](CalendarDocument& doc, OverwriteQuestions& questions) {
             const std::vector<TemplateEntry> entries = {
                 ParseTemplateEntry(QStringLiteral("ON March 3, 2023 Trip"), 2),
                 ParseTemplateEntry(QStringLiteral("DV March 3, 2023 Trip"), 3)};
             ApplyCustomList(doc, entries, {0, 1},
                             {QStringLiteral("06:00PM"), QStringLiteral("08:00AM"),
                              QStringLiteral("10:00AM"), QStringLiteral("04:00PM")},
                             questions);
         }},
    };
    for (const auto& c : cases) {
        CalendarDocument doc = SpanFrom(2, 2023);
        MarkDay(doc, friday, ListKind::Overnights, QStringLiteral("Mom"));
        MarkDay(doc, friday, ListKind::DayVisits, QStringLiteral("Zoo"));
        RecountCounters(doc);
        doc.DistributionStale = false;
        const CalendarDay before = DayAt(doc, friday);
        ScriptedQuestions questions;
        questions.Answers = {OverwriteAnswer::YesToAll};
        RunDayChangingDialog(doc, [&] {
            c.Run(doc, questions);
            return true;
        });
        EXPECT_NE(DayAt(doc, friday).OvernightReason + DayAt(doc, friday).DayVisitReason,
                  before.OvernightReason + before.DayVisitReason)
            << c.Name;
        EXPECT_TRUE(doc.ChangesPending) << c.Name;
        EXPECT_TRUE(doc.DistributionStale) << c.Name;
    }
}
