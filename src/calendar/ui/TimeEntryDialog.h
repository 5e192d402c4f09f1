#pragma once

#include "calendar/TimeEntryLogic.h"

#include <QDialog>

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QFrame;

namespace custodex {

struct CalendarDocument;
class Prompter;

// The time-entry dialog: every time in the program is set through it.
class TUserClock : public QDialog {
    Q_OBJECT

public:
    explicit TUserClock(QWidget* parent = nullptr);
    ~TUserClock() override;

    // Where a typed time's refusal is shown; message boxes until a caller sets its own.
    void SetMessages(Prompter& messages) { Messages = &messages; }

    // Shows the dialog modally for `timeText`; on OK returns true and replaces `timeText` by
    // "<None>" or the composed time. `ChangesPending` of `doc` is set by OK and Set <None>.
    // `anchor` is a screen point to place the dialog at (kept on the screen).
    bool Execute(CalendarDocument& doc, const QString& prompt, QString& timeText,
                 const QPoint* anchor = nullptr, const QString& caption = QString());

    const ClockState& State() const { return Clock; }

    // Controls, named as their roles.
    QLabel* ClockLabel = nullptr;
    QFrame* StrtTimePanel = nullptr;
    QLineEdit* TimeHrs = nullptr;
    QLineEdit* TimeMins = nullptr;
    QLineEdit* TimeAMPM = nullptr;
    QToolButton* SpinUp = nullptr;
    QToolButton* SpinDown = nullptr;
    QPushButton* NonePanel = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* SetNoneBtn = nullptr;

    void TimeSpinClick(bool up);
    void SetNoneBtnClick();
    void NonePanelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowState();
    void FocusActivePart();
    void changeEvent(QEvent* event) override;
    bool TypeKey(QKeyEvent* event);

    ClockState Clock;
    CalendarDocument* Doc = nullptr;
    std::unique_ptr<Prompter> OwnMessages;
    Prompter* Messages = nullptr;
};

// Moves a top-level widget so it lies wholly on the screen that holds `point`.
void KeepOnScreen(QWidget* window, QPoint topLeft);

// The least width at which a window's caption reads in full on its title bar, as the window
// manager shows it: with the program's name after it, and beside the title bar's buttons.
int CaptionWidth(const QWidget* window);

// Widens `row`, a widget of `window`'s layout, so the window is at least CaptionWidth wide.
void FitCaption(QWidget* window, QWidget* row);

} // namespace custodex
