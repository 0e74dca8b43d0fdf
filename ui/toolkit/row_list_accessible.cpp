#include "row_list_accessible.h"

#include "row_list_view.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace tessnivar {

namespace {

QAccessibleInterface* ListOf(RowListView* view) {
    return QAccessible::queryAccessibleInterface(view);
}

// One row of a list, as a list item. It holds only its list and row number; its text and state
// are read from the list when asked.
class RowAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    RowAccessible(RowListView* view, int row) : view_(view), row_(row) {}

    bool isValid() const override { return view_ && row_ < view_->rowCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override { return ListOf(view_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? view_->rowText(row_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect row = view_->rowRect(row_);
        return {view_->viewport()->mapToGlobal(row.topLeft()), row.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.selected = isSelected();
        state.focused = view_->hasFocus() && view_->currentIndex().row() == row_;
        state.invisible = !view_->rowRect(row_).intersects(view_->viewport()->rect());
        state.offscreen = state.invisible;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return view_->selectedRow() == row_; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<RowListView> view_;
    int row_;
};

// A list whose children are its rows. A row's interface is made when first asked for and kept
// until the rows change, so it keeps one identity for the screen reader.
class RowListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit RowListAccessible(RowListView* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~RowListAccessible() override { forgetRows(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return view()->rowCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= view()->rowCount())
            return nullptr;
        if (const auto id = rows_.constFind(index); id != rows_.constEnd())
            return QAccessible::accessibleInterface(*id);
        auto* row = new RowAccessible(view(), index);
        rows_.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell =
            child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        return cell && cell->table() == this ? cell->rowIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return view()->hasFocus() ? child(view()->currentIndex().row()) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return column == 0 ? child(row) : nullptr;
    }
    int selectedCellCount() const override { return selectedRowCount(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        const int row = view()->selectedRow();
        return row >= 0 ? QList<QAccessibleInterface*>{child(row)} : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return view()->selectedRow() >= 0 ? 1 : 0; }
    int columnCount() const override { return 1; }
    int rowCount() const override { return view()->rowCount(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override {
        const int row = view()->selectedRow();
        return row >= 0 ? QList<int>{row} : QList<int>{};
    }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override { return row >= 0 && view()->selectedRow() == row; }
    bool selectRow(int row) override {
        if (row < 0 || row >= view()->rowCount())
            return false;
        view()->setSelectedRow(row);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int row) override {
        if (isRowSelected(row))
            view()->setSelectedRow(-1);
        return true;
    }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { forgetRows(); }

private:
    RowListView* view() const { return static_cast<RowListView*>(widget()); }
    void forgetRows() {
        for (const QAccessible::Id id : std::as_const(rows_))
            QAccessible::deleteAccessibleInterface(id);
        rows_.clear();
    }

    mutable QHash<int, QAccessible::Id> rows_;
};

QAccessibleInterface* RowListFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(RowListView::staticMetaObject.className()))
        return nullptr;
    return new RowListAccessible(static_cast<RowListView*>(object));
}

} // namespace

void InstallRowListAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(RowListFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace tessnivar
