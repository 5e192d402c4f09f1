#pragma once

#include <QDialog>
#include <QImage>

#include <functional>

class QLabel;
class QPushButton;
class QScrollArea;

namespace custodex {

class DrawingSurface;

// A report page previewed across the screen's width at its top left: the page as wide as the
// window's client area and W × 100 / 73 high (a whole number of 88 lines), a button below it;
// the window is 100 pixels taller than the page and scrolls where the screen is smaller.
class ReportPreview : public QDialog {
    Q_OBJECT

public:
    explicit ReportPreview(QWidget* parent = nullptr);

    // The page height for a width.
    static int PageHeight(int width);

    QScrollArea* Scroller = nullptr;
    QLabel* Page = nullptr;
    QPushButton* Button = nullptr;

protected:
    // Draws a page at the preview's size and shows it.
    void ShowPage(const std::function<void(DrawingSurface&)>& draw);
    QImage Shown;
};

// "Previewing Quality Time Report Page 1 of 2": "&Continue" shows page 2, then "Exit" closes.
class TPreviewQuality : public ReportPreview {
    Q_OBJECT

public:
    using PageDrawing = std::function<void(DrawingSurface&)>;
    TPreviewQuality(PageDrawing summary, PageDrawing pie, QWidget* parent = nullptr);

    void ContinueClick();
    int PageShown() const { return Current; }

private:
    PageDrawing Summary;
    PageDrawing Pie;
    int Current = 1;
};

} // namespace custodex
