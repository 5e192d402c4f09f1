#pragma once

#include <cstdint>
#include <optional>

class QWidget;

namespace custodex {

// The system colour dialog, solid colours only; nothing when cancelled.
class ColourChooser {
public:
    virtual ~ColourChooser() = default;
    virtual std::optional<std::int32_t> ChooseColour(std::int32_t initial, QWidget* parent) = 0;
};

class QtColourChooser : public ColourChooser {
public:
    std::optional<std::int32_t> ChooseColour(std::int32_t initial, QWidget* parent) override;
};

} // namespace custodex
