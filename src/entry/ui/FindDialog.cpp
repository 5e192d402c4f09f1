#include "entry/ui/FindDialog.h"

#include "calendar/WindowPlacement.h"

#include "platform/Prompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace custodex {

namespace {

constexpr QPoint AnimationCircle[20] = {
    {-5, 0}, {-4, 3}, {-3, 4}, {-2, 4}, {-1, 5}, {0, 5},  {1, 5},   {2, 4},   {3, 4},   {4, 3},
    {5, 0},  {4, -3}, {3, -4}, {2, -4}, {1, -5}, {0, -5}, {-1, -5}, {-2, -4}, {-3, -4}, {-4, -3}};

} // namespace

TFindThings::TFindThings(Prompter& prompter, QWidget* parent) : QDialog(parent), Messages(prompter)
{
    setObjectName(QStringLiteral("TFindThings"));
    setWindowTitle(QStringLiteral("Find Text String"));
    FindThis = new QLineEdit(this);
    FindThis->setObjectName(QStringLiteral("FindThis"));
    FindThis->setMinimumWidth(260);
    auto* searchLabel = new QLabel(QStringLiteral("&Search For?"), this);
    searchLabel->setBuddy(FindThis);
    Browser = new QLabel(this);
    Browser->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(24, 24));
    Browser->setFixedSize(24, 24);

    auto* scope = new QGroupBox(QStringLiteral("Search In:"), this);
    FindOvernights = new QRadioButton(QStringLiteral("&Overnights"), scope);
    FindDayVisits = new QRadioButton(QStringLiteral("&Day Visit"), scope);
    FindBoth = new QRadioButton(QStringLiteral("Day Visits and &Overnights"), scope);
    FindBoth->setText(QStringLiteral("Day Visits &and Overnights"));
    auto* scopeLayout = new QVBoxLayout(scope);
    scopeLayout->addWidget(FindOvernights);
    scopeLayout->addWidget(FindDayVisits);
    scopeLayout->addWidget(FindBoth);
    MatchBox = new QCheckBox(QStringLiteral("&Match Case"), this);

    FoundNotFound = new QLabel(QStringLiteral("Found in:  "), this);
    QFont bold = FoundNotFound->font();
    bold.setBold(true);
    FoundNotFound->setFont(bold);
    auto* monthLabel = new QLabel(QStringLiteral("Month:  "), this);
    MonthTextual = new QLabel(this);
    auto* dayLabel = new QLabel(QStringLiteral("Day:  "), this);
    DayText = new QLabel(this);
    auto* onLabel = new QLabel(QStringLiteral("OverNight:"), this);
    ONReasonText = new QLabel(this);
    auto* dvLabel = new QLabel(QStringLiteral("Day Visit:"), this);
    DVReasonText = new QLabel(this);
    ResultLabels = {FoundNotFound, monthLabel,   MonthTextual, dayLabel,    DayText,
                    onLabel,       ONReasonText, dvLabel,      DVReasonText};
    auto* results = new QGridLayout;
    results->addWidget(FoundNotFound, 0, 0, 1, 2);
    results->addWidget(monthLabel, 1, 0);
    results->addWidget(MonthTextual, 1, 1);
    results->addWidget(dayLabel, 2, 0);
    results->addWidget(DayText, 2, 1);
    results->addWidget(onLabel, 3, 0);
    results->addWidget(ONReasonText, 3, 1);
    results->addWidget(dvLabel, 4, 0);
    results->addWidget(DVReasonText, 4, 1);
    results->setColumnStretch(1, 1);

    FindNowBtn = new QPushButton(QStringLiteral("Search Now"), this);
    FindNowBtn->setObjectName(QStringLiteral("FindNowBtn"));
    FindNowBtn->setDefault(true);
    ExitFindBtn = new QPushButton(QStringLiteral("E&xit Search"), this);
    ExitFindBtn->setObjectName(QStringLiteral("ExitFindBtn"));
    ExitFindBtn->setAutoDefault(false);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(FindThis, 1);
    searchRow->addWidget(Browser);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNowBtn);
    buttons->addWidget(ExitFindBtn);
    buttons->addStretch();
    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(scope);
    left->addWidget(MatchBox);
    middle->addLayout(left);
    middle->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addLayout(middle);
    layout->addLayout(results);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    Timer->setInterval(2);
    connect(Timer, &QTimer::timeout, this, &TFindThings::Step);
    connect(FindNowBtn, &QPushButton::clicked, this, &TFindThings::FindNowBtnClick);
    connect(ExitFindBtn, &QPushButton::clicked, this, &TFindThings::ExitFindBtnClick);
    // New text means a new search from the first day; a search still running stops here,
    // before its next step could look for the old text at a day that is no longer current.
    connect(FindThis, &QLineEdit::textEdited, this, [this] {
        FindNowBtn->setText(QStringLiteral("Search Now"));
        Timer->stop();
        if (Searching)
            Browser->hide();
        Searching = false;
        StopRequested = false;
        Search.CurrentDay = -1;
        Search.EndReached = false;
    });
}

void TFindThings::Execute(CalendarDocument& doc, std::function<QRect(int, int)> showDay)
{
    Doc = &doc;
    ShowDay = std::move(showDay);
    FindBoth->setChecked(true);
    MatchBox->setChecked(false);
    Timer->stop();
    Searching = false;
    StopRequested = false;
    adjustSize();
    BrowserHome = Browser->pos();
    Browser->hide();
    ShowResults(false);
    SayResult(QString());
    FindNowBtn->setText(QStringLiteral("Search Now"));
    Search = {};
    FindThis->setFocus();
    FindThis->selectAll();
    exec();
    Timer->stop();
    Doc = nullptr;
}

FindScope TFindThings::Scope() const
{
    if (FindOvernights->isChecked())
        return FindScope::Overnights;
    return FindDayVisits->isChecked() ? FindScope::DayVisits : FindScope::Both;
}

void TFindThings::ShowResults(bool visible)
{
    for (QLabel* label : ResultLabels)
        label->setVisible(visible);
}

void TFindThings::FindNowBtnClick()
{
    if (!Doc || Searching)
        return;
    if (FindThis->text().isEmpty()) {
        Messages.Ask(PromptKind::Information, EmptySearchMessage, PromptButtons::Ok);
        FindThis->setFocus();
        return;
    }
    if (Search.EndReached) {
        if (Messages.Ask(
                PromptKind::Confirmation,
                QStringLiteral("Encountered the end of the Calendar.\n\rSearch Calendar again?"),
                PromptButtons::YesNo) != PromptAnswer::Yes) {
            Search.EndReached = false;
            return;
        }
        Search.CurrentDay = -1;
    }
    BeginFindStep(*Doc, Search);
    Browser->move(BrowserHome);
    Browser->show();
    ShowResults(false);
    Searching = true;
    StopRequested = false;
    Timer->start();
}

void TFindThings::Step()
{
    Timer->stop();
    if (!Doc)
        return;
    if (StopRequested) {
        Browser->hide();
        Searching = false;
        StopRequested = false;
        return;
    }
    const FindStepOutcome outcome =
        FindStep(*Doc, Search, FindThis->text(), Scope(), MatchBox->isChecked());
    if (outcome.Result == FindStepResult::Hit) {
        const CalendarDay& day = Doc->Days[static_cast<std::size_t>(Search.CurrentDay)];
        FoundNotFound->setText(FoundInText(outcome.Hit));
        MonthTextual->setText(FoundDateText(*Doc, Search));
        DayText->setText(day.WeekdayName);
        ShowResults(true);
        ONReasonText->setText(outcome.Hit.InOvernight ? day.OvernightReason : QString());
        DVReasonText->setText(outcome.Hit.InDayVisit ? day.DayVisitReason : QString());
        // The result read where the keyboard is: a screen reader speaks a new description of
        // the focused control.
        QStringList said{FoundNotFound->text().simplified(),
                         MonthTextual->text() + QStringLiteral(", ") + DayText->text()};
        if (!ONReasonText->text().isEmpty())
            said << QStringLiteral("OverNight: ") + ONReasonText->text();
        if (!DVReasonText->text().isEmpty())
            said << QStringLiteral("Day Visit: ") + DVReasonText->text();
        SayResult(said.join(QStringLiteral("; ")));
        if (ShowDay) {
            // The found day is never left under the dialog.
            const QRect day = ShowDay(Search.MonthPosition, Search.CurrentDay);
            if (const QScreen* screen = this->screen())
                move(MoveAside(frameGeometry(), day, screen->availableGeometry()));
        }
        FindNowBtn->setText(QStringLiteral("Find Next"));
        Browser->hide();
        Searching = false;
        return;
    }
    if (outcome.Result == FindStepResult::MovedOn) {
        AnimationStep = (AnimationStep + 1) % 20;
        Browser->move(BrowserHome + AnimationCircle[AnimationStep]);
        QCoreApplication::processEvents();
        if (Searching)
            Timer->start();
        return;
    }
    if (outcome.Result == FindStepResult::NoCurrentDay) {
        Browser->hide();
        Searching = false;
        return;
    }
    Browser->hide();
    Messages.Ask(PromptKind::Information,
                 QStringLiteral("String \"") + FindThis->text() + QStringLiteral("\" not found."),
                 PromptButtons::Ok);
    FoundNotFound->setText(QStringLiteral("String Not Found"));
    FoundNotFound->show();
    SayResult(FoundNotFound->text());
    Searching = false;
}

void TFindThings::SayResult(const QString& text)
{
    for (QWidget* control : {static_cast<QWidget*>(FindThis), static_cast<QWidget*>(FindNowBtn)})
        control->setAccessibleDescription(text);
}

void TFindThings::ExitFindBtnClick()
{
    if (Searching)
        StopRequested = true;
    else
        accept();
}

void TFindThings::reject()
{
    // Escape stops a running search first, like Exit Search.
    if (Searching)
        StopRequested = true;
    else
        QDialog::reject();
}

} // namespace custodex
