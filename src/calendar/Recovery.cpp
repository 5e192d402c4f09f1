#include "calendar/Recovery.h"

#include "calendar/CalendarFile.h"
#include "platform/FileAccess.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace custodex {

namespace {

const QString CopyFolderPattern = QStringLiteral("yyyyMMdd-HHmmss-zzz");

QString WithSeparator(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QByteArray SidecarBytes(const RecoveryCopy& copy)
{
    QString text;
    const auto line = [&text](const char* key, const QString& value) {
        text += QLatin1String(key) + QLatin1Char('=') + value + QStringLiteral("\r\n");
    };
    line("FILE", copy.OriginalPath);
    line("CLIENT", copy.ClientName);
    line("COPY", FileNameOfPath(copy.CopyPath));
    line("CHANGED", copy.LastChange.toUTC().toString(Qt::ISODate));
    line("KEPT", RecoveryReasonKey(copy.Reason));
    line("FILEHASH", QString::fromLatin1(copy.OriginalHash));
    return text.toUtf8();
}

std::optional<RecoveryCopy> ReadSidecar(const QString& folder)
{
    const std::optional<QByteArray> bytes =
        ReadRegularFile(folder + RecoverySidecarName, 64 * 1024);
    if (!bytes)
        return std::nullopt;
    RecoveryCopy copy;
    copy.Folder = folder;
    QString copyName;
    for (const QString& line : QString::fromUtf8(*bytes).split(QStringLiteral("\r\n"))) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = line.left(equals);
        const QString value = line.mid(equals + 1);
        if (key == QLatin1String("FILE"))
            copy.OriginalPath = value;
        else if (key == QLatin1String("CLIENT"))
            copy.ClientName = value;
        else if (key == QLatin1String("COPY"))
            copyName = value;
        else if (key == QLatin1String("CHANGED"))
            copy.LastChange = QDateTime::fromString(value, Qt::ISODate);
        else if (key == QLatin1String("KEPT"))
            copy.Reason = value == QLatin1String("declined") ? RecoveryReason::Declined
                                                             : RecoveryReason::Crash;
        else if (key == QLatin1String("FILEHASH"))
            copy.OriginalHash = value.toLatin1();
    }
    // The copy's name is a file name inside its own folder, never a path elsewhere.
    if (copyName.isEmpty() || copyName != FileNameOfPath(copyName) || !copy.LastChange.isValid())
        return std::nullopt;
    copy.CopyPath = folder + copyName;
    if (!QFileInfo(copy.CopyPath).isFile())
        return std::nullopt;
    return copy;
}

QStringList CopyFolders(const QString& root)
{
    QStringList folders;
    if (root.isEmpty())
        return folders;
    const QDir dir(root);
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        folders.push_back(WithSeparator(dir.filePath(name)));
    return folders;
}

int MarkedDays(const DayList& days)
{
    return static_cast<int>(std::count_if(days.begin(), days.end(), [](const CalendarDay& day) {
        return day.HasOvernight || day.HasDayVisit;
    }));
}

} // namespace

QString RecoveryReasonKey(RecoveryReason reason)
{
    return reason == RecoveryReason::Declined ? QStringLiteral("declined")
                                              : QStringLiteral("crash");
}

std::vector<RecoveryCopy> ListRecoveryCopies(const QString& root)
{
    std::vector<RecoveryCopy> copies;
    for (const QString& folder : CopyFolders(root))
        if (std::optional<RecoveryCopy> copy = ReadSidecar(folder))
            copies.push_back(std::move(*copy));
    std::stable_sort(
        copies.begin(), copies.end(),
        [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.LastChange > b.LastChange; });
    return copies;
}

std::vector<RecoveryCopy> CopiesToOfferAtStart(const std::vector<RecoveryCopy>& copies)
{
    std::vector<RecoveryCopy> offered;
    std::copy_if(copies.begin(), copies.end(), std::back_inserter(offered),
                 [](const RecoveryCopy& copy) { return copy.Reason == RecoveryReason::Crash; });
    return offered;
}

int RemoveExpiredCopies(const QString& root, const QDateTime& now)
{
    const QDateTime oldest = now.addDays(-RecoveryKeepDays);
    int removed = 0;
    for (const QString& folder : CopyFolders(root)) {
        const std::optional<RecoveryCopy> copy = ReadSidecar(folder);
        const QDateTime when = copy ? copy->LastChange : QFileInfo(folder).lastModified().toUTC();
        if (when < oldest && QDir(folder).removeRecursively())
            ++removed;
    }
    return removed;
}

bool RemoveRecoveryCopy(const RecoveryCopy& copy)
{
    return QDir(copy.Folder).removeRecursively();
}

QByteArray FileHash(const QString& path)
{
    if (path.isEmpty())
        return {};
    const std::optional<QByteArray> bytes = ReadRegularFile(path, MaxCalendarFileSize);
    if (!bytes)
        return {};
    return QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256).toHex();
}

bool OriginalChangedSince(const RecoveryCopy& copy)
{
    if (copy.OriginalPath.isEmpty() || !QFileInfo::exists(copy.OriginalPath))
        return false;
    return FileHash(copy.OriginalPath) != copy.OriginalHash;
}

int DaysDiffering(const RecoveryCopy& copy)
{
    CalendarDocument recovered;
    if (!ReadCalendarFile(recovered, copy.CopyPath).Ok)
        return 0;
    CalendarDocument original;
    if (copy.OriginalPath.isEmpty() || !ReadCalendarFile(original, copy.OriginalPath).Ok)
        return MarkedDays(recovered.Days);
    const DayList& a = recovered.Days;
    const DayList& b = original.Days;
    const std::size_t common = std::min(a.size(), b.size());
    int differing = static_cast<int>(std::max(a.size(), b.size()) - common);
    for (std::size_t i = 0; i < common; ++i)
        differing += a[i] == b[i] ? 0 : 1;
    return differing;
}

QString RecoveredPath(const QString& originalPath)
{
    const QString folder = FolderOfPath(originalPath);
    const QString client = ClientNameFromPath(originalPath);
    for (int n = 1;; ++n) {
        const QString name = client + QStringLiteral(" recovered") +
                             (n == 1 ? QString() : QLatin1Char(' ') + QString::number(n)) +
                             QStringLiteral(".cdb");
        if (!QFileInfo::exists(folder + name))
            return folder + name;
    }
}

bool ReadRecoveredCalendar(const RecoveryCopy& copy, CalendarDocument& doc, QString* message)
{
    const QString clientFolder = doc.ClientFolder;
    const FileResult read = ReadCalendarFile(doc, copy.CopyPath);
    if (!read.Ok) {
        doc.ClientFolder = clientFolder;
        if (message)
            *message = read.Message;
        return false;
    }
    if (copy.OriginalPath.isEmpty()) {
        // Never saved: Save asks for its place as for a new calendar.
        doc.ClientName = copy.ClientName;
        doc.ClientFolder = clientFolder;
        doc.DocumentFolder.clear();
        doc.CurrentFileName = FileNameOfPath(copy.CopyPath);
    }
    else {
        const QString path =
            OriginalChangedSince(copy) ? RecoveredPath(copy.OriginalPath) : copy.OriginalPath;
        doc.ClientName = ClientNameFromPath(path);
        doc.CurrentFileName = FileNameOfPath(path);
        doc.DocumentFolder = FolderOfPath(path);
        doc.ClientFolder = doc.DocumentFolder;
    }
    doc.WindowCaption = QStringLiteral("Calendar File=") + doc.CurrentFileName;
    doc.ChangesPending = true;
    return true;
}

RecoveryKeeper::RecoveryKeeper(QString root, Clock clock)
    : Root(std::move(root)), Now(std::move(clock))
{
}

RecoveryKeeper::Outcome RecoveryKeeper::Check(const CalendarDocument& doc)
{
    if (Root.isEmpty())
        return Outcome::Nothing;
    if (!doc.HasCalendar() || !doc.ChangesPending)
        return Written || !Folder.isEmpty() ? Remove() : Outcome::Nothing;
    const QByteArray bytes = CalendarFileBytes(doc);
    if (Written && *Written == bytes)
        return Outcome::Nothing;
    return Write(doc);
}

RecoveryKeeper::Outcome RecoveryKeeper::Write(const CalendarDocument& doc)
{
    const QDateTime now = Now().toUTC();
    if (Folder.isEmpty()) {
        // A folder of its own per copy, named for when it began and by whom.
        const QString name = now.toString(CopyFolderPattern) + QLatin1Char('-') +
                             QString::number(QCoreApplication::applicationPid());
        QString candidate = WithSeparator(Root) + name;
        for (int n = 2; QFileInfo::exists(candidate); ++n)
            candidate = WithSeparator(Root) + name + QLatin1Char('-') + QString::number(n);
        Folder = WithSeparator(candidate);
    }
    RecoveryCopy copy;
    copy.Folder = Folder;
    copy.OriginalPath = OriginalPath;
    copy.ClientName = doc.ClientName;
    // Named after the calendar's file: the client's, or the one Save would make.
    const QString fileName = !OriginalPath.isEmpty() ? FileNameOfPath(OriginalPath)
                             : !doc.ClientName.isEmpty()
                                 ? FileNamePart(doc.ClientName) + QStringLiteral(".cdb")
                                 : QStringLiteral("Calendar.cdb");
    copy.CopyPath = Folder + fileName;
    copy.LastChange = now;
    copy.Reason = RecoveryReason::Crash;
    copy.OriginalHash = OriginalHash;
    const QByteArray bytes = CalendarFileBytes(doc);
    const bool ok =
        QDir().mkpath(Folder) &&
        WriteWholeFile(copy.CopyPath, bytes, MaxCalendarFileSize) == FileWriteError::None &&
        WriteWholeFile(Folder + RecoverySidecarName, SidecarBytes(copy)) == FileWriteError::None;
    if (!ok) {
        Failed = true;
        return Outcome::Failed;
    }
    // A client renamed since the last copy leaves no older copy beside the new one.
    for (const QString& other : QDir(Folder).entryList(QDir::Files))
        if (other != FileNameOfPath(copy.CopyPath) && other != RecoverySidecarName)
            QFile::remove(Folder + other);
    Written = bytes;
    return Outcome::Written;
}

RecoveryKeeper::Outcome RecoveryKeeper::Remove()
{
    if (!Folder.isEmpty())
        QDir(Folder).removeRecursively();
    Folder.clear();
    Written.reset();
    return Outcome::Removed;
}

void RecoveryKeeper::Bind(const QString& originalPath)
{
    Folder.clear();
    Written.reset();
    OriginalPath = originalPath;
    OriginalHash = FileHash(originalPath);
}

void RecoveryKeeper::Adopt(const RecoveryCopy& copy, const QString& boundPath)
{
    Folder = copy.Folder;
    Written.reset(); // rewritten at the next look, bound to its file again
    OriginalPath = boundPath;
    OriginalHash = boundPath == copy.OriginalPath ? copy.OriginalHash : FileHash(boundPath);
}

void RecoveryKeeper::Closed()
{
    if (Folder.isEmpty() || !Written) {
        Bind(QString());
        return;
    }
    const std::optional<QByteArray> onDisk =
        OriginalPath.isEmpty() ? std::nullopt : ReadRegularFile(OriginalPath, MaxCalendarFileSize);
    if (onDisk && *onDisk == *Written) {
        Remove();
    }
    else if (std::optional<RecoveryCopy> copy = ReadSidecar(Folder)) {
        copy->Reason = RecoveryReason::Declined;
        if (WriteWholeFile(Folder + RecoverySidecarName, SidecarBytes(*copy)) !=
            FileWriteError::None)
            Failed = true;
    }
    Bind(QString());
}

bool RecoveryKeeper::TakeFailureNotice()
{
    if (!Failed || FailureSaid)
        return false;
    FailureSaid = true;
    return true;
}

} // namespace custodex
