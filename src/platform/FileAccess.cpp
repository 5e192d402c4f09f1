#include "platform/FileAccess.h"

#include "platform/FileLock.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

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

FileWriteError CheckWriteTarget(const QString& path)
{
    if (!IsRegularFileOrAbsent(path))
        return FileWriteError::NotRegularFile;
    if (IsFileLocked(path))
        return FileWriteError::Locked;
    return FileWriteError::None;
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

FileWriteError WriteFileWith(const QString& path, const std::function<bool(QIODevice&)>& write)
{
    const FileWriteError check = CheckWriteTarget(path);
    if (check != FileWriteError::None)
        return check;
    // QSaveFile writes beside the target (links resolved) and renames it over the old file
    // only on commit, keeping the old file's permissions.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileWriteError::Failed;
    KeepOwner(path, file);
    if (!write(file)) {
        file.cancelWriting();
        file.commit();
        return FileWriteError::Failed;
    }
    return file.commit() ? FileWriteError::None : FileWriteError::Failed;
}

FileWriteError WriteWholeFile(const QString& path, const QByteArray& bytes, qint64 maxSize)
{
    if (bytes.size() > maxSize)
        return FileWriteError::TooLarge;
    return WriteFileWith(
        path, [&bytes](QIODevice& device) { return device.write(bytes) == bytes.size(); });
}

QString FileNamePart(const QString& name)
{
    QString part = name;
    part.replace(QLatin1Char('/'), QLatin1Char('_'));
    part.replace(QLatin1Char('\\'), QLatin1Char('_'));
    return part;
}

} // namespace custodex
