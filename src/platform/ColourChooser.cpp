#include "platform/ColourChooser.h"

#include <QColorDialog>

namespace custodex {

std::optional<QColor> QtColourChooser::ChooseColour(const QColor& initial, QWidget* parent)
{
    const QColor chosen = QColorDialog::getColor(initial, parent, QStringLiteral("Color"));
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace custodex
