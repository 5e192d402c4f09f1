#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

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

// What became of a write: nothing wrong (None), or what went wrong and, where the system
// said why, its words ("No space left on device"), so a message can name the cause.
// Compared by what went wrong alone.
class FileWriteError {
public:
    enum Kind {
        None,
        NotRegularFile, // the target exists and is not a regular file
        Locked,         // the target exists with its owner-write bit clear
        TooLarge,       // the content exceeds the limit given
        Failed,         // could not be created or written
    };

    FileWriteError(Kind kind = None, QString cause = QString())
        : m_kind(kind), m_cause(std::move(cause))
    {
    }
    Kind What() const { return m_kind; }
    // Why a Failed write failed; empty when nothing was said.
    const QString& Cause() const { return m_cause; }

    friend bool operator==(const FileWriteError& a, const FileWriteError& b)
    {
        return a.m_kind == b.m_kind;
    }

private:
    Kind m_kind;
    QString m_cause;
};

// The bytes of a regular file of at most `maxSize` bytes; nothing for anything else (missing,
// unreadable, not a regular file, larger than the limit).
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize = MaxTextFileSize);

// Why the last ReadRegularFile of `path` on this thread gave nothing, in a user's words ("It is
// too large: ..."); empty when that read did not fail. Lets every "Error reading" name its
// cause without each caller carrying it.
QString LastReadFailureCause(const QString& path);

// A name typed by the user as part of a file name the program makes (a client's pictures and
// logs): folder separators become "_", so the file stays in the folder it is meant for.
QString FileNamePart(const QString& name);

// Taking a path apart; both "/" and "\" separate folders.
QString FolderOfPath(const QString& path);   // with the trailing separator
QString FileNameOfPath(const QString& path); // without the folder
QString ClientNameFromPath(const QString& path);

// "Error reading " + path, with the cause on a line of its own when the last read of the
// file failed for one (not found, no permission, not a regular file, too large).
QString ReadErrorMessage(const QString& path);
QString WriteErrorMessage(const QString& path);
// "Error!  Can't write to " + path + "\n\rbecause the file is locked!"
QString LockedFileMessage(const QString& path);
// The message for a refused or failed write: the lock message for a locked file, the write
// error for everything else, followed by its cause on a line of its own where one is known
// (a folder, not a regular file, what the system said).
QString WriteRefusalMessage(const FileWriteError& error, const QString& path);

// True when `path` does not exist or is a regular file (after following links).

bool IsRegularFileOrAbsent(const QString& path);

// The checks a writer makes before it touches anything.
FileWriteError CheckWriteTarget(const QString& path);

// Writes `bytes` to `path`. Nothing is changed unless the result is None; on Failed, the
// result says what the system said.
FileWriteError WriteWholeFile(const QString& path, const QByteArray& bytes,
                              qint64 maxSize = MaxTextFileSize);

// Same rules, for content made by a function (pictures): `write` returns false on failure. The
// content is made in memory first, so an encoder never meets a failing disk half-way.
FileWriteError WriteFileWith(const QString& path, const std::function<bool(QIODevice&)>& write);

// Writes all of `bytes` to `device`; false as soon as the device takes less than it was given.
bool WriteCompletely(QIODevice& device, const QByteArray& bytes);

// An output of several files (a printout's pages as pictures, a report's pages), written all
// or nothing: each file goes to a temporary name in its target's folder as it is made, and
// Commit renames them over their targets only once every one is complete. On any failure,
// and when the writer goes without Commit, the temporaries are removed and every old file is
// left as it was, so a set is never part new and part old. Every target follows the rules of
// WriteWholeFile (regular files only, locked files never replaced, permissions kept).
class FileSetWriter {
public:
    FileSetWriter() = default;
    ~FileSetWriter();
    FileSetWriter(const FileSetWriter&) = delete;
    FileSetWriter& operator=(const FileSetWriter&) = delete;

    // CheckWriteTarget for every path, before anything is written; the first refusal.
    FileWriteError CheckTargets(const QStringList& paths);
    // Writes one file of the set to its temporary. After a failure nothing more is written
    // and the set can no longer be committed.
    FileWriteError Add(const QString& path, const QByteArray& bytes,
                       qint64 maxSize = MaxTextFileSize);
    // The same for content made by a function (pictures), made in memory first.
    FileWriteError AddWith(const QString& path, const std::function<bool(QIODevice&)>& write);
    // Puts every file in place, or none.
    FileWriteError Commit();

    const FileWriteError& Error() const { return m_error; }
    // The target that failed or was refused; WriteRefusalMessage names it with its cause.
    const QString& FailedPath() const { return m_failedPath; }
    // The targets added, in order.
    QStringList Paths() const;

private:
    struct Entry {
        QString Target;       // as given
        QString Resolved;     // links followed: the file that is replaced
        QByteArray Temporary; // the complete new content, until Commit
    };
    FileWriteError Fail(const QString& path, const FileWriteError& error);
    void RemoveTemporaries();

    std::vector<Entry> m_entries;
    FileWriteError m_error = FileWriteError::None;
    QString m_failedPath;
    bool m_committed = false;
};

// For tests of outputs that run out of room half-way, which a limit on each file's size
// cannot show: from now on, the writes of this thread take `bytes` more bytes in all and then
// fail as on a full disk ("No space left on device"); a negative value lifts the limit.
void LimitWriteRoomForTesting(qint64 bytes);

// What is wrong with a target refused as NotRegularFile, in a user's words.
QString NotRegularFileCause(const QString& path);

} // namespace custodex
