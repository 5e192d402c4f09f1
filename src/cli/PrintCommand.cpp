#include "cli/PrintCommand.h"

#include "output/CalendarPages.h"
#include "output/CalendarPrintout.h"
#include "platform/FileAccess.h"
#include "platform/PrintResolution.h"

#include <QCommandLineParser>
#include <QDir>
#include <QIODevice>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace custodex::cli {

namespace {

struct LayoutPages {
    PrintLayout Layout;
    int Pages; // 0 for the lists, whose page count the drawing finds
};

constexpr LayoutPages Layouts[] = {{PrintLayout::YearPages, 2},
                                   {PrintLayout::MonthPages, 24},
                                   {PrintLayout::OvernightList, 0},
                                   {PrintLayout::DayVisitList, 0}};

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
    CalendarPrintout printout({doc, job.Colours, GeneratedNow(), layout, first, last, job.Options});
    int pages = 0;
    // The job is handed to the queue when the painting ends.
    if (!printout.DrawOn(printer, pages))
        return Fail(err, QStringLiteral("Error!  Printing could not start on ") + queue +
                             QStringLiteral(".\n\rNothing was printed."));
    out << QStringLiteral("Sent %1 %2 to %3 as one job.\n")
               .arg(pages)
               .arg(pages == 1 ? QStringLiteral("page") : QStringLiteral("pages"))
               .arg(queue);
    out.flush();
    return ExitOk;
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
    // Pictures in a format, or one PDF file.
    PrintoutPictures format = PrintoutPictures::Bitmap;
    const bool pdf = formatName == QStringLiteral("pdf");
    if (formatName == QStringLiteral("jpg"))
        format = PrintoutPictures::Jpeg;
    else if (formatName == QStringLiteral("png"))
        format = PrintoutPictures::Png;
    else if (!pdf && formatName != QStringLiteral("bmp"))
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
    const MarkColours colours =
        parser.isSet(m_defaultColours) ? DefaultMarkColours : MarkColoursOf(doc);
    CalendarPrintout printout({doc,
                               colours,
                               GeneratedNow(),
                               layout->Layout,
                               first,
                               last,
                               {!parser.isSet(m_noHeader), !parser.isSet(m_noTrailer)},
                               parser.isSet(m_landscape)});

    // Every file is checked before any is written (a list's pages are counted first).
    const QStringList paths = pdf ? QStringList{folder + CalendarPdfFileName(doc, layout->Layout)}
                                  : printout.PicturePaths(folder, format);
    const PrintoutTargetCheck check = printout.CheckTargets(
        paths, parser.isSet(m_replace) ? ExistingFiles::Replace : ExistingFiles::Refuse,
        arguments[0]);
    switch (check.Problem) {
    case PrintoutTargetCheck::Fine:
        break;
    case PrintoutTargetCheck::Exists:
        return Fail(err, QStringLiteral("File ") + check.Path +
                             QStringLiteral(" already exists!\n\rGive --replace-existing to "
                                            "write over it."));
    case PrintoutTargetCheck::IsSource:
        return Fail(err, QStringLiteral("File ") + check.Path +
                             QStringLiteral(" is the calendar being read!\n\rChoose another "
                                            "folder to write to."));
    case PrintoutTargetCheck::Refused:
        return Fail(err, WriteRefusalMessage(check.Error, check.Path));
    }

    if (pdf) {
        const int status = WriteOutputFileWith(
            {paths.first(), arguments[0], true},
            [&](QIODevice& device) {
                printout.WritePdf(device, QStringLiteral("Calendar ") + doc.ClientName);
                return true;
            },
            err);
        if (status != ExitOk)
            return status;
    }
    else {
        // All pages or none: put in place together once the last is complete.
        FileSetWriter files;
        if (!printout.WritePictures(files, folder, format, ExistingFiles::Replace))
            return FailFileSet(files, err);
    }
    for (const QString& path : paths)
        out << QDir::toNativeSeparators(path) << QLatin1Char('\n');
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
