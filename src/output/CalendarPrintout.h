#pragma once

#include "calendar/CalendarModel.h"
#include "output/CalendarPages.h"
#include "platform/FileAccess.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>

class QIODevice;
class QPagedPaintDevice;

// The one way a printed calendar is made, for the printing dialog and the command line alike:
// the pages of a printout, the files they go to and their checks, then the pages drawn onto a
// paged device (a printer, a PDF file) or as a set of picture files written all or nothing.
// The pages are drawn in turn and their pictures encoded on every core; files are added in
// page order, and every callback runs on the calling thread, in page order.

namespace custodex {

enum class PrintoutPictures { Bitmap, Jpeg, Png };

// ".bmp", ".jpg", ".png".
QString PrintoutPictureSuffix(PrintoutPictures format);
// The page's picture in the format, as calendar pages are encoded. False when encoding failed.
bool EncodePrintoutPicture(QIODevice& device, const QImage& page, PrintoutPictures format);

struct PrintoutRequest {
    const CalendarDocument& Doc; // counters recounted
    MarkColours Colours;
    QString Generated; // "Generated " + date + "  " + time
    PrintLayout Layout = PrintLayout::MonthPages;
    // Year and month pages: the pages printed. A list prints all its pages, from 1.
    int First = 1;
    int Last = 0;
    PageOptions Options;
    bool Landscape = false; // the pictures' orientation; a paged device has its own
};

// What to do with a picture file that exists already.
enum class ExistingFiles {
    Replace, // write over it (unless it is refused by the file rules)
    Refuse,  // refuse the whole printout
    AskEach, // ask `KeepPage` for each such page as it comes
};

// The first target a printout cannot write to.
struct PrintoutTargetCheck {
    enum Kind { Fine, Exists, IsSource, Refused } Problem = Fine;
    QString Path;
    FileWriteError Error = FileWriteError::None; // for Refused
};

class CalendarPrintout {
public:
    explicit CalendarPrintout(PrintoutRequest request);

    // Each page's number once it is done (drawn; for pictures also encoded and added).
    std::function<void(int)> PageDone;
    // How many months the current pass of a one-year page has done (see CalendarPageInput).
    std::function<void(int)> MonthsDone;
    // With ExistingFiles::AskEach, for a page whose file exists: false leaves the page out.
    std::function<bool(const QString& path)> KeepPage;

    // From any thread, or from a callback: no further page is drawn and nothing is written.
    void Stop() { m_stop = true; }
    bool Stopped() const { return m_stop; }

    // The last page printed; a list's pages are counted by drawing them once.
    int LastPage();
    // The picture files in `folder` (ending in '/'), in page order.
    QStringList PicturePaths(const QString& folder, PrintoutPictures format);
    // Every target (the pictures, or the PDF file) checked before any is written; `source` (the
    // calendar read) is never a target.
    PrintoutTargetCheck CheckTargets(const QStringList& paths, ExistingFiles existing,
                                     const QString& source = QString());

    // Draws, encodes and adds the pages to `files` in page order, then commits them: every file
    // or none. False when stopped or when `files` failed (its error and path say why).
    bool WritePictures(FileSetWriter& files, const QString& folder, PrintoutPictures format,
                       ExistingFiles existing);
    // Draws every page on one device, one after the other; the number of pages drawn. False
    // when the device could not start painting.
    bool DrawOn(QPagedPaintDevice& device, int& pages);
    // The printout as one PDF document of vector pages on `device`.
    bool WritePdf(QIODevice& device, const QString& title);

private:
    CalendarPageInput Input(std::function<void(int)> progress) const;
    // Draws the pages in turn and encodes them on every core, handing each to `done` on the
    // calling thread in page order. False when stopped.
    bool DrawAndEncode(PrintoutPictures format,
                       const std::function<bool(int, const QByteArray*)>& done);

    PrintoutRequest m_request;
    std::atomic<bool> m_stop{false};
    int m_lastPage = -1;
};

} // namespace custodex
