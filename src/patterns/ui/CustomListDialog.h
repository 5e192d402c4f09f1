#pragma once

#include "patterns/CustomLists.h"

#include "patterns/ui/BulkDialogParts.h"

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace custodex {

class FileDialogs;
class Prompter;
class TUserClock;

// "Add/Remove a Custom List": opens a template file, shows its entries, and marks or unmarks
// the entries the user selects.
class TACustomList : public TBulkDialog {
    Q_OBJECT

public:
    TACustomList(Prompter& prompter, FileDialogs& dialogs, TUserClock& clock,
                 std::function<void()> preview, std::function<void()> refresh, QWidget* parent);

    // Asks for a template once the dialog shows and runs it modally; false for Cancel.
    bool Execute(CalendarDocument& doc);

    const CustomListDialogState& State() const { return Entries; }

    QLineEdit* CustomReason = nullptr; // the template's file name
    QLabel* CreationLbl = nullptr;     // "Apply " + the header
    QListWidget* CustomDates = nullptr;
    QLineEdit* OverNiteStrtTime = nullptr;
    QToolButton* Clicker1 = nullptr;
    QLineEdit* OverNiteEndTime = nullptr;
    QToolButton* Clicker2 = nullptr;
    QLineEdit* DayVisitStrtTime = nullptr;
    QToolButton* Clicker3 = nullptr;
    QLineEdit* DayVisitEndTime = nullptr;
    QToolButton* Clicker4 = nullptr;

    void ApplyBtnClick() override;
    void RemoveBtnClick() override;
    void UndoBtnClick() override;

protected:
    bool& Changes() override { return Entries.Changes; }

private:
    void OpenTemplate();
    void CheckAccepted();
    void ShowState();
    std::vector<int> SelectedEntries() const;
    void EditTime(bool overnight, bool end);

    FileDialogs& Dialogs;
    TUserClock& Clock;
    CustomListDialogState Entries;
};

} // namespace custodex
