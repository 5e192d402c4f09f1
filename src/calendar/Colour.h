#pragma once

#include <QColor>

#include <cstdint>

namespace custodex {

// Colours are stored as 32-bit values with red in the low byte.
inline QColor ColourFromValue(std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

inline std::int32_t ValueFromColour(const QColor& colour)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(colour.red()) |
                                     (static_cast<std::uint32_t>(colour.green()) << 8) |
                                     (static_cast<std::uint32_t>(colour.blue()) << 16));
}

} // namespace custodex
