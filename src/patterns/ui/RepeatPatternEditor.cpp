#include "patterns/ui/RepeatPatternEditor.h"

#include "calendar/ui/TimeEntryDialog.h"
#include "platform/Prompter.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace custodex {

namespace {

QPushButton* Button(QWidget* parent, const QString& caption, const char* name, const QString& tip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    button->setToolTip(tip);
    return button;
}

QLabel* Text(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

TMakeRepeatPattern::TMakeRepeatPattern(Prompter& prompter, QWidget* parent)
    : QDialog(parent), Messages(prompter)
{
    setObjectName(QStringLiteral("TMakeRepeatPattern"));
    setWindowTitle(QStringLiteral("Add/Modify a Custom Repeat Pattern"));

    auto* heading = new QLabel(
        QStringLiteral("Add/Modify a Custom Repeat Pattern of  Overnight Stays  or Day Visits "),
        this);
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    heading->setFont(bold);
    auto* howTo = Text(this, QStringLiteral("To build a pattern enter a \"D\" for a Day Visit, an "
                                            "\"O\" for an Overnight Stay, and an \"N\" for "
                                            "neither a Day Visit or Overnight Stay."));
    auto* example = Text(this, QStringLiteral("Example:  Two Overnights, followed by no visit, "
                                              "followed by three day visits would be") +
                                   QStringLiteral("\n") + QStringLiteral("entered as OONDDD"));

    PatternName = new QLineEdit(this);
    PatternName->setObjectName(QStringLiteral("PatternName"));
    // The name becomes the reason of the marks, which holds 80 characters.
    PatternName->setMaxLength(RepeatPatternNameCapacity);
    PatternName->setToolTip(QStringLiteral("The name also becomes the reason of the days the "
                                           "pattern marks"));
    // The caret line under the letters lines up with them only in a fixed-pitch font.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    UserPattrn = new QLineEdit(this);
    UserPattrn->setObjectName(QStringLiteral("UserPattrn"));
    UserPattrn->setFont(fixed);
    UserPattrn->setToolTip(QStringLiteral("O = overnight stay, D = day visit, N = neither; the "
                                          "letters repeat day after day"));
    ErrorLbl = new QLabel(this);
    ErrorLbl->setObjectName(QStringLiteral("ErrorLbl"));
    ErrorLbl->setFont(fixed);
    ErrorLbl->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    auto* nameLabel = new QLabel(QStringLiteral("Enter a &Name for this Pattern:"), this);
    nameLabel->setBuddy(PatternName);
    auto* lettersLabel = new QLabel(QStringLiteral("Enter Your &Repeat Pattern:"), this);
    lettersLabel->setBuddy(UserPattrn);
    AcceptBtn = new QPushButton(QStringLiteral("&Accept and Add to Custom Pattern List"), this);
    AcceptBtn->setObjectName(QStringLiteral("AcceptBtn"));
    AcceptBtn->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(PatternName, 0, 1);
    fields->addWidget(lettersLabel, 1, 0);
    fields->addWidget(UserPattrn, 1, 1);
    fields->addWidget(ErrorLbl, 2, 1);
    fields->setColumnStretch(1, 1);

    auto* listBox = new QGroupBox(QStringLiteral("Custom Pattern List"), this);
    PatsList = new QListWidget(listBox);
    PatsList->setObjectName(QStringLiteral("PatsList"));
    PatsList->setFont(fixed);
    PatsList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    PatsList->setMinimumHeight(PatsList->fontMetrics().height() * 8);
    BitBtn3 = Button(listBox, QStringLiteral("&Modify"), "BitBtn3",
                     QStringLiteral("Take the chosen pattern out of the list to change it"));
    BitBtn5 = Button(listBox, QStringLiteral("&Delete"), "BitBtn5",
                     QStringLiteral("Delete the chosen pattern from the file at once"));
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(BitBtn3);
    listButtons->addWidget(BitBtn5);
    listButtons->addStretch();
    auto* listRow = new QHBoxLayout(listBox);
    listRow->addWidget(PatsList, 1);
    listRow->addLayout(listButtons);

    SaveAndClose = Button(this, QStringLiteral("&Save/Close"), "SaveAndClose",
                          QStringLiteral("Write the list to the pattern file and close"));
    BitBtn4 = Button(this, QStringLiteral("&Cancel"), "BitBtn4",
                     QStringLiteral("Close without writing the list"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SaveAndClose);
    buttons->addWidget(BitBtn4);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(howTo);
    layout->addWidget(example);
    layout->addLayout(fields);
    layout->addWidget(AcceptBtn, 0, Qt::AlignLeft);
    layout->addWidget(listBox, 1);
    layout->addLayout(buttons);
    setMinimumWidth(heading->sizeHint().width() + 40);
    FitCaption(this, heading);

    QWidget* order[] = {PatternName, UserPattrn, AcceptBtn,    PatsList,
                        BitBtn3,     BitBtn5,    SaveAndClose, BitBtn4};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(PatternName, &QLineEdit::textEdited, this, &TMakeRepeatPattern::NameEdited);
    connect(AcceptBtn, &QPushButton::clicked, this, &TMakeRepeatPattern::AcceptBtnClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TMakeRepeatPattern::BitBtn3Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TMakeRepeatPattern::BitBtn5Click);
    connect(SaveAndClose, &QPushButton::clicked, this, &TMakeRepeatPattern::SaveAndCloseClick);
    connect(BitBtn4, &QPushButton::clicked, this, &TMakeRepeatPattern::BitBtn4Click);
}

bool TMakeRepeatPattern::Execute(const QString& clientFolder)
{
    Folder = clientFolder;
    OpenRepeatPatternEditor(Editor, clientFolder);
    ErrorLbl->clear();
    PatternName->clear();
    UserPattrn->clear();
    ShowList();
    PatternName->setFocus();
    return exec() == QDialog::Accepted;
}

void TMakeRepeatPattern::ShowList()
{
    PatsList->clear();
    PatsList->addItems(Editor.Items);
}

int TMakeRepeatPattern::ChosenItem() const
{
    const QList<QListWidgetItem*> chosen = PatsList->selectedItems();
    if (!chosen.isEmpty())
        return PatsList->row(chosen.first());
    return PatsList->currentRow();
}

void TMakeRepeatPattern::NameEdited(const QString& text)
{
    QString kept = text;
    const QStringList messages = TypedNameRules(kept);
    if (kept != text)
        PatternName->setText(kept);
    for (const QString& message : messages)
        Messages.Ask(message.startsWith(QStringLiteral("Stop!")) ? PromptKind::Information
                                                                 : PromptKind::Error,
                     message, PromptButtons::Ok);
}

void TMakeRepeatPattern::AcceptBtnClick()
{
    const AcceptResult result = AcceptRepeatPattern(
        Editor, PatternName->text(), UserPattrn->text(), Messages,
        [this](const RepeatLettersCheck& check) {
            UserPattrn->setText(check.Letters);
            // The carets stand under the letters: indented as far as the
            // field's first character (a line edit keeps 2 pixels between
            // its frame and its text).
            ErrorLbl->setIndent(UserPattrn->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2 +
                                UserPattrn->textMargins().left());
            ErrorLbl->setText(check.Carets);
        });
    if (result.Focus == EditorFocus::Name)
        PatternName->setFocus();
    else if (result.Focus == EditorFocus::Letters)
        UserPattrn->setFocus();
    if (!result.Added)
        return;
    ShowList();
    PatsList->scrollToBottom();
    PatternName->clear();
    UserPattrn->clear();
    ErrorLbl->clear();
    PatternName->setFocus();
}

void TMakeRepeatPattern::BitBtn3Click()
{
    const std::optional<RepeatPattern> taken = ModifyRepeatPattern(Editor, ChosenItem(), Messages);
    if (!taken)
        return;
    PatternName->setText(taken->Name);
    UserPattrn->setText(taken->Letters);
    ErrorLbl->clear();
    ShowList();
    UserPattrn->setFocus();
}

void TMakeRepeatPattern::BitBtn5Click()
{
    if (DeleteRepeatPattern(Editor, ChosenItem(), Messages))
        ShowList();
}

void TMakeRepeatPattern::SaveAndCloseClick()
{
    if (SaveRepeatPatterns(Editor, Folder, Messages))
        QDialog::accept();
}

void TMakeRepeatPattern::BitBtn4Click()
{
    if (CancelRepeatPatternEditor(Editor, Messages))
        QDialog::reject();
}

void TMakeRepeatPattern::reject()
{
    // Escape works like the Cancel button.
    BitBtn4Click();
}

void TMakeRepeatPattern::closeEvent(QCloseEvent* event)
{
    if (!CloseRepeatPatternEditor(Editor, Messages)) {
        event->ignore();
        return;
    }
    QDialog::reject();
    event->accept();
}

} // namespace custodex
