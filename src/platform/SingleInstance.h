#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace custodex {

class Prompter;

// One running copy per user: a lock file in the runtime folder, which a crashed copy does not
// leave blocking (the lock of a process that is gone counts as stale).
class SingleInstance {
public:
    enum class Result { Acquired, AlreadyRunning, CannotCreate };

    explicit SingleInstance(const QString& lockPath);
    ~SingleInstance();
    Result TryAcquire();

    static QString DefaultLockPath();

private:
    std::unique_ptr<QLockFile> Lock;
};

// Takes the guard and asks or refuses as the program start does. False: end the program.
bool TakeSingleInstanceGuard(SingleInstance& guard, Prompter& prompter);

} // namespace custodex
