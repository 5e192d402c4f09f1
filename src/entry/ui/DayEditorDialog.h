#pragma once

#include "entry/DayEditorLogic.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace custodex {

struct CalendarDocument;
class HelpService;
class Prompter;
class TUserClock;

// The day editor: one day's overnight or day visit.
class TSetAONDay : public QDialog {
    Q_OBJECT

public:
    TSetAONDay(Prompter& prompter, HelpService& help, TUserClock& clock, QWidget* parent = nullptr);

    // Shows the editor modally for `context.DayIndex`; true on OK with `entry` read back.
    bool Execute(CalendarDocument& doc, const QString& caption, const QString& heading,
                 const QStringList& reasonItems, bool overnightMode, int dayIndex,
                 DayEditorEntry& entry, const QRect& cellOnScreen);

    QLabel* ReasonLbl1 = nullptr;
    QComboBox* EditReason = nullptr;
    QLineEdit* StrtTime = nullptr;
    QToolButton* Clicker1 = nullptr;
    QLineEdit* EndTime = nullptr;
    QToolButton* Clicker2 = nullptr;
    QCheckBox* ONNoNap = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

    void BitBtn1Click();
    void EditTime(bool pickup);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void EditReasonChange(const QString& text);

    Prompter& Messages;
    HelpService& Help;
    TUserClock& Clock;
    CalendarDocument* Doc = nullptr;
    DayEditorContext Context;
    bool Filling = false;
};

} // namespace custodex
