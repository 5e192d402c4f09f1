#pragma once

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace custodex::testing {

// Files that are not regular files, made in a test's temporary folder.
inline bool MakeFifo(const QString& path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// A character device like /dev/null; only root may make one, so callers skip without it.
inline bool MakeDeviceNode(const QString& path)
{
    return ::geteuid() == 0 &&
           ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

inline bool IsCharacterDevice(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}

inline bool IsFifo(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

// A file with exactly these bytes and its owner-write bit cleared.
inline bool MakeLockedFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
}

inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace custodex::testing
