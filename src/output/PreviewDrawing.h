#pragma once

#include "calendar/CalendarModel.h"

#include <QRect>

#include <functional>

// The preview picture of all 24 months: four header lines and 8 x 3 month blocks.

namespace custodex {

class DrawingSurface;

struct PreviewLayout {
    int s = 0;  // left margin
    int T = 0;  // top of the month grid
    int u = 0;  // header line spacing
    int gx = 0; // horizontal gap between blocks
    int gy = 0; // vertical gap between blocks
    int g = 0;  // block width, a multiple of 7
    int h = 0;  // block height, a multiple of 9
    int C = 0;  // day cell width
    int R = 0;  // row height

    // Block of month 1..24 (8 rows of 3).
    QRect Block(int monthNumber) const;
};

PreviewLayout ComputePreviewLayout(int width, int height);

// The parts, for drawing block by block: the white page with its title and counter lines, one
// block's frame, and one block's days. `dayIndex` walks the day list across the blocks.
void DrawPreviewHeader(const CalendarDocument& doc, DrawingSurface& surface,
                       const PreviewLayout& layout, const QString& generated);
void DrawPreviewBlockFrame(const CalendarDocument& doc, DrawingSurface& surface,
                           const PreviewLayout& layout, int monthNumber);
void DrawPreviewBlockDays(const CalendarDocument& doc, DrawingSurface& surface,
                          const PreviewLayout& layout, int monthNumber, std::size_t& dayIndex);
// Number of months the calendar has blocks for (24 with a calendar).
int PreviewMonthCount(const CalendarDocument& doc);

// Phase 1: white page, title, the four counter lines and the empty month blocks.
// `generated` is the "Generated ..." line. `afterBlock` runs after each block.
void DrawPreviewFrame(const CalendarDocument& doc, DrawingSurface& surface,
                      const PreviewLayout& layout, const QString& generated,
                      const std::function<void()>& afterBlock = {});
// Phase 2: the days of every block.
void DrawPreviewDays(const CalendarDocument& doc, DrawingSurface& surface,
                     const PreviewLayout& layout, const std::function<void()>& afterBlock = {});

// A whole picture at once (used off screen).
void DrawPreview(const CalendarDocument& doc, DrawingSurface& surface, const QString& generated);

constexpr std::int32_t PreviewRed = 0x0000FF; // red in the low byte

} // namespace custodex
