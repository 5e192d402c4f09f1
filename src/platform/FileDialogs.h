#pragma once

#include <QString>

class QWidget;

namespace custodex {

// The open and save dialogs; an empty result means the user cancelled.
struct FileDialogRequest {
    QString Title;
    QString Folder;
    QString FileName;
    QString Filter; // Qt filter text, e.g. "Client Data Base Files (*.cdb)"
    QString DefaultSuffix;
    bool ConfirmOverwrite = false; // the dialog itself asks before replacing a file
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString OpenFileName(const FileDialogRequest& request) = 0;
    virtual QString SaveFileName(const FileDialogRequest& request) = 0;
};

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : Parent(parent) {}
    QString OpenFileName(const FileDialogRequest& request) override;
    QString SaveFileName(const FileDialogRequest& request) override;

private:
    QWidget* Parent;
};

} // namespace custodex
