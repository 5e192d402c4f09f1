#include "calendar/ui/RecoveryWindow.h"

#include "platform/FileAccess.h"
#include "platform/Prompter.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace custodex {

QString RecoveryFileText(const RecoveryCopy& copy)
{
    if (copy.OriginalPath.isEmpty())
        return QStringLiteral("(never saved)");
    if (OriginalChangedSince(copy))
        return copy.OriginalPath + QStringLiteral(" (changed on disk since; recovers as ") +
               FileNameOfPath(RecoveredPath(copy.OriginalPath)) + QLatin1Char(')');
    return copy.OriginalPath;
}

RecoveryWindow::RecoveryWindow(std::vector<RecoveryCopy> copies, Prompter& messages,
                               QWidget* parent)
    : QDialog(parent), Copies(std::move(copies)), Messages(messages)
{
    setObjectName(QStringLiteral("RecoveryWindow"));
    setWindowTitle(RecoveryWindowTitle);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("These calendars have changes that were never saved. Recover one to "
                       "open it with those changes, then save it."),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    CopyList = new QTreeWidget(this);
    CopyList->setObjectName(QStringLiteral("CopyList"));
    CopyList->setRootIsDecorated(false);
    CopyList->setHeaderLabels({QStringLiteral("Client"), QStringLiteral("File"),
                               QStringLiteral("Last change"), QStringLiteral("Days that differ"),
                               QStringLiteral("Kept because")});
    CopyList->setAccessibleName(QStringLiteral("Calendars with unsaved changes"));
    intro->setBuddy(CopyList);
    layout->addWidget(CopyList);
    auto* buttons = new QDialogButtonBox(this);
    RecoverBtn = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    RecoverBtn->setObjectName(QStringLiteral("RecoverBtn"));
    DiscardBtn = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    DiscardBtn->setObjectName(QStringLiteral("DiscardBtn"));
    LaterBtn = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    LaterBtn->setObjectName(QStringLiteral("LaterBtn"));
    RecoverBtn->setDefault(true);
    layout->addWidget(buttons);
    connect(RecoverBtn, &QPushButton::clicked, this, &RecoveryWindow::RecoverBtnClick);
    connect(DiscardBtn, &QPushButton::clicked, this, &RecoveryWindow::DiscardBtnClick);
    connect(LaterBtn, &QPushButton::clicked, this, &QDialog::reject);
    ShowCopies();
    resize(760, 260);
}

void RecoveryWindow::ShowCopies()
{
    CopyList->clear();
    for (const RecoveryCopy& copy : Copies) {
        auto* row = new QTreeWidgetItem(CopyList);
        row->setText(0, copy.ClientName);
        row->setText(1, RecoveryFileText(copy));
        row->setText(2, QLocale().toString(copy.LastChange.toLocalTime(), QLocale::ShortFormat));
        row->setText(3, QString::number(DaysDiffering(copy)));
        row->setText(4, copy.Reason == RecoveryReason::Declined
                            ? QStringLiteral("Not saved when asked")
                            : QStringLiteral("Program ended without saving"));
    }
    for (int column = 0; column < CopyList->columnCount(); ++column)
        CopyList->resizeColumnToContents(column);
    if (!Copies.empty())
        CopyList->setCurrentItem(CopyList->topLevelItem(0));
    RecoverBtn->setEnabled(!Copies.empty());
    DiscardBtn->setEnabled(!Copies.empty());
}

int RecoveryWindow::Chosen() const
{
    QTreeWidgetItem* row = CopyList->currentItem();
    return row ? CopyList->indexOfTopLevelItem(row) : -1;
}

std::optional<RecoveryCopy> RecoveryWindow::Execute()
{
    Recovered.reset();
    CopyList->setFocus();
    exec();
    return Recovered;
}

void RecoveryWindow::RecoverBtnClick()
{
    const int chosen = Chosen();
    if (chosen < 0)
        return;
    Recovered = Copies.at(static_cast<std::size_t>(chosen));
    accept();
}

void RecoveryWindow::DiscardBtnClick()
{
    const int chosen = Chosen();
    if (chosen < 0)
        return;
    const RecoveryCopy& copy = Copies.at(static_cast<std::size_t>(chosen));
    if (Messages.Ask(PromptKind::Confirmation,
                     QStringLiteral("Discard the unsaved changes to ") + copy.ClientName +
                         QStringLiteral("?\n\rThey cannot be recovered afterwards."),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    RemoveRecoveryCopy(copy);
    Copies.erase(Copies.begin() + chosen);
    ShowCopies();
    if (Copies.empty())
        reject();
}

} // namespace custodex
