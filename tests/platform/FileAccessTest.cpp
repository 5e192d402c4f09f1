#include "platform/FileAccess.h"

#include "calendar/CalendarFile.h"
#include "calendar/ProgramSettings.h"
#include "output/ExportFile.h"
#include "output/ImageFiles.h"
#include "patterns/RepeatPatterns.h"
#include "support/FullDisk.h"
#include "support/ScriptedServices.h"
#include "support/SpecialFiles.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>

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

// The cause goes with the result, so writes made before the message is shown (a log, the
// next file) cannot take it away or lend it another's.
TEST(FileAccess, AWriteErrorKeepsItsCauseThroughLaterWrites)
{
    Folder folder;
    const QString missing = folder.Path("no-such-folder/x.txt");
    const QString tooLong = folder.Path(QByteArray(300, 'n').constData());
    const FileWriteError failed = WriteWholeFile(missing, "x");
    const FileWriteError refused = CheckWriteTarget(tooLong);
    ASSERT_EQ(WriteWholeFile(folder.Path("log.txt"), "y"), FileWriteError::None);
    FileSetWriter files;
    EXPECT_EQ(files.Add(missing, "x"), FileWriteError::Failed);
    ASSERT_EQ(WriteWholeFile(folder.Path("log.txt"), "z"), FileWriteError::None);

    const QString written = QStringLiteral("Error!  Could not create file named\n\r");
    EXPECT_EQ(WriteRefusalMessage(failed, missing),
              written + missing + QStringLiteral("\n\rIts folder does not exist."));
    EXPECT_EQ(WriteRefusalMessage(refused, tooLong),
              written + tooLong + QStringLiteral("\n\rThe file name is too long."));
    EXPECT_EQ(WriteRefusalMessage(files.Error(), files.FailedPath()),
              written + missing + QStringLiteral("\n\rIts folder does not exist."));
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

namespace {

// Runs `write` as on a disk that takes only `bytes` more bytes in any file: writes past them
// fail as on a full disk (with "File too large" instead of "No space left on device").
template <typename Write> auto WithFullDisk(rlim_t bytes, Write write)
{
    rlimit saved{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const auto result = write();
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}

// A device that takes `Room` bytes and then fails, as a disk filling up.
class FillingDevice : public QIODevice {
public:
    explicit FillingDevice(qint64 room) : Room(room) { open(QIODevice::WriteOnly); }
    QByteArray Taken;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 step = std::min(length, Room - Taken.size());
        if (step <= 0)
            return -1;
        Taken.append(data, step);
        return step;
    }

private:
    qint64 Room;
};

} // namespace

TEST(FileAccess, WritingStopsAtTheFirstByteADeviceRefuses)
{
    FillingDevice device(5);
    EXPECT_FALSE(WriteCompletely(device, "0123456789"));
    EXPECT_EQ(device.Taken, QByteArray("01234"));
    FillingDevice roomy(100);
    EXPECT_TRUE(WriteCompletely(roomy, "0123456789"));
}

// A small file fits in the writer's buffer, so on a full disk only the last flush fails; that
// failure used to be lost and a cut (often empty) file replaced the old one, reported as done.
TEST(FileAccess, EveryWriterKeepsTheOldFileOnAFullDisk)
{
    Folder folder;
    CalendarDocument doc;
    doc.ClientName = QStringLiteral("Smith");
    BuildSpan(doc, 0, 2023);
    RecountCounters(doc);
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ScriptedPrompter prompts;
    // A writer that reports failure gives the system's words as its cause, on the result or
    // as the last line of its message; the export's message is checked by the prompts, and
    // the settings file tells no one.
    const QString cause = QStringLiteral("File too large");
    const auto fromResult = [](const FileWriteError& error) -> std::optional<QString> {
        if (error == FileWriteError::None)
            return std::nullopt;
        return error.Cause();
    };
    const struct {
        const char* Name;
        // Nothing when it reported success, else the cause it gave.
        std::function<std::optional<QString>(const QString&)> Write;
        QString Cause;
    } writers[] = {
        {"calendar.cdb",
         [&](const QString& p) -> std::optional<QString> {
             const FileResult result = WriteCalendarFile(doc, p, false);
             if (result.Ok)
                 return std::nullopt;
             return result.Message.section(QStringLiteral("\n\r"), -1);
         },
         cause},
        {"export.csv",
         [&](const QString& p) -> std::optional<QString> {
             prompts.Expect(QStringLiteral("File ") + p +
                                QStringLiteral(" already exists!\n\rWrite over it?"),
                            PromptAnswer::Ok);
             prompts.Expect(QStringLiteral("Error!  Could not create file named\n\r") + p +
                            QStringLiteral("\n\rFile too large"));
             if (SaveExportFile(
                     doc, p, [] { return QByteArray(200, 'x'); }, prompts))
                 return std::nullopt;
             return QString();
         },
         QString()},
        {"Calendar.ini",
         [&](const QString& p) -> std::optional<QString> {
             if (WriteProgramSettingsFile(ProgramSettings{}, p))
                 return std::nullopt;
             return QString();
         },
         QString()},
        {"CustomPats.txt",
         [&](const QString& p) {
             return fromResult(
                 WriteRepeatPatterns(p, {QStringLiteral("Alternate weeks | OOOOOOONNNNNNN")}));
         },
         cause},
        {"page.bmp",
         [&](const QString& p) {
             return fromResult(SaveBitmapFile(p, picture, BitmapDepth::Rgb24));
         },
         cause},
        {"page.jpg",
         [&](const QString& p) {
             return fromResult(SaveJpegFile(p, picture, JpegQuality::Quality95Slow));
         },
         cause},
        {"preview.png",
         [&](const QString& p) {
             return fromResult(
                 WriteFileWith(p, [&](QIODevice& d) { return picture.save(&d, "PNG"); }));
         },
         cause},
    };
    for (const auto& writer : writers) {
        const QString path = folder.Path(writer.Name);
        ASSERT_EQ(WriteWholeFile(path, "old"), FileWriteError::None);
        const std::optional<QString> failure = WithFullDisk(20, [&] { return writer.Write(path); });
        ASSERT_TRUE(failure.has_value()) << writer.Name;
        EXPECT_EQ(*failure, writer.Cause) << writer.Name;
        EXPECT_EQ(FileBytes(path), QByteArray("old")) << writer.Name;
    }
    // Nothing unfinished is left beside the old files.
    EXPECT_EQ(QDir(folder.Dir.path()).entryList(QDir::Files).size(), std::size(writers));
}

// An output of several files is written all or nothing: on a disk that fills up in any file of
// the set, before or after old files of the same names, every old file stays as it was and
// nothing unfinished is left; a set left without Commit changes nothing either.
TEST(FileSetWriter, AFullDiskAnywhereLeavesEveryOldFile)
{
    const QByteArray pages[] = {QByteArray(3000, '1'), QByteArray(5000, '2'),
                                QByteArray(4000, '3')};
    for (bool oldFiles : {false, true}) {
        for (qint64 room : RoomsFailingHalfWay({3000, 5000, 4000})) {
            SCOPED_TRACE(::testing::Message() << "old files " << oldFiles << ", room " << room);
            Folder folder;
            const QStringList paths{folder.Path("p1.bmp"), folder.Path("p2.bmp"),
                                    folder.Path("p3.bmp")};
            for (const QString& path : paths)
                ASSERT_TRUE(!oldFiles ||
                            WriteWholeFile(path, "old " + path.toUtf8()) == FileWriteError::None);
            const auto before = FolderContent(folder.Dir.path());
            FileSetWriter files;
            {
                const FullDiskAfter disk(room);
                for (int i = 0; i < 3; ++i)
                    files.Add(paths[i], pages[i]);
            }
            EXPECT_EQ(files.Commit(), FileWriteError::Failed);
            EXPECT_EQ(files.Error().Cause(), QStringLiteral("No space left on device"));
            EXPECT_EQ(FolderContent(folder.Dir.path()), before);
        }
    }
    Folder folder;
    {
        FileSetWriter uncommitted;
        EXPECT_EQ(uncommitted.Add(folder.Path("a.bmp"), "new"), FileWriteError::None);
    }
    EXPECT_TRUE(FolderContent(folder.Dir.path()).empty());
}

TEST(FileSetWriter, PutsEveryFileInPlaceWithItsPermissions)
{
    Folder folder;
    const QString old = folder.Path("old.jpg");
    ASSERT_EQ(WriteWholeFile(old, "old"), FileWriteError::None);
    const auto kept = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(old, kept));
    const auto oldPermissions = QFile::permissions(old);
    const QString fresh = folder.Path("new.jpg");
    ASSERT_EQ(WriteWholeFile(folder.Path("plain"), "x"), FileWriteError::None);

    FileSetWriter files;
    EXPECT_EQ(files.Add(old, "first"), FileWriteError::None);
    EXPECT_EQ(files.AddWith(fresh, [](QIODevice& device) { return device.write("second") == 6; }),
              FileWriteError::None);
    // Not in place before the set is complete.
    EXPECT_EQ(FileBytes(old), QByteArray("old"));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_EQ(files.Commit(), FileWriteError::None);
    EXPECT_EQ(files.Paths(), (QStringList{old, fresh}));
    EXPECT_EQ(FileBytes(old), QByteArray("first"));
    EXPECT_EQ(FileBytes(fresh), QByteArray("second"));
    EXPECT_EQ(QFile::permissions(old), oldPermissions);
    EXPECT_EQ(QFile::permissions(fresh), QFile::permissions(folder.Path("plain")));
    EXPECT_EQ(QDir(folder.Dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

// A target refused before or after the others were written: nothing of the set is written.
TEST(FileSetWriter, ARefusedTargetWritesNothing)
{
    Folder folder;
    const QString locked = folder.Path("locked.bmp");
    ASSERT_TRUE(MakeLockedFile(locked, "kept"));
    const QString first = folder.Path("first.bmp");
    ASSERT_EQ(WriteWholeFile(first, "old"), FileWriteError::None);
    const auto before = FolderContent(folder.Dir.path());

    FileSetWriter checked;
    EXPECT_EQ(checked.CheckTargets({first, locked}), FileWriteError::Locked);
    EXPECT_EQ(checked.FailedPath(), locked);
    EXPECT_EQ(checked.Add(first, "new"), FileWriteError::Locked);
    EXPECT_EQ(checked.Commit(), FileWriteError::Locked);

    // A folder put in place of a written page before the set is committed.
    FileSetWriter changed;
    const QString second = folder.Path("second.bmp");
    EXPECT_EQ(changed.Add(first, "new"), FileWriteError::None);
    EXPECT_EQ(changed.Add(second, "new"), FileWriteError::None);
    ASSERT_TRUE(QDir().mkdir(second));
    EXPECT_EQ(changed.Commit(), FileWriteError::NotRegularFile);
    EXPECT_EQ(changed.FailedPath(), second);
    ASSERT_TRUE(QDir().rmdir(second));
    EXPECT_EQ(FolderContent(folder.Dir.path()), before);
}
