#pragma once

// The output menu commands: Preview, Print Calendar and Write Calendar to .CSV Formatted File.

namespace custodex {

enum class PrintMode;

class CommandHost;
class TCsvConvert;
class TPreviewer;

// Refused without a calendar; otherwise shows the preview without waiting for it.
void RunPreview(CommandHost& host);
// Its checks in order, then the printing dialog (every printout, or the month on screen)
// modally, then the month redrawn.
void RunPrintCalendar(CommandHost& host, PrintMode mode);
// Its checks in order, then the CSV dialog modally, then the month redrawn.
void RunCsvExport(CommandHost& host);

TPreviewer& PreviewWindow(CommandHost& host);
TCsvConvert& CsvWindow(CommandHost& host);

} // namespace custodex
