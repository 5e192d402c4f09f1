#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/DayEditorEntry.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// The month view apart from its widgets: which day each of the 42 cells shows, what its five
// parts read, navigation through the 24 months and what a click on a cell does to the model.

namespace custodex {

class Prompter;

constexpr int CellCount = 42;
constexpr std::int32_t White = 16777215;

enum class MarkMode { Overnights, DayVisits };
enum class CellButton { Left, Right, Other };
// Which counters the panel shows, in the order of its radio buttons.
enum class CounterChoice { BothYears = 0, FirstYear = 1, SecondYear = 2 };

struct DayCell {
    int Number = 0;      // 1..42
    QString WeekdayName; // display name of the cell's column
    QString MonthName;   // upper case; empty for a blank cell
    int Day = -1;        // day of month; -1 for a blank cell
    QString Caption;     // the day number, or empty
    std::int32_t Colour = White;
    bool Visible = true;
    bool ShowsOvernight = false;
    QString OvernightReason;
    bool ShowsDayVisit = false;
    QString DayVisitReason;
    QString DayVisitReasonLabel;
    QString DayVisitTimesLabel;
    bool BarVisible = false;
    QString OvernightTimesLabel;
    QString OvernightReasonLabel;
};

struct RemovedMark {
    int Day = -1; // index into the day list, -1 when empty
    QString Reason;
    QString First;
    QString Second;
};

struct MonthView {
    std::array<DayCell, CellCount> Cells;
    RemovedMark RemovedOvernight;
    RemovedMark RemovedDayVisit;
    MarkMode Mode = MarkMode::Overnights;
    CounterChoice Counters = CounterChoice::BothYears;
    QString MonthLabel;

    MonthView();
};

// The month grid's keyboard cursor. Arrows move a day or a week, crossing into the month
// before or after at the grid's edges; Page Up/Page Down keep the day of the month in the month
// before or after; Home/End go to the month's first and last day. Always within the span.
enum class GridKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };
int MoveGridCursor(const CalendarDocument& doc, int dayIndex, GridKey key);
// The month of the span (1..24) a day is in.
int MonthNumberOfDay(const CalendarDocument& doc, int dayIndex);
// The cell (1..42) of the month shown that holds the day; 0 when it is not shown.
int CellOfDay(const CalendarDocument& doc, const MonthView& view, int dayIndex);
// The day a cell (1..42) of the month shown holds; -1 for a blank cell.
int DayOfCell(const CalendarDocument& doc, const MonthView& view, int cellNumber);
// What a screen reader says of a day: "Friday, March 7, 2025: overnight, Alt weekend, 06:00PM",
// "Wednesday, March 12, 2025: not marked".
QString DayAccessibleName(const CalendarDocument& doc, int dayIndex);

QString RangeText(const QString& first, const QString& second);
// A parent title as shown above a counter column.
QString ParentTitleText(const QString& title);
// The eight counter texts shown while no calendar exists.
std::array<QString, 8> ZeroCounterTexts();
// The eight texts the counters panel shows for `choice`: the zero texts without a calendar.
std::array<QString, 8> ShownCounterTexts(const CalendarDocument& doc, CounterChoice choice);
// A click on a counter radio button: recounts and takes the choice. Without a calendar it
// refuses with its message and the choice stays as it was, so the radio buttons are set
// back to agree with the figures shown. True when the choice was taken.
bool ChooseCounters(CalendarDocument& doc, MonthView& view, CounterChoice choice,
                    Prompter& prompter);

void DrawMonth(const CalendarDocument& doc, MonthView& view);
// The calendar year of the month shown (its month label's year).
int ShownMonthYear(const CalendarDocument& doc);
void BlankCells(MonthView& view);

// Navigation; false when the move is refused (the window beeps).
bool NextMonth(CalendarDocument& doc);
bool PrevMonth(CalendarDocument& doc);
void GoToMonth(CalendarDocument& doc, int monthNumber);

// What the month view hands the day editor and reads back from it.
struct DayEditRequest {
    QString Caption;
    QString Heading;
    QStringList ReasonItems; // only when entering
    bool OvernightMode = true;
    int DayIndex = -1;
    DayEditorEntry Entry;
};

// The window's side of a cell click.
class CellClickHost {
public:
    virtual ~CellClickHost() = default;
    virtual QString ClientNameText() const = 0;
    virtual void FocusClientName() = 0;
    virtual void FocusStartButton() = 0;
    // Shows the day editor modally; true on OK with `request.Entry` read back.
    virtual bool EditDay(DayEditRequest& request, int cellNumber) = 0;
};

void CellClicked(CalendarDocument& doc, MonthView& view, int cellNumber, CellButton button,
                 bool ctrlHeld, CellClickHost& host, Prompter& prompter);

// What the day's menu (Shift+F10, the Menu key) offers beside Edit: the right click's removal
// of the mode's mark, or its restoring on the day removed last, or neither.
enum class DayMenuMark { None, Remove, Restore };
DayMenuMark DayMenuMarkFor(const CalendarDocument& doc, const MonthView& view, int dayIndex);

// Adds a reason to a default-reason list unless present ignoring case; keeps it sorted.
void AddReasonItem(ReasonList& list, const QString& reason);

} // namespace custodex
