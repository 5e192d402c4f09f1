#include "platform/FileAccess.h"

#include "support/SpecialFiles.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

struct Folder {
    QString Path(const char* name) const { return Dir.filePath(QLatin1String(name)); }
    QTemporaryDir Dir;
};

} // namespace

TEST(FileAccess, WritesAndReplacesRegularFilesKeepingTheirPermissions)
{
    Folder folder;
    const QString path = folder.Path("a.txt");
    ASSERT_EQ(WriteWholeFile(path, "one"), FileWriteError::None);
    const auto permissions =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    ASSERT_EQ(WriteWholeFile(path, "two"), FileWriteError::None);
    EXPECT_EQ(FileBytes(path), QByteArray("two"));
    EXPECT_EQ(QFile::permissions(path) & 0xF0FF, permissions & 0xF0FF);
    EXPECT_EQ(ReadRegularFile(path), std::optional<QByteArray>("two"));
}

// Whatever the target is, a refused write leaves it exactly as it was.
TEST(FileAccess, RefusesTargetsThatAreNotUnlockedRegularFiles)
{
    Folder folder;
    ASSERT_TRUE(MakeFifo(folder.Path("fifo")));
    ASSERT_TRUE(MakeLockedFile(folder.Path("locked.cdb"), "kept"));
    ASSERT_TRUE(QFile::link(folder.Path("locked.cdb"), folder.Path("link-to-locked")));
    ASSERT_TRUE(QFile::link(folder.Path("nowhere"), folder.Path("dangling")));
    ASSERT_TRUE(QDir().mkpath(folder.Path("folder.cdb")));
    const bool root = MakeDeviceNode(folder.Path("device"));
    if (root) {
        ASSERT_TRUE(QFile::link(folder.Path("device"), folder.Path("link-to-device")));
    }

    const struct {
        const char* Name;
        FileWriteError Expected;
        bool NeedsRoot;
    } cases[] = {
        {"fifo", FileWriteError::NotRegularFile, false},
        {"locked.cdb", FileWriteError::Locked, false},
        {"link-to-locked", FileWriteError::Locked, false},
        {"dangling", FileWriteError::NotRegularFile, false},
        {"folder.cdb", FileWriteError::NotRegularFile, false},
        {"device", FileWriteError::NotRegularFile, true},
        {"link-to-device", FileWriteError::NotRegularFile, true},
    };
    for (const auto& c : cases) {
        if (c.NeedsRoot && !root)
            continue;
        const QString path = folder.Path(c.Name);
        EXPECT_EQ(WriteWholeFile(path, "new"), c.Expected) << c.Name;
        EXPECT_EQ(WriteFileWith(path, [](QIODevice& d) { return d.write("new") == 3; }), c.Expected)
            << c.Name;
    }
    EXPECT_TRUE(IsFifo(folder.Path("fifo")));
    EXPECT_EQ(FileBytes(folder.Path("locked.cdb")), QByteArray("kept"));
    EXPECT_EQ(QFile::permissions(folder.Path("locked.cdb")) & 0xF0FF,
              (QFileDevice::ReadOwner | QFileDevice::ReadGroup) & 0xF0FF);
    EXPECT_FALSE(QFileInfo::exists(folder.Path("nowhere")));
    if (root) {
        EXPECT_TRUE(IsCharacterDevice(folder.Path("device")));
        EXPECT_TRUE(QFileInfo(folder.Path("link-to-device")).isSymLink());
    }
}

TEST(FileAccess, ReadsOnlyRegularFilesAndNeverBlocks)
{
    Folder folder;
    ASSERT_TRUE(MakeFifo(folder.Path("fifo")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(ReadRegularFile(folder.Path("fifo")));
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(ReadRegularFile(folder.Path("missing")));
    EXPECT_FALSE(ReadRegularFile(folder.Dir.path()));
}

TEST(FileAccess, OneSizeLimitForWritingAndReading)
{
    Folder folder;
    const QString path = folder.Path("limit.txt");
    const QByteArray atLimit(1000, 'x');
    ASSERT_EQ(WriteWholeFile(path, atLimit, 1000), FileWriteError::None);
    EXPECT_EQ(ReadRegularFile(path, 1000), std::optional<QByteArray>(atLimit));
    EXPECT_EQ(WriteWholeFile(path, atLimit + 'y', 1000), FileWriteError::TooLarge);
    EXPECT_EQ(FileBytes(path), atLimit);
    ASSERT_EQ(WriteWholeFile(path, atLimit + 'y', 2000), FileWriteError::None);
    EXPECT_FALSE(ReadRegularFile(path, 1000));
}

TEST(FileAccess, AFailedWriterLeavesTheOldFile)
{
    Folder folder;
    const QString path = folder.Path("kept.txt");
    ASSERT_EQ(WriteWholeFile(path, "old"), FileWriteError::None);
    EXPECT_EQ(WriteFileWith(path, [](QIODevice& d) { return d.write("half") < 0; }),
              FileWriteError::Failed);
    EXPECT_EQ(FileBytes(path), QByteArray("old"));
    EXPECT_EQ(WriteWholeFile(folder.Path("no-such-folder/x.txt"), "x"), FileWriteError::Failed);
}

// Root replacing a user's file leaves it that user's.
TEST(FileAccess, ReplacingAsRootKeepsTheOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root";
    Folder folder;
    const QString path = folder.Path("user.cdb");
    ASSERT_EQ(WriteWholeFile(path, "one"), FileWriteError::None);
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chown(name.constData(), 4321, 4322), 0);
    ASSERT_EQ(WriteWholeFile(path, "two"), FileWriteError::None);
    struct stat status {};
    ASSERT_EQ(::stat(name.constData(), &status), 0);
    EXPECT_EQ(status.st_uid, 4321u);
    EXPECT_EQ(status.st_gid, 4322u);
    EXPECT_EQ(FileBytes(path), QByteArray("two"));
}
