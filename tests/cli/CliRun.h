#pragma once

#include "cli/CliCommands.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace custodex::cli_test {

// One run of the companion with its exit status and both outputs.
struct CliRun {
    int Status = 0;
    QString Out;
    QString Err;
};

inline CliRun RunCommand(const QStringList& arguments)
{
    CliRun run;
    QTextStream out(&run.Out);
    QTextStream err(&run.Err);
    run.Status = RunCli(arguments, out, err);
    return run;
}

} // namespace custodex::cli_test
