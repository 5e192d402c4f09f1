#include "app/MainWindowControls.h"

#include "calendar/MonthLayout.h"
#include "calendar/StartChecks.h"
#include "calendar/ui/DayCellWidget.h"
#include "calendar/ui/MonthGrid.h"
#include "reports/GuidelineStanding.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace custodex {

namespace {

const QString Maroon = QStringLiteral("#800000");

// A month of the list left of the month view: its caption at 10 pixels, left-aligned and
// without a frame, black or, for the month shown, maroon. Drawn here rather than through a
// style sheet: the sheet's style cost milliseconds of every start and every redraw.
class MonthButton final : public QPushButton {
public:
    explicit MonthButton(QWidget* parent) : QPushButton(parent)
    {
        QFont small = font();
        small.setPixelSize(10);
        setFont(small);
    }

    void SetShown(bool shown)
    {
        if (shown == Shown)
            return;
        Shown = shown;
        update();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        QPainter painter(this);
        painter.setPen(Shown ? QColor(Maroon) : QColor(Qt::black));
        painter.drawText(rect().adjusted(2, 0, -2, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
        if (hasFocus()) { // the month the keyboard is on in the list
            painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }

private:
    bool Shown = false;
};

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

// The captions of the counters' rows, top to bottom.
const std::array<QString, 4>& CounterRowCaptions()
{
    static const std::array<QString, 4> rows{
        QStringLiteral("No. of Overnights:"), QStringLiteral("% of Year's Total:"),
        QStringLiteral("No. of Day Visits:"), QStringLiteral("% of Year's Total:")};
    return rows;
}

} // namespace

void MainWindowControls::BuildControls(QWidget* client)
{
    BuildClientPanel(client);
    BuildModePanel(client);
    BuildCountersPanel(client);
    BuildLeftColumn(client);
    BuildMonthArea(client);
}

std::array<QLineEdit*, 4> MainWindowControls::DefaultTimeFields() const
{
    return {OverNiteStrtTime, OverNiteEndTime, DayVisitStrtTime, DayVisitEndTime};
}

void MainWindowControls::BuildClientPanel(QWidget* client)
{
    Text(client, QStringLiteral("Client &Name:"), 4, 2, 64, 24);
    ClientName = Place(new QLineEdit(client), "ClientName", 68, 2, 200, 24);
    Text(client, QStringLiteral("Start &Year:"), 276, 2, 54, 24);
    UserYear = Place(new QComboBox(client), "UserYear", 330, 3, 64, 23);
    UserYear->setEditable(true);
    UserYear->setValidator(NewStartYearValidator(UserYear));
    UserYear->lineEdit()->setAccessibleName(QStringLiteral("Start Year"));
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
}

void MainWindowControls::BuildModePanel(QWidget* client)
{
    ModeGroup = Place(new QGroupBox(QStringLiteral("Mode (Overnights/DayVisits)"), client),
                      "ModeGroup", 2, 30, 150, 72);
    Overnights = Place(new QRadioButton(QStringLiteral("&Overnights"), ModeGroup), "Overnights", 10,
                       20, 130, 20);
    DayVisits = Place(new QRadioButton(QStringLiteral("&Day Visits"), ModeGroup), "DayVisits", 10,
                      44, 130, 20);
    Overnights->setChecked(true);

    auto reasonGroup = [&](const QString& title, const char* name, QComboBox*& combo,
                           const char* comboName, QLineEdit*& start, const char* startName,
                           const QString& startLabel, QLineEdit*& end, const char* endName,
                           const QString& endLabel, int firstField) {
        auto* group = Place(new QGroupBox(title, client), name, 156, 30, 386, 72);
        combo = Place(new QComboBox(group), comboName, 8, 18, 370, 22);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->lineEdit()->setMaxLength(TypedReasonCapacity + 1);
        combo->setFocusPolicy(Qt::ClickFocus); // not in the tab order; Alt+A reaches it
        combo->setAccessibleName(title);
        combo->lineEdit()->setAccessibleName(title);
        Text(group, startLabel, 8, 44, 64, 22);
        start = Place(new QLineEdit(group), startName, 72, 44, 72, 22);
        auto* startButton = Place(new QToolButton(group), nullptr, 145, 44, 22, 22);
        Text(group, endLabel, 190, 44, 70, 22);
        end = Place(new QLineEdit(group), endName, 262, 44, 72, 22);
        auto* endButton = Place(new QToolButton(group), nullptr, 335, 44, 22, 22);
        // The labels name their fields (not the group's title), the buttons say what they set.
        for (QLabel* label : group->findChildren<QLabel*>()) {
            QLineEdit* field = label->text() == startLabel ? start : end;
            label->setBuddy(field);
            field->setAccessibleName(label->text().chopped(1));
        }
        startButton->setAccessibleName(QStringLiteral("Set ") + startLabel.chopped(1));
        endButton->setAccessibleName(QStringLiteral("Set ") + endLabel.chopped(1));
        for (QLineEdit* field : {start, end}) {
            field->setReadOnly(true);
            field->setText(NoTimeText);
            field->setToolTip(QStringLiteral("Click to set the default time"));
        }
        startButton->setText(QStringLiteral("..."));
        endButton->setText(QStringLiteral("..."));
        DefaultTimeButtons[static_cast<std::size_t>(firstField)] = startButton;
        DefaultTimeButtons[static_cast<std::size_t>(firstField + 1)] = endButton;
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
}

void MainWindowControls::BuildCountersPanel(QWidget* client)
{
    GuidelinesPanel = Place(new QLabel(client), "GuidelinesPanel", 792, 0, 400, 103);
    GuidelinesPanel->setTextFormat(Qt::RichText);
    GuidelinesPanel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    GuidelinesPanel->hide();
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
    CounterRadios = new QButtonGroup(panel);
    CounterRadios->addButton(ShowBYCntrs, static_cast<int>(CounterChoice::BothYears));
    CounterRadios->addButton(Show1YCntrs, static_cast<int>(CounterChoice::FirstYear));
    CounterRadios->addButton(Show2YCntrs, static_cast<int>(CounterChoice::SecondYear));

    QFont underlined = client->font();
    underlined.setUnderline(true);
    NonCustodialTitle = Text(panel, QString(), 102, 32, 80, 13, Qt::AlignCenter);
    CustodialTitle = Text(panel, QString(), 178, 32, 62, 13, Qt::AlignCenter);
    NonCustodialTitle->setObjectName(QStringLiteral("NonCustodialTitle"));
    CustodialTitle->setObjectName(QStringLiteral("CustodialTitle"));
    NonCustodialTitle->setFont(underlined);
    CustodialTitle->setFont(underlined);

    const char* names[8] = {"TotalOverNites", "CON", "PrCntOvrNit", "CONP",
                            "TotalDayVisits", "CDV", "PrCntDayVis", "CDVP"};
    const std::array<QString, 4>& rows = CounterRowCaptions();
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

void MainWindowControls::BuildLeftColumn(QWidget* client)
{
    StartBtn = Place(new QPushButton(QStringLiteral("&Start"), client), "StartBtn", 1, 104, 95, 25);
    PrevMonthBtn = Place(new QPushButton(QStringLiteral("&Prev Month"), client), "PrevMonthBtn", 0,
                         136, 95, 25);
    NextMonthBtn = Place(new QPushButton(QStringLiteral("Ne&xt Month"), client), "NextMonthBtn", 0,
                         160, 95, 25);
    auto* monthList = Place(new QWidget(client), "MonthList", 0, 190, 97, 357 + 13 * 11 + 13 - 190);
    for (int k = 1; k <= MonthsInSpan; ++k) {
        const int y = k <= 12 ? 13 * (k - 1) : 357 - 190 + 13 * (k - 13);
        auto* button = Place(new MonthButton(monthList), nullptr, 0, y, 97, 13);
        button->setObjectName(QStringLiteral("Mon%1").arg(k, 2, 10, QLatin1Char('0')));
        button->setFlat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
        MonthButtons[static_cast<std::size_t>(k - 1)] = button;
    }
    CloseBtn = Place(new QPushButton(QStringLiteral("Close"), client), "CloseBtn", 0, 520, 95, 25);
}

void MainWindowControls::BuildMonthArea(QWidget* client)
{
    MonthArea = new MonthGridFrame(client);
    MonthArea->setObjectName(QStringLiteral("MonthArea"));
    MonthArea->setFrameShape(QFrame::Box);
    MonthArea->setAutoFillBackground(true);
    MonthArea->setFocusPolicy(Qt::StrongFocus);
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
        auto* head = new ColumnHead(MonthArea);
        head->setText(DisplayWeekdayNames().at(c));
        head->setAlignment(Qt::AlignCenter);
        head->setFrameStyle(QFrame::Panel | QFrame::Raised);
        head->setFont(headFont);
        head->setToolTip(hint);
        ColumnHeads[static_cast<std::size_t>(c)] = head;
    }
    const int labelHeight = ComputeMonthAreaLayout(SmallestClientArea, WidthOf17As).LabelHeight;
    for (int i = 0; i < CellCount; ++i)
        Cells[static_cast<std::size_t>(i)] = new DayCellWidget(i + 1, labelHeight, MonthArea);
    MonthArea->SetParts(MonthYearLbl, ColumnHeads, Cells);
    ArrangeMonthArea(client->size());
    ShowModeCursor(MarkMode::Overnights);
}

void MainWindowControls::ArrangeMonthArea(QSize client)
{
    // The guidelines take the room right of the counters, as wide as the window allows.
    GuidelinesPanel->setGeometry(792, 0, std::max(0, client.width() - 796), 103);
    const MonthAreaLayout layout = ComputeMonthAreaLayout(client, WidthOf17As);
    MonthArea->setGeometry(layout.Area);
    MonthYearLbl->setGeometry(layout.MonthLabel);
    for (int c = 0; c < 7; ++c)
        ColumnHeads[static_cast<std::size_t>(c)]->setGeometry(layout.HeadRect(c));
    for (int i = 0; i < CellCount; ++i) {
        DayCellWidget* cell = Cells[static_cast<std::size_t>(i)];
        cell->Arrange(layout.Cell, layout.LabelHeight);
        cell->move(layout.CellRect(i + 1).topLeft() - layout.Area.topLeft());
    }
}

void MainWindowControls::ShowModeCursor(MarkMode mode)
{
    const QCursor cursor = ModeCursor(mode == MarkMode::Overnights);
    MonthArea->setCursor(cursor);
    for (DayCellWidget* cell : Cells)
        if (cell)
            cell->setCursor(cursor);
}

void MainWindowControls::ShowMonthButtonColours(int shownMonthNumber)
{
    for (int k = 0; k < MonthsInSpan; ++k) {
        static_cast<MonthButton*>(MonthButtons[static_cast<std::size_t>(k)])
            ->SetShown(k + 1 == shownMonthNumber);
    }
}

void MainWindowControls::ShowMonthListStop(int monthNumber, bool focus)
{
    // While a month of the list has the focus, a redraw leaves the stop where the arrows put it.
    for (QPushButton* button : MonthButtons)
        if (button->hasFocus() && !focus)
            return;
    for (int k = 1; k <= MonthsInSpan; ++k) {
        QPushButton* button = MonthButtons[static_cast<std::size_t>(k - 1)];
        button->setFocusPolicy(k == monthNumber ? Qt::TabFocus : Qt::NoFocus);
        if (k == monthNumber && focus)
            button->setFocus(Qt::TabFocusReason);
    }
}

void MainWindowControls::ShowModeControls(MarkMode mode, bool calendarPresent)
{
    const bool overnight = mode == MarkMode::Overnights;
    OvernightGroup->setVisible(calendarPresent && overnight);
    DayVisitGroup->setVisible(calendarPresent && !overnight);
    OvernightGroup->setEnabled(overnight);
    DayVisitGroup->setEnabled(!overnight);
    // The percentages of the mode's own kind are shown.
    for (int i : {2, 3})
        CounterLabels[static_cast<std::size_t>(i)]->setVisible(overnight);
    for (int i : {6, 7})
        CounterLabels[static_cast<std::size_t>(i)]->setVisible(!overnight);
    PercentRowCaptions[0]->setVisible(overnight);
    PercentRowCaptions[1]->setVisible(!overnight);
    const QSignalBlocker blockOvernights(Overnights);
    const QSignalBlocker blockDayVisits(DayVisits);
    Overnights->setChecked(overnight);
    DayVisits->setChecked(!overnight);
    ShowModeCursor(mode);
}

void MainWindowControls::ShowCells(const MonthView& view, std::int32_t dayVisitColour)
{
    MonthYearLbl->setText(view.MonthLabel);
    for (int i = 0; i < CellCount; ++i)
        Cells[static_cast<std::size_t>(i)]->Render(view.Cells[static_cast<std::size_t>(i)],
                                                   dayVisitColour);
}

void MainWindowControls::ShowCounterFigures(const CalendarDocument& doc, CounterChoice choice)
{
    // The checked radio button always names the figures shown.
    QAbstractButton* chosen = CounterRadios->button(static_cast<int>(choice));
    if (!chosen->isChecked()) {
        const QSignalBlocker block(chosen);
        chosen->setChecked(true);
    }
    const std::array<QString, 8> texts = ShownCounterTexts(doc, choice);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        CounterLabels[i]->setText(texts[i]);
        // A figure read alone says its row and column: "No. of Overnights, Non-Custodial: 104".
        QString row = CounterRowCaptions()[i / 2];
        row.chop(1);
        if (i / 2 % 2 == 1) // "% of Year's Total" of overnights or of day visits
            row = CounterRowCaptions()[i / 2 - 1].chopped(1) + QStringLiteral(", ") + row;
        const QString column = i % 2 == 0 ? doc.NonCustodialName : doc.CustodialName;
        CounterLabels[i]->setAccessibleName(row + QStringLiteral(", ") + column +
                                            QStringLiteral(": ") + texts[i]);
    }
    ShowGuidelines(doc, choice);
}

void MainWindowControls::ShowGuidelines(const CalendarDocument& doc, CounterChoice choice)
{
    const std::vector<GuidelineStanding> standings = EvaluateGuidelines(doc);
    GuidelinesPanel->setVisible(!standings.empty());
    if (standings.empty())
        return;
    const GuidelinePanel panel = GuidelinePanelFor(standings, choice);
    QString html = QStringLiteral("<b>Guidelines</b> (") + panel.PeriodName + QLatin1Char(')');
    QStringList plain{QStringLiteral("Guidelines (") + panel.PeriodName + QLatin1Char(')')};
    for (const GuidelinePanelLine& line : panel.Lines) {
        // The tick or cross and the words say it; the colour only repeats it.
        html += QStringLiteral("<br><span style=\"color:%1\">%2</span>")
                    .arg(line.Met ? QStringLiteral("#006400") : QStringLiteral("#8b0000"),
                         line.Text.toHtmlEscaped());
        plain << line.Text;
    }
    GuidelinesPanel->setText(html);
    GuidelinesPanel->setToolTip(plain.join(QLatin1Char('\n')));
    // The standing itself is what a screen reader reads, not only the heading.
    GuidelinesPanel->setAccessibleName(plain.join(QLatin1Char('\n')));
    GuidelinesPanel->setAccessibleDescription(plain.join(QLatin1Char('\n')));
}

void MainWindowControls::ShowDefaultTimes(const CalendarDocument& doc)
{
    OverNiteStrtTime->setText(doc.OverNiteStrtTime);
    OverNiteEndTime->setText(doc.OverNiteEndTime);
    DayVisitStrtTime->setText(doc.DayVisitStrtTime);
    DayVisitEndTime->setText(doc.DayVisitEndTime);
}

void MainWindowControls::ShowParentTitles(const CalendarDocument& doc)
{
    NonCustodialTitle->setText(ParentTitleText(doc.NonCustodialName));
    CustodialTitle->setText(ParentTitleText(doc.CustodialName));
    NonCustodialTitle->setToolTip(doc.NonCustodialName);
    CustodialTitle->setToolTip(doc.CustodialName);
}

} // namespace custodex
