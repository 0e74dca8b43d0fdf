#pragma once

#include <QAbstractItemView>
#include <QElapsedTimer>

namespace tessnivar {

class ResultRowsModel;

// A list over one column of the shared result rows, with at most one selected row. Every row has
// one fixed height and only the rows in view are painted, read from the model as they are drawn;
// the vertical scroll bar counts rows. Nothing is laid out or kept per row, so a plan of four
// million rows costs what a plan of four does. It behaves as a list box: Up, Down, Page Up, Page
// Down, Home and End move the selection by rows, typing selects the next row whose text begins
// with what was typed, Tab leaves, and Copy (Ctrl+C) puts the whole selected row on the
// clipboard, its three texts separated by tabs. Lists given one selection model select and
// scroll to the same row; only the list with the keyboard focus reports the row to a screen
// reader as focused.
class RowListView : public QAbstractItemView {
    Q_OBJECT
public:
    // A list of column of rows, selecting through selection, which the lists linked to it share.
    RowListView(ResultRowsModel* rows, int column, QItemSelectionModel* selection,
                QWidget* parent = nullptr);

    [[nodiscard]] int rowCount() const;
    // Selected row, -1 when none.
    [[nodiscard]] int selectedRow() const;
    // Selects row (none for -1) and scrolls to it.
    void setSelectedRow(int row);
    [[nodiscard]] QString rowText(int row) const;
    // Where row is drawn in the viewport, whether in view or not.
    [[nodiscard]] QRect rowRect(int row) const;

    void keyboardSearch(const QString& search) override;
    void reset() override;
    [[nodiscard]] QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    [[nodiscard]] QModelIndex indexAt(const QPoint& point) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void focusInEvent(QFocusEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    [[nodiscard]] int horizontalOffset() const override;
    [[nodiscard]] int verticalOffset() const override;
    [[nodiscard]] bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;
    [[nodiscard]] QRegion visualRegionForSelection(const QItemSelection& selection) const override;

private:
    [[nodiscard]] int firstRowInView() const;
    // Rows wholly in view, at least one.
    [[nodiscard]] int rowsPerPage() const;
    void reportFocusedRow();

    ResultRowsModel* rows_;
    int column_;
    int rowHeight_ = 1;
    // What has been typed for the search so far, and since when.
    QString typed_;
    QElapsedTimer sinceTyped_;
};

} // namespace tessnivar
