#pragma once

#include <QString>

// A calendar file is locked when its owner-write permission bit is clear. The bit is checked,
// not whether the file can be written: root can write anything.

namespace custodex {

bool IsFileLocked(const QString& path);
bool SetFileLocked(const QString& path, bool locked);

} // namespace custodex
