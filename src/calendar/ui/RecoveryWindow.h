#pragma once

#include "calendar/Recovery.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace custodex {

class Prompter;

// The "Recover Unsaved Changes" window: the copies kept of calendars whose changes were
// never saved, each with its client, file, last change and the days that differ from the
// file on disk; Recover (the default) opens the one chosen, Discard removes it after a
// question, Later closes and keeps every copy.
class RecoveryWindow : public QDialog {
    Q_OBJECT

public:
    RecoveryWindow(std::vector<RecoveryCopy> copies, Prompter& messages, QWidget* parent = nullptr);
    // The copy to recover; nothing for Later (or Escape, or when every copy was discarded).
    std::optional<RecoveryCopy> Execute();

    QTreeWidget* CopyList = nullptr;
    QPushButton* RecoverBtn = nullptr;
    QPushButton* DiscardBtn = nullptr;
    QPushButton* LaterBtn = nullptr;

private:
    void ShowCopies();
    void RecoverBtnClick();
    void DiscardBtnClick();
    int Chosen() const;

    std::vector<RecoveryCopy> Copies;
    Prompter& Messages;
    std::optional<RecoveryCopy> Recovered;
};

// What a row of the window says of a copy's file: its path, "(never saved)", and a note when
// another program saved the file since.
QString RecoveryFileText(const RecoveryCopy& copy);

} // namespace custodex
