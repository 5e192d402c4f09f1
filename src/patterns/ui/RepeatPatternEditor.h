#pragma once

#include "patterns/RepeatPatterns.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace custodex {

class Prompter;

// "Add/Modify a Custom Repeat Pattern": the editor of the client folder's "CustomPats.txt".
// It works without a calendar; its list lives only while it is open, the file is the store.
class TMakeRepeatPattern : public QDialog {
    Q_OBJECT

public:
    TMakeRepeatPattern(Prompter& prompter, QWidget* parent);

    // Reads the folder's patterns and shows the editor modally; true after Save/Close.
    bool Execute(const QString& clientFolder);

    const RepeatPatternEditorState& State() const { return Editor; }

    QLineEdit* PatternName = nullptr;
    QLineEdit* UserPattrn = nullptr;
    QLabel* ErrorLbl = nullptr;
    QPushButton* AcceptBtn = nullptr;
    QListWidget* PatsList = nullptr;
    QPushButton* BitBtn3 = nullptr; // Modify
    QPushButton* BitBtn5 = nullptr; // Delete
    QPushButton* SaveAndClose = nullptr;
    QPushButton* BitBtn4 = nullptr; // Cancel

    void AcceptBtnClick();
    void BitBtn3Click();
    void BitBtn5Click();
    void SaveAndCloseClick();
    void BitBtn4Click();

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowList();
    void NameEdited(const QString& text);
    int ChosenItem() const;

    Prompter& Messages;
    RepeatPatternEditorState Editor;
    QString Folder;
};

} // namespace custodex
