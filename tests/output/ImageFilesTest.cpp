#include "output/ImageFiles.h"

#include "support/SpecialFiles.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace custodex;
using namespace custodex::testing;

namespace {

quint16 U16(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 U32(const QByteArray& bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
int BigU16(const QByteArray& bytes, qsizetype at)
{
    return qFromBigEndian<quint16>(bytes.constData() + at);
}

// The fields of a bitmap's two headers.
struct BitmapHeader {
    QByteArray Magic;
    quint32 FileSize, PixelOffset, InfoSize, Width, Height, Compression, ImageSize, ColoursUsed;
    quint16 Planes, BitsPerPixel;
};

BitmapHeader ReadBitmapHeader(const QByteArray& file)
{
    return {file.left(2),  U32(file, 2),  U32(file, 10), U32(file, 14),
            U32(file, 18), U32(file, 22), U32(file, 30), U32(file, 34),
            U32(file, 46), U16(file, 26), U16(file, 28)};
}

// What a JPEG's markers say: frame type, size, components, and the first (DC) value of the
// luminance quantisation table, which tells the quality it was written at.
struct JpegFacts {
    int FrameMarker = 0, Precision = 0, Width = 0, Height = 0, Components = 0;
    int LuminanceDc = -1;
};

JpegFacts ReadJpegFacts(const QByteArray& file)
{
    JpegFacts facts;
    if (!file.startsWith("\xFF\xD8"))
        return facts;
    qsizetype at = 2;
    while (at + 4 <= file.size() && uchar(file[at]) == 0xFF) {
        const int marker = uchar(file[at + 1]);
        const int length = BigU16(file, at + 2);
        if (marker == 0xDB && (uchar(file[at + 4]) & 0x0F) == 0)
            facts.LuminanceDc = uchar(file[at + 5]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            facts.FrameMarker = marker;
            facts.Precision = uchar(file[at + 4]);
            facts.Height = BigU16(file, at + 5);
            facts.Width = BigU16(file, at + 7);
            facts.Components = uchar(file[at + 9]);
        }
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return facts;
}

// A picture of `colours` distinct colours (when it has room for them) laid out unevenly in x
// and y, so a row written upside down, a swapped colour channel or a shifted row shows up.
QImage Pattern(int width, int height, int colours)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int n = (x * 7 + y * 13) % colours;
            image.setPixel(x, y,
                           qRgb(n * 37 % 256, (n * 11 + n / 256 * 128) % 256, (1000 - n) % 256));
        }
    return image;
}

// The largest difference in any channel between two pictures of one size.
int LargestDifference(const QImage& a, const QImage& b)
{
    const QImage left = a.convertToFormat(QImage::Format_RGB32);
    const QImage right = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int y = 0; y < left.height(); ++y)
        for (int x = 0; x < left.width(); ++x) {
            const QRgb p = left.pixel(x, y), q = right.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return largest;
}

class ImageFiles : public ::testing::Test {
protected:
    QString PathOf(const QString& name) const { return Folder.filePath(name); }
    QTemporaryDir Folder;
};

struct BitmapCase {
    BitmapDepth Depth;
    int Width, Height, Colours;
};

class BitmapFiles : public ImageFiles, public ::testing::WithParamInterface<BitmapCase> {};

// Row padding (widths 1, 2, 3, 5), a single row, and a whole picture page; every pixel read
// back exactly, and the headers as another reader sees them.
TEST_P(BitmapFiles, HeaderBytesAndPixelsReadBack)
{
    const BitmapCase c = GetParam();
    const QImage source = Pattern(c.Width, c.Height, c.Colours);
    const QString path = PathOf(QStringLiteral("page.bmp"));
    ASSERT_EQ(SaveBitmapFile(path, source, c.Depth), FileWriteError::None);

    const QByteArray file = FileBytes(path);
    const BitmapHeader header = ReadBitmapHeader(file);
    const bool paletted = c.Depth == BitmapDepth::Palette8;
    const quint32 bits = paletted ? 8 : 24;
    const quint32 rowBytes = (quint32(c.Width) * bits / 8 + 3) / 4 * 4;
    const quint32 colours = paletted ? quint32(std::min(c.Colours, 256)) : 0;
    EXPECT_EQ(header.Magic, QByteArray("BM"));
    EXPECT_EQ(header.FileSize, quint32(file.size()));
    EXPECT_EQ(header.InfoSize, 40u);
    EXPECT_EQ(header.Width, quint32(c.Width));
    EXPECT_EQ(header.Height, quint32(c.Height)); // positive: bottom-up rows
    EXPECT_EQ(header.Planes, 1);
    EXPECT_EQ(header.BitsPerPixel, bits);
    EXPECT_EQ(header.Compression, 0u);
    EXPECT_EQ(header.ColoursUsed, colours);
    EXPECT_EQ(header.PixelOffset, 54 + 4 * colours);
    EXPECT_EQ(header.ImageSize, rowBytes * quint32(c.Height));
    EXPECT_EQ(quint32(file.size()), header.PixelOffset + header.ImageSize);

    const QImage back(path);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), source.size());
    EXPECT_EQ(back.depth(), int(bits == 24 ? 32 : 8)); // Qt holds 24-bit pixels in 32 bits
    EXPECT_EQ(LargestDifference(back, source), 0);
}

INSTANTIATE_TEST_SUITE_P(Pictures, BitmapFiles,
                         ::testing::Values(BitmapCase{BitmapDepth::Rgb24, 1, 3, 1000},
                                           BitmapCase{BitmapDepth::Rgb24, 2, 2, 1000},
                                           BitmapCase{BitmapDepth::Rgb24, 3, 1, 1000},
                                           BitmapCase{BitmapDepth::Rgb24, 5, 4, 1000},
                                           BitmapCase{BitmapDepth::Rgb24, 1200, 1575, 1000},
                                           BitmapCase{BitmapDepth::Palette8, 1, 3, 2},
                                           BitmapCase{BitmapDepth::Palette8, 2, 2, 3},
                                           BitmapCase{BitmapDepth::Palette8, 3, 1, 3},
                                           BitmapCase{BitmapDepth::Palette8, 5, 4, 16},
                                           BitmapCase{BitmapDepth::Palette8, 40, 30, 256},
                                           BitmapCase{BitmapDepth::Palette8, 1200, 1575, 12}));

TEST(PaletteImage, ManyColoursMapToTheCubeOrTheNearestGrey)
{
    // 300 colours force the fixed table; the probes on the first row are checked one by one.
    QImage image = Pattern(300, 4, 300);
    const struct {
        QRgb Colour, Expected;
    } probes[] = {
        {qRgb(255, 255, 255), qRgb(255, 255, 255)}, // white and black stay
        {qRgb(0, 0, 0), qRgb(0, 0, 0)},
        {qRgb(192, 192, 192), qRgb(192, 192, 192)}, // silver, the default overnight colour
        {qRgb(128, 128, 128), qRgb(130, 130, 130)}, // a grey takes the nearest grey
        {qRgb(255, 0, 0), qRgb(255, 0, 0)},         // pure colours are in the cube
        {qRgb(100, 150, 200), qRgb(102, 153, 204)}, // others the nearest cube corner
        {qRgb(200, 196, 190), qRgb(198, 198, 198)}, // near-greys the nearest grey
    };
    int x = 0;
    for (const auto& probe : probes)
        image.setPixel(x++, 0, probe.Colour);

    const QImage indexed = PaletteImage(image);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.colorCount(), 256);
    x = 0;
    for (const auto& probe : probes) {
        const QRgb mapped = indexed.pixel(x++, 0);
        EXPECT_EQ(mapped & 0xFFFFFF, probe.Expected & 0xFFFFFF)
            << "colour " << std::hex << (probe.Colour & 0xFFFFFF);
    }
    // No pixel further from its colour than the nearest corner of the cube can be.
    int farthest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y), q = indexed.pixel(x, y);
            farthest = std::max(farthest, (qRed(p) - qRed(q)) * (qRed(p) - qRed(q)) +
                                              (qGreen(p) - qGreen(q)) * (qGreen(p) - qGreen(q)) +
                                              (qBlue(p) - qBlue(q)) * (qBlue(p) - qBlue(q)));
        }
    EXPECT_LE(farthest, 3 * 25 * 25);
}

TEST(PaletteImage, FewColoursKeptExactlyInOrderOfAppearance)
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    image.setPixel(2, 0, qRgb(250, 0, 7));
    image.setPixel(0, 1, qRgb(192, 192, 192));
    const QImage indexed = PaletteImage(image);
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    const QList<QRgb> expected{qRgb(1, 2, 3), qRgb(250, 0, 7), qRgb(192, 192, 192)};
    EXPECT_EQ(indexed.colorTable(), expected);
    EXPECT_EQ(LargestDifference(indexed, image), 0);
}

TEST_F(ImageFiles, TransparentPartsBecomeWhiteInEveryFormat)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(3, 3, qRgb(0, 0, 0));
    for (BitmapDepth depth : {BitmapDepth::Palette8, BitmapDepth::Rgb24}) {
        const QString path = PathOf(QStringLiteral("clear.bmp"));
        ASSERT_EQ(SaveBitmapFile(path, image, depth), FileWriteError::None);
        const QImage back(path);
        EXPECT_EQ(back.pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
        EXPECT_EQ(back.pixel(3, 3) & 0xFFFFFF, 0u);
    }
    const QString path = PathOf(QStringLiteral("clear.jpg"));
    ASSERT_EQ(SaveJpegFile(path, image, JpegQuality::Quality95Slow), FileWriteError::None);
    EXPECT_GE(qGray(QImage(path).pixel(12, 12)), 250);
}

struct JpegCase {
    JpegQuality Quality;
    int LuminanceDc; // the DC step of the luminance table: 8 at quality 75, 2 at quality 95
    int LargestError;
};

class JpegFiles : public ImageFiles, public ::testing::WithParamInterface<JpegCase> {};

TEST_P(JpegFiles, MarkersQualityAndPictureReadBack)
{
    const JpegCase c = GetParam();
    // A page-like picture: white, a black frame, grey and coloured blocks.
    QImage source(1200, 1575, QImage::Format_RGB32);
    source.fill(Qt::white);
    {
        QPainter painter(&source);
        painter.fillRect(100, 100, 1000, 8, Qt::black);
        painter.fillRect(100, 300, 400, 400, QColor(192, 192, 192));
        painter.fillRect(600, 300, 400, 400, QColor(0, 0, 255));
    }
    const QString path = PathOf(QStringLiteral("page.jpg"));
    ASSERT_EQ(SaveJpegFile(path, source, c.Quality), FileWriteError::None);

    const JpegFacts facts = ReadJpegFacts(FileBytes(path));
    EXPECT_EQ(facts.FrameMarker, 0xC0); // baseline
    EXPECT_EQ(facts.Precision, 8);
    EXPECT_EQ(facts.Width, 1200);
    EXPECT_EQ(facts.Height, 1575);
    EXPECT_EQ(facts.Components, 3);
    EXPECT_EQ(facts.LuminanceDc, c.LuminanceDc);

    const QImage back(path);
    ASSERT_EQ(back.size(), source.size());
    // Inside the flat blocks, away from edges, the colours come back nearly as drawn.
    EXPECT_LE(LargestDifference(back.copy(150, 350, 300, 300), source.copy(150, 350, 300, 300)),
              c.LargestError);
    EXPECT_LE(LargestDifference(back.copy(650, 350, 300, 300), source.copy(650, 350, 300, 300)),
              c.LargestError);
}

INSTANTIATE_TEST_SUITE_P(Qualities, JpegFiles,
                         ::testing::Values(JpegCase{JpegQuality::EncoderDefaults, 8, 6},
                                           JpegCase{JpegQuality::Quality95Slow, 2, 3}));

// Each printout's choice of depth and quality, as the other readers of the files see it.
TEST_F(ImageFiles, EachPrintoutEncodesItsPicturesAsItShould)
{
    const QImage page = Pattern(60, 40, 20);
    const struct {
        PictureEncoding Encoding;
        int BitmapBits;
        int JpegLuminanceDc;
    } cases[] = {
        {CalendarPagePictures, 24, 2}, {DistributionReportPictures, 8, 8}, {ReportPictures, 24, 8}};
    for (const auto& c : cases) {
        const QString bitmap = PathOf(QStringLiteral("page") + PictureSuffix(ImageFormat::Bitmap));
        const QString jpeg = PathOf(QStringLiteral("page") + PictureSuffix(ImageFormat::Jpeg));
        ASSERT_EQ(SavePictureFile(bitmap, page, ImageFormat::Bitmap, c.Encoding),
                  FileWriteError::None);
        ASSERT_EQ(SavePictureFile(jpeg, page, ImageFormat::Jpeg, c.Encoding), FileWriteError::None);
        EXPECT_EQ(ReadBitmapHeader(FileBytes(bitmap)).BitsPerPixel, c.BitmapBits);
        EXPECT_EQ(ReadJpegFacts(FileBytes(jpeg)).LuminanceDc, c.JpegLuminanceDc);
    }
    EXPECT_EQ(PictureSuffix(ImageFormat::Bitmap), QStringLiteral(".bmp"));
    EXPECT_EQ(PictureSuffix(ImageFormat::Jpeg), QStringLiteral(".jpg"));
}

// The four ways a picture is written, for the file-rule cases below.
struct Writer {
    const char* Name;
    ImageFormat Format;
    PictureEncoding Encoding;
};
const Writer Writers[] = {
    {"8-bit bitmap", ImageFormat::Bitmap, DistributionReportPictures},
    {"24-bit bitmap", ImageFormat::Bitmap, CalendarPagePictures},
    {"JPEG at the defaults", ImageFormat::Jpeg, ReportPictures},
    {"JPEG at quality 95", ImageFormat::Jpeg, CalendarPagePictures},
};

TEST_F(ImageFiles, ReplacesAnOldPictureButNeverALockedOne)
{
    const QImage page = Pattern(30, 20, 5);
    for (const Writer& w : Writers) {
        SCOPED_TRACE(w.Name);
        const QString old = PathOf(QStringLiteral("old") + PictureSuffix(w.Format));
        QFile::remove(old);
        ASSERT_EQ(WriteWholeFile(old, "old"), FileWriteError::None);
        ASSERT_EQ(SavePictureFile(old, page, w.Format, w.Encoding), FileWriteError::None);
        EXPECT_EQ(QImage(old).size(), page.size());

        const QString locked = PathOf(QStringLiteral("locked.pic"));
        QFile::remove(locked);
        ASSERT_TRUE(MakeLockedFile(locked, "kept"));
        EXPECT_EQ(SavePictureFile(locked, page, w.Format, w.Encoding), FileWriteError::Locked);
        EXPECT_EQ(FileBytes(locked), QByteArray("kept"));
    }
}

TEST_F(ImageFiles, AFifoOrDeviceIsRefusedWithoutBlocking)
{
    const QString fifo = PathOf(QStringLiteral("pipe.jpg"));
    ASSERT_TRUE(MakeFifo(fifo));
    const QImage page = Pattern(30, 20, 5);
    for (const Writer& w : Writers) {
        SCOPED_TRACE(w.Name);
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(SavePictureFile(fifo, page, w.Format, w.Encoding),
                  FileWriteError::NotRegularFile);
        EXPECT_LT(clock.elapsed(), 2000);
        EXPECT_TRUE(IsFifo(fifo));
    }
    const QString device = PathOf(QStringLiteral("null.bmp"));
    if (MakeDeviceNode(device)) {
        EXPECT_EQ(SaveBitmapFile(device, page, BitmapDepth::Rgb24), FileWriteError::NotRegularFile);
        EXPECT_TRUE(IsCharacterDevice(device));
    }
}

TEST_F(ImageFiles, AFailedWriteLeavesTheOldFileAndSaysSo)
{
    for (const Writer& w : Writers) {
        SCOPED_TRACE(w.Name);
        // Nothing to encode: refused, the old picture kept.
        const QString old = PathOf(QStringLiteral("old.pic"));
        ASSERT_EQ(WriteWholeFile(old, "old picture"), FileWriteError::None);
        EXPECT_EQ(SavePictureFile(old, QImage(), w.Format, w.Encoding), FileWriteError::Failed);
        EXPECT_EQ(FileBytes(old), QByteArray("old picture"));
        // A folder that does not exist: nothing created.
        const QString nowhere = PathOf(QStringLiteral("missing/page.pic"));
        EXPECT_EQ(SavePictureFile(nowhere, Pattern(4, 4, 2), w.Format, w.Encoding),
                  FileWriteError::Failed);
        EXPECT_FALSE(QFile::exists(nowhere));
    }
    EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pic")});
}

// A device that takes only so many bytes, like a full disk.
class ShortDevice : public QIODevice {
public:
    explicit ShortDevice(qint64 room) : Room(room) { open(QIODevice::WriteOnly); }
    qint64 Written = 0;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (Written + length > Room)
            return -1;
        Written += length;
        return length;
    }

private:
    qint64 Room;
};

TEST(PictureEncoders, AFailingDeviceIsReportedAtAnyPoint)
{
    const QImage page = Pattern(600, 400, 1000); // a JPEG of several buffers
    const qint64 rooms[] = {0, 10, 100, 20000};
    for (qint64 room : rooms) {
        SCOPED_TRACE(room);
        for (BitmapDepth depth : {BitmapDepth::Palette8, BitmapDepth::Rgb24}) {
            ShortDevice device(room);
            EXPECT_FALSE(WriteBitmap(device, page, depth));
        }
        for (JpegQuality quality : {JpegQuality::EncoderDefaults, JpegQuality::Quality95Slow}) {
            ShortDevice device(room);
            EXPECT_FALSE(WriteJpeg(device, page, quality));
        }
    }
    // With room enough the same pictures are written whole.
    QBuffer whole;
    whole.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteJpeg(whole, page, JpegQuality::Quality95Slow));
    EXPECT_GT(whole.size(), 20000);
    EXPECT_TRUE(whole.data().endsWith("\xFF\xD9"));
}

TEST(PictureEncoders, APictureTooLargeForJpegIsRefused)
{
    // JPEG sizes stop at 65500 pixels; libjpeg's error must come back as a failure, not end
    // the program.
    QImage strip(65501, 1, QImage::Format_RGB32);
    strip.fill(Qt::white);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteJpeg(buffer, strip, JpegQuality::EncoderDefaults));
}

} // namespace
