#include "cli/PrintCommand.h"

#include "output/CalendarPages.h"
#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "output/PrinterSurface.h"
#include "platform/FileAccess.h"
#include "platform/PrintResolution.h"
#include "reports/DistributionPictures.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <optional>

namespace custodex::cli {

namespace {

enum class OutputFormat { Bmp, Jpg, Png, Pdf };

struct LayoutPages {
    PrintLayout Layout;
    int Pages; // 0 for the lists, whose page count the drawing finds
};

constexpr LayoutPages Layouts[] = {{PrintLayout::YearPages, 2},
                                   {PrintLayout::MonthPages, 24},
                                   {PrintLayout::OvernightList, 0},
                                   {PrintLayout::DayVisitList, 0}};

QString Suffix(OutputFormat format)
{
    switch (format) {
    case OutputFormat::Bmp:
        return QStringLiteral(".bmp");
    case OutputFormat::Jpg:
        return QStringLiteral(".jpg");
    case OutputFormat::Png:
        return QStringLiteral(".png");
    case OutputFormat::Pdf:
        return QStringLiteral(".pdf");
    }
    return {};
}

bool EncodePicture(QIODevice& device, const QImage& picture, OutputFormat format)
{
    switch (format) {
    case OutputFormat::Bmp:
        return WriteBitmap(device, picture, CalendarPagePictures.Bitmap);
    case OutputFormat::Jpg:
        return WriteJpeg(device, picture, CalendarPagePictures.Jpeg);
    case OutputFormat::Png:
        return picture.convertToFormat(QImage::Format_RGB888).save(&device, "PNG");
    case OutputFormat::Pdf:
        break;
    }
    return false;
}

struct QueueJob {
    PageOptions Options;
    MarkColours Colours;
    bool Landscape = false;
    int Copies = 1;
};

// The printout as one job to a print queue, at the resolution the printing dialog uses.
int SendToQueue(const QString& queue, const CalendarDocument& doc, PrintLayout layout, int first,
                int last, const QueueJob& job, QTextStream& out, QTextStream& err)
{
    if (QPrinterInfo::printerInfo(queue).isNull()) {
        QStringList known = QPrinterInfo::availablePrinterNames();
        return Fail(err, QStringLiteral("Error!  There is no print queue named ") + queue +
                             QStringLiteral(".\n\rNothing was printed.") +
                             (known.isEmpty()
                                  ? QStringLiteral("  No print queue is set up.")
                                  : QStringLiteral("  The queues: ") +
                                        known.join(QStringLiteral(", ")) + QLatin1Char('.')));
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setResolution(PrintoutDotsPerInch); // as the printing dialog prints
    printer.setDocName(QStringLiteral("Calendar ") + doc.ClientName);
    printer.setCopyCount(job.Copies);
    printer.setPageOrientation(job.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const CalendarPageInput input{doc, job.Colours, GeneratedNow(), {}};
    int pages = 0;
    {
        PrinterSurface surface(printer);
        if (!surface.Active())
            return Fail(err, QStringLiteral("Error!  Printing could not start on ") + queue +
                                 QStringLiteral(".\n\rNothing was printed."));
        DrawPrintout(
            surface, input, layout, first, last, job.Options, [&](int) { ++pages; },
            [&] { surface.NewPage(); });
    } // the job is handed to the queue when the painting ends
    out << QStringLiteral("Sent %1 %2 to %3 as one job.\n")
               .arg(pages)
               .arg(pages == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
               .arg(queue);
    out.flush();
    return ExitOk;
}

bool IsCalendarRead(const QString& path, const QString& calendar)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(calendar).canonicalFilePath();
}

} // namespace

PrintCommand::PrintCommand()
    : Command(QStringLiteral("print"),
              QStringLiteral("Prints the calendar's one-year or month pages, or its lists of "
                             "overnights or day visits, as pictures or a PDF file."))
{
    m_options << m_layout << m_pages << m_landscape << m_noHeader << m_noTrailer << m_format
              << m_defaultColours << m_replace << m_printer << m_copies;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")}
                << PositionalArgument{QStringLiteral("OUTDIR"),
                                      QStringLiteral("The folder the files are written to "
                                                     "(not with --printer).")};
}

qsizetype PrintCommand::ArgumentsTaken(const QCommandLineParser& parser) const
{
    return parser.isSet(m_printer) ? 1 : 2;
}

int PrintCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                          QTextStream& out, QTextStream& err) const
{
    const QString layoutName = parser.value(m_layout);
    const LayoutPages* layout = nullptr;
    for (const LayoutPages& each : Layouts)
        if (layoutName == PrintLayoutName(each.Layout))
            layout = &each;
    if (!layout)
        return UsageError(err,
                          QStringLiteral("--layout is year, month, overnights or day-visits."));

    const QString formatName = parser.value(m_format).toLower();
    OutputFormat format = OutputFormat::Bmp;
    if (formatName == QStringLiteral("jpg"))
        format = OutputFormat::Jpg;
    else if (formatName == QStringLiteral("png"))
        format = OutputFormat::Png;
    else if (formatName == QStringLiteral("pdf"))
        format = OutputFormat::Pdf;
    else if (formatName != QStringLiteral("bmp"))
        return UsageError(err, QStringLiteral("--format is bmp, jpg, png or pdf."));

    int first = 1;
    int last = layout->Pages;
    if (parser.isSet(m_pages)) {
        if (layout->Pages == 0)
            return UsageError(err, QStringLiteral("--pages goes with --layout year or month."));
        static const QRegularExpression range(QStringLiteral("^(\\d{1,2})-(\\d{1,2})$"));
        const QRegularExpressionMatch match = range.match(parser.value(m_pages));
        if (match.hasMatch()) {
            first = match.captured(1).toInt();
            last = match.captured(2).toInt();
        }
        if (!match.hasMatch() || first < 1 || first > last || last > layout->Pages)
            return UsageError(err, QStringLiteral("--pages needs FIRST-LAST within 1-") +
                                       QString::number(layout->Pages) + QLatin1Char('.'));
    }

    int copies = 1;
    if (parser.isSet(m_copies)) {
        bool number = false;
        copies = parser.value(m_copies).toInt(&number);
        if (!parser.isSet(m_printer))
            return UsageError(err, QStringLiteral("--copies goes with --printer."));
        if (!number || copies < 1 || copies > 99)
            return UsageError(err, QStringLiteral("--copies needs a number from 1 to 99."));
    }
    if (parser.isSet(m_printer) && (parser.isSet(m_format) || parser.isSet(m_replace)))
        return UsageError(err, QStringLiteral("--printer writes no files: leave out --format and "
                                              "--replace-existing."));

    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    RecountCounters(doc);

    if (parser.isSet(m_printer)) {
        const PageOptions pageOptions{!parser.isSet(m_noHeader), !parser.isSet(m_noTrailer)};
        const MarkColours markColours =
            parser.isSet(m_defaultColours) ? DefaultMarkColours : MarkColoursOf(doc);
        return SendToQueue(parser.value(m_printer), doc, layout->Layout, first, last,
                           {pageOptions, markColours, parser.isSet(m_landscape), copies}, out, err);
    }

    const QString folder = QDir::cleanPath(arguments[1]) + QLatin1Char('/');
    const bool landscape = parser.isSet(m_landscape);
    const PageOptions options{!parser.isSet(m_noHeader), !parser.isSet(m_noTrailer)};
    const MarkColours colours =
        parser.isSet(m_defaultColours) ? DefaultMarkColours : MarkColoursOf(doc);
    const CalendarPageInput input{doc, colours, GeneratedNow(), {}};
    const QSize size = CalendarPictureSize(landscape);

    // The lists find their page count by drawing; a first pass counts them so that every file
    // is checked before any is written.
    if (layout->Pages == 0 && format != OutputFormat::Pdf) {
        QImage scratch(size, QImage::Format_RGB32);
        PainterSurface surface(scratch);
        DrawPrintout(
            surface, input, layout->Layout, 1, 0, options, [&](int page) { last = page; }, [] {});
    }

    QStringList paths;
    if (format == OutputFormat::Pdf)
        paths << folder + CalendarPdfFileName(doc, layout->Layout);
    else
        for (int page = first; page <= last; ++page)
            paths << folder + CalendarPageBaseName(doc, layout->Layout, page) + Suffix(format);

    if (!QFileInfo(folder).isDir())
        return Fail(err, WriteRefusalMessage(CheckWriteTarget(paths.first()), paths.first()));
    const bool replace = parser.isSet(m_replace);
    for (const QString& path : paths) {
        if (!replace && QFileInfo::exists(path))
            return Fail(err, QStringLiteral("File ") + path +
                                 QStringLiteral(" already exists!\n\rGive --replace-existing to "
                                                "write over it."));
        // The writer's own checks (locked files, FIFOs, devices, the calendar being read).
        if (IsCalendarRead(path, arguments[0]))
            return Fail(err, QStringLiteral("File ") + path +
                                 QStringLiteral(" is the calendar being read!\n\rChoose another "
                                                "folder to write to."));
        if (const FileWriteError check = CheckWriteTarget(path); check != FileWriteError::None)
            return Fail(err, WriteRefusalMessage(check, path));
    }

    if (format == OutputFormat::Pdf) {
        const int status = WriteOutputFileWith(
            {paths.first(), arguments[0], true},
            [&](QIODevice& device) {
                QPdfWriter writer(&device);
                writer.setTitle(QStringLiteral("Calendar ") + doc.ClientName);
                writer.setCreator(QStringLiteral("Custodex Calendar"));
                writer.setResolution(PrintoutDotsPerInch);
                writer.setPageLayout(
                    QPageLayout(QPageSize(QPageSize::Letter),
                                landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                QMarginsF(0, 0, 0, 0)));
                PrinterSurface surface(writer);
                DrawPrintout(
                    surface, input, layout->Layout, first, last, options, [](int) {},
                    [&] { surface.NewPage(); });
                return true;
            },
            err);
        if (status != ExitOk)
            return status;
    }
    else {
        // All pages or none: put in place together once the last is complete.
        QImage picture(size, QImage::Format_RGB32);
        PainterSurface surface(picture);
        FileSetWriter files;
        DrawPrintout(
            surface, input, layout->Layout, first, last, options,
            [&](int page) {
                if (files.Error() != FileWriteError::None || page - first >= paths.size())
                    return;
                files.AddWith(paths[page - first], [&](QIODevice& device) {
                    return EncodePicture(device, picture, format);
                });
            },
            [] {});
        if (files.Commit() != FileWriteError::None)
            return FailFileSet(files, err);
    }
    for (const QString& path : paths)
        out << QDir::toNativeSeparators(path) << QLatin1Char('\n');
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
