#pragma once

#include "platform/FileAccess.h"

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

namespace custodex::testing {

// Within its scope the program's writes take `room` more bytes in all and then fail as on a
// full disk ("No space left on device"): an output of several files runs out half-way.
class FullDiskAfter {
public:
    explicit FullDiskAfter(qint64 room) { LimitWriteRoomForTesting(room); }
    ~FullDiskAfter() { LimitWriteRoomForTesting(-1); }
    FullDiskAfter(const FullDiskAfter&) = delete;
    FullDiskAfter& operator=(const FullDiskAfter&) = delete;
};

// Every file under `folder` (hidden ones too) with its bytes, to compare before and after.
inline std::map<QString, QByteArray> FolderContent(const QString& folder)
{
    std::map<QString, QByteArray> content;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        content[QDir(folder).relativeFilePath(path)] =
            file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    return content;
}

// Rooms at which an output of files of these sizes, written in this order, fails: before the
// first byte, inside the first file, and inside each later file.
inline std::vector<qint64> RoomsFailingHalfWay(const std::vector<qint64>& sizes)
{
    std::vector<qint64> rooms{0, sizes.empty() ? 0 : sizes.front() / 2};
    qint64 before = 0;
    for (std::size_t i = 0; i + 1 < sizes.size(); ++i) {
        before += sizes[i];
        rooms.push_back(before + sizes[i + 1] / 2);
    }
    return rooms;
}

// An output of several files into `folder` (empty at first), where `write` makes it, replacing
// files of the same names, and returns the error it showed (empty when done). Run once to
// learn its files; then, over old files of those names, on a disk that fills up before the
// first byte, within the first file and within each later one (files written in the order of
// their names): every run must say the disk is full and leave every old file as it was, with
// nothing beside them. `write` is told the path of the file that runs out of room (empty on
// the first run), for windows that name it in their message.
inline void ExpectWrittenAllOrNothing(const QString& folder,
                                      const std::function<QString(const QString&)>& write)
{
    ASSERT_EQ(write(QString()), QString());
    const auto made = FolderContent(folder);
    ASSERT_GT(made.size(), 1u);
    std::vector<qint64> sizes;
    std::vector<QString> paths;
    for (const auto& [name, bytes] : made) {
        sizes.push_back(bytes.size());
        paths.push_back(QDir(folder).filePath(name));
        QFile old(paths.back());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old " + name.toUtf8());
    }
    const auto before = FolderContent(folder);
    for (const qint64 room : RoomsFailingHalfWay(sizes)) {
        SCOPED_TRACE(::testing::Message() << "room for " << room << " bytes");
        std::size_t failing = 0;
        for (qint64 taken = sizes[0]; taken <= room; taken += sizes[++failing]) {
        }
        QString error;
        {
            const FullDiskAfter disk(room);
            error = write(paths[failing]);
        }
        EXPECT_TRUE(error.contains(QStringLiteral("No space left on device")))
            << error.toStdString();
        EXPECT_EQ(FolderContent(folder), before);
    }
}

inline void ExpectWrittenAllOrNothing(const QString& folder, const std::function<QString()>& write)
{
    ExpectWrittenAllOrNothing(folder, [&write](const QString&) { return write(); });
}

} // namespace custodex::testing
