#include "calendar/ui/GuidelinesPage.h"

#include "calendar/ui/DialogParts.h"

#include "platform/Prompter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace custodex {

namespace {

constexpr const auto& Measures = AllGuidelineMeasures;

QString ListText(const Guideline& guideline)
{
    return guideline.Name + QStringLiteral("  \u2014  ") +
           GuidelineMeasureCaption(guideline.Measure) + QStringLiteral(", at least ") +
           GuidelineValueText(guideline);
}

} // namespace

GuidelineEditor::GuidelineEditor(Prompter& messages, const std::vector<Guideline>& others,
                                 QWidget* parent)
    : QDialog(parent), Messages(messages), Others(others)
{
    setObjectName(QStringLiteral("GuidelineEditor"));
    setWindowTitle(QStringLiteral("Guideline"));
    Name = new QLineEdit(this);
    Name->setObjectName(QStringLiteral("GuidelineName"));
    // The limit counts characters as a user sees them, and one can take several code units
    // (accents, flags): the field leaves room for them and OK counts.
    Name->setMaxLength(GuidelineNameCapacity * 8);
    Measure = new QComboBox(this);
    Measure->setObjectName(QStringLiteral("GuidelineMeasure"));
    for (const GuidelineMeasure measure : Measures)
        Measure->addItem(GuidelineMeasureCaption(measure));
    AtLeast = new QLineEdit(this);
    AtLeast->setObjectName(QStringLiteral("GuidelineAtLeast"));
    Rule = new QLabel(this);
    Rule->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Name:"), Name);
    form->addRow(QStringLiteral("&Measure:"), Measure);
    form->addRow(QStringLiteral("At &least:"), AtLeast);
    form->addRow(QString(), Rule);
    const OkCancelButtons buttons = LayOutWithOkCancel(*this, form);
    OkBtn = buttons.Ok;
    CancelBtn = buttons.Cancel;
    connect(OkBtn, &QPushButton::clicked, this, &GuidelineEditor::OkClick);
    connect(Measure, &QComboBox::currentIndexChanged, this, [this](int index) {
        Rule->setText(GuidelineValueRule(Measures[static_cast<std::size_t>(std::max(0, index))]));
    });
    setMinimumWidth(420);
}

std::optional<Guideline> GuidelineEditor::Edit(const std::optional<Guideline>& start)
{
    Result.reset();
    EditedName = start ? start->Name : QString();
    Name->setText(start ? start->Name : QString());
    const auto at =
        start ? std::find(Measures.begin(), Measures.end(), start->Measure) : Measures.begin();
    Measure->setCurrentIndex(static_cast<int>(at - Measures.begin()));
    Rule->setText(GuidelineValueRule(*at));
    AtLeast->setText(start ? GuidelineValueText(*start) : QString());
    Name->setFocus();
    Name->selectAll();
    exec();
    return Result;
}

void GuidelineEditor::OkClick()
{
    const QString name = Name->text();
    QString problem = GuidelineNameProblem(name);
    if (problem.isEmpty() && name != EditedName &&
        std::any_of(Others.begin(), Others.end(),
                    [&](const Guideline& other) { return other.Name == name; }))
        problem =
            QStringLiteral("There is a guideline named \"") + name + QStringLiteral("\" already.");
    if (!problem.isEmpty()) {
        Messages.Ask(PromptKind::Error, problem, PromptButtons::Ok);
        Name->setFocus();
        return;
    }
    const GuidelineMeasure measure =
        Measures[static_cast<std::size_t>(std::max(0, Measure->currentIndex()))];
    const std::optional<int> atLeast = ReadGuidelineValue(measure, AtLeast->text());
    if (!atLeast) {
        Messages.Ask(PromptKind::Error,
                     QStringLiteral("\"") + AtLeast->text() +
                         QStringLiteral("\" cannot be the figure of this guideline.\n\r") +
                         GuidelineValueRule(measure),
                     PromptButtons::Ok);
        AtLeast->setFocus();
        AtLeast->selectAll();
        return;
    }
    Result = Guideline{name, measure, *atLeast};
    accept();
}

GuidelinesPage::GuidelinesPage(Prompter& messages, QWidget* parent)
    : QWidget(parent), Messages(messages)
{
    setObjectName(QStringLiteral("GuidelinesPage"));
    auto* note = new QLabel(
        QStringLiteral("Figures to measure this schedule against, such as a number of overnights "
                       "a year or a share of care time. Which guideline applies is for you to "
                       "decide; the main window shows beside the counters whether each is met."),
        this);
    note->setWordWrap(true);
    Items = new QListWidget(this);
    Items->setObjectName(QStringLiteral("GuidelineList"));
    Items->setAccessibleName(QStringLiteral("Guidelines"));
    AddBtn = new QPushButton(QStringLiteral("A&dd..."), this);
    EditBtn = new QPushButton(QStringLiteral("&Edit..."), this);
    RemoveBtn = new QPushButton(QStringLiteral("&Remove"), this);
    AddBtn->setObjectName(QStringLiteral("AddGuideline"));
    EditBtn->setObjectName(QStringLiteral("EditGuideline"));
    RemoveBtn->setObjectName(QStringLiteral("RemoveGuideline"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(AddBtn);
    buttons->addWidget(EditBtn);
    buttons->addWidget(RemoveBtn);
    buttons->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(Items, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(row, 1);
    Editor = new GuidelineEditor(Messages, List, this);
    connect(AddBtn, &QPushButton::clicked, this, &GuidelinesPage::AddClick);
    connect(EditBtn, &QPushButton::clicked, this, &GuidelinesPage::EditClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &GuidelinesPage::RemoveClick);
    connect(Items, &QListWidget::itemActivated, this, &GuidelinesPage::EditClick);
    connect(Items, &QListWidget::currentRowChanged, this, [this](int row) {
        EditBtn->setEnabled(row >= 0);
        RemoveBtn->setEnabled(row >= 0);
    });
}

void GuidelinesPage::Load(const std::vector<Guideline>& guidelines, int keptLines)
{
    List = guidelines;
    KeptLines = keptLines;
    Fill(List.empty() ? -1 : 0);
}

void GuidelinesPage::Fill(int current)
{
    Items->clear();
    for (const Guideline& guideline : List)
        Items->addItem(ListText(guideline));
    Items->setCurrentRow(current);
    EditBtn->setEnabled(current >= 0);
    RemoveBtn->setEnabled(current >= 0);
}

void GuidelinesPage::AddClick()
{
    if (static_cast<int>(List.size()) + KeptLines >= GuidelineLimit) {
        Messages.Ask(PromptKind::Error, GuidelineLimitMessage(), PromptButtons::Ok);
        return;
    }
    const std::optional<Guideline> added = Editor->Edit(std::nullopt);
    if (!added)
        return;
    List.push_back(*added);
    Fill(static_cast<int>(List.size()) - 1);
    if (Changed)
        Changed();
}

void GuidelinesPage::EditClick()
{
    const int row = Items->currentRow();
    if (row < 0 || row >= static_cast<int>(List.size()))
        return;
    const std::optional<Guideline> edited = Editor->Edit(List[static_cast<std::size_t>(row)]);
    if (!edited || *edited == List[static_cast<std::size_t>(row)])
        return;
    List[static_cast<std::size_t>(row)] = *edited;
    Fill(row);
    if (Changed)
        Changed();
}

void GuidelinesPage::RemoveClick()
{
    const int row = Items->currentRow();
    if (row < 0 || row >= static_cast<int>(List.size()))
        return;
    List.erase(List.begin() + row);
    Fill(std::min(row, static_cast<int>(List.size()) - 1));
    if (Changed)
        Changed();
}

} // namespace custodex
