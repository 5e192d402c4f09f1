#pragma once

#include "platform/Prompter.h"

class QWidget;

namespace custodex {

// Shows QMessageBox dialogs; "\n\r" in the stored texts becomes a line break.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : Parent(parent) {}
    PromptAnswer Ask(PromptKind kind, const QString& text, PromptButtons buttons) override;

    static QString DisplayText(QString text);

private:
    QWidget* Parent;
};

} // namespace custodex
