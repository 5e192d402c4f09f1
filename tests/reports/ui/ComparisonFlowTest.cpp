#include "app/MainWindow.h"
#include "calendar/CalendarFile.h"
#include "reports/ComparisonTexts.h"
#include "reports/ui/ComparisonWindow.h"
#include "reports/ui/DayCountWindow.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

class ComparisonFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    ComparisonFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        StartCalendar(Window, T("Smith"), T("2024"), T("March"));
        // Two unsaved nights in the calendar shown (Friday and Saturday, March 1 and 2).
        for (int i : {0, 1}) {
            CalendarDay& day = Window.Document().Days[static_cast<std::size_t>(i)];
            day.HasOvernight = true;
            day.OvernightReason = T("Weekend");
        }
        // The other proposal: every day of March 2024 a night.
        CalendarDocument other;
        other.ClientName = T("Jones");
        other.UserYear = T("2024");
        BuildSpan(other, 2, 2024);
        for (int i = 0; i < 31; ++i) {
            other.Days[static_cast<std::size_t>(i)].HasOvernight = true;
            other.Days[static_cast<std::size_t>(i)].OvernightReason = T("Summer");
        }
        EXPECT_TRUE(WriteCalendarFile(other, Other, false).Ok);
    }

    QAction* Command() { return Window.findChild<QAction*>(T("CompareCalendars")); }

    TestMachine Machine;
    TQDLMainCalendar Window;
    QString Other = Machine.Client(T("Jones.cdb"));
};

TEST_F(ComparisonFlow, OpensFromTheMenuAndPrintsToPdf)
{
    ASSERT_NE(Command(), nullptr);
    EXPECT_TRUE(Command()->isEnabled());
    Dialogs.Paths = {Other};
    const QString pdf = Machine.Client(T("Comparison.pdf"));
    Printing.Answers = {PrintTarget::Printer};
    Printing.PdfPath = pdf;
    auto ran = WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<TCompareCalendars*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->SideA->text(), T("A: Smith: March 1, 2024 to February 28, 2026"));
        EXPECT_EQ(window->SideB->text(), T("B: Jones: March 1, 2024 to February 28, 2026"));
        EXPECT_FALSE(window->SpanNote->isVisible());
        // The unsaved nights of A count: 2 against 31 in the first year.
        EXPECT_EQ(window->Table->item(0, 0)->text(), T("2"));
        EXPECT_EQ(window->Table->item(0, 1)->text(), T("31"));
        EXPECT_EQ(window->Table->item(0, 2)->text(), T("+29"));
        // Every column head reads in full ("Second year" was cut short).
        const QFontMetrics heads(window->Table->horizontalHeader()->font());
        for (int c = 0; c < window->Table->columnCount(); ++c)
            for (const QString& line :
                 window->Table->horizontalHeaderItem(c)->text().split(QLatin1Char('\n')))
                EXPECT_GT(window->Table->horizontalHeader()->sectionSize(c),
                          heads.horizontalAdvance(line))
                    << line.toStdString();
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        QTest::keyClick(window, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(!window->Chart->ShowsOvernights()); // a mnemonic clicks after a moment
        QTest::mouseClick(window->PrintBtn, Qt::LeftButton);
        QTest::keyClick(window, Qt::Key_Escape);
    });
    Command()->trigger();
    EXPECT_TRUE(*ran);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    EXPECT_TRUE(printed.readAll().startsWith("%PDF"));
    // Nothing was written to the calendar shown, and it keeps its unsaved changes.
    EXPECT_TRUE(Window.Document().Days[0].HasOvernight);
    EXPECT_EQ(Dialogs.Requests.front().Filter, CalendarFileFilter);
}

TEST_F(ComparisonFlow, AnUnreadableSecondCalendarIsRefusedWithOpensMessage)
{
    QFile broken(Other);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a calendar\r\n");
    broken.close();
    CalendarDocument scratch;
    const QString openSays = ReadCalendarFile(scratch, Other).Message;
    ASSERT_FALSE(openSays.isEmpty());
    Dialogs.Paths = {Other};
    Prompts.Expect(openSays, PromptAnswer::Cancel);
    Command()->trigger();
    ASSERT_EQ(Prompts.Seen.size(), 1u);
    EXPECT_EQ(Prompts.Seen.front().Kind, PromptKind::Error);
    EXPECT_EQ(Window.findChildren<TCompareCalendars*>().size(), 0);
}

TEST_F(ComparisonFlow, SaveAsPdfAsksBeforeReplacing)
{
    const QString pdf = Machine.Client(T("Both.pdf"));
    QFile existing(pdf);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    Dialogs.Paths = {Other, pdf};
    Prompts.Expect(T("File ") + pdf + T(" already exists!\n\rWrite over it?"),
                   PromptAnswer::Cancel);
    auto ran = WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<TCompareCalendars*>(modal);
        ASSERT_NE(window, nullptr);
        EXPECT_FALSE(window->SavePdfClick());
        window->reject();
    });
    Command()->trigger();
    EXPECT_TRUE(*ran);
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep"));
}

// B has a day visit within the night's hours on every day of March 2024: its hours, care time and
// day counts show "—", and the note under the table says why and from which day.
TEST_F(ComparisonFlow, UncountableSecondCalendarShowsDashesAndTheReason)
{
    CalendarDocument other;
    ASSERT_TRUE(ReadCalendarFile(other, Other).Ok);
    for (int i = 0; i < 31; ++i) {
        CalendarDay& day = other.Days[static_cast<std::size_t>(i)];
        day.OvernightPickup = T("06:00PM");
        day.OvernightDropoff = T("08:00AM");
        day.HasDayVisit = true;
        day.DayVisitReason = T("Visit");
        day.DayVisitStart = T("07:00AM");
        day.DayVisitEnd = T("09:00PM");
    }
    ASSERT_TRUE(WriteCalendarFile(other, Other, true).Ok);
    Dialogs.Paths = {Other};
    auto ran = WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<TCompareCalendars*>(modal);
        ASSERT_NE(window, nullptr);
        for (int r = 0; r < window->Table->rowCount(); ++r) {
            const bool hours = NeedsCountableHours(AllMeasures[static_cast<std::size_t>(r)]);
            EXPECT_EQ(window->Table->item(r, 1)->text() == NotCountableCell, hours) << r;
            EXPECT_NE(window->Table->item(r, 0)->text(), NotCountableCell) << r;
        }
        EXPECT_TRUE(window->Notes->isVisible());
        EXPECT_TRUE(window->Notes->text().contains(T("B: no hours, care time or day counts")));
        EXPECT_TRUE(window->Notes->text().contains(T("first on March 1, 2024")));
        window->reject();
    });
    Command()->trigger();
    EXPECT_TRUE(*ran);
}

// File > Day Count Report: the table of both parents' counts, the definitions, help and a PDF.
TEST_F(ComparisonFlow, DayCountReportShowsTheCountsAndSavesAPdf)
{
    QAction* command = Window.findChild<QAction*>(T("DayCountReport"));
    ASSERT_NE(command, nullptr);
    const QString pdf = Machine.Client(T("Counts.pdf"));
    Dialogs.Paths = {pdf};
    auto ran = WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<TDayCountReport*>(modal);
        ASSERT_NE(window, nullptr);
        // Each period's row, then its four methods.
        EXPECT_EQ(window->Table->rowCount(), 15);
        EXPECT_EQ(window->Table->item(0, 0)->text(), T("2024-03-01 to 2025-02-28 (365 days)"));
        // The first year's two nights without times: 2 overnights, the assumed 24 hours each.
        EXPECT_EQ(window->Table->item(1, 0)->text(), T("2"));
        EXPECT_EQ(window->Table->item(2, 0)->text(), T("2.0"));
        EXPECT_EQ(window->Table->item(1, 2)->text(), T("363"));
        EXPECT_TRUE(window->Approximate->isVisibleTo(window));
        EXPECT_TRUE(window->Definitions->text().contains(DayCountNeutralNote));
        QTest::mouseClick(window->HelpBtn, Qt::LeftButton);
        EXPECT_TRUE(window->SavePdfClick());
        window->reject();
    });
    command->trigger();
    EXPECT_TRUE(*ran);
    ASSERT_EQ(Help.Shown.size(), 1u);
    EXPECT_EQ(Help.Shown[0].second, HelpDayCounts);
    QFile written(pdf);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().startsWith("%PDF"));
}

// Print goes to the printer chosen, or to the save dialog of Save as PDF when the user
// chooses a file instead.
TEST_F(ComparisonFlow, DayCountReportPrintsToThePrinterOrAFile)
{
    QAction* command = Window.findChild<QAction*>(T("DayCountReport"));
    ASSERT_NE(command, nullptr);
    const QString printed = Machine.Client(T("Printed.pdf"));
    const QString saved = Machine.Client(T("Saved.pdf"));
    Printing.Answers = {PrintTarget::Printer, PrintTarget::File};
    Printing.PdfPath = printed;
    Dialogs.Paths = {saved};
    auto ran = WhenModal([&](QWidget* modal) {
        auto* window = qobject_cast<TDayCountReport*>(modal);
        ASSERT_NE(window, nullptr);
        window->PrintClick();
        window->PrintClick();
        window->reject();
    });
    command->trigger();
    EXPECT_TRUE(*ran);
    ASSERT_EQ(Printing.Requests.size(), 2u);
    EXPECT_EQ(Printing.Requests[0].JobTitle, DayCountTitle);
    EXPECT_EQ(Printing.Requests[0].FileChoice, T("Save as PDF instead of printing"));
    ASSERT_EQ(Dialogs.Requests.size(), 1u);
    EXPECT_EQ(Dialogs.Requests[0].Title, T("Save the Day Count Report as PDF"));
    EXPECT_EQ(Dialogs.Requests[0].FileName, Window.Document().ClientName + T(" Day Counts.pdf"));
    for (const QString& path : {printed, saved}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_TRUE(file.readAll().startsWith("%PDF")) << path.toStdString();
    }
}

TEST_F(ComparisonFlow, DayCountReportRefusesHoursThatCannotBeCounted)
{
    CalendarDay& day = Window.Document().Days[0];
    day.OvernightPickup = T("06:00PM");
    day.OvernightDropoff = T("08:00AM");
    day.HasDayVisit = true;
    day.DayVisitReason = T("Zoo");
    day.DayVisitStart = T("07:00PM");
    day.DayVisitEnd = T("09:00PM");
    Prompts.Expect(UncountableVisitsMessage);
    Window.findChild<QAction*>(T("DayCountReport"))->trigger();
    EXPECT_EQ(Prompts.Seen.size(), 1u);
    EXPECT_EQ(Window.findChildren<TDayCountReport*>().size(), 0);
}

} // namespace
