#pragma once

#include "calendar/CalendarModel.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// Recovery copies: while a calendar has unsaved changes, a copy of it is kept in the per-user
// state folder, written by the calendar writer, so a crash, a power cut or a wrong No at
// "Save Pending Changes?" never loses the work. When to write, keep, offer and expire a copy
// is decided here, against a clock, so it is tested without a window.

namespace custodex {

inline const QString RecoveryWindowTitle = QStringLiteral("Recover Unsaved Changes");
inline const QString RecoveryFailedMessage =
    QStringLiteral("Unsaved changes cannot be kept safe: the recovery folder cannot be written.");
// The sidecar beside each copy: which file it belongs to, when, and why it was kept.
inline const QString RecoverySidecarName = QStringLiteral("Recovery.ini");
// Declined copies (and any copy left this long) are removed at start after this many days.
constexpr int RecoveryKeepDays = 14;
// A change is copied at the next look after it, and the window looks this often, so a copy
// is never more than two seconds behind.
constexpr int RecoveryCheckMilliseconds = 1000;

// Why a copy is kept: written while the program ran (so, found at a start, the program ended
// without saving: a crash), or the user answered No to saving.
enum class RecoveryReason { Crash, Declined };
QString RecoveryReasonKey(RecoveryReason reason); // "crash", "declined"

struct RecoveryCopy {
    QString Folder;       // the copy's own folder, with trailing separator
    QString CopyPath;     // the calendar copy inside it
    QString OriginalPath; // the client's file; empty for a calendar never saved
    QString ClientName;
    QDateTime LastChange; // UTC
    RecoveryReason Reason = RecoveryReason::Crash;
    // Hex SHA-256 of the client's file as it was opened or last saved; empty when it had none.
    QByteArray OriginalHash;
};

// Every copy under `root` whose sidecar and calendar read, newest first.
std::vector<RecoveryCopy> ListRecoveryCopies(const QString& root);
// The copies a start offers: those left by a program that ended without saving.
std::vector<RecoveryCopy> CopiesToOfferAtStart(const std::vector<RecoveryCopy>& copies);
// Removes copies older than RecoveryKeepDays, and folders holding no readable copy; returns
// how many were removed.
int RemoveExpiredCopies(const QString& root, const QDateTime& now);
bool RemoveRecoveryCopy(const RecoveryCopy& copy);

// Hex SHA-256 of a file's bytes; empty when it cannot be read.
QByteArray FileHash(const QString& path);
// True when the client's file was saved by someone else after the copy was made from it.
bool OriginalChangedSince(const RecoveryCopy& copy);
// How many days of the copy differ from the client's file on disk (every marked day when
// there is no such file).
int DaysDiffering(const RecoveryCopy& copy);
// A free name beside `originalPath` for a copy that must not replace it:
// "Garcia recovered.cdb", "Garcia recovered 2.cdb", ...
QString RecoveredPath(const QString& originalPath);

// Reads a copy as the calendar it belongs to: the recovered days, bound to the client's file
// (or to RecoveredPath when that file changed on disk since), marked as changed.
bool ReadRecoveredCalendar(const RecoveryCopy& copy, CalendarDocument& doc, QString* message);

// The copy of the calendar shown. The window calls Check at every look and at each file
// command; the keeper writes when the content changed since its last copy, and removes the
// copy once nothing is pending.
class RecoveryKeeper {
public:
    using Clock = std::function<QDateTime()>;
    // An empty root keeps no copies.
    RecoveryKeeper(QString root, Clock clock);

    enum class Outcome { Nothing, Written, Removed, Failed };
    Outcome Check(const CalendarDocument& doc);
    // Another calendar is shown (New, Open, Start, Close): the next copy goes into a new folder.
    // `originalPath` is the calendar's file, read now for its hash; empty for none.
    void Bind(const QString& originalPath);
    // Adopts a recovered copy: its folder is the one kept from now on.
    void Adopt(const RecoveryCopy& copy, const QString& boundPath);
    // Before a question that may close the calendar: the copy is brought up to date.
    Outcome Flush(const CalendarDocument& doc) { return Check(doc); }
    // After the calendar was closed or replaced (Flush came first): when the client's file now
    // holds what the copy holds, it was saved and the copy goes; else the answer was No and the
    // copy is kept as declined. Either way the next calendar starts without a copy.
    void Closed();
    // True once, at the first failed write (the status bar says it once).
    bool TakeFailureNotice();
    const QString& CurrentFolder() const { return Folder; }

private:
    Outcome Write(const CalendarDocument& doc);
    Outcome Remove();

    QString Root;
    Clock Now;
    QString Folder; // this calendar's copy folder, empty before its first copy
    QString OriginalPath;
    QByteArray OriginalHash;
    std::optional<QByteArray> Written; // the bytes of the copy on disk
    bool Failed = false;
    bool FailureSaid = false;
};

} // namespace custodex
