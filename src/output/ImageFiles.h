#pragma once

#include "platform/FileAccess.h"
#include "platform/OutputPrompts.h"

#include <QImage>
#include <QString>

class QIODevice;

// Picture files of pages and windows: bitmaps at exactly the bit depth asked for, and JPEG
// through libjpeg. Files are written under the program's file rules (regular files only, a
// locked file is never replaced, the old file stays until the new one is complete).

namespace custodex {

struct CalendarDocument;
class FileDialogs;

enum class BitmapDepth {
    Palette8, // 8 bits per pixel with a colour table
    Rgb24,    // 24 bits per pixel
};

enum class JpegQuality {
    EncoderDefaults, // libjpeg's defaults (quality 75)
    Quality95Slow,   // quality 95 with the slow, most accurate integer DCT
};

// How one kind of printout encodes its pictures in each of the two formats.
struct PictureEncoding {
    BitmapDepth Bitmap = BitmapDepth::Rgb24;
    JpegQuality Jpeg = JpegQuality::EncoderDefaults;
};

// Calendar pages and lists.
inline constexpr PictureEncoding CalendarPagePictures{BitmapDepth::Rgb24,
                                                      JpegQuality::Quality95Slow};
// The two pages of the hourly distribution report.
inline constexpr PictureEncoding DistributionReportPictures{BitmapDepth::Palette8,
                                                            JpegQuality::EncoderDefaults};
// Quality and care time pages and the images of their windows.
inline constexpr PictureEncoding ReportPictures{BitmapDepth::Rgb24, JpegQuality::EncoderDefaults};

// ".bmp" or ".jpg".
QString PictureSuffix(ImageFormat format);

// The image with at most 256 colours, as an 8-bit bitmap holds it. An image of at most 256
// distinct colours keeps them exactly (the table in order of first appearance, row by row
// from the top); a richer one is mapped, without dithering, to the nearest entry of a fixed
// table: the 6 x 6 x 6 colour cube (levels 0, 51, ..., 255) and 40 greys between the cube's
// greys. Transparent parts are laid on white first.
QImage PaletteImage(const QImage& image);

// Encoders onto a device. False, possibly after writing part of the picture, when the image
// is empty or too large for the format, or the device fails.
bool WriteBitmap(QIODevice& device, const QImage& image, BitmapDepth depth);
bool WriteJpeg(QIODevice& device, const QImage& image, JpegQuality quality);

// The picture in the format, as `encoding` says.
bool WritePicture(QIODevice& device, const QImage& image, ImageFormat format,
                  const PictureEncoding& encoding);

// One picture of an output of several files (written all or nothing, see FileSetWriter).
FileWriteError AddPictureFile(FileSetWriter& files, const QString& path, const QImage& image,
                              ImageFormat format, const PictureEncoding& encoding);

// Whole files. Nothing is changed unless the result is None.
FileWriteError SaveBitmapFile(const QString& path, const QImage& image, BitmapDepth depth);
FileWriteError SaveJpegFile(const QString& path, const QImage& image, JpegQuality quality);
FileWriteError SavePictureFile(const QString& path, const QImage& image, ImageFormat format,
                               const PictureEncoding& encoding);

// The picture-save dialog in the calendar folder, proposing "(Names Auto Generated)": pictures
// are named by the printout, so only the chosen folder is kept, and it becomes the calendar
// folder. False when cancelled.
bool ChoosePictureFolder(CalendarDocument& doc, FileDialogs& dialogs,
                         const QString& title = QStringLiteral("Save as Pictures"));

} // namespace custodex
