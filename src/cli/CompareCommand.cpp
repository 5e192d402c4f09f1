#include "cli/CompareCommand.h"

#include "output/DrawingSurface.h"
#include "reports/ComparisonPages.h"
#include "reports/ComparisonTexts.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace custodex::cli {

CompareCommand::CompareCommand()
    : Command(QStringLiteral("compare"),
              QStringLiteral("Compares two calendars (two proposed schedules): overnights, day "
                             "visits, their shares, the non-custodial hours of the hourly "
                             "distribution and the care time, per year and for both years, with "
                             "B - A; and each month's overnights and day visits. Neither "
                             "calendar is changed."))
{
    m_options << m_json << m_pdf << m_replace;
    m_arguments << PositionalArgument{QStringLiteral("A.cdb"),
                                      QStringLiteral("The first calendar.")}
                << PositionalArgument{QStringLiteral("B.cdb"),
                                      QStringLiteral("The calendar compared with it.")};
}

int CompareCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                            QTextStream& out, QTextStream& err) const
{
    if (parser.isSet(m_replace) && !parser.isSet(m_pdf))
        return UsageError(err, QStringLiteral("--replace-existing goes with --pdf."));
    CalendarDocument a;
    CalendarDocument b;
    if (!ReadCalendarArgument(arguments[0], a, err) || !ReadCalendarArgument(arguments[1], b, err))
        return ExitFailure;
    const Comparison comparison = CompareCalendars(a, arguments[0], b, arguments[1]);

    if (parser.isSet(m_pdf)) {
        const QString path = parser.value(m_pdf);
        if (path.isEmpty())
            return UsageError(err, QStringLiteral("--pdf needs a file name."));
        if (!parser.isSet(m_replace) && QFileInfo::exists(path))
            return Fail(err, QStringLiteral("File ") + path +
                                 QStringLiteral(" already exists!\n\rGive --replace-existing to "
                                                "write over it."));
        // Neither calendar read may become the printout.
        for (const QString& input : arguments)
            if (const auto refusal = RefuseOutputTarget({path, input, true}, err))
                return *refusal;
        const int status = WriteOutputFile({path, arguments[0], true},
                                           ComparisonPdfBytes(comparison, GeneratedNow()), err);
        if (status != ExitOk)
            return status;
    }

    if (parser.isSet(m_json))
        out << QString::fromUtf8(
            QJsonDocument(ComparisonJson(comparison)).toJson(QJsonDocument::Indented));
    else
        out << ComparisonText(comparison);
    out.flush();
    return ExitOk;
}

} // namespace custodex::cli
