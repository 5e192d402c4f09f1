#include "platform/FileAccess.h"

#include "platform/FileLock.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace custodex {

namespace {

struct ReadFailure {
    QString Path;
    QString Cause;
};
thread_local ReadFailure LastReadFailure;

std::nullopt_t ReadFailed(const QString& path, const QString& cause)
{
    LastReadFailure = {path, cause};
    return std::nullopt;
}

QString SystemReadCause(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("The file does not exist.");
    case EACCES:
    case EPERM:
        return QStringLiteral("You have no permission to read it.");
    case EISDIR:
        return QStringLiteral("It is a folder, not a file.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString TooLargeCause(qint64 maxSize)
{
    const qint64 mebibyte = 1024 * 1024;
    return maxSize % mebibyte == 0
               ? QStringLiteral("It is too large: the program reads files of at most %1 MB.")
                     .arg(maxSize / mebibyte)
               : QStringLiteral("It is too large: the program reads files of at most %1 bytes.")
                     .arg(maxSize);
}

} // namespace

QString LastReadFailureCause(const QString& path)
{
    return LastReadFailure.Path == path ? LastReadFailure.Cause : QString();
}

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize)
{
    LastReadFailure = {};
    // Opened without waiting and checked on the open descriptor, so a FIFO put in place of
    // the file at any moment can never block the program.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return ReadFailed(path, SystemReadCause(errno));
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        const int error = errno;
        ::close(descriptor);
        return ReadFailed(path, SystemReadCause(error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return ReadFailed(path, S_ISDIR(status.st_mode)
                                    ? QStringLiteral("It is a folder, not a file.")
                                    : QStringLiteral("It is not a regular file."));
    }
    if (status.st_size > maxSize) {
        ::close(descriptor);
        return ReadFailed(path, TooLargeCause(maxSize));
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return ReadFailed(path, file.errorString());
    }
    // Sized from the open file rather than the limit, so a small file does not cost a buffer
    // of the limit's size. The file may have grown since the check: it is read on, up to one
    // byte past the limit, so a file grown past it is still refused.
    QByteArray bytes = file.read(std::min<qint64>(status.st_size, maxSize) + 1);
    while (file.error() == QFileDevice::NoError && bytes.size() <= maxSize) {
        const QByteArray more = file.read(maxSize + 1 - bytes.size());
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (file.error() != QFileDevice::NoError)
        return ReadFailed(path, file.errorString());
    if (bytes.size() > maxSize)
        return ReadFailed(path, TooLargeCause(maxSize));
    return bytes;
}

bool IsRegularFileOrAbsent(const QString& path)
{
    const QFileInfo info(path);
    // A dangling link "exists" as a link but not as a file; replacing it would write
    // somewhere the user did not choose.
    if (info.isSymLink() && !info.exists())
        return false;
    return !info.exists() || info.isFile();
}

namespace {

// Root saving a user's file would otherwise hand it to root, and its owner could no longer
// read it; the replacement keeps the old file's owner and group.
void KeepOwner(const QString& path, QSaveFile& replacement)
{
    struct stat status {};
    if (::geteuid() != 0 || ::stat(QFile::encodeName(path).constData(), &status) != 0)
        return;
    const int descriptor = replacement.handle();
    if (descriptor >= 0 && ::fchown(descriptor, status.st_uid, status.st_gid) != 0)
        return; // the permissions are kept all the same
}

} // namespace

bool WriteCompletely(QIODevice& device, const QByteArray& bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 step = device.write(bytes.constData() + written, bytes.size() - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}

QString NotRegularFileCause(const QString& path)
{
    return QFileInfo(path).isDir() ? QStringLiteral("It is a folder, not a file.")
                                   : QStringLiteral("It is not a regular file.");
}

namespace {

FileWriteError Failed(const QString& cause)
{
    return {FileWriteError::Failed, cause};
}

} // namespace

FileWriteError CheckWriteTarget(const QString& path)
{
    if (!IsRegularFileOrAbsent(path))
        return FileWriteError::NotRegularFile;
    if (IsFileLocked(path))
        return FileWriteError::Locked;
    // Checked here so that an output of several files finds them before it writes the first.
    const QFileInfo info(path);
    if (QFile::encodeName(info.fileName()).size() > NAME_MAX)
        return Failed(QStringLiteral("The file name is too long."));
    if (!QFileInfo(info.absolutePath()).isDir())
        return Failed(QStringLiteral("Its folder does not exist."));
    return FileWriteError::None;
}

namespace {

// Bytes the writes of this thread may still take; negative for no limit (see
// LimitWriteRoomForTesting).
thread_local qint64 WriteRoom = -1;

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes all of `bytes` to a file being made and syncs it, so the file system reports space
// it could not find before any old file goes; false with what the system said.
bool WriteFileBytes(QFileDevice& file, const QByteArray& bytes, QString& reason)
{
    const bool roomShort = WriteRoom >= 0 && bytes.size() > WriteRoom;
    const qsizetype taken = roomShort ? static_cast<qsizetype>(WriteRoom) : bytes.size();
    const bool written = WriteCompletely(file, QByteArray::fromRawData(bytes.constData(), taken)) &&
                         file.error() == QFileDevice::NoError;
    if (WriteRoom >= 0)
        WriteRoom -= taken;
    if (!written) {
        reason = file.errorString();
        return false;
    }
    if (roomShort) {
        reason = SystemText(ENOSPC);
        return false;
    }
    if (::fsync(file.handle()) != 0) {
        reason = SystemText(errno);
        return false;
    }
    return true;
}

} // namespace

void LimitWriteRoomForTesting(qint64 bytes)
{
    WriteRoom = bytes;
}

FileWriteError WriteWholeFile(const QString& path, const QByteArray& bytes, qint64 maxSize)
{
    if (bytes.size() > maxSize)
        return FileWriteError::TooLarge;
    const FileWriteError check = CheckWriteTarget(path);
    if (check != FileWriteError::None)
        return check;
    // QSaveFile writes beside the target (links resolved) and renames it over the old file
    // only on commit, keeping the old file's permissions. Unbuffered, because a buffered
    // QSaveFile loses the error of its last flush on a full disk and commits a cut file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failed(file.errorString());
    KeepOwner(path, file);
    if (QString reason; !WriteFileBytes(file, bytes, reason)) {
        file.cancelWriting();
        file.commit(); // removes the unfinished copy
        return Failed(reason);
    }
    if (!file.commit())
        return Failed(file.errorString());
    return FileWriteError::None;
}

FileWriteError WriteFileWith(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    const FileWriteError check = CheckWriteTarget(path);
    if (check != FileWriteError::None)
        return check;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return FileWriteError::Failed;
    buffer.close();
    return WriteWholeFile(path, bytes, std::numeric_limits<qint64>::max());
}

FileSetWriter::~FileSetWriter()
{
    if (!m_committed)
        RemoveTemporaries();
}

QStringList FileSetWriter::Paths() const
{
    QStringList paths;
    for (const Entry& entry : m_entries)
        paths << entry.Target;
    return paths;
}

FileWriteError FileSetWriter::Fail(const QString& path, const FileWriteError& error)
{
    RemoveTemporaries();
    m_error = error;
    m_failedPath = path;
    return error;
}

void FileSetWriter::RemoveTemporaries()
{
    for (Entry& entry : m_entries)
        if (!entry.Temporary.isEmpty()) {
            ::unlink(entry.Temporary.constData());
            entry.Temporary.clear();
        }
}

FileWriteError FileSetWriter::CheckTargets(const QStringList& paths)
{
    if (m_error != FileWriteError::None)
        return m_error;
    for (const QString& path : paths)
        if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None)
            return Fail(path, check);
    return FileWriteError::None;
}

FileWriteError FileSetWriter::Add(const QString& path, const QByteArray& bytes, qint64 maxSize)
{
    if (m_error != FileWriteError::None || m_committed)
        return m_error;
    if (bytes.size() > maxSize)
        return Fail(path, FileWriteError::TooLarge);
    if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None)
        return Fail(path, check);

    // Made beside the file it replaces (links followed, as QSaveFile does), so the rename
    // stays on one file system. The name is cut so that the suffix always fits.
    const QFileInfo info(path);
    const QString resolved = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QFileInfo target(resolved);
    QByteArray name = QFile::encodeName(target.fileName());
    if (name.size() > NAME_MAX - 12)
        name = "output";
    QByteArray pattern = QFile::encodeName(target.absolutePath()) + '/' + name + ".XXXXXX";
    const int descriptor = ::mkstemp(pattern.data());
    if (descriptor < 0)
        return Fail(path, Failed(SystemText(errno)));
    m_entries.push_back({path, resolved, pattern});

    // The old file's permissions and owner, or a new file's usual ones.
    struct stat status {};
    if (::stat(QFile::encodeName(resolved).constData(), &status) == 0) {
        if (::fchmod(descriptor, status.st_mode & 07777) != 0 ||
            (::geteuid() == 0 && ::fchown(descriptor, status.st_uid, status.st_gid) != 0)) {
            const QString reason = SystemText(errno);
            ::close(descriptor);
            return Fail(path, Failed(reason));
        }
    }
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(descriptor, 0666 & ~mask) != 0) {
            const QString reason = SystemText(errno);
            ::close(descriptor);
            return Fail(path, Failed(reason));
        }
    }
    QFile file;
    if (!file.open(descriptor, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return Fail(path, Failed(file.errorString()));
    }
    QString reason;
    const bool written = WriteFileBytes(file, bytes, reason);
    file.close();
    if (!written)
        return Fail(path, Failed(reason));
    return FileWriteError::None;
}

FileWriteError FileSetWriter::AddWith(const QString& path,
                                      const std::function<bool(QIODevice&)>& write)
{
    if (m_error != FileWriteError::None || m_committed)
        return m_error;
    if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None)
        return Fail(path, check);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return Fail(path, FileWriteError::Failed);
    buffer.close();
    return Add(path, bytes, std::numeric_limits<qint64>::max());
}

FileWriteError FileSetWriter::Commit()
{
    if (m_error != FileWriteError::None || m_committed)
        return m_error;
    // Every target may have changed since it was checked: checked again before any moves.
    for (const Entry& entry : m_entries)
        if (const FileWriteError check = CheckWriteTarget(entry.Target);
            check != FileWriteError::None)
            return Fail(entry.Target, check);

    // The old files are kept under a second name first, so that a rename failing half-way
    // can put back those already replaced. A file system without hard links keeps none.
    std::vector<QByteArray> kept(m_entries.size());
    std::vector<bool> existed(m_entries.size());
    const auto dropKept = [&kept] {
        for (QByteArray& name : kept)
            if (!name.isEmpty())
                ::unlink(name.constData());
    };
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const QByteArray resolved = QFile::encodeName(m_entries[i].Resolved);
        existed[i] = ::access(resolved.constData(), F_OK) == 0;
        if (!existed[i])
            continue;
        const QByteArray name = m_entries[i].Temporary + ".old";
        if (::link(resolved.constData(), name.constData()) == 0)
            kept[i] = name;
        else if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) {
            const QString reason = SystemText(errno);
            dropKept();
            return Fail(m_entries[i].Target, Failed(reason));
        }
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const QByteArray resolved = QFile::encodeName(m_entries[i].Resolved);
        if (::rename(m_entries[i].Temporary.constData(), resolved.constData()) == 0) {
            m_entries[i].Temporary.clear();
            continue;
        }
        const QString reason = SystemText(errno);
        for (std::size_t j = 0; j < i; ++j) {
            const QByteArray placed = QFile::encodeName(m_entries[j].Resolved);
            if (!kept[j].isEmpty() && ::rename(kept[j].constData(), placed.constData()) == 0)
                kept[j].clear();
            else if (!existed[j])
                ::unlink(placed.constData());
        }
        dropKept();
        return Fail(m_entries[i].Target, Failed(reason));
    }
    dropKept();
    m_committed = true;
    return FileWriteError::None;
}

namespace {

int LastSeparator(const QString& path)
{
    return static_cast<int>(
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))));
}

} // namespace

QString ReadErrorMessage(const QString& path)
{
    // After a file that could not be read at all, the cause says what to change.
    const QString cause = LastReadFailureCause(path);
    return cause.isEmpty()
               ? QStringLiteral("Error reading ") + path
               : QStringLiteral("Error reading ") + path + QStringLiteral("\n\r") + cause;
}

QString WriteErrorMessage(const QString& path)
{
    return QStringLiteral("Error!  Could not create file named\n\r") + path;
}

QString LockedFileMessage(const QString& path)
{
    return QStringLiteral("Error!  Can't write to ") + path +
           QStringLiteral("\n\rbecause the file is locked!");
}

QString WriteRefusalMessage(const FileWriteError& error, const QString& path)
{
    if (error == FileWriteError::Locked)
        return LockedFileMessage(path);
    // The message alone leaves the user guessing; the cause says what to change.
    const QString cause = error == FileWriteError::NotRegularFile ? NotRegularFileCause(path)
                          : error == FileWriteError::Failed       ? error.Cause()
                                                                  : QString();
    return cause.isEmpty() ? WriteErrorMessage(path)
                           : WriteErrorMessage(path) + QStringLiteral("\n\r") + cause;
}

QString FolderOfPath(const QString& path)
{
    return path.left(LastSeparator(path) + 1);
}

QString FileNameOfPath(const QString& path)
{
    return path.mid(LastSeparator(path) + 1);
}

QString ClientNameFromPath(const QString& path)
{
    const QString name = FileNameOfPath(path);
    const auto dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? name : name.left(dot);
}

QString FileNamePart(const QString& name)
{
    QString part = name;
    part.replace(QLatin1Char('/'), QLatin1Char('_'));
    part.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return part;
}

} // namespace custodex
