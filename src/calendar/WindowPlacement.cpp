#include "calendar/WindowPlacement.h"

#include "calendar/TextCodec.h"
#include "platform/FileAccess.h"

#include <QStringList>

#include <algorithm>

namespace custodex {

QRect OpeningGeometry(const QRect& available, const QSize& minimum)
{
    const QSize size(std::max(available.width() * 3 / 4, minimum.width()),
                     std::max(available.height() * 3 / 4, minimum.height()));
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(available.center());
    return rect;
}

QRect FitInside(const QRect& geometry, const QRect& available, const QSize& minimum)
{
    const auto fit = [](int length, int room, int least) {
        return std::max(std::min(length, room), least);
    };
    const int width = fit(geometry.width(), available.width(), minimum.width());
    const int height = fit(geometry.height(), available.height(), minimum.height());
    // Moved back inside from the right and bottom first, so a window larger than the area
    // still shows its top-left corner and its title bar.
    const int x =
        std::max(std::min(geometry.x(), available.x() + available.width() - width), available.x());
    const int y = std::max(std::min(geometry.y(), available.y() + available.height() - height),
                           available.y());
    return QRect(x, y, width, height);
}

WindowPlacement ChoosePlacement(const std::optional<WindowPlacement>& kept, const QRect& available,
                                const QSize& minimum)
{
    if (kept && kept->Geometry.width() >= minimum.width() &&
        kept->Geometry.height() >= minimum.height() && kept->Geometry.intersects(available))
        return {FitInside(kept->Geometry, available, minimum), kept->Maximized};
    return {FitInside(OpeningGeometry(available, minimum), available, minimum), false};
}

QByteArray WindowPlacementBytes(const WindowPlacement& placement)
{
    const QRect& g = placement.Geometry;
    return EncodeText(
        QStringLiteral("LEFT=%1\r\nTOP=%2\r\nWIDTH=%3\r\nHEIGHT=%4\r\nMAXIMIZED=%5\r\n")
            .arg(g.x())
            .arg(g.y())
            .arg(g.width())
            .arg(g.height())
            .arg(placement.Maximized ? QStringLiteral("TRUE") : QStringLiteral("FALSE")));
}

std::optional<WindowPlacement> WindowPlacementFromBytes(const QByteArray& bytes)
{
    int values[4] = {0, 0, 0, 0};
    bool found[4] = {false, false, false, false};
    const char* keys[4] = {"LEFT=", "TOP=", "WIDTH=", "HEIGHT="};
    WindowPlacement placement;
    for (const QString& line : SplitTextLines(DecodeText(bytes))) {
        for (int k = 0; k < 4; ++k) {
            if (!line.startsWith(QLatin1String(keys[k])))
                continue;
            bool ok = false;
            const int value = line.mid(static_cast<qsizetype>(qstrlen(keys[k]))).toInt(&ok);
            if (ok && value > -100000 && value < 100000) {
                values[k] = value;
                found[k] = true;
            }
        }
        if (line == QStringLiteral("MAXIMIZED=TRUE"))
            placement.Maximized = true;
    }
    if (!std::all_of(std::begin(found), std::end(found), [](bool f) { return f; }) ||
        values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    placement.Geometry = QRect(values[0], values[1], values[2], values[3]);
    return placement;
}

std::optional<WindowPlacement> ReadWindowPlacement(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadRegularFile(path);
    return bytes ? WindowPlacementFromBytes(*bytes) : std::nullopt;
}

bool WriteWindowPlacement(const WindowPlacement& placement, const QString& path)
{
    return WriteWholeFile(path, WindowPlacementBytes(placement)) == FileWriteError::None;
}

QPoint MoveAside(const QRect& window, const QRect& keepClear, const QRect& screen)
{
    if (keepClear.isEmpty() || !window.intersects(keepClear))
        return window.topLeft();
    constexpr int Gap = 8;
    const auto clampX = [&](int x) {
        return std::clamp(x, screen.left(),
                          std::max(screen.left(), screen.right() + 1 - window.width()));
    };
    const auto clampY = [&](int y) {
        return std::clamp(y, screen.top(),
                          std::max(screen.top(), screen.bottom() + 1 - window.height()));
    };
    const QPoint candidates[] = {
        {keepClear.right() + 1 + Gap, clampY(window.y())},
        {keepClear.left() - Gap - window.width(), clampY(window.y())},
        {clampX(window.x()), keepClear.bottom() + 1 + Gap},
        {clampX(window.x()), keepClear.top() - Gap - window.height()},
    };
    std::optional<QPoint> best;
    for (const QPoint& place : candidates) {
        const QRect moved(place, window.size());
        if (!screen.contains(moved) || moved.intersects(keepClear))
            continue;
        if (!best || (place - window.topLeft()).manhattanLength() <
                         (*best - window.topLeft()).manhattanLength())
            best = place;
    }
    return best.value_or(window.topLeft());
}

} // namespace custodex
