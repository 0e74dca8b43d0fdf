#pragma once

#include <QElapsedTimer>
#include <QTableView>

namespace tessnivar {

class ResultRowsModel;

// A list box over one column of the shared result rows, with at most one selected row. It is a
// one-column table without headers or grid whose rows all have one fixed height, so showing a
// plan costs the same whatever its number of rows. It behaves as a list box does: Up, Down, Page
// Up, Page Down, Home and End move the selection by rows, typing selects the next row whose text
// begins with what was typed, and Copy (Ctrl+C) puts the whole selected row on the clipboard, its
// three texts separated by tabs. selectedRowChanged() comes whenever the selected row changes,
// by the user or by setSelectedRow().
class ListBox : public QTableView {
    Q_OBJECT
public:
    ListBox(ResultRowsModel* rows, int column, QWidget* parent = nullptr);

    // Selected row, -1 when none.
    [[nodiscard]] int selectedRow() const;
    // Selects row (none for -1) and scrolls to it; selecting the row already selected does nothing.
    void setSelectedRow(int row);

    void keyboardSearch(const QString& search) override;

signals:
    void selectedRowChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    void showOnlyItsColumn();

    ResultRowsModel* rows_;
    int column_;
    // What has been typed for the search so far, and since when.
    QString typed_;
    QElapsedTimer sinceTyped_;
};

} // namespace tessnivar
