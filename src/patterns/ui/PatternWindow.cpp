#include "patterns/ui/PatternWindow.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "calendar/ui/TimeFieldKeys.h"
#include "patterns/BulkDialogRules.h"
#include "platform/Prompter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

namespace {

QPushButton* Button(QWidget* parent, const QString& caption, const char* name)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

} // namespace

TPatternWindow::TPatternWindow(PatternDialog dialog, ListKind kind, Prompter& prompter,
                               TUserClock& clock, std::function<void()> preview,
                               std::function<void()> refresh, QWidget* parent)
    : QDialog(parent), Which(dialog), Marks(kind), Messages(prompter), Clock(clock),
      Preview(std::move(preview)), Refresh(std::move(refresh))
{
    setWindowTitle(PatternWindowCaption(dialog, kind));
    auto* top = new QHBoxLayout;
    top->addWidget(BuildWeekdays());
    auto* right = new QVBoxLayout;
    right->addWidget(BuildKindRow());
    right->addWidget(SelectFullWeekBeginDay);
    right->addStretch();
    top->addLayout(right, 1);

    NoNapBox = new QCheckBox(PatternNoNapCaption(kind), this);
    NoNapBox->setObjectName(QStringLiteral("NoNapBox"));
    Alias = new QLineEdit(this);
    Alias->setObjectName(QStringLiteral("Alias"));
    Alias->setMaxLength(PatternReasonCapacity);
    auto* reasonLabel = new QLabel(QStringLiteral("&Reason:"), this);
    reasonLabel->setBuddy(Alias);
    auto* reasonRow = new QHBoxLayout;
    reasonRow->addWidget(reasonLabel);
    reasonRow->addWidget(Alias, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BuildRange());
    layout->addWidget(BuildTimes());
    layout->addWidget(NoNapBox);
    layout->addLayout(reasonRow);
    QWidget* buttons = BuildButtons();
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    FitCaption(this, buttons); // the caption reads in full on the title bar

    // Keyboard order follows the form from top left to bottom right.
    QWidget* order[] = {
        WeekDay, KindBoxes.front(), WeekBegins.front(), FirstMonth, FirstDay, FirstYear, LastMonth,
        LastDay, LastYear,          StrtTime,           SClick1,    EndTime,  BitBtn1,   NoNapBox,
        Alias,   ApplyBtn,          RemoveBtn,          UndoBtn,    BitBtn3,  CloseBtn,  CancelBtn};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    Connect();
    ResetDialog();
}

QWidget* TPatternWindow::BuildWeekdays()
{
    auto* box = new QGroupBox(QStringLiteral("&Weekday"), this);
    WeekDay = new QListWidget(box);
    WeekDay->setObjectName(QStringLiteral("WeekDay"));
    WeekDay->addItems(PatternWeekdayNames());
    WeekDay->setSelectionMode(QAbstractItemView::MultiSelection);
    WeekDay->setAccessibleName(QStringLiteral("Weekday"));
    // The style's dotted focus line is all but invisible on a selected row: the list and its
    // current row show the focus plainly.
    WeekDay->setStyleSheet(
        QStringLiteral("QListWidget:focus { border: 2px solid palette(highlight); }"
                       "QListWidget::item:focus { border: 1px solid palette(text); }"));
    WeekDay->setToolTip(QStringLiteral("Choose one or more weekdays; days that follow each other "
                                       "form one stay. All seven choose whole weeks."));
    const int rows = WeekDay->sizeHintForRow(0) * WeekdayCount + 2 * WeekDay->frameWidth();
    WeekDay->setFixedHeight(rows);
    WeekDay->setMinimumWidth(WeekDay->sizeHintForColumn(0) + 2 * WeekDay->frameWidth() + 24);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(WeekDay);
    layout->addStretch();
    return box;
}

QWidget* TPatternWindow::BuildKindRow()
{
    const bool monthly = Which == PatternDialog::Monthly;
    auto* box = new QGroupBox(QStringLiteral("Pattern"), this);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    struct KindButton {
        PatternKind Kind;
        const char* Caption;
        const char* Name;
    };
    const std::vector<KindButton> buttons =
        monthly ? std::vector<KindButton>{{PatternKind::First, "1st", "FirstBox"},
                                          {PatternKind::Second, "2nd", "SecondBox"},
                                          {PatternKind::Third, "3rd", "ThirdBox"},
                                          {PatternKind::Fourth, "4th", "FourthBox"},
                                          {PatternKind::Fifth, "5th", "FifthBox"},
                                          {PatternKind::Last, "&Last", "LastBox"}}
                : std::vector<KindButton>{{PatternKind::Odd, "&Odd", "FirstBox"},
                                          {PatternKind::Even, "&Even", "SecondBox"},
                                          {PatternKind::All, "A&ll", "ThirdBox"}};
    if (monthly)
        row->addWidget(new QLabel(QStringLiteral("Every "), box));
    for (const KindButton& button : buttons) {
        auto* radio = new QRadioButton(QLatin1String(button.Caption), box);
        radio->setObjectName(QLatin1String(button.Name));
        radio->setProperty("kind", static_cast<int>(button.Kind));
        group->addButton(radio);
        KindBoxes.push_back(radio);
        row->addWidget(radio);
    }
    row->addStretch();
    box->setToolTip(monthly ? QStringLiteral("Which of the chosen weekdays in each month starts "
                                             "a stay")
                            : QStringLiteral("Every other occurrence (odd, even) of the chosen "
                                             "weekdays, counted on across months, or all of "
                                             "them"));

    SelectFullWeekBeginDay = new QGroupBox(QStringLiteral("Full weeks begin on"), this);
    SelectFullWeekBeginDay->setObjectName(QStringLiteral("SelectFullWeekBeginDay"));
    SelectFullWeekBeginDay->setToolTip(
        QStringLiteral("Available when all seven weekdays are chosen: the full weeks then begin "
                       "on the day picked here"));
    auto* grid = new QGridLayout(SelectFullWeekBeginDay);
    for (int w = 0; w < WeekdayCount; ++w) {
        const QString name = PatternWeekdayNames().at(w);
        auto* radio = new QRadioButton(name, SelectFullWeekBeginDay);
        radio->setObjectName(QStringLiteral("WeekBegins") + name);
        WeekBegins[static_cast<std::size_t>(w)] = radio;
        grid->addWidget(radio, w % 4, w / 4);
    }
    return box;
}

QWidget* TPatternWindow::BuildRange()
{
    Range = new TDateRangeGroup(QStringLiteral("Start On or After"),
                                QStringLiteral("End Before or On"), this);
    Range->Bind(&Entries.Range);
    FirstMonth = Range->FirstMonth;
    FirstDay = Range->FirstDay;
    FirstYear = Range->FirstYear;
    LastMonth = Range->LastMonth;
    LastDay = Range->LastDay;
    LastYear = Range->LastYear;
    return Range;
}

QWidget* TPatternWindow::BuildTimes()
{
    auto* box = new QGroupBox(QStringLiteral("Times"), this);
    auto* row = new QHBoxLayout(box);
    StrtTime = MakeTimeField(box, "StrtTime");
    EndTime = MakeTimeField(box, "EndTime");
    SClick1 = MakeTimeButton(box, "SClick1", QStringLiteral("Set the pickup time"));
    BitBtn1 = MakeTimeButton(box, "BitBtn1", QStringLiteral("Set the dropoff time"));
    StrtTime->setToolTip(SClick1->toolTip());
    EndTime->setToolTip(BitBtn1->toolTip());
    auto* pickup = new QLabel(QStringLiteral("Pickup Time:"), box);
    auto* dropoff = new QLabel(QStringLiteral("Dropoff Time:"), box);
    pickup->setBuddy(StrtTime);
    dropoff->setBuddy(EndTime);
    row->addWidget(pickup);
    row->addWidget(StrtTime);
    row->addWidget(SClick1);
    row->addSpacing(16);
    row->addWidget(dropoff);
    row->addWidget(EndTime);
    row->addWidget(BitBtn1);
    row->addStretch();
    StrtTime->installEventFilter(this);
    EndTime->installEventFilter(this);
    OpenTimeEntryOnKeys(StrtTime, [this] { EditTime(false); });
    OpenTimeEntryOnKeys(EndTime, [this] { EditTime(true); });
    return box;
}

QWidget* TPatternWindow::BuildButtons()
{
    auto* panel = new QWidget(this);
    ApplyBtn = Button(panel, QStringLiteral("&Apply List"), "ApplyBtn");
    RemoveBtn = Button(panel, QStringLiteral("Re&move List"), "RemoveBtn");
    UndoBtn = Button(panel, QStringLiteral("&Undo"), "UndoBtn");
    BitBtn3 = Button(panel, QStringLiteral("&Preview"), "BitBtn3");
    CloseBtn = Button(panel, QStringLiteral("&Save/Close"), "CloseBtn");
    CancelBtn = Button(panel, QStringLiteral("&Cancel"), "CancelBtn");
    ApplyBtn->setDefault(true); // Enter applies the list
    ApplyBtn->setToolTip(QStringLiteral("Mark the pattern's days in the date range"));
    RemoveBtn->setToolTip(
        QStringLiteral("Remove every mark in the date range that has this reason"));
    UndoBtn->setToolTip(QStringLiteral("Take back the last Apply List or Remove List"));
    BitBtn3->setToolTip(QStringLiteral("Show the whole calendar as it is now"));
    CloseBtn->setToolTip(QStringLiteral("Keep the changes and close"));
    CancelBtn->setToolTip(QStringLiteral("Throw away every change made here and close"));
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(ApplyBtn, 0, 0);
    grid->addWidget(RemoveBtn, 0, 1);
    grid->addWidget(UndoBtn, 0, 2);
    grid->addWidget(BitBtn3, 0, 3);
    grid->addWidget(CloseBtn, 1, 2);
    grid->addWidget(CancelBtn, 1, 3);
    return panel;
}

void TPatternWindow::Connect()
{
    for (QRadioButton* radio : KindBoxes)
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ChoicesChanged();
        });
    for (QRadioButton* radio : WeekBegins)
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                ChoicesChanged();
        });
    connect(WeekDay, &QListWidget::itemSelectionChanged, this, [this] { ChoicesChanged(); });
    connect(Alias, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!Updating)
            Entries.Reason = text;
    });
    connect(NoNapBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!Updating)
            Entries.NoNap = on;
    });
    connect(SClick1, &QToolButton::clicked, this, [this] { EditTime(false); });
    connect(BitBtn1, &QToolButton::clicked, this, [this] { EditTime(true); });
    connect(ApplyBtn, &QPushButton::clicked, this, &TPatternWindow::ApplyBtnClick);
    connect(RemoveBtn, &QPushButton::clicked, this, &TPatternWindow::RemoveBtnClick);
    connect(UndoBtn, &QPushButton::clicked, this, &TPatternWindow::UndoBtnClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TPatternWindow::BitBtn3Click);
    connect(CloseBtn, &QPushButton::clicked, this, &TPatternWindow::CloseBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TPatternWindow::CancelBtnClick);
}

void TPatternWindow::ResetDialog()
{
    ResetPatternDialog(Entries, Which);
    ShowState();
}

bool TPatternWindow::Execute(CalendarDocument& doc)
{
    Doc = &doc;
    OpenPatternDialog(doc, Entries, Which, Marks);
    ShowState();
    WeekDay->setFocus();
    const bool saved = exec() == QDialog::Accepted;
    Doc = nullptr;
    return saved;
}

void TPatternWindow::ShowState()
{
    Updating = true;
    for (QRadioButton* radio : KindBoxes)
        radio->setChecked(radio->property("kind").toInt() == static_cast<int>(Entries.Pattern));
    for (int w = 0; w < WeekdayCount; ++w) {
        WeekDay->item(w)->setSelected(Entries.Weekdays[static_cast<std::size_t>(w)]);
        WeekBegins[static_cast<std::size_t>(w)]->setChecked(w == Entries.WeekBegin);
    }
    SelectFullWeekBeginDay->setEnabled(IsWeeksMode(Entries.Weekdays));
    Range->ShowBlock();
    StrtTime->setText(Entries.Pickup);
    EndTime->setText(Entries.Dropoff);
    NoNapBox->setChecked(Entries.NoNap);
    Alias->setText(Entries.Reason);
    UndoBtn->setEnabled(Entries.UndoEnabled);
    Updating = false;
}

void TPatternWindow::ChoicesChanged()
{
    if (Updating)
        return;
    for (QRadioButton* radio : KindBoxes)
        if (radio->isChecked())
            Entries.Pattern = static_cast<PatternKind>(radio->property("kind").toInt());
    for (int w = 0; w < WeekdayCount; ++w) {
        Entries.Weekdays[static_cast<std::size_t>(w)] = WeekDay->item(w)->isSelected();
        if (WeekBegins[static_cast<std::size_t>(w)]->isChecked())
            Entries.WeekBegin = w;
    }
    Entries.Reason = DefaultPatternReason(Which, Marks, Entries.Pattern, Entries.Weekdays,
                                          Entries.WeekBegin, Entries.Reason);
    ShowState();
}

void TPatternWindow::EditTime(bool dropoff)
{
    if (Doc)
        EditTimeField(Clock, *Doc, dropoff ? EndTime : StrtTime,
                      dropoff ? Entries.Dropoff : Entries.Pickup,
                      PatternTimePrompt(Marks, dropoff));
}

void TPatternWindow::ApplyBtnClick()
{
    if (!Doc)
        return;
    Range->TakeEntries();
    PrompterOverwriteQuestions questions(Messages);
    const PatternRunResult result = ApplyListClick(*Doc, Entries, Which, Marks, questions);
    if (result.Focus == PatternFocus::WeekdayList)
        WeekDay->setFocus();
    else if (result.Focus == PatternFocus::Range)
        Range->FocusField(result.RangeFocus);
    UndoBtn->setEnabled(Entries.UndoEnabled);
    Redraw();
}

void TPatternWindow::RemoveBtnClick()
{
    if (!Doc)
        return;
    Range->TakeEntries();
    PrompterOverwriteQuestions questions(Messages);
    RemoveListClick(*Doc, Entries, Marks, questions);
    UndoBtn->setEnabled(Entries.UndoEnabled);
    Redraw();
}

void TPatternWindow::UndoBtnClick()
{
    if (!Doc)
        return;
    UndoClick(*Doc, Entries);
    UndoBtn->setEnabled(false);
    Redraw();
}

void TPatternWindow::Redraw()
{
    if (Refresh)
        Refresh();
}

void TPatternWindow::BitBtn3Click()
{
    if (Preview)
        Preview();
}

void TPatternWindow::CloseBtnClick()
{
    Entries.Changes = false;
    accept();
}

void TPatternWindow::CancelBtnClick()
{
    if (MayCancelChanges(Doc, Entries.Changes, Messages))
        QDialog::reject();
}

void TPatternWindow::reject()
{
    // Escape works like the Cancel button.
    CancelBtnClick();
}

void TPatternWindow::closeEvent(QCloseEvent* event)
{
    if (!MayCloseWithChanges(Doc, Entries.Changes, Messages)) {
        event->ignore();
        return;
    }
    // Without changes left, the dialog's own close reaches reject(): a Cancel that asks nothing.
    QDialog::closeEvent(event);
}

bool TPatternWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && (watched == StrtTime || watched == EndTime)) {
        EditTime(watched == EndTime);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace custodex
