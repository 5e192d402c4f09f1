#pragma once

#include "patterns/StandardSchedules.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

namespace custodex {

class Prompter;
class SchedulePicture;
class TDateRangeGroup;

// "Apply a Standard Schedule": a named rotation or weekend rule over a date range with its
// exchange time, reason and weekly extras, and on its Holidays page the holidays of a country
// given in every, odd or even years. Apply lays them over the calendar in one step and closes;
// Cancel in an overwrite question leaves the calendar as it was and the window open.
class TStandardSchedule : public QDialog {
    Q_OBJECT

public:
    TStandardSchedule(Prompter& prompter, QWidget* parent);

    // Runs modally on the calendar; true when Apply changed it as asked.
    bool Execute(CalendarDocument& doc);
    // The choices of a new calendar: its whole span, the first schedule, no holidays.
    void ResetDialog();
    // The request the controls make now.
    ScheduleRequest Request() const;
    const ScheduleResult& LastResult() const { return Result; }

    QTabWidget* Pages = nullptr;
    QTreeWidget* ScheduleList = nullptr;
    SchedulePicture* Picture = nullptr;
    TDateRangeGroup* Range = nullptr;
    QComboBox* FirstParent = nullptr;
    QLabel* FirstParentLabel = nullptr; // "First block" or, for weekends, "First weekend"
    QLineEdit* ExchangeTime = nullptr;
    QLineEdit* Reason = nullptr;
    QCheckBox* LongWeekend = nullptr;
    QComboBox* VisitDay = nullptr;
    QLineEdit* VisitFrom = nullptr;
    QLineEdit* VisitTo = nullptr;
    QComboBox* OvernightDay = nullptr;
    QCheckBox* ReplaceRange = nullptr;
    QComboBox* Country = nullptr;
    QComboBox* HolidayKind = nullptr;
    std::vector<QComboBox*> HolidayChoices; // one a row of the country shown
    QPushButton* ApplyBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void ApplyBtnClick();

private:
    QWidget* BuildSchedulePage();
    QWidget* BuildHolidaysPage();
    void FillHolidayRows();
    void ScheduleChosen();
    void ShowPicture();
    void ShowTimes();
    const StandardSchedule* ChosenSchedule() const;
    const HolidayCountry& ChosenCountry() const;
    // Reads a typed time field into its normal form; false (after the message) when it is
    // no time.
    bool ReadTime(QLineEdit* field, QString& time);

    Prompter& Messages;
    CalendarDocument* Doc = nullptr;
    DateRangeBlock RangeBlock;
    QWidget* HolidayRows = nullptr;
    QString ProposedReason; // the reason follows the schedule until the user types another
    ScheduleResult Result;
    bool Updating = false;
};

} // namespace custodex
