#include "qt/name_list_model.h"

namespace quivanto {

NameListModel::NameListModel(QObject* parent)
    : QAbstractListModel(parent) {}

void NameListModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void NameListModel::setIcons(QIcon open, QIcon closed) {
    openIcon_ = std::move(open);
    closedIcon_ = std::move(closed);
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = rowAt(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return QString::fromUtf8(row.name.data(), static_cast<qsizetype>(row.name.size()));
    case Qt::DecorationRole:
        return row.open ? openIcon_ : closedIcon_;
    case DepthRole:
        return row.depth;
    default:
        return {};
    }
}

} // namespace quivanto
