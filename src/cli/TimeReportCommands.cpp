#include "cli/TimeReportCommands.h"

#include "calendar/MenuChecks.h"
#include "output/DrawingSurface.h"
#include "output/ImageFiles.h"
#include "platform/Prompter.h"
#include "reports/CareTime.h"
#include "reports/DistributionPictures.h"
#include "reports/HourlyDistribution.h"
#include "reports/QualityTime.h"
#include "reports/TimeReportPages.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <variant>

namespace custodex::cli {

namespace {

// The menu command's questions answered as a batch run wants them: a refusal is printed,
// running a stale distribution and going on with approximate results are agreed to.
class BatchAnswers : public Prompter {
public:
    explicit BatchAnswers(QTextStream& err) : Err(err) {}
    PromptAnswer Ask(PromptKind kind, const QString& text, PromptButtons) override
    {
        if (kind != PromptKind::Confirmation) {
            Fail(Err, text);
            return PromptAnswer::Ok;
        }
        return PromptAnswer::Yes;
    }

private:
    QTextStream& Err;
};

// The menu command's checks; the distribution run if one was needed. False after a refusal.
bool PrepareTimeReport(CalendarDocument& doc, TimeReport report, QTextStream& err,
                       std::optional<DistributionResult>& run)
{
    BatchAnswers answers(err);
    const bool go = CheckTimeReport(
        doc, report, answers,
        [&doc, &run, &err] {
            run = RefreshStaleDistribution(doc);
            err << "The hourly distribution was not current; it has been run first.\n";
        },
        [&doc, &run] {
            return HasUncountableDayVisits(run ? *run : ComputeDistribution(doc))
                       ? UncountableVisitsMessage
                       : QString();
        });
    if (go && doc.DistributionHadErrors)
        err << "The hourly distribution found warnings or errors; the results are only "
               "approximate.\n";
    err.flush();
    return go;
}

QString JsonKey(const QString& fieldName)
{
    return fieldName.left(1).toLower() + fieldName.mid(1);
}

QJsonObject PeriodJson(const CalendarDocument& doc, const ReportPeriod& period)
{
    return {{QStringLiteral("from"), IsoDateOfDay(doc, period.FirstDay)},
            {QStringLiteral("to"), IsoDateOfDay(doc, period.EndDay - 1)}};
}

template <std::size_t N>
void InsertTexts(QJsonObject& object, const std::array<QString, N>& names,
                 const std::array<QString, N>& texts)
{
    for (std::size_t i = 0; i < N; ++i)
        object.insert(JsonKey(names[i]), texts[i]);
}

// A panel of the summary window as lines of text.
template <std::size_t N>
QString PanelText(const QString& heading, const std::vector<SummaryRow>& rows,
                  const std::array<QString, N>& names, const std::array<QString, N>& texts)
{
    int width = 0;
    for (const SummaryRow& row : rows)
        width = std::max(width, static_cast<int>(row.Caption.size()));
    QString text = heading + QLatin1Char('\n');
    for (const SummaryRow& row : rows) {
        const auto at = std::find(names.begin(), names.end(), row.Field) - names.begin();
        text += QStringLiteral("  ") + row.Caption.leftJustified(width + 2) +
                texts[static_cast<std::size_t>(at)];
        if (!row.Note.isEmpty())
            text += QStringLiteral("  ") + row.Note;
        text += QLatin1Char('\n');
    }
    return text;
}

// Where and how the pictures go; nothing without --pictures.
struct PictureRequest {
    QString Folder; // with a separator at its end
    ImageFormat Format = ImageFormat::Bitmap;
};

// The picture options read, or the exit status of a usage error.
std::variant<std::optional<PictureRequest>, int>
ReadPictureOptions(const QCommandLineParser& parser, const PictureOptionSet& options,
                   const std::function<int(const QString&)>& usageError)
{
    const QString format = parser.value(options.Format).toLower();
    if (parser.isSet(options.Format) && !parser.isSet(options.Pictures))
        return usageError(QStringLiteral("--format needs --pictures."));
    if (format != QStringLiteral("bmp") && format != QStringLiteral("jpg"))
        return usageError(QStringLiteral("--format takes bmp or jpg."));
    if (!parser.isSet(options.Pictures))
        return std::optional<PictureRequest>();
    const QString folder = parser.value(options.Pictures);
    if (folder.isEmpty())
        return usageError(QStringLiteral("--pictures needs a folder."));
    return std::optional<PictureRequest>(
        PictureRequest{QDir(folder).path() + QLatin1Char('/'),
                       format == QStringLiteral("jpg") ? ImageFormat::Jpeg : ImageFormat::Bitmap});
}

// One page drawn on a white picture, added to the pictures written together; the program
// replaces a picture of the same name, and so does this.
void AddPage(FileSetWriter& files, const QString& path, ImageFormat format,
             const std::function<void(DrawingSurface&)>& draw)
{
    files.AddWith(path, [&](QIODevice& device) {
        const QImage page = ReportPagePicture(draw);
        return format == ImageFormat::Jpeg ? WriteJpeg(device, page, ReportPictures.Jpeg)
                                           : WriteBitmap(device, page, ReportPictures.Bitmap);
    });
}

bool FolderMissing(const PictureRequest& request, QTextStream& err)
{
    if (QFileInfo(request.Folder).isDir())
        return false;
    Fail(err, QStringLiteral("Folder ") + QDir::toNativeSeparators(request.Folder) +
                  QStringLiteral(" does not exist."));
    return true;
}

// The saved message goes with the text; beside JSON it goes to standard error.
void Report(QTextStream& out, QTextStream& err, bool json, const QString& message)
{
    QTextStream& stream = json ? err : out;
    stream << QString(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) << '\n';
    stream.flush();
}

struct TimeReportRequest {
    const QCommandLineParser& Parser;
    const PictureOptionSet& Options;
    const QString& CalendarPath;
    TimeReport Report;
};

// The picture options, the calendar and the menu command's checks: the exit status when the
// command stops, or nothing with everything read.
std::optional<int> StartTimeReport(const TimeReportRequest& request,
                                   const std::function<int(const QString&)>& usageError,
                                   QTextStream& err, std::optional<PictureRequest>& pictures,
                                   CalendarDocument& doc, std::optional<DistributionResult>& run)
{
    const auto pictureOptions = ReadPictureOptions(request.Parser, request.Options, usageError);
    if (const int* status = std::get_if<int>(&pictureOptions))
        return *status;
    pictures = std::get<std::optional<PictureRequest>>(pictureOptions);
    if (!ReadCalendarArgument(request.CalendarPath, doc, err) ||
        !PrepareTimeReport(doc, request.Report, err, run))
        return ExitFailure;
    return std::nullopt;
}

int PrintJson(QTextStream& out, const QJsonObject& object)
{
    out << QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
    out.flush();
    return ExitOk;
}

} // namespace

QualityCommand::QualityCommand()
    : Command(QStringLiteral("quality"),
              QStringLiteral("Computes quality time with the calendar's away activities: each "
                             "parent's custody time less sleep, naps and time away."))
{
    m_options << m_json << m_pictures.Pictures << m_pictures.Format;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")};
}

int QualityCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                            QTextStream& out, QTextStream& err) const
{
    std::optional<PictureRequest> pictures;
    CalendarDocument doc;
    std::optional<DistributionResult> run;
    if (const std::optional<int> stop = StartTimeReport(
            {parser, m_pictures, arguments[0], TimeReport::Quality},
            [this, &err](const QString& text) { return UsageError(err, text); }, err, pictures, doc,
            run))
        return *stop;

    const QualityInputs inputs = QualityInputsOf(doc);
    const std::vector<AwayActivity> activities = ReadAwayActivities(doc.Exclusions);
    const QualityCheck check = CheckAwayTimes(inputs, activities);
    if (!check.Errors.isEmpty()) {
        for (const QString& error : check.Errors)
            Fail(err, error);
        return ExitFailure;
    }
    const ReportPeriod period = QualityPeriod(doc);
    const QString note = QualityPeriodNote(QualityPeriodKindOf(doc));
    const auto texts = QualityTexts(check.Results);
    const bool json = parser.isSet(m_json);

    if (pictures) {
        if (ParentTitlesMissing(doc))
            return Fail(err, ParentTitlesMissingMessage);
        if (FolderMissing(*pictures, err))
            return ExitFailure;
        const QualityReport report = MakeQualityReport(doc, inputs, check.Results, activities);
        const QString generated = GeneratedNow();
        const QString suffix = PictureSuffix(pictures->Format);
        QStringList files;
        for (int page = 1; page <= 2; ++page)
            files << QualityPictureName(QDir::toNativeSeparators(pictures->Folder), doc.ClientName,
                                        page, suffix);
        // Both pages are checked before the first is written, so a refusal writes nothing.
        for (const QString& file : files)
            if (const std::optional<int> refused =
                    RefuseOutputTarget({file, arguments[0], true, false}, err))
                return *refused;
        // Both pages or neither.
        int notDrawn = 0;
        FileSetWriter pages;
        AddPage(pages, files[0], pictures->Format, [&](DrawingSurface& surface) {
            notDrawn = DrawQualitySummaryPage(surface, doc, report, generated);
        });
        AddPage(pages, files[1], pictures->Format, [&](DrawingSurface& surface) {
            DrawQualityPiePage(surface, doc, report, generated);
        });
        if (pages.Commit() != FileWriteError::None)
            return FailFileSet(pages, err);
        if (notDrawn > 0)
            Report(out, err, true, TooManyActivitiesNotice);
        Report(out, err, json, QualityPicturesSavedMessage(files[0], files[1]));
    }

    if (json) {
        QJsonObject object;
        InsertTexts(object, QualityFieldNames(), texts);
        object.insert(QStringLiteral("days"), check.Results.Days);
        object.insert(QStringLiteral("period"), PeriodJson(doc, period));
        object.insert(QStringLiteral("notes"), note.isEmpty() ? QJsonArray() : QJsonArray{note});
        return PrintJson(out, object);
    }
    if (!note.isEmpty())
        out << QString(note).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) << "\n\n";
    out << QualitySummaryTitle << '\n' << PeriodLabel(doc, period) << "\n\n";
    out << PanelText(QStringLiteral("Custodial Parent:  ") + doc.CustodialName,
                     QualityCustodialRows(), QualityFieldNames(), texts)
        << '\n';
    out << PanelText(QStringLiteral("Non-Custodial Parent:  ") + doc.NonCustodialName,
                     QualityNonCustodialRows(), QualityFieldNames(), texts);
    out.flush();
    return ExitOk;
}

CareCommand::CareCommand()
    : Command(QStringLiteral("care"),
              QStringLiteral("Computes care time: each parent's share of all the hours of the "
                             "first year, the second year or both."))
{
    m_options << m_period << m_json << m_pictures.Pictures << m_pictures.Format;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")};
}

int CareCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                         QTextStream& out, QTextStream& err) const
{
    const QString periodName = parser.value(m_period).toLower();
    CarePeriod period = CarePeriod::BothYears;
    if (periodName == QStringLiteral("first"))
        period = CarePeriod::FirstYear;
    else if (periodName == QStringLiteral("second"))
        period = CarePeriod::SecondYear;
    else if (periodName != QStringLiteral("both"))
        return UsageError(err, QStringLiteral("--period takes first, second or both."));

    std::optional<PictureRequest> pictures;
    CalendarDocument doc;
    std::optional<DistributionResult> run;
    if (const std::optional<int> stop = StartTimeReport(
            {parser, m_pictures, arguments[0], TimeReport::Care},
            [this, &err](const QString& text) { return UsageError(err, text); }, err, pictures, doc,
            run))
        return *stop;
    // The weekday tables of the last run; an unchanged calendar gives the same ones again.
    const DistributionResult distribution = run ? *run : ComputeDistribution(doc);
    const CareResults results = ComputeCare(doc, distribution.Years, period);
    const auto texts = CareTexts(results);
    const bool json = parser.isSet(m_json);

    if (pictures) {
        if (const std::optional<QString> refusal =
                CareReportRefusal(doc, results, CareOutput::Print))
            return Fail(err, *refusal);
        if (FolderMissing(*pictures, err))
            return ExitFailure;
        const QString generated = GeneratedNow();
        const QString file =
            CarePictureName(QDir::toNativeSeparators(pictures->Folder), doc.ClientName, period,
                            PictureSuffix(pictures->Format));
        if (const std::optional<int> refused =
                RefuseOutputTarget({file, arguments[0], true, false}, err))
            return *refused;
        FileSetWriter pages;
        AddPage(pages, file, pictures->Format,
                [&](DrawingSurface& surface) { DrawCarePage(surface, doc, results, generated); });
        if (pages.Commit() != FileWriteError::None)
            return FailFileSet(pages, err);
        Report(out, err, json, CarePictureSavedMessage(file));
    }

    if (json) {
        QJsonObject object;
        InsertTexts(object, CareFieldNames(), texts);
        object.insert(QStringLiteral("days"), results.Days);
        object.insert(QStringLiteral("totalCareHours"),
                      static_cast<qint64>(results.TotalCareHours()));
        object.insert(QStringLiteral("period"), PeriodJson(doc, results.Period));
        return PrintJson(out, object);
    }
    out << CareSummaryTitle << '\n' << PeriodLabel(doc, results.Period) << '\n';
    out << "(Total Care Hours = " << results.TotalCareHours() << ")\n\n";
    out << PanelText(QStringLiteral("Custodial Parent:  ") + doc.CustodialName, CareCustodialRows(),
                     CareFieldNames(), texts)
        << '\n';
    out << PanelText(QStringLiteral("Non-Custodial Parent:  ") + doc.NonCustodialName,
                     CareNonCustodialRows(), CareFieldNames(), texts);
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
