#include "platform/FileAccess.h"

#include "platform/FileLock.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace custodex {

std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || info.size() > maxSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The size is read again from the open file: it may have changed since the check.
    QByteArray bytes = file.read(maxSize + 1);
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

} // namespace custodex
