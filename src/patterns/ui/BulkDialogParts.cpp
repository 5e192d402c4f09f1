#include "patterns/ui/BulkDialogParts.h"

#include "calendar/ui/TimeFieldKeys.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "patterns/BulkDialogRules.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace custodex {

namespace {

QComboBox* RangeList(QWidget* parent, const char* name, int width)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(width);
    return box;
}

// Calls `action` when the watched widget is pressed with the mouse.
class PressFilter : public QObject {
public:
    PressFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), Action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress)
            return QObject::eventFilter(watched, event);
        Action();
        return true;
    }

private:
    std::function<void()> Action;
};

} // namespace

TDateRangeGroup::TDateRangeGroup(const QString& startCaption, const QString& endCaption,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("Date Range"), parent)
{
    auto* grid = new QGridLayout(this);
    FirstMonth = RangeList(this, "FirstMonth", 110);
    FirstDay = RangeList(this, "FirstDay", 50);
    FirstYear = RangeList(this, "FirstYear", 70);
    LastMonth = RangeList(this, "LastMonth", 110);
    LastDay = RangeList(this, "LastDay", 50);
    LastYear = RangeList(this, "LastYear", 70);
    auto* startLabel = new QLabel(startCaption, this);
    auto* endLabel = new QLabel(endCaption, this);
    startLabel->setBuddy(FirstMonth);
    endLabel->setBuddy(LastMonth);
    // Six boxes share the group's title: each says which side and part it holds.
    const std::pair<QComboBox*, const char*> parts[] = {
        {FirstMonth, "Start month"}, {FirstDay, "Start day"}, {FirstYear, "Start year"},
        {LastMonth, "End month"},    {LastDay, "End day"},    {LastYear, "End year"}};
    for (const auto& [box, name] : parts) {
        box->setAccessibleName(QLatin1String(name));
        box->lineEdit()->setAccessibleName(QLatin1String(name));
    }
    grid->addWidget(startLabel, 0, 0);
    grid->addWidget(FirstMonth, 0, 1);
    grid->addWidget(FirstDay, 0, 2);
    grid->addWidget(FirstYear, 0, 3);
    grid->addWidget(endLabel, 1, 0);
    grid->addWidget(LastMonth, 1, 1);
    grid->addWidget(LastDay, 1, 2);
    grid->addWidget(LastYear, 1, 3);
    grid->setColumnStretch(4, 1);
    setTabOrder(FirstMonth, FirstDay);
    setTabOrder(FirstDay, FirstYear);
    setTabOrder(FirstYear, LastMonth);
    setTabOrder(LastMonth, LastDay);
    setTabOrder(LastDay, LastYear);

    for (QComboBox* box : {FirstMonth, FirstYear})
        connect(box, &QComboBox::currentTextChanged, this, [this] { SideChanged(false); });
    for (QComboBox* box : {LastMonth, LastYear})
        connect(box, &QComboBox::currentTextChanged, this, [this] { SideChanged(true); });
    for (QComboBox* box : {FirstDay, LastDay})
        connect(box, &QComboBox::currentTextChanged, this, [this] { TakeEntries(); });
}

void TDateRangeGroup::Bind(DateRangeBlock* block)
{
    Block = block;
}

void TDateRangeGroup::ShowBlock()
{
    if (!Block)
        return;
    ShowSide(Block->Start, FirstMonth, FirstDay, FirstYear);
    ShowSide(Block->End, LastMonth, LastDay, LastYear);
}

void TDateRangeGroup::ShowSide(const DateRangeSide& side, QComboBox* month, QComboBox* day,
                               QComboBox* year)
{
    const bool wasUpdating = Updating;
    Updating = true;
    const struct {
        QComboBox* Box;
        const QStringList& Items;
        const QString& Text;
    } lists[] = {{month, side.Months, side.Month},
                 {day, side.Days, side.Day},
                 {year, side.Years, side.Year}};
    for (const auto& list : lists) {
        QStringList shown;
        for (int i = 0; i < list.Box->count(); ++i)
            shown << list.Box->itemText(i);
        if (shown != list.Items) {
            list.Box->clear();
            list.Box->addItems(list.Items);
        }
        list.Box->setCurrentIndex(list.Items.indexOf(list.Text));
        list.Box->setEditText(list.Text);
    }
    Updating = wasUpdating;
}

void TDateRangeGroup::TakeEntries()
{
    if (Updating || !Block)
        return;
    Block->Start.Month = FirstMonth->currentText();
    Block->Start.Day = FirstDay->currentText();
    Block->Start.Year = FirstYear->currentText();
    Block->End.Month = LastMonth->currentText();
    Block->End.Day = LastDay->currentText();
    Block->End.Year = LastYear->currentText();
}

void TDateRangeGroup::SideChanged(bool endSide)
{
    if (Updating || !Block)
        return;
    TakeEntries();
    DateRangeSide& side = endSide ? Block->End : Block->Start;
    if (!DateRangeSideChanged(side))
        return;
    if (endSide)
        ShowSide(side, LastMonth, LastDay, LastYear);
    else
        ShowSide(side, FirstMonth, FirstDay, FirstYear);
}

void TDateRangeGroup::FocusField(RangeField field)
{
    QComboBox* boxes[] = {FirstMonth, FirstMonth, FirstDay, FirstYear,
                          LastMonth,  LastDay,    LastYear};
    boxes[static_cast<int>(field)]->setFocus();
}

QLineEdit* MakeTimeField(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("<None>MM")) + 16);
    edit->setCursor(Qt::PointingHandCursor);
    return edit;
}

QToolButton* MakeTimeButton(QWidget* parent, const char* name, const QString& tip)
{
    auto* tool = new QToolButton(parent);
    tool->setObjectName(QLatin1String(name));
    tool->setText(QStringLiteral("..."));
    tool->setToolTip(tip);
    return tool;
}

QGroupBox* MakeTimePairBox(QWidget* parent, const QString& caption,
                           const std::array<const char*, 4>& names, TimePair& pair,
                           const std::function<void(bool end)>& edit)
{
    auto* box = new QGroupBox(caption, parent);
    pair.Start = MakeTimeField(box, names[0]);
    pair.End = MakeTimeField(box, names[1]);
    pair.StartButton = MakeTimeButton(box, names[2], QStringLiteral("Set the pickup time"));
    pair.EndButton = MakeTimeButton(box, names[3], QStringLiteral("Set the dropoff time"));
    auto* grid = new QGridLayout(box);
    const struct {
        QLineEdit* Field;
        QToolButton* Button;
        const char* Caption;
        bool End;
    } rows[] = {{pair.Start, pair.StartButton, "Pickup:", false},
                {pair.End, pair.EndButton, "Dropoff:", true}};
    for (const auto& row : rows) {
        const int line = row.End ? 1 : 0;
        row.Field->setToolTip(row.Button->toolTip());
        grid->addWidget(new QLabel(QLatin1String(row.Caption), box), line, 0);
        grid->addWidget(row.Field, line, 1);
        grid->addWidget(row.Button, line, 2);
        const bool end = row.End;
        QObject::connect(row.Button, &QToolButton::clicked, box, [edit, end] { edit(end); });
        row.Field->installEventFilter(new PressFilter(row.Field, [edit, end] { edit(end); }));
        OpenTimeEntryOnKeys(row.Field, [edit, end] { edit(end); });
    }
    grid->setColumnStretch(3, 1);
    return box;
}

QPushButton* MakeDialogButton(QWidget* parent, const QString& caption, const char* name,
                              const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setToolTip(tip);
    return button;
}

TBulkDialog::TBulkDialog(Prompter& prompter, std::function<void()> preview,
                         std::function<void()> refresh, QWidget* parent)
    : QDialog(parent), Messages(prompter), Preview(std::move(preview)), Refresh(std::move(refresh))
{
}

QWidget* TBulkDialog::BuildButtons(const QString& applyTip, const QString& removeTip,
                                   const QString& cancelCaption)
{
    auto* panel = new QWidget(this);
    ApplyBtn = MakeDialogButton(panel, QStringLiteral("&Apply"), "ApplyBtn", applyTip);
    RemoveBtn = MakeDialogButton(panel, QStringLiteral("&Remove"), "RemoveBtn", removeTip);
    UndoBtn = MakeDialogButton(panel, QStringLiteral("&Undo"), "UndoBtn",
                               QStringLiteral("Take back the last Apply or Remove"));
    PreviewBtn = MakeDialogButton(panel, QStringLiteral("&Preview"), "PreviewBtn",
                                  QStringLiteral("Show the whole calendar as it is now"));
    BitBtn1 = MakeDialogButton(panel, QStringLiteral("&Save/Close"), "BitBtn1",
                               QStringLiteral("Keep the changes and close"));
    CancelBtn = MakeDialogButton(panel, cancelCaption, "CancelBtn",
                                 QStringLiteral("Throw away every change made here and close"));
    ApplyBtn->setDefault(true); // Enter applies
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {ApplyBtn, RemoveBtn, UndoBtn, PreviewBtn})
        row->addWidget(button);
    row->addStretch();
    row->addWidget(BitBtn1);
    row->addWidget(CancelBtn);
    connect(ApplyBtn, &QPushButton::clicked, this, [this] { ApplyBtnClick(); });
    connect(RemoveBtn, &QPushButton::clicked, this, [this] { RemoveBtnClick(); });
    connect(UndoBtn, &QPushButton::clicked, this, [this] { UndoBtnClick(); });
    connect(PreviewBtn, &QPushButton::clicked, this, &TBulkDialog::PreviewClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TBulkDialog::SaveCloseClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TBulkDialog::CancelClick);
    return panel;
}

void TBulkDialog::SaveCloseClick()
{
    Changes() = false;
    accept();
}

void TBulkDialog::CancelClick()
{
    if (MayCancelChanges(Doc, Changes(), Messages))
        QDialog::reject();
}

void TBulkDialog::PreviewClick()
{
    if (Preview)
        Preview();
}

void TBulkDialog::Redraw()
{
    if (Refresh)
        Refresh();
}

void TBulkDialog::RunClick(const std::function<void(CalendarDocument&, OverwriteQuestions&)>& click,
                           QPushButton* undo, const bool& undoEnabled)
{
    if (!Doc)
        return;
    PrompterOverwriteQuestions questions(Messages);
    click(*Doc, questions);
    undo->setEnabled(undoEnabled);
    Redraw();
}

void TBulkDialog::reject()
{
    // Escape works like the Cancel button.
    CancelClick();
}

void TBulkDialog::closeEvent(QCloseEvent* event)
{
    if (!MayCloseWithChanges(Doc, Changes(), Messages)) {
        event->ignore();
        return;
    }
    // Without changes left, the dialog's own close reaches reject(): a Cancel that asks nothing.
    QDialog::closeEvent(event);
}

bool EditTimeField(TUserClock& clock, CalendarDocument& doc, QLineEdit* field, QString& value,
                   const TimePromptTexts& texts, ClockPlace place)
{
    QString text = value;
    // Centred above the field, by the dialog's size as shown.
    auto above = [&clock, field] {
        const QSize size = clock.frameGeometry().size();
        return field->mapToGlobal(QPoint(field->width() / 2, 0)) -
               QPoint(size.width() / 2, size.height());
    };
    QPoint anchor = field->mapToGlobal(QPoint(0, field->height()));
    if (place == ClockPlace::AboveCentred) {
        anchor = above();
        // Its size with this prompt and a frame is known only once it shows.
        QTimer::singleShot(0, &clock, [&clock, above] {
            if (clock.isVisible())
                KeepOnScreen(&clock, above());
        });
    }
    if (!clock.Execute(doc, texts.Prompt, text, &anchor, texts.Caption))
        return false;
    value = text;
    field->setText(text);
    return true;
}

} // namespace custodex
