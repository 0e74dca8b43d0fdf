#include "row_list_view.h"

#include "result_rows_model.h"
#include "row_list_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tessnivar {

RowListView::RowListView(ResultRowsModel* rows, int column, QItemSelectionModel* selection,
                         QWidget* parent)
    : QAbstractItemView(parent), rows_(rows), column_(column) {
    InstallRowListAccessibility();
    setModel(rows);
    QItemSelectionModel* own = selectionModel();
    setSelectionModel(selection);
    // The view made a selection model of its own for the model; the shared one replaces it.
    delete own;
    // A row is selected whole, so lists showing other columns of it show it selected too.
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the list, as it leaves any list box.
    setTabKeyNavigation(false);
    // Like a plain list box: a wide entry is cut at the edge rather than scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One height for every row, measured once: any row is placed without measuring the others.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    rowHeight_ = std::max(
        1, style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height());
}

int RowListView::rowCount() const {
    return rows_->rowCount();
}

int RowListView::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void RowListView::setSelectedRow(int row) {
    if (row < 0 || row >= rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(rows_->index(row, column_),
                                      QItemSelectionModel::ClearAndSelect |
                                          QItemSelectionModel::Rows);
}

QString RowListView::rowText(int row) const {
    return rows_->index(row, column_).data().toString();
}

int RowListView::firstRowInView() const {
    return verticalScrollBar()->value();
}

int RowListView::rowsPerPage() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

QRect RowListView::rowRect(int row) const {
    return {0, (row - firstRowInView()) * rowHeight_, viewport()->width(), rowHeight_};
}

QRect RowListView::visualRect(const QModelIndex& index) const {
    return index.isValid() ? rowRect(index.row()) : QRect();
}

QModelIndex RowListView::indexAt(const QPoint& point) const {
    if (point.y() < 0 || point.x() < 0 || point.x() >= viewport()->width())
        return {};
    const int row = firstRowInView() + point.y() / rowHeight_;
    return row < rowCount() ? rows_->index(row, column_) : QModelIndex();
}

void RowListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    const int row = index.row();
    const int first = firstRowInView();
    const int page = rowsPerPage();
    QScrollBar* bar = verticalScrollBar();
    switch (hint) {
    case PositionAtTop:
        bar->setValue(row);
        break;
    case PositionAtBottom:
        bar->setValue(row - page + 1);
        break;
    case PositionAtCenter:
        bar->setValue(row - page / 2);
        break;
    case EnsureVisible:
        if (row < first)
            bar->setValue(row);
        else if (row >= first + page)
            bar->setValue(row - page + 1);
        break;
    }
}

// The scroll bar fits the new rows at once, as the rows are shown.
void RowListView::reset() {
    QAbstractItemView::reset();
    updateGeometries();
}

void RowListView::updateGeometries() {
    const int page = rowsPerPage();
    verticalScrollBar()->setRange(0, std::max(0, rowCount() - page));
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(1);
    QAbstractItemView::updateGeometries();
}

// The scroll bar counts rows, not pixels, so the whole view is drawn again.
void RowListView::scrollContentsBy(int, int) {
    viewport()->update();
}

void RowListView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int count = rowCount();
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    for (int row = firstRowInView() + std::max(0, area.top()) / rowHeight_; row < count; ++row) {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = rowRect(row);
        if (option.rect.top() > area.bottom())
            break;
        const QModelIndex index = rows_->index(row, column_);
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (row == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}

QModelIndex RowListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int count = rowCount();
    if (count == 0)
        return {};
    const QModelIndex current = currentIndex();
    const int row = current.isValid() ? current.row() : -1;
    int moved = row;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        moved = row - 1;
        break;
    case MoveDown:
    case MoveNext:
        moved = row + 1;
        break;
    case MovePageUp:
        moved = row - rowsPerPage();
        break;
    case MovePageDown:
        moved = row + rowsPerPage();
        break;
    case MoveHome:
        moved = 0;
        break;
    case MoveEnd:
        moved = count - 1;
        break;
    case MoveLeft:
    case MoveRight:
        return current;
    }
    return rows_->index(std::clamp(moved, 0, count - 1), column_);
}

int RowListView::horizontalOffset() const {
    return 0;
}

int RowListView::verticalOffset() const {
    return firstRowInView() * rowHeight_;
}

bool RowListView::isIndexHidden(const QModelIndex& index) const {
    return index.column() != column_;
}

void RowListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    const QModelIndex index = indexAt(rect.topLeft());
    if (index.isValid())
        selectionModel()->select(index, command | QItemSelectionModel::Rows);
    else if (command & QItemSelectionModel::Clear)
        selectionModel()->clearSelection();
}

QRegion RowListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    for (const QItemSelectionRange& range : selection)
        region += rowRect(range.top()).united(rowRect(range.bottom())) & viewport()->rect();
    return region;
}

void RowListView::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy)) {
        QAbstractItemView::keyPressEvent(event);
        return;
    }
    // With no row selected there is nothing to copy, and the clipboard keeps what it holds.
    if (const int row = selectedRow(); row >= 0)
        QGuiApplication::clipboard()->setText(rows_->rowLine(row));
    event->accept();
}

void RowListView::keyboardSearch(const QString& search) {
    const int count = rowCount();
    if (search.isEmpty() || count == 0)
        return;
    // Keys typed in quick succession add up to one text; a pause starts a new one.
    const bool continues =
        sinceTyped_.isValid() && sinceTyped_.elapsed() <= QApplication::keyboardInputInterval();
    typed_ = continues ? typed_ + search : search;
    sinceTyped_.start();
    // A new text, or one key typed again and again, looks from the row after the current one;
    // a longer text first tries the current row.
    const bool oneKeyRepeated = typed_.count(typed_.front()) == typed_.size();
    const QString wanted = oneKeyRepeated ? typed_.left(1) : typed_;
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int from = (!continues || oneKeyRepeated) ? (current + 1) % count : std::max(current, 0);
    if (const int found = rows_->findRowStartingWith(column_, wanted, from); found >= 0)
        setSelectedRow(found);
}

void RowListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous);
    // Every linked list shows the row, but only the one being used is focused on it.
    if (hasFocus())
        reportFocusedRow();
}

void RowListView::selectionChanged(const QItemSelection& selected,
                                   const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::SelectionRemove);
        for (const QItemSelectionRange& range : deselected) {
            event.setChild(range.top());
            QAccessible::updateAccessibility(&event);
        }
        QAccessibleEvent added(this, QAccessible::Selection);
        for (const QItemSelectionRange& range : selected) {
            added.setChild(range.top());
            QAccessible::updateAccessibility(&added);
        }
    }
}

void RowListView::focusInEvent(QFocusEvent* event) {
    QAbstractItemView::focusInEvent(event);
    reportFocusedRow();
}

void RowListView::reportFocusedRow() {
    const QModelIndex current = currentIndex();
    if (!QAccessible::isActive() || !current.isValid())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(current.row());
    QAccessible::updateAccessibility(&event);
}

} // namespace tessnivar
