#include "calendar/ui/PreferencesDialog.h"

#include "calendar/ui/TimeFieldKeys.h"

#include "calendar/Colour.h"
#include "calendar/ui/DialogParts.h"
#include "calendar/ui/DurationFieldKeys.h"
#include "calendar/ui/GuidelinesPage.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "platform/ColourChooser.h"
#include "platform/HelpService.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

namespace {

QLineEdit* TwoDigits(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFixedWidth(30);
    edit->setAlignment(Qt::AlignCenter);
    return edit;
}

QFrame* Swatch(QWidget* parent, const char* name)
{
    auto* swatch = new QFrame(parent);
    swatch->setObjectName(QLatin1String(name));
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setLineWidth(2);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(60, 28);
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->setToolTip(QStringLiteral("Click to change the color"));
    return swatch;
}

void Paint(QFrame* swatch, std::int32_t colour)
{
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, ColourFromValue(colour));
    swatch->setPalette(palette);
}

} // namespace

TUserInitialize::TUserInitialize(Prompter& prompter, HelpService& help, ColourChooser& colours,
                                 TUserClock& clock, QWidget* parent)
    : QDialog(parent), Messages(prompter), Help(help), Colours(colours), Clock(clock)
{
    setObjectName(QStringLiteral("TUserInitialize"));
    setWindowTitle(QStringLiteral("Preferences"));

    // Credits.
    auto* credits = new QGroupBox(QStringLiteral("Credits (Optional)"), this);
    Author = new QLineEdit(credits);
    Author->setObjectName(QStringLiteral("Author"));
    Author->setMaxLength(AuthorCapacity);
    Author->setToolTip(QStringLiteral(
        "Name of Author, Company name, or other descriptive text; 40 Characters Max"));
    Title = new QLineEdit(credits);
    Title->setObjectName(QStringLiteral("Title"));
    Title->setMaxLength(TitleCapacity);
    Title->setToolTip(
        QStringLiteral("Author's Title, or other descriptive text; 40 characters Maximum"));
    auto* creditsLayout = new QGridLayout(credits);
    auto* authorLabel = new QLabel(QStringLiteral("&Author:"), credits);
    authorLabel->setBuddy(Author);
    auto* titleLabel = new QLabel(QStringLiteral("&Title:"), credits);
    titleLabel->setBuddy(Title);
    creditsLayout->addWidget(authorLabel, 0, 0);
    creditsLayout->addWidget(Author, 0, 1);
    creditsLayout->addWidget(titleLabel, 1, 0);
    creditsLayout->addWidget(Title, 1, 1);
    creditsLayout->addWidget(
        new QLabel(
            QStringLiteral("(Authoring credits will be shown on all Calendar printouts only)"),
            credits),
        2, 0, 1, 2);

    // Colours.
    auto* colourGroup = new QGroupBox(
        QStringLiteral("Calendar Colors -- Click on a color to change it (Optional)"), this);
    BackGrndColPanel = Swatch(colourGroup, "BackGrndColPanel");
    OverNiteColPanel = Swatch(colourGroup, "OverNiteColPanel");
    DayVisitColPanel = Swatch(colourGroup, "DayVisitColPanel");
    RestoreColorDefaults = new QCheckBox(QStringLiteral("Restore Defaults"), colourGroup);
    RestoreColorDefaults->setObjectName(QStringLiteral("RestoreColorDefaults"));
    auto* colourLayout = new QGridLayout(colourGroup);
    const QStringList captions{QStringLiteral("Custodial Color\n(Default White)"),
                               QStringLiteral("Non-Custodial\nOvernight Color\n(Default Gray)"),
                               QStringLiteral("Non-Custodial\nDay Visits Color\n(Default Black)")};
    QFrame* swatches[3] = {BackGrndColPanel, OverNiteColPanel, DayVisitColPanel};
    const QString swatchNames[3] = {QStringLiteral("Custodial Color"),
                                    QStringLiteral("Non-Custodial Overnight Color"),
                                    QStringLiteral("Non-Custodial Day Visits Color")};
    for (int i = 0; i < 3; ++i) {
        // A button for the keyboard too: Space or Enter opens the colour chooser.
        swatches[i]->setFocusPolicy(Qt::StrongFocus);
        swatches[i]->setAccessibleName(swatchNames[i]);
        swatches[i]->setAccessibleDescription(
            QStringLiteral("Press Space or Enter to change the color"));
        auto* caption = new QLabel(captions[i], colourGroup);
        caption->setAlignment(Qt::AlignCenter);
        colourLayout->addWidget(swatches[i], 0, i, Qt::AlignHCenter);
        colourLayout->addWidget(caption, 1, i);
        swatches[i]->installEventFilter(this);
    }
    colourLayout->addWidget(RestoreColorDefaults, 0, 3);

    // Default times.
    auto* times = new QGroupBox(QStringLiteral(" Start/Stop Times (Optional)"), this);
    auto* timesLayout = new QHBoxLayout(times);
    QLineEdit** fields[4] = {&OverNiteStrtTime, &OverNiteEndTime, &DayVisitStrtTime,
                             &DayVisitEndTime};
    const char* names[4] = {"OverNiteStrtTime", "OverNiteEndTime", "DayVisitStrtTime",
                            "DayVisitEndTime"};
    for (int group = 0; group < 2; ++group) {
        auto* sub = new QGroupBox(
            group == 0 ? QStringLiteral("Overnight Stay") : QStringLiteral("Day Visit"), times);
        auto* grid = new QGridLayout(sub);
        for (int k = 0; k < 2; ++k) {
            const int which = group * 2 + k;
            auto* field = new QLineEdit(sub);
            field->setObjectName(QLatin1String(names[which]));
            field->setReadOnly(true);
            field->setFixedWidth(76);
            field->installEventFilter(this);
            OpenTimeEntryOnKeys(field, [this, which] { EditTime(which); });
            *fields[which] = field;
            auto* button = new QToolButton(sub);
            button->setText(QStringLiteral("..."));
            connect(button, &QToolButton::clicked, this, [this, which] { EditTime(which); });
            auto* label = new QLabel(
                k == 0 ? QStringLiteral("Pickup Time:") : QStringLiteral("Dropoff Time:"), sub);
            label->setBuddy(field);
            // Both groups hold a "Pickup Time:": the name says whose.
            const QString name = sub->title() + QLatin1Char(' ') + label->text().chopped(1);
            field->setAccessibleName(name);
            button->setAccessibleName(QStringLiteral("Set ") + name);
            grid->addWidget(label, k, 0);
            grid->addWidget(field, k, 1);
            grid->addWidget(button, k, 2);
        }
        timesLayout->addWidget(sub);
    }

    // Parental titles.
    auto* titles = new QGroupBox(
        QStringLiteral("Parental Titles (Mandatory... will be used in all headings and footings)"),
        this);
    CustodialName = new QComboBox(titles);
    CustodialName->setObjectName(QStringLiteral("CustodialName"));
    CustodialName->setEditable(true);
    CustodialName->addItems({QStringLiteral("Custodial"), QStringLiteral("Primary Care Giver"),
                             QStringLiteral("Dad"), QStringLiteral("Mom"), QStringLiteral("Father"),
                             QStringLiteral("Mother")});
    CustodialName->lineEdit()->setMaxLength(55);
    NonCustodialName = new QComboBox(titles);
    NonCustodialName->setObjectName(QStringLiteral("NonCustodialName"));
    NonCustodialName->setEditable(true);
    NonCustodialName->addItems({QStringLiteral("Non-Custodial"),
                                QStringLiteral("Secondary Care Giver"), QStringLiteral("Dad"),
                                QStringLiteral("Mom"), QStringLiteral("Father"),
                                QStringLiteral("Mother")});
    NonCustodialName->lineEdit()->setMaxLength(55);
    auto* titlesLayout = new QGridLayout(titles);
    auto* custodialLabel = new QLabel(QStringLiteral("&Custodial Parent Title:"), titles);
    custodialLabel->setBuddy(CustodialName);
    auto* nonCustodialLabel = new QLabel(QStringLiteral("&Non-custodial Parent Title:"), titles);
    nonCustodialLabel->setBuddy(NonCustodialName);
    titlesLayout->addWidget(custodialLabel, 0, 0);
    titlesLayout->addWidget(CustodialName, 0, 1);
    titlesLayout->addWidget(nonCustodialLabel, 1, 0);
    titlesLayout->addWidget(NonCustodialName, 1, 1);
    titlesLayout->setColumnStretch(1, 1);

    // Assumed durations.
    auto* assumed = new QGroupBox(
        QStringLiteral(
            "Assumed Times -- used for Hourly Distribution report and Quality Time (Optional)"),
        this);
    auto* assumedLayout = new QGridLayout(assumed);
    const QString labels[4] = {
        QStringLiteral("Overnight Total Hours:"), QStringLiteral("Overnight Sleep Time:"),
        QStringLiteral("Day Visit Total Hours:"), QStringLiteral("Day Visit Nap Time:")};
    const QString hints[4] = {
        QStringLiteral("Length of Overnight Stay (Max = 24 Hrs)"),
        QStringLiteral("How long does the child sleep at night? (Max Sleep Time = 12 Hours)"),
        QStringLiteral("How long is a day visit? "),
        QStringLiteral("How long does the child nap?")};
    const QString durationNames[4] = {QStringLiteral("Overnight stay"),
                                      QStringLiteral("Overnight sleep"),
                                      QStringLiteral("Day visit"), QStringLiteral("Day visit nap")};
    const char* hourNames[4] = {"OvrStyHrs", "SleepHrs", "DVStyHrs", "NapHrs"};
    const char* minuteNames[4] = {"OvrStyMins", "SleepMins", "DVStyMins", "NapMins"};
    const int hourSpinners[4] = {5, 1, 7, 3};
    for (int i = 0; i < 4; ++i) {
        const auto k = static_cast<std::size_t>(i);
        HourFields[k] = TwoDigits(assumed, QLatin1String(hourNames[i]));
        MinuteFields[k] = TwoDigits(assumed, QLatin1String(minuteNames[i]));
        HourFields[k]->setToolTip(hints[i]);
        MinuteFields[k]->setToolTip(hints[i]);
        HoursUp[k] = Arrow(assumed, Qt::UpArrow, QStringLiteral("UpDown%1Up").arg(hourSpinners[i]));
        HoursDown[k] =
            Arrow(assumed, Qt::DownArrow, QStringLiteral("UpDown%1Down").arg(hourSpinners[i]));
        MinutesUp[k] =
            Arrow(assumed, Qt::UpArrow, QStringLiteral("UpDown%1Up").arg(hourSpinners[i] + 1));
        MinutesDown[k] =
            Arrow(assumed, Qt::DownArrow, QStringLiteral("UpDown%1Down").arg(hourSpinners[i] + 1));
        auto* hourSpin = new QVBoxLayout;
        hourSpin->setSpacing(0);
        hourSpin->addWidget(HoursUp[k]);
        hourSpin->addWidget(HoursDown[k]);
        auto* minuteSpin = new QVBoxLayout;
        minuteSpin->setSpacing(0);
        minuteSpin->addWidget(MinutesUp[k]);
        minuteSpin->addWidget(MinutesDown[k]);
        auto* row = new QHBoxLayout;
        row->addLayout(hourSpin);
        row->addWidget(HourFields[k]);
        row->addWidget(new QLabel(QStringLiteral(":"), assumed));
        row->addWidget(MinuteFields[k]);
        row->addLayout(minuteSpin);
        row->addStretch();
        auto* label = new QLabel(labels[i], assumed);
        label->setToolTip(hints[i]);
        label->setBuddy(HourFields[k]);
        // The hours and minutes share one label and the group's title: each says which it is.
        HourFields[k]->setAccessibleName(durationNames[i] + QStringLiteral(" hours"));
        MinuteFields[k]->setAccessibleName(durationNames[i] + QStringLiteral(" minutes"));
        HoursUp[k]->setAccessibleName(durationNames[i] + QStringLiteral(" hours up"));
        HoursDown[k]->setAccessibleName(durationNames[i] + QStringLiteral(" hours down"));
        MinutesUp[k]->setAccessibleName(durationNames[i] + QStringLiteral(" minutes up"));
        MinutesDown[k]->setAccessibleName(durationNames[i] + QStringLiteral(" minutes down"));
        for (QWidget* part :
             {static_cast<QWidget*>(HourFields[k]), static_cast<QWidget*>(MinuteFields[k])})
            part->setAccessibleDescription(hints[i]);
        assumedLayout->addWidget(label, i / 2, (i % 2) * 2);
        assumedLayout->addLayout(row, i / 2, (i % 2) * 2 + 1);
        auto spin = [this, i](bool hours, bool up) {
            Duration& d = DurationAt(i);
            if (hours)
                SpinDurationHours(d, up);
            else
                SpinDurationMinutes(d, up);
            Touch();
            if (Doc)
                Doc->DistributionStale = true;
            ShowValues();
        };
        new DurationFieldKeys(HourFields[k], MinuteFields[k], DurationAt(i), Messages, [this] {
            Touch();
            if (Doc)
                Doc->DistributionStale = true;
            ShowValues();
        });
        connect(HoursUp[k], &QToolButton::clicked, this, [spin] { spin(true, true); });
        connect(HoursDown[k], &QToolButton::clicked, this, [spin] { spin(true, false); });
        connect(MinutesUp[k], &QToolButton::clicked, this, [spin] { spin(false, true); });
        connect(MinutesDown[k], &QToolButton::clicked, this, [spin] { spin(false, false); });
    }

    OkBtn = new QPushButton(QStringLiteral("Ok"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    HelpBtn = new QPushButton(QStringLiteral("&Help"), this);
    HelpBtn->setAutoDefault(false);
    connect(OkBtn, &QPushButton::clicked, this, &TUserInitialize::OkBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TUserInitialize::CancelBtnClick);
    connect(HelpBtn, &QPushButton::clicked, this,
            [this] { Help.ShowHelpTopic(this, HelpPreferences); });
    connect(RestoreColorDefaults, &QCheckBox::clicked, this, [this] {
        RestoreColourDefaults(Values);
        Touch();
        ShowValues();
    });
    // Each change at the field's length shows its warning.
    auto lengthWarning = [this](int capacity, PromptKind kind, const QString& message) {
        return [this, capacity, kind, message](const QString& text) {
            if (Filling)
                return;
            Touch();
            if (UserCharacterCount(text) >= capacity)
                Messages.Ask(kind, message, PromptButtons::Ok);
        };
    };
    connect(Author, &QLineEdit::textEdited, this,
            lengthWarning(AuthorCapacity, PromptKind::Information,
                          QStringLiteral("Stop!  Max Length of Author field is 40 characters.")));
    connect(Title, &QLineEdit::textEdited, this,
            lengthWarning(TitleCapacity, PromptKind::Information,
                          QStringLiteral("Stop!  Max Length of Title field is 40 characters.")));
    connect(
        CustodialName, &QComboBox::editTextChanged, this,
        lengthWarning(ParentNameCapacity, PromptKind::Error,
                      QStringLiteral("The custodial parent's name may not exceed 50 characters.")));
    connect(NonCustodialName, &QComboBox::editTextChanged, this,
            lengthWarning(
                ParentNameCapacity, PromptKind::Error,
                QStringLiteral("The non-custodial parent's name may not exceed 50 characters.")));

    // What is typed becomes the working value at once, so no redraw (a spinner, a colour, a
    // time, a refused OK) can put an older text back over it.
    auto keep = [this](QString& value) {
        return [this, &value](const QString& text) {
            if (!Filling)
                value = text;
        };
    };
    connect(Author, &QLineEdit::textChanged, this, keep(Values.Author));
    connect(Title, &QLineEdit::textChanged, this, keep(Values.Title));
    connect(CustodialName, &QComboBox::editTextChanged, this, keep(Values.CustodialName));
    connect(NonCustodialName, &QComboBox::editTextChanged, this, keep(Values.NonCustodialName));

    // A mouse press on a field counts as touching the dialog, changed or not.
    for (QWidget* field :
         std::initializer_list<QWidget*>{Author, Title, CustodialName, NonCustodialName,
                                         CustodialName->lineEdit(), NonCustodialName->lineEdit()})
        field->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Note:  Values may be changed at any time by "
                                                 "clicking \"Preferences\" on the  main menu bar."),
                                  this));
    buttons->addStretch();
    buttons->addWidget(OkBtn);
    buttons->addWidget(CancelBtn);
    buttons->addWidget(HelpBtn);
    auto* top = new QHBoxLayout;
    top->addWidget(credits, 1);
    top->addWidget(colourGroup);
    auto* middle = new QHBoxLayout;
    middle->addWidget(times);
    middle->addWidget(titles, 1);
    // The settings on the first page as ever; the guidelines on a page of their own.
    auto* general = new QWidget(this);
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->addLayout(top);
    generalLayout->addLayout(middle);
    generalLayout->addWidget(assumed);
    GuidelinesTab = new GuidelinesPage(Messages, this);
    GuidelinesTab->Changed = [this] { Touch(); };
    Pages = new QTabWidget(this);
    Pages->setObjectName(QStringLiteral("PreferencePages"));
    Pages->addTab(general, QStringLiteral("&Preferences"));
    Pages->addTab(GuidelinesTab, QStringLiteral("&Guidelines"));
    Pages->setAccessibleName(QStringLiteral("Preferences pages"));
    NameComboEditFields(*this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Pages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

Duration& TUserInitialize::DurationAt(int index)
{
    switch (index) {
    case 0:
        return Values.Overnight;
    case 1:
        return Values.Sleep;
    case 2:
        return Values.DayVisit;
    default:
        return Values.Nap;
    }
}

bool TUserInitialize::Execute(CalendarDocument& doc)
{
    Doc = &doc;
    Values = LoadPreferences(doc);
    Snapshot = Values;
    IsTouched = false;
    RestoreColorDefaults->setChecked(false);
    ShowValues();
    GuidelinesTab->Load(doc.Guidelines, static_cast<int>(doc.UnreadGuidelineLines.size()));
    Pages->setCurrentIndex(0);
    Author->setFocus();
    const bool stored = exec() == QDialog::Accepted;
    Doc = nullptr;
    return stored;
}

void TUserInitialize::ShowValues()
{
    Filling = true;
    if (Author->text() != Values.Author)
        Author->setText(Values.Author);
    if (Title->text() != Values.Title)
        Title->setText(Values.Title);
    Paint(BackGrndColPanel, Values.BackgroundColour);
    Paint(OverNiteColPanel, Values.OvernightColour);
    Paint(DayVisitColPanel, Values.DayVisitColour);
    OverNiteStrtTime->setText(Values.OverNiteStrtTime);
    OverNiteEndTime->setText(Values.OverNiteEndTime);
    DayVisitStrtTime->setText(Values.DayVisitStrtTime);
    DayVisitEndTime->setText(Values.DayVisitEndTime);
    if (CustodialName->currentText() != Values.CustodialName)
        CustodialName->setEditText(Values.CustodialName);
    if (NonCustodialName->currentText() != Values.NonCustodialName)
        NonCustodialName->setEditText(Values.NonCustodialName);
    for (int i = 0; i < 4; ++i) {
        const Duration& d = DurationAt(i);
        HourFields[static_cast<std::size_t>(i)]->setText(
            QStringLiteral("%1").arg(d.Hours, 2, 10, QLatin1Char('0')));
        MinuteFields[static_cast<std::size_t>(i)]->setText(
            QStringLiteral("%1").arg(d.Minutes, 2, 10, QLatin1Char('0')));
    }
    Filling = false;
}

void TUserInitialize::PickColour(int which)
{
    std::int32_t* targets[3] = {&Values.BackgroundColour, &Values.OvernightColour,
                                &Values.DayVisitColour};
    QFrame* swatches[3] = {BackGrndColPanel, OverNiteColPanel, DayVisitColPanel};
    if (which < 0 || which > 2)
        return;
    swatches[which]->setFrameShadow(QFrame::Raised);
    const std::optional<QColor> chosen =
        Colours.ChooseColour(ColourFromValue(*targets[which]), this);
    swatches[which]->setFrameShadow(QFrame::Sunken);
    if (chosen) {
        *targets[which] = ValueFromColour(*chosen);
        Touch();
        ShowValues();
    }
}

void TUserInitialize::EditTime(int which)
{
    QLineEdit* fields[4] = {OverNiteStrtTime, OverNiteEndTime, DayVisitStrtTime, DayVisitEndTime};
    QString* values[4] = {&Values.OverNiteStrtTime, &Values.OverNiteEndTime,
                          &Values.DayVisitStrtTime, &Values.DayVisitEndTime};
    const QString prompts[4] = {QStringLiteral("Set Default Overnight Pickup Time"),
                                QStringLiteral("Set Default Overnight Dropoff Time"),
                                QStringLiteral("Set Default Day Visit Pickup Time"),
                                QStringLiteral("Set Default Day Visit Dropoff Time")};
    if (which < 0 || which > 3 || !Doc)
        return;
    Touch();
    QString text = *values[which];
    const QPoint anchor = fields[which]->mapToGlobal(QPoint(0, fields[which]->height()));
    if (Clock.Execute(*Doc, prompts[which], text, &anchor)) {
        *values[which] = text;
        Doc->DistributionStale = true;
        ShowValues();
    }
}

void TUserInitialize::OkBtnClick()
{
    if (!Doc)
        return;
    const PreferencesCheck check = ValidateAndStorePreferences(Values, *Doc, Messages);
    if (!check.Stored) {
        if (check.Focus == PreferencesFocus::OvernightHours)
            HourFields[0]->setFocus();
        else if (check.Focus == PreferencesFocus::DayVisitHours)
            HourFields[2]->setFocus();
        ShowValues();
        return;
    }
    if (GuidelinesTab->Guidelines() != Doc->Guidelines) {
        Doc->Guidelines = GuidelinesTab->Guidelines();
        Doc->ChangesPending = true;
    }
    IsTouched = false;
    accept();
}

void TUserInitialize::CancelBtnClick()
{
    if (IsTouched && Messages.Ask(PromptKind::Warning,
                                  QStringLiteral("Warning!  If you cancel you will lose all "
                                                 "changes!\n\rAre you sure you want to cancel?"),
                                  PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    Values = Snapshot;
    ShowValues();
    IsTouched = false;
    QDialog::reject();
}

void TUserInitialize::reject()
{
    // Escape works like the Cancel button.
    CancelBtnClick();
}

void TUserInitialize::closeEvent(QCloseEvent* event)
{
    // The dialog's own close reaches reject(), which works like Cancel.
    if (!IsTouched) {
        QDialog::closeEvent(event);
        return;
    }
    if (Messages.Ask(
            PromptKind::Confirmation,
            QStringLiteral("Closing now will cause all changes to be lost!\n\rClose anyway?"),
            PromptButtons::YesNo) != PromptAnswer::Yes) {
        Messages.Ask(
            PromptKind::Information,
            QStringLiteral("Please use the \"OK\" button to\n\rsave your changes and close."),
            PromptButtons::Ok);
        event->ignore();
        return;
    }
    Values = Snapshot;
    ShowValues();
    IsTouched = false;
    QDialog::closeEvent(event);
}

bool TUserInitialize::eventFilter(QObject* watched, QEvent* event)
{
    QFrame* swatches[3] = {BackGrndColPanel, OverNiteColPanel, DayVisitColPanel};
    for (int i = 0; i < 3; ++i) {
        if (watched != swatches[i])
            continue;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                PickColour(i);
                return true;
            }
        }
        // The swatch with the keyboard has the thicker frame.
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            swatches[i]->setLineWidth(event->type() == QEvent::FocusIn ? 4 : 2);
    }
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Author || watched == Title || watched == CustodialName ||
            watched == NonCustodialName || watched == CustodialName->lineEdit() ||
            watched == NonCustodialName->lineEdit())
            Touch();
        for (int i = 0; i < 3; ++i)
            if (watched == swatches[i]) {
                PickColour(i);
                return true;
            }
        QLineEdit* fields[4] = {OverNiteStrtTime, OverNiteEndTime, DayVisitStrtTime,
                                DayVisitEndTime};
        for (int i = 0; i < 4; ++i)
            if (watched == fields[i]) {
                EditTime(i);
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace custodex
