#pragma once

#include "patterns/DateRange.h"
#include "patterns/WeekdayPatterns.h"

#include <array>

#include <QDialog>
#include <QGroupBox>
#include <QString>

#include <functional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// Pieces the bulk-marking dialogs share: the date-range block's six drop-down lists, the
// read-only time fields with their buttons that open the time-entry dialog.

namespace custodex {

struct CalendarDocument;
class Prompter;
class TUserClock;

// "Start On or After" and "End Before or On": month, day and year lists for each side, kept
// in step with a DateRangeBlock (a day list follows its month and year).
class TDateRangeGroup : public QGroupBox {
    Q_OBJECT

public:
    TDateRangeGroup(const QString& startCaption, const QString& endCaption, QWidget* parent);

    // The block the lists show and change; it must outlive the group's use of it.
    void Bind(DateRangeBlock* block);
    // The lists from the block.
    void ShowBlock();
    // The entries as typed into the block.
    void TakeEntries();
    void FocusField(RangeField field);

    QComboBox* FirstMonth = nullptr;
    QComboBox* FirstDay = nullptr;
    QComboBox* FirstYear = nullptr;
    QComboBox* LastMonth = nullptr;
    QComboBox* LastDay = nullptr;
    QComboBox* LastYear = nullptr;

private:
    void ShowSide(const DateRangeSide& side, QComboBox* month, QComboBox* day, QComboBox* year);
    void SideChanged(bool endSide);

    DateRangeBlock* Block = nullptr;
    bool Updating = false;
};

// A read-only time field: a click on it opens the time-entry dialog (through `clicked`), the
// keyboard goes to its button.
QLineEdit* MakeTimeField(QWidget* parent, const char* name);
QToolButton* MakeTimeButton(QWidget* parent, const char* name, const QString& tip);

// A pickup and a dropoff field with their buttons in a group box; `edit(end)` is called by a
// click on a field or a button.
struct TimePair {
    QLineEdit* Start = nullptr;
    QLineEdit* End = nullptr;
    QToolButton* StartButton = nullptr;
    QToolButton* EndButton = nullptr;
};
QGroupBox* MakeTimePairBox(QWidget* parent, const QString& caption,
                           const std::array<const char*, 4>& names, TimePair& pair,
                           const std::function<void(bool end)>& edit);

// A dialog button that Enter does not press unless it is the default.
QPushButton* MakeDialogButton(QWidget* parent, const QString& caption, const char* name,
                              const QString& tip);

// The frame of a day-changing dialog: Save/Close keeps the changes, Cancel, Escape and the
// close box ask before they throw them away; Preview and the month redraw go to the caller.
class TBulkDialog : public QDialog {
    Q_OBJECT

public:
    TBulkDialog(Prompter& prompter, std::function<void()> preview, std::function<void()> refresh,
                QWidget* parent);

    QPushButton* ApplyBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QPushButton* UndoBtn = nullptr;
    QPushButton* PreviewBtn = nullptr;
    QPushButton* BitBtn1 = nullptr; // Save/Close
    QPushButton* CancelBtn = nullptr;

    virtual void ApplyBtnClick() = 0;
    virtual void RemoveBtnClick() = 0;
    virtual void UndoBtnClick() = 0;
    void SaveCloseClick();
    void CancelClick();
    void PreviewClick();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The row of Apply, Remove, Undo, Preview, Save/Close and Cancel, wired to their clicks.
    QWidget* BuildButtons(const QString& applyTip, const QString& removeTip,
                          const QString& cancelCaption);
    // The dialog's changes flag.
    virtual bool& Changes() = 0;
    void Redraw();
    // One Apply, Remove or Undo on the calendar, asking through the message boxes; then Undo
    // shows whether it can take the run back and the month is redrawn.
    void RunClick(const std::function<void(CalendarDocument&, OverwriteQuestions&)>& click,
                  QPushButton* undo, const bool& undoEnabled);

    Prompter& Messages;
    CalendarDocument* Doc = nullptr;

private:
    std::function<void()> Preview;
    std::function<void()> Refresh;
};

// Where the time-entry dialog shows: below the field's left edge, or above it, centred.
enum class ClockPlace { Below, AboveCentred };

// Opens the time-entry dialog for a field; on OK the value and the field take the new time.
bool EditTimeField(TUserClock& clock, CalendarDocument& doc, QLineEdit* field, QString& value,
                   const TimePromptTexts& texts, ClockPlace place = ClockPlace::Below);

} // namespace custodex
