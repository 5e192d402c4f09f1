#pragma once

#include "output/DrawingSurface.h"

class QPagedPaintDevice;

namespace custodex {

// A painter surface over a device of several pages (a printer, a PDF writer): NewPage starts
// the device's next page, so a layout draws the same way on paper as on a picture.
class PrinterSurface : public PainterSurface {
public:
    explicit PrinterSurface(QPagedPaintDevice& device);
    void NewPage() override;

private:
    QPagedPaintDevice& Pages;
};

} // namespace custodex
