#pragma once

#include "calendar/CalendarModel.h"
#include "platform/FileAccess.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// The calendar file: head (client name, start year), one record per day, keyed trailer;
// 8-bit text with CR LF line ends.

namespace custodex {

struct FileResult {
    bool Ok = true;
    QString Message; // the text to show when Ok is false
};

// "Error reading " + path, with the cause on a line of its own when the last read of the
// file failed for one (not found, no permission, not a regular file, too large).
QString ReadErrorMessage(const QString& path);
QString WriteErrorMessage(const QString& path);
// "Error!  Can't write to " + path + "\n\rbecause the file is locked!"
QString LockedFileMessage(const QString& path);
// The message for a refused or failed write: the lock message for a locked file, the write
// error for everything else, followed by its cause on a line of its own where one is known
// (a folder, not a regular file, what the system said).
QString WriteRefusalMessage(FileWriteError error, const QString& path);

// Taking a path apart; both "/" and "\" separate folders.
QString FolderOfPath(const QString& path);   // with the trailing separator
QString FileNameOfPath(const QString& path); // without the folder
QString ClientNameFromPath(const QString& path);

// The file's lines, each ended by CR LF, before encoding.
QString CalendarFileText(const CalendarDocument& doc);
QByteArray CalendarFileBytes(const CalendarDocument& doc);
bool WriteCalendarToDevice(const CalendarDocument& doc, QIODevice& device);

// Writes through a temporary file that replaces the old one only once complete, so a failure
// leaves the previous file, ChangesPending, ClientFolder, the caption and CurrentFileName as
// they were. A target that is locked, not a regular file, or content beyond what the reader
// takes is refused before anything is touched.
FileResult WriteCalendarFile(CalendarDocument& doc, const QString& path, bool updateCaption);

// Replaces the document by the file's content. A file that cannot be read as a complete
// calendar is refused: the document is then left without a calendar.
FileResult ReadCalendarFromBytes(CalendarDocument& doc, const QByteArray& bytes,
                                 const QString& path);
FileResult ReadCalendarFile(CalendarDocument& doc, const QString& path);

// Largest calendar file read or written; a full span with long reasons is well under 1 MiB.
constexpr qint64 MaxCalendarFileSize = MaxTextFileSize;

} // namespace custodex
