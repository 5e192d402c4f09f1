#include "patterns/ui/RepeatPatternDialog.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "patterns/BulkDialogRules.h"
#include "patterns/ui/BulkDialogParts.h"
#include "platform/Prompter.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

TCustomPatterns::TCustomPatterns(Prompter& prompter, TUserClock& clock,
                                 std::function<void()> preview, std::function<void()> refresh,
                                 QWidget* parent)
    : TBulkDialog(prompter, std::move(preview), std::move(refresh), parent), Clock(clock)
{
    setObjectName(QStringLiteral("TCustomPatterns"));
    setWindowTitle(QStringLiteral("Apply a Custom Pattern"));

    PatternList = new QListWidget(this);
    PatternList->setObjectName(QStringLiteral("PatternList"));
    PatternList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    PatternList->setMinimumSize(360, PatternList->fontMetrics().height() * 7);
    auto* listLabel = new QLabel(QStringLiteral("Select a &Pattern from the list -->"), this);
    listLabel->setBuddy(PatternList);
    PatternNameLabel = new QLabel(this);
    PatternNameLabel->setObjectName(QStringLiteral("PatternNameLabel"));
    PatternLabel = new QLabel(this);
    PatternLabel->setObjectName(QStringLiteral("PatternLabel"));
    PatternLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    for (QLabel* label : {PatternNameLabel, PatternLabel})
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* chosen = new QGridLayout;
    chosen->addWidget(new QLabel(QStringLiteral("Selected Pattern Name:"), this), 0, 0);
    chosen->addWidget(PatternNameLabel, 0, 1);
    chosen->addWidget(new QLabel(QStringLiteral("Selected Pattern:"), this), 1, 0);
    chosen->addWidget(PatternLabel, 1, 1);
    chosen->setColumnStretch(1, 1);

    auto* top = new QGridLayout;
    top->addWidget(listLabel, 0, 0, Qt::AlignTop);
    top->addWidget(PatternList, 0, 1);
    top->addLayout(chosen, 1, 1);
    top->setColumnStretch(1, 1);

    Range = new TDateRangeGroup(QStringLiteral("Start On"), QStringLiteral("End On"), this);
    Range->Bind(&Entries.Range);

    auto* times = new QHBoxLayout;
    TimePair overnight;
    TimePair dayVisit;
    times->addWidget(MakeTimePairBox(this, QStringLiteral("OverNight Pickup/Dropoff Times "),
                                     {"ONStrtTime", "ONEndTime", "SClick1", "SClick2"}, overnight,
                                     [this](bool end) { EditTime(true, end); }));
    times->addWidget(MakeTimePairBox(this, QStringLiteral("Day Visit Pickup/Dropoff Times"),
                                     {"DVStrtTime", "DVEndTime", "BitBtn3", "BitBtn4"}, dayVisit,
                                     [this](bool end) { EditTime(false, end); }));
    ONStrtTime = overnight.Start;
    ONEndTime = overnight.End;
    SClick1 = overnight.StartButton;
    SClick2 = overnight.EndButton;
    DVStrtTime = dayVisit.Start;
    DVEndTime = dayVisit.End;
    BitBtn3 = dayVisit.StartButton;
    BitBtn4 = dayVisit.EndButton;

    auto* reasonBox = new QGroupBox(QStringLiteral("Reason"), this);
    Alias = new QLineEdit(reasonBox);
    Alias->setObjectName(QStringLiteral("Alias"));
    Alias->setMaxLength(RepeatPatternNameCapacity);
    Alias->setToolTip(QStringLiteral("The reason the marked days get; Remove clears the marks "
                                     "with exactly this reason"));
    auto* reasonRow = new QHBoxLayout(reasonBox);
    reasonRow->addWidget(Alias);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Range);
    layout->addLayout(times);
    layout->addWidget(reasonBox);
    QWidget* buttons = BuildButtons(
        QStringLiteral("Lay the chosen pattern over the date range"),
        QStringLiteral("Remove every mark in the date range whose reason is exactly this one"),
        QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this, buttons);

    QWidget* order[] = {PatternList,      Range->FirstMonth, Range->FirstDay, Range->FirstYear,
                        Range->LastMonth, Range->LastDay,    Range->LastYear, ONStrtTime,
                        SClick1,          ONEndTime,         SClick2,         DVStrtTime,
                        BitBtn3,          DVEndTime,         BitBtn4,         Alias,
                        ApplyBtn,         RemoveBtn,         UndoBtn,         PreviewBtn,
                        BitBtn1,          CancelBtn};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // A click or the arrow keys choose a pattern; the current row that focus alone gives the
    // list chooses none.
    connect(PatternList, &QListWidget::itemSelectionChanged, this,
            &TCustomPatterns::PatternListClick);
    connect(Alias, &QLineEdit::textEdited, this, &TCustomPatterns::ReasonEdited);
}

bool TCustomPatterns::Execute(CalendarDocument& doc)
{
    PrompterOverwriteQuestions questions(Messages);
    if (!OpenRepeatDialog(doc, Entries, questions))
        return false;
    Doc = &doc;
    ShowState();
    PatternList->setFocus();
    const bool saved = exec() == QDialog::Accepted;
    Doc = nullptr;
    return saved;
}

void TCustomPatterns::ShowState()
{
    const QSignalBlocker blocker(PatternList);
    if (PatternList->count() != Entries.Items.size()) {
        PatternList->clear();
        PatternList->addItems(Entries.Items);
    }
    else
        for (int i = 0; i < PatternList->count(); ++i)
            PatternList->item(i)->setText(Entries.Items.at(i));
    if (!Entries.Chosen)
        PatternList->clearSelection();
    PatternNameLabel->setText(Entries.Chosen ? Entries.Chosen->Name : QString());
    PatternLabel->setText(Entries.Chosen ? Entries.Chosen->Letters : QString());
    Range->ShowBlock();
    ONStrtTime->setText(Entries.ONStrtTime);
    ONEndTime->setText(Entries.ONEndTime);
    DVStrtTime->setText(Entries.DVStrtTime);
    DVEndTime->setText(Entries.DVEndTime);
    Alias->setText(Entries.Reason);
    ApplyBtn->setEnabled(Entries.ApplyEnabled);
    UndoBtn->setEnabled(Entries.UndoEnabled);
}

void TCustomPatterns::PatternListClick()
{
    const QList<QListWidgetItem*> chosen = PatternList->selectedItems();
    if (chosen.isEmpty())
        return;
    const int row = PatternList->row(chosen.first());
    ChooseRepeatPattern(Entries, row);
    PatternNameLabel->setText(Entries.Chosen->Name);
    PatternLabel->setText(Entries.Chosen->Letters);
    Alias->setText(Entries.Reason);
}

void TCustomPatterns::ReasonEdited(const QString& text)
{
    QString kept = text;
    const QStringList messages = TypedNameRules(kept);
    if (kept != text)
        Alias->setText(kept);
    Entries.Reason = kept;
    for (const QString& message : messages)
        Messages.Ask(message.startsWith(QStringLiteral("Stop!")) ? PromptKind::Information
                                                                 : PromptKind::Error,
                     message, PromptButtons::Ok);
}

void TCustomPatterns::EditTime(bool overnight, bool end)
{
    if (!Doc)
        return;
    QLineEdit* field = overnight ? (end ? ONEndTime : ONStrtTime) : (end ? DVEndTime : DVStrtTime);
    QString& value = overnight ? (end ? Entries.ONEndTime : Entries.ONStrtTime)
                               : (end ? Entries.DVEndTime : Entries.DVStrtTime);
    EditTimeField(Clock, *Doc, field, value, RepeatTimePrompt(overnight, end));
}

void TCustomPatterns::ApplyBtnClick()
{
    Range->TakeEntries();
    RunClick(
        [this](CalendarDocument& doc, OverwriteQuestions& questions) {
            const RepeatRunResult result = ApplyRepeatClick(doc, Entries, questions);
            if (result.RangeFocus != RangeField::None)
                Range->FocusField(result.RangeFocus);
        },
        UndoBtn, Entries.UndoEnabled);
}

void TCustomPatterns::RemoveBtnClick()
{
    Range->TakeEntries();
    RunClick([this](CalendarDocument& doc,
                    OverwriteQuestions& questions) { RemoveRepeatClick(doc, Entries, questions); },
             UndoBtn, Entries.UndoEnabled);
}

void TCustomPatterns::UndoBtnClick()
{
    RunClick([this](CalendarDocument& doc, OverwriteQuestions&) { UndoRepeatClick(doc, Entries); },
             UndoBtn, Entries.UndoEnabled);
}

} // namespace custodex
