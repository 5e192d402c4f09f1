#pragma once

#include "calendar/CalendarModel.h"
#include "calendar/MenuChecks.h"
#include "calendar/OverwriteQuestions.h"
#include "holidays/HolidayLists.h"
#include "holidays/HolidayRules.h"

#include <QString>

#include <vector>

// Marking and unmarking holidays on the days the rules find, shared by the three national
// holiday dialogs. The windows only gather their controls into a HolidayDialogState.

namespace custodex {

// One row's controls as the logic sees them.
struct HolidayRowState {
    bool Ticked = false;
    QString Pickup = NoTimeText;
    QString Dropoff = NoTimeText;
    bool NoNap = false;
    bool FieldsWhite = false; // the time fields are live (white, tab stops)
    bool NoNapEnabled = false;
    bool Visible = true;
};

// Fills a row from the calendar: ticked with the times of the last day in the selected year
// whose mark carries exactly the caption (or "NN-" and the caption).
HolidayRowState ScanHolidayRow(const CalendarDocument& doc, const HolidayDefinition& holiday,
                               const SelectedYear& year, ListKind kind,
                               const QString& defaultPickup, const QString& defaultDropoff);

bool HolidayRowVisible(const CalendarDocument& doc, const SelectedYear& year,
                       const HolidayDefinition& holiday);

// What one row asks to be done to a day.
struct HolidayMark {
    QString Caption;
    bool Ticked = false;
    bool NoNap = false;
    QString Pickup = NoTimeText;
    QString Dropoff = NoTimeText;
};

// Which staleness rule an application follows.
enum class HolidayApplicationKind { Ordinary, FixedDate, EasterBased };

// Marks, re-stores or removes the holiday on one day; true when it counts as marked there.
// `monthName` is the title-case month the overwrite question names.
bool ApplyHoliday(CalendarDocument& doc, int dayIndex, const HolidayMark& mark, ListKind kind,
                  const QString& monthName, HolidayApplicationKind applicationKind,
                  OverwriteQuestions& questions);

// Adds the text to the default reasons of that kind unless it is there exactly.
void AddKnownReason(CalendarDocument& doc, const QString& text, ListKind kind);

// Applies an Easter-based holiday to the zero, one or two days the tables put in the selected
// year; true when it counts as marked.
bool PlaceEasterHoliday(CalendarDocument& doc, const SelectedYear& year, const HolidayMark& mark,
                        ListKind kind, OverwriteQuestions& questions);

struct HolidayDialogState {
    const HolidayCountry* Country = nullptr;
    SelectedYear Year;
    ListKind Kind = ListKind::Overnights;
    QString DefaultPickup = NoTimeText;
    QString DefaultDropoff = NoTimeText;
    std::vector<HolidayRowState> Rows; // Rows[n - 1] is row number n
    bool NothingPending = true;
    int TimeCheckOutcome = 0;
};

// The state a dialog opens with: first year, default times of the list kind, rows scanned.
HolidayDialogState OpenHolidayDialog(const CalendarDocument& doc, const HolidayCountry& country,
                                     ListKind kind);
// Selects the other half and rebuilds the rows; unapplied ticks are dropped.
void SwitchHolidayPage(const CalendarDocument& doc, HolidayDialogState& state, bool secondYear);
void RebuildHolidayRows(const CalendarDocument& doc, HolidayDialogState& state);

struct HolidayApplyResult {
    bool Applied = false;
    int FocusRow = -1; // row number whose pickup field takes the focus after a time error
};

// The Apply button: the day-visit time check, then every row in the apply order.
HolidayApplyResult ApplyHolidays(CalendarDocument& doc, HolidayDialogState& state,
                                 OverwriteQuestions& questions);

// Window and page texts.
QString HolidayWindowCaption(ListKind kind);
QString HolidayTabCaption(const CalendarDocument& doc, bool secondYear);
QString HolidaySelectedYearLabel(const CalendarDocument& doc, bool secondYear, bool onOpening);

} // namespace custodex
