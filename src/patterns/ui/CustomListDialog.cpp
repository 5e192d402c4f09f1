#include "patterns/ui/CustomListDialog.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "patterns/BulkDialogRules.h"
#include "patterns/ui/BulkDialogParts.h"
#include "platform/FileDialogs.h"
#include "platform/Prompter.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

namespace {

// The delay after which a dialog without an accepted file closes, so it is seen first.
constexpr int AcceptedCheckDelay = 250;

} // namespace

TACustomList::TACustomList(Prompter& prompter, FileDialogs& dialogs, TUserClock& clock,
                           std::function<void()> preview, std::function<void()> refresh,
                           QWidget* parent)
    : TBulkDialog(prompter, std::move(preview), std::move(refresh), parent), Dialogs(dialogs),
      Clock(clock)
{
    setObjectName(QStringLiteral("TACustomList"));
    setWindowTitle(QStringLiteral("Add/Remove a Custom List"));

    CustomReason = new QLineEdit(this);
    CustomReason->setObjectName(QStringLiteral("CustomReason"));
    CustomReason->setReadOnly(true);
    CustomReason->setFocusPolicy(Qt::NoFocus);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("Reason List File Name:"), this));
    fileRow->addWidget(CustomReason, 1);

    CreationLbl = new QLabel(this);
    CreationLbl->setObjectName(QStringLiteral("CreationLbl"));
    QFont bold = CreationLbl->font();
    bold.setBold(true);
    CreationLbl->setFont(bold);

    CustomDates = new QListWidget(this);
    CustomDates->setObjectName(QStringLiteral("CustomDates"));
    CustomDates->setSelectionMode(QAbstractItemView::ExtendedSelection);
    CustomDates->setMinimumSize(520, CustomDates->fontMetrics().height() * 14);
    CustomDates->setToolTip(QStringLiteral("Select the entries to apply or remove (Ctrl and "
                                           "Shift select several)"));

    auto* times = new QHBoxLayout;
    TimePair overnight;
    TimePair dayVisit;
    times->addWidget(
        MakeTimePairBox(this, QStringLiteral("Overnight Stay Times"),
                        {"OverNiteStrtTime", "OverNiteEndTime", "Clicker1", "Clicker2"}, overnight,
                        [this](bool end) { EditTime(true, end); }));
    times->addWidget(
        MakeTimePairBox(this, QStringLiteral("Day Visit Times"),
                        {"DayVisitStrtTime", "DayVisitEndTime", "Clicker3", "Clicker4"}, dayVisit,
                        [this](bool end) { EditTime(false, end); }));
    OverNiteStrtTime = overnight.Start;
    OverNiteEndTime = overnight.End;
    Clicker1 = overnight.StartButton;
    Clicker2 = overnight.EndButton;
    DayVisitStrtTime = dayVisit.Start;
    DayVisitEndTime = dayVisit.End;
    Clicker3 = dayVisit.StartButton;
    Clicker4 = dayVisit.EndButton;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(CreationLbl);
    layout->addWidget(CustomDates, 1);
    layout->addLayout(times);
    QWidget* buttons = BuildButtons(QStringLiteral("Mark the selected entries"),
                                    QStringLiteral("Remove the marks of the selected entries"),
                                    QStringLiteral("&Cancel"));
    layout->addWidget(buttons);
    FitCaption(this, buttons);

    QWidget* order[] = {CustomDates, OverNiteStrtTime, Clicker1,  OverNiteEndTime,
                        Clicker2,    DayVisitStrtTime, Clicker3,  DayVisitEndTime,
                        Clicker4,    ApplyBtn,         RemoveBtn, UndoBtn,
                        PreviewBtn,  BitBtn1,          CancelBtn};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

bool TACustomList::Execute(CalendarDocument& doc)
{
    Doc = &doc;
    ResetCustomListDialog(Entries);
    ShowState();
    // The open dialog comes once this dialog is on screen.
    QTimer::singleShot(0, this, &TACustomList::OpenTemplate);
    const bool saved = exec() == QDialog::Accepted;
    Doc = nullptr;
    return saved;
}

void TACustomList::OpenTemplate()
{
    if (!Doc)
        return;
    FileDialogRequest request;
    request.Title = QStringLiteral("Open a Custom List Template");
    request.Folder = Doc->ClientFolder;
    request.Filter = TemplateFilter;
    request.DefaultSuffix = TemplateSuffix;
    const QString path = Dialogs.OpenFileName(request);
    if (!path.isEmpty())
        LoadCustomListFile(*Doc, Entries, path, Messages);
    ShowState();
    CustomDates->clearSelection();
    CustomDates->setFocus();
    QTimer::singleShot(AcceptedCheckDelay, this, &TACustomList::CheckAccepted);
}

void TACustomList::CheckAccepted()
{
    if (Entries.Accepted || !isVisible())
        return;
    Messages.Ask(PromptKind::Information, SelectAnotherFileMessage, PromptButtons::Ok);
    // Nothing was applied: the dialog closes without the bulk dialogs' Cancel question.
    QDialog::reject(); // NOLINT(bugprone-parent-virtual-call)
}

void TACustomList::ShowState()
{
    CustomReason->setText(Entries.FileName);
    CreationLbl->setText(Entries.Accepted ? TemplateCaption(Entries.List.Header) : QString());
    CustomDates->clear();
    if (Entries.Accepted) {
        const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
        for (const TemplateEntry& entry : Entries.List.Entries) {
            auto* item = new QListWidgetItem(TemplateEntryText(entry), CustomDates);
            if (!entry.Applicable) {
                item->setForeground(grey);
                item->setToolTip(QStringLiteral("Line %1 is not a custom list entry: %2")
                                     .arg(entry.LineNumber)
                                     .arg(entry.Problem));
            }
        }
    }
    OverNiteStrtTime->setText(Entries.Times.OverNiteStrtTime);
    OverNiteEndTime->setText(Entries.Times.OverNiteEndTime);
    DayVisitStrtTime->setText(Entries.Times.DayVisitStrtTime);
    DayVisitEndTime->setText(Entries.Times.DayVisitEndTime);
    UndoBtn->setEnabled(Entries.UndoEnabled);
}

std::vector<int> TACustomList::SelectedEntries() const
{
    std::vector<int> selected;
    for (QListWidgetItem* item : CustomDates->selectedItems())
        selected.push_back(CustomDates->row(item));
    return selected;
}

void TACustomList::EditTime(bool overnight, bool end)
{
    if (!Doc || !Entries.Accepted)
        return;
    QLineEdit* field = overnight ? (end ? OverNiteEndTime : OverNiteStrtTime)
                                 : (end ? DayVisitEndTime : DayVisitStrtTime);
    ListTimes& times = Entries.Times;
    QString& value = overnight ? (end ? times.OverNiteEndTime : times.OverNiteStrtTime)
                               : (end ? times.DayVisitEndTime : times.DayVisitStrtTime);
    EditTimeField(Clock, *Doc, field, value, {QString(), ListTimePrompt(overnight, end)},
                  ClockPlace::AboveCentred);
}

void TACustomList::ApplyBtnClick()
{
    RunClick(
        [this](CalendarDocument& doc, OverwriteQuestions& questions) {
            ApplyListEntriesClick(doc, Entries, SelectedEntries(), questions);
        },
        UndoBtn, Entries.UndoEnabled);
}

void TACustomList::RemoveBtnClick()
{
    RunClick(
        [this](CalendarDocument& doc, OverwriteQuestions& questions) {
            RemoveListEntriesClick(doc, Entries, SelectedEntries(), questions);
        },
        UndoBtn, Entries.UndoEnabled);
}

void TACustomList::UndoBtnClick()
{
    RunClick([this](CalendarDocument& doc, OverwriteQuestions&) { UndoListClick(doc, Entries); },
             UndoBtn, Entries.UndoEnabled);
}

} // namespace custodex
