#pragma once

#include "calendar/PreferencesLogic.h"
#include "reports/QualityTime.h"
#include "reports/ui/TimeReportOutput.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace custodex {

class TPrintQuality;

// "Away Times": the calendar's away activities (school, day care) as a list to add to, modify
// and delete from; Check Away Times computes quality time and opens the summary.
class TComputeQuality : public QDialog {
    Q_OBJECT

public:
    TComputeQuality(CalendarDocument& doc, TimeReportServices services, QWidget* parent = nullptr);

    // One showing: the list from the calendar, the changed mark cleared, the empty-year note.
    int Execute();

    QLineEdit* AwayActivity = nullptr;
    QLineEdit* AwayHrs = nullptr;
    QLineEdit* AwayMins = nullptr;
    QToolButton* UpDownAwayHrsUp = nullptr;
    QToolButton* UpDownAwayHrsDown = nullptr;
    QToolButton* UpDownAwayMinsUp = nullptr;
    QToolButton* UpDownAwayMinsDown = nullptr;
    QLineEdit* AwayDays = nullptr;
    QLineEdit* AwayCustDays = nullptr;
    QLineEdit* AwayNonCustDays = nullptr;
    QToolButton* DaysUp[3] = {}; // UpDown11 .. UpDown13
    QToolButton* DaysDown[3] = {};
    QCheckBox* AddNapTime = nullptr;
    QTableWidget* AwayList = nullptr;
    QPushButton* AddAway = nullptr;
    QPushButton* ModifyAway = nullptr;
    QPushButton* RemoveAway = nullptr;
    QPushButton* StrtTimeChk = nullptr;
    QPushButton* CloseBtn = nullptr;
    QPushButton* HelpBtn = nullptr;

    void AddAwayClick();
    void ModifyAwayClick();
    void RemoveAwayClick();
    void StrtTimeChkClick();

    // The list's data rows (the empty last row left out).
    std::vector<custodex::AwayActivity> Activities() const;
    bool ListChanged() const { return Changed; }
    TPrintQuality* Summary() const { return SummaryWindow; }

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadList(const std::vector<custodex::AwayActivity>& activities);
    void SetRow(int row, const custodex::AwayActivity& activity);
    custodex::AwayActivity EntryActivity() const;
    void ClearEntry();
    // The entry refused with its message and focus, or nothing.
    bool EntryRefused();
    int SelectedDataRow() const;
    // The entry as the list's last row; the fields start again. Its row.
    int AppendEntry();
    // The selected data row once the user confirmed `question` about it, or -1 (with the
    // message naming `verb` when none is selected).
    int ConfirmedRow(const QString& verb, QString (*question)(const custodex::AwayActivity&));
    void SpinDays(int field, bool up);
    bool NameLeft();
    bool DaysLeft(QLineEdit* field);
    void ShowDuration();

    CalendarDocument& Doc;
    TimeReportServices Services;
    Duration Daily{0, 0, AwayHoursLimit};
    TPrintQuality* SummaryWindow = nullptr;
    bool Changed = false;
    bool Checking = false; // a leave check is showing its message
};

} // namespace custodex
