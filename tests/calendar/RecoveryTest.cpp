#include "calendar/Recovery.h"
#include "calendar/CalendarFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A client's calendar saved in its folder, a recovery root beside it and a clock the test sets.
class RecoveryTest : public ::testing::Test {
protected:
    RecoveryTest()
    {
        QDir(Temp.path()).mkpath(QStringLiteral("clients"));
        Root = Temp.filePath(QStringLiteral("state/Recovery/"));
        ClientFile = Temp.filePath(QStringLiteral("clients/Garcia.cdb"));
        Doc.UserYear = QStringLiteral("2025");
        BuildSpan(Doc, 0, 2025);
        Doc.ClientName = QStringLiteral("Garcia");
        RecountCounters(Doc);
        EXPECT_TRUE(WriteCalendarFile(Doc, ClientFile, true).Ok);
        Doc.ChangesPending = false;
        Keeper.Bind(ClientFile);
    }

    void Change(int index)
    {
        Doc.Days.at(static_cast<std::size_t>(index)).HasOvernight = true;
        Doc.Days.at(static_cast<std::size_t>(index)).OvernightReason = QStringLiteral("Weekend");
        Doc.ChangesPending = true;
    }

    std::vector<RecoveryCopy> Copies() const { return ListRecoveryCopies(Root); }

    QTemporaryDir Temp;
    QString Root;
    QString ClientFile;
    QDateTime Now = QDateTime(QDate(2026, 3, 1), QTime(9, 0), Qt::UTC);
    CalendarDocument Doc;
    RecoveryKeeper Keeper{Temp.filePath(QStringLiteral("state/Recovery/")), [this] { return Now; }};
};

TEST_F(RecoveryTest, AChangeIsCopiedOnceAsTheCalendarWriterWritesItAndNotOverTheClientFile)
{
    const QByteArray original = Bytes(ClientFile);
    EXPECT_EQ(Keeper.Check(Doc), RecoveryKeeper::Outcome::Nothing) << "nothing pending";
    Change(4);
    EXPECT_EQ(Keeper.Check(Doc), RecoveryKeeper::Outcome::Written);
    EXPECT_EQ(Keeper.Check(Doc), RecoveryKeeper::Outcome::Nothing) << "unchanged since";
    const std::vector<RecoveryCopy> copies = Copies();
    ASSERT_EQ(copies.size(), 1u);
    const RecoveryCopy& copy = copies[0];
    EXPECT_EQ(QFileInfo(copy.CopyPath).fileName(), QStringLiteral("Garcia.cdb"));
    EXPECT_EQ(copy.OriginalPath, ClientFile);
    EXPECT_EQ(copy.ClientName, QStringLiteral("Garcia"));
    EXPECT_EQ(copy.LastChange, Now);
    EXPECT_EQ(copy.Reason, RecoveryReason::Crash);
    EXPECT_EQ(Bytes(copy.CopyPath), CalendarFileBytes(Doc));
    EXPECT_EQ(DaysDiffering(copy), 1);
    EXPECT_EQ(Bytes(ClientFile), original);

    Change(5);
    Now = Now.addSecs(1);
    EXPECT_EQ(Keeper.Check(Doc), RecoveryKeeper::Outcome::Written);
    ASSERT_EQ(Copies().size(), 1u) << "one folder per calendar, rewritten";
    EXPECT_EQ(DaysDiffering(Copies()[0]), 2);
}

TEST_F(RecoveryTest, NothingPendingAnyMoreRemovesTheCopy)
{
    Change(4);
    Keeper.Check(Doc);
    Doc.ChangesPending = false; // saved, or every step undone
    EXPECT_EQ(Keeper.Check(Doc), RecoveryKeeper::Outcome::Removed);
    EXPECT_TRUE(Copies().empty());
}

TEST_F(RecoveryTest, ClosingWithNoKeepsTheCopyAsDeclinedAndClosingAfterASaveRemovesIt)
{
    Change(4);
    Keeper.Flush(Doc);
    Keeper.Closed(); // "Save Pending Changes?" answered No
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(Copies()[0].Reason, RecoveryReason::Declined);
    EXPECT_TRUE(CopiesToOfferAtStart(Copies()).empty()) << "offered from the File menu only";

    Keeper.Bind(ClientFile);
    Change(6);
    Keeper.Flush(Doc);
    ASSERT_TRUE(WriteCalendarFile(Doc, ClientFile, true).Ok); // answered Yes
    Keeper.Closed();
    ASSERT_EQ(Copies().size(), 1u) << "only the declined copy is left";
}

TEST_F(RecoveryTest, CopiesOlderThanFourteenDaysAreRemovedAtStartNewerOnesListedNewestFirst)
{
    Change(4);
    Keeper.Check(Doc);
    Keeper.Closed();
    Now = Now.addDays(3);
    Keeper.Bind(ClientFile);
    Change(7);
    Keeper.Check(Doc);
    ASSERT_EQ(Copies().size(), 2u);
    EXPECT_EQ(Copies()[0].LastChange, Now);

    EXPECT_EQ(RemoveExpiredCopies(Root, Now.addDays(RecoveryKeepDays)), 1);
    ASSERT_EQ(Copies().size(), 1u);
    EXPECT_EQ(Copies()[0].LastChange, Now);
}

TEST_F(RecoveryTest, AFileSavedElsewhereSinceRecoversUnderANameBesideIt)
{
    Change(4);
    Keeper.Check(Doc);
    const RecoveryCopy copy = Copies().at(0);
    EXPECT_FALSE(OriginalChangedSince(copy));
    CalendarDocument other = Doc;
    other.Days[9].HasDayVisit = true;
    ASSERT_TRUE(WriteCalendarFile(other, ClientFile, true).Ok); // another program saved it
    EXPECT_TRUE(OriginalChangedSince(copy));

    CalendarDocument recovered;
    ASSERT_TRUE(ReadRecoveredCalendar(copy, recovered, nullptr));
    EXPECT_EQ(recovered.CurrentFileName, QStringLiteral("Garcia recovered.cdb"));
    EXPECT_EQ(recovered.ClientName, QStringLiteral("Garcia recovered"));
    EXPECT_TRUE(recovered.ChangesPending);
    EXPECT_TRUE(recovered.Days[4].HasOvernight);
    EXPECT_EQ(RecoveredPath(ClientFile),
              Temp.filePath(QStringLiteral("clients/Garcia recovered.cdb")));
}

TEST_F(RecoveryTest, ARecoveredCopyIsBoundToTheClientFileAndChanged)
{
    Change(4);
    Keeper.Check(Doc);
    CalendarDocument recovered;
    recovered.ClientFolder = QStringLiteral("/elsewhere/");
    ASSERT_TRUE(ReadRecoveredCalendar(Copies().at(0), recovered, nullptr));
    EXPECT_EQ(recovered.DocumentFolder + recovered.CurrentFileName, ClientFile);
    EXPECT_TRUE(recovered.Days[4].HasOvernight);
    EXPECT_EQ(recovered.Days[4].OvernightReason, QStringLiteral("Weekend"));
    EXPECT_EQ(recovered.BothYearsCounters.Overnights, 1);
    EXPECT_TRUE(recovered.ChangesPending);
    EXPECT_EQ(recovered.WindowCaption, QStringLiteral("Calendar File=Garcia.cdb"));
}

TEST_F(RecoveryTest, AStateFolderThatCannotBeWrittenFailsQuietlyAndIsSaidOnce)
{
    // A file where the folder should be: no one, not even root, can make the folder.
    QFile blocker(Temp.filePath(QStringLiteral("blocked")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    RecoveryKeeper keeper(Temp.filePath(QStringLiteral("blocked/Recovery/")),
                          [this] { return Now; });
    keeper.Bind(ClientFile);
    Change(4);
    EXPECT_EQ(keeper.Check(Doc), RecoveryKeeper::Outcome::Failed);
    EXPECT_TRUE(keeper.TakeFailureNotice());
    Change(5);
    EXPECT_EQ(keeper.Check(Doc), RecoveryKeeper::Outcome::Failed);
    EXPECT_FALSE(keeper.TakeFailureNotice()) << "said once";
    EXPECT_TRUE(Doc.Days[5].HasOvernight) << "the work goes on";
}

TEST_F(RecoveryTest, ANeverSavedCalendarIsNamedForItsClientAndCountsEveryMarkedDay)
{
    Keeper.Bind(QString());
    Change(1);
    Change(2);
    Keeper.Check(Doc);
    const RecoveryCopy copy = Copies().at(0);
    EXPECT_TRUE(copy.OriginalPath.isEmpty());
    EXPECT_EQ(QFileInfo(copy.CopyPath).fileName(), QStringLiteral("Garcia.cdb"));
    EXPECT_EQ(DaysDiffering(copy), 2);
    CalendarDocument recovered;
    ASSERT_TRUE(ReadRecoveredCalendar(copy, recovered, nullptr));
    EXPECT_TRUE(recovered.DocumentFolder.isEmpty()) << "Save writes where a new calendar goes";
}

TEST(RecoveryList, AFolderWithoutAReadableSidecarOrCopyIsNotListed)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("a"));
    QDir(root.path()).mkpath(QStringLiteral("b"));
    QFile sidecar(root.filePath(QStringLiteral("b/Recovery.ini")));
    ASSERT_TRUE(sidecar.open(QIODevice::WriteOnly));
    sidecar.write("COPY=../../etc/passwd\r\nCHANGED=2026-01-01T00:00:00Z\r\n");
    sidecar.close();
    EXPECT_TRUE(ListRecoveryCopies(root.path()).empty());
}

} // namespace
