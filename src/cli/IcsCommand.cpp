#include "cli/IcsCommand.h"

#include "output/IcsExport.h"

#include <QCommandLineParser>

namespace custodex::cli {

ExportIcsCommand::ExportIcsCommand()
    : Command(QStringLiteral("export-ics"),
              QStringLiteral("Writes the stays and day visits as an iCalendar (.ics) file."))
{
    m_options << m_overnights << m_dayVisits << m_annotations << m_timeZone << m_overwrite;
    m_arguments << PositionalArgument{QStringLiteral("IN.cdb"),
                                      QStringLiteral("The calendar to read.")}
                << PositionalArgument{QStringLiteral("OUT.ics"),
                                      QStringLiteral("The file to write; it must not exist unless "
                                                     "--overwrite is given, and it is never "
                                                     "IN.cdb.")};
}

int ExportIcsCommand::Execute(const QCommandLineParser& parser, const QStringList& arguments,
                              QTextStream& /*out*/, QTextStream& err) const
{
    IcsOptions options;
    // Neither kind named means both.
    const bool overnights = parser.isSet(m_overnights);
    const bool dayVisits = parser.isSet(m_dayVisits);
    options.Overnights = overnights || !dayVisits;
    options.DayVisits = dayVisits || !overnights;

    const QString annotations = parser.value(m_annotations);
    if (annotations == QStringLiteral("include"))
        options.Annotations = IcsAnnotations::Include;
    else if (annotations == QStringLiteral("transparent"))
        options.Annotations = IcsAnnotations::Transparent;
    else if (annotations == QStringLiteral("omit"))
        options.Annotations = IcsAnnotations::Omit;
    else
        return UsageError(err, QStringLiteral("--annotations needs include, transparent or omit"));

    if (parser.isSet(m_timeZone)) {
        options.TimeZone = parser.value(m_timeZone);
        if (!IsKnownTimeZone(options.TimeZone))
            return UsageError(err, QStringLiteral("--time-zone: the system knows no time zone ") +
                                       options.TimeZone);
    }

    CalendarDocument doc;
    if (!ReadCalendarArgument(arguments[0], doc, err))
        return ExitFailure;
    return WriteOutputFile({arguments[1], arguments[0], parser.isSet(m_overwrite)},
                           IcsFileBytes(doc, options), err);
}

} // namespace custodex::cli
