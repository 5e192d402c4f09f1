#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Every file the program reads or writes goes through here, so the same rules hold for the
// calendar, "Calendar.ini", CSV files, pictures, logs and pattern files:
// - only regular files are read or replaced (a FIFO would block, a device node must never be
//   replaced by a file); symbolic links are followed;
// - a file whose owner-write bit is clear is locked and never replaced, also for root;
// - what is written stays within the size the readers accept;
// - the new content replaces the old file only once it was written completely.

namespace custodex {

// Largest text file the program reads, and so the largest it writes.
constexpr qint64 MaxTextFileSize = 16 * 1024 * 1024;

enum class FileWriteError {
    None,
    NotRegularFile, // the target exists and is not a regular file
    Locked,         // the target exists with its owner-write bit clear
    TooLarge,       // the content exceeds the limit given
    Failed,         // could not be created or written
};

// The bytes of a regular file of at most `maxSize` bytes; nothing for anything else (missing,
// unreadable, not a regular file, larger than the limit).
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize = MaxTextFileSize);

// True when `path` does not exist or is a regular file (after following links).
// A name typed by the user as part of a file name the program makes (a client's pictures and
// logs): folder separators become "_", so the file stays in the folder it is meant for.
QString FileNamePart(const QString& name);

bool IsRegularFileOrAbsent(const QString& path);

// The checks a writer makes before it touches anything.
FileWriteError CheckWriteTarget(const QString& path);

// Writes `bytes` to `path`. Nothing is changed unless the result is None.
FileWriteError WriteWholeFile(const QString& path, const QByteArray& bytes,
                              qint64 maxSize = MaxTextFileSize);

// Same rules, for content written by a function (pictures): `write` returns false on failure.
FileWriteError WriteFileWith(const QString& path, const std::function<bool(QIODevice&)>& write);

} // namespace custodex
