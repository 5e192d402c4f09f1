#pragma once

#include "calendar/CalendarModel.h"
#include "patterns/WeekdayPatterns.h"
#include "platform/Prompter.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Custom list templates: text files of dated entries, each an overnight stay or a day visit
// with its reason ("ON December 24, 2004 Winter break with father"), made by the companion
// list builder. Reading them, the checks their file names allow, and marking or unmarking the
// entries a user selects. One engine for the dialog and the command line.

namespace custodex {

inline const QString TemplateFilter = QStringLiteral("Template Custom List (*.tcl)");
inline const QString TemplateSuffix = QStringLiteral("tcl");
constexpr int TemplateReasonCapacity = 100;

// One line after the header. A line that is not an entry is kept, shown as not applicable
// and skipped by Apply and Remove with a message naming it.
struct TemplateEntry {
    int LineNumber = 0; // in the file; the header is line 1
    QString Line;       // as read
    bool Applicable = false;
    QString Problem; // why a line is not an entry
    bool Overnight = false;
    QString Month; // as written
    QString Day;
    QString Year;
    int MonthIndex = -1;
    int DayNumber = 0;
    int YearNumber = 0;
    QString Reason;
};

struct CustomListTemplate {
    QString Header; // line 1
    std::vector<TemplateEntry> Entries;
};

TemplateEntry ParseTemplateEntry(const QString& line, int lineNumber);
CustomListTemplate ParseCustomListTemplate(const QString& text);
// Nothing when there is no regular file there that can be read.
std::optional<CustomListTemplate> ReadCustomListTemplate(const QString& path);

// "Apply " + the header from "Custom List" to its end (the whole header when it lacks it).
QString TemplateCaption(const QString& header);
// The text a list shows for an entry: its line, marked when it is not applicable.
QString TemplateEntryText(const TemplateEntry& entry);

// What the file name says: the digits it begins with, the last month name in calendar order
// that it contains (any case), and whether "QDLTCL" (any case) exempts it from date checks.
struct TemplateFileName {
    QString Name; // without its folder
    bool Exempt = false;
    int MonthIndex = -1;
    QString YearDigits;
};
TemplateFileName TemplateFileNameOf(const QString& path);

// The questions to ask before a file is used, in order; each answered No rejects the file.
struct TemplateWarning {
    PromptKind Kind;
    QString Text;
};
std::vector<TemplateWarning> TemplateDateWarnings(const CalendarDocument& doc, const QString& path,
                                                  const QString& header);

// The entry's day, or -1 when the calendar holds no such date.
int TemplateEntryDay(const CalendarDocument& doc, const TemplateEntry& entry);

struct ListTimes {
    QString OverNiteStrtTime = NoTimeText;
    QString OverNiteEndTime = NoTimeText;
    QString DayVisitStrtTime = NoTimeText;
    QString DayVisitEndTime = NoTimeText;
};

struct ListRunResult {
    bool Ran = false;         // entries were selected and walked
    bool UndoEnabled = false; // a day was found (Apply) or the run ended (Remove)
    bool Counted = false;     // AppliedChangeCount went up by one
    bool DaysChanged = false;
    bool Stopped = false;
    int Overnights = 0;
    int DayVisits = 0;
};

inline const QString SelectToApplyMessage =
    QStringLiteral("You must select one or more custom items, then click the Apply "
                   "Button.\n\rPlease try again.");
inline const QString SelectToRemoveMessage =
    QStringLiteral("You must select one or more custom items, then click the Remove "
                   "Button.\n\rPlease try again.");

// Apply: marks the selected entries (indices into `entries`) in list order, asking before it
// overwrites a mark; consecutive overnights with the same reason make one stay.
ListRunResult ApplyCustomList(CalendarDocument& doc, const std::vector<TemplateEntry>& entries,
                              std::vector<int> selected, const ListTimes& times,
                              OverwriteQuestions& questions);
// Remove: clears the marks of the selected entries whose reason matches, ignoring case.
ListRunResult RemoveCustomList(CalendarDocument& doc, const std::vector<TemplateEntry>& entries,
                               std::vector<int> selected, OverwriteQuestions& questions);

// The prompt of the time-entry dialog for each of the four time fields.
QString ListTimePrompt(bool overnight, bool end);

// What the dialog holds while it is open.
struct CustomListDialogState {
    QString Path;
    QString FileName; // shown as the reason list's file name
    CustomListTemplate List;
    bool Accepted = false;
    ListTimes Times;
    bool Changes = false;
    bool UndoEnabled = false;
    bool UndoCounted = false;
};

inline const QString SelectAnotherFileMessage =
    QStringLiteral("Please select another file and try again.");

// Each opening starts empty: no file, no entries, Undo off, no changes.
void ResetCustomListDialog(CustomListDialogState& state);
// The chosen file: read, its date warnings asked, and when accepted the calendar's default
// times taken and the client folder moved to the template's folder. True when accepted.
bool LoadCustomListFile(CalendarDocument& doc, CustomListDialogState& state, const QString& path,
                        Prompter& prompter);

ListRunResult ApplyListEntriesClick(CalendarDocument& doc, CustomListDialogState& state,
                                    const std::vector<int>& selected,
                                    OverwriteQuestions& questions);
ListRunResult RemoveListEntriesClick(CalendarDocument& doc, CustomListDialogState& state,
                                     const std::vector<int>& selected,
                                     OverwriteQuestions& questions);
void UndoListClick(CalendarDocument& doc, CustomListDialogState& state);

} // namespace custodex
