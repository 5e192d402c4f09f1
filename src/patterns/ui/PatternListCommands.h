#pragma once

// The lists menu's pattern commands: odd/even/all and monthly patterns, for overnight stays
// (the "Overnight Lists" submenu) and for day visits ("Day Visit Lists").

namespace custodex {

class CommandHost;
class TDaysPerMonth;
class TOddEvenAllDV;
class TOddEvenAllON;
class TOversPerMonth;

// Refused without a calendar; otherwise the dialog modally, Cancel bringing every day back.
void RunOddEvenAllOvernights(CommandHost& host);
void RunOddEvenAllDayVisits(CommandHost& host);
void RunMonthlyOvernights(CommandHost& host);
void RunMonthlyDayVisits(CommandHost& host);

// The dialogs, made on first use and kept; a calendar closed or replaced resets them.
TOddEvenAllON& OddEvenAllOvernightWindow(CommandHost& host);
TOddEvenAllDV& OddEvenAllDayVisitWindow(CommandHost& host);
TOversPerMonth& MonthlyOvernightWindow(CommandHost& host);
TDaysPerMonth& MonthlyDayVisitWindow(CommandHost& host);

} // namespace custodex
