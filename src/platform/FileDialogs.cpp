#include "platform/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>

namespace custodex {

namespace {

// Icons and type names from the name alone: Qt's own provider looks into each file's content,
// and a file that never answers (such as /proc/kmsg) would hang the dialog and the program.
class NamesOnlyIconProvider : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override
    {
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }
    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("Folder");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("File")
                                : suffix.toUpper() + QStringLiteral(" File");
    }
};

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

// A folder of the system's pseudo file systems is no place for a client's files, and listing
// it can block: such a start (say, a folder a save into /proc failed in) begins at home.
QString StartFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(folder));
    for (const char* pseudo : {"/proc", "/sys", "/dev"}) {
        const QString root = QLatin1String(pseudo);
        if (clean == root || clean.startsWith(root + QLatin1Char('/')))
            return QDir::homePath();
    }
    return folder;
}

QString Run(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.Title, StartFolder(request.Folder), request.Filter);
    static NamesOnlyIconProvider namesOnly;
    dialog.setIconProvider(&namesOnly);
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
