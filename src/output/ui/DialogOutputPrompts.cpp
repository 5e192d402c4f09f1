#include "output/ui/DialogOutputPrompts.h"

#include "output/ui/ColourPrinterQuestion.h"
#include "output/ui/ImageFormatDialog.h"

#include <QWidget>
#include <QWindow>

namespace custodex {

DialogOutputPrompts::DialogOutputPrompts() = default;
DialogOutputPrompts::~DialogOutputPrompts() = default;

std::optional<ImageFormat> DialogOutputPrompts::ChooseImageFormat(QWidget* parent)
{
    if (!FormatDialog)
        FormatDialog = std::make_unique<TSelGraphicFormat>();
    TSelGraphicFormat& dialog = *FormatDialog;
    if (parent) {
        // Over the asking window and kept in front of it, as an owned dialog would be.
        QWidget* owner = parent->window();
        dialog.adjustSize();
        dialog.move(owner->frameGeometry().center() - dialog.rect().center());
        dialog.winId();
        if (QWindow* handle = dialog.windowHandle())
            handle->setTransientParent(owner->windowHandle());
    }
    return dialog.ChooseImageFormat();
}

bool DialogOutputPrompts::AskColourPrinter(QWidget* parent)
{
    TQueryColorPrinter question(parent);
    return question.AskColourPrinter();
}

} // namespace custodex
