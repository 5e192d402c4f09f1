#pragma once

#include "calendar/CalendarModel.h"

// Finds consecutive overnights that still carry a dropoff and a pickup between them and, on
// confirmation, joins each pair into one continuous stay.

namespace custodex {

class Prompter;

enum class ExtendedAnswer { Yes, All, No, Cancel };

class ExtendedScanHost {
public:
    virtual ~ExtendedScanHost() = default;
    virtual void ShowMonth(int monthNumber) = 0; // 1..24
    virtual ExtendedAnswer AskToConvert(const QString& message1, const QString& message2,
                                        const QString& message3) = 0;
};

bool IsExtendedCandidate(const CalendarDay& day, const CalendarDay& next);

// Returns the number of pairs converted, or -1 when there is no calendar.
int ScanExtendedOvernights(CalendarDocument& doc, ExtendedScanHost& host, Prompter& prompter);

} // namespace custodex
