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
    // Where recovery copies are kept, with trailing separator; empty keeps none.
    QString RecoveryFolder;

    static ProgramPaths ForThisUser();
};

// `$XDG_STATE_HOME/Custodex Calendar/Recovery/` (`~/.local/state/...` when it is unset or
// not absolute): per-user state, never the client folder.
QString RecoveryFolderForThisUser();

// Renames "ualityTimeAnalysis.cdb" in the folder to "QualityTimeAnalysis.cdb" (an old
// installer dropped the first letter).
void RepairQualityTimeSample(const QString& clientFolder);

} // namespace custodex
