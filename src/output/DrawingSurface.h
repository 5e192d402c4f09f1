#pragma once

#include <QDateTime>
#include <QLocale>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class QPaintDevice;
class QPainter;

// Every printed or pictured page is drawn on a surface: a painter over an image or printer,
// or a recorder with fixed text metrics for tests.

namespace custodex {

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    virtual QSize Size() const = 0;
    virtual void SetFont(int pixelHeight, bool bold = false) = 0;
    virtual int TextWidth(const QString& text) = 0;
    virtual int TextHeight(const QString& text) = 0;
    virtual void Text(int x, int y, const QString& text) = 0; // top-left corner of the text
    virtual void SetPen(int width, std::int32_t colour) = 0;
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Rectangle(const QRect& rect) = 0; // outline in the pen
    virtual void FillRect(const QRect& rect, std::int32_t colour) = 0;
    // A slice of the ellipse within `bounds`, filled and outlined in the pen. Angles are in
    // hundredths of a degree from 3 o'clock, counter-clockwise when positive.
    virtual void Pie(const QRect& bounds, int startAngle, int spanAngle, std::int32_t fill) = 0;
    virtual void NewPage() = 0;
};

// Draws with a QPainter on an image or printer; the default typeface is Arial (Liberation
// Sans where Arial is not installed).
class PainterSurface : public DrawingSurface {
public:
    explicit PainterSurface(QPaintDevice& device);
    ~PainterSurface() override;
    QSize Size() const override;
    void SetFont(int pixelHeight, bool bold) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    void Text(int x, int y, const QString& text) override;
    void SetPen(int width, std::int32_t colour) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const QRect& rect) override;
    void FillRect(const QRect& rect, std::int32_t colour) override;
    void Pie(const QRect& bounds, int startAngle, int spanAngle, std::int32_t fill) override;
    void NewPage() override;
    // False when painting could not start (a printer that is gone, a file that cannot be made).
    bool Active() const;

private:
    // Every font a page asks for is made once per surface and keeps its metrics and the
    // widths it measured: the layouts fit their fonts by trying sizes and measure the same
    // texts on every page, and a new font per call meant a new font-engine lookup each time.
    struct FontEntry;
    FontEntry& FontFor(int pixelHeight, bool bold);

    QPaintDevice& Device;
    std::unique_ptr<QPainter> Painter;
    std::unordered_map<int, std::unique_ptr<FontEntry>> Fonts;
    FontEntry* Current = nullptr;
};

// Records every call; a text is as wide as half its font height per character and as high
// as its font height, so a test can compute the coordinates a layout rule gives.
class RecordingSurface : public DrawingSurface {
public:
    struct Operation {
        enum Kind { Font, Text, Pen, Line, Rectangle, Fill, Page, Pie } What;
        QRect Area; // text: x, y and measured size; line: from (x, y) to (right, bottom) as points
        QString Words;  // text
        int Number = 0; // font height or pen width; a pie's start angle
        std::int32_t Colour = 0;
        bool Bold = false;
        int Span = 0; // a pie's span angle
    };

    explicit RecordingSurface(QSize size) : Extent(size) {}
    QSize Size() const override { return Extent; }
    void SetFont(int pixelHeight, bool bold) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    void Text(int x, int y, const QString& text) override;
    void SetPen(int width, std::int32_t colour) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const QRect& rect) override;
    void FillRect(const QRect& rect, std::int32_t colour) override;
    void Pie(const QRect& bounds, int startAngle, int spanAngle, std::int32_t fill) override;
    void NewPage() override;

    std::vector<Operation> Operations;
    // The first text operation whose words start with `prefix`, or nullptr.
    const Operation* FindText(const QString& prefix) const;

private:
    QSize Extent;
    int FontHeight = 12;
    bool FontBold = false;
};

// The stamp every printed page carries: "Generated " + the date (the locale's short format) +
// "  " + the time (its long format without the time zone, which would only widen the line).
QString GeneratedAt(const QDateTime& when, const QLocale& locale);
// The same for now, in the user's locale.
QString GeneratedNow();

} // namespace custodex
