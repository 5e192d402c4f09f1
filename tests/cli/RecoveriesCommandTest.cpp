#include "calendar/CalendarFile.h"
#include "calendar/Recovery.h"
#include "cli/CliRun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using custodex::cli_test::CliRun;
using custodex::cli_test::RunCommand;

namespace {

// The state folder of a user in a temporary folder, for as long as the test runs.
struct StateHome {
    StateHome() { qputenv("XDG_STATE_HOME", Dir.path().toUtf8()); }
    ~StateHome() { qunsetenv("XDG_STATE_HOME"); }
    QString Root() const { return Dir.filePath(QStringLiteral("Custodex Calendar/Recovery/")); }
    QTemporaryDir Dir;
};

TEST(CliRecoveries, ListsEachCopyWithItsFileClientTimeReasonAndDaysThatDiffer)
{
    StateHome state;
    const CliRun none = RunCommand({QStringLiteral("recoveries")});
    EXPECT_EQ(none.Status, 0);
    EXPECT_EQ(none.Out, QStringLiteral("No unsaved changes are kept.\n"));

    const QString file = state.Dir.filePath(QStringLiteral("Garcia.cdb"));
    CalendarDocument doc;
    doc.UserYear = QStringLiteral("2025");
    BuildSpan(doc, 0, 2025);
    doc.ClientName = QStringLiteral("Garcia");
    ASSERT_TRUE(WriteCalendarFile(doc, file, true).Ok);
    const QDateTime when(QDate(2026, 5, 4), QTime(10, 30), Qt::UTC);
    RecoveryKeeper keeper(state.Root(), [when] { return when; });
    keeper.Bind(file);
    doc.Days[3].HasOvernight = doc.Days[4].HasOvernight = true;
    doc.ChangesPending = true;
    ASSERT_EQ(keeper.Check(doc), RecoveryKeeper::Outcome::Written);
    keeper.Closed();

    const CliRun listed = RunCommand({QStringLiteral("recoveries"), QStringLiteral("--json")});
    ASSERT_EQ(listed.Status, 0) << listed.Err.toStdString();
    const QJsonArray copies = QJsonDocument::fromJson(listed.Out.toUtf8())
                                  .object()[QStringLiteral("recoveries")]
                                  .toArray();
    ASSERT_EQ(copies.size(), 1);
    const QJsonObject copy = copies[0].toObject();
    EXPECT_EQ(copy[QStringLiteral("file")].toString(), file);
    EXPECT_EQ(copy[QStringLiteral("client")].toString(), QStringLiteral("Garcia"));
    EXPECT_EQ(copy[QStringLiteral("time")].toString(), QStringLiteral("2026-05-04T10:30:00Z"));
    EXPECT_EQ(copy[QStringLiteral("kept")].toString(), QStringLiteral("declined"));
    EXPECT_EQ(copy[QStringLiteral("daysDiffering")].toInt(), 2);
    EXPECT_TRUE(copy[QStringLiteral("copy")].toString().startsWith(state.Root()));

    const CliRun text = RunCommand({QStringLiteral("recoveries")});
    EXPECT_TRUE(text.Out.contains(QStringLiteral("  kept: declined\n  days that differ: 2\n")))
        << text.Out.toStdString();
    EXPECT_EQ(RunCommand({QStringLiteral("recoveries"), QStringLiteral("extra")}).Status, 2);
}

} // namespace
