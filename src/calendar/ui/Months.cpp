#include "calendar/ui/Months.h"

#include "calendar/CalendarFile.h"
#include "calendar/Colour.h"
#include "calendar/MainWindowRules.h"
#include "calendar/MonthLayout.h"
#include "calendar/StartChecks.h"
#include "calendar/ui/AboutBox.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/MsgBox.h"
#include "calendar/ui/Tutorials.h"
#include "calendar/ui/Wizard.h"
#include "entry/ui/Clock.h"
#include "entry/ui/Myfind.h"
#include "entry/ui/SetDay.h"
#include "output/ui/Csvcnvrt.h"
#include "output/ui/preview.h"
#include "platform/ColourChooser.h"
#include "platform/FileDialogs.h"
#include "platform/HelpService.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompter.h"
#include "reports/ui/UserInit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

namespace custodex {

namespace {

const QString Maroon = QStringLiteral("#800000");

template <typename Widget>
Widget* Place(Widget* widget, const char* name, int x, int y, int w, int h)
{
    if (name)
        widget->setObjectName(QLatin1String(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

QLabel* Text(QWidget* parent, const QString& text, int x, int y, int w, int h,
             Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* label = Place(new QLabel(text, parent), nullptr, x, y, w, h);
    label->setAlignment(alignment);
    return label;
}

// Seventeen capital A's in the cells' label font.
int WidthOf17As(int pixelHeight)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelHeight);
    return QFontMetrics(font).horizontalAdvance(QString(17, QLatin1Char('A')));
}

QCursor ModeCursor(bool overnight)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    if (overnight) {
        // A crescent moon.
        QPainterPath moon;
        moon.addEllipse(QRectF(4, 4, 16, 16));
        QPainterPath bite;
        bite.addEllipse(QRectF(9, 1, 16, 16));
        painter.setBrush(QColor(40, 40, 120));
        painter.drawPath(moon.subtracted(bite));
    }
    else {
        // A sun.
        painter.setBrush(QColor(240, 180, 0));
        painter.drawEllipse(QRectF(7, 7, 10, 10));
        for (int i = 0; i < 8; ++i) {
            painter.save();
            painter.translate(12, 12);
            painter.rotate(45.0 * i);
            painter.drawLine(QPointF(0, 7), QPointF(0, 11));
            painter.restore();
        }
    }
    painter.end();
    return QCursor(pixmap, 1, 1);
}

} // namespace

TQDLMainCalendar::TQDLMainCalendar(MainWindowServices services, QWidget* parent)
    : QMainWindow(parent), Services(std::move(services))
{
    setObjectName(QStringLiteral("TQDLMainCalendar"));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    // The window may grow; the month area takes the room, never less than it needs.
    client->setMinimumSize(SmallestClientArea);
    client->installEventFilter(this);
    ClientArea = client;
    setCentralWidget(client);
    BuildClientPanel(client);
    BuildModePanel(client);
    BuildCountersPanel(client);
    BuildLeftColumn(client);
    BuildMonthArea(client);
    BuildMenus();
    resize(minimumSizeHint());

    UserClock = new TUserClock(this);
    SetDay = new TSetAONDay(Services.Messages, Services.Help, *UserClock, this);
    StartWizard = new TTheStartWizard(*this, Services.Messages);
    FindDialog = new TFindThings(Services.Messages, this);
    Preferences =
        new TUserInitialize(Services.Messages, Services.Help, Services.Colours, *UserClock, this);
    Csv = new TCsvConvert(Services.Messages, Services.Dialogs, this);
    Previewer = new TPreviewer(this);

    Doc.ClientFolder = Services.Paths.DefaultClientFolder;
    RepairQualityTimeSample(Doc.ClientFolder);
    Doc.UserYear = QString::number(Services.CurrentYear ? Services.CurrentYear() : 2026);
    Doc.SelUserMonth = DisplayMonthNames().at(0);

    auto* previous = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(previous, &QShortcut::activated, this, &TQDLMainCalendar::PrevMonthClick);
    auto* next = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(next, &QShortcut::activated, this, &TQDLMainCalendar::NextMonthClick);

    setTabOrder(ClientName, UserYear);
    setTabOrder(UserYear, SelUserMonth);
    setTabOrder(SelUserMonth, StartBtn);
    RefreshWindow();
    ClientName->setFocus();
}

TQDLMainCalendar::~TQDLMainCalendar() = default;

void TQDLMainCalendar::BuildClientPanel(QWidget* client)
{
    Text(client, QStringLiteral("Client &Name:"), 4, 2, 64, 24);
    ClientName = Place(new QLineEdit(client), "ClientName", 68, 2, 200, 24);
    Text(client, QStringLiteral("Start &Year:"), 276, 2, 54, 24);
    UserYear = Place(new QComboBox(client), "UserYear", 330, 3, 64, 23);
    UserYear->setEditable(true);
    UserYear->setValidator(NewStartYearValidator(UserYear));
    Text(client, QStringLiteral("Start &Mo.:"), 400, 2, 50, 24);
    SelUserMonth = Place(new QComboBox(client), "SelUserMonth", 450, 3, 92, 23);
    SelUserMonth->addItems(DisplayMonthNames());
    for (QLabel* label : client->findChildren<QLabel*>()) {
        if (label->text().contains(QStringLiteral("&Name")))
            label->setBuddy(ClientName);
        else if (label->text().contains(QStringLiteral("&Year")))
            label->setBuddy(UserYear);
        else if (label->text().contains(QStringLiteral("&Mo.")))
            label->setBuddy(SelUserMonth);
    }
    ClientName->installEventFilter(this);
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
}

void TQDLMainCalendar::BuildModePanel(QWidget* client)
{
    ModeGroup = Place(new QGroupBox(QStringLiteral("Mode (Overnights/DayVisits)"), client),
                      "ModeGroup", 2, 30, 150, 72);
    Overnights = Place(new QRadioButton(QStringLiteral("&Overnights"), ModeGroup), "Overnights", 10,
                       20, 130, 20);
    DayVisits = Place(new QRadioButton(QStringLiteral("&Day Visits"), ModeGroup), "DayVisits", 10,
                      44, 130, 20);
    Overnights->setChecked(true);
    connect(Overnights, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetMode(MarkMode::Overnights);
    });
    connect(DayVisits, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            SetMode(MarkMode::DayVisits);
    });

    auto reasonGroup = [&](const QString& title, const char* name, QComboBox*& combo,
                           const char* comboName, QLineEdit*& start, const char* startName,
                           const QString& startLabel, QLineEdit*& end, const char* endName,
                           const QString& endLabel, int firstField) {
        auto* group = Place(new QGroupBox(title, client), name, 156, 30, 386, 72);
        combo = Place(new QComboBox(group), comboName, 8, 18, 370, 22);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setMaxLength(TypedReasonCapacity + 1);
        combo->setFocusPolicy(Qt::ClickFocus); // not in the tab order
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
        Text(group, startLabel, 8, 44, 64, 22);
        start = Place(new QLineEdit(group), startName, 72, 44, 72, 22);
        auto* startButton = Place(new QToolButton(group), nullptr, 145, 44, 22, 22);
        Text(group, endLabel, 190, 44, 70, 22);
        end = Place(new QLineEdit(group), endName, 262, 44, 72, 22);
        auto* endButton = Place(new QToolButton(group), nullptr, 335, 44, 22, 22);
        for (QLineEdit* field : {start, end}) {
            field->setReadOnly(true);
            field->setText(NoTimeText);
            field->setToolTip(QStringLiteral("Click to set the default time"));
            field->installEventFilter(this);
        }
        startButton->setText(QStringLiteral("..."));
        endButton->setText(QStringLiteral("..."));
        connect(startButton, &QToolButton::clicked, this,
                [this, firstField] { EditDefaultTime(firstField); });
        connect(endButton, &QToolButton::clicked, this,
                [this, firstField] { EditDefaultTime(firstField + 1); });
        return group;
    };
    OvernightGroup = reasonGroup(
        QStringLiteral("Overnights Reason(s)"), "OvernightGroup", OverniteReasons,
        "OverniteReasons", OverNiteStrtTime, "OverNiteStrtTime", QStringLiteral("Pickup Time:"),
        OverNiteEndTime, "OverNiteEndTime", QStringLiteral("Dropoff Time:"), 0);
    DayVisitGroup = reasonGroup(QStringLiteral("Day Visits Reason(s)"), "DayVisitGroup",
                                DayVisitReasons, "DayVisitReasons", DayVisitStrtTime,
                                "DayVisitStrtTime", QStringLiteral("Start Time:"), DayVisitEndTime,
                                "DayVisitEndTime", QStringLiteral("End Time:"), 2);
    connect(OverniteReasons, &QComboBox::editTextChanged, this,
            [this] { ReasonTextEdited(OverniteReasons, Doc.OverniteReasons); });
    connect(DayVisitReasons, &QComboBox::editTextChanged, this,
            [this] { ReasonTextEdited(DayVisitReasons, Doc.DayVisitReasons); });
}

void TQDLMainCalendar::BuildCountersPanel(QWidget* client)
{
    auto* panel = Place(new QFrame(client), "CountersPanel", 545, 0, 241, 103);
    panel->setFrameShape(QFrame::StyledPanel);
    QLabel* heading = Text(panel, QStringLiteral("Current Totals"), 0, 1, 241, 14, Qt::AlignCenter);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    ShowBYCntrs =
        Place(new QRadioButton(QStringLiteral("Both Yrs."), panel), "ShowBYCntrs", 8, 15, 76, 16);
    Show1YCntrs =
        Place(new QRadioButton(QStringLiteral("1st Yr."), panel), "Show1YCntrs", 88, 15, 66, 16);
    Show2YCntrs =
        Place(new QRadioButton(QStringLiteral("2nd Yr."), panel), "Show2YCntrs", 158, 15, 70, 16);
    ShowBYCntrs->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(ShowBYCntrs, 0);
    group->addButton(Show1YCntrs, 1);
    group->addButton(Show2YCntrs, 2);
    connect(group, &QButtonGroup::idClicked, this, &TQDLMainCalendar::ShowCounters);

    QFont underlined = font();
    underlined.setUnderline(true);
    NonCustodialTitle = Text(panel, QString(), 102, 32, 80, 13, Qt::AlignCenter);
    CustodialTitle = Text(panel, QString(), 178, 32, 62, 13, Qt::AlignCenter);
    NonCustodialTitle->setObjectName(QStringLiteral("NonCustodialTitle"));
    CustodialTitle->setObjectName(QStringLiteral("CustodialTitle"));
    NonCustodialTitle->setFont(underlined);
    CustodialTitle->setFont(underlined);

    const char* names[8] = {"TotalOverNites", "CON", "PrCntOvrNit", "CONP",
                            "TotalDayVisits", "CDV", "PrCntDayVis", "CDVP"};
    const QString rows[4] = {
        QStringLiteral("No. of Overnights:"), QStringLiteral("% of Year's Total:"),
        QStringLiteral("No. of Day Visits:"), QStringLiteral("% of Year's Total:")};
    for (int r = 0; r < 4; ++r) {
        const int y = 46 + 14 * r;
        QLabel* caption = Text(panel, rows[r], 6, y, 106, 14);
        if (r % 2 == 1)
            PercentRowCaptions[static_cast<std::size_t>(r / 2)] = caption;
        for (int c = 0; c < 2; ++c) {
            QLabel* value = Text(panel, QString(), 112 + 64 * c, y, 60, 14, Qt::AlignCenter);
            value->setObjectName(QLatin1String(names[2 * r + c]));
            CounterLabels[static_cast<std::size_t>(2 * r + c)] = value;
        }
    }
}

void TQDLMainCalendar::BuildLeftColumn(QWidget* client)
{
    StartBtn = Place(new QPushButton(QStringLiteral("&Start"), client), "StartBtn", 1, 104, 95, 25);
    PrevMonthBtn = Place(new QPushButton(QStringLiteral("&Prev Month"), client), "PrevMonthBtn", 0,
                         136, 95, 25);
    NextMonthBtn = Place(new QPushButton(QStringLiteral("Ne&xt Month"), client), "NextMonthBtn", 0,
                         160, 95, 25);
    connect(StartBtn, &QPushButton::clicked, this, &TQDLMainCalendar::StartCalendar);
    connect(PrevMonthBtn, &QPushButton::clicked, this, &TQDLMainCalendar::PrevMonthClick);
    connect(NextMonthBtn, &QPushButton::clicked, this, &TQDLMainCalendar::NextMonthClick);
    StartBtn->installEventFilter(this);
    for (int k = 1; k <= MonthsInSpan; ++k) {
        const int y = k <= 12 ? 190 + 13 * (k - 1) : 357 + 13 * (k - 13);
        auto* button = Place(new QPushButton(client), nullptr, 0, y, 97, 13);
        button->setObjectName(QStringLiteral("Mon%1").arg(k, 2, 10, QLatin1Char('0')));
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        MonthButtons[static_cast<std::size_t>(k - 1)] = button;
        connect(button, &QPushButton::clicked, this, [this, k] { GoToMonthClick(k); });
    }
    CloseBtn = Place(new QPushButton(QStringLiteral("Close"), client), "CloseBtn", 0, 520, 95, 25);
    connect(CloseBtn, &QPushButton::clicked, this, &QWidget::close);
}

void TQDLMainCalendar::BuildMonthArea(QWidget* client)
{
    MonthArea = new QFrame(client);
    MonthArea->setObjectName(QStringLiteral("MonthArea"));
    MonthArea->setFrameShape(QFrame::Box);
    MonthArea->setAutoFillBackground(true);
    MonthArea->setFocusPolicy(Qt::StrongFocus);
    MonthArea->installEventFilter(this);
    QPalette white = MonthArea->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    MonthArea->setPalette(white);
    const QString hint =
        QStringLiteral("Left click on a day to set reason, right click to delete.");
    MonthArea->setToolTip(hint);

    MonthYearLbl = new QLabel(MonthArea);
    MonthYearLbl->setAlignment(Qt::AlignCenter);
    MonthYearLbl->setObjectName(QStringLiteral("MonthYearLbl"));
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(32);
    title.setBold(true);
    MonthYearLbl->setFont(title);

    QFont headFont(QStringLiteral("Arial"));
    headFont.setPixelSize(13);
    headFont.setBold(true);
    for (int c = 0; c < 7; ++c) {
        auto* head = new QLabel(DisplayWeekdayNames().at(c), MonthArea);
        head->setAlignment(Qt::AlignCenter);
        head->setFrameStyle(QFrame::Panel | QFrame::Raised);
        head->setFont(headFont);
        head->setToolTip(hint);
        ColumnHeads[static_cast<std::size_t>(c)] = head;
    }
    const int labelHeight = ComputeMonthAreaLayout(SmallestClientArea, WidthOf17As).LabelHeight;
    for (int i = 0; i < CellCount; ++i) {
        auto* cell = new DayCellWidget(i + 1, labelHeight, client);
        Cells[static_cast<std::size_t>(i)] = cell;
        connect(cell, &DayCellWidget::Pressed, this, &TQDLMainCalendar::CellPressed);
    }
    ArrangeMonthArea();
    ApplyModeCursor();
}

void TQDLMainCalendar::ArrangeMonthArea()
{
    const MonthAreaLayout layout = ComputeMonthAreaLayout(ClientArea->size(), WidthOf17As);
    MonthArea->setGeometry(layout.Area);
    MonthYearLbl->setGeometry(layout.MonthLabel);
    for (int c = 0; c < 7; ++c)
        ColumnHeads[static_cast<std::size_t>(c)]->setGeometry(layout.HeadRect(c));
    for (int i = 0; i < CellCount; ++i) {
        DayCellWidget* cell = Cells[static_cast<std::size_t>(i)];
        cell->Arrange(layout.Cell, layout.LabelHeight);
        cell->move(layout.CellRect(i + 1).topLeft());
    }
}

void TQDLMainCalendar::BuildMenus()
{
    auto add = [this](QMenu* menu, const QString& caption, const char* name, auto handler) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto later = [this](QMenu* menu, const QString& caption, const char* name) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(false);
        action->setToolTip(LaterVersionTip);
        action->setStatusTip(LaterVersionTip);
        return action;
    };
    auto calendar = [this](QAction* action) {
        CalendarActions.push_back(action);
        return action;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setToolTipsVisible(true);
    add(file, QStringLiteral("New"), "New", [this] {
        NewOrCloseClick();
    })->setShortcut(QKeySequence::New);
    add(file, QStringLiteral("Open File"), "OpenFile", [this] {
        OpenCalendarClick();
    })->setShortcut(QKeySequence::Open);
    calendar(add(file, QStringLiteral("Save"), "Save", [this] {
        SaveClick();
    }))->setShortcut(QKeySequence::Save);
    calendar(add(file, QStringLiteral("Save As"), "SaveAs", [this] { SaveAsClick(); }));
    calendar(add(file, QStringLiteral("Close File"), "CloseFile", [this] { NewOrCloseClick(); }));
    file->addSeparator();
    add(file, QStringLiteral("Lock File"), "LockFile", [this] { LockClick(true); });
    add(file, QStringLiteral("Unlock File"), "UnlockFile", [this] { LockClick(false); });
    file->addSeparator();
    QMenu* print = file->addMenu(QStringLiteral("Print Calendar"));
    print->setObjectName(QStringLiteral("PrintCalendar"));
    print->setToolTipsVisible(true);
    print->menuAction()->setEnabled(false);
    print->menuAction()->setToolTip(LaterVersionTip);
    later(print, QStringLiteral("Print All Months"), "PrintAllMonths");
    later(print, QStringLiteral("Print Current Month"), "PrintCurrentMonth");
    calendar(add(file, QStringLiteral("Write Calendar to .CSV Formatted File"), "WriteCsv",
                 [this] { CsvExportClick(); }));
    later(file, QStringLiteral("&Hourly Distribution Report"), "HourlyDistribution");
    later(file, QStringLiteral("Care Time Report"), "CareTimeReport");
    later(file, QStringLiteral("Quality Time Report"), "QualityTimeReport");
    file->addSeparator();
    for (int k = 0; k < RecentFileCount; ++k) {
        QAction* recent = file->addAction(QString());
        recent->setObjectName(k == 0 ? QStringLiteral("Lastfile1")
                                     : QStringLiteral("LastFile%1").arg(k + 1));
        recent->setCheckable(true);
        recent->setVisible(false);
        recent->setEnabled(false);
        connect(recent, &QAction::triggered, this, [this, k] { RecentFileClick(k); });
        RecentActions[static_cast<std::size_t>(k)] = recent;
    }
    file->addSeparator();
    add(file, QStringLiteral("&Run Collato (Stand Alone Mode)"), "RunCollato",
        [this] { RunCollatoClick(); });
    WizardAction = add(file, QStringLiteral("Use the Startup Wizard"), "UseStartupWizard",
                       [this] { ToggleStartWizardClick(); });
    WizardAction->setCheckable(true);
    WizardAction->setChecked(true);
    file->addSeparator();
    add(file, QStringLiteral("Exit"), "Exit", [this] { close(); });

    ListsMenu = menuBar()->addMenu(QStringLiteral("&Lists(Patterns)"));
    ListsMenu->setObjectName(QStringLiteral("ListsMenu"));
    ListsMenu->setToolTipsVisible(true);
    add(ListsMenu, QStringLiteral("Find"), "Find", [this] {
        FindClick();
    })->setShortcut(QKeySequence::Find);
    QMenu* overnightLists = ListsMenu->addMenu(QStringLiteral("Overnight Lists"));
    overnightLists->setObjectName(QStringLiteral("OvernightLists"));
    overnightLists->setToolTipsVisible(true);
    connect(overnightLists, &QMenu::aboutToShow, this, [this] { Lists = ListKind::Overnights; });
    later(overnightLists, QStringLiteral("Apply/Remove Odd/Even/All Patterns (Days or Weeks)"),
          "OvernightOddEvenAll");
    later(overnightLists, QStringLiteral("Apply/Remove Monthly Patterns"), "OvernightMonthly");
    QMenu* overnightHolidays = overnightLists->addMenu(QStringLiteral("Apply/Remove a Holiday"));
    overnightHolidays->setToolTipsVisible(true);
    later(overnightHolidays, QStringLiteral("U.S. Holidays"), "OvernightUSHolidays");
    later(overnightHolidays, QStringLiteral("Canadian Holidays"), "OvernightCanadianHolidays");
    later(overnightHolidays, QStringLiteral("United Kingdom Holidays"), "OvernightUKHolidays");
    add(overnightLists, QStringLiteral("Scan for Possible Extended Overnights"), "ScanExtended",
        [this] { ScanExtendedClick(); });
    QMenu* dayVisitLists = ListsMenu->addMenu(QStringLiteral("Day Visit Lists"));
    dayVisitLists->setObjectName(QStringLiteral("DayVisitLists"));
    dayVisitLists->setToolTipsVisible(true);
    connect(dayVisitLists, &QMenu::aboutToShow, this, [this] { Lists = ListKind::DayVisits; });
    later(dayVisitLists, QStringLiteral("Apply/Remove Odd/Even/All Patterns (Days or Weeks)"),
          "DayVisitOddEvenAll");
    later(dayVisitLists, QStringLiteral("Apply/Remove Monthly Patterns"), "DayVisitMonthly");
    QMenu* dayVisitHolidays = dayVisitLists->addMenu(QStringLiteral("Apply/Remove a Holiday"));
    dayVisitHolidays->setToolTipsVisible(true);
    later(dayVisitHolidays, QStringLiteral("U. S. Holidays"), "DayVisitUSHolidays");
    later(dayVisitHolidays, QStringLiteral("Canadian Holidays"), "DayVisitCanadianHolidays");
    later(dayVisitHolidays, QStringLiteral("United Kingdom Holidays"), "DayVisitUKHolidays");
    ListsMenu->addSeparator();
    later(ListsMenu, QStringLiteral("Apply/Remove a Custom Repeat Pattern"), "ApplyRepeatPattern");
    later(ListsMenu, QStringLiteral("Create/Modify a Custom Repeat Pattern"), "MakeRepeatPattern");
    later(ListsMenu, QStringLiteral("Apply/Remove a Custom List"), "ApplyCustomList");
    add(ListsMenu, QStringLiteral("Create/Modify a Custom List"), "CreateCustomList",
        [this] { CreateCustomListClick(); });

    QAction* preview = menuBar()->addAction(QStringLiteral("&Preview"));
    preview->setObjectName(QStringLiteral("Preview"));
    connect(preview, &QAction::triggered, this, [this] { PreviewClick(); });
    calendar(preview);
    QAction* preferences = menuBar()->addAction(QStringLiteral("P&references"));
    preferences->setObjectName(QStringLiteral("Preferences"));
    connect(preferences, &QAction::triggered, this, [this] { PreferencesClick(); });
    calendar(preferences);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* calendarHelp = add(help, QStringLiteral("&Calendar Help"), "CalendarHelp",
                                [this] { Services.Help.ShowHelpTopic(this, HelpCalendar); });
    calendarHelp->setShortcut(QKeySequence::HelpContents);
    add(help, QStringLiteral("&View Tutorials"), "ViewTutorials", [this] { TutorialsClick(); });
    add(help, QStringLiteral("&Goto CDX Website"), "GotoWebsite", [this] { WebSiteClick(); });
    add(help, QStringLiteral("&About"), "About", [this] { AboutClick(); });
    QAction* exit = menuBar()->addAction(QStringLiteral("&Exit"));
    exit->setObjectName(QStringLiteral("ExitBar"));
    connect(exit, &QAction::triggered, this, [this] { close(); });
}

QAction* TQDLMainCalendar::Action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

void TQDLMainCalendar::EnableCalendarMenus()
{
    const bool present = Doc.HasCalendar();
    for (QAction* action : CalendarActions)
        action->setEnabled(present);
    ListsMenu->setEnabled(present);
}

void TQDLMainCalendar::ShowRecentFiles()
{
    for (int k = 0; k < RecentFileCount; ++k) {
        const RecentFileEntry& entry = ProgramSetup.RecentFiles[static_cast<std::size_t>(k)];
        QAction* action = RecentActions[static_cast<std::size_t>(k)];
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
        const int year = Services.CurrentYear ? Services.CurrentYear() : 2026;
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
    ShowDefaultTimes();
    ShowParentTitles();
    EnableCalendarMenus();
    ShowRecentFiles();
    Updating = false;
    SetMode(Month.Mode);
    AfterMove();
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

void TQDLMainCalendar::ShowDefaultTimes()
{
    OverNiteStrtTime->setText(Doc.OverNiteStrtTime);
    OverNiteEndTime->setText(Doc.OverNiteEndTime);
    DayVisitStrtTime->setText(Doc.DayVisitStrtTime);
    DayVisitEndTime->setText(Doc.DayVisitEndTime);
}

void TQDLMainCalendar::ShowParentTitles()
{
    NonCustodialTitle->setText(ParentTitleText(Doc.NonCustodialName));
    CustodialTitle->setText(ParentTitleText(Doc.CustodialName));
    NonCustodialTitle->setToolTip(Doc.NonCustodialName);
    CustodialTitle->setToolTip(Doc.CustodialName);
}

void TQDLMainCalendar::ShowSelectedCounters()
{
    // The checked radio button always names the figures shown.
    QRadioButton* radios[3] = {ShowBYCntrs, Show1YCntrs, Show2YCntrs};
    QRadioButton* chosen = radios[static_cast<int>(Month.Counters)];
    if (!chosen->isChecked()) {
        const QSignalBlocker block(chosen);
        chosen->setChecked(true);
    }
    const std::array<QString, 8> texts = ShownCounterTexts(Doc, Month.Counters);
    for (std::size_t i = 0; i < texts.size(); ++i)
        CounterLabels[i]->setText(texts[i]);
}

void TQDLMainCalendar::ShowCounters(int which)
{
    ChooseCounters(Doc, Month, static_cast<CounterChoice>(std::clamp(which, 0, 2)),
                   Services.Messages);
    ShowSelectedCounters();
}

void TQDLMainCalendar::StartCalendar()
{
    custodex::StartCalendar(
        Doc, Month, {ClientName->text(), UserYear->currentText(), SelUserMonth->currentText()},
        *this, Services.Messages);
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
    Preferences->Execute(Doc);
}

void TQDLMainCalendar::NextMonthClick()
{
    if (!NextMonth(Doc)) {
        if (Services.Beep)
            Services.Beep();
        return;
    }
    AfterMove();
}

void TQDLMainCalendar::PrevMonthClick()
{
    if (!PrevMonth(Doc)) {
        if (Services.Beep)
            Services.Beep();
        return;
    }
    AfterMove();
}

void TQDLMainCalendar::GoToMonthClick(int monthNumber)
{
    if (!Doc.HasCalendar())
        return;
    GoToMonth(Doc, monthNumber);
    AfterMove();
}

void TQDLMainCalendar::AfterMove()
{
    for (int k = 0; k < MonthsInSpan; ++k) {
        const bool shown = Doc.HasCalendar() ? k + 1 == Doc.ShownMonthNumber : k == 0;
        MonthButtons[static_cast<std::size_t>(k)]->setStyleSheet(
            QStringLiteral(
                "QPushButton { text-align: left; padding: 0 2px; border: none; font-size: 10px; "
                "color: %1; }")
                .arg(shown ? Maroon : QStringLiteral("black")));
    }
    DrawMonth(Doc, Month);
    DrawCells();
}

void TQDLMainCalendar::DrawCells()
{
    MonthYearLbl->setText(Month.MonthLabel);
    for (int i = 0; i < CellCount; ++i)
        Cells[static_cast<std::size_t>(i)]->Render(Month.Cells[static_cast<std::size_t>(i)],
                                                   Doc.DayVisitColour);
    RecountCounters(Doc);
    ShowSelectedCounters();
    setWindowTitle(Doc.WindowCaption);
}

void TQDLMainCalendar::CellPressed(int cellNumber, Qt::MouseButton button,
                                   Qt::KeyboardModifiers modifiers)
{
    const CellButton which = button == Qt::LeftButton    ? CellButton::Left
                             : button == Qt::RightButton ? CellButton::Right
                                                         : CellButton::Other;
    CellClicked(Doc, Month, cellNumber, which, modifiers.testFlag(Qt::ControlModifier), *this,
                Services.Messages);
    ShowReasonList(OverniteReasons, Doc.OverniteReasons);
    ShowReasonList(DayVisitReasons, Doc.DayVisitReasons);
    DrawCells();
}

void TQDLMainCalendar::SetMode(MarkMode mode)
{
    Month.Mode = mode;
    const bool overnight = mode == MarkMode::Overnights;
    const bool present = Doc.HasCalendar();
    OvernightGroup->setVisible(present && overnight);
    DayVisitGroup->setVisible(present && !overnight);
    OvernightGroup->setEnabled(overnight);
    DayVisitGroup->setEnabled(!overnight);
    // The percentages of the mode's own kind are shown.
    for (int i : {2, 3})
        CounterLabels[static_cast<std::size_t>(i)]->setVisible(overnight);
    for (int i : {6, 7})
        CounterLabels[static_cast<std::size_t>(i)]->setVisible(!overnight);
    PercentRowCaptions[0]->setVisible(overnight);
    PercentRowCaptions[1]->setVisible(!overnight);
    if (!Updating) {
        QSignalBlocker blockOvernights(Overnights);
        QSignalBlocker blockDayVisits(DayVisits);
        Overnights->setChecked(overnight);
        DayVisits->setChecked(!overnight);
    }
    ApplyModeCursor();
}

void TQDLMainCalendar::ApplyModeCursor()
{
    const QCursor cursor = ModeCursor(Month.Mode == MarkMode::Overnights);
    MonthArea->setCursor(cursor);
    for (DayCellWidget* cell : Cells)
        if (cell)
            cell->setCursor(cursor);
}

void TQDLMainCalendar::EditDefaultTime(int which)
{
    QLineEdit* fields[4] = {OverNiteStrtTime, OverNiteEndTime, DayVisitStrtTime, DayVisitEndTime};
    QString* values[4] = {&Doc.OverNiteStrtTime, &Doc.OverNiteEndTime, &Doc.DayVisitStrtTime,
                          &Doc.DayVisitEndTime};
    const QString prompts[4] = {QStringLiteral("Set Calendar Default Overnight Start Time"),
                                QStringLiteral("Set Calendar Default Overnight End Time"),
                                QStringLiteral("Set Calendar Default Day Visit Start Time"),
                                QStringLiteral("Set Calendar Default Day Visit End Time")};
    if (which < 0 || which > 3)
        return;
    QLineEdit* field = fields[which];
    QString text = field->text();
    const QPoint anchor = field->mapToGlobal(QPoint(0, field->height()));
    if (UserClock->Execute(Doc, prompts[which], text, &anchor)) {
        *values[which] = text;
        field->setText(text);
        Doc.DistributionStale = true;
    }
}

void TQDLMainCalendar::ReasonTextEdited(QComboBox* combo, ReasonList& list)
{
    if (Updating)
        return;
    const QString text = combo->currentText();
    const ReasonTextCheck check = CheckTypedReason(text);
    if (check.Text != text) {
        Updating = true;
        combo->setEditText(check.Text);
        Updating = false;
    }
    list.Text = check.Text;
    if (!check.Message.isEmpty())
        Services.Messages.Ask(check.IsError ? PromptKind::Error : PromptKind::Information,
                              check.Message, PromptButtons::Ok);
}

void TQDLMainCalendar::ReasonFocusLost(QComboBox* combo, ReasonList& list)
{
    const QString text = combo->currentText();
    if (text.isEmpty())
        return;
    list.Text = text;
    AddReasonItem(list, text);
    ShowReasonList(combo, list);
}

bool TQDLMainCalendar::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == ClientArea)
        ArrangeMonthArea();
    if (event->type() == QEvent::MouseButtonPress) {
        const QLineEdit* fields[4] = {OverNiteStrtTime, OverNiteEndTime, DayVisitStrtTime,
                                      DayVisitEndTime};
        for (int i = 0; i < 4; ++i)
            if (watched == fields[i]) {
                EditDefaultTime(i);
                return true;
            }
    }
    if (event->type() == QEvent::FocusOut && watched == ClientName &&
        ClientNameLeft(ClientName->text(), static_cast<QFocusEvent*>(event)->reason(),
                       Services.Messages))
        QTimer::singleShot(0, ClientName, [this] { ClientName->setFocus(); });
    if (event->type() == QEvent::FocusOut) {
        if (watched == OverniteReasons || watched == OverniteReasons->lineEdit())
            ReasonFocusLost(OverniteReasons, Doc.OverniteReasons);
        else if (watched == DayVisitReasons || watched == DayVisitReasons->lineEdit())
            ReasonFocusLost(DayVisitReasons, Doc.DayVisitReasons);
    }
    if (event->type() == QEvent::FocusIn && watched == StartBtn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) &&
            ClientName->text().trimmed().isEmpty()) {
            ClientName->clear();
            Services.Messages.Ask(PromptKind::Error,
                                  QStringLiteral("A Client Name is a required entry."),
                                  PromptButtons::Retry);
            ClientName->setFocus();
        }
    }
    if (event->type() == QEvent::KeyPress &&
        (watched == OverniteReasons->lineEdit() || watched == DayVisitReasons->lineEdit())) {
        // Enter keeps the typed default reason instead of letting the combo box reset it.
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == OverniteReasons->lineEdit())
                ReasonFocusLost(OverniteReasons, Doc.OverniteReasons);
            else
                ReasonFocusLost(DayVisitReasons, Doc.DayVisitReasons);
            MonthArea->setFocus();
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && watched == MonthArea) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Up) {
            PrevMonthClick();
            return true;
        }
        if (key == Qt::Key_Right || key == Qt::Key_Down) {
            NextMonthClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
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
    return SetDay->Execute(Doc, request.Caption, request.Heading, request.ReasonItems,
                           request.OvernightMode, request.DayIndex, request.Entry, onScreen);
}

LifecycleContext TQDLMainCalendar::Lifecycle()
{
    return LifecycleContext{Doc,
                            ProgramSetup,
                            Services.Messages,
                            Services.Dialogs,
                            OpenDialogFileName,
                            Services.CurrentYear ? Services.CurrentYear() : 2026};
}

void TQDLMainCalendar::AfterLifecycle(bool closedOrOpened)
{
    if (closedOrOpened) {
        Month.RemovedOvernight = {};
        Month.RemovedDayVisit = {};
        Month.Mode = MarkMode::Overnights;
        Overnights->setChecked(true);
    }
    RefreshWindow();
    if (closedOrOpened && !Doc.HasCalendar())
        ClientName->setFocus();
}

void TQDLMainCalendar::NewOrCloseClick()
{
    LifecycleContext context = Lifecycle();
    const bool closed = CloseCalendar(context);
    AfterLifecycle(closed);
}

void TQDLMainCalendar::OpenCalendarClick(const QString& recentPath)
{
    LifecycleContext context = Lifecycle();
    const bool opened = OpenCalendar(context, recentPath);
    // A failed read leaves no calendar, which the window must show too.
    AfterLifecycle(opened || !Doc.HasCalendar());
    if (opened)
        MonthArea->setFocus();
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
    SaveCalendar(context);
    AfterLifecycle(false);
}

void TQDLMainCalendar::SaveAsClick()
{
    LifecycleContext context = Lifecycle();
    SaveCalendarAs(context);
    AfterLifecycle(false);
}

void TQDLMainCalendar::LockClick(bool lock)
{
    LifecycleContext context = Lifecycle();
    LockOrUnlockFile(context, lock);
}

void TQDLMainCalendar::FindClick()
{
    if (!CheckFind(Doc, Services.Messages))
        return;
    FindDialog->Execute(Doc, [this](int monthNumber) { ShowMonth(monthNumber); });
    AfterMove();
}

void TQDLMainCalendar::ScanExtendedClick()
{
    ScanExtendedOvernights(Doc, *this, Services.Messages);
    AfterMove();
}

void TQDLMainCalendar::ShowMonth(int monthNumber)
{
    GoToMonth(Doc, monthNumber);
    AfterMove();
}

ExtendedAnswer TQDLMainCalendar::AskToConvert(const QString& message1, const QString& message2,
                                              const QString& message3)
{
    TExtendedMsgBox box(this);
    return box.Execute(message1, message2, message3);
}

void TQDLMainCalendar::ToggleStartWizardClick()
{
    const QString caption = ToggleStartWizard(ProgramSetup.Wizard, Services.Messages);
    WizardAction->setChecked(ProgramSetup.Wizard);
    WizardAction->setText(caption);
}

void TQDLMainCalendar::StartCompanion(const QString& name, const QStringList& arguments)
{
    const QString program = FindCompanionProgram(Services.Paths.ProgramFolder, name);
    if (!program.isEmpty())
        Services.Launcher.Start(program, arguments); // a missing companion simply does not start
}

void TQDLMainCalendar::RunCollatoClick()
{
    StartCompanion(QStringLiteral("Collato.exe"), {});
}

void TQDLMainCalendar::CreateCustomListClick()
{
    StartCompanion(QStringLiteral("collato.exe"), CustomListArguments(Doc));
}

void TQDLMainCalendar::WebSiteClick()
{
    StartCompanion(QStringLiteral("Websprint.exe"), {});
}

void TQDLMainCalendar::TutorialsClick()
{
    TVTutorials tutorials(Services.Paths.TutorialsFolder, Services.Launcher, Services.Messages,
                          this);
    tutorials.exec();
}

void TQDLMainCalendar::PreferencesClick()
{
    if (!CheckPreferences(Doc, Services.Messages))
        return;
    Preferences->Execute(Doc);
    RefreshWindow(); // colours, titles and default times may have changed
}

void TQDLMainCalendar::PreviewClick()
{
    if (!CheckPreview(Doc, Services.Messages))
        return;
    RecountCounters(Doc);
    Previewer->ShowFor(Doc, [this] {
        if (Services.GeneratedStamp)
            return Services.GeneratedStamp();
        const QDateTime now = QDateTime::currentDateTime();
        const QLocale locale;
        return QStringLiteral("Generated ") + locale.toString(now.date(), QLocale::ShortFormat) +
               QStringLiteral("  ") + locale.toString(now.time(), QLocale::LongFormat);
    });
}

void TQDLMainCalendar::CsvExportClick()
{
    if (!CheckCsvExport(Doc, Services.Messages))
        return;
    Csv->Execute(Doc);
    AfterMove();
}

void TQDLMainCalendar::AboutClick()
{
    TTheAboutBox about(this);
    about.exec();
}

void TQDLMainCalendar::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!Activated) {
        Activated = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect area = screen->availableGeometry();
            move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
        }
        QTimer::singleShot(0, this, &TQDLMainCalendar::FirstActivation);
    }
}

void TQDLMainCalendar::FirstActivation()
{
    ProgramSetup.ClientFolder = Doc.ClientFolder;
    if (ReadProgramSettingsFile(ProgramSetup, Services.Paths.SettingsFile) &&
        !ProgramSetup.ClientFolder.isEmpty())
        Doc.ClientFolder = ProgramSetup.ClientFolder;
    WizardAction->setChecked(ProgramSetup.Wizard);
    ShowRecentFiles();
    if (ProgramSetup.Wizard)
        StartWizard->exec();
}

void TQDLMainCalendar::WriteSettingsFile()
{
    ProgramSetup.ClientFolder = Doc.ClientFolder;
    WriteProgramSettingsFile(ProgramSetup, Services.Paths.SettingsFile);
}

void TQDLMainCalendar::closeEvent(QCloseEvent* event)
{
    LifecycleContext context = Lifecycle();
    if (!CloseQuery(context)) {
        RefreshWindow();
        event->ignore();
        return;
    }
    Services.Help.CloseAllHelp();
    WriteSettingsFile();
    event->accept();
}

} // namespace custodex
