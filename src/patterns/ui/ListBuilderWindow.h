#pragma once

#include "patterns/IcsImport.h"
#include "patterns/ListTemplate.h"

#include <QDialog>
#include <QMainWindow>

#include <atomic>
#include <optional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;

namespace custodex {

class FileDialogs;
class Prompter;

// One entry, or a range of days given the same kind and reason.
class ListEntryDialog : public QDialog {
    Q_OBJECT

public:
    ListEntryDialog(Prompter& messages, QWidget* parent = nullptr);

    // A range of entries for Add (`range` true) or one entry for Edit; nothing on Cancel.
    std::optional<std::vector<ListLine>> Ask(const ListTemplate& list, const ListLine& start,
                                             bool range);

    QRadioButton* Overnight = nullptr;
    QRadioButton* DayVisit = nullptr;
    QDateEdit* From = nullptr;
    QDateEdit* To = nullptr;
    QLineEdit* Reason = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void OkClick();

private:
    Prompter& Messages;
    const ListTemplate* List = nullptr;
    std::vector<ListLine> Result;
};

// How an .ics file's events become entries: as nights or as day visits, with their own
// summaries or one reason.
class IcsImportDialog : public QDialog {
    Q_OBJECT

public:
    explicit IcsImportDialog(QWidget* parent = nullptr);
    QRadioButton* AsOvernights = nullptr;
    QRadioButton* AsDayVisits = nullptr;
    QLineEdit* Reason = nullptr;
};

// custodex-list-builder's window: a custom list template for 24 months from a start month,
// its entries added by hand or from a school's .ics calendar, saved where "Apply/Remove a
// Custom List" takes it.
class TListBuilder : public QMainWindow {
    Q_OBJECT

public:
    // `forCalendar`: started for an open calendar, whose start and client stay as given.
    TListBuilder(Prompter& messages, FileDialogs& dialogs, ListTemplate start, QString folder,
                 bool forCalendar, QWidget* parent = nullptr);

    const ListTemplate& Template() const { return List; }
    bool Modified() const { return Changed; }
    const QString& FilePath() const { return Path; }

    QLineEdit* Client = nullptr;
    QSpinBox* StartYear = nullptr;
    QComboBox* StartMonth = nullptr;
    QLabel* SpanLabel = nullptr;
    QTreeWidget* Entries = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    QPushButton* ImportBtn = nullptr;
    QPushButton* OpenBtn = nullptr;
    QPushButton* SaveBtn = nullptr;
    QPushButton* SaveAsBtn = nullptr;
    ListEntryDialog* EntryDialog = nullptr;
    IcsImportDialog* ImportDialog = nullptr;

    void AddClick();
    void EditClick();
    void RemoveClick();
    void ImportClick();
    void OpenClick();
    bool SaveClick();
    bool SaveAsClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowSpan();
    void Fill(int current);
    void Touch();
    // Refuses entries outside the span; Save As asks before replacing another file.
    bool WriteTo(const QString& path, bool askBeforeReplacing);
    void ShowTitle();
    // The import on a thread of its own while the window answers, with a progress bar and
    // Cancel once it takes a moment; nothing when cancelled. The list is not touched.
    std::optional<IcsImportResult>
    RunImport(const QByteArray& bytes, const IcsImportRequest& request, const QString& fileName);

    Prompter& Messages;
    FileDialogs& Dialogs;
    ListTemplate List;
    QString Folder;
    QString Path;
    bool Changed = false;
    bool Filling = false;
    std::atomic<bool>* ImportCancel = nullptr; // while an import runs
    bool CloseAfterImport = false;
};

} // namespace custodex
