#pragma once

#include "cli/CliCommand.h"

namespace custodex::cli {

// recoveries [--json]: the recovery copies kept of calendars with unsaved changes: the file
// each belongs to, the client, the time of the last change, why it was kept and how many days
// differ from the file on disk. It only lists; the program recovers or discards them.
class RecoveriesCommand : public Command {
public:
    RecoveriesCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object {\"recoveries\": [...]} with file, client, time, "
                       "kept (crash or declined), daysDiffering and copy for each.")};
};

} // namespace custodex::cli
