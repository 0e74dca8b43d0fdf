#include "list_box.h"

#include "result_rows_model.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace tessnivar {

ListBox::ListBox(ResultRowsModel* rows, int column, QWidget* parent)
    : QListView(parent), rows_(rows) {
    setModel(rows);
    setModelColumn(column);
    // Lets the view lay out millions of rows without measuring each.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Like a plain list box: a wide entry is cut at the edge rather than scrolled to.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectedRowChanged(); });
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
    const QModelIndex index = model()->index(row, modelColumn());
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy)) {
        QListView::keyPressEvent(event);
        return;
    }
    // With no row selected there is nothing to copy, and the clipboard keeps what it holds.
    if (const int row = selectedRow(); row >= 0)
        QGuiApplication::clipboard()->setText(rows_->rowLine(row));
    event->accept();
}

} // namespace tessnivar
