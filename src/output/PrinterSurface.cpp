#include "output/PrinterSurface.h"

#include <QPagedPaintDevice>

namespace custodex {

PrinterSurface::PrinterSurface(QPagedPaintDevice& device) : PainterSurface(device), Pages(device) {}

void PrinterSurface::NewPage()
{
    Pages.newPage();
}

} // namespace custodex
