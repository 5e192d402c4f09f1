#include "reports/ui/CarePreview.h"

#include <QPushButton>

namespace custodex {

TPreviewCare::TPreviewCare(const std::function<void(DrawingSurface&)>& page, QWidget* parent)
    : ReportPreview(parent)
{
    setObjectName(QStringLiteral("TPreviewCare"));
    setWindowTitle(QStringLiteral("Previewing Parental Care Time Report"));
    Button->setText(QStringLiteral("OK"));
    connect(Button, &QPushButton::clicked, this, &QDialog::accept);
    ShowPage(page);
}

} // namespace custodex
