#include "calendar/ui/TimeEntryDialog.h"

#include "calendar/CalendarModel.h"
#include "platform/MessageBoxPrompter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

void KeepOnScreen(QWidget* window, QPoint topLeft)
{
    QScreen* screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QSize size = window->frameSize().isValid() ? window->frameSize() : window->sizeHint();
    if (screen) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(),
                                std::max(area.left(), area.right() - size.width())));
        topLeft.setY(std::clamp(topLeft.y(), area.top(),
                                std::max(area.top(), area.bottom() - size.height())));
    }
    window->move(topLeft);
}

int CaptionWidth(const QWidget* window)
{
    // Qt adds the program's display name to every caption it hands to the window manager.
    QString caption = window->windowTitle();
    const QString program = QGuiApplication::applicationDisplayName();
    if (!program.isEmpty() && !caption.endsWith(program))
        caption += (caption.isEmpty() ? QString() : QStringLiteral(" \u2014 ")) + program;
    QFont font = window->font();
    font.setBold(true);
    constexpr int TitleBarButtons = 140; // the window icon, three buttons and the margins
    return QFontMetrics(font).horizontalAdvance(caption) + TitleBarButtons;
}

void FitCaption(QWidget* window, QWidget* row)
{
    int margins = 0;
    if (const QLayout* layout = window->layout()) {
        const QMargins m = layout->contentsMargins();
        margins = m.left() + m.right();
    }
    row->setMinimumWidth(std::max(0, CaptionWidth(window) - margins));
}

namespace {

QLineEdit* TimePart(QWidget* parent, const char* name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setMaxLength(2);
    edit->setAlignment(Qt::AlignCenter);
    QFont font = edit->font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    edit->setFont(font);
    edit->setFixedWidth(48);
    return edit;
}

} // namespace

TUserClock::TUserClock(QWidget* parent)
    : QDialog(parent), OwnMessages(std::make_unique<MessageBoxPrompter>(this)),
      Messages(OwnMessages.get())
{
    setObjectName(QStringLiteral("TUserClock"));
    setWindowTitle(QStringLiteral("Enter Time"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    ClockLabel = new QLabel(QStringLiteral("Set Time"), this);
    ClockLabel->setObjectName(QStringLiteral("ClockLabel"));
    QFont labelFont = ClockLabel->font();
    labelFont.setBold(true);
    ClockLabel->setFont(labelFont);

    StrtTimePanel = new QFrame(this);
    StrtTimePanel->setObjectName(QStringLiteral("StrtTimePanel"));
    StrtTimePanel->setFrameShape(QFrame::StyledPanel);
    auto* timeRow = new QHBoxLayout(StrtTimePanel);
    TimeHrs = TimePart(StrtTimePanel, "TimeHrs", QStringLiteral("00"));
    TimeMins = TimePart(StrtTimePanel, "TimeMins", QStringLiteral("00"));
    TimeAMPM = TimePart(StrtTimePanel, "TimeAMPM", QStringLiteral("AM"));
    auto* colon = new QLabel(QStringLiteral(":"), StrtTimePanel);
    colon->setFont(TimeHrs->font());
    // A caption that widens the dialog must not pull the hours away from the minutes.
    colon->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    timeRow->addStretch(1);
    timeRow->addWidget(TimeHrs);
    timeRow->addWidget(colon);
    timeRow->addWidget(TimeMins);
    timeRow->addSpacing(6);
    timeRow->addWidget(TimeAMPM);
    timeRow->addStretch(1);

    NonePanel = new QPushButton(QStringLiteral("<None>"), this);
    NonePanel->setObjectName(QStringLiteral("NonePanel"));
    NonePanel->setFlat(true);
    NonePanel->setFont(TimeHrs->font());
    NonePanel->setToolTip(QStringLiteral("Click to enter a time"));
    NonePanel->setMinimumHeight(StrtTimePanel->sizeHint().height());

    SpinUp = new QToolButton(this);
    SpinUp->setObjectName(QStringLiteral("TimeSpinUp"));
    SpinUp->setArrowType(Qt::UpArrow);
    SpinUp->setToolTip(QStringLiteral("Up (Up arrow key; Page Up for a quarter hour later)"));
    SpinDown = new QToolButton(this);
    SpinDown->setObjectName(QStringLiteral("TimeSpinDown"));
    SpinDown->setArrowType(Qt::DownArrow);
    SpinDown->setToolTip(
        QStringLiteral("Down (Down arrow key; Page Down for a quarter hour earlier)"));
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(SpinUp);
    spin->addWidget(SpinDown);

    auto* middle = new QHBoxLayout;
    middle->addWidget(StrtTimePanel);
    middle->addWidget(NonePanel);
    middle->addLayout(spin);

    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    SetNoneBtn = new QPushButton(QStringLiteral("&Set <None>"), this);
    SetNoneBtn->setObjectName(QStringLiteral("SetNoneBtn"));
    SetNoneBtn->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SetNoneBtn);
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    buttons->addWidget(BitBtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ClockLabel);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(SpinUp, &QToolButton::clicked, this, [this] { TimeSpinClick(true); });
    connect(SpinDown, &QToolButton::clicked, this, [this] { TimeSpinClick(false); });
    connect(SetNoneBtn, &QPushButton::clicked, this, &TUserClock::SetNoneBtnClick);
    connect(NonePanel, &QPushButton::clicked, this, &TUserClock::NonePanelClick);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit* part : {TimeHrs, TimeMins, TimeAMPM})
        part->installEventFilter(this);

    for (QLineEdit* part : {TimeHrs, TimeMins, TimeAMPM})
        part->setToolTip(QStringLiteral("Type a time such as 630, 6:30p or 18:30"));
    TimeHrs->setAccessibleName(QStringLiteral("Hour"));
    TimeMins->setAccessibleName(QStringLiteral("Minute"));
    TimeAMPM->setAccessibleName(QStringLiteral("AM or PM"));
    SpinUp->setAccessibleName(QStringLiteral("Up"));
    SpinDown->setAccessibleName(QStringLiteral("Down"));

    FitCaption(this, ClockLabel);

    setTabOrder(TimeHrs, TimeMins);
    setTabOrder(TimeMins, TimeAMPM);
    setTabOrder(TimeAMPM, OKBtn);
    setTabOrder(OKBtn, BitBtn2);
    setTabOrder(BitBtn2, SetNoneBtn);
}

TUserClock::~TUserClock() = default;

bool TUserClock::Execute(CalendarDocument& doc, const QString& prompt, QString& timeText,
                         const QPoint* anchor, const QString& caption)
{
    Doc = &doc;
    setWindowTitle(caption.isEmpty() ? QStringLiteral("Enter Time") : caption);
    ClockLabel->setText(prompt);
    ClockOpen(Clock, timeText);
    ShowState();
    adjustSize();
    if (anchor)
        KeepOnScreen(this, *anchor);
    const bool accepted = exec() == QDialog::Accepted;
    Doc = nullptr;
    if (!accepted)
        return false;
    doc.ChangesPending = true;
    timeText = ClockResult(Clock);
    return true;
}

void TUserClock::changeEvent(QEvent* event)
{
    // Every caption a caller gives the dialog reads in full.
    if (event->type() == QEvent::WindowTitleChange && ClockLabel)
        FitCaption(this, ClockLabel);
    QDialog::changeEvent(event);
}

void TUserClock::TimeSpinClick(bool up)
{
    ClockSpin(Clock, up);
    ShowState();
}

void TUserClock::SetNoneBtnClick()
{
    ClockSetNone(Clock);
    if (Doc)
        Doc->ChangesPending = true;
    ShowState();
}

void TUserClock::NonePanelClick()
{
    ClockShowTime(Clock);
    ShowState();
}

void TUserClock::ShowState()
{
    TimeHrs->setText(Clock.Hour);
    TimeMins->setText(Clock.Minute);
    TimeAMPM->setText(Clock.AmPm);
    StrtTimePanel->setVisible(!Clock.NoTime);
    NonePanel->setVisible(Clock.NoTime);
    const QColor active = palette().color(QPalette::Highlight).lighter(170);
    const struct {
        QLineEdit* Edit;
        ClockPart Part;
    } parts[] = {
        {TimeHrs, ClockPart::Hour}, {TimeMins, ClockPart::Minute}, {TimeAMPM, ClockPart::AmPm}};
    for (const auto& p : parts) {
        QPalette colours = p.Edit->palette();
        colours.setColor(QPalette::Base, Clock.Active == p.Part ? active : QColor(Qt::white));
        p.Edit->setPalette(colours);
    }
    if (!Clock.NoTime)
        FocusActivePart();
    else
        OKBtn->setFocus();
}

void TUserClock::FocusActivePart()
{
    QLineEdit* edit = Clock.Active == ClockPart::Hour     ? TimeHrs
                      : Clock.Active == ClockPart::Minute ? TimeMins
                                                          : TimeAMPM;
    if (!edit->hasFocus())
        edit->setFocus();
}

bool TUserClock::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress) {
        const ClockPart part = watched == TimeHrs    ? ClockPart::Hour
                               : watched == TimeMins ? ClockPart::Minute
                                                     : ClockPart::AmPm;
        if (Clock.Active != part) {
            ClockFocus(Clock, part);
            ShowState();
        }
    }
    else if (event->type() == QEvent::KeyPress && TypeKey(static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TUserClock::keyPressEvent(QKeyEvent* event)
{
    // Keys the buttons leave, such as digits typed while "<None>" shows.
    if (!TypeKey(event))
        QDialog::keyPressEvent(event);
}

bool TUserClock::TypeKey(QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const TypedKey typed = ClockKey(Clock, event->key(), event->text());
    if (!typed.Taken)
        return false;
    ShowState();
    if (!typed.Refusal.isEmpty()) {
        Messages->Ask(PromptKind::Error, typed.Refusal, PromptButtons::Ok);
        FocusActivePart();
    }
    return true;
}

} // namespace custodex
