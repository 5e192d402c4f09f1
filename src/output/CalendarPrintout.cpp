#include "output/CalendarPrintout.h"

#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "output/PrinterSurface.h"
#include "platform/PrintResolution.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace custodex {

namespace {

bool IsList(PrintLayout layout)
{
    return layout == PrintLayout::OvernightList || layout == PrintLayout::DayVisitList;
}

bool IsSameFile(const QString& path, const QString& other)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

} // namespace

QString PrintoutPictureSuffix(PrintoutPictures format)
{
    switch (format) {
    case PrintoutPictures::Bitmap:
        return QStringLiteral(".bmp");
    case PrintoutPictures::Jpeg:
        return QStringLiteral(".jpg");
    case PrintoutPictures::Png:
        return QStringLiteral(".png");
    }
    return {};
}

bool EncodePrintoutPicture(QIODevice& device, const QImage& page, PrintoutPictures format)
{
    switch (format) {
    case PrintoutPictures::Bitmap:
        return WriteBitmap(device, page, CalendarPagePictures.Bitmap);
    case PrintoutPictures::Jpeg:
        return WriteJpeg(device, page, CalendarPagePictures.Jpeg);
    case PrintoutPictures::Png:
        return page.convertToFormat(QImage::Format_RGB888).save(&device, "PNG");
    }
    return false;
}

CalendarPrintout::CalendarPrintout(PrintoutRequest request) : m_request(std::move(request)) {}

CalendarPageInput CalendarPrintout::Input(std::function<void(int)> progress) const
{
    return {m_request.Doc, m_request.Colours, m_request.Generated, std::move(progress)};
}

int CalendarPrintout::LastPage()
{
    if (!IsList(m_request.Layout))
        return m_request.Last;
    if (m_lastPage < 0) {
        QImage scratch(CalendarPictureSize(m_request.Landscape), QImage::Format_RGB32);
        PainterSurface surface(scratch);
        DrawPrintout(
            surface, Input({}), m_request.Layout, 1, 0, m_request.Options,
            [this](int page) { m_lastPage = page; }, [] {});
    }
    return m_lastPage;
}

QStringList CalendarPrintout::PicturePaths(const QString& folder, PrintoutPictures format)
{
    const int first = IsList(m_request.Layout) ? 1 : m_request.First;
    const int last = LastPage();
    QStringList paths;
    for (int page = first; page <= last; ++page)
        paths << folder + CalendarPageBaseName(m_request.Doc, m_request.Layout, page) +
                     PrintoutPictureSuffix(format);
    return paths;
}

PrintoutTargetCheck CalendarPrintout::CheckPictureTargets(const QStringList& paths,
                                                          ExistingFiles existing,
                                                          const QString& source)
{
    if (paths.isEmpty())
        return {};
    if (!QFileInfo(QFileInfo(paths.first()).absolutePath()).isDir())
        return {PrintoutTargetCheck::Refused, paths.first(), CheckWriteTarget(paths.first())};
    for (const QString& path : paths) {
        if (existing == ExistingFiles::Refuse && QFileInfo::exists(path))
            return {PrintoutTargetCheck::Exists, path};
        // The writer's own checks (locked files, FIFOs, devices) and the calendar being read.
        if (!source.isEmpty() && IsSameFile(path, source))
            return {PrintoutTargetCheck::IsSource, path};
        if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None)
            return {PrintoutTargetCheck::Refused, path, check};
    }
    return {};
}

bool CalendarPrintout::WritePictures(FileSetWriter& files, const QString& folder,
                                     PrintoutPictures format, ExistingFiles existing)
{
    const QStringList paths = PicturePaths(folder, format);
    const int first = IsList(m_request.Layout) ? 1 : m_request.First;
    const auto add = [&](int page, const QByteArray* bytes) {
        if (PageDone)
            PageDone(page);
        const qsizetype index = page - first;
        if (m_stop || index < 0 || index >= paths.size())
            return !m_stop;
        const QString& path = paths[index];
        if (existing == ExistingFiles::AskEach && KeepPage && QFileInfo::exists(path) &&
            !KeepPage(path))
            return !m_stop; // this page is left out, the printout goes on
        files.AddWith(path, [bytes](QIODevice& device) {
            return bytes && device.write(*bytes) == bytes->size();
        });
        return files.Error() == FileWriteError::None && !m_stop;
    };
    const bool drawn = IsList(m_request.Layout) ? EncodeListPages(format, add)
                                                : EncodePagesInParallel(format, add);
    if (!drawn || m_stop || files.Error() != FileWriteError::None)
        return false; // the temporaries go with `files`
    return files.Commit() == FileWriteError::None;
}

bool CalendarPrintout::EncodeListPages(PrintoutPictures format,
                                       const std::function<bool(int, const QByteArray*)>& done)
{
    // A list's pages follow from the one before: drawn in turn on this thread.
    QImage picture(CalendarPictureSize(m_request.Landscape), QImage::Format_RGB32);
    PainterSurface surface(picture);
    bool going = !m_stop;
    DrawPrintout(
        surface, Input({}), m_request.Layout, 1, 0, m_request.Options,
        [&](int page) {
            if (!going)
                return;
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            const bool encoded = EncodePrintoutPicture(buffer, picture, format);
            going = done(page, encoded ? &bytes : nullptr);
        },
        [] {});
    return going;
}

bool CalendarPrintout::EncodePagesInParallel(
    PrintoutPictures format, const std::function<bool(int, const QByteArray*)>& done)
{
    const int first = m_request.First;
    const int count = m_request.Last - first + 1;
    if (count <= 0)
        return !m_stop;

    struct Page {
        bool Ready = false;
        bool Encoded = false;
        QByteArray Bytes;
        std::vector<int> Months; // progress reported while drawing, told in page order
    };
    std::vector<Page> pages(static_cast<std::size_t>(count));
    std::mutex mutex;
    std::condition_variable changed;
    int next = 0;   // the next page a worker takes
    int handed = 0; // pages handed on by the calling thread
    bool quit = false;
    const int workers = std::clamp(QThread::idealThreadCount(), 1, count);
    // Pages wait in memory for their turn; a few per worker keep every core busy.
    const int ahead = 2 * workers;
    const bool months = static_cast<bool>(MonthsDone);

    const auto work = [&] {
        for (;;) {
            int index = 0;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return quit || m_stop || next < handed + ahead; });
                if (quit || m_stop || next >= count)
                    return;
                index = next++;
            }
            Page& page = pages[static_cast<std::size_t>(index)];
            std::function<void(int)> progress;
            if (months)
                progress = [&](int done) {
                    const std::lock_guard lock(mutex);
                    page.Months.push_back(done);
                    changed.notify_all();
                };
            QByteArray bytes;
            bool encoded = false;
            // Each page on a thread of its own: the font caches are the thread's, so a page
            // starts with empty ones, and its pixels never depend on the pages drawn before it
            // (a large title is anti-aliased differently once its glyphs were cached).
            std::thread([&] {
                QImage picture(CalendarPictureSize(m_request.Landscape), QImage::Format_RGB32);
                PainterSurface surface(picture);
                DrawPrintout(
                    surface, Input(progress), m_request.Layout, first + index, first + index,
                    m_request.Options, [](int) {}, [] {});
                QBuffer buffer(&bytes);
                buffer.open(QIODevice::WriteOnly);
                encoded = EncodePrintoutPicture(buffer, picture, format);
            }).join();
            const std::lock_guard lock(mutex);
            page.Bytes = std::move(bytes);
            page.Encoded = encoded;
            page.Ready = true;
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(workers));
    for (int i = 0; i < workers; ++i)
        threads.emplace_back(work);

    bool going = true;
    for (int index = 0; index < count && going; ++index) {
        Page& page = pages[static_cast<std::size_t>(index)];
        std::unique_lock lock(mutex);
        std::size_t told = 0;
        for (;;) {
            while (told < page.Months.size()) {
                const int done = page.Months[told++];
                lock.unlock();
                MonthsDone(done);
                lock.lock();
            }
            if (page.Ready)
                break;
            changed.wait(lock);
        }
        const QByteArray bytes = std::move(page.Bytes);
        const bool encoded = page.Encoded;
        lock.unlock();
        going = !m_stop && done(first + index, encoded ? &bytes : nullptr) && !m_stop;
        lock.lock();
        handed = index + 1;
        changed.notify_all();
    }
    {
        const std::lock_guard lock(mutex);
        quit = true;
        changed.notify_all();
    }
    for (std::thread& thread : threads)
        thread.join();
    return going;
}

bool CalendarPrintout::DrawOn(QPagedPaintDevice& device, int& pages)
{
    pages = 0;
    PrinterSurface surface(device);
    if (!surface.Active())
        return false;
    const CalendarPageInput input = Input(MonthsDone);
    const auto finished = [&](int page) {
        ++pages;
        if (PageDone)
            PageDone(page);
    };
    if (IsList(m_request.Layout)) {
        DrawPrintout(surface, input, m_request.Layout, 1, 0, m_request.Options, finished,
                     [&surface] { surface.NewPage(); });
        return true;
    }
    // Page by page, so that a stop ends the printout between two pages.
    for (int page = m_request.First; page <= m_request.Last && !m_stop; ++page) {
        if (page > m_request.First)
            surface.NewPage();
        DrawPrintout(surface, input, m_request.Layout, page, page, m_request.Options, finished,
                     [] {});
    }
    return true;
}

bool CalendarPrintout::WritePdf(QIODevice& device, const QString& title)
{
    QPdfWriter writer(&device);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Custodex Calendar"));
    writer.setResolution(PrintoutDotsPerInch);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter),
                    m_request.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(0, 0, 0, 0)));
    int pages = 0;
    return DrawOn(writer, pages);
}

} // namespace custodex
