#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace custodex {

class ProgramLauncher;
class Prompter;

inline const QString ProgramWebSite = QStringLiteral("https://www.custodex.example/calendar");

// Display names of the tutorials in the folder: "Intro.EXE" and "Intro" both list as Intro.
QStringList FindTutorials(const QString& tutorialsFolder);

class TVTutorials : public QDialog {
    Q_OBJECT

public:
    TVTutorials(const QString& tutorialsFolder, ProgramLauncher& launcher, Prompter& prompter,
                QWidget* parent = nullptr);

    QComboBox* TutorialList = nullptr;
    QPushButton* ViewBtn = nullptr;
    QPushButton* CloseBtn = nullptr;

    void ViewBtnClick();
    void CloseBtnClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString Folder;
    ProgramLauncher& Launcher;
    Prompter& Messages;
    bool Found = false;
    bool Filled = false;
};

} // namespace custodex
