#include "result_rows_model.h"

#include "numeric.h"
#include "report_content.h"
#include "row_search.h"

#include <algorithm>

namespace tessnivar {

void ResultRowsModel::setRows(const SubnetRows& rows) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
}

int ResultRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 3;
}

QVariant ResultRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const SubnetRow row = rows_.row(static_cast<std::size_t>(index.row()));
    char text[kMaxDottedQuadChars];
    char* end = text;
    switch (index.column()) {
    case SubnetColumn:
        end = WriteDecimal(text, row.number);
        break;
    case StartColumn:
        end = WriteDottedQuad(text, row.start);
        break;
    case EndColumn:
        end = WriteDottedQuad(text, row.end);
        break;
    default:
        return {};
    }
    return QString::fromLatin1(text, end - text);
}

QString ResultRowsModel::rowLine(int row) const {
    return QString::fromStdString(TabSeparatedRow(rows_.row(static_cast<std::size_t>(row))));
}

int ResultRowsModel::findRowStartingWith(int column, const QString& prefix, int from) const {
    static constexpr RowText kKinds[] = {RowText::Number, RowText::Start, RowText::End};
    const auto found = FindRowStartingWith(rows_, kKinds[column], prefix.toStdString(),
                                           static_cast<std::size_t>(std::max(from, 0)));
    return found ? static_cast<int>(*found) : -1;
}

} // namespace tessnivar
