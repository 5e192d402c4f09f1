#include "calendar/ProgramSettings.h"

#include "calendar/TextCodec.h"
#include "platform/FileAccess.h"

#include <QDir>

#include <algorithm>

namespace custodex {

namespace {

// "/a//b/./c.cdb" and "/a/b/c.cdb" name one file and take one entry.
bool SameRecentPath(const QString& a, const QString& b)
{
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

} // namespace

void ReadProgramSettings(ProgramSettings& settings, const QByteArray& bytes)
{
    const QStringList lines = SplitTextLines(DecodeText(bytes));
    settings.Wizard = true;
    qsizetype index = 0;
    if (!lines.isEmpty() && lines.first().contains(QStringLiteral("CLIENTDIR="))) {
        settings.ClientFolder = lines.first().mid(lines.first().indexOf(QLatin1Char('=')) + 1);
        index = 1;
    }
    int taken = 0;
    for (; index < lines.size() && taken < RecentFileCount; ++index) {
        const QString& line = lines[index];
        const QString upper = line.toUpper();
        if (upper.contains(QStringLiteral("WIZARD="))) {
            if (upper.contains(QStringLiteral("TRUE")))
                settings.Wizard = true;
            else if (upper.contains(QStringLiteral("FALSE")))
                settings.Wizard = false;
            continue;
        }
        if (line.trimmed().isEmpty())
            continue; // a blank line is not a file
        const QString caption = line.contains(QStringLiteral("CHKMARK")) ? line.mid(7) : line;
        if (std::any_of(
                settings.RecentFiles.begin(), settings.RecentFiles.begin() + taken,
                [&](const RecentFileEntry& e) { return SameRecentPath(e.Caption, caption); }))
            continue; // a file listed twice by an earlier version shows once
        RecentFileEntry& entry = settings.RecentFiles[static_cast<std::size_t>(taken++)];
        entry.Checked = line.contains(QStringLiteral("CHKMARK"));
        entry.Caption = entry.Checked ? line.mid(7) : line;
    }
}

QByteArray ProgramSettingsBytes(const ProgramSettings& settings)
{
    QString text = QStringLiteral("CLIENTDIR=") + settings.ClientFolder + QStringLiteral("\r\n");
    text +=
        settings.Wizard ? QStringLiteral("WIZARD=TRUE\r\n") : QStringLiteral("WIZARD=FALSE\r\n");
    if (settings.RecentFiles[0].Enabled()) {
        for (const RecentFileEntry& entry : settings.RecentFiles) {
            if (!entry.Enabled())
                continue;
            text += (entry.Checked ? QStringLiteral("CHKMARK") : QString()) + entry.Caption +
                    QStringLiteral("\r\n");
        }
    }
    return EncodeText(text);
}

bool ReadProgramSettingsFile(ProgramSettings& settings, const QString& path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path);
    if (!bytes)
        return false;
    ReadProgramSettings(settings, *bytes);
    return true;
}

bool WriteProgramSettingsFile(const ProgramSettings& settings, const QString& path)
{
    QDir().mkpath(FolderOfPath(path));
    return WriteWholeFile(path, ProgramSettingsBytes(settings)) == FileWriteError::None;
}

void NoteRecentFile(ProgramSettings& settings, const QString& path)
{
    bool known = false;
    for (RecentFileEntry& entry : settings.RecentFiles) {
        entry.Checked = !known && entry.Enabled() && SameRecentPath(entry.Caption, path);
        known = known || entry.Checked;
    }
    if (known)
        return;
    for (int k = RecentFileCount - 1; k > 0; --k)
        settings.RecentFiles[static_cast<std::size_t>(k)].Caption =
            settings.RecentFiles[static_cast<std::size_t>(k - 1)].Caption;
    settings.RecentFiles[0] = {path, true};
}

void CheckRecentFile(ProgramSettings& settings, int index)
{
    for (int k = 0; k < RecentFileCount; ++k)
        settings.RecentFiles[static_cast<std::size_t>(k)].Checked = k == index;
}

bool IsValidFileNameText(const QString& name)
{
    for (QChar ch : name) {
        const char16_t c = ch.unicode();
        const bool ok = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
                        (c >= u'0' && c <= u'9') || c == u' ' || c == u'_' || c == u'-' ||
                        c == u'\'';
        if (!ok)
            return false;
    }
    return true;
}

QString NameWithoutCdb(const QString& path)
{
    const QString name = FileNameOfPath(path);
    const auto at = name.lastIndexOf(QStringLiteral(".cdb"), -1, Qt::CaseInsensitive);
    return at >= 0 && at == name.size() - 4 ? name.left(at) : name;
}

QString WithCdbExtension(const QString& path)
{
    return path.endsWith(QStringLiteral(".cdb"), Qt::CaseInsensitive)
               ? path
               : path + QStringLiteral(".cdb");
}

} // namespace custodex
