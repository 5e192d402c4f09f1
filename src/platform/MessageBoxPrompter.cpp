#include "platform/MessageBoxPrompter.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace custodex {

QString MessageBoxPrompter::DisplayText(QString text)
{
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

PromptAnswer MessageBoxPrompter::Ask(PromptKind kind, const QString& text, PromptButtons buttons)
{
    QMessageBox box(Parent);
    box.setWindowTitle(QApplication::applicationDisplayName());
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
    switch (buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case PromptButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
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
    box.exec();
    if (yesToAll && box.clickedButton() == static_cast<QAbstractButton*>(yesToAll))
        return PromptAnswer::YesToAll;
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
