#pragma once

#include "reports/ProposalComparison.h"

#include <QByteArray>
#include <QString>

class QRect;

// The comparison on paper: the month charts, the printed page and its PDF.

namespace custodex {

class DrawingSurface;

// Two bars per month (A solid, B striped) of overnights or day visits in `area`, with the
// month names under them and a legend above.
void DrawMonthBars(DrawingSurface& surface, const QRect& area, const Comparison& comparison,
                   bool overnights);
// The printout: the names, the table, its notes and both charts on the first page; the
// guidelines after them, continued on further pages as needed, every page with its footer.
// The number of pages drawn.
int DrawComparisonPage(DrawingSurface& surface, const Comparison& comparison,
                       const QString& generated);
// The printout as a Letter PDF at the pictures' 150 dots per inch.
QByteArray ComparisonPdfBytes(const Comparison& comparison, const QString& generated);

} // namespace custodex
