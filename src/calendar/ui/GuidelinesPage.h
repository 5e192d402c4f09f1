#pragma once

#include "calendar/Guidelines.h"

#include <QDialog>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace custodex {

class Prompter;

// One guideline's name, measure and figure; OK refuses what cannot be a guideline with a
// message and the focus on the field at fault.
class GuidelineEditor : public QDialog {
    Q_OBJECT

public:
    GuidelineEditor(Prompter& messages, const std::vector<Guideline>& others,
                    QWidget* parent = nullptr);

    // Shows the dialog for `start` (a new guideline when empty); the guideline on OK.
    std::optional<Guideline> Edit(const std::optional<Guideline>& start);

    QLineEdit* Name = nullptr;
    QComboBox* Measure = nullptr;
    QLineEdit* AtLeast = nullptr;
    QLabel* Rule = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    void OkClick();

private:
    Prompter& Messages;
    const std::vector<Guideline>& Others; // names another guideline already has
    QString EditedName;
    std::optional<Guideline> Result;
};

// The preferences' Guidelines page: the calendar's list with Add, Edit and Remove. It works on
// a copy that the preferences store on OK.
class GuidelinesPage : public QWidget {
    Q_OBJECT

public:
    GuidelinesPage(Prompter& messages, QWidget* parent = nullptr);

    // `keptLines`: the calendar's guideline lines it could not read, which count towards the
    // limit as the reader counts them.
    void Load(const std::vector<Guideline>& guidelines, int keptLines = 0);
    const std::vector<Guideline>& Guidelines() const { return List; }
    // Called after every change the user makes.
    std::function<void()> Changed;

    QListWidget* Items = nullptr;
    QPushButton* AddBtn = nullptr;
    QPushButton* EditBtn = nullptr;
    QPushButton* RemoveBtn = nullptr;
    GuidelineEditor* Editor = nullptr;

    void AddClick();
    void EditClick();
    void RemoveClick();

private:
    void Fill(int current);

    Prompter& Messages;
    std::vector<Guideline> List;
    int KeptLines = 0;
};

} // namespace custodex
