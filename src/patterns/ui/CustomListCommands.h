#pragma once

// The lists menu's commands for repeat patterns and custom list templates.

namespace custodex {

class CommandHost;
class TACustomList;
class TCustomPatterns;
class TMakeRepeatPattern;

// "Apply/Remove a Custom Repeat Pattern": refused without a calendar; Cancel brings every day
// back.
void RunApplyRepeatPattern(CommandHost& host);
// "Create/Modify a Custom Repeat Pattern": the editor, with or without a calendar.
void RunMakeRepeatPattern(CommandHost& host);
// "Apply/Remove a Custom List": refused without a calendar; Cancel brings every day back.
void RunApplyCustomList(CommandHost& host);

// The dialogs, made on first use and kept.
TCustomPatterns& CustomPatternsWindow(CommandHost& host);
TMakeRepeatPattern& MakeRepeatPatternWindow(CommandHost& host);
TACustomList& CustomListWindow(CommandHost& host);

} // namespace custodex
