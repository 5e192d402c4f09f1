#pragma once

#include "calendar/CalendarModel.h"
#include "platform/FileAccess.h"

#include <QByteArray>
#include <QString>

// The calendar file: head (client name, start year), one record per day, keyed trailer;
// 8-bit text with CR LF line ends.

namespace custodex {

struct FileResult {
    bool Ok = true;
    QString Message; // the text to show when Ok is false
};

// The file's lines, each ended by CR LF, before encoding.
QString CalendarFileText(const CalendarDocument& doc);
QByteArray CalendarFileBytes(const CalendarDocument& doc);

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
