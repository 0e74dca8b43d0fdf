#pragma once

#include "subnet_rows.h"

#include <QAbstractTableModel>

namespace tessnivar {

// The rows of the three result lists: column 0 is the subnet number, column 1 the start address
// and column 2 the end address. Nothing is kept per row: a row and its texts are made when a view
// asks for them.
class ResultRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { SubnetColumn = 0, StartColumn = 1, EndColumn = 2 };

    using QAbstractTableModel::QAbstractTableModel;

    // Replaces what the lists hold by rows.
    void setRows(const SubnetRows& rows);
    [[nodiscard]] const SubnetRows& rows() const noexcept { return rows_; }
    // Row row as one line, its number, start and end separated by tabs.
    [[nodiscard]] QString rowLine(int row) const;
    // The first row from row from on, going round to the top after the last, whose text in
    // column begins with prefix; -1 when there is none.
    [[nodiscard]] int findRowStartingWith(int column, const QString& prefix, int from) const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;

private:
    SubnetRows rows_;
};

} // namespace tessnivar
