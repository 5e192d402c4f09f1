#include "platform/PrintDialog.h"
#include "reports/HourlyDistribution.h"
#include "reports/ui/AwayTimesDialog.h"
#include "reports/ui/CarePreview.h"
#include "reports/ui/CareTimeWindow.h"
#include "reports/ui/QualityPreview.h"
#include "reports/ui/QualitySummaryWindow.h"

#include "support/FullDisk.h"
#include "support/ModalDriver.h"
#include "support/ScriptedOutputPrompts.h"
#include "support/ScriptedServices.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// Answers the print dialog from a script; "Printer" prints into a PDF, optionally with a page
// range chosen.
class ScriptedPrinting : public PrintDialog {
public:
    struct Answer {
        PrintTarget Target;
        int FromPage = 0;
        int ToPage = 0;
    };
    PrintTarget ChoosePrinter(QPrinter& printer, const PrintRequest& request, QWidget*) override
    {
        Requests.push_back(request);
        if (Answers.empty()) {
            ADD_FAILURE() << "unexpected print dialog";
            return PrintTarget::Cancelled;
        }
        const Answer answer = Answers.front();
        Answers.pop_front();
        if (answer.Target == PrintTarget::Printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(PdfPath);
            if (answer.FromPage > 0) {
                printer.setPrintRange(QPrinter::PageRange);
                printer.setFromTo(answer.FromPage, answer.ToPage);
            }
        }
        return answer.Target;
    }
    ~ScriptedPrinting() override
    {
        if (!Answers.empty())
            ADD_FAILURE() << Answers.size() << " print answer(s) never asked for";
    }
    std::deque<Answer> Answers;
    QString PdfPath;
    std::vector<PrintRequest> Requests;
};

// Pages of a PDF, counted from its page objects.
int PdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return static_cast<int>(QString::fromLatin1(file.readAll()).count(page));
}

// Smith's calendar from March 2024: 52 Friday overnights of 15 hours in the first year and a
// two-hour visit in the second; the distribution has run.
class TimeReportWindows : public ::testing::Test {
protected:
    TimeReportWindows()
    {
        Doc.ClientName = T("Smith");
        Doc.CustodialName = T("Mother");
        Doc.NonCustodialName = T("Father");
        BuildSpan(Doc, 2, 2024);
        for (int i = 0; i < Doc.SecondYearFirstDay - 1; ++i) {
            CalendarDay& day = Doc.Days.at(static_cast<std::size_t>(i));
            if (day.WeekdayName != T("FRIDAY"))
                continue;
            day.HasOvernight = true;
            day.OvernightReason = T("Weekend");
            day.OvernightPickup = T("06:00PM");
            day.OvernightDropoff = T("09:00AM");
        }
        CalendarDay& visit = Doc.Days.at(static_cast<std::size_t>(Doc.SecondYearFirstDay + 10));
        visit.HasDayVisit = true;
        visit.DayVisitReason = T("Lunch");
        visit.DayVisitStart = T("11:00AM");
        visit.DayVisitEnd = T("01:00PM");
        Doc.ClientFolder = Dir.path() + T("/");
        RecountCounters(Doc);
        const DistributionResult run = RunDistribution(Doc);
        CompleteDistribution(Doc, run);
        Years = run.Years;
        Doc.ChangesPending = false;
        Printing.PdfPath = Dir.filePath(T("out.pdf"));
    }

    TimeReportServices Services()
    {
        return {Prompts, Help,     Dialogs,
                Output,  Printing, [] {
                    return T("Generated 3/1/24  10:00:00 AM"); }};
    }

    // Fills the entry fields of the away-times dialog.
    static void Enter(TComputeQuality& dialog, const char* name, int hourClicks, int minuteClicks,
                      const char* total, const char* custodial, const char* nonCustodial, bool nap)
    {
        dialog.AwayActivity->setText(T(name));
        for (int i = 0; i < hourClicks; ++i)
            dialog.UpDownAwayHrsUp->click();
        for (int i = 0; i < minuteClicks; ++i)
            dialog.UpDownAwayMinsUp->click();
        dialog.AwayDays->setText(T(total));
        dialog.AwayCustDays->setText(T(custodial));
        dialog.AwayNonCustDays->setText(T(nonCustodial));
        dialog.AddNapTime->setChecked(nap);
    }

    QTemporaryDir Dir;
    CalendarDocument Doc;
    std::array<DistributionYear, 2> Years{};
    ScriptedPrompter Prompts;
    RecordingHelp Help;
    ScriptedFileDialogs Dialogs;
    ScriptedOutputPrompts Output;
    ScriptedPrinting Printing;
};

TEST_F(TimeReportWindows, AwayTimesAddModifyDeleteAndSaveOnClose)
{
    Doc.Exclusions = {T("School,06:00,100,80,20,False")};
    TComputeQuality dialog(Doc, Services());
    auto ran = WhenModal([&](QWidget*) {
        EXPECT_EQ(dialog.AwayList->rowCount(), 2); // one activity and the empty row
        EXPECT_EQ(dialog.AwayList->item(0, 5)->text(), T("No"));

        // The refusals of Add To List, each leaving the list alone.
        Prompts.Expect(T("Excluded day hours must be greater than 0."));
        dialog.AddAwayClick();
        Enter(dialog, "Swim", 1, 0, "0", "0", "0", true);
        Prompts.Expect(T("Invalid Number of away days.  Please Correct and try again."));
        dialog.AddAwayClick();
        dialog.AwayDays->setText(T("10"));
        Prompts.Expect(T("Total Days doesn't equal Custodial days + Non-Custodial days.\n\r"
                         "Please correct and try again."));
        dialog.AddAwayClick();
        EXPECT_EQ(dialog.AwayList->rowCount(), 2);

        dialog.AwayCustDays->setText(T("6"));
        dialog.AwayNonCustDays->setText(T("4"));
        dialog.AddAwayClick();
        Enter(dialog, "Piano", 0, 2, "5", "5", "0", false);
        dialog.AddAwayClick();
        ASSERT_EQ(dialog.AwayList->rowCount(), 4);
        EXPECT_EQ(dialog.AwayList->item(1, 1)->text(), T("01:00"));
        EXPECT_EQ(dialog.AwayList->item(1, 5)->text(), T("Yes"));
        // The entry fields start again.
        EXPECT_EQ(dialog.AwayHrs->text(), T("00"));
        EXPECT_EQ(dialog.AwayDays->text(), T("0"));
        EXPECT_FALSE(dialog.AddNapTime->isChecked());

        // Modify: the row goes into the fields and comes back as the last row.
        Prompts.Expect(T("You must click on an entry in the list before you can modify it."));
        dialog.ModifyAwayClick();
        dialog.AwayList->selectRow(0);
        Prompts.Expect(T("Are you sure you want to Modify Away Activity \n\rActivity Name:  "
                         "School\n\rDaily Hrs.:  06:00\n\rTotal Days:  100\n\rCustodial Days:  "
                         "80\n\rNon-Custodial Days:  20\n\rAdd Nap=No?"),
                       PromptAnswer::Yes);
        dialog.ModifyAwayClick();
        EXPECT_EQ(dialog.ModifyAway->text(), T("Insert Change"));
        EXPECT_FALSE(dialog.AddAway->isEnabled());
        EXPECT_EQ(dialog.AwayActivity->text(), T("School"));
        EXPECT_EQ(dialog.AwayHrs->text(), T("06"));
        dialog.AwayCustDays->setText(T("70"));
        dialog.AwayNonCustDays->setText(T("30"));
        dialog.ModifyAwayClick();
        EXPECT_EQ(dialog.ModifyAway->text(), T("Modify Selection"));
        EXPECT_TRUE(dialog.AddAway->isEnabled());
        EXPECT_EQ(dialog.AwayList->item(2, 0)->text(), T("School"));
        EXPECT_TRUE(dialog.AwayList->item(2, 0)->isSelected());

        // Delete Piano.
        dialog.AwayList->selectRow(1);
        Prompts.Expect(T("Are you sure you want to delete Away Activity \n\rActivity Name:  "
                         "Piano\n\rDaily Hrs.:  00:02\n\rTotal Days:  5\n\rCustodial Days:  5\n\r"
                         "Non-Custodial Days:  0\n\rAdd Nap=No?"),
                       PromptAnswer::Yes);
        dialog.RemoveAwayClick();

        Prompts.Expect(T("Save Changes?"), PromptAnswer::Yes);
        dialog.CloseBtn->click();
    });
    dialog.Execute();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Doc.Exclusions,
              (QStringList{T("Swim,01:00,10,6,4,True"), T("School,06:00,100,70,30,False")}));
    EXPECT_TRUE(Doc.ChangesPending);
}

TEST_F(TimeReportWindows, AwayTimesDailyHoursAreTyped)
{
    TComputeQuality dialog(Doc, Services());
    auto ran = WhenModal([&](QWidget* modal) {
        auto type = [modal](const char* keys) {
            for (const char* k = keys; *k; ++k)
                QTest::keyClick(modal->windowHandle(), *k);
        };
        ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
        dialog.AwayHrs->setFocus();
        type("230");
        EXPECT_EQ(dialog.AwayHrs->text(), T("02"));
        EXPECT_EQ(dialog.AwayMins->text(), T("30"));
        // "230" may still become 23:00; a new visit to the field starts a new entry.
        QTest::keyClick(modal->windowHandle(), Qt::Key_Tab);
        dialog.AwayHrs->setFocus(Qt::BacktabFocusReason);
        Prompts.Expect(T("Invalid hour.  Must be a value from 0 to 24"));
        type("25:"); // 2:50, then no hour 25
        EXPECT_EQ(dialog.AwayMins->text(), T("50"));
        QTest::keyClick(modal->windowHandle(), Qt::Key_PageDown);
        EXPECT_EQ(dialog.AwayMins->text(), T("45"));
        Prompts.Expect(T("Invalid Minute.  Must be 00 when the hours are 24"));
        type("24:3");
        EXPECT_EQ(dialog.AwayHrs->text(), T("24"));
        EXPECT_EQ(dialog.AwayMins->text(), T("00"));
        type("6:15");
        dialog.AwayActivity->setText(T("School"));
        dialog.AwayDays->setText(T("10"));
        dialog.AwayCustDays->setText(T("10"));
        dialog.AddAwayClick();
        EXPECT_EQ(dialog.AwayList->item(0, 1)->text(), T("06:15"));
        Prompts.Expect(T("Save Changes?"), PromptAnswer::No);
        dialog.reject();
    });
    dialog.Execute();
    ASSERT_TRUE(*ran);
}

TEST_F(TimeReportWindows, AwayTimesLeaveChecksAndDiscardedEdits)
{
    Doc.Exclusions = {T("Swim,1:00,5,5,0,True")}; // a hand-edited entry
    TComputeQuality dialog(Doc, Services());
    auto ran = WhenModal([&](QWidget*) {
        // A malformed entry is shown for correction.
        EXPECT_EQ(dialog.AwayList->item(0, 1)->text(), T("1:00"));
        EXPECT_EQ(dialog.AwayList->item(0, 1)->foreground().color(), QColor(Qt::red));
        EXPECT_TRUE(dialog.AwayList->item(0, 0)->toolTip().contains(T("daily time")));

        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        dialog.AwayDays->setFocus();
        dialog.AwayDays->setText(T("10"));
        dialog.AwayCustDays->setFocus();
        dialog.AwayCustDays->setText(T("12"));
        Prompts.Expect(T("Number of Custodial days is greater than total days."));
        dialog.AwayNonCustDays->setFocus();
        QTest::qWait(20);
        EXPECT_TRUE(dialog.AwayCustDays->hasFocus());
        dialog.AwayCustDays->setText(T("7"));
        dialog.AwayNonCustDays->setFocus();
        EXPECT_EQ(dialog.AwayNonCustDays->text(), T("3"));
        dialog.AwayNonCustDays->setText(T("x"));
        Prompts.Expect(T("Illegal character in numeric string.\n\rPlease correct and try again."));
        dialog.AwayActivity->setFocus();
        QTest::qWait(20);
        EXPECT_TRUE(dialog.AwayNonCustDays->hasFocus());
        dialog.AwayNonCustDays->setText(T("3"));

        dialog.AwayActivity->setFocus();
        QTest::keyClicks(dialog.AwayActivity, T("Swim, lessons"));
        Prompts.Expect(T("Sorry, commas are not allowed in Activity names"));
        dialog.AwayDays->setFocus();
        QTest::qWait(20);
        EXPECT_TRUE(dialog.AwayActivity->hasFocus());

        // Spinners step the day counts within 0 to 365.
        dialog.AwayActivity->setText(T("Swim"));
        dialog.AwayDays->setText(T("365"));
        dialog.DaysUp[0]->click();
        EXPECT_EQ(dialog.AwayDays->text(), T("365"));
        dialog.DaysDown[0]->click();
        EXPECT_EQ(dialog.AwayDays->text(), T("364"));

        Prompts.Expect(T("Excluded day hours must be greater than 0."));
        dialog.AddAwayClick();

        // An edit that is not saved leaves the calendar's list as it was.
        dialog.AwayList->selectRow(0);
        Prompts.Expect(T("Are you sure you want to delete Away Activity \n\rActivity Name:  "
                         "Swim\n\rDaily Hrs.:  1:00\n\rTotal Days:  5\n\rCustodial Days:  5\n\r"
                         "Non-Custodial Days:  0\n\rAdd Nap=Yes?"),
                       PromptAnswer::Yes);
        dialog.RemoveAwayClick();
        Prompts.Expect(T("Save Changes?"), PromptAnswer::No);
        dialog.reject();
    });
    dialog.Execute();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Doc.Exclusions, QStringList{T("Swim,1:00,5,5,0,True")});
    EXPECT_FALSE(Doc.ChangesPending);
    dialog.HelpBtn->click();
    ASSERT_EQ(Help.Shown.size(), 1U);
    EXPECT_EQ(Help.Shown[0].second, T("html/cale6bhv.htm"));
}

TEST_F(TimeReportWindows, CheckAwayTimesErrorsThenTheSummary)
{
    Doc.Exclusions = {T("Camp,02:00,365,365,0,False"), T("Camp2,02:00,365,365,0,False"),
                      T("School,06:00,100,80,20,False")};
    TComputeQuality dialog(Doc, Services());
    auto ran = WhenModal([&](QWidget*) {
        Prompts.Expect(T("Error - The total number of custodial activity days exceeds \n\rthe "
                         "Total of Custodial Days.  This error must be corrected."));
        dialog.StrtTimeChk->click();
        EXPECT_EQ(dialog.Summary(), nullptr);

        dialog.AwayList->selectRow(1);
        Prompts.Expect(T("Are you sure you want to delete Away Activity \n\rActivity Name:  "
                         "Camp2\n\rDaily Hrs.:  02:00\n\rTotal Days:  365\n\rCustodial Days:  "
                         "365\n\rNon-Custodial Days:  0\n\rAdd Nap=No?"),
                       PromptAnswer::Yes);
        dialog.RemoveAwayClick();
        Prompts.Expect(T("Away Times Check OK"));
        auto summaryShown = WhenModal([&](QWidget* modal) {
            auto* summary = qobject_cast<TPrintQuality*>(modal);
            ASSERT_NE(summary, nullptr);
            EXPECT_EQ(summary->windowTitle(), T("Check before Printing"));
            EXPECT_EQ(summary->YearLabel->text(),
                      T("For Calendar Year Beginning March 2024 through February 2026"));
            EXPECT_EQ(summary->Fields.at(T("TotalOvrNiteStays"))->text(), T("52"));
            EXPECT_EQ(summary->Fields.at(T("CustAway"))->text(), T("1210 Hrs 0 Mins"));
            EXPECT_EQ(summary->Fields.at(T("NonCustAway"))->text(), T("120 Hrs 0 Mins"));
            summary->CloseBtn->click();
        });
        dialog.StrtTimeChk->click();
        EXPECT_TRUE(*summaryShown);
        Prompts.Expect(T("Save Changes?"), PromptAnswer::No);
        dialog.CloseBtn->click();
    });
    dialog.Execute();
    ASSERT_TRUE(*ran);
}

TEST_F(TimeReportWindows, QualitySummaryPrintsPicturesPaperAndForm)
{
    TPrintQuality summary(Doc, Services());
    const QualityInputs inputs = QualityInputsOf(Doc);
    const QualityCheck check = CheckAwayTimes(inputs, {});
    summary.ShowReport(MakeQualityReport(Doc, inputs, check.Results, {}));
    EXPECT_EQ(summary.Fields.at(T("CustQualTime"))->text(), T("64.6%"));
    EXPECT_EQ(summary.Fields.at(T("NonCustTotalTime"))->text(), T("782 Hrs  0 Mins"));

    // To files: the folder of the chosen name, the format, two pictures and the message.
    QTemporaryDir pictures;
    const QString folder = pictures.path() + T("/");
    Printing.Answers.push_back({PrintTarget::File});
    Dialogs.Paths.push_back(folder + T("anything.bmp"));
    Output.Formats.push_back(ImageFormat::Bitmap);
    Prompts.Expect(T("Quality Time Report has been saved to file\n\r") + folder +
                   T("Smith_QualTime_1.bmp\n\rAnd \n\r") + folder + T("Smith_QualTime_2.bmp"));
    summary.PrintReportBtn->click();
    EXPECT_EQ(Doc.ClientFolder, folder);
    EXPECT_EQ(Dialogs.Requests.back().FileName, T("(Names Auto Generated)"));
    EXPECT_EQ(QImage(folder + T("Smith_QualTime_2.bmp")).size(), QSize(1200, 1575));
    EXPECT_EQ(Printing.Requests.back().JobTitle, T("Calendar Smith"));

    // On paper, page 2 alone, with coloured marks printed as the defaults: colours come back.
    Doc.OvernightColour = 0xFF0000;
    Printing.Answers.push_back({PrintTarget::Printer, 2, 2});
    Output.ColourAnswers.push_back(false);
    summary.PrintReportBtn->click();
    EXPECT_EQ(PdfPages(Printing.PdfPath), 1);
    EXPECT_EQ(Doc.OvernightColour, 0xFF0000);
    Printing.Answers.push_back({PrintTarget::Printer, 0, 0});
    Output.ColourAnswers.push_back(true);
    summary.PrintReportBtn->click();
    EXPECT_EQ(PdfPages(Printing.PdfPath), 2);

    // Print Form: the ink question, then the window as a JPEG picture.
    Prompts.Expect(T("Printing the Quality Time Summary report will use a lot of ink\n\r\n\rAre "
                     "you sure you want to continue?"),
                   PromptAnswer::Cancel);
    Prompts.Expect(T("Okay, maybe later"));
    summary.PrintFormBtn->click();
    Prompts.Expect(T("Printing the Quality Time Summary report will use a lot of ink\n\r\n\rAre "
                     "you sure you want to continue?"),
                   PromptAnswer::Yes);
    Printing.Answers.push_back({PrintTarget::File});
    Dialogs.Paths.push_back(folder + T("x.jpg"));
    Output.Formats.push_back(ImageFormat::Jpeg);
    Prompts.Expect(T("Parental Quality Time Form has been saved to file\n\r") + folder +
                   T("Smith_qualtime_pie.jpg"));
    summary.show();
    summary.PrintFormBtn->click();
    EXPECT_FALSE(QImage(folder + T("Smith_qualtime_pie.jpg")).isNull());
    EXPECT_EQ(Printing.Requests.back().JobTitle, T("Printing Quality Time Summary Form"));

    // Without a parent's title neither printing nor previewing goes on.
    Doc.NonCustodialName.clear();
    Prompts.Expect(T("Please enter the names of the Custodial\n\rand Non-Custodial parents."));
    summary.PrintReportBtn->click();
    Prompts.Expect(T("Please enter the names of the Custodial\n\rand Non-Custodial parents."));
    summary.PreviewBtn->click();
}

// The quality summary's two pictures on a disk that fills up half-way: both new or both old.
TEST_F(TimeReportWindows, QualityPicturesOnAFullDiskLeaveBothOldPictures)
{
    TPrintQuality summary(Doc, Services());
    const QualityInputs inputs = QualityInputsOf(Doc);
    const QualityCheck check = CheckAwayTimes(inputs, {});
    summary.ShowReport(MakeQualityReport(Doc, inputs, check.Results, {}));
    QTemporaryDir pictures;
    const QString folder = pictures.path() + T("/");
    ExpectWrittenAllOrNothing(pictures.path(), [&](const QString& failing) {
        Printing.Answers.push_back({PrintTarget::File});
        Dialogs.Paths.push_back(folder + T("anything.jpg"));
        Output.Formats.push_back(ImageFormat::Jpeg);
        Prompts.Expect(failing.isEmpty() ? T("Quality Time Report has been saved to file\n\r") +
                                               folder + T("Smith_QualTime_1.jpg\n\rAnd \n\r") +
                                               folder + T("Smith_QualTime_2.jpg")
                                         : T("Error!  Could not create file named\n\r") + failing +
                                               T("\n\rNo space left on device"));
        summary.PrintReportBtn->click();
        return Prompts.Seen.back().Kind == PromptKind::Error ? Prompts.Seen.back().Text : QString();
    });
}

TEST_F(TimeReportWindows, QualityPreviewShowsBothPages)
{
    TPrintQuality summary(Doc, Services());
    const QualityInputs inputs = QualityInputsOf(Doc);
    summary.ShowReport(MakeQualityReport(Doc, inputs, CheckAwayTimes(inputs, {}).Results, {}));
    auto ran = WhenModal([&](QWidget* modal) {
        auto* preview = qobject_cast<TPreviewQuality*>(modal);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->windowTitle(), T("Previewing Quality Time Report Page 1 of 2"));
        EXPECT_EQ(preview->Button->text(), T("&Continue"));
        const QSize page = preview->Page->size();
        EXPECT_EQ(page.height(), ReportPreview::PageHeight(page.width()));
        EXPECT_EQ(page.height() % 88, 0);
        preview->Button->click();
        EXPECT_EQ(preview->windowTitle(), T("Previewing Quality Time Report Page 2 of 2"));
        EXPECT_EQ(preview->Button->text(), T("Exit"));
        EXPECT_EQ(preview->PageShown(), 2);
        preview->Button->click();
    });
    summary.PreviewBtn->click();
    EXPECT_TRUE(*ran);
    EXPECT_EQ(ReportPreview::PageHeight(1000), 1320); // 1369 down to 15 x 88
}

TEST_F(TimeReportWindows, CareWindowPeriodsRefusalsPreviewAndPicture)
{
    TPrintCareTime window(Doc, Services());
    window.ShowFor(Years);
    EXPECT_TRUE(window.BothYearsBtn->isChecked());
    EXPECT_EQ(window.Fields.at(T("CustCareTime"))->text(), T("95.5%"));
    window.FirstYearBtn->click();
    EXPECT_EQ(window.Fields.at(T("TotalDayVisits"))->text(), T("0"));
    EXPECT_EQ(window.YearLabel->text(),
              T("For Calendar Year Beginning March 2024 through February 2025"));
    // The choice stays when the window is filled again.
    window.ShowFor(Years);
    EXPECT_EQ(window.Period(), CarePeriod::FirstYear);

    // A period without marks: the window shows it, printing and previewing refuse.
    for (CalendarDay& day : Doc.Days)
        day.HasOvernight = false;
    window.ShowFor(ComputeDistribution(Doc).Years);
    EXPECT_EQ(window.Fields.at(T("CustCareTime"))->text(), T("100.0%"));
    Prompts.Expect(T("You must have at least one overnight stay or \n\rone day visit within the "
                     "selected period to\n\rprint a care time report."));
    window.PrintReportBtn->click();
    Prompts.Expect(T("You must have at least one overnight stay or \n\rone day visit within the "
                     "selected period to\n\rpreview a care time report."));
    window.PreviewBtn->click();

    window.BothYearsBtn->click();
    auto ran = WhenModal([&](QWidget* modal) {
        auto* preview = qobject_cast<TPreviewCare*>(modal);
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->windowTitle(), T("Previewing Parental Care Time Report"));
        preview->Button->click();
    });
    window.PreviewBtn->click();
    EXPECT_TRUE(*ran);

    QTemporaryDir pictures;
    const QString folder = pictures.path() + T("/");
    Printing.Answers.push_back({PrintTarget::File});
    Dialogs.Paths.push_back(folder + T("x"));
    Output.Formats.push_back(ImageFormat::Jpeg);
    Prompts.Expect(T("Parental Care Time Report has been saved to file\n\r") + folder +
                   T("Smith_CareTimeYrs1&2.jpg"));
    window.PrintReportBtn->click();
    EXPECT_EQ(QImage(folder + T("Smith_CareTimeYrs1&2.jpg")).size(), QSize(1200, 1575));

    // Print Form asks no ink question.
    Printing.Answers.push_back({PrintTarget::File});
    Dialogs.Paths.push_back(folder + T("x"));
    Output.Formats.push_back(ImageFormat::Bitmap);
    Prompts.Expect(T("Parental Care Time Form has been saved to file\n\r") + folder +
                   T("Smith_caretime_form.bmp"));
    window.show();
    window.PrintFormBtn->click();
    EXPECT_EQ(Printing.Requests.back().JobTitle, T("Printing Care Time Summary Form"));
}

} // namespace
