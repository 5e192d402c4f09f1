#include "platform/ColourChooser.h"

#include "calendar/Colour.h"

#include <QColorDialog>

namespace custodex {

std::optional<std::int32_t> QtColourChooser::ChooseColour(std::int32_t initial, QWidget* parent)
{
    const QColor chosen =
        QColorDialog::getColor(ColourFromValue(initial), parent, QStringLiteral("Color"));
    if (!chosen.isValid())
        return std::nullopt;
    return ValueFromColour(chosen);
}

} // namespace custodex
