#pragma once

#include <QListView>

namespace tessnivar {

class ResultRowsModel;

// One column of the shared result rows, with at most one selected row. selectedRowChanged()
// comes whenever the selected row changes, by the user or by setSelectedRow(). Copy (Ctrl+C)
// puts the whole selected row on the clipboard, its three texts separated by tabs.
class ListBox : public QListView {
    Q_OBJECT
public:
    ListBox(ResultRowsModel* rows, int column, QWidget* parent = nullptr);

    // Selected row, -1 when none.
    [[nodiscard]] int selectedRow() const;
    // Selects row (none for -1) and scrolls to it; selecting the row already selected does nothing.
    void setSelectedRow(int row);

signals:
    void selectedRowChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ResultRowsModel* rows_;
};

} // namespace tessnivar
