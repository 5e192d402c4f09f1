#include "patterns/ui/StandardScheduleDialog.h"

#include "calendar/Colour.h"
#include "patterns/RepeatPatterns.h"
#include "patterns/ui/BulkDialogParts.h"
#include "patterns/ui/SchedulePicture.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace custodex {

namespace {

constexpr int PictureDays = 28;

QComboBox* WeekdayChoice(QWidget* parent, const char* name)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->addItem(QStringLiteral("None"));
    box->addItems(PatternWeekdayNames());
    return box;
}

QLineEdit* TypedTimeField(QWidget* parent, const char* name, const QString& tip)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setToolTip(tip);
    field->setMaxLength(12);
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00:00 PMMM")));
    return field;
}

} // namespace

TStandardSchedule::TStandardSchedule(Prompter& prompter, QWidget* parent)
    : QDialog(parent), Messages(prompter)
{
    setObjectName(QStringLiteral("TStandardSchedule"));
    setWindowTitle(QStringLiteral("Apply a Standard Schedule"));

    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(BuildSchedulePage(), QStringLiteral("&Schedule"));
    Pages->addTab(BuildHolidaysPage(), QStringLiteral("&Holidays"));

    ApplyBtn = new QPushButton(QStringLiteral("&Apply"), this);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    ApplyBtn->setDefault(true);
    ApplyBtn->setToolTip(QStringLiteral("Mark the schedule and the holidays on the calendar"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(ApplyBtn, &QPushButton::clicked, this, &TStandardSchedule::ApplyBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(CancelBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages, 1);
    layout->addLayout(buttons);
    // Wide enough for the descriptions beside the picture.
    resize(sizeHint().expandedTo(QSize(fontMetrics().averageCharWidth() * 150, 0)));
    ResetDialog();
}

QWidget* TStandardSchedule::BuildSchedulePage()
{
    auto* page = new QWidget(this);
    ScheduleList = new QTreeWidget(page);
    ScheduleList->setObjectName(QStringLiteral("ScheduleList"));
    ScheduleList->setHeaderLabels({QStringLiteral("Schedule"), QStringLiteral("Description")});
    ScheduleList->setRootIsDecorated(false);
    ScheduleList->setAllColumnsShowFocus(true);
    for (const StandardSchedule& schedule : StandardSchedules()) {
        auto* item = new QTreeWidgetItem(ScheduleList, {schedule.Title, schedule.Description});
        item->setToolTip(1, schedule.Description);
    }
    ScheduleList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    ScheduleList->setMinimumHeight(ScheduleList->fontMetrics().height() * 10);
    connect(ScheduleList, &QTreeWidget::currentItemChanged, this,
            &TStandardSchedule::ScheduleChosen);
    auto* listLabel = new QLabel(QStringLiteral("S&chedules:"), page);
    listLabel->setBuddy(ScheduleList);

    Picture = new SchedulePicture(page);

    Range = new TDateRangeGroup(QStringLiteral("Start On"), QStringLiteral("End On"), page);
    Range->Bind(&RangeBlock);
    for (QComboBox* box : {Range->FirstMonth, Range->FirstDay, Range->FirstYear})
        connect(box, &QComboBox::currentTextChanged, this, &TStandardSchedule::ShowPicture);

    FirstParent = new QComboBox(page);
    FirstParent->setObjectName(QStringLiteral("FirstParent"));
    // The first parent changes the picture, and for some schedules the reason proposed.
    connect(FirstParent, &QComboBox::currentIndexChanged, this, &TStandardSchedule::ScheduleChosen);
    ExchangeTime = TypedTimeField(page, "ExchangeTime",
                                  QStringLiteral("Pickup on a stay's first night and dropoff on "
                                                 "its last: type a time such as 6pm or 18:00"));
    connect(ExchangeTime, &QLineEdit::editingFinished, this, &TStandardSchedule::ShowTimes);
    Reason = new QLineEdit(page);
    Reason->setObjectName(QStringLiteral("Reason"));
    Reason->setMaxLength(RepeatPatternNameCapacity);
    LongWeekend = new QCheckBox(QStringLiteral("&Long weekends (Sunday night too)"), page);
    LongWeekend->setObjectName(QStringLiteral("LongWeekend"));
    connect(LongWeekend, &QCheckBox::toggled, this, &TStandardSchedule::ShowPicture);

    VisitDay = WeekdayChoice(page, "VisitDay");
    VisitFrom = TypedTimeField(page, "VisitFrom", QStringLiteral("The day visit's pickup time"));
    VisitTo = TypedTimeField(page, "VisitTo", QStringLiteral("The day visit's dropoff time"));
    for (QLineEdit* field : {VisitFrom, VisitTo})
        connect(field, &QLineEdit::editingFinished, this, &TStandardSchedule::ShowTimes);
    OvernightDay = WeekdayChoice(page, "OvernightDay");
    for (QComboBox* box : {VisitDay, OvernightDay})
        connect(box, &QComboBox::currentIndexChanged, this, &TStandardSchedule::ShowPicture);
    auto* visitRow = new QHBoxLayout;
    visitRow->addWidget(VisitDay);
    auto* fromLabel = new QLabel(QStringLiteral("&from"), page);
    fromLabel->setBuddy(VisitFrom);
    auto* toLabel = new QLabel(QStringLiteral("t&o"), page);
    toLabel->setBuddy(VisitTo);
    visitRow->addWidget(fromLabel);
    visitRow->addWidget(VisitFrom);
    visitRow->addWidget(toLabel);
    visitRow->addWidget(VisitTo);
    visitRow->addStretch(1);

    ReplaceRange = new QCheckBox(QStringLiteral("&Replace the marks in the range first"), page);
    ReplaceRange->setObjectName(QStringLiteral("ReplaceRange"));
    ReplaceRange->setToolTip(QStringLiteral("Removes the range's overnight stays (and day "
                                            "visits, with a weekly day visit) before applying"));

    auto* form = new QFormLayout;
    FirstParentLabel = new QLabel(QStringLiteral("&First block:"), page);
    FirstParentLabel->setBuddy(FirstParent);
    form->addRow(FirstParentLabel, FirstParent);
    form->addRow(QStringLiteral("&Exchange time:"), ExchangeTime);
    form->addRow(QStringLiteral("Rea&son:"), Reason);
    form->addRow(QString(), LongWeekend);
    auto* visitLabel = new QLabel(QStringLiteral("Weekly &day visit:"), page);
    visitLabel->setBuddy(VisitDay);
    form->addRow(visitLabel, visitRow);
    form->addRow(QStringLiteral("Weekly o&vernight:"), OvernightDay);
    form->addRow(QString(), ReplaceRange);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("First four weeks:"), page));
    right->addWidget(Picture, 1);
    right->addWidget(Range);

    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(ScheduleList, 1);
    left->addLayout(form);
    top->addLayout(left, 2);
    top->addLayout(right, 1);
    page->setLayout(top);
    return page;
}

QWidget* TStandardSchedule::BuildHolidaysPage()
{
    auto* page = new QWidget(this);
    Country = new QComboBox(page);
    Country->setObjectName(QStringLiteral("Country"));
    Country->addItems({QStringLiteral("U.S. Holidays"), QStringLiteral("Canadian Holidays"),
                       QStringLiteral("United Kingdom Holidays")});
    connect(Country, &QComboBox::currentIndexChanged, this, &TStandardSchedule::FillHolidayRows);
    HolidayKind = new QComboBox(page);
    HolidayKind->setObjectName(QStringLiteral("HolidayKind"));
    HolidayKind->addItems({QStringLiteral("Overnight stays"), QStringLiteral("Day visits")});

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("C&ountry:"), Country);
    form->addRow(QStringLiteral("&Mark as:"), HolidayKind);

    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QStringLiteral("HolidayScroll"));
    scroll->setWidgetResizable(true);
    HolidayRows = new QWidget(scroll);
    new QGridLayout(HolidayRows);
    scroll->setWidget(HolidayRows);

    auto* note = new QLabel(QStringLiteral("A holiday goes to the non-custodial parent in the "
                                           "years chosen, counted by the calendar year of its "
                                           "own date. Its days, times and reason are those of "
                                           "the holiday dialogs."),
                            page);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(scroll, 1);
    layout->addWidget(note);
    FillHolidayRows();
    return page;
}

void TStandardSchedule::FillHolidayRows()
{
    auto* grid = static_cast<QGridLayout*>(HolidayRows->layout());
    while (QLayoutItem* item = grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    HolidayChoices.clear();
    const HolidayCountry& country = ChosenCountry();
    int line = 0;
    QWidget* previous = HolidayKind;
    for (const HolidayDefinition& holiday : country.Rows) {
        auto* choice = new QComboBox(HolidayRows);
        choice->setObjectName(holiday.CheckBoxName);
        choice->addItems(HolidayYearsWords());
        choice->setAccessibleName(holiday.Caption);
        HolidayChoices.push_back(choice);
        if (holiday.NeverShown) {
            choice->hide();
            continue;
        }
        auto* caption = new QLabel(holiday.Caption, HolidayRows);
        caption->setBuddy(choice);
        grid->addWidget(caption, line, 0);
        grid->addWidget(new QLabel(holiday.Hint, HolidayRows), line, 1);
        grid->addWidget(choice, line, 2);
        setTabOrder(previous, choice);
        previous = choice;
        ++line;
    }
    grid->setColumnStretch(1, 1);
}

const HolidayCountry& TStandardSchedule::ChosenCountry() const
{
    switch (Country->currentIndex()) {
    case 1:
        return CanadianHolidays();
    case 2:
        return UnitedKingdomHolidays();
    default:
        return UnitedStatesHolidays();
    }
}

const StandardSchedule* TStandardSchedule::ChosenSchedule() const
{
    const int row = ScheduleList->indexOfTopLevelItem(ScheduleList->currentItem());
    if (row < 0 || row >= static_cast<int>(StandardSchedules().size()))
        return nullptr;
    return &StandardSchedules().at(static_cast<std::size_t>(row));
}

void TStandardSchedule::ResetDialog()
{
    Updating = true;
    ClearDateRange(RangeBlock);
    ScheduleList->setCurrentItem(ScheduleList->topLevelItem(1));
    FirstParent->setCurrentIndex(0);
    ExchangeTime->clear();
    VisitFrom->clear();
    VisitTo->clear();
    Reason->clear();
    ProposedReason.clear();
    LongWeekend->setChecked(false);
    VisitDay->setCurrentIndex(0);
    OvernightDay->setCurrentIndex(0);
    ReplaceRange->setChecked(false);
    Country->setCurrentIndex(0);
    HolidayKind->setCurrentIndex(0);
    for (QComboBox* choice : HolidayChoices)
        choice->setCurrentIndex(0);
    Pages->setCurrentIndex(0);
    Updating = false;
    ScheduleChosen();
}

bool TStandardSchedule::Execute(CalendarDocument& doc)
{
    Doc = &doc;
    if (!DateRangeFilled(RangeBlock))
        FillDateRange(doc, RangeBlock);
    Range->ShowBlock();
    if (ExchangeTime->text().isEmpty())
        ExchangeTime->setText(doc.OverNiteStrtTime);
    if (VisitFrom->text().isEmpty())
        VisitFrom->setText(doc.DayVisitStrtTime);
    if (VisitTo->text().isEmpty())
        VisitTo->setText(doc.DayVisitEndTime);
    // The parents' titles may have changed in the preferences since the last opening.
    const int first = std::max(0, FirstParent->currentIndex());
    Updating = true;
    FirstParent->clear();
    FirstParent->addItems({doc.NonCustodialName + QStringLiteral(" (non-custodial parent)"),
                           doc.CustodialName + QStringLiteral(" (custodial parent)")});
    FirstParent->setCurrentIndex(first);
    Updating = false;
    Result = ScheduleResult{};
    Pages->setCurrentIndex(0);
    ScheduleChosen();
    ScheduleList->setFocus();
    const bool applied = exec() == QDialog::Accepted;
    Doc = nullptr;
    return applied;
}

void TStandardSchedule::ScheduleChosen()
{
    if (Updating)
        return;
    const StandardSchedule* schedule = ChosenSchedule();
    const bool rotation = schedule && schedule->Rule != ScheduleRule::None;
    const bool weekends = rotation && schedule->Rule != ScheduleRule::Cycle;
    // The reason follows the schedule as long as it is the one proposed.
    if (Reason->text() == ProposedReason) {
        ProposedReason =
            rotation ? ScheduleReasonFor(*schedule, FirstParent->currentIndex() != 1) : QString();
        Reason->setText(ProposedReason);
    }
    for (QWidget* control :
         std::initializer_list<QWidget*>{FirstParent, ExchangeTime, Reason, VisitDay, VisitFrom,
                                         VisitTo, OvernightDay, ReplaceRange, Range})
        control->setEnabled(rotation);
    LongWeekend->setEnabled(weekends);
    FirstParentLabel->setText(weekends ? QStringLiteral("&First weekend:")
                                       : QStringLiteral("&First block:"));
    if (!weekends)
        LongWeekend->setChecked(false);
    ShowPicture();
}

void TStandardSchedule::ShowPicture()
{
    if (Updating || !Doc || !Doc->HasCalendar())
        return;
    Range->TakeEntries();
    const ScheduleRequest request = Request();
    int first = RemoveDayRange(*Doc, RangeBlock).First;
    if (first < 0)
        first = 0;
    const int last = std::min(first + PictureDays, static_cast<int>(Doc->Days.size())) - 1;
    const QString plan = SchedulePlan(*Doc, first, last, request.Choice);
    QStringList heads;
    std::vector<SchedulePicture::Day> days;
    for (int i = first; i <= last; ++i) {
        const CalendarDay& day = Doc->Days[static_cast<std::size_t>(i)];
        if (heads.size() < 7)
            heads << PatternWeekdayNames().at(PatternWeekdayOf(day)).left(3);
        days.push_back({day.DayOfMonth, plan.at(i - first)});
    }
    Picture->Show(heads, days,
                  {ColourFromValue(Doc->OvernightColour), ColourFromValue(Doc->DayVisitColour),
                   ColourFromValue(Doc->BackgroundColour), Doc->NonCustodialName,
                   Doc->CustodialName});
}

void TStandardSchedule::ShowTimes()
{
    // A time that reads is shown in the calendar's form at once; one that does not is left
    // as typed for Apply to refuse.
    for (QLineEdit* field : {ExchangeTime, VisitFrom, VisitTo})
        if (const std::optional<QString> time = ReadExchangeTime(field->text()))
            field->setText(*time);
}

ScheduleRequest TStandardSchedule::Request() const
{
    ScheduleRequest request;
    ScheduleChoice& choice = request.Choice;
    choice.Schedule = ChosenSchedule();
    choice.NonCustodialFirst = FirstParent->currentIndex() != 1;
    choice.LongWeekend = LongWeekend->isEnabled() && LongWeekend->isChecked();
    choice.Visit.Weekday = VisitDay->currentIndex() - 1;
    choice.Visit.Pickup = ReadExchangeTime(VisitFrom->text()).value_or(NoTimeText);
    choice.Visit.Dropoff = ReadExchangeTime(VisitTo->text()).value_or(NoTimeText);
    choice.OvernightWeekday = OvernightDay->currentIndex() - 1;
    request.Range = RangeBlock;
    request.Exchange = ReadExchangeTime(ExchangeTime->text()).value_or(NoTimeText);
    request.Reason = Reason->text();
    request.ReplaceRange = ReplaceRange->isChecked();
    request.Holidays.Country = &ChosenCountry();
    request.Holidays.Kind =
        HolidayKind->currentIndex() == 1 ? ListKind::DayVisits : ListKind::Overnights;
    for (QComboBox* choiceBox : HolidayChoices)
        request.Holidays.Rows.push_back(static_cast<HolidayYears>(choiceBox->currentIndex()));
    return request;
}

bool TStandardSchedule::ReadTime(QLineEdit* field, QString& time)
{
    const std::optional<QString> read = ReadExchangeTime(field->text());
    if (read) {
        time = *read;
        field->setText(time);
        return true;
    }
    Pages->setCurrentIndex(0);
    Messages.Ask(PromptKind::Error,
                 QStringLiteral("\"") + field->text() +
                     QStringLiteral("\" is no time.\n\rPlease type a time such as 6:00 PM, 6pm "
                                    "or 18:00."),
                 PromptButtons::Ok);
    field->setFocus();
    field->selectAll();
    return false;
}

void TStandardSchedule::ApplyBtnClick()
{
    if (!Doc)
        return;
    Range->TakeEntries();
    const StandardSchedule* schedule = ChosenSchedule();
    const bool rotation = schedule && schedule->Rule != ScheduleRule::None;
    QString time;
    if (rotation && !ReadTime(ExchangeTime, time))
        return;
    if (rotation && VisitDay->currentIndex() > 0 &&
        (!ReadTime(VisitFrom, time) || !ReadTime(VisitTo, time)))
        return;
    if (rotation && VisitDay->currentIndex() > 0 &&
        VisitDay->currentIndex() == OvernightDay->currentIndex()) {
        Pages->setCurrentIndex(0);
        Messages.Ask(PromptKind::Error,
                     QStringLiteral("The weekly day visit and the weekly overnight are on the "
                                    "same weekday.\n\rPlease choose another day for one of "
                                    "them."),
                     PromptButtons::Ok);
        OvernightDay->setFocus();
        return;
    }
    ScheduleRequest request = Request();
    if (rotation) {
        const ScheduleReasonCheck reason =
            CheckScheduleReason(Reason->text(), schedule, FirstParent->currentIndex() != 1);
        if (!reason.Refusal.isEmpty()) {
            Pages->setCurrentIndex(0);
            Messages.Ask(PromptKind::Error, reason.Refusal, PromptButtons::Ok);
            Reason->setFocus();
            return;
        }
        request.Reason = reason.Reason;
    }
    PrompterOverwriteQuestions questions(Messages);
    Result = ApplySchedule(*Doc, request, questions);
    if (Result.Ran) {
        accept();
        return;
    }
    if (Result.RangeFocus != RangeField::None) {
        Pages->setCurrentIndex(0);
        Range->FocusField(Result.RangeFocus);
    }
}

} // namespace custodex
