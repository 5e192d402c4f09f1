#include "app/MainWindow.h"

#include "app/StartWizard.h"
#include "calendar/MainWindowRules.h"
#include "calendar/MonthLayout.h"
#include "calendar/WindowPlacement.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/MonthGrid.h"
#include "calendar/ui/PreferencesDialog.h"
#include "calendar/ui/RecoveryWindow.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "calendar/ui/TimeFieldKeys.h"
#include "entry/ui/DayEditorDialog.h"
#include "platform/FileAccess.h"
#include "platform/HelpService.h"
#include "platform/Prompter.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace custodex {

TQDLMainCalendar::TQDLMainCalendar(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), WindowServices(std::move(services)),
      Keeper(WindowServices.Paths.RecoveryFolder, [] { return QDateTime::currentDateTimeUtc(); })
{
    setObjectName(QStringLiteral("TQDLMainCalendar"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);

    ClientArea = new QWidget(this);
    ClientArea->setObjectName(QStringLiteral("ClientArea"));
    // The window may grow; the month area takes the room, never less than it needs.
    ClientArea->setMinimumSize(SmallestClientArea);
    setCentralWidget(ClientArea);
    BuildControls(ClientArea);
    Menu = BuildMainMenu(*this);
    ConnectControls();
    WatchControls();
    statusBar(); // made now, so the smallest window already holds it
    resize(minimumSizeHint());

    Doc.ClientFolder = WindowServices.Paths.DefaultClientFolder;
    RepairQualityTimeSample(Doc.ClientFolder);
    Doc.UserYear =
        QString::number(WindowServices.CurrentYear ? WindowServices.CurrentYear() : 2026);
    Doc.SelUserMonth = DisplayMonthNames().at(0);

    auto* recoveryLook = new QTimer(this);
    connect(recoveryLook, &QTimer::timeout, this, &TQDLMainCalendar::RecoveryCheck);
    recoveryLook->start(RecoveryCheckMilliseconds);

    setTabOrder(ClientName, UserYear);
    setTabOrder(UserYear, SelUserMonth);
    setTabOrder(SelUserMonth, StartBtn);
    RefreshWindow();
    ClientName->setFocus();
}

TQDLMainCalendar::~TQDLMainCalendar() = default;

void TQDLMainCalendar::ConnectControls()
{
    connect(ClientName, &QLineEdit::textChanged, this,
            [this](const QString& text) { Doc.ClientName = text; });
    // A name typed before Start is taken by Start, which leaves the new calendar unsaved;
    // afterwards every edit is a change to save.
    connect(ClientName, &QLineEdit::textEdited, this, [this] {
        if (Doc.HasCalendar())
            Doc.ChangesPending = true;
    });
    // The start year and month as typed, kept while no calendar exists, so a redraw (after a
    // cancelled Open, say) shows what the user typed.
    connect(UserYear, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!Updating && !Doc.HasCalendar())
            Doc.UserYear = text;
    });
    connect(SelUserMonth, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!Updating && !Doc.HasCalendar())
            Doc.SelUserMonth = text;
    });
    connect(Overnights, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetMode(MarkMode::Overnights);
    });
    connect(DayVisits, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetMode(MarkMode::DayVisits);
    });
    for (int i = 0; i < 4; ++i) {
        connect(DefaultTimeButtons[static_cast<std::size_t>(i)], &QToolButton::clicked, this,
                [this, i] { EditDefaultTime(i); });
        OpenTimeEntryOnKeys(DefaultTimeFields()[static_cast<std::size_t>(i)],
                            [this, i] { EditDefaultTime(i); });
    }
    connect(OverniteReasons, &QComboBox::editTextChanged, this,
            [this] { ReasonTextEdited(OverniteReasons, Doc.OverniteReasons); });
    connect(DayVisitReasons, &QComboBox::editTextChanged, this,
            [this] { ReasonTextEdited(DayVisitReasons, Doc.DayVisitReasons); });
    connect(CounterRadios, &QButtonGroup::idClicked, this, &TQDLMainCalendar::ShowCounters);
    connect(StartBtn, &QPushButton::clicked, this, &TQDLMainCalendar::StartCalendar);
    connect(PrevMonthBtn, &QPushButton::clicked, this, &TQDLMainCalendar::PrevMonthClick);
    connect(NextMonthBtn, &QPushButton::clicked, this, &TQDLMainCalendar::NextMonthClick);
    for (int k = 1; k <= MonthsInSpan; ++k)
        connect(MonthButtons[static_cast<std::size_t>(k - 1)], &QPushButton::clicked, this,
                [this, k] { GoToMonthClick(k); });
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
    for (DayCellWidget* cell : Cells)
        connect(cell, &DayCellWidget::Pressed, this, &TQDLMainCalendar::CellPressed);
    auto* previous = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, &TQDLMainCalendar::PrevMonthClick);
    auto* next = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, &TQDLMainCalendar::NextMonthClick);
    // The default reason boxes stay out of the Tab order; Alt+A reaches the one shown.
    auto* reason = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_A), this);
    connect(reason, &QShortcut::activated, this, [this] {
        QComboBox* combo = OvernightGroup->isVisible()  ? OverniteReasons
                           : DayVisitGroup->isVisible() ? DayVisitReasons
                                                        : nullptr;
        if (combo)
            combo->setFocus(Qt::ShortcutFocusReason);
    });
    auto* months = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_T), this);
    connect(months, &QShortcut::activated, this, &TQDLMainCalendar::FocusMonthList);
}

void TQDLMainCalendar::WatchControls()
{
    QObject* watched[] = {ClientArea,      ClientName,
                          StartBtn,        MonthArea,
                          OverniteReasons, OverniteReasons->lineEdit(),
                          DayVisitReasons, DayVisitReasons->lineEdit()};
    for (QObject* object : watched)
        object->installEventFilter(this);
    for (QLineEdit* field : DefaultTimeFields())
        field->installEventFilter(this);
    for (QPushButton* button : MonthButtons)
        button->installEventFilter(this);
}

bool TQDLMainCalendar::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == ClientArea)
            ArrangeMonthArea(ClientArea->size());
        break;
    case QEvent::MouseButtonPress:
        if (DefaultTimeFieldPressed(watched))
            return true;
        break;
    case QEvent::FocusOut:
        if (watched == ClientName)
            ClientNameFocusOut(static_cast<QFocusEvent*>(event));
        else if (watched == MonthArea)
            ShowGridCursor();
        else
            ReasonFocusOut(watched);
        break;
    case QEvent::FocusIn:
        if (watched == StartBtn)
            StartFocusIn(static_cast<QFocusEvent*>(event));
        if (watched == MonthArea)
            ShowGridCursor();
        break;
    case QEvent::ShortcutOverride: {
        // Page Up/Page Down move the grid's cursor while it has the focus, not only the month.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == MonthArea && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::KeyPress:
        if (ReasonKeyPress(watched, static_cast<QKeyEvent*>(event)))
            return true;
        if (watched == MonthArea && MonthAreaKeyPress(static_cast<QKeyEvent*>(event)))
            return true;
        if (MonthListKeyPress(watched, static_cast<QKeyEvent*>(event)))
            return true;
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

// A click on a default time field does what its button does.
bool TQDLMainCalendar::DefaultTimeFieldPressed(QObject* watched)
{
    const std::array<QLineEdit*, 4> fields = DefaultTimeFields();
    const auto found = std::find(fields.begin(), fields.end(), watched);
    if (found == fields.end())
        return false;
    EditDefaultTime(static_cast<int>(found - fields.begin()));
    return true;
}

void TQDLMainCalendar::ClientNameFocusOut(const QFocusEvent* event)
{
    if (ClientNameLeft(ClientName->text(), event->reason(), WindowServices.Messages))
        QTimer::singleShot(0, ClientName, [this] { ClientName->setFocus(); });
}

void TQDLMainCalendar::ReasonFocusOut(QObject* watched)
{
    if (watched == OverniteReasons || watched == OverniteReasons->lineEdit())
        ReasonLeft(OverniteReasons, Doc.OverniteReasons);
    else if (watched == DayVisitReasons || watched == DayVisitReasons->lineEdit())
        ReasonLeft(DayVisitReasons, Doc.DayVisitReasons);
}

void TQDLMainCalendar::StartFocusIn(const QFocusEvent* event)
{
    if (!StartFocusRefused(ClientName->text(), event->reason(), WindowServices.Messages))
        return;
    ClientName->clear();
    ClientName->setFocus();
}

// Enter keeps the typed default reason instead of letting the combo box reset it.
bool TQDLMainCalendar::ReasonKeyPress(QObject* watched, const QKeyEvent* event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    if (watched == OverniteReasons->lineEdit())
        ReasonLeft(OverniteReasons, Doc.OverniteReasons);
    else if (watched == DayVisitReasons->lineEdit())
        ReasonLeft(DayVisitReasons, Doc.DayVisitReasons);
    else
        return false;
    MonthArea->setFocus();
    return true;
}

bool TQDLMainCalendar::MonthAreaKeyPress(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if ((event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) ||
        (event->key() == Qt::Key_Menu && modifiers == Qt::NoModifier)) {
        ShowDayMenu();
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter ||
        key == Qt::Key_Delete || key == Qt::Key_Backspace) {
        // As the clicks on the day: Enter as the left click that opens the day editor; Space,
        // Delete and Backspace as the right click that unmarks a day or brings its mark back.
        const int cell = CellOfDay(Doc, Month, GridCursor);
        if (cell > 0)
            CellPressed(cell,
                        key == Qt::Key_Return || key == Qt::Key_Enter ? Qt::LeftButton
                                                                      : Qt::RightButton,
                        {});
        else if (!Doc.HasCalendar())
            CellPressed(1, Qt::LeftButton, {}); // says what is missing, as a click does
        ShowGridCursor();
        return true;
    }
    static const std::pair<int, GridKey> moves[] = {
        {Qt::Key_Left, GridKey::Left},     {Qt::Key_Right, GridKey::Right},
        {Qt::Key_Up, GridKey::Up},         {Qt::Key_Down, GridKey::Down},
        {Qt::Key_PageUp, GridKey::PageUp}, {Qt::Key_PageDown, GridKey::PageDown},
        {Qt::Key_Home, GridKey::Home},     {Qt::Key_End, GridKey::End}};
    for (const auto& [moveKey, move] : moves) {
        if (key != moveKey)
            continue;
        if (Doc.HasCalendar())
            PlaceGridCursor(MoveGridCursor(Doc, GridCursor, move));
        return true;
    }
    return false;
}

// The keyboard's right click: a small menu beside the day with Edit and, where the right
// click would do one, Remove or Restore.
void TQDLMainCalendar::ShowDayMenu()
{
    const int cell = CellOfDay(Doc, Month, GridCursor);
    if (!Doc.HasCalendar() || cell <= 0)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("DayMenu"));
    QAction* edit = menu.addAction(QStringLiteral("&Edit..."));
    QAction* mark = nullptr;
    switch (DayMenuMarkFor(Doc, Month, GridCursor)) {
    case DayMenuMark::Remove:
        mark = menu.addAction(QStringLiteral("&Remove Mark"));
        break;
    case DayMenuMark::Restore:
        mark = menu.addAction(QStringLiteral("Re&store Mark"));
        break;
    case DayMenuMark::None:
        break;
    }
    const QWidget* shown = Cells[static_cast<std::size_t>(cell - 1)];
    const QAction* chosen =
        menu.exec(shown->mapToGlobal(QPoint(shown->width() / 2, shown->height() / 2)));
    if (chosen && chosen == edit)
        CellPressed(cell, Qt::LeftButton, {});
    else if (chosen && chosen == mark)
        CellPressed(cell, Qt::RightButton, {});
    ShowGridCursor();
}

void TQDLMainCalendar::PlaceGridCursor(int dayIndex)
{
    GridCursor = dayIndex;
    if (dayIndex >= 0 && MonthNumberOfDay(Doc, dayIndex) != Doc.ShownMonthNumber)
        ShowMonth(MonthNumberOfDay(Doc, dayIndex));
    ShowGridCursor();
}

void TQDLMainCalendar::ShowGridCursor()
{
    // A cursor left in another month (the month was turned by a button) starts again on the
    // first day of the month shown.
    if (Doc.HasCalendar() && CellOfDay(Doc, Month, GridCursor) == 0)
        GridCursor = Doc.MonthTable[static_cast<std::size_t>(Doc.ShownMonthNumber - 1)].FirstDay;
    const int cursor = Doc.HasCalendar() ? CellOfDay(Doc, Month, GridCursor) : 0;
    const int focused = MonthArea->hasFocus() ? cursor : 0;
    for (int k = 0; k < CellCount; ++k)
        Cells[static_cast<std::size_t>(k)]->ShowKeyboardFocus(k + 1 == focused);
    MonthArea->SetCursorCell(cursor);
}

void TQDLMainCalendar::FocusMonthList()
{
    if (Doc.HasCalendar())
        MonthButtons[static_cast<std::size_t>(Doc.ShownMonthNumber - 1)]->setFocus(
            Qt::ShortcutFocusReason);
}

bool TQDLMainCalendar::MonthListKeyPress(QObject* watched, const QKeyEvent* event)
{
    const auto found = std::find(MonthButtons.begin(), MonthButtons.end(), watched);
    if (found == MonthButtons.end() || (event->modifiers() & ~Qt::KeypadModifier) != 0)
        return false;
    const int month = static_cast<int>(found - MonthButtons.begin()) + 1;
    int to = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        to = month - 1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        to = month + 1;
        break;
    case Qt::Key_Home:
        to = 1;
        break;
    case Qt::Key_End:
        to = MonthsInSpan;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        GoToMonthClick(month);
        return true;
    default:
        return false;
    }
    if (to >= 1 && to <= MonthsInSpan)
        ShowMonthListStop(to, true);
    return true;
}

QAction* TQDLMainCalendar::Action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

void TQDLMainCalendar::EnableCalendarMenus()
{
    const bool present = Doc.HasCalendar();
    for (QAction* action : Menu.CalendarActions)
        action->setEnabled(present);
    Menu.ListsMenu->setEnabled(present);
}

void TQDLMainCalendar::ShowRecentFiles()
{
    for (int k = 0; k < RecentFileCount; ++k) {
        const RecentFileEntry& entry = ProgramSetup.RecentFiles[static_cast<std::size_t>(k)];
        QAction* action = Menu.RecentFiles[static_cast<std::size_t>(k)];
        // The caption is a full path, perhaps long or odd: shown shortened in the middle,
        // with "&" kept as text, so the menu stays on the screen; the tip holds it whole.
        const QString shown = fontMetrics().elidedText(entry.Caption, Qt::ElideMiddle,
                                                       fontMetrics().averageCharWidth() * 60);
        action->setText(QString(shown)
                            .replace(QLatin1Char('&'), QStringLiteral("&&"))
                            .replace(QLatin1Char('\t'), QLatin1Char(' ')));
        action->setToolTip(entry.Caption);
        action->setChecked(entry.Checked);
        action->setEnabled(entry.Enabled());
        action->setVisible(entry.Enabled());
    }
}

TUserClock& TQDLMainCalendar::Clock()
{
    if (!UserClock) {
        UserClock = new TUserClock(this);
        UserClock->SetMessages(WindowServices.Messages);
    }
    return *UserClock;
}

TSetAONDay& TQDLMainCalendar::DayEditor()
{
    if (!SetDay)
        SetDay = new TSetAONDay(WindowServices.Messages, WindowServices.Help, Clock(), this);
    return *SetDay;
}

TTheStartWizard& TQDLMainCalendar::Wizard()
{
    if (!StartWizard)
        StartWizard = new TTheStartWizard(*this, WindowServices.Messages);
    return *StartWizard;
}

QRect TQDLMainCalendar::DayOnScreen(int dayIndex) const
{
    const int cell = CellOfDay(Doc, Month, dayIndex);
    if (cell < 1)
        return {};
    const QWidget* shown = Cells[static_cast<std::size_t>(cell - 1)];
    return {shown->mapToGlobal(QPoint(0, 0)), shown->size()};
}

void TQDLMainCalendar::RefreshWindow()
{
    Updating = true;
    const bool present = Doc.HasCalendar();
    setWindowTitle(Doc.WindowCaption);
    StartBtn->setEnabled(!present);
    StartBtn->setFocusPolicy(present ? Qt::NoFocus : Qt::StrongFocus);
    UserYear->setEnabled(!present);
    SelUserMonth->setEnabled(!present);
    PrevMonthBtn->setEnabled(present);
    NextMonthBtn->setEnabled(present);
    ModeGroup->setVisible(present);
    if (ClientName->text() != Doc.ClientName)
        ClientName->setText(Doc.ClientName);
    if (UserYear->count() == 0) {
        const int year = WindowServices.CurrentYear ? WindowServices.CurrentYear() : 2026;
        for (int y = year - 5; y <= year + 5; ++y)
            UserYear->addItem(QString::number(y));
    }
    UserYear->setCurrentText(Doc.UserYear);
    SelUserMonth->setCurrentText(Doc.SelUserMonth);
    for (int k = 0; k < MonthsInSpan; ++k)
        MonthButtons[static_cast<std::size_t>(k)]->setText(
            Doc.MonthButtonCaptions[static_cast<std::size_t>(k)]);
    ShowReasonList(OverniteReasons, Doc.OverniteReasons);
    ShowReasonList(DayVisitReasons, Doc.DayVisitReasons);
    ShowDefaultTimes(Doc);
    ShowParentTitles(Doc);
    EnableCalendarMenus();
    ShowRecentFiles();
    Updating = false;
    SetMode(Month.Mode);
    RedrawMonth();
}

void TQDLMainCalendar::ShowReasonList(QComboBox* combo, const ReasonList& list)
{
    const bool wasUpdating = Updating;
    Updating = true;
    combo->clear();
    combo->addItems(list.Items);
    combo->setEditText(list.Text);
    Updating = wasUpdating;
}

void TQDLMainCalendar::ShowCounters(int which)
{
    // The radio clicked goes back to the figures shown until the choice is taken, so a refusal
    // never shows under a radio that names other figures.
    ShowCounterFigures(Doc, Month.Counters);
    ChooseCounters(Doc, Month, static_cast<CounterChoice>(std::clamp(which, 0, 2)),
                   WindowServices.Messages);
    ShowCounterFigures(Doc, Month.Counters);
}

void TQDLMainCalendar::StartCalendar()
{
    if (custodex::StartCalendar(
            Doc, Month, {ClientName->text(), UserYear->currentText(), SelUserMonth->currentText()},
            *this, WindowServices.Messages)) {
        UndoHistory.Restart(false);
        Keeper.Bind(QString());
        RecoveryCheck();
    }
}

void TQDLMainCalendar::ShowClientName(const QString& name)
{
    if (ClientName->text() != name)
        ClientName->setText(name);
}

void TQDLMainCalendar::Focus(StartFocus field)
{
    QWidget* fields[4] = {ClientName, UserYear, SelUserMonth, MonthArea};
    fields[static_cast<int>(field)]->setFocus();
}

void TQDLMainCalendar::ShowDocument()
{
    RefreshWindow();
}

void TQDLMainCalendar::OpenPreferences()
{
    PreferencesWindow(*this).Execute(Doc);
}

void TQDLMainCalendar::NextMonthClick()
{
    if (!NextMonth(Doc)) {
        if (WindowServices.Beep)
            WindowServices.Beep();
        return;
    }
    RedrawMonth();
}

void TQDLMainCalendar::PrevMonthClick()
{
    if (!PrevMonth(Doc)) {
        if (WindowServices.Beep)
            WindowServices.Beep();
        return;
    }
    RedrawMonth();
}

void TQDLMainCalendar::GoToMonthClick(int monthNumber)
{
    if (!Doc.HasCalendar())
        return;
    ShowMonth(monthNumber);
}

void TQDLMainCalendar::ShowMonth(int monthNumber)
{
    GoToMonth(Doc, monthNumber);
    RedrawMonth();
}

void TQDLMainCalendar::RedrawMonth()
{
    ShowMonthButtonColours(Doc.HasCalendar() ? Doc.ShownMonthNumber : 1);
    ShowMonthListStop(Doc.HasCalendar() ? Doc.ShownMonthNumber : 0, false);
    DrawMonth(Doc, Month);
    DrawCells();
}

void TQDLMainCalendar::DrawCells()
{
    ShowCells(Month, Doc.DayVisitColour);
    for (const DayCell& shown : Month.Cells)
        Cells[static_cast<std::size_t>(shown.Number - 1)]->setAccessibleName(
            Doc.HasCalendar() ? DayAccessibleName(Doc, DayOfCell(Doc, Month, shown.Number))
                              : QString());
    ShowGridCursor();
    RecountCounters(Doc);
    ShowCounterFigures(Doc, Month.Counters);
    setWindowTitle(Doc.WindowCaption);
}

void TQDLMainCalendar::CellPressed(int cellNumber, Qt::MouseButton button,
                                   Qt::KeyboardModifiers modifiers)
{
    // A click moves the keyboard's cursor to the day, as the keys do.
    if (const int day = DayOfCell(Doc, Month, cellNumber); day >= 0 && Doc.HasCalendar())
        GridCursor = day;
    const CellButton which = button == Qt::LeftButton    ? CellButton::Left
                             : button == Qt::RightButton ? CellButton::Right
                                                         : CellButton::Other;
    FinishReasonStep(); // a default reason typed just before is a step of its own
    const CalendarContent before = UndoHistory.Begin();
    CellClicked(Doc, Month, cellNumber, which, modifiers.testFlag(Qt::ControlModifier), *this,
                WindowServices.Messages);
    UndoHistory.Record(DescribeDayStep(Doc, before.Days, Doc.Days, QStringLiteral("Day Change")),
                       before);
    ShowReasonList(OverniteReasons, Doc.OverniteReasons);
    ShowReasonList(DayVisitReasons, Doc.DayVisitReasons);
    DrawCells();
}

void TQDLMainCalendar::SetMode(MarkMode mode)
{
    Month.Mode = mode;
    ShowModeControls(mode, Doc.HasCalendar());
}

void TQDLMainCalendar::EditDefaultTime(int which)
{
    if (which < 0 || which > 3)
        return;
    QLineEdit* field = DefaultTimeFields()[static_cast<std::size_t>(which)];
    QString text = field->text();
    const QPoint anchor = field->mapToGlobal(QPoint(0, field->height()));
    static const char* const names[] = {
        "Default Overnight Start Time", "Default Overnight End Time",
        "Default Day Visit Start Time", "Default Day Visit End Time"};
    FinishReasonStep();
    const CalendarContent before = UndoHistory.Begin();
    if (Clock().Execute(Doc, DefaultTimePrompt(which), text, &anchor)) {
        DefaultTimeOf(Doc, which) = text;
        field->setText(text);
        Doc.DistributionStale = true;
    }
    UndoHistory.Record(QLatin1String(names[which]), before);
}

void TQDLMainCalendar::ReasonTextEdited(QComboBox* combo, ReasonList& list)
{
    if (Updating)
        return;
    if (!ReasonBefore && Doc.HasCalendar()) {
        ReasonBefore = UndoHistory.Begin();
        ReasonEdited = combo;
    }
    const QString text = combo->currentText();
    const ReasonTextCheck check = CheckTypedReason(text);
    if (check.Text != text) {
        Updating = true;
        combo->setEditText(check.Text);
        Updating = false;
    }
    list.Text = check.Text;
    if (!check.Message.isEmpty())
        WindowServices.Messages.Ask(check.IsError ? PromptKind::Error : PromptKind::Information,
                                    check.Message, PromptButtons::Ok);
}

void TQDLMainCalendar::ReasonLeft(QComboBox* combo, ReasonList& list)
{
    if (!combo->currentText().isEmpty()) {
        CommitTypedReason(list, combo->currentText());
        ShowReasonList(combo, list);
    }
    FinishReasonStep();
}

void TQDLMainCalendar::FinishReasonStep()
{
    if (!ReasonBefore)
        return;
    UndoHistory.Record(ReasonEdited == OverniteReasons ? QStringLiteral("Default Overnight Reason")
                                                       : QStringLiteral("Default Day Visit Reason"),
                       *ReasonBefore);
    ReasonBefore.reset();
}

QString TQDLMainCalendar::ClientNameText() const
{
    return ClientName->text();
}

void TQDLMainCalendar::FocusClientName()
{
    ClientName->setFocus();
}

void TQDLMainCalendar::FocusStartButton()
{
    StartBtn->setFocus();
}

bool TQDLMainCalendar::EditDay(DayEditRequest& request, int cellNumber)
{
    DayCellWidget* cell = Cells[static_cast<std::size_t>(cellNumber - 1)];
    const QRect onScreen(cell->mapToGlobal(QPoint(0, 0)), cell->size());
    return DayEditor().Execute(Doc, request.Caption, request.Heading, request.ReasonItems,
                               request.OvernightMode, request.DayIndex, request.Entry, onScreen);
}

LifecycleContext TQDLMainCalendar::Lifecycle()
{
    return LifecycleContext{Doc,
                            ProgramSetup,
                            WindowServices.Messages,
                            WindowServices.Dialogs,
                            OpenDialogFileName,
                            WindowServices.CurrentYear ? WindowServices.CurrentYear() : 2026};
}

void TQDLMainCalendar::AfterLifecycle(bool closedOrOpened)
{
    if (closedOrOpened) {
        ReasonBefore.reset();
        UndoHistory.Restart(Doc.HasCalendar() && !Doc.ChangesPending);
        Keeper.Bind(DocumentPath());
        Month.RemovedOvernight = {};
        Month.RemovedDayVisit = {};
        Month.Mode = MarkMode::Overnights;
        Overnights->setChecked(true);
        emit CalendarReplaced();
    }
    RefreshWindow();
    if (closedOrOpened && !Doc.HasCalendar())
        ClientName->setFocus();
}

void TQDLMainCalendar::NewOrCloseClick()
{
    LifecycleContext context = Lifecycle();
    Keeper.Flush(Doc);
    const bool closed = CloseCalendar(context);
    if (closed)
        Keeper.Closed();
    AfterLifecycle(closed);
}

void TQDLMainCalendar::OpenCalendarClick(const QString& recentPath)
{
    LifecycleContext context = Lifecycle();
    Keeper.Flush(Doc);
    const bool opened = OpenCalendar(context, recentPath);
    if (opened || !Doc.HasCalendar())
        Keeper.Closed();
    AfterOpen(opened);
}

void TQDLMainCalendar::AfterOpen(bool opened)
{
    // A failed read leaves no calendar, which the window must show too.
    AfterLifecycle(opened || !Doc.HasCalendar());
    if (opened) {
        MonthArea->setFocus();
        Say(QStringLiteral("Opened ") + Doc.CurrentFileName + QStringLiteral(" from ") +
            Doc.DocumentFolder);
    }
}

void TQDLMainCalendar::RecentFileClick(int index)
{
    const QString path = ProgramSetup.RecentFiles[static_cast<std::size_t>(index)].Caption;
    OpenDialogFileName = FileNameOfPath(path);
    CheckRecentFile(ProgramSetup, index);
    ShowRecentFiles();
    OpenCalendarClick(path);
}

void TQDLMainCalendar::SaveClick()
{
    LifecycleContext context = Lifecycle();
    if (SaveCalendar(context)) {
        UndoHistory.MarkSaved();
        RecoveryCheck();
        Keeper.Bind(DocumentPath());
        Say(QStringLiteral("Saved ") + Doc.ClientName + QStringLiteral(".cdb in ") +
            Doc.DocumentFolder);
    }
    AfterLifecycle(false);
}

void TQDLMainCalendar::SaveAsClick()
{
    LifecycleContext context = Lifecycle();
    if (SaveCalendarAs(context)) {
        UndoHistory.MarkSaved();
        RecoveryCheck();
        Keeper.Bind(DocumentPath());
        Say(QStringLiteral("Saved ") + Doc.CurrentFileName + QStringLiteral(" in ") +
            Doc.DocumentFolder);
    }
    AfterLifecycle(false);
}

QString TQDLMainCalendar::DocumentPath() const
{
    return Doc.DocumentFolder.isEmpty() || Doc.CurrentFileName.isEmpty()
               ? QString()
               : Doc.DocumentFolder + Doc.CurrentFileName;
}

void TQDLMainCalendar::RecoveryCheck()
{
    Keeper.Check(Doc);
    if (Keeper.TakeFailureNotice())
        Say(RecoveryFailedMessage);
}

bool TQDLMainCalendar::OfferRecoveryAtStart()
{
    const QString root = WindowServices.Paths.RecoveryFolder;
    if (root.isEmpty())
        return false;
    RemoveExpiredCopies(root, QDateTime::currentDateTimeUtc());
    std::vector<RecoveryCopy> offered = CopiesToOfferAtStart(ListRecoveryCopies(root));
    if (offered.empty())
        return false;
    RecoveryWindow window(std::move(offered), WindowServices.Messages, this);
    const std::optional<RecoveryCopy> chosen = window.Execute();
    if (!chosen)
        return false;
    RecoverCopy(*chosen);
    return Doc.HasCalendar();
}

void TQDLMainCalendar::RecoverClick()
{
    std::vector<RecoveryCopy> copies;
    for (RecoveryCopy& copy : ListRecoveryCopies(WindowServices.Paths.RecoveryFolder))
        if (copy.Folder != Keeper.CurrentFolder()) // this calendar's own copy
            copies.push_back(std::move(copy));
    if (copies.empty()) {
        WindowServices.Messages.Ask(PromptKind::Information,
                                    QStringLiteral("There are no unsaved changes to recover."),
                                    PromptButtons::Ok);
        return;
    }
    RecoveryWindow window(std::move(copies), WindowServices.Messages, this);
    const std::optional<RecoveryCopy> chosen = window.Execute();
    if (!chosen)
        return;
    if (Doc.HasCalendar()) {
        // The calendar shown goes first, with its own save question.
        LifecycleContext context = Lifecycle();
        Keeper.Flush(Doc);
        const bool closed = CloseCalendar(context);
        if (!closed) {
            AfterLifecycle(false);
            return;
        }
        Keeper.Closed();
        AfterLifecycle(true);
    }
    RecoverCopy(*chosen);
}

void TQDLMainCalendar::RecoverCopy(const RecoveryCopy& copy)
{
    QString message;
    if (!ReadRecoveredCalendar(copy, Doc, &message)) {
        WindowServices.Messages.Ask(PromptKind::Error, message, PromptButtons::Ok);
        AfterLifecycle(true);
        return;
    }
    AfterLifecycle(true);
    Keeper.Adopt(copy, DocumentPath());
    RecoveryCheck();
    MonthArea->setFocus();
    Say(QStringLiteral("Recovered ") + Doc.CurrentFileName +
        QStringLiteral(" with its unsaved changes; save it to keep them"));
}

void TQDLMainCalendar::UndoDone()
{
    RefreshWindow();
    Say(QStringLiteral("Undone: ") + UndoHistory.Stack().redoText());
}

void TQDLMainCalendar::RedoDone()
{
    RefreshWindow();
    Say(QStringLiteral("Redone: ") + UndoHistory.Stack().undoText());
}

void TQDLMainCalendar::LockClick(bool lock)
{
    LifecycleContext context = Lifecycle();
    LockOrUnlockFile(context, lock);
}

void TQDLMainCalendar::ToggleStartWizardClick()
{
    const QString caption = ToggleStartWizard(ProgramSetup.Wizard, WindowServices.Messages);
    Menu.StartWizard->setChecked(ProgramSetup.Wizard);
    Menu.StartWizard->setText(caption);
}

QString TQDLMainCalendar::PlacementPath() const
{
    return FolderOfPath(WindowServices.Paths.SettingsFile) + WindowPlacementFileName;
}

void TQDLMainCalendar::Say(const QString& text)
{
    if (!StatusWords) {
        // The bar draws its message itself, out of a screen reader's sight: a label over the
        // bar holds the same words.
        StatusWords = new QLabel(statusBar());
        StatusWords->setObjectName(QStringLiteral("StatusWords"));
        StatusWords->setAutoFillBackground(true);
        statusBar()->addPermanentWidget(StatusWords, 1);
        connect(statusBar(), &QStatusBar::messageChanged, StatusWords, [this](const QString& now) {
            StatusWords->setText(now);
            StatusWords->setAccessibleName(now);
        });
    }
    statusBar()->showMessage(text, 8000);
}

void TQDLMainCalendar::WriteSettingsFile()
{
    ProgramSetup.ClientFolder = Doc.ClientFolder;
    WriteProgramSettingsFile(ProgramSetup, WindowServices.Paths.SettingsFile);
}

void TQDLMainCalendar::closeEvent(QCloseEvent* event)
{
    LifecycleContext context = Lifecycle();
    Keeper.Flush(Doc);
    if (!CloseQuery(context)) {
        RefreshWindow();
        event->ignore();
        return;
    }
    Keeper.Closed();
    WindowServices.Help.CloseAllHelp();
    WriteSettingsFile();
    WriteWindowPlacement({normalGeometry(), isMaximized()}, PlacementPath());
    event->accept();
}

} // namespace custodex
