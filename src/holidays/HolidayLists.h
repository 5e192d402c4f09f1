#pragma once

#include "holidays/HolidayRules.h"

#include <QString>

#include <vector>

// The three national holiday lists as data: each row's controls, caption, hint and rule in
// the order the dialog lays them out, and the two orders the dialog processes them in.

namespace custodex {

struct HolidayDefinition {
    QString CheckBoxName;
    QString Prefix; // names the pickup (Strt), dropoff (End) and no-nap (NoNap) controls
    QString Caption;
    QString Hint;
    HolidayRule Rule;
    bool NeverShown = false;
    QString NoNapName; // only where the no-nap box breaks the prefix pattern

    QString PickupFieldName() const { return Prefix + QStringLiteral("Strt"); }
    QString DropoffFieldName() const { return Prefix + QStringLiteral("End"); }
    QString NoNapBoxName() const
    {
        return NoNapName.isEmpty() ? Prefix + QStringLiteral("NoNap") : NoNapName;
    }
};

struct HolidayCountry {
    QString FormClass;
    QString DesignCaption;
    std::vector<HolidayDefinition> Rows; // row number n is Rows[n - 1]
    std::vector<int> TestOrder;          // row numbers, for the day-visit time check
    std::vector<int> ApplyOrder;         // row numbers, for marking
};

const HolidayCountry& UnitedStatesHolidays();
const HolidayCountry& CanadianHolidays();
const HolidayCountry& UnitedKingdomHolidays();

} // namespace custodex
