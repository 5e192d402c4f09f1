#include "app/MainWindow.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/PreferencesDialog.h"
#include "output/DrawingSurface.h"
#include "output/ui/CalendarPreview.h"
#include "output/ui/CsvExportDialog.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace custodex;
using namespace custodex::testing;

namespace {

class OutputFlow : public ::testing::Test, protected ScriptedWindowServices {
protected:
    OutputFlow() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents();
        Window.ClientName->setText(QStringLiteral("Jones"));
        Window.UserYear->setCurrentText(QStringLiteral("2004"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("September"));
        ClickStart(Window);
        CalendarDay& friday = Window.Document().Days[2];
        friday.HasOvernight = true;
        friday.OvernightReason = QStringLiteral("Weekend");
        friday.OvernightPickup = QStringLiteral("06:00PM");
        friday.OvernightDropoff = QStringLiteral("08:30AM");
        Window.Document().ChangesPending = false;
        Window.RefreshWindow();
    }
    TestMachine Machine;
    TQDLMainCalendar Window;
};

const QString CancelQuestion = QStringLiteral(
    "Warning!  If you cancel you will lose all changes!\n\rAre you sure you want to cancel?");

TEST_F(OutputFlow, PreferencesCancelRestoresAndOkStores)
{
    Window.Document().DistributionStale = false;
    auto cancelled = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        EXPECT_EQ(preferences->HourFields[0]->text(), QStringLiteral("24"));
        QTest::mouseClick(preferences->HoursDown[0], Qt::LeftButton);
        EXPECT_EQ(preferences->HourFields[0]->text(), QStringLiteral("23"));
        EXPECT_TRUE(preferences->Touched());
        Prompts.Expect(CancelQuestion, PromptAnswer::No);
        QTest::mouseClick(preferences->CancelBtn, Qt::LeftButton);
        EXPECT_TRUE(preferences->isVisible());
        Prompts.Expect(CancelQuestion, PromptAnswer::Yes);
        QTest::mouseClick(preferences->CancelBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("Preferences"))->trigger();
    ASSERT_TRUE(*cancelled);
    EXPECT_EQ(Window.Document().OvernightHours, QStringLiteral("24:00"));
    EXPECT_TRUE(Window.Document().DistributionStale); // the spinner marked it
    EXPECT_FALSE(Window.Document().ChangesPending);

    Colours.Answers = {std::int32_t{0x00FFFF}}; // yellow background
    auto stored = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        EXPECT_EQ(preferences->HourFields[0]->text(),
                  QStringLiteral("24")); // back to the stored value
        QTest::mouseClick(preferences->BackGrndColPanel, Qt::LeftButton);
        QTest::mouseClick(preferences->HoursUp[1], Qt::LeftButton); // sleep 09:00
        preferences->Author->setText(QString(39, QLatin1Char('a')));
        Prompts.Expect(QStringLiteral("Stop!  Max Length of Author field is 40 characters."));
        QTest::keyClicks(preferences->Author, QStringLiteral("b"));
        preferences->CustodialName->setEditText(QStringLiteral("   Dad"));
        preferences->NonCustodialName->setEditText(QStringLiteral("Mother"));
        QTest::mouseClick(preferences->OkBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("Preferences"))->trigger();
    ASSERT_TRUE(*stored);
    EXPECT_EQ(Colours.Offered, std::vector<std::int32_t>{16777215});
    EXPECT_EQ(Window.Document().BackgroundColour, 0x00FFFF);
    EXPECT_EQ(Window.Document().SleepTime, QStringLiteral("09:00"));
    EXPECT_EQ(Window.Document().SleepMinutes, 540);
    EXPECT_EQ(Window.Document().CustodialName, QStringLiteral("Dad"));
    EXPECT_TRUE(Window.Document().ChangesPending);
    EXPECT_EQ(Window.CustodialTitle->text(), QStringLiteral("Dad"));
    EXPECT_EQ(Window.NonCustodialTitle->text(), QStringLiteral("Mother"));
    EXPECT_EQ(Window.Cells[3]->palette().color(QPalette::Window),
              QColor(Qt::yellow)); // Wednesday 1 September 2004
    EXPECT_EQ(Window.Cells[0]->palette().color(QPalette::Window),
              QColor(Qt::white)); // blank cells stay white
}

TEST_F(OutputFlow, PreferencesCloseBoxAsksAndUntouchedCancelDoesNot)
{
    auto ran = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        QTest::mouseClick(preferences->MinutesUp[3], Qt::LeftButton); // nap 00:01
        Prompts.Expect(
            QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?"),
            PromptAnswer::No);
        Prompts.Expect(
            QStringLiteral("Please use the \"OK\" button to\n\rsave your changes and close."));
        preferences->close();
        EXPECT_TRUE(preferences->isVisible());
        Prompts.Expect(
            QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?"),
            PromptAnswer::Yes);
        preferences->close();
    });
    Window.PreferencesClick();
    ASSERT_TRUE(*ran);
    EXPECT_EQ(Window.Document().NapTime, QStringLiteral("00:00"));

    auto untouched = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        QTest::mouseClick(preferences->CancelBtn, Qt::LeftButton); // no question
    });
    Window.PreferencesClick();
    ASSERT_TRUE(*untouched);

    auto clicked = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        QTest::mouseClick(preferences->Author, Qt::LeftButton); // a click alone touches it
        Prompts.Expect(CancelQuestion, PromptAnswer::Yes);
        QTest::mouseClick(preferences->CancelBtn, Qt::LeftButton);
    });
    Window.PreferencesClick();
    ASSERT_TRUE(*clicked);
}

TEST_F(OutputFlow, CsvDialogRefusesBlankSeparatorsAndWritesTheFile)
{
    auto refused = WhenModal([&](QWidget* modal) {
        auto* csv = qobject_cast<TCsvConvert*>(modal);
        ASSERT_NE(csv, nullptr);
        EXPECT_TRUE(csv->RadioComma->isChecked());
        csv->RadioCustom->setChecked(true);
        Prompts.Expect(QStringLiteral(
            "Error!  The field separator cannot be a space or a null\n\rPlease try again."));
        QTest::mouseClick(csv->SaveBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("WriteCsv"))->trigger();
    ASSERT_TRUE(*refused);
    EXPECT_TRUE(Dialogs.Requests.empty());

    Dialogs.Paths = {Machine.Root.filePath(QStringLiteral("exports/Jones"))};
    QDir(Machine.Root.path()).mkpath(QStringLiteral("exports"));
    auto written = WhenModal([&](QWidget* modal) {
        auto* csv = qobject_cast<TCsvConvert*>(modal);
        ASSERT_NE(csv, nullptr);
        EXPECT_TRUE(csv->RadioComma->isChecked()); // every opening starts with the comma
        EXPECT_TRUE(csv->RadioEdit->text().isEmpty());
        csv->CsvOvrNites->setChecked(true);
        csv->CsvOvrNiteReason->setChecked(true);
        csv->CsvOvrNiteStrtTime->setChecked(true);
        csv->CsvOvrNiteEndTime->setChecked(true);
        csv->RadioSemicolon->setChecked(true);
        QTest::mouseClick(csv->SaveBtn, Qt::LeftButton);
    });
    Window.Action(QStringLiteral("WriteCsv"))->trigger();
    ASSERT_TRUE(*written);
    EXPECT_EQ(Dialogs.Requests.back().Title, QStringLiteral("Create a Calendar .csv file"));
    EXPECT_EQ(Dialogs.Requests.back().FileName, QStringLiteral("Jones"));
    EXPECT_FALSE(Dialogs.Requests.back().ConfirmOverwrite); // the program asks about the real file
    QFile file(Machine.Root.filePath(QStringLiteral("exports/Jones.csv")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(
        file.readAll(),
        QByteArray("\"Year\";\"Month\";\"Day\";\"Overnight Stay Reason\";\"Overnight Stay Pickup "
                   "Time\";\"Overnight Stay Dropoff Time\"\r\n\"2004\";\"September\";\"3\";"
                   "\"Weekend\";1800;830\r\n"));
    EXPECT_EQ(Window.Document().ClientFolder, Machine.Root.filePath(QStringLiteral("exports/")));
    EXPECT_TRUE(Window.CsvDialog().CsvOvrNites->isChecked()); // kept for the next opening
    EXPECT_EQ(Window.statusBar()->currentMessage(),
              QStringLiteral("Exported Jones.csv in ") +
                  QDir::toNativeSeparators(Machine.Root.filePath(QStringLiteral("exports"))));
}

TEST_F(OutputFlow, CsvDialogShowsItsWholeCaption)
{
    const QString previous = QGuiApplication::applicationDisplayName();
    const QString program = QStringLiteral("Custodex Calendar");
    QGuiApplication::setApplicationDisplayName(program); // Qt adds it to the caption
    auto ran = WhenModal([&](QWidget* modal) {
        auto* csv = qobject_cast<TCsvConvert*>(modal);
        ASSERT_NE(csv, nullptr);
        EXPECT_EQ(csv->windowTitle(),
                  QStringLiteral("Calendar to Comma Separated Values (.csv) File Format"));
        QFont bold = csv->font();
        bold.setBold(true);
        // The caption in bold as the window manager shows it, beside the icon and buttons.
        const int caption = QFontMetrics(bold).horizontalAdvance(
            csv->windowTitle() + QStringLiteral(" \u2014 ") + program);
        EXPECT_GE(csv->frameGeometry().width(), caption + 100);
        csv->reject();
    });
    Window.Action(QStringLiteral("WriteCsv"))->trigger();
    QGuiApplication::setApplicationDisplayName(previous);
    ASSERT_TRUE(*ran);
}

// A calendar whose custodial title was emptied still names the custodial parent's lines.
TEST(PreviewHeader, EmptyParentTitlesFallBackToTheirRoles)
{
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    BuildSpan(doc, 8, 2004);
    doc.Days[2].HasOvernight = true;
    doc.Days[2].OvernightReason = QStringLiteral("Weekend");
    doc.CustodialName.clear();
    doc.NonCustodialName = QStringLiteral("Dad");
    RecountCounters(doc);
    RecordingSurface surface(QSize(1280, 2048));
    DrawPreview(doc, surface, QString());
    const PreviewLayout layout = ComputePreviewLayout(1280, 2048);
    const auto* custodial = surface.FindText(QStringLiteral("Custodial:  Total OverNights = 364"));
    ASSERT_NE(custodial, nullptr);
    EXPECT_EQ(custodial->Area.y(), 2 + 3 * layout.u);
    EXPECT_NE(surface.FindText(QStringLiteral("Dad:  Total OverNights = 1")), nullptr);
    int custodialLines = 0;
    for (const auto& op : surface.Operations)
        if (op.What == RecordingSurface::Operation::Text &&
            op.Words.startsWith(QStringLiteral("Custodial:  ")))
            ++custodialLines;
    EXPECT_EQ(custodialLines, 2); // one for each year
}

TEST_F(OutputFlow, PreviewDrawsInPhasesAndClosesOnAClick)
{
    Window.Action(QStringLiteral("Preview"))->trigger();
    TPreviewer& preview = Window.Preview();
    EXPECT_TRUE(preview.isVisible());
    EXPECT_FALSE(preview.Drawn());
    QTRY_VERIFY_WITH_TIMEOUT(preview.Drawn(), 10000);
    const PreviewLayout& layout = preview.Layout();
    const QRect block = layout.Block(1);
    // Friday 3 September 2004: first week row, column 5, silver.
    const QPoint friday(block.x() + 5 * layout.C + layout.C - 4,
                        block.y() + 3 * layout.R + layout.R - 4);
    EXPECT_EQ(preview.Picture().pixelColor(friday), QColor(0xC0, 0xC0, 0xC0));
    // The pointer near the bottom edge scrolls down, the middle band stops.
    QWidget* viewport = preview.View()->viewport();
    auto moveTo = [&](int y) {
        const QPoint local(50, y);
        QMouseEvent move(QEvent::MouseMove, local, viewport->mapToGlobal(local), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
    };
    moveTo(viewport->height() - 20);
    QTRY_VERIFY_WITH_TIMEOUT(preview.View()->verticalScrollBar()->value() >= 20, 5000);
    moveTo(viewport->height() / 2);
    EXPECT_FALSE(preview.Phase2->isActive());
    QTest::mouseClick(preview.View()->viewport(), Qt::LeftButton, {}, QPoint(50, 300));
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(preview.Picture().pixelColor(friday),
              QColor(Qt::white)); // cleared for the next showing
}

// Escape closes the preview like a click, before the drawing starts and once it is done; the
// key goes to the scroll area, which has the focus in the window, and other keys leave it open.
TEST_F(OutputFlow, PreviewClosesOnEscape)
{
    for (const bool drawnFirst : {false, true}) {
        SCOPED_TRACE(drawnFirst ? "drawn" : "still drawing");
        Window.Action(QStringLiteral("Preview"))->trigger();
        TPreviewer& preview = Window.Preview();
        ASSERT_TRUE(preview.isVisible());
        if (drawnFirst)
            QTRY_VERIFY_WITH_TIMEOUT(preview.Drawn(), 10000);
        QTest::keyClick(preview.View(), Qt::Key_Space);
        EXPECT_TRUE(preview.isVisible());
        QTest::keyClick(preview.View(), Qt::Key_Escape);
        EXPECT_FALSE(preview.isVisible());
        // Closed means stopped and cleared: no phase draws on behind the closed window.
        QTest::qWait(300);
        EXPECT_FALSE(preview.Phase1->isActive());
        EXPECT_FALSE(preview.Phase2->isActive());
        EXPECT_FALSE(preview.Drawn());
        QImage blank(preview.Picture().size(), preview.Picture().format());
        blank.fill(Qt::white);
        EXPECT_TRUE(preview.Picture() == blank);
    }
}

} // namespace
