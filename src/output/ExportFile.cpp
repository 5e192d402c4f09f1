#include "output/ExportFile.h"

#include "platform/FileAccess.h"
#include "platform/Prompter.h"

#include <QFileInfo>

namespace custodex {

QString ExportFilePath(const QString& chosen, const QString& extension)
{
    return chosen.endsWith(extension, Qt::CaseInsensitive) ? chosen : chosen + extension;
}

bool WriteAskingBeforeReplacing(const QString& path, const std::function<QByteArray()>& bytes,
                                Prompter& messages)
{
    if (QFileInfo::exists(path) &&
        messages.Ask(PromptKind::Confirmation,
                     QStringLiteral("File ") + path +
                         QStringLiteral(" already exists!\n\rWrite over it?"),
                     PromptButtons::OkCancel) != PromptAnswer::Ok)
        return false;
    const FileWriteError error = WriteWholeFile(path, bytes());
    if (error != FileWriteError::None) {
        messages.Ask(PromptKind::Error, WriteRefusalMessage(error, path), PromptButtons::Ok);
        return false;
    }
    return true;
}

bool SaveExportFile(CalendarDocument& doc, const QString& path,
                    const std::function<QByteArray()>& bytes, Prompter& messages)
{
    if (!WriteAskingBeforeReplacing(path, bytes, messages))
        return false;
    doc.ClientFolder = FolderOfPath(path);
    return true;
}

} // namespace custodex
