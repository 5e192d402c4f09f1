#include "reports/ui/AwayTimesDialog.h"

#include "calendar/ui/DialogParts.h"
#include "calendar/ui/DurationFieldKeys.h"
#include "platform/HelpService.h"
#include "platform/Prompter.h"
#include "reports/TimeReportPages.h"
#include "reports/ui/QualitySummaryWindow.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

namespace {

const QString DailyHint = QStringLiteral("The number of hours per day devoted to this activity.");
// The days count within the report's period: the marked year, or both years when both are.
const QString DayHints[3] = {
    QStringLiteral("Days on which the activity occurs within the report's period (the year "
                   "with marked days, or both years when both have them); at most 365.\n"
                   "Custodial Days + Non-Custodial Days must equal it."),
    QStringLiteral("Of the Total # Days, those in the custodial parent's care."),
    QStringLiteral("Of the Total # Days, those in the non-custodial parent's care."),
};

// A field with its up and down arrows beside it.
QHBoxLayout* WithArrows(QWidget* field, QToolButton* up, QToolButton* down)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    row->addWidget(field);
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up);
    arrows->addWidget(down);
    row->addLayout(arrows);
    row->addStretch();
    return row;
}

bool AllDigits(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

} // namespace

TComputeQuality::TComputeQuality(CalendarDocument& doc, TimeReportServices services,
                                 QWidget* parent)
    : QDialog(parent), Doc(doc), Services(services)
{
    setObjectName(QStringLiteral("TComputeQuality"));
    setWindowTitle(QStringLiteral("Away Times"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);

    auto* entry = new QGroupBox(QStringLiteral("Away Activity"), this);
    auto* grid = new QGridLayout(entry);
    AwayActivity = new QLineEdit(entry);
    AwayActivity->setObjectName(QStringLiteral("AwayActivity"));
    AwayActivity->setMaxLength(ActivityNameCapacity);
    AwayActivity->installEventFilter(this);
    grid->addWidget(new QLabel(QStringLiteral("Activity Name"), entry), 0, 0);
    grid->addWidget(AwayActivity, 0, 1, 1, 5);

    auto twoDigits = [entry](const char* name) {
        auto* edit = new QLineEdit(QStringLiteral("00"), entry);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
        edit->setToolTip(DailyHint);
        return edit;
    };
    AwayHrs = twoDigits("AwayHrs");
    AwayMins = twoDigits("AwayMins");
    UpDownAwayHrsUp = Arrow(entry, Qt::UpArrow, QStringLiteral("UpDownAwayHrsUp"));
    UpDownAwayHrsDown = Arrow(entry, Qt::DownArrow, QStringLiteral("UpDownAwayHrsDown"));
    UpDownAwayMinsUp = Arrow(entry, Qt::UpArrow, QStringLiteral("UpDownAwayMinsUp"));
    UpDownAwayMinsDown = Arrow(entry, Qt::DownArrow, QStringLiteral("UpDownAwayMinsDown"));
    auto* daily = new QHBoxLayout;
    daily->addLayout(WithArrows(AwayHrs, UpDownAwayHrsUp, UpDownAwayHrsDown));
    daily->addWidget(new QLabel(QStringLiteral(":"), entry));
    daily->addLayout(WithArrows(AwayMins, UpDownAwayMinsUp, UpDownAwayMinsDown));
    daily->addStretch();
    auto* dailyLabel = new QLabel(QStringLiteral("Daily Hrs."), entry);
    dailyLabel->setToolTip(DailyHint);
    grid->addWidget(dailyLabel, 1, 0);
    grid->addLayout(daily, 1, 1);

    const char* dayNames[3] = {"AwayDays", "AwayCustDays", "AwayNonCustDays"};
    const char* dayCaptions[3] = {"Total # Days", "Custodial Days", "Non-Custodial Days"};
    QLineEdit** dayFields[3] = {&AwayDays, &AwayCustDays, &AwayNonCustDays};
    for (int i = 0; i < 3; ++i) {
        auto* field = new QLineEdit(QStringLiteral("0"), entry);
        field->setObjectName(QLatin1String(dayNames[i]));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
        field->installEventFilter(this);
        *dayFields[i] = field;
        DaysUp[i] = Arrow(entry, Qt::UpArrow, QStringLiteral("UpDown%1Up").arg(11 + i));
        DaysDown[i] = Arrow(entry, Qt::DownArrow, QStringLiteral("UpDown%1Down").arg(11 + i));
        auto* label = new QLabel(QLatin1String(dayCaptions[i]), entry);
        label->setToolTip(DayHints[i]);
        field->setToolTip(DayHints[i]);
        grid->addWidget(label, 2, 2 * i);
        grid->addLayout(WithArrows(field, DaysUp[i], DaysDown[i]), 2, 2 * i + 1);
        connect(DaysUp[i], &QToolButton::clicked, this, [this, i] { SpinDays(i, true); });
        connect(DaysDown[i], &QToolButton::clicked, this, [this, i] { SpinDays(i, false); });
    }
    AddNapTime = new QCheckBox(QStringLiteral("Add Nap Time (If the child will be napping either "
                                              "before or after the activity period)"),
                               entry);
    AddNapTime->setObjectName(QStringLiteral("AddNapTime"));
    grid->addWidget(AddNapTime, 3, 0, 1, 6);
    layout->addWidget(entry);

    auto* listButtons = new QHBoxLayout;
    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    AddAway = button(QStringLiteral("Add To List"), "AddAway");
    ModifyAway = button(QStringLiteral("Modify Selection"), "ModifyAway");
    RemoveAway = button(QStringLiteral("Delete Selection"), "RemoveAway");
    listButtons->addWidget(AddAway);
    listButtons->addWidget(ModifyAway);
    listButtons->addWidget(RemoveAway);
    listButtons->addStretch();
    layout->addLayout(listButtons);

    layout->addWidget(new QLabel(QStringLiteral("Away Time List"), this));
    AwayList = new QTableWidget(1, 6, this);
    AwayList->setObjectName(QStringLiteral("AwayList"));
    AwayList->setHorizontalHeaderLabels(
        {QStringLiteral("Activity Name"), QStringLiteral("Daily Hrs."),
         QStringLiteral("Total Days"), QStringLiteral("Custodial Days"),
         QStringLiteral("Non-Custodial Days"), QStringLiteral("Add Nap")});
    AwayList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AwayList->setSelectionBehavior(QAbstractItemView::SelectRows);
    AwayList->setSelectionMode(QAbstractItemView::SingleSelection);
    AwayList->verticalHeader()->setVisible(false);
    AwayList->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    AwayList->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    AwayList->setMinimumHeight(AwayList->verticalHeader()->defaultSectionSize() * 7);
    layout->addWidget(AwayList, 1);

    auto* bottom = new QHBoxLayout;
    StrtTimeChk = button(QStringLiteral("Check Away Times"), "StrtTimeChk");
    StrtTimeChk->setDefault(true);
    CloseBtn = button(QStringLiteral("Close"), "CloseBtn");
    HelpBtn = button(QStringLiteral("&Help"), "HelpBtn");
    bottom->addStretch();
    bottom->addWidget(StrtTimeChk);
    bottom->addWidget(CloseBtn);
    bottom->addWidget(HelpBtn);
    layout->addLayout(bottom);

    connect(AwayActivity, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (text.size() >= ActivityNameCapacity)
            Services.Messages.Ask(PromptKind::Information, AwayNameTooLongNotice,
                                  PromptButtons::Ok);
    });
    auto spin = [this](bool hours, bool up) {
        if (hours)
            SpinDurationHours(Daily, up);
        else
            SpinDurationMinutes(Daily, up);
        ShowDuration();
    };
    new DurationFieldKeys(AwayHrs, AwayMins, Daily, Services.Messages, [this] { ShowDuration(); });
    connect(UpDownAwayHrsUp, &QToolButton::clicked, this, [spin] { spin(true, true); });
    connect(UpDownAwayHrsDown, &QToolButton::clicked, this, [spin] { spin(true, false); });
    connect(UpDownAwayMinsUp, &QToolButton::clicked, this, [spin] { spin(false, true); });
    connect(UpDownAwayMinsDown, &QToolButton::clicked, this, [spin] { spin(false, false); });
    connect(AddAway, &QPushButton::clicked, this, &TComputeQuality::AddAwayClick);
    connect(ModifyAway, &QPushButton::clicked, this, &TComputeQuality::ModifyAwayClick);
    connect(RemoveAway, &QPushButton::clicked, this, &TComputeQuality::RemoveAwayClick);
    connect(StrtTimeChk, &QPushButton::clicked, this, &TComputeQuality::StrtTimeChkClick);
    connect(CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { Services.Help.ShowHelpTopic(this, QStringLiteral("html/cale6bhv.htm")); });
    const QList<QWidget*> order{AwayActivity, AwayDays,    AwayCustDays, AwayNonCustDays,
                                AddNapTime,   AddAway,     ModifyAway,   RemoveAway,
                                AwayList,     StrtTimeChk, CloseBtn,     HelpBtn};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    resize(720, 520);
}

int TComputeQuality::Execute()
{
    LoadList(ReadAwayActivities(Doc.Exclusions));
    ClearEntry();
    Changed = false;
    const QString note = QualityPeriodNote(QualityPeriodKindOf(Doc));
    if (!note.isEmpty())
        QTimer::singleShot(0, this, [this, note] {
            Services.Messages.Ask(PromptKind::Warning, note, PromptButtons::Ok);
        });
    AwayActivity->setFocus();
    return exec();
}

void TComputeQuality::LoadList(const std::vector<custodex::AwayActivity>& activities)
{
    AwayList->clearContents();
    AwayList->setRowCount(static_cast<int>(activities.size()) + 1);
    for (std::size_t i = 0; i < activities.size(); ++i)
        SetRow(static_cast<int>(i), activities[i]);
}

void TComputeQuality::SetRow(int row, const custodex::AwayActivity& activity)
{
    const QStringList texts{activity.Name,          activity.DailyTime,        activity.TotalDays,
                            activity.CustodialDays, activity.NonCustodialDays, activity.AddNap};
    // An entry a hand-edited file spoiled is shown in red with what is wrong, for correction.
    const std::optional<QString> problem = AwayActivityProblem(activity);
    for (int column = 0; column < texts.size(); ++column) {
        auto* item = new QTableWidgetItem(texts[column]);
        if (problem) {
            item->setForeground(Qt::red);
            item->setToolTip(QStringLiteral("This entry has ") + *problem +
                             QStringLiteral(": modify it to correct it."));
        }
        AwayList->setItem(row, column, item);
    }
}

std::vector<custodex::AwayActivity> TComputeQuality::Activities() const
{
    std::vector<custodex::AwayActivity> activities;
    for (int row = 0; row + 1 < AwayList->rowCount(); ++row) {
        auto text = [this, row](int column) {
            const QTableWidgetItem* item = AwayList->item(row, column);
            return item ? item->text() : QString();
        };
        activities.push_back({text(0), text(1), text(2), text(3), text(4), text(5)});
    }
    return activities;
}

custodex::AwayActivity TComputeQuality::EntryActivity() const
{
    return {AwayActivity->text(),
            Daily.Text(),
            AwayDays->text(),
            AwayCustDays->text(),
            AwayNonCustDays->text(),
            AddNapTime->isChecked() ? QStringLiteral("Yes") : QStringLiteral("No")};
}

void TComputeQuality::ClearEntry()
{
    AwayActivity->clear();
    Daily = {0, 0, AwayHoursLimit};
    ShowDuration();
    AwayDays->setText(QStringLiteral("0"));
    AwayCustDays->setText(QStringLiteral("0"));
    AwayNonCustDays->setText(QStringLiteral("0"));
    AddNapTime->setChecked(false);
}

void TComputeQuality::ShowDuration()
{
    const QString text = Daily.Text();
    AwayHrs->setText(text.left(2));
    AwayMins->setText(text.mid(3, 2));
}

bool TComputeQuality::EntryRefused()
{
    const std::optional<AwayEntryRefusal> refusal =
        CheckAwayEntry(Daily.Hours, Daily.Minutes, AwayDays->text(), AwayCustDays->text(),
                       AwayNonCustDays->text());
    if (!refusal)
        return false;
    Checking = true;
    Services.Messages.Ask(PromptKind::Error, refusal->Message, PromptButtons::Ok);
    Checking = false;
    switch (refusal->Focus) {
    case AwayEntryField::Hours:
        UpDownAwayHrsUp->setFocus();
        break;
    case AwayEntryField::TotalDays:
        AwayDays->setFocus();
        break;
    case AwayEntryField::CustodialDays:
        AwayCustDays->setFocus();
        break;
    }
    return true;
}

int TComputeQuality::AppendEntry()
{
    const int row = AwayList->rowCount() - 1;
    SetRow(row, EntryActivity());
    AwayList->insertRow(row + 1);
    ClearEntry();
    Changed = true;
    return row;
}

void TComputeQuality::AddAwayClick()
{
    if (!EntryRefused())
        AppendEntry();
}

int TComputeQuality::SelectedDataRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = AwayList->selectedRanges();
    if (ranges.isEmpty())
        return -1;
    const int row = ranges.first().topRow();
    return row < AwayList->rowCount() - 1 ? row : -1;
}

void TComputeQuality::ModifyAwayClick()
{
    if (ModifyAway->text() == QStringLiteral("Insert Change")) {
        if (EntryRefused())
            return;
        const int row = AppendEntry();
        AddAway->setEnabled(true);
        RemoveAway->setEnabled(true);
        ModifyAway->setText(QStringLiteral("Modify Selection"));
        AwayList->selectRow(row);
        return;
    }
    const int row = ConfirmedRow(QStringLiteral("modify"), ModifyAwayQuestion);
    if (row < 0)
        return;
    const custodex::AwayActivity activity = Activities().at(static_cast<std::size_t>(row));
    AwayActivity->setText(activity.Name);
    Daily = DurationFromText(activity.DailyTime, AwayHoursLimit);
    ShowDuration();
    AwayDays->setText(activity.TotalDays);
    AwayCustDays->setText(activity.CustodialDays);
    AwayNonCustDays->setText(activity.NonCustodialDays);
    AddNapTime->setChecked(activity.AddNap == QStringLiteral("Yes"));
    AwayList->removeRow(row);
    AddAway->setEnabled(false);
    RemoveAway->setEnabled(false);
    ModifyAway->setText(QStringLiteral("Insert Change"));
    Changed = true;
}

int TComputeQuality::ConfirmedRow(const QString& verb,
                                  QString (*question)(const custodex::AwayActivity&))
{
    const int row = SelectedDataRow();
    if (row < 0) {
        Services.Messages.Ask(PromptKind::Information,
                              QStringLiteral("You must click on an entry in the list before you "
                                             "can ") +
                                  verb + QStringLiteral(" it."),
                              PromptButtons::Ok);
        return -1;
    }
    const custodex::AwayActivity activity = Activities().at(static_cast<std::size_t>(row));
    if (Services.Messages.Ask(PromptKind::Confirmation, question(activity), PromptButtons::YesNo) !=
        PromptAnswer::Yes)
        return -1;
    return row;
}

void TComputeQuality::RemoveAwayClick()
{
    const int row = ConfirmedRow(QStringLiteral("delete"), DeleteAwayQuestion);
    if (row < 0)
        return;
    AwayList->removeRow(row);
    Changed = true;
}

void TComputeQuality::StrtTimeChkClick()
{
    const QualityInputs inputs = QualityInputsOf(Doc);
    const std::vector<custodex::AwayActivity> activities = Activities();
    const QualityCheck check = CheckAwayTimes(inputs, activities);
    for (const QString& error : check.Errors)
        Services.Messages.Ask(PromptKind::Error, error, PromptButtons::Ok);
    if (!check.Errors.isEmpty())
        return;
    if (Doc.DistributionHadErrors)
        Services.Messages.Ask(PromptKind::Warning, AwayCheckOkApproximateMessage,
                              PromptButtons::Ok);
    else
        Services.Messages.Ask(PromptKind::Information, AwayCheckOkMessage, PromptButtons::Ok);
    if (!SummaryWindow)
        SummaryWindow = new TPrintQuality(Doc, Services, this);
    SummaryWindow->ShowReport(MakeQualityReport(Doc, inputs, check.Results, activities));
    SummaryWindow->exec();
}

void TComputeQuality::SpinDays(int field, bool up)
{
    QLineEdit* fields[3] = {AwayDays, AwayCustDays, AwayNonCustDays};
    QLineEdit* edit = fields[field];
    edit->setFocus();
    if (!AllDigits(edit->text()))
        return;
    const int value = edit->text().toInt();
    if (up && value < AwayDaysLimit)
        edit->setText(QString::number(value + 1));
    else if (!up && value > 0)
        edit->setText(QString::number(value - 1));
}

bool TComputeQuality::NameLeft()
{
    if (!AwayActivity->text().contains(QLatin1Char(',')))
        return true;
    Services.Messages.Ask(PromptKind::Error, AwayNameCommaMessage, PromptButtons::Ok);
    return false;
}

bool TComputeQuality::DaysLeft(QLineEdit* field)
{
    if (!AllDigits(field->text())) {
        Services.Messages.Ask(PromptKind::Error, AwayIllegalDigitsMessage, PromptButtons::Ok);
        return false;
    }
    if (field == AwayDays || !AllDigits(AwayDays->text()))
        return true;
    const int total = AwayDays->text().toInt();
    const int value = field->text().toInt();
    if (total <= 0 || value <= 0)
        return true;
    const bool custodial = field == AwayCustDays;
    if (value > total) {
        Services.Messages.Ask(PromptKind::Error,
                              custodial ? AwayCustodialOverTotalMessage
                                        : AwayNonCustodialOverTotalMessage,
                              PromptButtons::Ok);
        return false;
    }
    (custodial ? AwayNonCustDays : AwayCustDays)->setText(QString::number(total - value));
    return true;
}

bool TComputeQuality::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving a field checks it; a refusal puts the focus back once its message is closed.
    if (event->type() == QEvent::FocusOut && !Checking && isVisible()) {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && (field == AwayActivity || field == AwayDays || field == AwayCustDays ||
                      field == AwayNonCustDays)) {
            Checking = true;
            const bool accepted = field == AwayActivity ? NameLeft() : DaysLeft(field);
            Checking = false;
            if (!accepted)
                QTimer::singleShot(0, field, [field] { field->setFocus(); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TComputeQuality::done(int result)
{
    if (Changed) {
        if (Services.Messages.Ask(PromptKind::Confirmation, QStringLiteral("Save Changes?"),
                                  PromptButtons::YesNo) == PromptAnswer::Yes) {
            Doc.Exclusions = AwayActivityEntries(Activities());
            Doc.ChangesPending = true;
        }
        Changed = false;
    }
    QDialog::done(result);
}

} // namespace custodex
