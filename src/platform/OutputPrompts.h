#pragma once

#include <optional>

class QWidget;

// The two questions every printout that can go to paper or to picture files asks: in which
// format pictures are saved, and whether the printer prints colours. Tests answer them from a
// script.

namespace custodex {

enum class ImageFormat { Bitmap, Jpeg };

class OutputPrompts {
public:
    virtual ~OutputPrompts() = default;
    // The graphic format dialog. Nothing when it was closed without OK: the caller then
    // writes no picture and reports nothing.
    virtual std::optional<ImageFormat> ChooseImageFormat(QWidget* parent) = 0;
    // The colour printer question: true for Yes, false for No.
    virtual bool AskColourPrinter(QWidget* parent) = 0;
};

} // namespace custodex
