#include "entry/ui/DayEditorDialog.h"

#include "calendar/ui/TimeFieldKeys.h"

#include "calendar/CalendarModel.h"
#include "calendar/ui/DialogParts.h"
#include "calendar/ui/TimeEntryDialog.h"
#include "platform/HelpService.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace custodex {

namespace {

QLineEdit* TimeField(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setReadOnly(true);
    edit->setFixedWidth(80);
    edit->setToolTip(QStringLiteral("Click to set the time"));
    return edit;
}

QToolButton* Clicker(QWidget* parent, const char* name)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(QStringLiteral("..."));
    return button;
}

} // namespace

TSetAONDay::TSetAONDay(Prompter& prompter, HelpService& help, TUserClock& clock, QWidget* parent)
    : QDialog(parent), Messages(prompter), Help(help), Clock(clock)
{
    setObjectName(QStringLiteral("TSetAONDay"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setModal(true);

    ReasonLbl1 = new QLabel(this);
    ReasonLbl1->setObjectName(QStringLiteral("ReasonLbl1"));
    QFont headingFont = ReasonLbl1->font();
    headingFont.setBold(true);
    ReasonLbl1->setFont(headingFont);

    EditReason = new QComboBox(this);
    EditReason->setObjectName(QStringLiteral("EditReason"));
    EditReason->setEditable(true);
    EditReason->setInsertPolicy(QComboBox::NoInsert);
    EditReason->setMinimumWidth(360);
    EditReason->lineEdit()->setMaxLength(TypedReasonCapacity + 1);
    auto* reasonLabel = new QLabel(QStringLiteral("&Reason:"), this);
    reasonLabel->setBuddy(EditReason);

    StrtTime = TimeField(this, "StrtTime");
    Clicker1 = Clicker(this, "Clicker1");
    EndTime = TimeField(this, "EndTime");
    Clicker2 = Clicker(this, "Clicker2");
    auto* pickupLabel = new QLabel(QStringLiteral("&Pickup Time:"), this);
    pickupLabel->setBuddy(StrtTime);
    auto* dropoffLabel = new QLabel(QStringLiteral("&Dropoff Time:"), this);
    dropoffLabel->setBuddy(EndTime);
    Clicker1->setAccessibleName(QStringLiteral("Set Pickup Time"));
    Clicker2->setAccessibleName(QStringLiteral("Set Dropoff Time"));

    ONNoNap = new QCheckBox(this);
    ONNoNap->setObjectName(QStringLiteral("ONNoNap"));

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn3 = new QPushButton(QStringLiteral("Help"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(reasonLabel, 0, 0);
    grid->addWidget(EditReason, 0, 1, 1, 4);
    grid->addWidget(pickupLabel, 1, 0);
    grid->addWidget(StrtTime, 1, 1);
    grid->addWidget(Clicker1, 1, 2);
    grid->addWidget(dropoffLabel, 1, 3, Qt::AlignRight);
    auto* endRow = new QHBoxLayout;
    endRow->addWidget(EndTime);
    endRow->addWidget(Clicker2);
    grid->addLayout(endRow, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ReasonLbl1);
    layout->addLayout(grid);
    layout->addWidget(ONNoNap);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(EditReason, &QComboBox::editTextChanged, this, &TSetAONDay::EditReasonChange);
    connect(Clicker1, &QToolButton::clicked, this, [this] { EditTime(true); });
    connect(Clicker2, &QToolButton::clicked, this, [this] { EditTime(false); });
    connect(BitBtn1, &QPushButton::clicked, this, &TSetAONDay::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, [this] {
        Help.ShowHelpTopic(this,
                           Context.OvernightMode ? HelpDayEditorOvernight : HelpDayEditorDayVisit);
    });
    connect(ONNoNap, &QCheckBox::toggled, this, [this] {
        if (!Filling)
            Context.Changed = true;
    });
    StrtTime->installEventFilter(this);
    EndTime->installEventFilter(this);
    EditReason->installEventFilter(this);
    EditReason->lineEdit()->installEventFilter(this);

    NameComboEditFields(*this);
    OpenTimeEntryOnKeys(StrtTime, [this] { EditTime(true); });
    OpenTimeEntryOnKeys(EndTime, [this] { EditTime(false); });
    // Reading order: each time field, then its button.
    setTabOrder(EditReason, StrtTime);
    setTabOrder(StrtTime, Clicker1);
    setTabOrder(Clicker1, EndTime);
    setTabOrder(EndTime, Clicker2);
    setTabOrder(Clicker2, ONNoNap);
    setTabOrder(ONNoNap, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn3);
}

bool TSetAONDay::Execute(CalendarDocument& doc, const QString& caption, const QString& heading,
                         const QStringList& reasonItems, bool overnightMode, int dayIndex,
                         DayEditorEntry& entry, const QRect& cellOnScreen)
{
    Doc = &doc;
    Filling = true;
    RetitleWindow(*this, caption);
    ReasonLbl1->setText(heading);
    EditReason->clear();
    EditReason->addItems(reasonItems);
    // No list item is chosen: the shown reason is the caller's, whatever the list holds.
    EditReason->setCurrentIndex(-1);
    EditReason->setEditText(entry.Reason);
    StrtTime->setText(entry.Start.isEmpty() ? doc.OverNiteStrtTime : entry.Start);
    EndTime->setText(entry.End.isEmpty() ? doc.OverNiteEndTime : entry.End);
    ONNoNap->setChecked(entry.NoNap);
    ONNoNap->setText(
        overnightMode
            ? QStringLiteral("(Check if child will NOT be taking a nap during this overnight)")
            : QStringLiteral("(Check if child will NOT be taking a nap during this Day Visit)"));
    Context = {};
    Context.DayIndex = dayIndex;
    Context.OvernightMode = overnightMode;
    Context.RememberedReason = entry.Reason.isEmpty() ? BlankReason : entry.Reason;
    Filling = false;

    adjustSize();
    const QSize size = sizeHint();
    KeepOnScreen(this, QPoint(cellOnScreen.center().x() - size.width() / 2,
                              cellOnScreen.top() - size.height() - 30));
    EditReason->setFocus();
    EditReason->lineEdit()->selectAll();
    const bool accepted = exec() == QDialog::Accepted;
    if (accepted) {
        entry.Reason = EditReason->currentText();
        if (entry.Reason.isEmpty())
            entry.Reason = BlankReason;
        entry.Start = StrtTime->text();
        entry.End = EndTime->text();
        entry.NoNap = ONNoNap->isChecked();
    }
    Doc = nullptr;
    return accepted;
}

void TSetAONDay::EditTime(bool pickup)
{
    if (!Doc)
        return;
    QLineEdit* field = pickup ? StrtTime : EndTime;
    QString text = field->text();
    const QPoint anchor = field->mapToGlobal(QPoint(0, field->height()));
    if (Clock.Execute(*Doc,
                      pickup ? QStringLiteral("Set Today's Pickup Time")
                             : QStringLiteral("Set Today's Dropoff Time"),
                      text, &anchor)) {
        if (text != field->text())
            Context.Changed = true;
        field->setText(text);
    }
    Doc->DistributionStale = true; // whether OK or Cancel
}

bool TSetAONDay::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the reason box means OK with the reason shown; the combo box would otherwise
    // take it and put a list item in its place. The keys reach the combo box, which holds the
    // focus for its line edit, or the line edit itself.
    if (event->type() == QEvent::KeyPress &&
        (watched == EditReason || watched == EditReason->lineEdit())) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BitBtn1Click();
            return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && (watched == StrtTime || watched == EndTime)) {
        EditTime(watched == StrtTime);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TSetAONDay::changeEvent(QEvent* event)
{
    // The caption the month view gives ("Modifying a Day Visit.") reads in full.
    if (event->type() == QEvent::WindowTitleChange && ReasonLbl1)
        FitCaption(this, ReasonLbl1);
    QDialog::changeEvent(event);
}

void TSetAONDay::EditReasonChange(const QString& text)
{
    if (Filling)
        return;
    const ReasonTextCheck check = CheckTypedReason(text);
    if (check.Text != text) {
        Filling = true;
        EditReason->setEditText(check.Text);
        Filling = false;
    }
    if (!check.Message.isEmpty())
        Messages.Ask(check.IsError ? PromptKind::Error : PromptKind::Information, check.Message,
                     PromptButtons::Ok);
}

void TSetAONDay::BitBtn1Click()
{
    if (!Doc)
        return;
    DayEditorEntry entry{EditReason->currentText(), StrtTime->text(), EndTime->text(),
                         ONNoNap->isChecked()};
    if (DayEditorAccept(*Doc, Context, entry, Messages)) {
        Filling = true;
        EditReason->setEditText(entry.Reason);
        Filling = false;
        accept();
    }
}

} // namespace custodex
