#include "platform/FileLock.h"

#include <QFile>

namespace custodex {

bool IsFileLocked(const QString& path)
{
    return QFile::exists(path) && !(QFile::permissions(path) & QFileDevice::WriteOwner);
}

bool SetFileLocked(const QString& path, bool locked)
{
    QFileDevice::Permissions permissions = QFile::permissions(path);
    if (locked)
        permissions &= ~QFileDevice::Permissions(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                 QFileDevice::WriteGroup | QFileDevice::WriteOther);
    else
        permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    return QFile::setPermissions(path, permissions);
}

} // namespace custodex
