#include "calendar/DocumentLifecycle.h"

#include "calendar/CalendarFile.h"
#include "calendar/StartChecks.h"
#include "platform/FileAccess.h"
#include "platform/FileDialogs.h"
#include "platform/FileLock.h"
#include "platform/Prompter.h"

#include <QFile>
#include <QFileInfo>

namespace custodex {

namespace {

const QString FileNameCharactersMessage = QStringLiteral(
    "Error!  Please restrict your filename characters to\n\rupper and lower case letters, numbers, "
    "spaces, "
    "underscores,\n\rdashes, and apostrophes.\n\rYour file has NOT been saved.  Please try again.");

FileDialogRequest SaveRequest(const LifecycleContext& context, const QString& title,
                              const QString& folder)
{
    return {title, folder, context.Doc.ClientName, CalendarFileFilter, QStringLiteral("cdb")};
}

FileDialogRequest SaveRequest(const LifecycleContext& context, const QString& title)
{
    return SaveRequest(context, title, context.Doc.ClientFolder);
}

bool Write(LifecycleContext& context, const QString& path, bool updateCaption)
{
    const FileResult result = WriteCalendarFile(context.Doc, path, updateCaption);
    if (!result.Ok) {
        context.Messages.Ask(PromptKind::Error, result.Message, PromptButtons::Abort);
        return false;
    }
    NoteRecentFile(context.Settings, path);
    context.OpenDialogFileName = FileNameOfPath(path);
    return true;
}

void Ask(LifecycleContext& context, PromptKind kind, const QString& text,
         PromptButtons buttons = PromptButtons::Ok)
{
    context.Messages.Ask(kind, text, buttons);
}

// This message breaks its lines with CR LF, unlike the others.
QString CannotOpenMessage(const QString& path)
{
    return QStringLiteral("Cannot open file ") + path +
           QStringLiteral(".\r\nThe file name has been mistyped, or the file is missing, been "
                          "moved to\r\nanother folder, or has been corrupted");
}

// Open's question while the calendar shown has changes: true when they may be dropped.
bool MayDropChanges(LifecycleContext& context)
{
    const CalendarDocument& doc = context.Doc;
    return !doc.ChangesPending ||
           context.Messages.Ask(
               PromptKind::Confirmation,
               QStringLiteral(
                   "Are you sure you want to open a calendar file?\n\rAll information for ") +
                   doc.ClientName + QStringLiteral(" will be lost!"),
               PromptButtons::YesNo) == PromptAnswer::Yes;
}

// Open once the file is chosen: the missing-file message, the reading, and the recent entry.
bool ReadChosenCalendar(LifecycleContext& context, const QString& path)
{
    CalendarDocument& doc = context.Doc;
    if (!QFileInfo::exists(path)) {
        Ask(context, PromptKind::Error, CannotOpenMessage(path));
        return false;
    }
    // Without a calendar, the start year and month are what the user typed for the next
    // Start; a file that cannot be read must not take them.
    const bool hadCalendar = doc.HasCalendar();
    const QString typedYear = doc.UserYear;
    const QString typedMonth = doc.SelUserMonth;
    const FileResult result = ReadCalendarFile(doc, path);
    if (!result.Ok) {
        ResetToNoCalendar(context);
        if (!hadCalendar) {
            doc.UserYear = typedYear;
            doc.SelUserMonth = typedMonth;
        }
        doc.ClientFolder = FolderOfPath(path);
        Ask(context, PromptKind::Error, result.Message, PromptButtons::Cancel);
        return false;
    }
    doc.UserYear = QString::number(doc.StartYear);
    context.OpenDialogFileName = FileNameOfPath(path);
    NoteRecentFile(context.Settings, path);
    if (const QStringList notes = GuidelineNotes(doc.Guidelines, doc.UnreadGuidelineLines.size());
        !notes.isEmpty())
        Ask(context, PromptKind::Information, notes.join(QStringLiteral("\n\r")));
    return true;
}

// Save As's question before replacing a file.
bool MayWriteOver(LifecycleContext& context, const QString& path)
{
    return context.Messages.Ask(PromptKind::Confirmation,
                                QStringLiteral("File ") + path +
                                    QStringLiteral(" already exists!\n\rWrite over it?"),
                                PromptButtons::OkCancel) == PromptAnswer::Ok;
}

} // namespace

QString SaveFolder(const CalendarDocument& doc)
{
    return doc.DocumentFolder.isEmpty() ? doc.ClientFolder : doc.DocumentFolder;
}

const QString BothMarksNotice =
    QStringLiteral("Notice:  One or more days have been marked with both "
                   "an\n\rOvernight Stay and a Day "
                   "Visit.  While this is not an error\n\ryou might want "
                   "to examine the day(s) in question "
                   "and confirm\n\rtheir validity.\n\r\n\rClick the "
                   "\"Yes\" button to remain open, then use "
                   "the \"Preview\"\n\rmenu option to locate the marked "
                   "days.\n\r\n\rClick the \"NO\" button "
                   "to close the program.");

bool HasDaysMarkedBothWays(const CalendarDocument& doc)
{
    for (const CalendarDay& day : doc.Days)
        if (day.HasOvernight && day.HasDayVisit && !IsAnnotationReason(day.OvernightReason) &&
            !IsAnnotationReason(day.DayVisitReason))
            return true;
    return false;
}

bool StartCalendar(CalendarDocument& doc, MonthView& view, const StartEntries& entries,
                   StartHost& host, Prompter& prompter)
{
    QString name = entries.ClientName;
    while (name.startsWith(QLatin1Char(' ')))
        name.remove(0, 1);
    doc.ClientName = name;
    host.ShowClientName(name);
    if (name.isEmpty()) {
        prompter.Ask(PromptKind::Error, QStringLiteral("A Client Name is a required entry."),
                     PromptButtons::Retry);
        host.Focus(StartFocus::ClientName);
        return false;
    }
    const StartCheck year = CheckStartYear(entries.UserYear);
    if (!year.Ok) {
        prompter.Ask(PromptKind::Error, year.Message, PromptButtons::Ok);
        host.Focus(StartFocus::UserYear);
        return false;
    }
    const StartCheck month = CheckStartMonth(entries.SelUserMonth);
    if (!month.Ok) {
        prompter.Ask(PromptKind::Error, month.Message, PromptButtons::Ok);
        host.Focus(StartFocus::SelUserMonth);
        return false;
    }
    doc.UserYear = entries.UserYear;
    doc.SelUserMonth = DisplayMonthNames().at(month.Value);
    BuildSpan(doc, month.Value, year.Value);
    doc.DocumentFolder.clear(); // never saved yet
    doc.OverniteReasons = {};
    doc.DayVisitReasons = {};
    RecountCounters(doc);
    doc.WindowCaption = QStringLiteral("Calendar File=") + name;
    // Closing now must ask: nothing of the new calendar has been saved yet.
    doc.ChangesPending = true;
    view.RemovedOvernight = {};
    view.RemovedDayVisit = {};
    host.ShowDocument();
    host.OpenPreferences();
    view.Mode = MarkMode::Overnights;
    host.ShowDocument();
    host.Focus(StartFocus::MonthArea);
    return true;
}

void ResetToNoCalendar(LifecycleContext& context)
{
    CalendarDocument& doc = context.Doc;
    ClearCalendar(doc);
    ResetSettingsToDefaults(doc);
    doc.ShownMonthIndex = 0;
    doc.ShownMonthNumber = 1;
    doc.ShowingFirstYear = true;
    doc.StartMonthIndex = 0;
    doc.StartYear = 0;
    doc.StartYearText.clear();
    doc.EndYearText.clear();
    doc.UserYear = QString::number(context.CurrentYear);
    doc.SelUserMonth = DisplayMonthNames().at(0);
    doc.ClientName.clear();
    doc.CurrentFileName = QStringLiteral("NewClient.cdb");
    doc.DocumentFolder.clear();
    doc.WindowCaption = QStringLiteral("Calendar File=NewClient.cdb");
    doc.OverniteReasons = {};
    doc.DayVisitReasons = {};
    doc.ChangesPending = false;
    RecountCounters(doc);
}

bool CloseCalendar(LifecycleContext& context)
{
    CalendarDocument& doc = context.Doc;
    if (doc.ChangesPending) {
        const PromptAnswer answer = context.Messages.Ask(PromptKind::Confirmation,
                                                         QStringLiteral("Save changes to ") +
                                                             doc.ClientName + QLatin1Char('?'),
                                                         PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return false;
        if (answer == PromptAnswer::Yes) {
            const QString chosen = context.Dialogs.SaveFileName(
                SaveRequest(context, SaveFolder(doc), SaveFolder(doc)));
            if (chosen.isEmpty())
                return false;
            const QString path = WithCdbExtension(chosen);
            if (QFile::exists(path)) {
                if (context.Messages.Ask(PromptKind::Warning,
                                         QStringLiteral("Warning!  File ") + path +
                                             QStringLiteral(" already exists!\n\rOverwrite?"),
                                         PromptButtons::YesCancel) != PromptAnswer::Yes)
                    return false;
                if (IsFileLocked(path)) {
                    Ask(context, PromptKind::Error,
                        QStringLiteral("Error!  Can't save to file ") + path +
                            QStringLiteral(
                                "\n\rbecause the file is locked!  Unlock the file or save to a "
                                "different filename."),
                        PromptButtons::Cancel);
                    return false;
                }
            }
            const QString previousName = doc.ClientName;
            doc.ClientName = NameWithoutCdb(path);
            // A failed save keeps the calendar open: closing now would lose the changes.
            if (!Write(context, path, true)) {
                doc.ClientName = previousName;
                return false;
            }
        }
        else if (context.Messages.Ask(
                     PromptKind::Confirmation,
                     QStringLiteral(
                         "Are you sure you want to close without\n\rsaving changes to ") +
                         doc.ClientName + QLatin1Char('?'),
                     PromptButtons::YesNo) != PromptAnswer::Yes) {
            return false;
        }
    }
    ResetToNoCalendar(context);
    return true;
}

bool OpenCalendar(LifecycleContext& context, const QString& recentPath)
{
    if (!MayDropChanges(context))
        return false;
    // A recent entry names its own folder; the client folder may have moved since.
    QString folder = context.Doc.ClientFolder;
    if (!recentPath.isEmpty()) {
        if (!QFileInfo::exists(recentPath)) {
            Ask(context, PromptKind::Error, CannotOpenMessage(recentPath));
            return false;
        }
        folder = FolderOfPath(recentPath);
    }
    const QString path = context.Dialogs.OpenFileName(
        {folder, folder, context.OpenDialogFileName, CalendarFileFilter, QStringLiteral("cdb")});
    if (path.isEmpty()) {
        Ask(context, PromptKind::Information, QStringLiteral("Request for \"OPEN\" aborted!"));
        return false;
    }
    return ReadChosenCalendar(context, path);
}

bool OpenCalendarFile(LifecycleContext& context, const QString& path)
{
    if (!MayDropChanges(context))
        return false;
    // The recent-file entries and the client folder hold full paths.
    return ReadChosenCalendar(context, QFileInfo(path).absoluteFilePath());
}

bool ReadCalendarToCompare(const QString& path, CalendarDocument& other, Prompter& messages)
{
    if (!QFileInfo::exists(path)) {
        messages.Ask(PromptKind::Error, CannotOpenMessage(path), PromptButtons::Ok);
        return false;
    }
    const FileResult result = ReadCalendarFile(other, path);
    if (!result.Ok) {
        messages.Ask(PromptKind::Error, result.Message, PromptButtons::Cancel);
        return false;
    }
    return true;
}

bool SaveCalendar(LifecycleContext& context)
{
    CalendarDocument& doc = context.Doc;
    if (!doc.HasCalendar()) {
        Ask(context, PromptKind::Error, QStringLiteral("Nothing to save!"));
        return false;
    }
    // The client name becomes the file name, so it must not carry folders or other marks.
    if (doc.ClientName.isEmpty() || !IsValidFileNameText(doc.ClientName)) {
        Ask(context, PromptKind::Error, FileNameCharactersMessage);
        return false;
    }
    const QString fileName = doc.ClientName + QStringLiteral(".cdb");
    const QString path = SaveFolder(doc) + fileName;
    if (QFile::exists(path)) {
        if (context.Messages.Ask(
                PromptKind::Confirmation,
                QStringLiteral("Saving ") + path +
                    QStringLiteral(" will overwrite \n\rprevious database information for ") +
                    fileName +
                    QStringLiteral("\n\rDo you want to continue?  (Normally your answer is Yes)"),
                PromptButtons::YesCancel) != PromptAnswer::Yes)
            return false;
        if (IsFileLocked(path)) {
            Ask(context, PromptKind::Error,
                QStringLiteral("Error!  Can't save to file ") + fileName +
                    QStringLiteral("\n\rbecause it is locked."),
                PromptButtons::Cancel);
            return false;
        }
    }
    return Write(context, path, false);
}

bool SaveCalendarAs(LifecycleContext& context)
{
    CalendarDocument& doc = context.Doc;
    if (!doc.HasCalendar()) {
        Ask(context, PromptKind::Error, QStringLiteral("Nothing to save!"));
        return false;
    }
    const QString chosen =
        context.Dialogs.SaveFileName(SaveRequest(context, QStringLiteral("Save Client Data")));
    if (chosen.isEmpty())
        return false;
    const QString path = WithCdbExtension(chosen);
    if (QFile::exists(path)) {
        if (!MayWriteOver(context, path))
            return false;
        if (IsFileLocked(path)) {
            Ask(context, PromptKind::Error,
                QStringLiteral("Error!  Can't write to ") + path +
                    QStringLiteral("\n\rbecause the file is locked!"));
            return false;
        }
    }
    const QString name = NameWithoutCdb(path);
    if (!IsValidFileNameText(name)) {
        Ask(context, PromptKind::Error, FileNameCharactersMessage);
        return false;
    }
    const QString previousName = doc.ClientName;
    doc.ClientName = name;
    if (!Write(context, path, true)) {
        doc.ClientName = previousName;
        return false;
    }
    doc.WindowCaption = QStringLiteral("Calendar File=") + name;
    return true;
}

bool LockOrUnlockFile(LifecycleContext& context, bool lock)
{
    const QString path = context.Dialogs.OpenFileName(
        {QStringLiteral("Lock/Unlock a Client File"), context.Doc.ClientFolder,
         context.Doc.ClientName, QStringLiteral("Client Database (*.cdb *.tcl);;Bitmaps (*.bmp)"),
         QStringLiteral("cdb")});
    if (path.isEmpty())
        return false;
    const QString verb = lock ? QStringLiteral("lock") : QStringLiteral("unlock");
    if (context.Messages.Ask(PromptKind::Confirmation,
                             QStringLiteral("Are you sure you want to ") + verb +
                                 QStringLiteral(" \n\r") + path + QLatin1Char('?'),
                             PromptButtons::YesCancel) != PromptAnswer::Yes)
        return false;
    if (!SetFileLocked(path, lock)) {
        Ask(context, PromptKind::Error,
            QStringLiteral("Error!  File ") + path + QStringLiteral(" could not be ") + verb +
                QStringLiteral("ed."));
        return false;
    }
    Ask(context, PromptKind::Information,
        QStringLiteral("File ") + path + QStringLiteral(" has been ") + verb +
            QStringLiteral("ed."));
    return true;
}

bool CloseQuery(LifecycleContext& context)
{
    CalendarDocument& doc = context.Doc;
    if (!doc.HasCalendar())
        return true;
    if (HasDaysMarkedBothWays(doc) &&
        context.Messages.Ask(PromptKind::Confirmation, BothMarksNotice, PromptButtons::YesNo) ==
            PromptAnswer::Yes)
        return false;
    while (doc.ChangesPending) {
        if (context.Messages.Ask(PromptKind::Confirmation, QStringLiteral("Save Pending Changes?"),
                                 PromptButtons::YesNo) != PromptAnswer::Yes)
            break;
        const QString chosen = context.Dialogs.SaveFileName(
            SaveRequest(context, QStringLiteral("Save Client Data"), SaveFolder(doc)));
        if (chosen.isEmpty())
            continue;
        const QString path = WithCdbExtension(chosen);
        if (!IsValidFileNameText(NameWithoutCdb(path))) {
            Ask(context, PromptKind::Error, FileNameCharactersMessage);
            continue;
        }
        // The save dialog does not ask before replacing a file; another client's calendar
        // must never be replaced without a question.
        if (QFile::exists(path) && !MayWriteOver(context, path))
            continue;
        if (IsFileLocked(path)) {
            Ask(context, PromptKind::Error,
                QStringLiteral("Cannot save to ") + path +
                    QStringLiteral("\n\rbecause it is locked!"));
            continue;
        }
        Write(context, path, true); // on failure the question comes again
    }
    return true;
}

} // namespace custodex
