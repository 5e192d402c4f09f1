#pragma once

#include <QColor>

#include <optional>

class QWidget;

namespace custodex {

// The system colour dialog, solid colours only; nothing when cancelled.
class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    virtual std::optional<QColor> ChooseColour(const QColor& initial, QWidget* parent) = 0;
};

class QtColourChooser : public ColourChooser {
public:
    std::optional<QColor> ChooseColour(const QColor& initial, QWidget* parent) override;
};

} // namespace custodex
