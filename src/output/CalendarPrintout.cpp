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
#include <deque>
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

PrintoutTargetCheck CalendarPrintout::CheckTargets(const QStringList& paths, ExistingFiles existing,
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
    const bool drawn = DrawAndEncode(format, add);
    if (!drawn || m_stop || files.Error() != FileWriteError::None)
        return false; // the temporaries go with `files`
    return files.Commit() == FileWriteError::None;
}

bool CalendarPrintout::DrawAndEncode(PrintoutPictures format,
                                     const std::function<bool(int, const QByteArray*)>& done)
{
    // The pages are drawn in turn on this thread, as one printout always was: the font caches
    // are the thread's, and a page's anti-aliasing follows the pages drawn before it. Only the
    // encoding of the finished pictures is spread over the cores.
    struct Page {
        int Number = 0;
        QImage Picture;
        bool Ready = false;
        bool Encoded = false;
        QByteArray Bytes;
    };
    std::deque<Page> pages;    // drawn, not yet handed on, in page order
    std::deque<Page*> waiting; // drawn, not yet taken by an encoder
    std::mutex mutex;
    std::condition_variable changed;
    bool quit = false;
    const int workers = std::max(1, QThread::idealThreadCount());
    // Pictures wait in memory for their turn; a few per encoder keep every core busy.
    const std::size_t ahead = 2 * static_cast<std::size_t>(workers);

    const auto encode = [&] {
        for (;;) {
            Page* page = nullptr;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return quit || !waiting.empty(); });
                if (quit)
                    return;
                page = waiting.front();
                waiting.pop_front();
            }
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            const bool encoded = EncodePrintoutPicture(buffer, page->Picture, format);
            const std::lock_guard lock(mutex);
            page->Picture = QImage();
            page->Bytes = std::move(bytes);
            page->Encoded = encoded;
            page->Ready = true;
            changed.notify_all();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(static_cast<std::size_t>(workers));
    for (int i = 0; i < workers; ++i)
        threads.emplace_back(encode);

    bool going = !m_stop;
    // Hands on the encoded pages in order; waits for the oldest when all are due or too many
    // are waiting.
    const auto handOn = [&](bool all) {
        while (going && !pages.empty()) {
            std::unique_lock lock(mutex);
            Page& oldest = pages.front();
            if (!oldest.Ready) {
                if (!all && pages.size() < ahead)
                    return;
                changed.wait(lock, [&] { return oldest.Ready; });
            }
            const int number = oldest.Number;
            const bool encoded = oldest.Encoded;
            const QByteArray bytes = std::move(oldest.Bytes);
            pages.pop_front();
            lock.unlock();
            going = !m_stop && done(number, encoded ? &bytes : nullptr) && !m_stop;
        }
    };
    QImage picture(CalendarPictureSize(m_request.Landscape), QImage::Format_RGB32);
    {
        PainterSurface surface(picture);
        const CalendarPageInput input = Input(MonthsDone);
        const auto finished = [&](int page) {
            going = going && !m_stop;
            if (!going)
                return;
            {
                const std::lock_guard lock(mutex);
                pages.push_back({page, picture.copy(), false, false, {}});
                waiting.push_back(&pages.back());
                changed.notify_all();
            }
            handOn(false);
        };
        if (IsList(m_request.Layout))
            DrawPrintout(surface, input, m_request.Layout, 1, 0, m_request.Options, finished,
                         [] {});
        else
            // Page by page, so that a stop ends the drawing between two pages.
            for (int page = m_request.First; page <= m_request.Last && going; ++page)
                DrawPrintout(surface, input, m_request.Layout, page, page, m_request.Options,
                             finished, [] {});
    }
    handOn(true);
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
