#include "app/StartWizard.h"

#include "app/MainWindow.h"
#include "calendar/StartChecks.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace custodex {

namespace {

// The pages' least width; a larger font makes them wrap into more lines, never overlap.
constexpr int PageWidth = 526;
constexpr int PictureWidth = 152;
constexpr int PictureGap = 16;

QLabel* WrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* Page(QStackedWidget* pages, const char* name, const QStringList& lines)
{
    auto* page = new QWidget(pages);
    page->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (const QString& line : lines)
        layout->addWidget(WrappedLabel(line, page));
    pages->addWidget(page);
    return page;
}

QPixmap WizardPicture()
{
    QPixmap picture(152, 112);
    picture.fill(QColor(240, 240, 250));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(26, 14, 100, 84), 6, 6);
    painter.setBrush(QColor(128, 0, 0));
    painter.drawRect(QRectF(26, 14, 100, 18));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(192, 192, 192));
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c)
            painter.drawRect(QRectF(32 + 15 * c, 38 + 14 * r, 12, 11));
    return picture;
}

} // namespace

TTheStartWizard::TTheStartWizard(TQDLMainCalendar& main, Prompter& prompter)
    : QDialog(&main), Main(main), Flow(*this, prompter)
{
    setObjectName(QStringLiteral("TTheStartWizard"));
    setWindowTitle(QStringLiteral("Start Wizard"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);

    auto* picture = new QLabel(this);
    picture->setFixedSize(PictureWidth, 112);
    picture->setPixmap(WizardPicture());
    InfoLabel = WrappedLabel(QString(), this);
    InfoLabel->setObjectName(QStringLiteral("InfoLabel"));
    Pages = new QStackedWidget(this);

    State1Panel = Page(Pages, "State1Panel", {QStringLiteral("Would you like to...")});
    RadioNew = new QRadioButton(QStringLiteral("Start a new Calendar?"), State1Panel);
    RadioOld =
        new QRadioButton(QStringLiteral("Open and work on an existing Calendar?"), State1Panel);
    State1Panel->layout()->addWidget(RadioNew);
    State1Panel->layout()->addWidget(RadioOld);
    static_cast<QVBoxLayout*>(State1Panel->layout())->addStretch();

    State2Panel =
        Page(Pages, "State2Panel",
             {QStringLiteral(
                  "Please enter a name for your new Calendar File then click the \"Next\" button."),
              QStringLiteral(
                  "Choose a meaningful name such as the name of the client and the name of the "
                  "child.  Try to make the name meaningful but reasonably short (30 to 40 "
                  "characters).  You may use upper and lower case characters, numbers, spaces, "
                  "and underscore characters."),
              QStringLiteral("Example:  TheThorntons_For_Billy_Yr2002")});
    WizardClientName = new QLineEdit(State2Panel);
    WizardClientName->setObjectName(QStringLiteral("WizardClientName"));
    State2Panel->layout()->addWidget(WizardClientName);

    State3Panel =
        Page(Pages, "State3Panel",
             {QStringLiteral("Select the year  for this calendar:"),
              QStringLiteral(
                  "You may select a year from the list by clicking on the down arrow, or you may "
                  "enter any year of choice from the year 1000 to the year 2999.")});
    WizardUserYear = new QComboBox(State3Panel);
    WizardUserYear->setObjectName(QStringLiteral("WizardUserYear"));
    WizardUserYear->setEditable(true);
    WizardUserYear->setValidator(NewStartYearValidator(WizardUserYear));
    State3Panel->layout()->addWidget(WizardUserYear);

    State4Panel =
        Page(Pages, "State4Panel",
             {QStringLiteral("Select the month that you want your calendar to begin with:")});
    WizardSelUserMonth = new QComboBox(State4Panel);
    WizardSelUserMonth->setObjectName(QStringLiteral("WizardSelUserMonth"));
    State4Panel->layout()->addWidget(WizardSelUserMonth);
    for (QWidget* page : {State3Panel, State4Panel, State2Panel})
        static_cast<QVBoxLayout*>(page->layout())->addStretch();

    DonePanel = Page(Pages, "DonePanel", {});
    SPL1 = WrappedLabel(QString(), DonePanel);
    SPL2 = WrappedLabel(QString(), DonePanel);
    DonePanel->layout()->addWidget(SPL1);
    DonePanel->layout()->addWidget(SPL2);
    for (const char* line :
         {"(Please read the help file for detailed operating instructions, tutorials, and helpful "
          "hints.)",
          "Select the \"Overnight Stay\" or \"Day Visits\" mode on the Calendar mainform.  You may "
          "then begin "
          "applying \"Lists\" (standard patterns and holidays) by clicking on the mainform "
          "\"Lists\" menu bar "
          "selection.",
          "OR", "You can mark individual days on your calendar by:",
          "1.  Entering a reason into the Calendar mainform \"Reason(s)\" edit box.",
          "2.  Entering start and stop times into the mainform \"Start\" and \"Stop\" edit boxes.",
          "3.  Left click on the day and month of your choice."}) {
        DonePanel->layout()->addWidget(WrappedLabel(QString::fromUtf8(line), DonePanel));
    }
    static_cast<QVBoxLayout*>(DonePanel->layout())->addStretch();

    BackButton = new QPushButton(QStringLiteral("&Back"), this);
    NextButton = new QPushButton(QStringLiteral("&Next"), this);
    NextButton->setDefault(true);
    CloseButton = new QPushButton(QStringLiteral("&Close"), this);
    DisableBox = new QCheckBox(QStringLiteral("Disable the Start Wizard"), this);

    // Laid out rather than placed, so every text wraps to its full height at any font size;
    // the fixed size is the one that holds the tallest page.
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(PictureGap);
    top->addWidget(InfoLabel, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {BackButton, NextButton, CloseButton}) {
        button->setMinimumSize(75, 25);
        buttons->addWidget(button);
        buttons->addSpacing(button == CloseButton ? 0 : 49);
    }
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 4);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(Pages, 1);
    layout->addSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(DisableBox);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(NextButton, &QPushButton::clicked, this, &TTheStartWizard::NextButtonClick);
    connect(BackButton, &QPushButton::clicked, this, &TTheStartWizard::BackButtonClick);
    connect(CloseButton, &QPushButton::clicked, this, &TTheStartWizard::CloseButtonClick);
    connect(DisableBox, &QCheckBox::toggled, this,
            [this](bool checked) { Flow.DisableBoxChanged(checked); });
}

void TTheStartWizard::ShowState()
{
    const WizardState& state = Flow.State();
    QWidget* pages[] = {State1Panel, State2Panel, State3Panel, State4Panel, DonePanel};
    Pages->setCurrentWidget(pages[static_cast<int>(state.Page)]);
    InfoLabel->setText(state.Info);
    BackButton->setEnabled(state.BackEnabled);
    NextButton->setEnabled(state.NextEnabled);
    CloseButton->setText(state.CloseCaption);
    // The second line finishes the first one's sentence: shown as one wrapped paragraph, so
    // the words flow on instead of breaking where the fixed-width original broke them.
    SPL1->setText(state.DoneLine2.isEmpty()
                      ? state.DoneLine1
                      : state.DoneLine1 + QLatin1Char(' ') + state.DoneLine2.trimmed());
    SPL2->setText(state.DoneLine2);
    SPL2->setVisible(false);
    FitPages();
}

void TTheStartWizard::FitPages()
{
    // The pages take the height of the tallest one with its lines wrapped at the pages' width.
    // Set here rather than left to the layout, which before the first showing would size the
    // window differently and resize it again while the window manager frames it.
    // It never shrinks while it shows, so the buttons stay where they are.
    const int wide = std::max(PageWidth, Pages->minimumWidth());
    int tallest = Pages->minimumHeight();
    for (int i = 0; i < Pages->count(); ++i)
        tallest = std::max(tallest, Pages->widget(i)->layout()->totalHeightForWidth(wide));
    Pages->setFixedHeight(tallest);
}

void TTheStartWizard::PlaceTopRight()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - frameGeometry().width() + 1, area.top());
    }
}

void TTheStartWizard::setVisible(bool visible)
{
    // Set up, sized and placed before it shows: a window that changes its size before the
    // window manager has framed it ends up with its title bar above the screen.
    if (visible && !isVisible()) {
        ensurePolished();
        FormShow();
        layout()->activate();
        PlaceTopRight();
    }
    QDialog::setVisible(visible);
}

void TTheStartWizard::FormShow()
{
    // The pages' width grows with the font; the information text takes what the picture leaves.
    const int pagesWidth = std::max(PageWidth, fontMetrics().averageCharWidth() * 72);
    Pages->setFixedWidth(pagesWidth);
    Pages->setMinimumHeight(0);
    InfoLabel->setFixedWidth(pagesWidth - PictureWidth - PictureGap);
    RadioNew->setChecked(true);
    WizardUserYear->clear();
    for (int i = 0; i < Main.UserYear->count(); ++i)
        WizardUserYear->addItem(Main.UserYear->itemText(i));
    WizardUserYear->setCurrentText(Main.UserYear->currentText());
    WizardSelUserMonth->clear();
    for (int i = 0; i < Main.SelUserMonth->count(); ++i)
        WizardSelUserMonth->addItem(Main.SelUserMonth->itemText(i));
    WizardSelUserMonth->setCurrentText(Main.SelUserMonth->currentText());
    Flow.Begin(Main.UserYear->currentText(), Main.SelUserMonth->currentText());
    ShowState();
}

void TTheStartWizard::NextButtonClick()
{
    WizardEntries entries{RadioNew->isChecked(), WizardClientName->text(),
                          WizardUserYear->currentText(), WizardSelUserMonth->currentText()};
    const WizardFocus focus = Flow.Next(entries);
    WizardClientName->setText(entries.ClientName);
    ShowState();
    switch (focus) {
    case WizardFocus::ClientName:
        WizardClientName->setFocus();
        break;
    case WizardFocus::Year:
        WizardUserYear->setFocus();
        break;
    case WizardFocus::Month:
        WizardSelUserMonth->setFocus();
        break;
    case WizardFocus::None:
        break;
    }
}

void TTheStartWizard::BackButtonClick()
{
    Flow.Back();
    ShowState();
}

void TTheStartWizard::CloseButtonClick()
{
    const bool start = Flow.CloseStartsCalendar();
    accept();
    if (start)
        Main.StartCalendar();
}

bool TTheStartWizard::OpenCalendar()
{
    Main.OpenCalendarClick();
    return !Main.ClientName->text().isEmpty();
}

void TTheStartWizard::SetClientName(const QString& name)
{
    Main.ClientName->setText(name);
    Main.Document().ClientName = name;
}

void TTheStartWizard::SetYearText(const QString& year)
{
    Main.UserYear->setCurrentText(year);
}

void TTheStartWizard::SetMonthText(const QString& month)
{
    Main.SelUserMonth->setCurrentText(month);
}

bool TTheStartWizard::WizardSwitchOn() const
{
    return Main.Settings().Wizard;
}

void TTheStartWizard::ToggleWizardSwitch()
{
    Main.ToggleStartWizardClick();
}

} // namespace custodex
