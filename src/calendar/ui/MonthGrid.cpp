#include "calendar/ui/MonthGrid.h"

#include "calendar/ui/DayCellWidget.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace custodex {

namespace {

QAccessibleInterface* Interface(QWidget* widget)
{
    return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

// The grid as a table.
class GridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridAccessible(MonthGridFrame* grid) : QAccessibleWidget(grid, QAccessible::Table) {}

    MonthGridFrame* Grid() const { return static_cast<MonthGridFrame*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Grid()->accessibleName().isEmpty()) {
            const QString month = Grid()->MonthLabel() ? Grid()->MonthLabel()->text() : QString();
            return month.isEmpty() ? QStringLiteral("Days of the month") : month.simplified();
        }
        return QAccessibleWidget::text(t);
    }

    QAccessibleInterface* focusChild() const override
    {
        if (Grid()->hasFocus() && Grid()->CursorCell() > 0)
            return Interface(Grid()->Cell(Grid()->CursorCell()));
        return QAccessibleWidget::focusChild();
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return Interface(Grid()->MonthLabel()); }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return Interface(Grid()->Cell(row * MonthGridFrame::Columns + column + 1));
    }
    int selectedCellCount() const override { return Grid()->CursorCell() > 0 ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override
    {
        QList<QAccessibleInterface*> cells;
        if (QAccessibleInterface* cell = Interface(Grid()->Cell(Grid()->CursorCell())))
            cells << cell;
        return cells;
    }
    QString columnDescription(int column) const override
    {
        const QLabel* head = Grid()->Head(column);
        return head ? head->text() : QString();
    }
    QString rowDescription(int /*row*/) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return MonthGridFrame::Columns; }
    int rowCount() const override { return MonthGridFrame::Rows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int /*column*/) const override { return false; }
    bool isRowSelected(int /*row*/) const override { return false; }
    bool selectRow(int /*row*/) override { return false; }
    bool selectColumn(int /*column*/) override { return false; }
    bool unselectRow(int /*row*/) override { return false; }
    bool unselectColumn(int /*column*/) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* /*event*/) override {}
};

// A day of the grid: a table cell, focused and selected while the keyboard is on it.
class DayCellAccessible final : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit DayCellAccessible(DayCellWidget* cell) : QAccessibleWidget(cell, QAccessible::Cell) {}

    DayCellWidget* Day() const { return static_cast<DayCellWidget*>(widget()); }
    MonthGridFrame* Grid() const { return qobject_cast<MonthGridFrame*>(widget()->parentWidget()); }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        const bool day = Day()->isVisible() && Day()->ShowsDay();
        state.focusable = day;
        state.selectable = day;
        state.selected = isSelected();
        state.focused = state.selected && Grid() && Grid()->hasFocus();
        return state;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override
    {
        return Grid() && Grid()->CursorCell() == Day()->CellNumber();
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override
    {
        QList<QAccessibleInterface*> heads;
        if (Grid())
            if (QAccessibleInterface* head = Interface(Grid()->Head(columnIndex())))
                heads << head;
        return heads;
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return (Day()->CellNumber() - 1) % MonthGridFrame::Columns; }
    int rowIndex() const override { return (Day()->CellNumber() - 1) / MonthGridFrame::Columns; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return Interface(Grid()); }
};

// A weekday head over a column.
class HeadAccessible final : public QAccessibleWidget {
public:
    explicit HeadAccessible(QLabel* head) : QAccessibleWidget(head, QAccessible::ColumnHeader) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* MonthGridParts(const QString& /*className*/, QObject* object)
{
    if (auto* grid = qobject_cast<MonthGridFrame*>(object))
        return new GridAccessible(grid);
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !qobject_cast<MonthGridFrame*>(widget->parentWidget()))
        return nullptr;
    if (auto* cell = qobject_cast<DayCellWidget*>(object))
        return new DayCellAccessible(cell);
    if (auto* head = qobject_cast<ColumnHead*>(object))
        return new HeadAccessible(head);
    return nullptr;
}

} // namespace

MonthGridFrame::MonthGridFrame(QWidget* parent) : QFrame(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(MonthGridParts);
        return true;
    }();
    (void)installed;
}

void MonthGridFrame::SetParts(QLabel* monthLabel, const std::array<QLabel*, Columns>& heads,
                              const std::array<DayCellWidget*, Rows * Columns>& cells)
{
    Month = monthLabel;
    Heads = heads;
    Cells = cells;
}

QLabel* MonthGridFrame::Head(int column) const
{
    return column >= 0 && column < Columns ? Heads[static_cast<std::size_t>(column)] : nullptr;
}

DayCellWidget* MonthGridFrame::Cell(int number) const
{
    return number >= 1 && number <= Rows * Columns ? Cells[static_cast<std::size_t>(number - 1)]
                                                   : nullptr;
}

void MonthGridFrame::SetCursorCell(int number, bool announce)
{
    const int cell = std::clamp(number, 0, Rows * Columns);
    const bool moved = cell != Cursor;
    Cursor = cell;
    if (moved || announce)
        AnnounceCursor();
}

void MonthGridFrame::AnnounceCursor()
{
    if (!hasFocus() || Cursor == 0)
        return;
    QAccessibleEvent focus(Cell(Cursor), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

void MonthGridFrame::focusInEvent(QFocusEvent* event)
{
    QFrame::focusInEvent(event);
    // After the frame's own focus event, which follows this one.
    QTimer::singleShot(0, this, [this] { AnnounceCursor(); });
}

} // namespace custodex
