#include "holidays/ui/HolidayDialog.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace custodex {

namespace {

// A heading line or a holiday row of one column of the holiday box.
struct LayoutItem {
    QString Heading; // empty for a row
    int Row = 0;
};
using Column = std::vector<LayoutItem>;

LayoutItem Heading(const char* text)
{
    return {QString::fromLatin1(text), 0};
}

void AddRows(Column& column, int first, int last)
{
    for (int number = first; number <= last; ++number)
        column.push_back({QString(), number});
}

// How each country's rows are grouped on the page; rows not placed are never shown.
std::vector<Column> ColumnsOf(const HolidayCountry& country)
{
    std::vector<Column> columns;
    if (country.FormClass == QLatin1String("TCanadianHolidays")) {
        Column left{Heading("Canadian National Level Holidays")};
        AddRows(left, 1, 12);
        left.push_back(Heading("Alberta"));
        AddRows(left, 13, 14);
        left.push_back(Heading("British Columbia"));
        AddRows(left, 15, 15);
        left.push_back(Heading("Manitoba"));
        AddRows(left, 16, 16);
        Column right;
        const char* provinces[] = {"New Brunswick", "Newfoundland", "Northwest Territories",
                                   "Nova Scotia",   "Ontario",      "Prince Edward Island",
                                   "Quebec",        "Saskatchewan", "Yukon"};
        int number = 17;
        for (const char* province : provinces) {
            right.push_back(Heading(province));
            AddRows(right, number, number);
            ++number;
        }
        columns = {left, right};
    }
    else if (country.FormClass == QLatin1String("TUnitedKingdom")) {
        Column left{Heading("United Kingdom National Holidays")};
        AddRows(left, 1, 22);
        Column right{Heading("Ireland")};
        AddRows(right, 23, 24);
        right.push_back(Heading("Scotland"));
        AddRows(right, 25, 26);
        columns = {left, right};
    }
    else {
        Column only;
        AddRows(only, 1, static_cast<int>(country.Rows.size()));
        columns = {only};
    }
    return columns;
}

QString TimeFieldPrompt(const QString& caption, bool pickup)
{
    return (pickup ? QStringLiteral("Set Start Time for ") : QStringLiteral("Set End Time for ")) +
           caption;
}

} // namespace

THolidayDialog::THolidayDialog(const HolidayCountry& country, Prompter& prompter, TUserClock& clock,
                               std::function<void()> preview, std::function<void()> redraw,
                               QWidget* parent)
    : QDialog(parent), Country(country), Messages(prompter), Clock(clock),
      Preview(std::move(preview)), Redraw(std::move(redraw))
{
    setObjectName(country.FormClass);
    setWindowTitle(country.DesignCaption);
    setModal(true);

    Pages = new QTabBar(this);
    Pages->setObjectName(QStringLiteral("Pages"));
    Pages->addTab(QString());
    Pages->addTab(QString());
    Pages->setExpanding(false);
    connect(Pages, &QTabBar::currentChanged, this, &THolidayDialog::PageChanged);

    HolidayBox = new QGroupBox(this);
    HolidayBox->setObjectName(QStringLiteral("HolidayBox"));
    BuildRows();

    SaveCloseBtn = new QPushButton(QStringLiteral("&Save/Close"), this);
    SaveCloseBtn->setObjectName(QStringLiteral("SaveCloseBtn"));
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    connect(SaveCloseBtn, &QPushButton::clicked, this, &THolidayDialog::SaveCloseClick);
    connect(CancelBtn, &QPushButton::clicked, this, &THolidayDialog::CancelClick);

    // Long lists scroll rather than run off a small screen.
    Scroller = new QScrollArea(this);
    Scroller->setObjectName(QStringLiteral("HolidayScroller"));
    Scroller->setWidget(HolidayBox);
    Scroller->setWidgetResizable(true);
    Scroller->setFrameShape(QFrame::NoFrame);
    Scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(SaveCloseBtn);
    buttons->addWidget(CancelBtn);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(6);
    layout->addWidget(Pages);
    layout->addWidget(Scroller, 1);
    layout->addLayout(buttons);
}

void THolidayDialog::BuildRows()
{
    Rows.resize(Country.Rows.size());
    const std::vector<Column> columns = ColumnsOf(Country);
    auto* boxLayout = new QVBoxLayout(HolidayBox);
    auto* columnsLayout = new QHBoxLayout;
    columnsLayout->setSpacing(8);

    SelectedYearLabel = new QLabel(HolidayBox);
    SelectedYearLabel->setObjectName(QStringLiteral("SelectedYear"));
    QFont bold = SelectedYearLabel->font();
    bold.setBold(true);
    SelectedYearLabel->setFont(bold);
    boxLayout->addWidget(SelectedYearLabel);
    boxLayout->addLayout(columnsLayout);

    // Each column lays out its own lines, so a heading in one does not stretch the other.
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) {
            auto* separator = new QFrame(HolidayBox);
            separator->setFrameShape(QFrame::VLine);
            separator->setFrameShadow(QFrame::Sunken);
            columnsLayout->addWidget(separator);
        }
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(3);
        columnsLayout->addLayout(grid);
        constexpr int base = 0;
        int line = 0;
        const char* labels[] = {"Pickup Time", "Dropoff Time", "No-Nap"};
        for (int k = 0; k < 3; ++k) {
            auto* label = new QLabel(QString::fromLatin1(labels[k]), HolidayBox);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            grid->addWidget(label, line, base + 1 + k);
        }
        ++line;
        for (const LayoutItem& item : columns[c]) {
            if (!item.Heading.isEmpty()) {
                auto* heading = new QLabel(item.Heading, HolidayBox);
                QFont font = heading->font();
                font.setBold(true);
                font.setUnderline(true);
                heading->setFont(font);
                grid->addWidget(heading, line++, base, 1, 4);
                continue;
            }
            const HolidayDefinition& holiday =
                Country.Rows.at(static_cast<std::size_t>(item.Row - 1));
            RowControls& row = Rows.at(static_cast<std::size_t>(item.Row - 1));
            row.Box = new QCheckBox(holiday.Caption, HolidayBox);
            row.Box->setObjectName(holiday.CheckBoxName);
            row.Box->setToolTip(holiday.Hint);
            auto makeField = [this, &holiday, number = item.Row](const QString& name, bool pickup) {
                auto* field = new QLineEdit(NoTimeText, HolidayBox);
                field->setObjectName(name);
                field->setReadOnly(true);
                field->setAlignment(Qt::AlignCenter);
                field->setFixedWidth(
                    field->fontMetrics().horizontalAdvance(QStringLiteral("00:00PMM")) + 16);
                field->setToolTip(TimeFieldPrompt(holiday.Caption, pickup));
                field->setProperty("holidayRow", number);
                field->setProperty("pickup", pickup);
                field->installEventFilter(this);
                return field;
            };
            row.Pickup = makeField(holiday.PickupFieldName(), true);
            row.Dropoff = makeField(holiday.DropoffFieldName(), false);
            row.NoNap = new QCheckBox(HolidayBox);
            row.NoNap->setObjectName(holiday.NoNapBoxName());
            row.NoNap->setToolTip(QStringLiteral("No nap during this holiday"));
            grid->addWidget(row.Box, line, base);
            grid->addWidget(row.Pickup, line, base + 1);
            grid->addWidget(row.Dropoff, line, base + 2);
            grid->addWidget(row.NoNap, line, base + 3, Qt::AlignHCenter);
            ++line;
            connect(row.Box, &QCheckBox::toggled, this, [this, number = item.Row](bool ticked) {
                if (Opened)
                    ShowRowLiveness(number, ticked);
            });
        }
        grid->setRowStretch(line, 1);
    }
    // Rows that no column places exist for scanning and Apply only.
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        RowControls& row = Rows[i];
        if (row.Box)
            continue;
        const HolidayDefinition& holiday = Country.Rows[i];
        row.Box = new QCheckBox(holiday.Caption, HolidayBox);
        row.Box->setObjectName(holiday.CheckBoxName);
        row.Pickup = new QLineEdit(NoTimeText, HolidayBox);
        row.Pickup->setObjectName(holiday.PickupFieldName());
        row.Pickup->setReadOnly(true);
        row.Dropoff = new QLineEdit(NoTimeText, HolidayBox);
        row.Dropoff->setObjectName(holiday.DropoffFieldName());
        row.Dropoff->setReadOnly(true);
        row.NoNap = new QCheckBox(HolidayBox);
        row.NoNap->setObjectName(holiday.NoNapBoxName());
        for (QWidget* w : {static_cast<QWidget*>(row.Box), static_cast<QWidget*>(row.Pickup),
                           static_cast<QWidget*>(row.Dropoff), static_cast<QWidget*>(row.NoNap)})
            w->hide();
    }

    ApplyBtn = new QPushButton(QStringLiteral("&Apply"), HolidayBox);
    ApplyBtn->setObjectName(QStringLiteral("ApplyBtn"));
    PreviewBtn = new QPushButton(QStringLiteral("&Preview"), HolidayBox);
    PreviewBtn->setObjectName(QStringLiteral("PreviewBtn"));
    ApplyBtn->setToolTip(QStringLiteral("Mark the ticked holidays and remove the unticked ones"));
    PreviewBtn->setToolTip(QStringLiteral("Show the calendar as applied so far"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(12);
    buttons->addStretch(1);
    buttons->addWidget(ApplyBtn);
    buttons->addWidget(PreviewBtn);
    buttons->addStretch(1);
    boxLayout->addSpacing(8);
    boxLayout->addLayout(buttons);
    boxLayout->addStretch(1);
    connect(ApplyBtn, &QPushButton::clicked, this, &THolidayDialog::ApplyClick);
    connect(PreviewBtn, &QPushButton::clicked, this, [this] {
        if (Preview)
            Preview();
    });
    ApplyBtn->setDefault(true);
}

bool THolidayDialog::Execute(CalendarDocument& doc, ListKind kind)
{
    Doc = &doc;
    Dialog = OpenHolidayDialog(doc, Country, kind);
    {
        const QSignalBlocker blocker(Pages);
        Pages->setTabText(0, HolidayTabCaption(doc, false));
        Pages->setTabText(1, HolidayTabCaption(doc, true));
        Pages->setCurrentIndex(0);
    }
    SelectedYearLabel->setText(HolidaySelectedYearLabel(doc, false, true));
    setWindowTitle(HolidayWindowCaption(kind));
    Opened = true;
    ShowRows();
    FitToContents();
    Scroller->verticalScrollBar()->setValue(0);
    const int result = exec();
    Opened = false;
    Doc = nullptr;
    return result == QDialog::Accepted;
}

void THolidayDialog::FitToContents()
{
    // As large as the rows need, never larger than the screen.
    HolidayBox->adjustSize();
    const QSize content = HolidayBox->sizeHint();
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect available = shown ? shown->availableGeometry() : QRect(0, 0, 1280, 1024);
    const QMargins margins = layout()->contentsMargins();
    const int chrome = Pages->sizeHint().height() + SaveCloseBtn->sizeHint().height() +
                       2 * layout()->spacing() + margins.top() + margins.bottom();
    const int scrollBar = Scroller->verticalScrollBar()->sizeHint().width();
    const int width = std::min(available.width() - 20,
                               content.width() + margins.left() + margins.right() + scrollBar);
    const int height = std::min(available.height() - 60, content.height() + chrome + 4);
    resize(width, height);
    move(available.left() + (available.width() - width) / 2,
         available.top() + std::max(0, (available.height() - height) / 2 - 20));
}

void THolidayDialog::PageChanged(int page)
{
    if (!Doc)
        return;
    const bool second = page == 1;
    SwitchHolidayPage(*Doc, Dialog, second);
    SelectedYearLabel->setText(HolidaySelectedYearLabel(*Doc, second, false));
    ShowRows();
}

void THolidayDialog::ShowRows()
{
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const RowControls& row = Rows[i];
        const HolidayRowState& state = Dialog.Rows.at(i);
        {
            const QSignalBlocker blocker(row.Box);
            row.Box->setChecked(state.Ticked);
        }
        row.Pickup->setText(state.Pickup);
        row.Dropoff->setText(state.Dropoff);
        row.NoNap->setChecked(state.NoNap);
        ShowRowLiveness(static_cast<int>(i) + 1, state.FieldsWhite);
        row.NoNap->setEnabled(state.NoNapEnabled);
        const bool visible = state.Visible && !Country.Rows[i].NeverShown;
        for (QWidget* w : {static_cast<QWidget*>(row.Box), static_cast<QWidget*>(row.Pickup),
                           static_cast<QWidget*>(row.Dropoff), static_cast<QWidget*>(row.NoNap)})
            w->setVisible(visible);
    }
}

void THolidayDialog::ShowRowLiveness(int number, bool live)
{
    const RowControls& row = Row(number);
    for (QLineEdit* field : {row.Pickup, row.Dropoff}) {
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base, live ? palette().color(QPalette::Base)
                                              : palette().color(QPalette::Button));
        field->setPalette(colours);
        field->setFocusPolicy(live ? Qt::StrongFocus : Qt::NoFocus);
    }
    row.NoNap->setEnabled(live);
    row.NoNap->setFocusPolicy(live ? Qt::StrongFocus : Qt::NoFocus);
}

void THolidayDialog::ReadRows()
{
    for (std::size_t i = 0; i < Rows.size(); ++i) {
        const RowControls& row = Rows[i];
        HolidayRowState& state = Dialog.Rows.at(i);
        state.Ticked = row.Box->isChecked();
        state.Pickup = row.Pickup->text();
        state.Dropoff = row.Dropoff->text();
        state.NoNap = row.NoNap->isChecked();
    }
}

void THolidayDialog::ApplyClick()
{
    if (!Doc)
        return;
    ReadRows();
    PrompterOverwriteQuestions questions(Messages);
    const HolidayApplyResult result = ApplyHolidays(*Doc, Dialog, questions);
    if (!result.Applied) {
        if (result.FocusRow > 0) {
            QLineEdit* field = Row(result.FocusRow).Pickup;
            Scroller->ensureWidgetVisible(field);
            field->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    ShowRows();
    if (Redraw)
        Redraw();
}

void THolidayDialog::TimeFieldClick(int number, bool pickup)
{
    const RowControls& row = Row(number);
    if (!Doc || !row.Box->isChecked())
        return;
    QLineEdit* field = pickup ? row.Pickup : row.Dropoff;
    const QString caption = Country.Rows.at(static_cast<std::size_t>(number - 1)).Caption;
    QString text = field->text();
    // Just below the field, moved up as far as the screen needs.
    const QPoint anchor = field->mapToGlobal(QPoint(0, 25));
    if (Clock.Execute(*Doc, TimeFieldPrompt(caption, pickup), text, &anchor))
        field->setText(text);
    ShowRowLiveness(number, true);
    field->setFocus(Qt::OtherFocusReason);
}

void THolidayDialog::SaveCloseClick()
{
    if (!Doc)
        return;
    RecountCounters(*Doc);
    Dialog.NothingPending = true;
    Closing = true;
    done(QDialog::Accepted);
    Closing = false;
}

void THolidayDialog::CancelClick()
{
    if (!Dialog.NothingPending &&
        Messages.Ask(PromptKind::Warning,
                     QStringLiteral("Warning!  If you cancel you will lose all changes!\n\rAre "
                                    "you sure you want to cancel?"),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    Dialog.NothingPending = true;
    Closing = true;
    done(QDialog::Rejected);
    Closing = false;
}

void THolidayDialog::reject()
{
    // Escape is the Cancel button.
    if (Closing)
        QDialog::reject();
    else
        CancelClick();
}

void THolidayDialog::closeEvent(QCloseEvent* event)
{
    if (Closing || !isVisible()) {
        event->accept();
        return;
    }
    if (!Dialog.NothingPending) {
        if (Messages.Ask(PromptKind::Confirmation,
                         QStringLiteral("Closing now will cause all changes to be "
                                        "lost!\n\rClose anyway?"),
                         PromptButtons::YesNo) != PromptAnswer::Yes) {
            Messages.Ask(PromptKind::Information,
                         QStringLiteral("Please use the \"Save/Close\" button\n\rto save your "
                                        "changes and close."),
                         PromptButtons::Ok);
            event->ignore();
            return;
        }
    }
    Closing = true;
    done(QDialog::Rejected);
    Closing = false;
    event->accept();
}

bool THolidayDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && field->property("holidayRow").isValid()) {
        const int number = field->property("holidayRow").toInt();
        const bool pickup = field->property("pickup").toBool();
        if (event->type() == QEvent::MouseButtonPress) {
            TimeFieldClick(number, pickup);
            return true;
        }
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space ||
                key == Qt::Key_F4) {
                TimeFieldClick(number, pickup);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace custodex
