#include "patterns/CustomLists.h"
#include "patterns/ui/ListBuilderWindow.h"
#include "support/ModalDriver.h"
#include "support/ScriptedServices.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <map>

using namespace custodex;
using namespace custodex::testing;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// The builder as the calendar starts it for Garcia's calendar from March 2025.
class ListBuilderFlow : public ::testing::Test {
protected:
    ListBuilderFlow()
        : Window(Prompts, Dialogs, ListTemplate{T("Garcia"), 2025, 2, {}}, Folder.path(), true)
    {
        Window.show();
    }

    QByteArray Saved(const QString& name) const
    {
        QFile file(Folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // A file of 60,000 events that takes a moment to read.
    QString BigFile()
    {
        QByteArray events;
        for (int i = 0; i < 60000; ++i)
            events += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i) + "\r\nSUMMARY:Class " +
                      QByteArray::number(i) +
                      "\r\nDESCRIPTION:\r\nDTSTART;VALUE=DATE:20250601\r\nEND:VEVENT\r\n";
        QFile big(Folder.filePath(QStringLiteral("big.ics")));
        EXPECT_TRUE(big.open(QIODevice::WriteOnly));
        big.write("BEGIN:VCALENDAR\r\n" + events + "END:VCALENDAR\r\n");
        return big.fileName();
    }

    // The school's holidays imported: 90 entries, not saved.
    void ImportHolidays()
    {
        Dialogs.Paths = {QStringLiteral(CUSTODEX_TEST_DATA) +
                         QStringLiteral("/SchoolHolidays.ics")};
        auto first = WhenModal([&](QWidget*) {
            Prompts.Expect(QStringLiteral("90 entries added from 4 events of SchoolHolidays.ics."));
            Window.ImportDialog->accept();
        });
        QTest::mouseClick(Window.ImportBtn, Qt::LeftButton);
        ASSERT_TRUE(*first);
        ASSERT_TRUE(Window.Modified());
    }

    QTemporaryDir Folder;
    ScriptedPrompter Prompts;
    ScriptedFileDialogs Dialogs;
    TListBuilder Window;
};

TEST_F(ListBuilderFlow, ImportsASchoolCalendarRemovesAnEntryAndSavesWhereTheCalendarReadsIt)
{
    EXPECT_FALSE(Window.Client->isEnabled()); // the calendar's client and span stay as given
    Dialogs.Paths = {QStringLiteral(CUSTODEX_TEST_DATA) + T("/SchoolHolidays.ics")};
    auto imported = WhenModal([&](QWidget* modal) {
        ASSERT_EQ(modal, Window.ImportDialog);
        Window.ImportDialog->AsOvernights->setChecked(true);
        Prompts.Expect(T("90 entries added from 4 events of SchoolHolidays.ics."));
        Window.ImportDialog->accept();
    });
    QTest::mouseClick(Window.ImportBtn, Qt::LeftButton);
    ASSERT_TRUE(*imported);
    ASSERT_EQ(Window.Entries->topLevelItemCount(), 90);
    EXPECT_EQ(Window.Entries->topLevelItem(0)->text(1), T("Tuesday, July 1, 2025"));

    Window.Entries->setCurrentItem(Window.Entries->topLevelItem(0));
    QTest::mouseClick(Window.RemoveBtn, Qt::LeftButton);
    EXPECT_EQ(Window.Entries->topLevelItemCount(), 89);
    EXPECT_TRUE(Window.Modified());

    const QString proposed = T("2025 March Garcia Custom List.tcl");
    Dialogs.Paths = {Folder.filePath(proposed)};
    QTest::mouseClick(Window.SaveBtn, Qt::LeftButton);
    EXPECT_EQ(Dialogs.Requests.back().FileName, proposed);
    EXPECT_FALSE(Window.Modified());
    const QByteArray bytes = Saved(proposed);
    EXPECT_TRUE(bytes.startsWith("March 2025 Custom List for Garcia\r\n"
                                 "ON July 2, 2025 Summer break\r\n"));

    // The calendar's reader takes it: no date question, every entry applicable.
    const std::optional<CustomListTemplate> read =
        ReadCustomListTemplate(Folder.filePath(proposed));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Entries.size(), 89u);

    // Saving again over the same file asks nothing; Save As onto it asks first.
    Dialogs.Paths = {Folder.filePath(proposed)};
    Prompts.Expect(T("File ") + Folder.filePath(proposed) + T(" already exists!\n\rWrite over it?"),
                   PromptAnswer::Cancel);
    EXPECT_FALSE(Window.SaveAsClick());
}

// A large file is read while the window answers, with a progress bar; Cancel leaves the
// unsaved list as it was.
TEST_F(ListBuilderFlow, ALargeImportCanBeCancelledAndTheUnsavedListStays)
{
    ImportHolidays();
    Dialogs.Paths = {BigFile()};
    bool progressShown = false;
    auto asked = WhenModal([&](QWidget*) {
        Window.ImportDialog->accept();
        // The progress bar comes while the import runs: this window's events are answered.
        WhenModal(
            [&](QWidget* modal) {
                progressShown = modal->objectName() == T("ImportProgress");
                EXPECT_FALSE(Window.ImportBtn->isEnabled());
                Prompts.Expect(T("The import of big.ics was cancelled; the list is as it was."));
                for (QPushButton* button : modal->findChildren<QPushButton*>())
                    if (button->text() == T("Cancel"))
                        QTest::mouseClick(button, Qt::LeftButton);
            },
            4000);
    });
    QTest::mouseClick(Window.ImportBtn, Qt::LeftButton);
    ASSERT_TRUE(*asked);
    EXPECT_TRUE(progressShown);
    EXPECT_EQ(Window.Entries->topLevelItemCount(), 90);
    EXPECT_TRUE(Window.Modified());
    EXPECT_TRUE(Window.ImportBtn->isEnabled());
}

// Counts in the builder's texts agree with their number.
TEST(ListBuilderStandAlone, OneEntryOutsideTheSpanIsOneEntry)
{
    QTemporaryDir folder;
    ScriptedPrompter prompts;
    ScriptedFileDialogs dialogs;
    TListBuilder window(prompts, dialogs, ListTemplate{T("Garcia"), 2025, 2, {}}, folder.path(),
                        false);
    window.show();
    auto added = WhenModal([&](QWidget*) {
        window.EntryDialog->Reason->setText(T("Camp"));
        QTest::mouseClick(window.EntryDialog->OkBtn, Qt::LeftButton);
    });
    QTest::mouseClick(window.AddBtn, Qt::LeftButton);
    ASSERT_TRUE(*added);
    window.StartYear->setValue(2026); // the entry of March 2025 is now outside
    dialogs.Paths = {folder.filePath(T("list.tcl"))};
    prompts.Expect(T("1 entry lies outside the list's 24 months.\n\rRemove it, or change the "
                     "start month and year."));
    EXPECT_FALSE(window.SaveAsClick());
}

// Closing the window while a file is read ends the import first, then asks about the unsaved
// list as ever.
TEST_F(ListBuilderFlow, ClosingDuringAnImportKeepsTheUnsavedList)
{
    ImportHolidays();
    Dialogs.Paths = {BigFile()};
    auto asked = WhenModal([&](QWidget*) {
        Window.ImportDialog->accept();
        WhenModal(
            [&](QWidget*) {
                Prompts.Expect(T("The import of big.ics was cancelled; the list is as it was."));
                Prompts.Expect(T("Save the changes to the custom list?"), PromptAnswer::Cancel);
                Window.close();
            },
            4000);
    });
    QTest::mouseClick(Window.ImportBtn, Qt::LeftButton);
    ASSERT_TRUE(*asked);
    QTRY_VERIFY(Prompts.Script.empty());
    EXPECT_TRUE(Window.isVisible());
    EXPECT_EQ(Window.Entries->topLevelItemCount(), 90);
    EXPECT_TRUE(Window.Modified());
}

TEST_F(ListBuilderFlow, ADayOutsideTheSpanIsRefusedWithTheFocusOnIt)
{
    auto added = WhenModal([&](QWidget* modal) {
        ListEntryDialog* dialog = Window.EntryDialog;
        ASSERT_EQ(modal, dialog);
        dialog->From->setDate(QDate(2025, 2, 28)); // the day before the span
        dialog->Reason->setText(T("Camp"));
        Prompts.Expect(T("Friday, February 28, 2025 is not within the list's 24 months "
                         "(Saturday, March 1, 2025 to Sunday, February 28, 2027)."));
        QTest::mouseClick(dialog->OkBtn, Qt::LeftButton);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(dialog->focusWidget(), dialog->From);
        // A range of three days gives three entries.
        dialog->From->setDate(QDate(2025, 8, 1));
        dialog->To->setDate(QDate(2025, 8, 3));
        QTest::mouseClick(dialog->OkBtn, Qt::LeftButton);
    });
    QTest::mouseClick(Window.AddBtn, Qt::LeftButton);
    ASSERT_TRUE(*added);
    ASSERT_EQ(Window.Template().Lines.size(), 3u);
    EXPECT_EQ(Window.Template().Lines[2].Date, QDate(2025, 8, 3));
}

} // namespace

// Each Alt key of the window reaches one control: with two, Qt only moves the focus between
// them. "Save &As" once shared Alt+A with "&Add", so Save As was out of the keyboard's reach.
TEST_F(ListBuilderFlow, EachAltKeyReachesOneControlAndSaveAsIsOnAltV)
{
    std::map<QChar, QString> owners;
    const auto claim = [&](const QString& text) {
        const qsizetype at = QString(text).replace(T("&&"), T("")).indexOf(QLatin1Char('&'));
        if (at < 0 || at + 1 >= text.size())
            return;
        const QChar key = QString(text).replace(T("&&"), T("")).at(at + 1).toLower();
        EXPECT_TRUE(owners.emplace(key, text).second)
            << "Alt+" << QString(key).toStdString() << ": " << owners[key].toStdString() << " and "
            << text.toStdString();
    };
    for (const QAbstractButton* button : Window.findChildren<QAbstractButton*>())
        if (button->window() == &Window)
            claim(button->text());
    for (const QLabel* label : Window.findChildren<QLabel*>())
        if (label->window() == &Window && label->buddy())
            claim(label->text());

    Dialogs.Paths = {QString()}; // the save dialog cancelled
    Window.activateWindow();
    QTRY_VERIFY(Window.isActiveWindow());
    QTest::keyClick(&Window, Qt::Key_V, Qt::AltModifier);
    QTRY_COMPARE(Dialogs.Requests.size(), 1u); // a mnemonic clicks after a moment
    EXPECT_EQ(Dialogs.Requests.front().Title, T("Save the Custom List"));
}
