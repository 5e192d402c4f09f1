#pragma once

#include "reports/ui/QualityPreview.h"

namespace custodex {

// "Previewing Parental Care Time Report": the one page and an OK button that closes.
class TPreviewCare : public ReportPreview {
    Q_OBJECT

public:
    explicit TPreviewCare(const std::function<void(DrawingSurface&)>& page,
                          QWidget* parent = nullptr);
};

} // namespace custodex
