#pragma once

#include "platform/FileAccess.h"
#include "platform/Prompter.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The user's repeat patterns: named strings of day letters ("O" an overnight stay, "D" a day
// visit, "N" neither) kept one a line in "CustomPats.txt" in the client folder, and the rules
// of the editor in which they are made, changed and deleted.

namespace custodex {

inline const QString RepeatPatternFileName = QStringLiteral("CustomPats.txt");
// Between a pattern's name and its letters in a list item and a line of the file.
inline const QString RepeatPatternSeparator = QStringLiteral(" | ");
constexpr int RepeatPatternNameCapacity = 80;

struct RepeatPattern {
    QString Name;
    QString Letters;
};

// "name | letters".
QString RepeatPatternItem(const RepeatPattern& pattern);
// Split at the first " | "; a line without one is all name and no letters.
RepeatPattern SplitRepeatPatternItem(const QString& item);

// The client folder (with its trailing separator) + "CustomPats.txt".
QString RepeatPatternPath(const QString& clientFolder);

// The lines of the file, blank lines left out; nothing when there is no such regular file
// (or it cannot be read). Any bytes read as some list.
std::optional<QStringList> ReadRepeatPatterns(const QString& path);
// The index of the first item that is no repeat pattern (no " | ", or letters other than O, D
// and N after it); -1 when every item is one.
int FirstMalformedRepeatPattern(const QStringList& items);
QStringList RepeatPatternsFromBytes(const QByteArray& bytes);
// One line per item, each ended by CR LF, in the program's text encoding.
QByteArray RepeatPatternBytes(const QStringList& items);
FileWriteError WriteRepeatPatterns(const QString& path, const QStringList& items);

// The rules of a name field (the editor's name, the apply dialog's reason) while it is typed:
// a leading "*" is removed, the text is cut before a "!", and reaching exactly 80 characters
// gets a notice. Returns the messages to show, in order; `text` is changed in place.
QStringList TypedNameRules(QString& text);

// The name check of Accept: empty, " | " inside, or already used (also as the tail of another
// pattern's name). The error message, or an empty text when the name may be used.
QString RepeatPatternNameError(const QStringList& items, const QString& name);

// Accept's walk through the letters: "o", "n" and "d" become upper case; the caret line has a
// "^" under every other character and a blank under each legal letter.
struct RepeatLettersCheck {
    QString Letters;
    QString Carets;
    bool Legal = true;
};
RepeatLettersCheck CheckRepeatLetters(const QString& letters);

inline const QString IllegalLettersMessage = QStringLiteral(
    "Illegal character found in repeat pattern.\n\rLegal characters are the characters O, D, "
    "and N.\n\rPlease correct and try again.");

// The editor while it is open: its list, whether the list differs from the file, and whether
// it may close without asking.
struct RepeatPatternEditorState {
    QString Path; // "CustomPats.txt" of the client folder
    QStringList Items;
    bool Changed = false;
    bool MayClose = true;
};

void OpenRepeatPatternEditor(RepeatPatternEditorState& state, const QString& clientFolder);

enum class EditorFocus { None, Name, Letters };

struct AcceptResult {
    bool Added = false;
    QString Letters; // as the field shows them afterwards
    QString Carets;  // the line under the letters
    EditorFocus Focus = EditorFocus::None;
};
// `shown` gets the letters and carets before any message, so the user sees the carets under
// the letters while the message is up.
AcceptResult AcceptRepeatPattern(RepeatPatternEditorState& state, const QString& name,
                                 const QString& letters, Prompter& prompter,
                                 const std::function<void(const RepeatLettersCheck&)>& shown = {});

// Asks, then takes the item out of the list for editing; nothing when declined.
std::optional<RepeatPattern> ModifyRepeatPattern(RepeatPatternEditorState& state, int index,
                                                 Prompter& prompter);
// Asks, then removes the item and writes the list at once. True when removed.
bool DeleteRepeatPattern(RepeatPatternEditorState& state, int index, Prompter& prompter);
// Save/Close: writes a changed, non-empty list and tells where. False when the write failed
// (the editor stays open with its list).
bool SaveRepeatPatterns(RepeatPatternEditorState& state, const QString& clientFolder,
                        Prompter& prompter);
// Cancel: true when the editor may close (after asking when there are changes).
bool CancelRepeatPatternEditor(RepeatPatternEditorState& state, Prompter& prompter);
// Any other closing: true when it may close.
bool CloseRepeatPatternEditor(RepeatPatternEditorState& state, Prompter& prompter);

} // namespace custodex
