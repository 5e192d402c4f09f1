#include "calendar/CalendarFile.h"
#include "cli/CliRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QString T(const char* text)
{
    return QString::fromUtf8(text);
}

// A calendar from March 2025 with the Friday and Saturday nights of March 7 and 8 marked.
class GuidelineCli : public ::testing::Test {
protected:
    GuidelineCli()
    {
        CalendarDocument doc;
        doc.ClientName = T("Garcia");
        doc.UserYear = T("2025");
        BuildSpan(doc, 2, 2025);
        for (int i : {6, 7}) {
            doc.Days[static_cast<std::size_t>(i)].HasOvernight = true;
            doc.Days[static_cast<std::size_t>(i)].OvernightReason = T("Weekend");
        }
        EXPECT_TRUE(WriteCalendarFile(doc, In, false).Ok);
        Original = Bytes(In);
    }

    static cli_test::CliRun Cli(const QStringList& arguments)
    {
        return cli_test::RunCommand(arguments);
    }
    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList Set(const char* measure, const char* value, const char* name) const
    {
        return {T("set-guideline"), In,       In,          T("--measure"), T(measure),
                T("--at-least"),    T(value), T("--name"), T(name)};
    }

    QTemporaryDir Folder;
    QString In = Folder.filePath(T("Garcia.cdb"));
    QByteArray Original;
};

TEST_F(GuidelineCli, SetReplacesInPlaceAndGuidelinesReportsEveryPeriod)
{
    ASSERT_EQ(Cli(Set("overnightPercent", "40", "Shared care, 40%")).Status, 0);
    ASSERT_EQ(Cli(Set("overnights", "146", "Overnight minimum")).Status, 0);
    // The same name again: replaced where it stands, "40.0%" and "40" being the same value.
    ASSERT_EQ(Cli(Set("overnightPercent", "35.0%", "Shared care, 40%")).Status, 0);
    const QByteArray bytes = Bytes(In);
    EXPECT_TRUE(bytes.startsWith(Original));
    EXPECT_EQ(bytes.mid(Original.size()),
              QByteArray("GUIDELINE=overnightPercent,35.0%,Shared care, 40%\r\n"
                         "GUIDELINE=overnights,146,Overnight minimum\r\n"));

    const cli_test::CliRun run = Cli({T("guidelines"), In, T("--json")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QJsonArray list =
        QJsonDocument::fromJson(run.Out.toUtf8()).object()[T("guidelines")].toArray();
    ASSERT_EQ(list.size(), 2);
    const QJsonObject share = list.at(0).toObject();
    EXPECT_EQ(share.keys(), (QStringList{T("atLeast"), T("bothYears"), T("firstYear"), T("measure"),
                                         T("name"), T("secondYear")}));
    EXPECT_EQ(share[T("atLeast")].toString(), T("35.0%"));
    // 2 nights of 365: "00.5%", short of 35.0% by 34.5.
    const QJsonObject first = share[T("firstYear")].toObject();
    EXPECT_EQ(first.keys(), (QStringList{T("actual"), T("met"), T("shortBy"), T("target")}));
    EXPECT_EQ(first[T("actual")].toString(), T("00.5%"));
    EXPECT_EQ(first[T("target")].toString(), T("35.0%"));
    EXPECT_FALSE(first[T("met")].toBool());
    EXPECT_EQ(first[T("shortBy")].toString(), T("34.5"));
    const QJsonObject both = list.at(1).toObject()[T("bothYears")].toObject();
    EXPECT_EQ(both[T("actual")].toInt(), 2);
    EXPECT_EQ(both[T("target")].toInt(), 292);
    EXPECT_EQ(both[T("shortBy")].toInt(), 290);
    EXPECT_EQ(list.at(1).toObject()[T("atLeast")].toInt(), 146);

    const cli_test::CliRun text = Cli({T("guidelines"), In});
    EXPECT_TRUE(
        text.Out.contains(T("both years   \u2717 Overnight minimum: 2 of 292, short by 290")))
        << text.Out.toStdString();

    const cli_test::CliRun info = Cli({T("info"), In, T("--json")});
    const QJsonArray listed =
        QJsonDocument::fromJson(info.Out.toUtf8()).object()[T("guidelines")].toArray();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed.at(1).toObject().keys(), (QStringList{T("atLeast"), T("measure"), T("name")}));
}

TEST_F(GuidelineCli, RefusalsWriteNothing)
{
    struct Case {
        QStringList Arguments;
        int Status;
    };
    const QString other = Folder.filePath(T("Other.cdb"));
    QFile existing(other);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep");
    existing.close();
    const std::vector<Case> cases{
        {Set("overnights", "367", "Too many"), 1},
        {Set("overnightPercent", "100.5", "Too much"), 1},
        {Set("dayVisits", "7", "Wow!"), 1},
        {Set("dayVisits", "7", ""), 1},
        {Set("weekends", "7", "Weekends"), 2},
        {{T("set-guideline"), In, In, T("--measure"), T("overnights"), T("--name"), T("x")}, 2},
        {{T("set-guideline"), In, other, T("--measure"), T("overnights"), T("--at-least"), T("9"),
          T("--name"), T("x")},
         1},
        {{T("remove-guideline"), In, In, T("--name"), T("Nobody")}, 1},
        {{T("remove-guideline"), In, In}, 2}};
    for (const Case& c : cases) {
        const cli_test::CliRun run = Cli(c.Arguments);
        EXPECT_EQ(run.Status, c.Status) << c.Arguments.join(T(" ")).toStdString();
        EXPECT_FALSE(run.Err.isEmpty());
    }
    EXPECT_EQ(Bytes(In), Original);
    EXPECT_EQ(Bytes(other), QByteArray("keep"));

    ASSERT_EQ(Cli(Set("dayVisits", "7", "Dinners")).Status, 0);
    ASSERT_EQ(Cli({T("remove-guideline"), In, In, T("--name"), T("Dinners")}).Status, 0);
    EXPECT_EQ(Bytes(In), Original);
}

TEST_F(GuidelineCli, CompareListsEachSidesOwnGuidelines)
{
    ASSERT_EQ(Cli(Set("overnights", "1", "At least one")).Status, 0);
    const QString plain = Folder.filePath(T("Plain.cdb"));
    ASSERT_EQ(Cli({T("remove-guideline"), In, plain, T("--name"), T("At least one")}).Status, 0);
    const cli_test::CliRun run = Cli({T("compare"), In, plain, T("--json")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(run.Out.toUtf8()).object();
    const QJsonArray a = json[T("a")].toObject()[T("guidelines")].toArray();
    ASSERT_EQ(a.size(), 1);
    EXPECT_TRUE(a.at(0).toObject()[T("firstYear")].toObject()[T("met")].toBool());
    EXPECT_TRUE(json[T("b")].toObject()[T("guidelines")].toArray().isEmpty());
}

// A name two guidelines share: set-guideline refuses to guess which one it means, and
// remove-guideline removes both and says so.
TEST_F(GuidelineCli, SharedNamesAreNotSetByGuessAndAreRemovedTogether)
{
    QFile file(In);
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("GUIDELINE=overnights,146,Dup\r\nGUIDELINE=overnightPercent,40.0%,Dup\r\n");
    file.close();
    const QByteArray shared = Bytes(In);

    const cli_test::CliRun set = Cli(Set("overnights", "100", "Dup"));
    EXPECT_EQ(set.Status, 1);
    EXPECT_TRUE(set.Err.contains(T("2 guidelines share the name \"Dup\" (overnights at least "
                                   "146; overnightPercent at least 40.0%)")))
        << set.Err.toStdString();
    EXPECT_EQ(Bytes(In), shared);

    const cli_test::CliRun removed = Cli({T("remove-guideline"), In, In, T("--name"), T("Dup")});
    ASSERT_EQ(removed.Status, 0) << removed.Err.toStdString();
    EXPECT_EQ(removed.Out, T("2 guidelines removed: Dup\n"));
    EXPECT_EQ(Bytes(In), Original);
}

} // namespace
