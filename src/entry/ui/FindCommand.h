#pragma once

// The Find menu command.

namespace custodex {

class CommandHost;
class TFindThings;

// Refused without a calendar or without a mark; otherwise the find dialog modally, the
// month view following each hit, then the month redrawn.
void RunFind(CommandHost& host);

TFindThings& FindWindow(CommandHost& host);

} // namespace custodex
