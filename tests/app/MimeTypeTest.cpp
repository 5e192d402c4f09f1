// The calendar file type: a calendar the program writes is recognised by its first lines,
// whatever its start month, line ends or client name; other programs' ".cdb" files are not
// claimed.

#include "calendar/CalendarFile.h"
#include "support/SpecialFiles.h"

#include <QMimeDatabase>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace custodex;
using namespace custodex::testing;

namespace {

const QString CalendarType = QStringLiteral("application/x-custodex-calendar");

QString TypeOf(const QString& fileName, const QByteArray& bytes)
{
    return QMimeDatabase().mimeTypeForFileNameAndData(fileName, bytes).name();
}

QByteArray Written(const QString& client, int startMonth, int year)
{
    CalendarDocument doc;
    doc.ClientName = client;
    doc.UserYear = QString::number(year);
    BuildSpan(doc, startMonth, year);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.cdb"));
    EXPECT_TRUE(WriteCalendarFile(doc, path, false).Ok);
    return FileBytes(path);
}

TEST(CalendarMimeType, IsKnownAsText)
{
    const QMimeType type = QMimeDatabase().mimeTypeForName(CalendarType);
    ASSERT_TRUE(type.isValid()) << "the MIME file was not loaded";
    EXPECT_TRUE(type.inherits(QStringLiteral("text/plain")));
}

TEST(CalendarMimeType, EveryStartMonthAsWritten)
{
    for (int month = 0; month < 12; ++month) {
        SCOPED_TRACE(month);
        const QByteArray bytes = Written(QStringLiteral("Smith"), month, 1000 + 167 * month);
        EXPECT_EQ(TypeOf(QStringLiteral("Smith.cdb"), bytes), CalendarType);
    }
}

TEST(CalendarMimeType, LineEndsAndClientNames)
{
    const QByteArray crlf = Written(QStringLiteral("O'Brien-Smith_2"), 8, 2999);
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    // A name the single-byte code page cannot hold is written as UTF-8 behind a mark.
    const QByteArray marked = Written(QStringLiteral("Kowalski \u0141ukasz"), 1, 2024);
    ASSERT_TRUE(marked.startsWith("\xEF\xBB\xBF"));
    const QByteArray longName = Written(QString(250, QLatin1Char('N')), 11, 2024);
    for (const QByteArray& bytes : {crlf, lf, marked, longName})
        EXPECT_EQ(TypeOf(QStringLiteral("client.cdb"), bytes), CalendarType);
    // Recognised by content also without the extension, as a file manager sees a download.
    EXPECT_EQ(TypeOf(QStringLiteral("client"), crlf), CalendarType);
}

TEST(CalendarMimeType, OtherFilesAreNotClaimed)
{
    QByteArray constantDatabase(2048, '\0'); // a cdb hash table: 256 pointer pairs, then data
    constantDatabase[0] = '\x00';
    constantDatabase[1] = '\x08';
    constantDatabase.append("\x03\x00\x00\x00\x05\x00\x00\x00keyvalue", 16);
    const QByteArray notes("Smith\r\nmeeting notes\r\n1!January!call back\r\n");
    const QByteArray wrongYear("Smith\r\n24\r\n1!January!SUNDAY!False!!False!!!;\r\n");
    for (const QByteArray& bytes : {constantDatabase, notes, wrongYear}) {
        SCOPED_TRACE(bytes.left(20).toStdString());
        EXPECT_NE(TypeOf(QStringLiteral("other.cdb"), bytes), CalendarType);
    }
    // A calendar under another known extension keeps that extension's type.
    EXPECT_EQ(TypeOf(QStringLiteral("Smith.txt"), Written(QStringLiteral("Smith"), 0, 2024)),
              QStringLiteral("text/plain"));
}

} // namespace
