#include "output/ImageFiles.h"

#include "calendar/CalendarModel.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"

#include <QHash>
#include <QIODevice>
#include <QList>
#include <QPainter>
#include <QtEndian>

#include <array>
#include <climits>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <memory>

#include <jerror.h>
#include <jpeglib.h>

namespace custodex {

QString PictureSuffix(ImageFormat format)
{
    return format == ImageFormat::Bitmap ? QStringLiteral(".bmp") : QStringLiteral(".jpg");
}

namespace {

// The picture as opaque 32-bit colours; transparent parts become white, as on paper.
QImage Opaque(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage source = image;
    source.setDevicePixelRatio(1.0);
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.setDotsPerMeterX(image.dotsPerMeterX());
    opaque.setDotsPerMeterY(image.dotsPerMeterY());
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, source);
    return opaque;
}

// The fixed table: the 6 x 6 x 6 cube, then 40 greys, eight in each gap between two of the
// cube's greys, so every grey of a page (silver, the dark greys of frames) lands within
// three levels of its own value.
constexpr int CubeStep = 51;
constexpr int CubeSize = 216;

std::array<int, 40> FixedGreys()
{
    std::array<int, 40> greys{};
    int next = 0;
    for (int gap = 0; gap < 5; ++gap)
        for (int step = 1; step <= 8; ++step)
            greys[static_cast<std::size_t>(next++)] = gap * CubeStep + CubeStep * step / 9;
    return greys;
}

const std::array<int, 40>& Greys()
{
    static const std::array<int, 40> greys = FixedGreys();
    return greys;
}

QList<QRgb> FixedPalette()
{
    QList<QRgb> table;
    table.reserve(256);
    for (int red = 0; red < 6; ++red)
        for (int green = 0; green < 6; ++green)
            for (int blue = 0; blue < 6; ++blue)
                table.append(qRgb(red * CubeStep, green * CubeStep, blue * CubeStep));
    for (int grey : Greys())
        table.append(qRgb(grey, grey, grey));
    return table;
}

int Square(int value)
{
    return value * value;
}

// The distance to a grey level L is 3 (L - mean)² plus a constant, so the nearest of the
// greys is the one nearest the mean: looked up by the sum of the three channels.
std::array<uchar, 766> NearestGreyBySum()
{
    std::array<uchar, 766> nearest{};
    const std::array<int, 40>& greys = Greys();
    for (int sum = 0; sum < 766; ++sum) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < greys.size(); ++i)
            if (std::abs(3 * greys[i] - sum) < std::abs(3 * greys[best] - sum))
                best = i;
        nearest[static_cast<std::size_t>(sum)] = static_cast<uchar>(best);
    }
    return nearest;
}

uchar NearestFixedEntry(QRgb colour)
{
    static const std::array<uchar, 766> nearestGrey = NearestGreyBySum();
    const int red = qRed(colour), green = qGreen(colour), blue = qBlue(colour);
    const int r = (red + CubeStep / 2) / CubeStep, g = (green + CubeStep / 2) / CubeStep,
              b = (blue + CubeStep / 2) / CubeStep;
    const int cubeDistance =
        Square(red - r * CubeStep) + Square(green - g * CubeStep) + Square(blue - b * CubeStep);
    const uchar grey = nearestGrey[static_cast<std::size_t>(red + green + blue)];
    const int level = Greys()[grey];
    const int greyDistance = Square(red - level) + Square(green - level) + Square(blue - level);
    return static_cast<uchar>(greyDistance < cubeDistance ? CubeSize + grey : r * 36 + g * 6 + b);
}

// Indices into a table of the picture's own colours; false when it has more than 256.
bool IndexExactly(const QImage& rgb, QImage& indexed)
{
    QHash<QRgb, uchar> entries;
    QList<QRgb> table;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* target = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = source[x] | 0xFF000000u;
            auto found = entries.constFind(colour);
            if (found == entries.constEnd()) {
                if (table.size() == 256)
                    return false;
                found = entries.insert(colour, static_cast<uchar>(table.size()));
                table.append(colour);
            }
            target[x] = *found;
        }
    }
    indexed.setColorTable(table);
    return true;
}

void IndexByFixedPalette(const QImage& rgb, QImage& indexed)
{
    // Pages are mostly long runs of one colour: the last answer is reused.
    QRgb last = 0;
    uchar lastEntry = NearestFixedEntry(last);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* target = indexed.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb colour = source[x] | 0xFF000000u;
            if (colour != last) {
                last = colour;
                lastEntry = NearestFixedEntry(colour);
            }
            target[x] = lastEntry;
        }
    }
    indexed.setColorTable(FixedPalette());
}

} // namespace

QImage PaletteImage(const QImage& image)
{
    if (image.isNull())
        return QImage();
    const QImage rgb = Opaque(image);
    QImage indexed(rgb.size(), QImage::Format_Indexed8);
    if (indexed.isNull())
        return QImage();
    indexed.setDotsPerMeterX(rgb.dotsPerMeterX());
    indexed.setDotsPerMeterY(rgb.dotsPerMeterY());
    if (!IndexExactly(rgb, indexed))
        IndexByFixedPalette(rgb, indexed);
    return indexed;
}

namespace {

void PutU16(QByteArray& bytes, quint16 value)
{
    char little[2];
    qToLittleEndian(value, little);
    bytes.append(little, 2);
}

void PutU32(QByteArray& bytes, quint32 value)
{
    char little[4];
    qToLittleEndian(value, little);
    bytes.append(little, 4);
}

quint32 Resolution(int dotsPerMeter)
{
    return dotsPerMeter > 0 ? quint32(dotsPerMeter) : 0;
}

// Rows bottom-up, each padded to a multiple of four bytes.
bool WriteRows(QIODevice& device, const QImage& pixels, qint64 usedBytes, qint64 rowBytes)
{
    const QByteArray padding(static_cast<qsizetype>(rowBytes - usedBytes), '\0');
    for (int y = pixels.height() - 1; y >= 0; --y) {
        if (device.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), usedBytes) !=
                usedBytes ||
            (!padding.isEmpty() && device.write(padding) != padding.size()))
            return false;
    }
    return true;
}

} // namespace

bool WriteBitmap(QIODevice& device, const QImage& image, BitmapDepth depth)
{
    if (image.isNull())
        return false;
    const bool paletted = depth == BitmapDepth::Palette8;
    const QImage pixels =
        paletted ? PaletteImage(image) : Opaque(image).convertToFormat(QImage::Format_BGR888);
    if (pixels.isNull())
        return false;
    const int bitsPerPixel = paletted ? 8 : 24;
    const qint64 usedBytes = qint64(pixels.width()) * (bitsPerPixel / 8);
    const qint64 rowBytes = (usedBytes + 3) / 4 * 4;
    const qint64 imageBytes = rowBytes * pixels.height();
    const QList<QRgb> table = paletted ? pixels.colorTable() : QList<QRgb>();
    const qint64 headerBytes = 14 + 40 + 4 * qint64(table.size());
    // Many readers take the sizes as signed 32-bit numbers.
    if (headerBytes + imageBytes > INT_MAX)
        return false;

    QByteArray header;
    header.reserve(static_cast<qsizetype>(headerBytes));
    header.append("BM", 2);
    PutU32(header, quint32(headerBytes + imageBytes));
    PutU32(header, 0); // reserved
    PutU32(header, quint32(headerBytes));
    PutU32(header, 40);
    PutU32(header, quint32(pixels.width()));
    PutU32(header, quint32(pixels.height())); // positive: rows bottom-up
    PutU16(header, 1);                        // planes
    PutU16(header, quint16(bitsPerPixel));
    PutU32(header, 0); // uncompressed
    PutU32(header, quint32(imageBytes));
    PutU32(header, Resolution(pixels.dotsPerMeterX()));
    PutU32(header, Resolution(pixels.dotsPerMeterY()));
    PutU32(header, quint32(table.size())); // colours used
    PutU32(header, 0);                     // all of them important
    for (QRgb colour : table) {
        header.append(char(qBlue(colour)));
        header.append(char(qGreen(colour)));
        header.append(char(qRed(colour)));
        header.append('\0');
    }
    return device.write(header) == header.size() && WriteRows(device, pixels, usedBytes, rowBytes);
}

namespace {

// libjpeg reports errors through a function that must not return; it jumps back to the
// encoder's entry, whose frame holds nothing that needs destroying.
struct JpegErrors {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->Jump, 1);
}

void JpegNoMessage(j_common_ptr) {}

struct DeviceDestination {
    jpeg_destination_mgr Manager;
    QIODevice* Device;
    std::array<JOCTET, 16384> Buffer;
};

DeviceDestination& Destination(j_compress_ptr info)
{
    return *reinterpret_cast<DeviceDestination*>(info->dest);
}

void StartDestination(j_compress_ptr info)
{
    DeviceDestination& destination = Destination(info);
    destination.Manager.next_output_byte = destination.Buffer.data();
    destination.Manager.free_in_buffer = destination.Buffer.size();
}

void Flush(j_compress_ptr info, std::size_t bytes)
{
    DeviceDestination& destination = Destination(info);
    if (destination.Device->write(reinterpret_cast<const char*>(destination.Buffer.data()),
                                  qint64(bytes)) != qint64(bytes))
        ERREXIT(info, JERR_FILE_WRITE);
}

boolean FlushFullBuffer(j_compress_ptr info)
{
    Flush(info, Destination(info).Buffer.size());
    StartDestination(info);
    return TRUE;
}

void FlushLastBytes(j_compress_ptr info)
{
    Flush(info, Destination(info).Buffer.size() - Destination(info).Manager.free_in_buffer);
}

struct JpegJob {
    jpeg_compress_struct Info;
    JpegErrors Errors;
    DeviceDestination Target;
};

bool Encode(JpegJob& job, const QImage& rgb, JpegQuality quality)
{
    jpeg_compress_struct& info = job.Info;
    if (setjmp(job.Errors.Jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    info.dest = &job.Target.Manager;
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    if (quality == JpegQuality::Quality95Slow) {
        jpeg_set_quality(&info, 95, TRUE);
        info.dct_method = JDCT_ISLOW;
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        // libjpeg only reads the rows it is given.
        JSAMPROW row = const_cast<JSAMPLE*>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

bool WriteJpeg(QIODevice& device, const QImage& image, JpegQuality quality)
{
    if (image.isNull())
        return false;
    const QImage rgb = Opaque(image).convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull())
        return false;
    auto job = std::make_unique<JpegJob>();
    job->Info.err = jpeg_std_error(&job->Errors.Manager);
    job->Errors.Manager.error_exit = JpegErrorExit;
    job->Errors.Manager.output_message = JpegNoMessage;
    job->Target.Device = &device;
    job->Target.Manager.init_destination = StartDestination;
    job->Target.Manager.empty_output_buffer = FlushFullBuffer;
    job->Target.Manager.term_destination = FlushLastBytes;
    return Encode(*job, rgb, quality);
}

FileWriteError SaveBitmapFile(const QString& path, const QImage& image, BitmapDepth depth)
{
    return WriteFileWith(path,
                         [&](QIODevice& device) { return WriteBitmap(device, image, depth); });
}

FileWriteError SaveJpegFile(const QString& path, const QImage& image, JpegQuality quality)
{
    return WriteFileWith(path,
                         [&](QIODevice& device) { return WriteJpeg(device, image, quality); });
}

bool WritePicture(QIODevice& device, const QImage& image, ImageFormat format,
                  const PictureEncoding& encoding)
{
    return format == ImageFormat::Bitmap ? WriteBitmap(device, image, encoding.Bitmap)
                                         : WriteJpeg(device, image, encoding.Jpeg);
}

FileWriteError AddPictureFile(FileSetWriter& files, const QString& path, const QImage& image,
                              ImageFormat format, const PictureEncoding& encoding)
{
    return files.AddWith(
        path, [&](QIODevice& device) { return WritePicture(device, image, format, encoding); });
}

FileWriteError SavePictureFile(const QString& path, const QImage& image, ImageFormat format,
                               const PictureEncoding& encoding)
{
    return format == ImageFormat::Bitmap ? SaveBitmapFile(path, image, encoding.Bitmap)
                                         : SaveJpegFile(path, image, encoding.Jpeg);
}

bool ChoosePictureFolder(CalendarDocument& doc, FileDialogs& dialogs, const QString& title)
{
    const QString chosen = dialogs.SaveFileName(
        {title, doc.ClientFolder, QStringLiteral("(Names Auto Generated)"),
         QStringLiteral("Bitmap or Jpeg pictures (*.bmp *.jpg)"), QString(), false});
    if (chosen.isEmpty())
        return false;
    doc.ClientFolder = FolderOfPath(chosen);
    return true;
}

} // namespace custodex
