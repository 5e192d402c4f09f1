#include "platform/FileAccess.h"

#include "platform/FileLock.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace custodex {

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize)
{
    // Opened without waiting and checked on the open descriptor, so a FIFO put in place of
    // the file at any moment can never block the program.
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    struct stat status {};
    QFile file;
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > maxSize ||
        !file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
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
    if (file.error() != QFileDevice::NoError || bytes.size() > maxSize)
        return std::nullopt;
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

struct WriteFailure {
    QString Path;
    QString Cause;
};
thread_local WriteFailure LastFailure;

FileWriteError Failed(const QString& path, QString* cause, const QString& text)
{
    LastFailure = {path, text};
    if (cause)
        *cause = text;
    return FileWriteError::Failed;
}

} // namespace

QString LastWriteFailureCause(const QString& path)
{
    return LastFailure.Path == path ? LastFailure.Cause : QString();
}

FileWriteError CheckWriteTarget(const QString& path)
{
    LastFailure = {};
    if (!IsRegularFileOrAbsent(path))
        return FileWriteError::NotRegularFile;
    if (IsFileLocked(path))
        return FileWriteError::Locked;
    // Checked here so that an output of several files finds them before it writes the first.
    const QFileInfo info(path);
    if (QFile::encodeName(info.fileName()).size() > NAME_MAX)
        return Failed(path, nullptr, QStringLiteral("The file name is too long."));
    if (!QFileInfo(info.absolutePath()).isDir())
        return Failed(path, nullptr, QStringLiteral("Its folder does not exist."));
    return FileWriteError::None;
}

FileWriteError WriteWholeFile(const QString& path, const QByteArray& bytes, qint64 maxSize,
                              QString* cause)
{
    LastFailure = {};
    if (bytes.size() > maxSize)
        return FileWriteError::TooLarge;
    const FileWriteError check = CheckWriteTarget(path);
    if (check != FileWriteError::None)
        return check;
    // QSaveFile writes beside the target (links resolved) and renames it over the old file
    // only on commit, keeping the old file's permissions. Unbuffered, because a buffered
    // QSaveFile loses the error of its last flush on a full disk and commits a cut file;
    // the sync makes the file system report space it could not find before the old file goes.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failed(path, cause, file.errorString());
    KeepOwner(path, file);
    const bool written = WriteCompletely(file, bytes) && file.error() == QFileDevice::NoError;
    const int syncError = written && ::fsync(file.handle()) != 0 ? errno : 0;
    if (!written || syncError != 0) {
        const QString reason =
            syncError != 0 ? QString::fromLocal8Bit(std::strerror(syncError)) : file.errorString();
        file.cancelWriting();
        file.commit(); // removes the unfinished copy
        return Failed(path, cause, reason);
    }
    if (!file.commit())
        return Failed(path, cause, file.errorString());
    return FileWriteError::None;
}

FileWriteError WriteFileWith(const QString& path, const std::function<bool(QIODevice&)>& write,
                             QString* cause)
{
    const FileWriteError check = CheckWriteTarget(path);
    if (check != FileWriteError::None)
        return check;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!write(buffer))
        return Failed(path, cause, QString());
    buffer.close();
    return WriteWholeFile(path, bytes, std::numeric_limits<qint64>::max(), cause);
}

QString FileNamePart(const QString& name)
{
    QString part = name;
    part.replace(QLatin1Char('/'), QLatin1Char('_'));
    part.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return part;
}

} // namespace custodex
