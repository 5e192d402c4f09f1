#pragma once

#include "output/PreviewDrawing.h"

#include <QImage>
#include <QWidget>

#include <functional>

class QScrollArea;
class QTimer;

namespace custodex {

// The whole calendar on one picture two screens high, drawn in two timed phases while the
// user watches; the pointer near the top or bottom edge scrolls, a click or Escape closes.
class TPreviewer : public QWidget {
    Q_OBJECT

public:
    explicit TPreviewer(QWidget* parent = nullptr);

    // Shows the preview of `doc` without blocking; `generated` gives the "Generated" line.
    void ShowFor(const CalendarDocument& doc, std::function<QString()> generated);

    const QImage& Picture() const { return APreview; }
    bool Drawn() const { return IsDrawn; }
    const PreviewLayout& Layout() const { return Grid; }
    QScrollArea* View() const { return Scroller; }

    QTimer* Phase1 = nullptr;
    QTimer* Phase2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void RunPhase1();
    void RunPhase2();
    void ScrollStep();
    void PointerMoved(int yInView);

    const CalendarDocument* Doc = nullptr;
    std::function<QString()> Generated;
    QImage APreview;
    PreviewLayout Grid;
    QScrollArea* Scroller = nullptr;
    QWidget* Canvas = nullptr;
    bool IsDrawn = false;
    int PointerY = 0;
};

} // namespace custodex
