#include "output/ui/CalendarPreview.h"

#include "output/DrawingSurface.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace custodex {

namespace {

constexpr int EdgeBand = 100;
constexpr int ScrollPixels = 10;

// Paints the preview picture as it is being drawn.
class PictureCanvas : public QWidget {
public:
    PictureCanvas(const QImage& picture, QWidget* parent) : QWidget(parent), Picture(picture)
    {
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, Picture);
    }

private:
    const QImage& Picture;
};

} // namespace

TPreviewer::TPreviewer(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TPreviewer"));
    setWindowTitle(QStringLiteral("Previewer"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    Scroller = new QScrollArea(this);
    Scroller->setFrameShape(QFrame::NoFrame);
    Scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Canvas = new PictureCanvas(APreview, Scroller);
    Canvas->setCursor(Qt::PointingHandCursor);
    Canvas->setToolTip(QStringLiteral("Click anywhere or press Escape to close the preview"));
    Scroller->setWidget(Canvas);
    Scroller->viewport()->setMouseTracking(true);
    Canvas->installEventFilter(this);
    Scroller->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Scroller);

    Phase1 = new QTimer(this);
    Phase1->setInterval(100);
    Phase1->setSingleShot(true);
    connect(Phase1, &QTimer::timeout, this, &TPreviewer::RunPhase1);
    Phase2 = new QTimer(this);
    Phase2->setInterval(100);
    connect(Phase2, &QTimer::timeout, this, [this] {
        if (IsDrawn)
            ScrollStep();
        else
            RunPhase2();
    });
}

void TPreviewer::ShowFor(const CalendarDocument& doc, std::function<QString()> generated)
{
    Doc = &doc;
    Generated = std::move(generated);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1280, 1024);
    setGeometry(area);
    const int width = area.width() - Scroller->verticalScrollBar()->sizeHint().width();
    APreview = QImage(std::max(1, width), std::max(1, 2 * area.height()), QImage::Format_RGB32);
    APreview.fill(Qt::white);
    Canvas->resize(APreview.size());
    Scroller->verticalScrollBar()->setSingleStep(20);
    Scroller->verticalScrollBar()->setValue(0);
    IsDrawn = false;
    PointerY = area.height() / 2;
    show();
    raise();
    activateWindow();
    Phase2->stop();
    Phase1->start();
}

void TPreviewer::RunPhase1()
{
    if (!Doc)
        return;
    Grid = ComputePreviewLayout(APreview.width(), APreview.height());
    {
        PainterSurface surface(APreview);
        DrawPreviewHeader(*Doc, surface, Grid, Generated ? Generated() : QString());
    }
    for (int month = 1; month <= PreviewMonthCount(*Doc); ++month) {
        {
            PainterSurface surface(APreview);
            DrawPreviewBlockFrame(*Doc, surface, Grid, month);
        }
        Canvas->update();
        QCoreApplication::processEvents();
        if (!isVisible() || !Doc)
            return;
    }
    Phase2->start();
}

void TPreviewer::RunPhase2()
{
    Phase2->stop();
    if (!Doc)
        return;
    std::size_t dayIndex = 0;
    for (int month = 1; month <= PreviewMonthCount(*Doc); ++month) {
        {
            PainterSurface surface(APreview);
            DrawPreviewBlockDays(*Doc, surface, Grid, month, dayIndex);
        }
        Canvas->update();
        QCoreApplication::processEvents();
        if (!isVisible() || !Doc)
            return;
    }
    IsDrawn = true;
}

void TPreviewer::PointerMoved(int yInView)
{
    PointerY = yInView;
    if (!IsDrawn)
        return;
    const int height = Scroller->viewport()->height();
    if (PointerY < EdgeBand || PointerY > height - EdgeBand) {
        if (!Phase2->isActive())
            Phase2->start();
    }
    else {
        Phase2->stop();
    }
}

void TPreviewer::ScrollStep()
{
    QScrollBar* bar = Scroller->verticalScrollBar();
    const int height = Scroller->viewport()->height();
    if (PointerY < EdgeBand && bar->value() > 0)
        bar->setValue(bar->value() - ScrollPixels);
    else if (PointerY > height - EdgeBand && bar->value() < bar->maximum())
        bar->setValue(bar->value() + ScrollPixels);
    else
        Phase2->stop();
}

bool TPreviewer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        const QPoint inView = Scroller->viewport()->mapFromGlobal(move->globalPosition().toPoint());
        PointerMoved(inView.y());
    }
    else if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Escape closes as a click does; the scroll area leaves it to us.
void TPreviewer::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TPreviewer::closeEvent(QCloseEvent* event)
{
    // The next showing draws afresh from the calendar as it is then.
    Phase1->stop();
    Phase2->stop();
    APreview.fill(Qt::white);
    Scroller->verticalScrollBar()->setValue(0);
    IsDrawn = false;
    Doc = nullptr;
    QWidget::closeEvent(event);
}

} // namespace custodex
