#include "list_box.h"

#include "result_rows_model.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>

namespace tessnivar {

ListBox::ListBox(ResultRowsModel* rows, int column, QWidget* parent)
    : QTableView(parent), rows_(rows), column_(column) {
    setModel(rows);
    showOnlyItsColumn();
    // A model reset brings every column back.
    connect(rows, &QAbstractItemModel::modelReset, this, &ListBox::showOnlyItsColumn);
    horizontalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->hide();
    // One height for every row: the view then places any row without measuring the others.
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const int rowHeight =
        style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).height();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(rowHeight);
    verticalHeader()->setDefaultSectionSize(rowHeight);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    // Tab leaves the list, as it leaves any list box.
    setTabKeyNavigation(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Like a plain list box: a wide entry is cut at the edge rather than scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectedRowChanged(); });
}

void ListBox::showOnlyItsColumn() {
    for (int column = 0; column < model()->columnCount(); ++column)
        setColumnHidden(column, column != column_);
}

int ListBox::selectedRow() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setSelectedRow(int row) {
    if (row == selectedRow())
        return;
    if (row < 0 || row >= model()->rowCount()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model()->index(row, column_);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy)) {
        QTableView::keyPressEvent(event);
        return;
    }
    // With no row selected there is nothing to copy, and the clipboard keeps what it holds.
    if (const int row = selectedRow(); row >= 0)
        QGuiApplication::clipboard()->setText(rows_->rowLine(row));
    event->accept();
}

QModelIndex ListBox::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const int rowCount = model()->rowCount();
    if (rowCount == 0)
        return {};
    // A list box moves by rows: Home and End go to the first and the last row whatever the
    // modifiers, and there is no other column to move sideways to.
    switch (action) {
    case MoveHome:
        return model()->index(0, column_);
    case MoveEnd:
        return model()->index(rowCount - 1, column_);
    case MoveLeft:
    case MoveRight:
        return currentIndex();
    default:
        break;
    }
    const QModelIndex moved = QTableView::moveCursor(action, modifiers);
    return moved.isValid() ? model()->index(moved.row(), column_) : moved;
}

void ListBox::keyboardSearch(const QString& search) {
    const int rowCount = model()->rowCount();
    if (search.isEmpty() || rowCount == 0)
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
    const int from =
        (!continues || oneKeyRepeated) ? (current + 1) % rowCount : std::max(current, 0);
    if (const int found = rows_->findRowStartingWith(column_, wanted, from); found >= 0)
        setSelectedRow(found);
}

} // namespace tessnivar
