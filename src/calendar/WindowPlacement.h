#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

#include <optional>

// Where the main window opens: at about three quarters of the screen the first time, then
// where and as large as it was left. Kept in a file of its own beside "Calendar.ini", whose
// lines are fixed and whose unknown lines older versions would take as recent files.

namespace custodex {

struct WindowPlacement {
    QRect Geometry; // the window's normal (not maximised) frame-less geometry
    bool Maximized = false;
};

inline const QString WindowPlacementFileName = QStringLiteral("Window.ini");

// Three quarters of the available area, never below `minimum`, centred in the area.
QRect OpeningGeometry(const QRect& available, const QSize& minimum);

// `geometry` made to fit inside the available area: shrunk to it (never below `minimum`) and
// moved into it. A screen's scale or size may have changed since the geometry was kept.
QRect FitInside(const QRect& geometry, const QRect& available, const QSize& minimum);

// The placement to use: the one kept when it is at least `minimum` and still meets the
// available area (a screen may have gone), else the opening geometry; either fitted inside
// the area.
WindowPlacement ChoosePlacement(const std::optional<WindowPlacement>& kept, const QRect& available,
                                const QSize& minimum);

// Where to move a dialog (its frame `window`) so it leaves `keepClear` in view: beside it, on
// the side that needs the shortest move and still fits in `screen`. A dialog already clear of
// it, or one that fits nowhere beside it, stays where it is.
QPoint MoveAside(const QRect& window, const QRect& keepClear, const QRect& screen);

QByteArray WindowPlacementBytes(const WindowPlacement& placement);
std::optional<WindowPlacement> WindowPlacementFromBytes(const QByteArray& bytes);

std::optional<WindowPlacement> ReadWindowPlacement(const QString& path);
bool WriteWindowPlacement(const WindowPlacement& placement, const QString& path);

} // namespace custodex
