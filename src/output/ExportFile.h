#pragma once

#include "calendar/CalendarModel.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace custodex {

class Prompter;

// The file an export to the chosen name writes: `extension` (such as ".csv") is added unless
// the name ends with it, in any case.
QString ExportFilePath(const QString& chosen, const QString& extension);

// Writes `path` under the file rules: asks before replacing an existing file (the question
// names `path`), refuses locked files and anything but a regular file with their messages.
// `bytes` makes the contents once the file may be written. False when nothing was written.
bool WriteAskingBeforeReplacing(const QString& path, const std::function<QByteArray()>& bytes,
                                Prompter& messages);

// Writes an export to `path` under the file rules, as the export dialogs save: asks before
// replacing an existing file (the question names `path`, not the name typed), refuses locked
// files and anything but a regular file with their messages. `bytes` makes the contents once
// the file may be written. ClientFolder follows the folder of a file written, and only then.
// False when nothing was written.
bool SaveExportFile(CalendarDocument& doc, const QString& path,
                    const std::function<QByteArray()>& bytes, Prompter& messages);

} // namespace custodex
