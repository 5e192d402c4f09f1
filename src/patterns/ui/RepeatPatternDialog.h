#pragma once

#include "patterns/RepeatPatternApply.h"

#include "patterns/ui/BulkDialogParts.h"

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace custodex {

class Prompter;
class TDateRangeGroup;
class TUserClock;

// "Apply a Custom Pattern": lays one of the client folder's repeat patterns over a date range
// of the calendar, or removes the marks of one reason from it.
class TCustomPatterns : public TBulkDialog {
    Q_OBJECT

public:
    // `preview` shows the calendar preview; `refresh` redraws the month behind the dialog.
    TCustomPatterns(Prompter& prompter, TUserClock& clock, std::function<void()> preview,
                    std::function<void()> refresh, QWidget* parent);

    // Shows the dialog modally on the calendar; false when it ends with Cancel (also when there
    // is no pattern file, after saying so).
    bool Execute(CalendarDocument& doc);

    const RepeatDialogState& State() const { return Entries; }

    QListWidget* PatternList = nullptr;
    QLabel* PatternNameLabel = nullptr;
    QLabel* PatternLabel = nullptr;
    TDateRangeGroup* Range = nullptr;
    QLineEdit* ONStrtTime = nullptr;
    QToolButton* SClick1 = nullptr;
    QLineEdit* ONEndTime = nullptr;
    QToolButton* SClick2 = nullptr;
    QLineEdit* DVStrtTime = nullptr;
    QToolButton* BitBtn3 = nullptr;
    QLineEdit* DVEndTime = nullptr;
    QToolButton* BitBtn4 = nullptr;
    QLineEdit* Alias = nullptr;

    void ApplyBtnClick() override;
    void RemoveBtnClick() override;
    void UndoBtnClick() override;
    void PatternListClick();

protected:
    bool& Changes() override { return Entries.Changes; }

private:
    void ShowState();
    void EditTime(bool overnight, bool end);
    void ReasonEdited(const QString& text);

    TUserClock& Clock;
    RepeatDialogState Entries;
};

} // namespace custodex
