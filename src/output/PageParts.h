#pragma once

#include "calendar/CalendarModel.h"
#include "output/DrawingSurface.h"

#include <QSize>
#include <QString>

#include <algorithm>

// What the printed pages and the printed lists share: the title, the font fitting, the times.
// For the printout drawing only.

namespace custodex::page_parts {

inline const QString TitlePrefix = QStringLiteral("Custodex Calendar For:  ");

// No font fitting goes beyond this height: a huge page stops growing here instead of spinning.
inline int FontCap(QSize page)
{
    return std::max(8, std::max(page.width(), page.height()));
}

inline bool IsLandscape(QSize page)
{
    return page.width() > page.height();
}

inline bool HasTime(const QString& time)
{
    const QString trimmed = time.trimmed();
    return !trimmed.isEmpty() && trimmed != NoTimeText;
}

// Grows the font from `start` while `grow` says so, within the cap; leaves the font set.
template <typename Grow> int GrowFont(DrawingSurface& surface, int start, int cap, Grow grow)
{
    int height = start;
    surface.SetFont(height, true);
    while (height < cap && grow(height)) {
        ++height;
        surface.SetFont(height, true);
    }
    return height;
}

// Grows until the text is at least `width` wide, then one pixel back (never below `start`).
inline int FitTitleFont(DrawingSurface& surface, const QString& text, int width, int cap)
{
    int height = GrowFont(surface, 3, cap, [&](int) { return surface.TextWidth(text) < width; });
    height = std::max(3, height - 1);
    surface.SetFont(height, true);
    return height;
}

} // namespace custodex::page_parts
