#pragma once

#include "output/CsvExport.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace custodex {

class FileDialogs;
class Prompter;

// Chooses the columns and separator of the CSV export and writes the file.
class TCsvConvert : public QDialog {
    Q_OBJECT

public:
    TCsvConvert(Prompter& prompter, FileDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the dialog modally; the options stay as they were left for the next opening.
    void Execute(CalendarDocument& doc);
    // What the last showing wrote, for the status bar ("Exported Garcia.csv"), or empty.
    const QString& Said() const { return Words; }
    CsvOptions Options() const;

    QCheckBox* CsvYear = nullptr;
    QCheckBox* CsvMonth = nullptr;
    QCheckBox* CsvDay = nullptr;
    QCheckBox* CsvWeekDay = nullptr;
    QGroupBox* CsvOvrNites = nullptr;
    QCheckBox* CsvOvrNiteReason = nullptr;
    QCheckBox* CsvOvrNiteStrtTime = nullptr;
    QCheckBox* CsvOvrNiteEndTime = nullptr;
    QGroupBox* CsvDayVisits = nullptr;
    QCheckBox* CsvDayVisitReason = nullptr;
    QCheckBox* CsvDayVisitStrtTime = nullptr;
    QCheckBox* CsvDayVisitEndTime = nullptr;
    QCheckBox* CsvBlankDays = nullptr;
    QRadioButton* RadioComma = nullptr;
    QRadioButton* RadioSemicolon = nullptr;
    QRadioButton* RadioCustom = nullptr;
    QLineEdit* RadioEdit = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void SaveBtnClick();

private:
    Prompter& Messages;
    FileDialogs& Dialogs;
    CalendarDocument* Doc = nullptr;
    QString Words;
};

} // namespace custodex
