#include "reports/ui/QualityPreview.h"

#include "output/DrawingSurface.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace custodex {

ReportPreview::ReportPreview(QWidget* parent) : QDialog(parent)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Scroller = new QScrollArea(this);
    Scroller->setObjectName(QStringLiteral("Scroller"));
    Scroller->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    auto* content = new QWidget(Scroller);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    Page = new QLabel(content);
    Page->setObjectName(QStringLiteral("PreviewImage"));
    column->addWidget(Page);
    auto* buttons = new QHBoxLayout;
    Button = new QPushButton(content);
    Button->setObjectName(QStringLiteral("PreviewButton"));
    Button->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(Button);
    buttons->addStretch();
    column->addLayout(buttons);
    column->addStretch();
    Scroller->setWidget(content);
    Scroller->setWidgetResizable(true);
    layout->addWidget(Scroller);

    // Across the screen's width at its top left, as tall as the page and 100 pixels more.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int width = std::max(200, screen.width() - scrollBar - 4);
    const int height = PageHeight(width) + 100;
    Page->setFixedSize(width, PageHeight(width));
    resize(screen.width(), std::min(height, screen.height() - 40));
    move(screen.topLeft());
}

int ReportPreview::PageHeight(int width)
{
    const int height = width * 100 / 73;
    return height - height % 88;
}

void ReportPreview::ShowPage(const std::function<void(DrawingSurface&)>& draw)
{
    Shown = QImage(Page->size(), QImage::Format_RGB32);
    Shown.fill(Qt::white);
    {
        PainterSurface surface(Shown);
        draw(surface);
    }
    Page->setPixmap(QPixmap::fromImage(Shown));
    Scroller->verticalScrollBar()->setValue(0);
}

TPreviewQuality::TPreviewQuality(PageDrawing summary, PageDrawing pie, QWidget* parent)
    : ReportPreview(parent), Summary(std::move(summary)), Pie(std::move(pie))
{
    setObjectName(QStringLiteral("TPreviewQuality"));
    setWindowTitle(QStringLiteral("Previewing Quality Time Report Page 1 of 2"));
    Button->setText(QStringLiteral("&Continue"));
    connect(Button, &QPushButton::clicked, this, &TPreviewQuality::ContinueClick);
    ShowPage(Summary);
}

void TPreviewQuality::ContinueClick()
{
    if (Current == 2) {
        accept();
        return;
    }
    Current = 2;
    setWindowTitle(QStringLiteral("Previewing Quality Time Report Page 2 of 2"));
    Button->setText(QStringLiteral("Exit"));
    ShowPage(Pie);
}

} // namespace custodex
