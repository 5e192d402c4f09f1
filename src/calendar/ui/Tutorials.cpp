#include "calendar/ui/Tutorials.h"

#include "platform/ProgramLauncher.h"
#include "platform/Prompter.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace custodex {

QStringList FindTutorials(const QString& tutorialsFolder)
{
    QStringList names;
    const QDir dir(tutorialsFolder);
    for (const QFileInfo& file : dir.entryInfoList(QDir::Files, QDir::Name)) {
        QString name = file.fileName();
        if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
            name.chop(4);
        else if (name.contains(QLatin1Char('.')) || !file.isExecutable())
            continue;
        if (!names.contains(name))
            names << name;
    }
    return names;
}

TVTutorials::TVTutorials(const QString& tutorialsFolder, ProgramLauncher& launcher,
                         Prompter& prompter, QWidget* parent)
    : QDialog(parent), Folder(tutorialsFolder), Launcher(launcher), Messages(prompter)
{
    setObjectName(QStringLiteral("TVTutorials"));
    setWindowTitle(QStringLiteral("View Tutorials"));
    auto* title = new QLabel(QStringLiteral("CustodexCalendar Tutorials"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    title->setFont(bold);
    TutorialList = new QComboBox(this);
    TutorialList->setObjectName(QStringLiteral("TutorialList"));
    TutorialList->setEditable(true);
    TutorialList->setEditText(QStringLiteral("There are no tutorials to view"));
    TutorialList->setMinimumWidth(300);
    ViewBtn = new QPushButton(QStringLiteral("&View"), this);
    ViewBtn->setObjectName(QStringLiteral("ViewBtn"));
    ViewBtn->setDefault(true);
    CloseBtn = new QPushButton(QStringLiteral("&Close"), this);
    connect(ViewBtn, &QPushButton::clicked, this, &TVTutorials::ViewBtnClick);
    connect(CloseBtn, &QPushButton::clicked, this, &TVTutorials::CloseBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ViewBtn);
    buttons->addWidget(CloseBtn);
    auto* note = new QLabel(
        QStringLiteral("The tutorials show the two-year calendar; what they teach applies to the "
                       "other editions as well."),
        this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("Select tutorial, then click View"), this));
    layout->addWidget(TutorialList);
    layout->addWidget(note);
    layout->addLayout(buttons);
}

void TVTutorials::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (Filled)
        return;
    Filled = true;
    const QStringList names = FindTutorials(Folder);
    Found = !names.isEmpty();
    ViewBtn->setEnabled(Found);
    if (Found) {
        TutorialList->clear();
        TutorialList->addItems(names);
        TutorialList->setEditText(names.first());
    }
}

void TVTutorials::ViewBtnClick()
{
    const QString program =
        FindCompanionProgram(Folder, TutorialList->currentText() + QStringLiteral(".exe"));
    if (!program.isEmpty())
        Launcher.Start(program, {});
}

void TVTutorials::CloseBtnClick()
{
    Messages.Ask(
        PromptKind::Information,
        Found ? QStringLiteral(
                    "Check our website for new tutorials added since this software release:\n\r") +
                    ProgramWebSite
              : QStringLiteral(
                    "There are no tutorials to display!  You may wish\n\rto view the tutorials on "
                    "our website at\n\r") +
                    ProgramWebSite,
        PromptButtons::Ok);
    Messages.Ask(
        PromptKind::Information,
        QStringLiteral(
            "To make new tutorials permanently available on your system download\n\rthem to the "
            "following directory:\n\r") +
            Folder,
        PromptButtons::Ok);
    accept();
}

} // namespace custodex
