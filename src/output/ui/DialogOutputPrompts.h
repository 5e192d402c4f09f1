#pragma once

#include "platform/OutputPrompts.h"

#include <memory>

namespace custodex {

class TSelGraphicFormat;

// The two output questions as the program's own dialogs. The format dialog is made on first
// use and kept for the whole run; the colour question is made for each asking.
class DialogOutputPrompts : public OutputPrompts {
public:
    DialogOutputPrompts();
    ~DialogOutputPrompts() override;
    std::optional<ImageFormat> ChooseImageFormat(QWidget* parent) override;
    bool AskColourPrinter(QWidget* parent) override;

private:
    // Kept without an owner window, so no window closing can take the last choice with it.
    std::unique_ptr<TSelGraphicFormat> FormatDialog;
};

} // namespace custodex
