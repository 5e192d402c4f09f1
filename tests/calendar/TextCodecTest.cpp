#include "calendar/TextCodec.h"

#include <gtest/gtest.h>

using namespace custodex;

namespace {

QString Latin(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

TEST(TextCodec, WindowsCodePageWhenEveryCharacterFits)
{
    const QString text = QStringLiteral("Caf") + QChar(0xE9) + QChar(0x20AC);
    const QByteArray bytes = EncodeText(text);
    EXPECT_EQ(bytes, QByteArray("Caf\xE9\x80"));
    EXPECT_EQ(DecodeText(bytes), text);
}

TEST(TextCodec, Utf8BehindTheMarkOtherwise)
{
    const QString text = QStringLiteral("Caf") + QChar(0xE9) + QChar(0x65E5);
    const QByteArray bytes = EncodeText(text);
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF") + text.toUtf8());
    bool ok = false;
    EXPECT_EQ(DecodeText(bytes, &ok), text);
    EXPECT_TRUE(ok);
}

// Legacy files whose Windows-1252 bytes happen to form valid UTF-8 keep their text.
TEST(TextCodec, LegacyBytesThatLookLikeUtf8StayWindows1252)
{
    const struct {
        QByteArray Bytes;
        QString Text;
    } cases[] = {
        {QByteArray("JOS\xC9\x92S PARTY"),
         QStringLiteral("JOS") + QChar(0xC9) + QChar(0x2019) + QStringLiteral("S PARTY")},
        {QByteArray("Caf\xC3\xA9"), QStringLiteral("Caf") + QChar(0xC3) + QChar(0xA9)},
        {QByteArray("\xEF\xBB"), QString(QChar(0xEF)) + QChar(0xBB)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeText(c.Bytes), c.Text) << c.Bytes.toHex().constData();
        EXPECT_EQ(EncodeText(c.Text), c.Bytes) << c.Bytes.toHex().constData();
    }
}

TEST(TextCodec, EveryByteSurvivesReadingAndWriting)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(EncodeText(DecodeText(all)), all);
    // The five bytes Windows-1252 leaves undefined read as C1 controls and are written back.
    EXPECT_EQ(DecodeText(QByteArray("\x81\x8D\x8F\x90\x9D")),
              QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D));
}

TEST(TextCodec, TextThatWouldLookLikeTheMarkIsWrittenAsUtf8)
{
    const QString text = Latin("\xEF\xBB\xBFname");
    const QByteArray bytes = EncodeText(text);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\xC3\xAF"));
    EXPECT_EQ(DecodeText(bytes), text);
    const QString markInText = QChar(0xFEFF) + QStringLiteral("x");
    EXPECT_EQ(DecodeText(EncodeText(markInText)), markInText);
}

TEST(TextCodec, BrokenUtf8BehindTheMarkIsReported)
{
    bool ok = true;
    DecodeText(QByteArray("\xEF\xBB\xBF\xC3("), &ok);
    EXPECT_FALSE(ok);
}

TEST(TextCodec, SplitsCrLfAndLfLines)
{
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\nb\nc")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\n\r\n")),
              (QStringList{QStringLiteral("a"), QString()}));
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\rb\r\r\n")), (QStringList{QStringLiteral("a b ")}));
}
