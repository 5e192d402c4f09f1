#pragma once

#include <QString>

namespace custodex {

// Reason texts typed by the user: at most 80 characters, no "!".
constexpr int TypedReasonCapacity = 80;

// What the day editor shows and gives back for one mark: the month view hands it over and
// reads it back, the editor's rules check it.
struct DayEditorEntry {
    QString Reason;
    QString Start;
    QString End;
    bool NoNap = false;
};

} // namespace custodex
