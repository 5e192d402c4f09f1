#pragma once

#include <QByteArray>
#include <QString>

#include <array>

// The program-wide settings file "Calendar.ini": client folder, start-wizard switch and the
// five recent-file entries of the File menu.

namespace custodex {

constexpr int RecentFileCount = 5;

struct RecentFileEntry {
    QString Caption; // full path; empty while the entry is unused
    bool Checked = false;
    bool Enabled() const { return !Caption.isEmpty(); }
};

struct ProgramSettings {
    QString ClientFolder;
    bool Wizard = true;
    std::array<RecentFileEntry, RecentFileCount> RecentFiles;
};

// Applies the file's content to `settings` (which holds the defaults).
void ReadProgramSettings(ProgramSettings& settings, const QByteArray& bytes);
QByteArray ProgramSettingsBytes(const ProgramSettings& settings);

// "Calendar.ini" on disk. A missing or unreadable file (or anything but a regular file)
// leaves the defaults; writing follows the program's file rules (a locked file is kept).
bool ReadProgramSettingsFile(ProgramSettings& settings, const QString& path);
bool WriteProgramSettingsFile(const ProgramSettings& settings, const QString& path);

// After a successful open or save of `path`.
void NoteRecentFile(ProgramSettings& settings, const QString& path);
// Entry `index` (0..4) was chosen from the menu: it alone is checked.
void CheckRecentFile(ProgramSettings& settings, int index);

// Letters A-Z and a-z, digits, blanks, "_", "-" and "'".
bool IsValidFileNameText(const QString& name);
// The file name without folder and without a ".cdb" ending (found ignoring case).
QString NameWithoutCdb(const QString& path);
// Adds ".cdb" unless the path already ends with it (ignoring case).
QString WithCdbExtension(const QString& path);

} // namespace custodex
