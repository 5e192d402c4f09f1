#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class QAction;

namespace custodex {

struct CalendarDocument;
class FileDialogs;
class Prompter;
class PrintDialog;

// "Hourly Distribution Report Errors and Warnings": the message list of the last run, printed
// on paper or saved as the ".log" file.
class TShowErrors : public QDialog {
    Q_OBJECT

public:
    TShowErrors(CalendarDocument& doc, Prompter& prompter, FileDialogs& dialogs,
                PrintDialog& printing, QWidget* parent = nullptr);

    // Shows `messages` modally; the list is emptied again when the window closes.
    void Execute(const QStringList& messages);

    QListWidget* ErrorList = nullptr;
    QPushButton* CloseBtn = nullptr;
    QAction* PrintItem = nullptr;
    QAction* CloseItem = nullptr;

    void PrintClick();

protected:
    void done(int result) override;

private:
    void SaveLogFile();

    CalendarDocument& Doc;
    Prompter& Messages;
    FileDialogs& Dialogs;
    PrintDialog& Printing;
    QStringList Lines;
};

} // namespace custodex
