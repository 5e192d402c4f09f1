#pragma once

#include <QString>

namespace custodex {

// Where the program keeps its files. Per user: the settings file in the configuration folder
// and the client files under the user's documents; the companions and tutorials beside the
// program.
struct ProgramPaths {
    QString ProgramFolder;       // with trailing separator
    QString SettingsFile;        // .../Calendar.ini
    QString DefaultClientFolder; // with trailing separator
    QString TutorialsFolder;     // with trailing separator

    static ProgramPaths ForThisUser();
};

// Renames "ualityTimeAnalysis.cdb" in the folder to "QualityTimeAnalysis.cdb" (an old
// installer dropped the first letter).
void RepairQualityTimeSample(const QString& clientFolder);

} // namespace custodex
