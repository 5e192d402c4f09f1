#include "app/MainWindow.h"
#include "app/StartWizard.h"
#include "calendar/CalendarFile.h"
#include "calendar/ui/PreferencesDialog.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "entry/ui/DayEditorDialog.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "support/ModalDriver.h"
#include "support/PreferencesDriver.h"
#include "support/ScriptedServices.h"
#include "support/ScriptedWindowServices.h"
#include "support/TestMachine.h"

#include <QAbstractFileIconProvider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

using namespace custodex;
using namespace custodex::testing;

namespace {

// One run of the program with the wizard switched off, so a test shows what it needs.
class DialogDefects : public ::testing::Test, protected ScriptedWindowServices {
protected:
    DialogDefects() : Window(ServicesFor(Machine.Paths()))
    {
        Window.show();
        QCoreApplication::processEvents(); // first activation
    }

    void StartCalendar()
    {
        Window.ClientName->setText(QStringLiteral("Smith"));
        Window.UserYear->setCurrentText(QStringLiteral("2023"));
        Window.SelUserMonth->setCurrentText(QStringLiteral("January"));
        ClickStart(Window);
        ASSERT_TRUE(Window.Document().HasCalendar());
    }

    TestMachine Machine;
    TQDLMainCalendar Window;
};

// Every shown line of `page` lies inside `window`, has the height its wrapped text needs and
// overlaps no other line.
void ExpectLinesApart(QWidget* window, QWidget* page, const char* when)
{
    QCoreApplication::processEvents(); // the layout follows text changes on the next turn
    std::vector<std::pair<QString, QRect>> lines;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->text().isEmpty())
            continue;
        const QRect box(label->mapTo(window, QPoint(0, 0)), label->size());
        EXPECT_GE(label->height(), label->heightForWidth(label->width()))
            << when << ": cut: " << label->text().toStdString();
        EXPECT_TRUE(window->rect().contains(box))
            << when << ": outside: " << label->text().toStdString();
        for (const auto& [text, other] : lines)
            EXPECT_FALSE(box.intersects(other)) << when << ": " << label->text().toStdString()
                                                << " overlaps " << text.toStdString();
        lines.emplace_back(label->text(), box);
    }
    EXPECT_GE(lines.size(), 8u) << when;
}

TEST_F(DialogDefects, WizardLastPageLinesWrapApartAtAnyFontSize)
{
    {
        CalendarDocument doc;
        doc.ClientName = QStringLiteral("Old");
        doc.UserYear = QStringLiteral("2020");
        BuildSpan(doc, 0, 2020);
        ASSERT_TRUE(WriteCalendarFile(doc, Machine.Client(QStringLiteral("Old.cdb")), true).Ok);
    }
    TTheStartWizard& wizard = Window.Wizard();
    for (const int pointSize : {0, 16}) {
        const std::string size = pointSize ? "large font" : "normal font";
        QFont font = QApplication::font();
        if (pointSize)
            font.setPointSize(pointSize);
        wizard.setFont(font);

        // A new calendar, step by step.
        wizard.show();
        QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
        wizard.WizardClientName->setText(QStringLiteral("Jones"));
        QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
        wizard.WizardUserYear->setCurrentText(QStringLiteral("2024"));
        QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
        QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
        ASSERT_EQ(wizard.Step(), 5);
        ASSERT_TRUE(wizard.DonePanel->isVisible());
        ExpectLinesApart(&wizard, wizard.DonePanel, (size + ", new").c_str());
        ExpectLinesApart(&wizard, &wizard, (size + ", whole wizard").c_str());
        wizard.hide();

        // An existing calendar.
        wizard.show();
        wizard.RadioOld->setChecked(true);
        Dialogs.Paths = {Machine.Client(QStringLiteral("Old.cdb"))};
        QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
        ASSERT_TRUE(wizard.DonePanel->isVisible());
        ExpectLinesApart(&wizard, wizard.DonePanel, (size + ", opened").c_str());
        wizard.hide();
        Window.NewOrCloseClick();
    }
}

TEST_F(DialogDefects, WizardDisableBoxTickedTwiceLeavesTheWizardOff)
{
    Window.Settings().Wizard = true;
    TTheStartWizard& wizard = Window.Wizard();
    wizard.show();
    Prompts.Expect(QStringLiteral("You have turned the Startup Wizard off.\n\rThe Startup Wizard "
                                  "will be off whenever\n\ryou start the Calendar program."));
    wizard.DisableBox->click();
    wizard.DisableBox->click();
    wizard.DisableBox->click();
    EXPECT_TRUE(wizard.DisableBox->isChecked());
    EXPECT_FALSE(Window.Settings().Wizard);
    EXPECT_EQ(Prompts.Seen.size(), 1u);
    wizard.hide();
}

TEST_F(DialogDefects, BothYearBoxesTakeTheSameFourDigits)
{
    TTheStartWizard& wizard = Window.Wizard();
    wizard.show();
    QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
    wizard.WizardClientName->setText(QStringLiteral("Jones"));
    QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
    ASSERT_EQ(wizard.Step(), 3);
    const struct {
        QString Typed, Kept;
    } cases[] = {
        {QStringLiteral("+2024"), QStringLiteral("2024")},
        {QStringLiteral(" 2024"), QStringLiteral("2024")},
        {QStringLiteral("20245"), QStringLiteral("2024")},
        {QStringLiteral("2o24"), QStringLiteral("224")},
        {QStringLiteral("1999"), QStringLiteral("1999")},
    };
    for (QComboBox* box : {wizard.WizardUserYear, Window.UserYear}) {
        for (const auto& c : cases) {
            box->lineEdit()->clear();
            QTest::keyClicks(box->lineEdit(), c.Typed);
            EXPECT_EQ(box->currentText().toStdString(), c.Kept.toStdString())
                << box->objectName().toStdString() << " typed " << c.Typed.toStdString();
        }
    }

    // What the wizard takes reaches the main window whole, and Start accepts it.
    wizard.WizardUserYear->lineEdit()->clear();
    QTest::keyClicks(wizard.WizardUserYear->lineEdit(), QStringLiteral("+2024"));
    QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
    QTest::mouseClick(wizard.NextButton, Qt::LeftButton);
    EXPECT_EQ(Window.UserYear->currentText(), QStringLiteral("2024"));
    auto accepted = AcceptPreferencesWhenShown();
    QTest::mouseClick(wizard.CloseButton, Qt::LeftButton);
    ASSERT_TRUE(*accepted);
    EXPECT_EQ(Window.Document().StartYear, 2024);
}

TEST_F(DialogDefects, PreferencesKeepTypedTitlesThroughEveryRedraw)
{
    StartCalendar();
    auto ran = WhenModal([&](QWidget* modal) {
        auto* preferences = qobject_cast<TUserInitialize*>(modal);
        ASSERT_NE(preferences, nullptr);
        auto type = [](QComboBox* box, const QString& text) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), text);
        };
        type(preferences->CustodialName, QStringLiteral("Dad"));
        QTest::keyClicks(preferences->Author, QStringLiteral("Ann Lee"));
        QTest::mouseClick(preferences->HoursUp[1], Qt::LeftButton); // sleep 08:00 -> 09:00
        EXPECT_EQ(preferences->CustodialName->currentText(), QStringLiteral("Dad"));
        EXPECT_EQ(preferences->Author->text(), QStringLiteral("Ann Lee"));

        // A refused OK, a new title, a spinner: the new title is what OK stores.
        preferences->NonCustodialName->lineEdit()->selectAll();
        QTest::keyClick(preferences->NonCustodialName->lineEdit(), Qt::Key_Delete);
        Prompts.Expect(QStringLiteral(
            "Error!  A non-custodial parent name is a required entry.\n\rPlease try again."));
        QTest::mouseClick(preferences->OkBtn, Qt::LeftButton);
        ASSERT_TRUE(preferences->isVisible());
        type(preferences->NonCustodialName, QStringLiteral("Mom"));
        QTest::mouseClick(preferences->MinutesUp[2], Qt::LeftButton); // day visit 12:00 -> 12:01
        EXPECT_EQ(preferences->NonCustodialName->currentText(), QStringLiteral("Mom"));
        EXPECT_EQ(preferences->CustodialName->currentText(), QStringLiteral("Dad"));
        QTest::mouseClick(preferences->OkBtn, Qt::LeftButton);
        EXPECT_FALSE(preferences->isVisible());
    });
    Window.Action(QStringLiteral("Preferences"))->trigger();
    ASSERT_TRUE(*ran);
    const CalendarDocument& doc = Window.Document();
    EXPECT_EQ(doc.CustodialName, QStringLiteral("Dad"));
    EXPECT_EQ(doc.NonCustodialName, QStringLiteral("Mom"));
    EXPECT_EQ(doc.Author, QStringLiteral("Ann Lee"));
    EXPECT_EQ(doc.SleepTime, QStringLiteral("09:00"));
    EXPECT_EQ(doc.DayVisitHours, QStringLiteral("12:01"));
}

TEST(DayEditorKeys, EnterAcceptsTheReasonShownWhateverTheListHolds)
{
    const QStringList several{QStringLiteral("Weekend"), QStringLiteral("Camp"),
                              QStringLiteral("Visit")};
    const struct {
        QStringList Items;
        QString Reason;
        Qt::Key Key;
    } cases[] = {
        {{}, QStringLiteral("Visit"), Qt::Key_Return},
        {{QStringLiteral("Weekend")}, QStringLiteral("Weekend"), Qt::Key_Return},
        {several, QStringLiteral("Visit"), Qt::Key_Return},
        {several, QStringLiteral("Camp"), Qt::Key_Enter},
        {several, QStringLiteral("Holiday"), Qt::Key_Return},
    };
    for (const auto& c : cases) {
        const std::string what =
            c.Reason.toStdString() + " of " + std::to_string(c.Items.size()) + " item(s)";
        ScriptedPrompter prompts;
        RecordingHelp help;
        TUserClock clock;
        TSetAONDay editor(prompts, help, clock);
        CalendarDocument doc;
        BuildSpan(doc, 0, 2026);
        DayEditorEntry entry{c.Reason, QStringLiteral("<None>"), QStringLiteral("<None>"), false};
        auto ran = WhenModal([&](QWidget* modal) {
            // Through the window, as a keyboard delivers it to whatever holds the focus.
            QTest::keyClick(modal->windowHandle(), c.Key);
            if (modal->isVisible()) {
                ADD_FAILURE() << what << ": still open showing "
                              << editor.EditReason->currentText().toStdString();
                editor.reject();
            }
        });
        const bool accepted =
            editor.Execute(doc, QStringLiteral("Entering an Overnight."),
                           QStringLiteral("Setting Overnight for Monday, JANUARY 5"), c.Items, true,
                           4, entry, QRect(100, 100, 80, 60));
        ASSERT_TRUE(*ran) << what;
        EXPECT_TRUE(accepted) << what;
        EXPECT_EQ(entry.Reason.toStdString(), c.Reason.toStdString()) << what;
    }
}

// Qt adds the program's name to each caption it hands to the window manager.
struct ProgramNameInCaptions {
    ProgramNameInCaptions() { QGuiApplication::setApplicationDisplayName(Name); }
    ~ProgramNameInCaptions() { QGuiApplication::setApplicationDisplayName(Previous); }
    const QString Previous = QGuiApplication::applicationDisplayName();
    const QString Name = QStringLiteral("Custodex Calendar");
};

// The window is wider than its caption in bold, as the window manager shows it, plus room
// for the title bar's icon and three buttons.
void ExpectWholeCaption(QWidget* window, const QString& program)
{
    QFont bold = window->font();
    bold.setBold(true);
    const QString shown = window->windowTitle() + QStringLiteral(" \u2014 ") + program;
    EXPECT_GE(window->frameGeometry().width(), QFontMetrics(bold).horizontalAdvance(shown) + 100)
        << shown.toStdString();
}

// Tab follows reading order: each time field, then its button; a time field opens the time
// entry from the keyboard as a click does.
TEST(DayEditorKeys, TabReachesEachTimeFieldBeforeItsButtonAndSpaceOpensIt)
{
    ScriptedPrompter prompts;
    RecordingHelp help;
    TUserClock clock;
    TSetAONDay editor(prompts, help, clock);
    CalendarDocument doc;
    BuildSpan(doc, 0, 2026);
    DayEditorEntry entry{QStringLiteral("Zoo"), QStringLiteral("<None>"), QStringLiteral("<None>"),
                         false};
    auto ran = WhenModal([&](QWidget* modal) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
        editor.EditReason->setFocus();
        const QWidget* expected[] = {editor.StrtTime, editor.Clicker1, editor.EndTime,
                                     editor.Clicker2, editor.ONNoNap};
        for (const QWidget* next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
        }
        editor.StrtTime->setFocus();
        auto opened = WhenModal([&](QWidget* clockWindow) {
            EXPECT_EQ(clockWindow, &clock);
            static_cast<QDialog*>(clockWindow)->reject();
        });
        QTest::keyClick(editor.StrtTime, Qt::Key_Space);
        EXPECT_TRUE(*opened);
        editor.reject();
    });
    editor.Execute(doc, QStringLiteral("Entering an Overnight."), QStringLiteral("Day"), {}, true,
                   4, entry, QRect(100, 100, 80, 60));
    ASSERT_TRUE(*ran);
}

TEST(DialogCaptions, TimeEntryAndDayEditorShowTheirWholeCaption)
{
    ProgramNameInCaptions program;
    ScriptedPrompter prompts;
    RecordingHelp help;
    TUserClock clock;
    TSetAONDay editor(prompts, help, clock);
    CalendarDocument doc;
    BuildSpan(doc, 0, 2026);

    for (const QString& caption : {QString(), QStringLiteral("Set the Default Dropoff Time")}) {
        QString time = QStringLiteral("<None>");
        auto ran = WhenModal([&](QWidget* modal) {
            ExpectWholeCaption(modal, program.Name);
            static_cast<QDialog*>(modal)->reject();
        });
        clock.Execute(doc, QStringLiteral("Set Time"), time, nullptr, caption);
        ASSERT_TRUE(*ran);
    }
    EXPECT_EQ(clock.windowTitle(), QStringLiteral("Set the Default Dropoff Time"));

    for (const char* caption : {"Entering an Overnight.", "Modifying an Overnight.",
                                "Entering a Day Visit.", "Modifying a Day Visit."}) {
        DayEditorEntry entry{QStringLiteral("Zoo"), QStringLiteral("<None>"),
                             QStringLiteral("<None>"), false};
        auto ran = WhenModal([&](QWidget* modal) {
            ExpectWholeCaption(modal, program.Name);
            static_cast<QDialog*>(modal)->reject();
        });
        editor.Execute(doc, QLatin1String(caption), QStringLiteral("Day"), {}, true, 4, entry,
                       QRect(100, 100, 80, 60));
        ASSERT_TRUE(*ran) << caption;
    }
}

TEST(DialogCaptions, FileDialogsOpenWideEnoughForTheirColumns)
{
    QWidget owner;
    QtFileDialogs dialogs(&owner);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const bool open : {true, false}) {
        auto ran = WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_GE(dialog->width(), std::min(900, screen.width() - 16));
            EXPECT_GE(dialog->height(), std::min(560, screen.height() - 48));
            EXPECT_LE(dialog->width(), screen.width());
            EXPECT_LE(dialog->height(), screen.height());
            dialog->reject();
        });
        const FileDialogRequest request{QStringLiteral("Open"),
                                        QDir::tempPath(),
                                        QString(),
                                        QStringLiteral("Client Data Base Files (*.cdb)"),
                                        QString(),
                                        false};
        EXPECT_TRUE(open ? dialogs.OpenFileName(request).isEmpty()
                         : dialogs.SaveFileName(request).isEmpty());
        ASSERT_TRUE(*ran);
    }
}

TEST(DialogCaptions, FileDialogsNeverLookIntoFilesAndAvoidSystemFolders)
{
    // A picture's bytes under a name without a suffix: Qt's provider would read them and say
    // "PNG image"; a system file that never answers would hang it the same way.
    QTemporaryDir folder;
    QFile unnamed(folder.filePath(QStringLiteral("pixels")));
    ASSERT_TRUE(unnamed.open(QIODevice::WriteOnly));
    unnamed.write(QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
    unnamed.close();
    QtFileDialogs dialogs;
    for (const QString& start : {folder.path(), QStringLiteral("/proc/self")}) {
        auto ran = WhenModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->iconProvider()->type(QFileInfo(unnamed.fileName())),
                      QStringLiteral("File"));
            EXPECT_EQ(dialog->iconProvider()->type(QFileInfo(folder.path())),
                      QStringLiteral("Folder"));
            if (start != folder.path()) {
                EXPECT_EQ(QDir(dialog->directory()), QDir::home());
            }
            dialog->reject();
        });
        dialogs.SaveFileName({QStringLiteral("Save as Pictures"), start,
                              QStringLiteral("(Names Auto Generated)"), QString(), QString(),
                              false});
        ASSERT_TRUE(*ran);
    }
}

TEST(HelpTopics, EachTopicHasOneWindowWhollyOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget owner; // in the bottom right corner: a window centred on it would stick out
    owner.setGeometry(screen.right() - 200, screen.bottom() - 150, 180, 120);
    owner.show();
    HelpWindows help;
    auto windows = [&owner] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return owner.findChildren<QWidget*>(QStringLiteral("HelpWindow"));
    };

    help.ShowHelpTopic(&owner, HelpPreferences);
    help.ShowHelpTopic(&owner, HelpPreferences);
    ASSERT_EQ(windows().size(), 1);
    QWidget* preferences = windows().first();
    EXPECT_TRUE(screen.contains(preferences->frameGeometry()));
    EXPECT_GE(preferences->width(), std::min(640, screen.width() - 16));

    help.ShowHelpTopic(&owner, HelpCalendar);
    EXPECT_EQ(help.OpenCount(), 2);
    for (QWidget* window : windows())
        EXPECT_TRUE(screen.contains(window->frameGeometry()));
    preferences->close(); // asking again opens it anew
    EXPECT_EQ(windows().size(), 1);
    help.ShowHelpTopic(&owner, HelpPreferences);
    EXPECT_EQ(help.OpenCount(), 2);
    EXPECT_EQ(windows().size(), 2);

    // Escape, sent as a keyboard does, closes the help window that has it.
    QWidget* again = windows().constLast();
    again->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(again));
    QTest::keyClick(again->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(help.OpenCount(), 1);
    help.CloseAllHelp();
    EXPECT_EQ(help.OpenCount(), 0);
}

TEST(HelpTopics, EveryTopicDescribesItsWindow)
{
    const struct {
        QString Topic;
        QStringList Names; // what the window shows, as the page must name it
    } pages[] = {
        {HelpCalendar,
         {QStringLiteral("Client Name"), QStringLiteral("Current Totals"),
          QStringLiteral("Prev Month"), QStringLiteral("Lists(Patterns)"),
          QStringLiteral("Lock File"), QStringLiteral("Use the Startup Wizard"),
          QStringLiteral("Scan for Possible Extended Overnights")}},
        {HelpDayEditorOvernight,
         {QStringLiteral("Pickup Time"), QStringLiteral("Dropoff Time"),
          QStringLiteral("Set <None>"),
          QStringLiteral("(Check if child will NOT be taking a nap during this overnight)")}},
        {HelpDayEditorDayVisit,
         {QStringLiteral("Pickup Time"), QStringLiteral("Dropoff Time"),
          QStringLiteral("Day Visit Nap Time"),
          QStringLiteral("(Check if child will NOT be taking a nap during this Day Visit)")}},
        {HelpPreferences,
         {QStringLiteral("Credits (Optional)"), QStringLiteral("Restore Defaults"),
          QStringLiteral("Start/Stop Times"), QStringLiteral("Custodial Parent Title"),
          QStringLiteral("Non-custodial Parent Title"), QStringLiteral("Overnight Total Hours"),
          QStringLiteral("Overnight Sleep Time"), QStringLiteral("Day Visit Total Hours"),
          QStringLiteral("Day Visit Nap Time")}},
        {HelpDistribution,
         {QStringLiteral("Hourly Distribution Report"), QStringLiteral("Assumed Times")}},
        {HelpAwayTimes,
         {QStringLiteral("Quality Time Report"), QStringLiteral("Overnight Sleep Time")}},
    };
    QWidget owner;
    HelpWindows help;
    for (const auto& page : pages) {
        help.ShowHelpTopic(&owner, page.Topic);
        QTextBrowser* browser = nullptr;
        for (QTextBrowser* each : owner.findChildren<QTextBrowser*>())
            if (each->source().toString().endsWith(page.Topic))
                browser = each;
        ASSERT_NE(browser, nullptr) << page.Topic.toStdString();
        const QString text = browser->toPlainText();
        for (const QString& name : page.Names)
            EXPECT_TRUE(text.contains(name))
                << page.Topic.toStdString() << " does not name " << name.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("will describe"))) << page.Topic.toStdString();
    }
    help.CloseAllHelp();
}

} // namespace
