#pragma once

// The Preferences menu command.

namespace custodex {

class CommandHost;
class TUserInitialize;

// Refused without a calendar; otherwise the preferences dialog modally, then the whole
// window redrawn (colours, titles and default times may have changed).
void RunPreferences(CommandHost& host);

// The preferences dialog, which Start opens too.
TUserInitialize& PreferencesWindow(CommandHost& host);

} // namespace custodex
