#include "platform/MessageBoxPrompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

namespace custodex {

namespace {

// A Yes/No question must be answered: Qt would take Escape or the close button as No, and
// "Save Pending Changes?" answered No by a stray Escape quits without saving.
class QuestionBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;
    bool MustAnswer = false;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (MustAnswer && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        if (MustAnswer) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }
};

} // namespace

QString MessageBoxPrompter::DisplayText(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

PromptAnswer MessageBoxPrompter::Ask(PromptKind kind, const QString& text, PromptButtons buttons)
{
    QuestionBox box(Parent);
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setText(DisplayText(text));
    switch (kind) {
    case PromptKind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case PromptKind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case PromptKind::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case PromptKind::Confirmation:
        box.setIcon(QMessageBox::Question);
        break;
    }
    QPushButton* yesToAll = nullptr;
    QPushButton* noToAll = nullptr;
    switch (buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case PromptButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.MustAnswer = true;
        box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case PromptButtons::YesCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
        break;
    case PromptButtons::YesYesToAllNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        yesToAll = box.addButton(QStringLiteral("Yes to &All"), QMessageBox::YesRole);
        break;
    case PromptButtons::YesYesToAllNoNoToAllCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        yesToAll = box.addButton(QStringLiteral("Yes to &All"), QMessageBox::YesRole);
        noToAll = box.addButton(QStringLiteral("N&o to All"), QMessageBox::NoRole);
        break;
    case PromptButtons::Retry:
        box.setStandardButtons(QMessageBox::Retry);
        break;
    case PromptButtons::Cancel:
        box.setStandardButtons(QMessageBox::Cancel);
        break;
    case PromptButtons::Abort:
        box.setStandardButtons(QMessageBox::Abort);
        break;
    }
    // Qt sizes a box to its text and buttons, so a short question ("Save Pending Changes?")
    // showed its title cut short; the box is made wide enough for the title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont bold = box.font();
        bold.setBold(true);
        constexpr int TitleBarButtons = 140; // the window icon, its buttons and the margins
        const int title = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + TitleBarButtons;
        grid->addItem(new QSpacerItem(title, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    // Every other box has Cancel or a single button, which Qt's Escape already takes.
    box.exec();
    if (yesToAll && box.clickedButton() == static_cast<QAbstractButton*>(yesToAll))
        return PromptAnswer::YesToAll;
    if (noToAll && box.clickedButton() == static_cast<QAbstractButton*>(noToAll))
        return PromptAnswer::NoToAll;
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Retry:
        return PromptAnswer::Retry;
    case QMessageBox::Abort:
        return PromptAnswer::Abort;
    case QMessageBox::Ok:
        return PromptAnswer::Ok;
    default:
        return PromptAnswer::Cancel;
    }
}

} // namespace custodex
