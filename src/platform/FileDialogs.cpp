#include "platform/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

namespace custodex {

namespace {

// Wide enough for the name, size, type and date columns; never larger than the screen, with
// room left for the window frame.
QSize DialogSize(const QWidget* parent)
{
    const QSize wanted(900, 560);
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return wanted;
    const QSize frame(16, 48);
    return wanted.boundedTo(screen->availableGeometry().size() - frame);
}

QString Run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.Title, request.Folder, request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // Calendar files get the program's own overwrite question, with the text users know.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.ConfirmOverwrite);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!request.DefaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    dialog.resize(DialogSize(parent));
    // The places list starts narrow enough to cut folder names; give it room beside the files.
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter"))) {
        const int width = dialog.width();
        splitter->setSizes({width / 5, width - width / 5});
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

} // namespace

QString QtFileDialogs::OpenFileName(const FileDialogRequest& request)
{
    return Run(Parent, request, QFileDialog::AcceptOpen);
}

QString QtFileDialogs::SaveFileName(const FileDialogRequest& request)
{
    return Run(Parent, request, QFileDialog::AcceptSave);
}

} // namespace custodex
