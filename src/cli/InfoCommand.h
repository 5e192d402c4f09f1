#pragma once

#include "cli/CliCommand.h"

namespace custodex::cli {

// info IN.cdb [--json]: what a calendar holds, as text or as one JSON object.
class InfoCommand : public Command {
public:
    InfoCommand();

protected:
    int Execute(const QCommandLineParser& parser, const QStringList& arguments, QTextStream& out,
                QTextStream& err) const override;

private:
    const QCommandLineOption m_json{
        QStringLiteral("json"),
        QStringLiteral("Prints one JSON object (keys in lowerCamelCase, texts exact) instead of "
                       "the text summary.")};
};

} // namespace custodex::cli
