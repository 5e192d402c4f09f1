#include "calendar/TextCodec.h"

#include <gtest/gtest.h>

using namespace custodex;

TEST(TextCodec, WindowsCodePageWhenEveryCharacterFits)
{
    const QString text = QStringLiteral("Caf") + QChar(0xE9) + QChar(0x20AC);
    const QByteArray bytes = EncodeText(text);
    EXPECT_EQ(bytes, QByteArray("Caf\xE9\x80"));
    EXPECT_EQ(DecodeText(bytes), text);
}

TEST(TextCodec, Utf8OtherwiseAndOnReadingValidUtf8)
{
    const QString text = QStringLiteral("Caf") + QChar(0xE9) + QChar(0x65E5);
    const QByteArray bytes = EncodeText(text);
    EXPECT_EQ(bytes, text.toUtf8());
    EXPECT_EQ(DecodeText(bytes), text);
}

TEST(TextCodec, SplitsCrLfAndLfLines)
{
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\nb\nc")),
              (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    EXPECT_EQ(SplitTextLines(QStringLiteral("a\r\n\r\n")),
              (QStringList{QStringLiteral("a"), QString()}));
}
